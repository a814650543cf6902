#pragma once
// Shows a text file: a small fixed subset of HTML (headings, paragraphs
// with alignment, bold, italic, centre, font face/size/colour, lists, line
// breaks, preformatted text, the page colour) or, on request, plain text.
// The file is laid out once into positioned pieces and drawn in a
// scrollable area.

#include "ui/TGroup.h"
#include "base/TStringList.h"
#include "base/dstring.h"

#include <cstdint>
#include <memory>
#include <string>

class TFont;
class TScrollBar;

namespace html {

constexpr unsigned kPlainText = 0x20000;  // viewer option

constexpr unsigned kBreakAfter = 0x01;
constexpr unsigned kUnderline = 0x02;
constexpr unsigned kUnordered = 0x04;
constexpr unsigned kOrdered = 0x08;
constexpr unsigned kItemStart = 0x10;
constexpr unsigned kWrapped = 0x20;
constexpr unsigned kHeadingFirst = 0x40;
constexpr unsigned kHeadingLast = 0x80;

}  // namespace html

// One run of text in one font and colour.
class dHTMLstring : public dstring {
public:
    using dstring::dstring;
    int x = 0, y = 0, width = 0, height = 0;
    int alignment = 0;  // 0 left, 1 centre, 2 right, 3 justify
    TFont* font = nullptr;
    std::uint32_t colour = 0;
    unsigned flags = 0;
    int indent = 0;
    int number = 0;
};

// An opened face and size, kept while the viewer lives.
class THTMLFont : public TElement {
public:
    std::string face;
    int size = 0;
    std::unique_ptr<TFont> font;
};

class THTMLViewer : public TGroup {
public:
    THTMLViewer(int left, int top, int right, int bottom, const char* path, unsigned options);
    ~THTMLViewer() override;

    void DrawBody() override;
    void DrawFrame() override;
    void HandleEvent(TEvent& event) override;

    TStringList& Pieces() { return pieces_; }
    dHTMLstring* Piece(int i) const { return static_cast<dHTMLstring*>(pieces_.At(i)); }
    int DocumentHeight() const { return documentHeight_; }
    int ScrollOffset() const { return scroll_; }
    int Margin() const { return margin_; }
    int TextAreaWidth() const { return areaWidth_; }
    int VisibleHeight() const { return visibleHeight_; }
    std::uint32_t Background() const { return background_; }
    TScrollBar* ScrollBar() const { return bar_; }
    // One line of body text, in pixels: an arrow click, a third of a wheel notch.
    int LineStep() const { return lineStep_; }
    // Moves the text by that many pixels (negative: back), within its range.
    void ScrollBy(int pixels);

private:
    friend class HtmlParser;
    void Load(const char* path);
    void LayOutPlainText(const TStringList& lines);
    void LayOutLines();
    TFont* FontFor(const std::string& face, int size);

    TStringList pieces_;
    TList fonts_;
    TScrollBar* bar_ = nullptr;
    Rect area_{};
    int areaWidth_ = 0, visibleHeight_ = 0, margin_ = 0;
    int scroll_ = 0;
    int lineStep_ = 1;
    int documentHeight_ = 0;
    std::uint32_t background_;
};
