#pragma once
// What the chain of exercise editors shares while it is open: the operation
// chosen first, the kind under edit, the exercise's name and its file.

#include <string>

struct ExerciseEditing {
    static constexpr int kNameLength = 40;
    static constexpr int kNew = 1, kModify = 2, kDelete = 3;

    int operation = 0;
    int kind = 0;  // 1..3 once chosen
    char name[kNameLength + 1] = {};
    std::string path;
    std::string shownName;  // for the level list's heading
};
