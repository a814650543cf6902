#include "help/HtmlParser.h"

#include "gfx/Colours.h"
#include "gfx/Display.h"
#include "gfx/Screen.h"
#include "gfx/TFont.h"
#include "gfx/Text.h"
#include "help/THTMLViewer.h"
#include "base/dstring.h"

#include <algorithm>

namespace {

constexpr int kHeadingSizes[6] = {24, 20, 18, 16, 13, 10};

int Hex(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return 0;
}

}  // namespace

HtmlParser::HtmlParser(THTMLViewer& viewer) : viewer_(viewer), y_(viewer.margin_) {}

bool HtmlParser::ParseColour(const std::string& value, std::uint32_t& pixel)
{
    std::size_t at = 0;
    if (at < value.size() && value[at] == '"')
        ++at;
    if (at < value.size() && value[at] == '#')
        ++at;
    if (value.size() - at < 6)
        return false;
    int rgb[3];
    for (int i = 0; i < 3; ++i)
        rgb[i] = Hex(value[at + 2 * i]) * 16 + Hex(value[at + 2 * i + 1]);
    pixel = PixelOf(static_cast<std::uint8_t>(rgb[0]), static_cast<std::uint8_t>(rgb[1]), static_cast<std::uint8_t>(rgb[2]));
    // A pixel value of 1..31 would be read as a colour number.
    if (pixel >= 1 && pixel <= 31) {
        rgb[0] = rgb[0] ? rgb[0] : 4;
        rgb[1] = rgb[1] ? rgb[1] : 4;
        pixel = PixelOf(static_cast<std::uint8_t>(rgb[0]), static_cast<std::uint8_t>(rgb[1]), static_cast<std::uint8_t>(rgb[2]));
    }
    return true;
}

std::string HtmlParser::Attribute(const std::string& tag, const char* name)
{
    std::size_t at = tag.find(name);
    if (at == std::string::npos)
        return std::string();
    at += std::char_traits<char>::length(name);
    std::size_t end;
    if (at < tag.size() && tag[at] == '"') {
        end = tag.find('"', at + 1);
        return tag.substr(at, end == std::string::npos ? std::string::npos : end - at + 1);
    }
    end = tag.find(' ', at);
    return tag.substr(at, end == std::string::npos ? std::string::npos : end - at);
}

void HtmlParser::Text(char c)
{
    if (pre_) {
        text_.push_back(c);
        return;
    }
    if (c == ' ' || c == '\t') {
        if (!text_.empty() && text_.back() != ' ')
            text_.push_back(' ');
        return;
    }
    text_.push_back(c);
}

void HtmlParser::MakePiece(bool lineEnd)
{
    if (!pre_) {
        while (!text_.empty() && text_.back() == ' ')
            text_.pop_back();
        if (text_.empty())
            return;
    }
    std::string face = style_.face;
    if (!face.empty())
        face += bold_ && italic_ ? "bi" : bold_ ? "bd" : italic_ ? "i" : "";
    auto* piece = new dHTMLstring(text_.c_str());
    piece->font = viewer_.FontFor(face, style_.size);
    {
        DrawingState saved;
        theScreen.font = piece->font;
        piece->width = TextWidth(text_.c_str());
        piece->height = LineHeight();
    }
    piece->colour = style_.colour;
    piece->indent = indent_;
    piece->number = style_.number;
    piece->flags = flags_ | (lineEnd ? html::kBreakAfter : 0);
    piece->alignment = pre_ ? 0 : style_.alignment;
    piece->x = viewer_.margin_;
    piece->y = y_;
    y_ += piece->height;
    viewer_.pieces_.Append(piece);
    flags_ &= ~(html::kBreakAfter | html::kItemStart | html::kHeadingFirst);
    text_.clear();
}

void HtmlParser::MarkLast(unsigned flags)
{
    if (auto* last = static_cast<dHTMLstring*>(viewer_.pieces_.Last()))
        last->flags |= flags;
}

void HtmlParser::Save()
{
    saved_.push_back(style_);
}

bool HtmlParser::Restore(bool face, bool size, bool alignment, bool colour, bool number)
{
    if (saved_.empty())
        return false;
    const Style& s = saved_.back();
    if (face)
        style_.face = s.face;
    if (size)
        style_.size = s.size;
    if (alignment)
        style_.alignment = s.alignment;
    if (colour)
        style_.colour = s.colour;
    if (number)
        style_.number = s.number;
    saved_.pop_back();
    return true;
}

void HtmlParser::Tag(std::string tag)
{
    for (char& c : tag)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    std::string clean;
    for (char c : tag)
        if (!(c == ' ' && (clean.empty() || clean.back() == ' ')))
            clean.push_back(c);
    while (!clean.empty() && clean.back() == ' ')
        clean.pop_back();
    bool closing = !clean.empty() && clean[0] == '/';
    std::string name = closing ? clean.substr(1) : clean;
    int step = Scaled(30);
    auto blankLine = [&] {
        auto* last = static_cast<dHTMLstring*>(viewer_.pieces_.Last());
        if (!last || (last->flags & html::kBreakAfter)) {
            std::string keep = text_;
            bool keepPre = pre_;
            text_.clear();
            pre_ = true;  // an empty piece of one line
            flags_ |= html::kBreakAfter;
            MakePiece(false);
            pre_ = keepPre;
            text_ = keep;
        } else {
            last->flags |= html::kBreakAfter;
        }
    };

    if (name.rfind("body ", 0) == 0) {
        if (!closing) {
            std::uint32_t pixel;
            if (ParseColour(Attribute(name, "bgcolor="), pixel))
                viewer_.background_ = pixel;
        }
    } else if (name == "b") {
        bold_ = !closing;
    } else if (name == "i") {
        italic_ = !closing;
    } else if (name == "u") {
        flags_ |= html::kUnderline;
    } else if (name == "center") {
        if (closing)
            Restore(false, false, true, false, false);
        else {
            Save();
            style_.alignment = 1;
        }
    } else if (name.size() == 2 && name[0] == 'h' && name[1] >= '1' && name[1] <= '6') {
        if (closing) {
            MarkLast(html::kBreakAfter | html::kHeadingLast);
            Restore(true, true, false, true, false);
        } else {
            MarkLast(html::kBreakAfter);
            Save();
            flags_ |= html::kHeadingFirst;
            style_.size = kHeadingSizes[name[1] - '1'];
        }
    } else if (name == "p" || name.rfind("p ", 0) == 0) {
        if (closing) {
            Restore(false, false, true, false, false);
            MarkLast(html::kBreakAfter);
        } else {
            Save();
            std::string align = Attribute(name, "align=");
            align.erase(std::remove(align.begin(), align.end(), '"'), align.end());
            if (align == "justify")
                style_.alignment = 3;
            else if (align == "left")
                style_.alignment = 0;
            else if (align == "right")
                style_.alignment = 2;
            else if (align == "center")
                style_.alignment = 1;
        }
    } else if (name == "pre") {
        if (closing) {
            Restore(true, true, false, true, false);
            pre_ = false;
            MarkLast(html::kBreakAfter);
        } else {
            Save();
            style_.face.clear();
            style_.size = 0;
            pre_ = true;
        }
    } else if (name == "ul" || name == "ol") {
        unsigned kind = name == "ul" ? html::kUnordered : html::kOrdered;
        if (closing) {
            Restore(false, false, false, false, true);
            flags_ &= ~kind;
            indent_ = std::max(0, indent_ - step);
        } else {
            Save();
            indent_ += step;
            flags_ |= kind;
            style_.number = name == "ul" ? 0 : 1;
        }
    } else if (name == "li") {
        MarkLast(html::kBreakAfter);
        if (closing) {
            if (style_.number != 0)
                ++style_.number;
        } else {
            flags_ |= html::kItemStart;
        }
    } else if (name == "br") {
        blankLine();
    } else if (name.rfind("font", 0) == 0) {
        if (closing) {
            Restore(true, true, false, true, false);
        } else {
            Save();
            std::string face = Attribute(name, "face=");
            face.erase(std::remove(face.begin(), face.end(), '"'), face.end());
            if (!face.empty())
                style_.face = face;
            std::string size = Attribute(name, "size=");
            size.erase(std::remove(size.begin(), size.end(), '"'), size.end());
            if (!size.empty())
                style_.size = std::atoi(size.c_str());
            std::uint32_t pixel;
            if (ParseColour(Attribute(name, "color="), pixel))
                style_.colour = pixel;
        }
    }
}

void HtmlParser::Parse(const TStringList& lines)
{
    bool inTag = false;
    std::string tag;
    // Walked element by element: asking for line i would walk from the first.
    for (TElement* e = lines.First(); e; e = e->Next()) {
        const char* line = static_cast<const dstring*>(e)->Text();
        for (const char* p = line; *p; ++p) {
            if (inTag) {
                if (*p == '>') {
                    inTag = false;
                    Tag(tag);
                } else {
                    tag.push_back(*p);
                }
            } else if (*p == '<') {
                MakePiece(false);
                inTag = true;
                tag.clear();
            } else {
                Text(*p);
            }
        }
        if (inTag)
            tag.push_back(' ');
        else if (pre_)
            MakePiece(true);
        else
            Text(' ');
    }
    if (inTag)
        MarkLast(html::kBreakAfter);
    else
        MakePiece(false);
}
