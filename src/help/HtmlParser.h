#pragma once
// Turns the lines of an HTML-subset page into the viewer's pieces (text,
// font, colour, flags), before they are laid out into lines.

#include <cstdint>
#include <string>
#include <vector>

class THTMLViewer;
class TStringList;

class HtmlParser {
public:
    explicit HtmlParser(THTMLViewer& viewer);
    void Parse(const TStringList& lines);

    // "#rrggbb" (quotes and "#" optional) as a pixel that is never one of
    // the colour numbers 1..31; false when fewer than six characters remain.
    static bool ParseColour(const std::string& value, std::uint32_t& pixel);

    // The style of text outside any tag.
    static constexpr const char* kBodyFace = "arial";
    static constexpr int kBodySize = 16;

private:
    struct Style {
        std::string face = kBodyFace;
        int size = kBodySize;
        int alignment = 0;
        std::uint32_t colour = 0;
        int number = 0;
    };

    void Text(char c);
    void MakePiece(bool lineEnd);
    void Tag(std::string tag);
    void Save();
    bool Restore(bool face, bool size, bool alignment, bool colour, bool number);
    void MarkLast(unsigned flags);
    static std::string Attribute(const std::string& tag, const char* name);

    THTMLViewer& viewer_;
    Style style_;
    std::vector<Style> saved_;
    bool bold_ = false, italic_ = false, pre_ = false;
    unsigned flags_ = 0;
    int indent_ = 0;
    int y_ = 0;
    std::string text_;
};
