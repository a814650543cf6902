// The sample exercises shipped with the program load without an error and
// are the teaching material they claim to be.

#include "exercises/ExerciseKinds.h"
#include "exercises/TExerciseDocument.h"
#include "exercises/WordLines.h"
#include "platform/Paths.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>

namespace fs = std::filesystem;

namespace {

std::vector<fs::path> Exercises(int kind)
{
    std::vector<fs::path> files;
    fs::path folder = fs::path(QUOLI_STAGE_DIR) / "Esercizi" / exercise::KindFolder(kind);
    for (const auto& entry : fs::directory_iterator(folder))
        if (platform::Latin1ToUtf8(entry.path().extension().string()) == exercise::KindExtension(kind))
            files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

}  // namespace

TEST(ExerciseContentTest, EveryKindHasItsSamples)
{
    EXPECT_GE(Exercises(exercise::kLevels).size(), 4u);
    EXPECT_GE(Exercises(exercise::kComplete).size(), 3u);
    EXPECT_GE(Exercises(exercise::kKeys).size(), 3u);
}

TEST(ExerciseContentTest, SamplesLoadAndGrowLevelByLevel)
{
    for (int kind = 1; kind <= 3; ++kind)
        for (const fs::path& file : Exercises(kind)) {
            SCOPED_TRACE(file.filename().string());
            std::string bytes = ReadBinaryFile(file.string());
            EXPECT_NE(bytes.find("\r\n"), std::string::npos);
            EXPECT_EQ(bytes.find("\xC3"), std::string::npos) << "UTF-8 instead of Latin-1";

            TExerciseDocument document;
            ASSERT_EQ(document.Load(file.string().c_str()), 0) << "line " << document.ErrorLine();
            EXPECT_GE(document.LevelCount(), 4);
            EXPECT_LE(document.LevelCount(), 8);
            EXPECT_EQ(CountLevels(file.string().c_str()), document.LevelCount());
            for (int l = 0; l < document.LevelCount(); ++l) {
                TStringList* level = document.Level(l);
                // The last level may only tell the voice how words are said:
                // 0 words to hit, so that no copy of the program plays it.
                if (l == document.LevelCount() - 1 && std::string(level->TextAt(2)) == "Pronuncia") {
                    EXPECT_STREQ(level->TextAt(1), "0");
                    EXPECT_EQ(kind, exercise::kLevels) << "another copy's Completa editor refuses such lines";
                    for (int w = 3; w < level->Count(); ++w) {
                        std::string phonemes, word = exercise::SplitPronunciation(level->TextAt(w), &phonemes);
                        EXPECT_FALSE(phonemes.empty()) << level->TextAt(w);
                        EXPECT_LE(word.size(), 25u) << word;
                    }
                    EXPECT_EQ(LoadLevelForPlay(file.string().c_str(), l).status, exercise::kNoLevelLeft);
                    continue;
                }
                EXPECT_GE(std::atoi(level->TextAt(1)), 1);
                EXPECT_GE(level->Count(), 4) << "level " << l << " has no words";
                EXPECT_STRNE(level->TextAt(2), "");
                for (int w = 3; w < level->Count(); ++w) {
                    std::string word = level->TextAt(w);
                    EXPECT_LE(word.size(), 25u) << word;
                    if (kind == exercise::kComplete) {
                        std::size_t space = word.find(' ');
                        ASSERT_NE(space, std::string::npos) << word;
                        long hidden = std::count(word.begin(), word.begin() + static_cast<long>(space), '_');
                        EXPECT_EQ(hidden, static_cast<long>(word.size() - space - 1)) << word;
                    }
                    if (kind == exercise::kKeys) {
                        EXPECT_EQ(word.find(' '), std::string::npos) << word;
                    }
                }
                PlayLevel play = LoadLevelForPlay(file.string().c_str(), l);
                EXPECT_EQ(play.status, exercise::kLevelFound);
                EXPECT_EQ(play.levelIndex, l);
            }
            if (kind == exercise::kKeys) {
                EXPECT_EQ(document.Header(), document.KeySet());
            }
        }
}

// What the editors write is what they read: every sample saved again
// without a change is the same file byte for byte, and every "Completa"
// word survives being split into word and mask and joined again.
TEST(ExerciseContentTest, SamplesSaveBackByteForByte)
{
    TempFolder out;
    for (int kind = 1; kind <= 3; ++kind)
        for (const fs::path& file : Exercises(kind)) {
            SCOPED_TRACE(file.filename().string());
            TExerciseDocument document;
            ASSERT_EQ(document.Load(file.string().c_str()), 0);
            std::string copy = out / "copy.txt";
            ASSERT_TRUE(document.Save(copy.c_str(), kind));
            EXPECT_EQ(ReadBinaryFile(copy), ReadBinaryFile(file.string()));
            if (kind != exercise::kComplete)
                continue;
            for (int l = 0; l < document.LevelCount(); ++l)
                for (int w = 3; w < document.Level(l)->Count(); ++w) {
                    std::string line = document.Level(l)->TextAt(w), word, mask;
                    ASSERT_EQ(exercise::DecodeWordLine(line, word, mask), 0) << line;
                    EXPECT_EQ(exercise::EncodeWordLine(word, mask), line);
                }
        }
}

// A "Completa" line shows the word with "_" where letters are hidden and
// lists the hidden letters after the space: putting them back in order must
// give exactly the word the editors read, every other letter standing as
// shown, and at least one letter must be left for the child to type.
TEST(ExerciseContentTest, CompletaWordsDifferFromTheirAnswerOnlyAtTheBlanks)
{
    int checked = 0;
    for (const fs::path& file : Exercises(exercise::kComplete)) {
        SCOPED_TRACE(file.filename().string());
        TExerciseDocument document;
        ASSERT_EQ(document.Load(file.string().c_str()), 0);
        for (int l = 0; l < document.LevelCount(); ++l)
            for (int w = 3; w < document.Level(l)->Count(); ++w) {
                std::string line = document.Level(l)->TextAt(w);
                SCOPED_TRACE(platform::Latin1ToUtf8(line));
                std::size_t space = line.find(' ');
                ASSERT_NE(space, std::string::npos);
                std::string shown = line.substr(0, space), letters = line.substr(space + 1);
                EXPECT_NE(shown.find('_'), std::string::npos) << "nothing left to complete";
                EXPECT_EQ(letters.find_first_of("_ "), std::string::npos) << "the hidden letters hold a blank or a space";

                std::string word, mask;
                ASSERT_EQ(exercise::DecodeWordLine(line, word, mask), 0);
                ASSERT_EQ(word.size(), shown.size());
                std::size_t next = 0;
                for (std::size_t p = 0; p < shown.size(); ++p) {
                    if (shown[p] == '_') {
                        ASSERT_LT(next, letters.size());
                        EXPECT_EQ(word[p], letters[next++]) << "position " << p;
                        EXPECT_EQ(mask[p], '1') << "position " << p;
                    } else {
                        EXPECT_EQ(word[p], shown[p]) << "position " << p;
                        EXPECT_EQ(mask[p], '0') << "position " << p;
                    }
                }
                EXPECT_EQ(next, letters.size());
                ++checked;
            }
    }
    EXPECT_GT(checked, 30) << "too few words found to check";
}

// A word twice in one level only makes the level shorter than it looks; in
// "Completa" two equal shown forms with different answers cannot both be
// guessed by a child.
TEST(ExerciseContentTest, NoLevelHasTheSameWordTwice)
{
    for (int kind = 1; kind <= 3; ++kind)
        for (const fs::path& file : Exercises(kind)) {
            SCOPED_TRACE(file.filename().string());
            TExerciseDocument document;
            ASSERT_EQ(document.Load(file.string().c_str()), 0);
            for (int l = 0; l < document.LevelCount(); ++l) {
                TStringList* level = document.Level(l);
                SCOPED_TRACE(platform::Latin1ToUtf8(level->TextAt(2)));
                std::set<std::string> words, shown;
                for (int w = 3; w < level->Count(); ++w) {
                    std::string line = level->TextAt(w);
                    EXPECT_TRUE(words.insert(line).second) << "twice: " << platform::Latin1ToUtf8(line);
                    if (kind == exercise::kComplete) {
                        std::string face = line.substr(0, line.find(' '));
                        EXPECT_TRUE(shown.insert(face).second) << "shown twice: " << platform::Latin1ToUtf8(face);
                    }
                }
            }
        }
}
