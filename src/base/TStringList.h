#pragma once
// A list of dstring elements, loaded from and saved to CR LF text files.

#include "base/TList.h"
#include "platform/Files.h"

#include <string>

class dstring;

class TStringList : public TList {
public:
    // Longest line ReadLines takes in one piece; longer lines become several.
    static constexpr int kMaxLineLength = 1023;

    // Case-insensitive text order; 0 when either element or text is missing.
    int Compare(const TElement* a, const TElement* b) const override;

    const char* TextAt(int index) const;
    int IndexOfText(const char* text) const;
    dstring* StringAt(int index) const;
    int AppendText(const char* text);

    // Appends every line of the file, empty ones included. Lines end at LF,
    // CR LF or any run of CR before a LF, or at a CR alone; false when the
    // file cannot be read.
    bool ReadLines(const char* path);
    // Writes every text followed by CR LF (unless it already ends so); the old
    // file is replaced only once the new one is complete.
    bool WriteLines(const char* path, platform::Trust trust = platform::Trust::kOwn) const;
    // The bytes WriteLines would write.
    std::string ToCrLfText() const;

    // Cuts the text at alternating delimiters (first, second, first, ...) and
    // appends every piece, empty ones included; returns the new count.
    int SplitText(const char* text, char first, char second);
};
