#include "exercises/TExerciseDocument.h"

#include "app/Random.h"
#include "exercises/ExerciseKinds.h"
#include "exercises/WordLines.h"
#include "platform/Files.h"
#include "base/TextHelpers.h"
#include "base/dstring.h"

#include <algorithm>
#include <climits>
#include <cstring>

namespace {

// One level block as found in the file.
struct Block {
    int error = 0;
    int errorLine = 0;
    int count = 0;
    int title = 0;      // line index of the title
    int firstWord = 0;  // line index of the first word
    int end = 0;        // line index of the blank line that ends the words, or past the end
};

bool AllDigits(const char* text)
{
    if (!*text)
        return false;
    for (const char* p = text; *p; ++p)
        if (*p < '0' || *p > '9')
            return false;
    return true;
}

// The file's lines, reachable by index in constant time. Empty lines at the
// very end (a teacher's editor often leaves some) end the exercise rather
// than open a level that has no count.
class Lines {
public:
    explicit Lines(const char* path)
    {
        TStringList list;
        // Not read, yet there: a file that must never be saved over.
        unreadable_ = !list.ReadLines(path) && platform::FileExists(path);
        for (TElement* e = list.First(); e; e = e->Next())
            lines_.push_back(static_cast<dstring*>(e)->Text());
        while (lines_.size() > 1 && lines_.back().empty())
            lines_.pop_back();
    }
    int Count() const { return static_cast<int>(lines_.size()); }
    bool Unreadable() const { return unreadable_; }
    const char* TextAt(int i) const { return i >= 0 && i < Count() ? lines_[static_cast<std::size_t>(i)].c_str() : ""; }

private:
    std::vector<std::string> lines_;
    bool unreadable_ = false;
};

// Reads the block that starts at line `at`. A count too large for 32 bits
// is refused outright rather than wrapped round into a wrong number.
Block ReadBlock(const Lines& lines, int at, bool titleMayBeEmpty)
{
    Block block;
    int n = lines.Count();
    if (lines.TextAt(at)[0] != 0) {
        block.error = exercise::kErrorNoBlankLine;
        block.errorLine = at;
        return block;
    }
    const char* count = lines.TextAt(at + 1);
    if (at + 1 >= n || !AllDigits(count)) {
        block.error = exercise::kErrorBadCount;
        block.errorLine = at + 1;
        return block;
    }
    long long value = 0;
    for (const char* p = count; *p && value <= INT_MAX; ++p)
        value = value * 10 + (*p - '0');
    if (value > INT_MAX) {
        block.error = exercise::kErrorCountTooLarge;
        block.errorLine = at + 1;
        return block;
    }
    block.count = static_cast<int>(value);
    if (at + 2 >= n || (!titleMayBeEmpty && lines.TextAt(at + 2)[0] == 0)) {
        block.error = exercise::kErrorNoTitle;
        block.errorLine = at + 2;
        return block;
    }
    block.title = at + 2;
    block.firstWord = at + 3;
    block.end = block.firstWord;
    while (block.end < n && lines.TextAt(block.end)[0] != 0)
        ++block.end;
    return block;
}

}  // namespace

int TExerciseDocument::Load(const char* path)
{
    levels_.Clear();
    titles_.Clear();
    header_.clear();
    errorLine_ = 0;
    unread_.clear();
    Lines lines(path);
    unreadable_ = lines.Unreadable();
    if (lines.Count() < 2)
        return 0;
    SetHeader(lines.TextAt(0));
    for (int at = 1; at < lines.Count();) {
        Block block = ReadBlock(lines, at, false);
        if (block.error) {
            errorLine_ = block.errorLine;
            for (int rest = at; rest < lines.Count(); ++rest)
                unread_.push_back(lines.TextAt(rest));
            return block.error;
        }
        auto* level = new TStringList;
        level->AppendText("");
        level->AppendText(std::to_string(block.count).c_str());
        level->AppendText(lines.TextAt(block.title));
        for (int w = block.firstWord; w < block.end; ++w)
            level->AppendText(lines.TextAt(w));
        levels_.Append(level);
        titles_.AppendText(lines.TextAt(block.title));
        at = block.end;
    }
    return 0;
}

void TExerciseDocument::SetHeader(const std::string& header)
{
    header_ = header.substr(0, exercise::kMaxHeaderLength);
    while (!header_.empty() && header_.back() == '\r')
        header_.pop_back();
}

namespace {

// Sorted by byte value taken as signed, as the game's header is.
std::string SortedKeys(std::string keys)
{
    std::sort(keys.begin(), keys.end(), [](char a, char b) {
        return static_cast<signed char>(a) < static_cast<signed char>(b);
    });
    return keys;
}

}  // namespace

std::string TExerciseDocument::DistinctKeys() const
{
    std::string keys;
    for (TElement* e = levels_.First(); e; e = e->Next()) {
        auto* level = static_cast<TStringList*>(e);
        for (int w = 3; w < level->Count(); ++w)
            // How the voice says a word is not typed.
            for (char key : exercise::SplitPronunciation(level->TextAt(w))) {
                char c = ToUpperAscii(key);
                // A control character (a stray CR in a word) is no key a
                // child can type, and would end the header line early.
                if (static_cast<unsigned char>(c) >= ' ' && keys.find(c) == std::string::npos)
                    keys.push_back(c);
            }
    }
    return keys;
}

std::string TExerciseDocument::KeySet() const
{
    return SortedKeys(DistinctKeys().substr(0, exercise::kMaxHeaderLength));
}

std::string TExerciseDocument::LeftOutKeys() const
{
    std::string keys = DistinctKeys();
    return SortedKeys(keys.size() > exercise::kMaxHeaderLength ? keys.substr(exercise::kMaxHeaderLength) : "");
}

std::vector<std::string> TExerciseDocument::WordsUsing(const std::string& keys) const
{
    std::vector<std::string> words;
    for (TElement* e = levels_.First(); e; e = e->Next()) {
        auto* level = static_cast<TStringList*>(e);
        for (int w = 3; w < level->Count(); ++w) {
            const char* word = level->TextAt(w);
            for (const char* p = word; *p; ++p)
                if (keys.find(ToUpperAscii(*p)) != std::string::npos) {
                    words.push_back(word);
                    break;
                }
        }
    }
    return words;
}

bool TExerciseDocument::Save(const char* path, int kind)
{
    if (unreadable_)
        return false;
    if (kind == exercise::kKeys)
        header_ = KeySet();
    TStringList lines;
    lines.AppendText(header_.c_str());
    for (TElement* e = levels_.First(); e; e = e->Next()) {
        auto* level = static_cast<TStringList*>(e);
        for (int i = 0; i < level->Count(); ++i)
            lines.AppendText(level->TextAt(i));
    }
    // Kept apart from a level added before it, so it stays what it was.
    if (!unread_.empty() && !unread_.front().empty() && levels_.Count() > 0)
        lines.AppendText("");
    for (const std::string& line : unread_)
        lines.AppendText(line.c_str());
    return lines.WriteLines(path);
}

int CountLevels(const char* path)
{
    Lines lines(path);
    if (lines.Count() < 2)
        return 0;
    int count = 0;
    for (int at = 1; at < lines.Count(); ++count) {
        Block block = ReadBlock(lines, at, true);
        if (block.error)
            break;
        at = block.end;
    }
    return count;
}

void ShuffleWords(std::vector<std::string>& words)
{
    int n = static_cast<int>(words.size());
    for (int p = 0; p < n; ++p)
        std::swap(words[static_cast<std::size_t>(p)], words[static_cast<std::size_t>(RandomBetween(0, n - 1))]);
}

PlayLevel LoadLevelForPlay(const char* path, int levelIndex, bool completion)
{
    PlayLevel play;
    play.levelIndex = levelIndex < 0 ? 0 : levelIndex;
    Lines lines(path);
    if (lines.Count() < 2) {
        play.status = exercise::kErrorTooShort;
        return play;
    }
    play.header = std::string(lines.TextAt(0)).substr(0, exercise::kMaxHeaderLength);
    int block = 0;
    for (int at = 1; at < lines.Count(); ++block) {
        Block b = ReadBlock(lines, at, true);
        if (b.error) {
            play.status = b.error;
            play.errorLine = b.errorLine;
            return play;
        }
        at = b.end;
        if (block < play.levelIndex)
            continue;
        // An empty level is skipped: the next block takes its place.
        if (b.count == 0 || b.end == b.firstWord) {
            ++play.levelIndex;
            continue;
        }
        play.target = b.count;
        play.title = lines.TextAt(b.title);
        for (int w = b.firstWord; w < b.end; ++w) {
            std::string word = exercise::SplitPronunciation(lines.TextAt(w));
            // A "Completa" word without its letters to fill in could never
            // fall: the child would wait for nothing.
            if (completion && word.find(' ') == std::string::npos) {
                play.status = exercise::kErrorNoSpace;
                play.errorLine = w;
                play.words.clear();
                return play;
            }
            play.words.push_back(word);
        }
        // How the voice says the words: from any line of the file that
        // tells it, the level's own or a level never played (count 0).
        for (int w = 1; w < lines.Count(); ++w) {
            std::string phonemes, word = exercise::SplitPronunciation(lines.TextAt(w), &phonemes);
            if (!phonemes.empty())
                play.pronunciations[word] = phonemes;
        }
        ShuffleWords(play.words);
        return play;
    }
    play.status = exercise::kNoLevelLeft;
    return play;
}
