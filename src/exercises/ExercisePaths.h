#pragma once
// Where exercises live: the data folder, "Esercizi", the kind's folder, the
// name and the kind's extension.

#include <string>

// Empty for a kind other than 1..3.
std::string ExercisePath(int kind, const char* name);
std::string KindFolderPath(int kind);
// Creates "Esercizi" and, when it exists, its three kind folders.
void EnsureExerciseFolders();
