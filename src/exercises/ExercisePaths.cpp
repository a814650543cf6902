#include "exercises/ExercisePaths.h"

#include "app/DataFolder.h"
#include "exercises/ExerciseKinds.h"
#include "platform/Files.h"
#include "resources/FileHelpers.h"

#include <algorithm>

std::string ExercisePath(int kind, const char* name)
{
    const char* folder = exercise::KindFolder(kind);
    if (!folder)
        return std::string();
    return theDataPrefix + "Esercizi\\" + folder + "\\" + (name ? name : "") + exercise::KindExtension(kind);
}

std::string KindFolderPath(int kind)
{
    const char* folder = exercise::KindFolder(kind);
    return folder ? theDataPrefix + "Esercizi\\" + folder : std::string();
}

void EnsureExerciseFolders()
{
    std::string root = theDataPrefix + "Esercizi";
    MakeFolder(root.c_str());
    if (!IsFolder(root.c_str()))
        return;
    for (int kind = 1; kind <= 3; ++kind)
        MakeFolder(KindFolderPath(kind).c_str());
}

std::string ExerciseShownName(const std::string& fileName)
{
    std::string shown = fileName;
    std::replace(shown.begin(), shown.end(), '_', ' ');
    return shown;
}

std::string ExerciseFileName(const std::string& typed)
{
    std::size_t first = typed.find_first_not_of(' ');
    if (first == std::string::npos)
        return std::string();
    std::string name = typed.substr(first, typed.find_last_not_of(' ') - first + 1);
    std::replace(name.begin(), name.end(), ' ', '_');
    return name;
}

bool ExerciseExists(const std::string& path)
{
    return platform::OpenFile(path, "rb") != nullptr;
}

bool CreateEmptyExercise(const std::string& path)
{
    return platform::ReplaceFileContents(path, "", 0);
}
