#pragma once
// Command codes of the teacher's exercise editors.

namespace command {

constexpr int kNewExercise = 200;
constexpr int kModifyExercise = 201;
constexpr int kDeleteExercise = 202;
constexpr int kOpenChosenExercise = 271;
constexpr int kDeleteChosenExercise = 272;
constexpr int kKindLevels = 276;
constexpr int kKindComplete = 277;
constexpr int kKindKeys = 278;
constexpr int kNewLevel = 280;
constexpr int kEditLevel = 281;
constexpr int kDeleteLevel = 282;
constexpr int kLevelUp = 283;
constexpr int kLevelDown = 284;
constexpr int kOpenNewExercise = 290;
constexpr int kAddWord = 300;
constexpr int kDeleteWord = 301;
constexpr int kModifyWord = 304;
constexpr int kChangeCount = 305;
constexpr int kRenameLevel = 310;
constexpr int kAcceptHiddenLetters = 320;

}  // namespace command
