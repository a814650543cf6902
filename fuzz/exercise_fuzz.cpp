// Exercise files on hostile bytes: levels taken for play at several
// indexes (the words those of the level, shuffled), the file loaded for
// editing, saved (as words and as keys, whose header is made anew) and
// loaded again: what comes back is what was saved.

#include "FuzzScratch.h"
#include "base/dstring.h"
#include "app/Random.h"
#include "exercises/ExerciseKinds.h"
#include "exercises/TExerciseDocument.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

Lines TextsOf(const TStringList& list)
{
    Lines texts;
    for (TElement* e = list.First(); e; e = e->Next())
        texts.push_back(static_cast<const dstring*>(e)->Text());
    return texts;
}

std::vector<Lines> LevelsOf(TExerciseDocument& doc)
{
    std::vector<Lines> levels;
    for (TElement* e = doc.Levels().First(); e; e = e->Next())
        levels.push_back(TextsOf(*static_cast<const TStringList*>(e)));
    return levels;
}

void CheckPlay(const char* path, int index, bool completion)
{
    PlayLevel play = LoadLevelForPlay(path, index, completion);
    if (play.status != 0) {
        FUZZ_CHECK(play.words.empty());
        return;
    }
    FUZZ_CHECK(play.levelIndex >= std::max(index, 0));
    FUZZ_CHECK(play.target > 0 && !play.words.empty());
    FUZZ_CHECK(play.header.size() <= static_cast<std::size_t>(exercise::kMaxHeaderLength));
    for (const std::string& w : play.words) {
        FUZZ_CHECK(!w.empty() && w.find('\n') == std::string::npos);
        if (completion)
            FUZZ_CHECK(w.find(' ') != std::string::npos);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size)
{
    const std::string& folder = fuzz::ScratchFolder("exercise");
    const std::string path = folder + "Esercizio.LEV", saved = folder + "Salvato.LEV";
    fuzz::WriteBytes(path, bytes, size);
    SeedRandom(static_cast<unsigned>(size));

    // Below the first level, the second ("Completa" rules) and far on.
    for (int index : {-1, 1, 7})
        CheckPlay(path.c_str(), index, index == 1);

    TExerciseDocument doc;
    int error = doc.Load(path.c_str());
    FUZZ_CHECK(doc.Header().size() <= static_cast<std::size_t>(exercise::kMaxHeaderLength));
    FUZZ_CHECK(doc.Titles().Count() == doc.LevelCount());
    std::vector<Lines> levels = LevelsOf(doc);
    const Lines titles = TextsOf(doc.Titles());
    for (std::size_t i = 0; i < levels.size(); ++i) {
        const Lines& level = levels[i];
        FUZZ_CHECK(level.size() >= 3 && level[0].empty() && !level[2].empty());
        FUZZ_CHECK(level[2] == titles[i]);
        // A level read for editing is the level the game plays, when it has
        // words to play (the first two and the last: each is a whole read).
        if (level[1] == "0" || level.size() == 3 || (i >= 2 && i + 1 != levels.size()))
            continue;
        PlayLevel play = LoadLevelForPlay(path.c_str(), static_cast<int>(i));
        FUZZ_CHECK(play.status == 0 && play.levelIndex == static_cast<int>(i));
        FUZZ_CHECK(std::to_string(play.target) == level[1] && play.title == level[2]);
        Lines words(level.begin() + 3, level.end());
        std::sort(words.begin(), words.end());
        std::sort(play.words.begin(), play.words.end());
        FUZZ_CHECK(words == play.words);
    }
    if (error == 0)
        FUZZ_CHECK(CountLevels(path.c_str()) == doc.LevelCount());

    // Saving differs only for "Tasti", whose header is made anew.
    for (int kind : {exercise::kLevels, exercise::kKeys}) {
        if (!doc.Save(saved.c_str(), kind))
            continue;
        TExerciseDocument again;
        // What could not be read is saved as it was, so it fails alike.
        FUZZ_CHECK(again.Load(saved.c_str()) == error);
        // A file without levels is its header line alone, which reads as
        // no header at all.
        if (error == 0)
            FUZZ_CHECK(again.Header() == (doc.LevelCount() > 0 ? doc.Header() : std::string()));
        FUZZ_CHECK(LevelsOf(again) == LevelsOf(doc));
        FUZZ_CHECK(TextsOf(again.Titles()) == TextsOf(doc.Titles()));
        // The unread rest may hold blocks the counter takes (an empty title).
        if (kind == exercise::kKeys && error == 0)
            FUZZ_CHECK(CountLevels(saved.c_str()) == doc.LevelCount());
    }
    return 0;
}
