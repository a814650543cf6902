// The text-file line reader on hostile bytes: lines never hold a line feed
// nor end with a carriage return, none is longer than the reader's buffer,
// and what is written reads back as the same lines.

#include "FuzzScratch.h"
#include "base/dstring.h"
#include "base/TStringList.h"

#include <string>
#include <vector>

namespace {

std::vector<std::string> TextsOf(const TStringList& list)
{
    std::vector<std::string> texts;
    for (TElement* e = list.First(); e; e = e->Next())
        texts.push_back(static_cast<const dstring*>(e)->Text());
    return texts;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size)
{
    const std::string path = fuzz::ScratchFolder("lines") + "righe.txt";
    fuzz::WriteBytes(path, bytes, size);
    TStringList list;
    FUZZ_CHECK(list.ReadLines(path.c_str()));
    std::size_t total = 0;
    for (const std::string& line : TextsOf(list)) {
        FUZZ_CHECK(line.size() <= static_cast<std::size_t>(TStringList::kMaxLineLength));
        FUZZ_CHECK(line.find('\n') == std::string::npos);
        FUZZ_CHECK(line.empty() || line.back() != '\r');
        total += line.size();
    }
    FUZZ_CHECK(total <= size);
    // No line comes from nothing: every line but the last had an end.
    FUZZ_CHECK(static_cast<std::size_t>(list.Count()) <= size);
    if (size == 0)
        FUZZ_CHECK(list.Count() == 0);

    std::string copy = path + ".copy";
    FUZZ_CHECK(list.WriteLines(copy.c_str()));
    std::vector<unsigned char> written;
    FUZZ_CHECK(fuzz::ReadBytes(copy, written));
    FUZZ_CHECK(std::string(written.begin(), written.end()) == list.ToCrLfText());
    TStringList again;
    FUZZ_CHECK(again.ReadLines(copy.c_str()));
    FUZZ_CHECK(TextsOf(again) == TextsOf(list));
    return 0;
}
