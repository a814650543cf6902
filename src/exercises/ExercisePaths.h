#pragma once
// Where exercises live: the data folder, "Esercizi", the kind's folder, the
// name and the kind's extension.

#include <string>

// Empty for a kind other than 1..3.
std::string ExercisePath(int kind, const char* name);
std::string KindFolderPath(int kind);
// Creates "Esercizi" and, when it exists, its three kind folders.
void EnsureExerciseFolders();
// How an exercise's file name is shown to children and teachers: with
// spaces for its underscores ("Casa_e_scuola" is "Casa e scuola"). Files,
// paths and settings keep the file name itself.
std::string ExerciseShownName(const std::string& fileName);
// The file name for a name the teacher typed: spaces kept as "_" (shown as
// spaces again), spaces at either end dropped, everything else as typed.
std::string ExerciseFileName(const std::string& typed);

// True when the file exists and can be read.
bool ExerciseExists(const std::string& path);
// Makes the file empty (zero bytes), creating it when missing; false when
// it cannot be written.
bool CreateEmptyExercise(const std::string& path);
