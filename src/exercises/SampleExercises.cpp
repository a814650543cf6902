#include "exercises/SampleExercises.h"

#include "app/DataFolder.h"
#include "exercises/ExerciseKinds.h"
#include "exercises/ExercisePaths.h"
#include "platform/Files.h"
#include "resources/FileHelpers.h"

#include <vector>

namespace {

// Written into the user's "Esercizi" once the samples are there.
const char* kSeededMark = "Esercizi\\.esempi";

void CopyKind(int kind)
{
    std::string from = std::string("Esercizi\\") + exercise::KindFolder(kind);
    std::string to = KindFolderPath(kind);
    for (const platform::FolderEntry& entry : platform::ListFolder(from)) {
        if (entry.isFolder || !HasExtension(entry.name.c_str(), exercise::KindExtension(kind)))
            continue;
        std::string target = to + "\\" + entry.name;
        if (platform::FileExists(target))
            continue;
        std::vector<unsigned char> bytes;
        if (platform::ReadWholeFile(from + "\\" + entry.name, bytes))
            platform::ReplaceFileContents(target, bytes.data(), bytes.size());
    }
}

}  // namespace

void SeedSampleExercises()
{
    if (theDataPrefix.empty() || platform::FileExists(theDataPrefix + kSeededMark))
        return;
    EnsureExerciseFolders();
    if (!IsFolder((theDataPrefix + "Esercizi").c_str()))
        return;
    for (int kind = 1; kind <= 3; ++kind)
        CopyKind(kind);
    platform::ReplaceFileContents(theDataPrefix + kSeededMark, "", 0);
}
