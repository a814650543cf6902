#pragma once
// Command codes of the profile menu and the results archive.

namespace command {

constexpr int kShowResults = 30;
constexpr int kPrintResults = 31;
constexpr int kDeleteResults = 32;
constexpr int kLoadProfile = 34;
constexpr int kSaveProfile = 35;
constexpr int kProfileShortcut = 36;
constexpr int kDeleteProfile = 37;

}  // namespace command
