#pragma once
// A school installs the program read-only; each user's data then live in a
// folder of their own, which starts with the program's sample exercises.

// When the data folder is not the program folder and the samples were never
// copied there, copies every exercise of the program folder's "Esercizi"
// that the user does not have (a teacher's file is never overwritten), then
// marks the copy done so that a sample the teacher deletes stays deleted.
void SeedSampleExercises();
