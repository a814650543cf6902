#pragma once
// A list element holding one zero-terminated text in its data buffer; the
// data length includes the terminator.

#include "base/TElement.h"

class dstring : public TElement {
public:
    explicit dstring(const char* text = nullptr);

    // Replaces the text by a copy of `text`; a null text leaves no text at all.
    void SetText(const char* text);
    bool HasText() const { return Data() != nullptr; }
    // The text, or the empty text when there is none.
    const char* Text() const;
    char* MutableText() { return reinterpret_cast<char*>(Data()); }
};
