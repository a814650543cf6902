#pragma once
// Command codes of the teacher's statistics screens.

namespace command {

constexpr int kShowProgress = 500;
constexpr int kShowClass = 501;
constexpr int kExportStatistics = 502;
constexpr int kTailoredExercise = 503;
constexpr int kPrintPage = 504;
// Sorting the class table by its n-th column: kSortClass + n.
constexpr int kSortClass = 510;

}  // namespace command
