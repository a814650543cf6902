#pragma once
// Command codes of the profile menu, the results archive and the controls
// dialog.

namespace command {

constexpr int kShowResults = 30;
constexpr int kPrintResults = 31;
constexpr int kDeleteResults = 32;
constexpr int kLoadProfile = 34;
constexpr int kSaveProfile = 35;
constexpr int kProfileShortcut = 36;
constexpr int kDeleteProfile = 37;
constexpr int kTestDevice = 42;

}  // namespace command
