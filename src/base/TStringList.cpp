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
            unsigned char c = bytes[i++];
            if (c == '\n') {
                ended = true;
                break;
            }
            line.push_back(static_cast<char>(c));
        }
        // A piece cut at the length limit still takes its own line end, so a
        // line of exactly the limit does not leave an empty line behind it.
        if (!ended && i < n && bytes[i] == '\n')
            ++i;
        else if (!ended && i + 1 < n && bytes[i] == '\r' && bytes[i + 1] == '\n')
            i += 2;
        // A line is a text: it ends at a zero byte, and its line end is
        // stripped from there (else a CR before the zero would stay).
        line.resize(std::strlen(line.c_str()));
        while (!line.empty() && (line.back() == '\r' || line.back() == '\n'))
            line.pop_back();
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

bool TStringList::WriteLines(const char* path) const
{
    std::string bytes = ToCrLfText();
    if (!platform::ReplaceFileContents(path, bytes.data(), bytes.size())) {
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
