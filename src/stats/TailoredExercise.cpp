#include "stats/TailoredExercise.h"

#include "base/TStringList.h"
#include "base/TextHelpers.h"
#include "exercises/ExercisePaths.h"
#include "exercises/TExerciseDocument.h"
#include "resources/StringTable.h"
#include "stats/StatsTexts.h"

namespace stats {

namespace {

// Words a level asks for before it is done.
constexpr int kWordsToHit = 10;

bool Write(int kind, const std::string& name, const std::string& title, const std::vector<std::string>& words)
{
    EnsureExerciseFolders();
    TExerciseDocument document;
    auto* level = new TStringList;
    level->AppendText("");
    level->AppendText(std::to_string(kWordsToHit).c_str());
    level->AppendText(title.c_str());
    for (const std::string& w : words)
        level->AppendText(w.c_str());
    document.Levels().Append(level);
    document.Titles().AppendText(title.c_str());
    return document.Save(ExercisePath(kind, name.c_str()).c_str(), kind);
}

}  // namespace

std::vector<std::string> LetterDrills(const std::vector<std::string>& letters)
{
    std::vector<std::string> drills;
    for (const std::string& a : letters) {
        drills.push_back(a);
        drills.push_back(a + a);
    }
    for (std::size_t i = 0; i < letters.size(); ++i)
        for (std::size_t j = i + 1; j < letters.size(); ++j) {
            drills.push_back(letters[i] + letters[j]);
            drills.push_back(letters[j] + letters[i]);
        }
    return drills;
}

bool WriteTailoredExercises(const std::string& child, const std::vector<std::string>& words,
                            const std::vector<std::string>& letters, long long now, TailoredExercise& made)
{
    std::string day = DateText(now);
    for (char& c : day)
        if (c == '/')
            c = '-';
    made = TailoredExercise();
    std::string name = ExerciseFileName(child + " " + day);
    std::string title = std::string(GetString(15, 54)) + " " + child;
    title = WithoutHotkeyMarks(title.c_str());
    if (!letters.empty()) {
        if (!Write(3, name, title, LetterDrills(letters)))
            return false;
        made = {3, name};
    }
    if (!words.empty()) {
        // Each word twice: the level asks for more words than were missed.
        std::vector<std::string> twice = words;
        twice.insert(twice.end(), words.begin(), words.end());
        if (!Write(1, name, title, twice))
            return false;
        made = {1, name};
    }
    return made.kind != 0;
}

}  // namespace stats
