#include "base/TStringList.h"

#include "platform/Files.h"
#include "base/TextHelpers.h"
#include "base/dstring.h"

#include <cstdio>
#include <cstring>
#include <vector>

int TStringList::Compare(const TElement* a, const TElement* b) const
{
    auto* sa = dynamic_cast<const dstring*>(a);
    auto* sb = dynamic_cast<const dstring*>(b);
    if (!sa || !sb || !sa->HasText() || !sb->HasText())
        return 0;
    return CompareNoCase(sa->Text(), sb->Text());
}

dstring* TStringList::StringAt(int index) const
{
    return dynamic_cast<dstring*>(At(index));
}

const char* TStringList::TextAt(int index) const
{
    dstring* s = StringAt(index);
    return s ? s->Text() : "";
}

int TStringList::IndexOfText(const char* text) const
{
    if (!text)
        return -1;
    int index = 0;
    for (TElement* e = First(); e; e = e->Next(), ++index) {
        auto* s = dynamic_cast<dstring*>(e);
        if (s && s->HasText() && CompareNoCase(s->Text(), text) == 0)
            return index;
    }
    return -1;
}

int TStringList::AppendText(const char* text)
{
    return Append(new dstring(text));
}

namespace {

// Where the line end at `at` (a CR or an LF) stops. CRs before an LF are
// one line end with it (CR LF, or CR CR LF from a file converted twice); a
// CR with no LF after it ends a line on its own, as in files saved with old
// Macintosh line ends, where two in a row make an empty line.
std::size_t PastLineEnd(const std::vector<unsigned char>& bytes, std::size_t at)
{
    if (bytes[at] == '\n')
        return at + 1;
    std::size_t next = at;
    while (next < bytes.size() && bytes[next] == '\r')
        ++next;
    return next < bytes.size() && bytes[next] == '\n' ? next + 1 : at + 1;
}

bool IsLineEnd(unsigned char c)
{
    return c == '\n' || c == '\r';
}

}  // namespace

bool TStringList::ReadLines(const char* path)
{
    std::vector<unsigned char> bytes;
    if (!platform::ReadWholeFile(path, bytes))
        return false;
    std::string line;
    std::size_t i = 0;
    const std::size_t n = bytes.size();
    while (i < n) {
        line.clear();
        bool ended = false;
        while (i < n && line.size() < static_cast<std::size_t>(kMaxLineLength)) {
            if (IsLineEnd(bytes[i])) {
                i = PastLineEnd(bytes, i);
                ended = true;
                break;
            }
            line.push_back(static_cast<char>(bytes[i++]));
        }
        // A piece cut at the length limit still takes its own line end, so a
        // line of exactly the limit does not leave an empty line behind it.
        if (!ended && i < n && IsLineEnd(bytes[i]))
            i = PastLineEnd(bytes, i);
        // A line is a text: it ends at a zero byte.
        line.resize(std::strlen(line.c_str()));
        AppendText(line.c_str());
    }
    return true;
}

std::string TStringList::ToCrLfText() const
{
    std::string out;
    for (TElement* e = First(); e; e = e->Next()) {
        auto* s = dynamic_cast<dstring*>(e);
        const char* text = s ? s->Text() : "";
        std::string piece(text);
        out += piece;
        bool endsWithCrLf = piece.size() >= 2 && piece.compare(piece.size() - 2, 2, "\r\n") == 0;
        if (!endsWithCrLf)
            out += "\r\n";
    }
    return out;
}

bool TStringList::WriteLines(const char* path, platform::Trust trust) const
{
    std::string bytes = ToCrLfText();
    if (!platform::ReplaceFileContents(path, bytes.data(), bytes.size(), trust)) {
        std::fprintf(stderr, "Impossibile creare il file %s\n", path);
        return false;
    }
    return true;
}

int TStringList::SplitText(const char* text, char first, char second)
{
    if (!text)
        return Count();
    char delimiter = first;
    std::string piece;
    for (const char* p = text; *p; ++p) {
        if (*p == delimiter) {
            AppendText(piece.c_str());
            piece.clear();
            delimiter = (delimiter == first) ? second : first;
        } else {
            piece.push_back(*p);
        }
    }
    AppendText(piece.c_str());
    return Count();
}
