#include "help/THTMLViewer.h"

#include "gfx/Colours.h"
#include "gfx/Primitives.h"
#include "gfx/Screen.h"
#include "gfx/TFont.h"
#include "gfx/Text.h"
#include "help/HtmlParser.h"
#include "ui/TScrollBar.h"
#include "base/TextHelpers.h"

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

// A new piece of `text` in the look of `from`, with its own flags.
dHTMLstring* StyledLike(const dHTMLstring& from, const std::string& text, unsigned flags)
{
    auto* p = new dHTMLstring(text.c_str());
    p->font = from.font;
    p->colour = from.colour;
    p->height = from.height;
    p->alignment = from.alignment;
    p->indent = from.indent;
    p->number = from.number;
    p->flags = flags;
    return p;
}

int WidthIn(TFont* font, const std::string& text)
{
    DrawingState saved;
    theScreen.font = font;
    return TextWidth(text.c_str());
}

// The widths of a text's growing prefixes. A bitmap font has no kerning, so
// each is the last one plus the part added: a long line is measured once,
// not once a break point. A TrueType font measures each prefix whole.
class PrefixWidths {
public:
    PrefixWidths(TFont* font, const std::string& text) : font_(font), text_(text) {}
    int Of(std::size_t length)
    {
        if (!font_ || !font_->IsBitmap() || length < measuredTo_)
            return WidthIn(font_, text_.substr(0, length));
        measured_ += WidthIn(font_, text_.substr(measuredTo_, length - measuredTo_));
        measuredTo_ = length;
        return measured_;
    }

private:
    TFont* font_;
    const std::string& text_;
    std::size_t measuredTo_ = 0;
    int measured_ = 0;
};

int SpaceWidth(TFont* font)
{
    return WidthIn(font, " ");
}

int LineSkipOf(TFont* font)
{
    DrawingState saved;
    theScreen.font = font;
    return LineHeight();
}

}  // namespace

THTMLViewer::THTMLViewer(int l, int t, int r, int b, const char* path, unsigned options)
    : TGroup(l, t, r, b, options), background_(SchemeColour(3))
{
    int barWidth = theScreen.width / 48 + 4;
    int frame = 1;
    area_ = {left + frame, top + frame, right - frame - barWidth, bottom - frame};
    areaWidth_ = area_.right - area_.left + 1;
    visibleHeight_ = area_.bottom - area_.top + 1;
    margin_ = Scaled(10);
    bar_ = &Insert(std::make_unique<TScrollBar>(right - barWidth, top, right, bottom, 0, &scroll_, 0, 0, 10, 1));
    bar_->linked = this;
    bar_->SetState(view::kFramed, false);
    // The bar shares the viewer's focus and gets its events first.
    SetCurrent(bar_);
    Load(path);
}

THTMLViewer::~THTMLViewer() = default;

TFont* THTMLViewer::FontFor(const std::string& face, int size)
{
    if (face.empty())
        return font;  // the application's default font
    for (TElement* e = fonts_.First(); e; e = e->Next()) {
        auto* f = static_cast<THTMLFont*>(e);
        if (f->size == size && EqualsNoCase(f->face.c_str(), face.c_str()))
            return f->font ? f->font.get() : font;
    }
    auto* entry = new THTMLFont;
    entry->face = face;
    entry->size = size;
    entry->font = TFont::OpenTrueType("fonts\\" + face + ".ttf", Scaled(size));
    fonts_.Append(entry);
    return entry->font ? entry->font.get() : font;
}

void THTMLViewer::Load(const char* path)
{
    pieces_.Clear();
    TStringList lines;
    lines.ReadLines(path);
    if (options_ & html::kPlainText) {
        LayOutPlainText(lines);
        lineStep_ = LineSkipOf(font);
    } else {
        HtmlParser(*this).Parse(lines);
        LayOutLines();
        lineStep_ = LineSkipOf(FontFor(HtmlParser::kBodyFace, HtmlParser::kBodySize));
    }
    // The arrows move the text by one line of body text.
    lineStep_ = std::max(1, lineStep_);
    if (documentHeight_ > visibleHeight_)
        bar_->SetRange(0, documentHeight_ - visibleHeight_, lineStep_, visibleHeight_);
}

void THTMLViewer::LayOutPlainText(const TStringList& lines)
{
    int available = areaWidth_ - 2 * margin_;
    theScreen.font = font;
    int skip = LineHeight();
    int y = margin_;
    auto add = [&](const std::string& text) {
        auto* piece = new dHTMLstring(text.c_str());
        piece->font = font;
        piece->width = TextWidth(text.c_str());
        piece->height = skip;
        piece->x = margin_;
        piece->y = y;
        piece->flags = html::kBreakAfter;
        pieces_.Append(piece);
        y += skip;
    };
    for (TElement* e = lines.First(); e; e = e->Next()) {
        std::string rest = static_cast<const dstring*>(e)->Text();
        while (TextWidth(rest.c_str()) > available) {
            // The last break point (a space, or just after a hyphen) before
            // which the text fits. The scan stops at the first that does not
            // fit, so it reads about one line's worth of a long line rather
            // than measuring every prefix from the line's end.
            std::size_t cut = std::string::npos, next = 0;
            PrefixWidths prefix(font, rest);
            for (std::size_t k = 1; k < rest.size(); ++k) {
                bool space = rest[k] == ' ';
                if (!space && rest[k - 1] != '-')
                    continue;
                if (prefix.Of(k) > available)
                    break;
                cut = k;
                next = space ? k + 1 : k;
            }
            if (cut == std::string::npos) {
                // No break point fits: as many characters as fit.
                std::size_t lo = 1, hi = rest.size();
                while (lo < hi) {
                    std::size_t mid = (lo + hi + 1) / 2;
                    if (TextWidth(rest.substr(0, mid).c_str()) <= available)
                        lo = mid;
                    else
                        hi = mid - 1;
                }
                cut = next = lo;
            }
            add(rest.substr(0, cut));
            rest = rest.substr(next);
        }
        add(rest);
    }
    documentHeight_ = y + margin_;
}

void THTMLViewer::LayOutLines()
{
    std::vector<dHTMLstring*> line;
    int y = margin_;
    bool firstLine = true;
    int wholeLines = 0;  // pieces ahead already cut to fill a line each
    for (TElement* start = pieces_.First(); start;) {
        line.clear();
        const bool wholeLine = wholeLines > 0;
        if (wholeLine)
            --wholeLines;
        auto* first = static_cast<dHTMLstring*>(start);
        int available = areaWidth_ - 2 * margin_ - first->indent;
        int width = 0;
        TElement* e = start;
        for (; e; e = e->Next()) {
            auto* p = static_cast<dHTMLstring*>(e);
            if (!line.empty()) {
                if (wholeLine || (line.back()->flags & html::kBreakAfter) || width >= available)
                    break;
                width += SpaceWidth(p->font);
            }
            width += p->width;
            line.push_back(p);
        }
        if (width > available && !line.empty()) {
            dHTMLstring* last = line.back();
            std::string text = last->Text();
            int before = width - last->width;
            std::size_t firstSpace = text.find(' ');
            // A last word that cannot be cut starts the next line rather
            // than running out of the page.
            if (firstSpace == std::string::npos && line.size() > 1)
                line.pop_back();
            if (firstSpace != std::string::npos) {
                // The last space before which the line still fits; the scan
                // stops at the first that does not, so it reads no further
                // than one line's worth of the piece.
                std::size_t cut = std::string::npos;
                PrefixWidths prefix(last->font, text);
                for (std::size_t space = firstSpace; space != std::string::npos; space = text.find(' ', space + 1)) {
                    if (before + prefix.Of(space) > available)
                        break;
                    cut = space;
                }
                if (cut == std::string::npos && line.size() == 1)
                    cut = firstSpace;  // a first word too long stays on its own line
                if (cut == std::string::npos) {
                    // Nothing of it fits: the whole piece starts the next line.
                    line.pop_back();
                } else {
                    // The rest starts the next line on its own and, while it
                    // is wider than a line, fills it alone: those lines are
                    // cut here in one pass, copying the rest once rather than
                    // once a line (a long paragraph would be quadratic).
                    const unsigned restFlags = last->flags & ~(html::kItemStart | html::kHeadingFirst);
                    auto piece = [last](const std::string& part, unsigned flags) {
                        return StyledLike(*last, part, flags);
                    };
                    const unsigned wrapped = (restFlags | html::kWrapped) & ~(html::kBreakAfter | html::kHeadingLast);
                    int wholeWidth = last->width;
                    last->SetText(text.substr(0, cut).c_str());
                    last->width = WidthIn(last->font, last->Text());
                    last->flags = (last->flags | html::kWrapped) & ~(html::kBreakAfter | html::kHeadingLast);
                    // A very long rest is measured by difference: measuring it
                    // again at every line would make long pages quadratic.
                    auto restWidth = [&](std::size_t from, int whole, int head) {
                        return text.size() - from < 4096 ? WidthIn(last->font, text.substr(from))
                                                         : whole - head - SpaceWidth(last->font);
                    };
                    std::size_t from = cut + 1;
                    int rest = restWidth(from, wholeWidth, last->width);
                    int lineWidth = areaWidth_ - 2 * margin_ - last->indent;
                    dHTMLstring* after = last;
                    while (rest > lineWidth) {
                        std::size_t space = text.find(' ', from);
                        if (space == std::string::npos)
                            break;  // one word: it runs out of its line
                        std::size_t end = space;  // a first word too long stays alone
                        for (; space != std::string::npos; space = text.find(' ', space + 1)) {
                            if (WidthIn(last->font, text.substr(from, space - from)) > lineWidth)
                                break;
                            end = space;
                        }
                        dHTMLstring* full = piece(text.substr(from, end - from), wrapped);
                        full->width = WidthIn(full->font, full->Text());
                        pieces_.InsertAfter(after, full);
                        after = full;
                        ++wholeLines;
                        from = end + 1;
                        rest = restWidth(from, rest, full->width);
                    }
                    dHTMLstring* tail = piece(text.substr(from), restFlags);
                    tail->width = rest;
                    pieces_.InsertAfter(after, tail);
                }
            }
        }
        width = 0;
        int lineHeight = 0;
        for (std::size_t i = 0; i < line.size(); ++i) {
            width += line[i]->width + (i ? SpaceWidth(line[i]->font) : 0);
            lineHeight = std::max(lineHeight, line[i]->height);
        }
        first = line.front();
        int leftEdge = first->alignment == 1   ? (areaWidth_ - width) / 2
                       : first->alignment == 2 ? areaWidth_ - margin_ - width
                                               : first->indent + margin_;
        if (!firstLine && (first->flags & html::kHeadingFirst))
            y += lineHeight / 2;
        y += lineHeight;
        if (first->alignment == 3 && (line.back()->flags & html::kWrapped)) {
            // Spread the words: one piece per word, the leftover shared out.
            std::vector<dHTMLstring*> words;
            for (dHTMLstring* p : line) {
                std::string text = p->Text();
                std::size_t at = 0, space;
                dHTMLstring* current = p;
                bool firstWord = true;
                while ((space = text.find(' ', at)) != std::string::npos || at < text.size()) {
                    std::string word = text.substr(at, space == std::string::npos ? std::string::npos : space - at);
                    at = space == std::string::npos ? text.size() : space + 1;
                    if (word.empty())
                        continue;
                    if (firstWord) {
                        current->SetText(word.c_str());
                        firstWord = false;
                    } else {
                        auto* w = StyledLike(*p, word, p->flags & ~(html::kItemStart | html::kHeadingFirst));
                        pieces_.InsertAfter(current, w);
                        current = w;
                    }
                    current->width = WidthIn(current->font, current->Text());
                    words.push_back(current);
                }
            }
            int sum = 0;
            for (dHTMLstring* w : words)
                sum += w->width;
            int available2 = areaWidth_ - 2 * margin_ - first->indent;
            int leftover = available2 - sum;
            int x = 0;
            for (std::size_t k = 0; k < words.size(); ++k) {
                int gap = words.size() > 1 ? static_cast<int>(k) * leftover / static_cast<int>(words.size() - 1) : 0;
                words[k]->x = leftEdge + x + gap;
                words[k]->y = y - words[k]->height;
                x += words[k]->width;
            }
            e = words.empty() ? e : words.back()->Next();
        } else {
            int x = leftEdge;
            for (std::size_t i = 0; i < line.size(); ++i) {
                if (i)
                    x += SpaceWidth(line[i]->font);
                line[i]->x = x;
                line[i]->y = y - line[i]->height;
                x += line[i]->width;
            }
            e = line.back()->Next();
        }
        bool lastLine = e == nullptr;
        for (dHTMLstring* p : line)
            if ((p->flags & html::kHeadingLast) && !lastLine) {
                y += lineHeight / 2;
                break;
            }
        firstLine = false;
        start = e;
    }
    documentHeight_ = y + margin_;
}

void THTMLViewer::DrawFrame()
{
    theScreen.pen = SchemeColour(2);
    ::DrawFrame(left - 1, top - 1, right + 1, bottom + 1);
}

void THTMLViewer::DrawBody()
{
    SetClip(area_.left, area_.top, area_.right, area_.bottom);
    FillBox(area_.left, area_.top, area_.right, area_.bottom, background_);
    int windowTop = scroll_, windowBottom = scroll_ + visibleHeight_;
    theScreen.hAnchor = 0;
    theScreen.vAnchor = 2;
    for (TElement* e = pieces_.First(); e; e = e->Next()) {
        auto* p = static_cast<dHTMLstring*>(e);
        if (p->y + p->height < windowTop || p->y > windowBottom)
            continue;
        int x = area_.left + p->x, y = area_.top + p->y - scroll_;
        theScreen.font = p->font;
        theScreen.pen = p->colour;
        if (p->flags & html::kItemStart) {
            if (p->number != 0) {
                char mark[16];
                std::snprintf(mark, sizeof mark, "%d.", p->number);
                DrawText(x - Scaled(25), y, mark);
            } else {
                int dx = x - Scaled(15), dy = y + p->height * 2 / 3;
                FillBox(dx, dy, dx + 1, dy + 1, p->colour);
            }
        }
        DrawText(x, y, p->Text());
    }
    ResetClip();
    theScreen.font = font;
}

void THTMLViewer::ScrollBy(int pixels)
{
    scroll_ = std::clamp(scroll_ + pixels, bar_->Min(), std::max(bar_->Min(), bar_->Max()));
    Draw();
}

void THTMLViewer::HandleEvent(TEvent& event)
{
    TGroup::HandleEvent(event);
    if (int notches = event.WheelNotches(); notches && Contains(event.mouseX, event.mouseY)) {
        ConsumeWheel(event);
        ScrollBy(notches * kWheelLines * lineStep_);
    }
    if (!(state_ & view::kFocused) || event.keyAction != key::kPressed)
        return;
    if (event.keyChar != SDLK_PAGEUP && event.keyChar != SDLK_PAGEDOWN)
        return;
    int page = event.keyChar == SDLK_PAGEDOWN ? visibleHeight_ : -visibleHeight_;
    ConsumeKey(event);
    ScrollBy(page);
}
