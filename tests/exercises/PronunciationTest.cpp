// How the voice says a word, written after it on its line in double
// brackets: never matched, shown or typed, kept byte for byte by the
// editors, gathered for the whole exercise when a level is played.

#include "exercises/ExerciseKinds.h"
#include "exercises/TExerciseDocument.h"
#include "exercises/WordLines.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

using exercise::SplitPronunciation;

TEST(PronunciationTest, OnlyAClosedBracketPartAtTheEndIsAPronunciation)
{
    std::string phonemes;
    EXPECT_EQ(SplitPronunciation("perch\xe9 [[perk'e]]", &phonemes), "perch\xe9");
    EXPECT_EQ(phonemes, "perk'e");
    EXPECT_EQ(SplitPronunciation("c_s_ aa [[k'aza]]", &phonemes), "c_s_ aa");
    EXPECT_EQ(phonemes, "k'aza");
    // The space before it is the only one taken: a "Completa" word with no
    // hidden letter keeps its own.
    EXPECT_EQ(SplitPronunciation("casa  [[k'aza]]", &phonemes), "casa ");
    for (const char* line : {"casa", "casa [[k'aza", "casa [[]]", "casa[[k'aza]]", "[[k'aza]]", "a [[b]] c"}) {
        EXPECT_EQ(SplitPronunciation(line, &phonemes), line) << line;
        EXPECT_EQ(phonemes, "") << line;
    }
}

TEST(PronunciationTest, ACompletaWordKeepsItsPronunciationThroughTheEditor)
{
    std::string word, mask;
    ASSERT_EQ(exercise::DecodeWordLine("c_s_ aa [[k'aza]]", word, mask), 0);
    EXPECT_EQ(word, "casa [[k'aza]]");
    EXPECT_EQ(mask.substr(0, 4), "0101");
    EXPECT_EQ(mask.find('1', 4), std::string::npos);  // nothing of it hidden
    EXPECT_EQ(exercise::EncodeWordLine(word, mask), "c_s_ aa [[k'aza]]");
    // Without one, as before.
    ASSERT_EQ(exercise::DecodeWordLine("c_s_ aa", word, mask), 0);
    EXPECT_EQ(exercise::EncodeWordLine(word, mask), "c_s_ aa");
    EXPECT_EQ(exercise::DecodeWordLine("c_s_ a [[k'aza]]", word, mask), exercise::kErrorTooManyBlanks);
}

TEST(PronunciationTest, EveryKindIsSavedByteForByteAndKeysIgnoreIt)
{
    TempFolder folder;
    const std::string levels = "\r\n\r\n2\r\nParole\r\nperch\xe9 [[perk'e]]\r\npesca [[p'eska]]\r\nmare\r\n";
    const std::string complete = "\r\n\r\n1\r\nVocali\r\nc_s_ aa [[k'aza]]\r\nm_r_ ae\r\n";
    std::string path = folder / "es";
    for (auto [kind, text] : {std::pair{exercise::kLevels, levels}, std::pair{exercise::kComplete, complete}}) {
        folder.Write("es", text);
        TExerciseDocument document;
        ASSERT_EQ(document.Load(path.c_str()), 0);
        ASSERT_TRUE(document.Save(path.c_str(), kind));
        EXPECT_EQ(folder.Read("es"), text);
    }
    // A keys exercise: the header is the keys of the words, not of how
    // they are said.
    folder.Write("es", "\r\n\r\n1\r\nTasti\r\nas [[a'zz]]\r\nsa\r\n");
    TExerciseDocument document;
    ASSERT_EQ(document.Load(path.c_str()), 0);
    ASSERT_TRUE(document.Save(path.c_str(), exercise::kKeys));
    EXPECT_EQ(folder.Read("es"), "AS\r\n\r\n1\r\nTasti\r\nas [[a'zz]]\r\nsa\r\n");
}

TEST(PronunciationTest, PlayGetsTheWordsWithoutItAndTheWholeFilesPronunciations)
{
    TempFolder folder;
    // The second level is never played (count 0): it tells how words of
    // every level are said, and another copy of the program skips it.
    folder.Write("es", "\r\n\r\n2\r\nParole\r\nperch\xe9\r\npesca [[p'eska]]\r\n\r\n0\r\nPronuncia\r\nperch\xe9 [[perk'e]]\r\n");
    PlayLevel level = LoadLevelForPlay((folder / "es").c_str(), 0);
    ASSERT_EQ(level.status, exercise::kLevelFound);
    std::sort(level.words.begin(), level.words.end());
    EXPECT_EQ(level.words, (std::vector<std::string>{"perch\xe9", "pesca"}));
    EXPECT_EQ(level.pronunciations.at("perch\xe9"), "perk'e");
    EXPECT_EQ(level.pronunciations.at("pesca"), "p'eska");
    EXPECT_EQ(LoadLevelForPlay((folder / "es").c_str(), 1).status, exercise::kNoLevelLeft);
    // A "Completa" line whose only space is the pronunciation's has no
    // letters to fill in.
    folder.Write("es", "\r\n\r\n1\r\nT\r\ncasa [[k'aza]]\r\n");
    EXPECT_EQ(LoadLevelForPlay((folder / "es").c_str(), 0, true).status, exercise::kErrorNoSpace);
}
