#include "game/TActorParola.h"

#include "app/Clock.h"
#include "gfx/ColourTable.h"
#include "gfx/Colours.h"
#include "gfx/Primitives.h"
#include "gfx/Screen.h"
#include "gfx/TFont.h"
#include "gfx/Text.h"
#include "session/GameSettings.h"
#include "resources/FileHelpers.h"
#include "base/TextHelpers.h"

#include <cstdio>

namespace {

// Latin-1 small letters with accents (à to þ, but ÷) have their capitals
// 0x20 below them; ß and ÿ have none in Latin-1.
char ToUpperLatin1(char c)
{
    auto u = static_cast<unsigned char>(c);
    if (u >= 0xE0 && u <= 0xFE && u != 0xF7)
        return static_cast<char>(u - 0x20);
    return ToUpperAscii(c);
}

}  // namespace

std::string ApartBlanks(const std::string& text, int& highlighted)
{
    std::string out;
    int moved = 0;
    for (std::size_t p = 0; p < text.size(); ++p) {
        out.push_back(text[p]);
        if (text[p] == '_' && p + 1 < text.size() && text[p + 1] == '_') {
            out.push_back(' ');
            if (static_cast<int>(p) + 1 < highlighted)
                ++moved;
        }
    }
    highlighted += moved;
    return out;
}

std::string ApplyTextCase(const std::string& text, int textCase)
{
    std::string out = text;
    for (char& c : out)
        c = textCase == 2 ? ToUpperLatin1(c) : textCase == 3 ? ToLowerAscii(c) : c;
    return out;
}

TActorParola::TActorParola(std::uint32_t durationMs, const char* text, int x, int y, const GameSettings& settings)
    : TActor(x, y), settings_(settings), text_(ApplyTextCase(text ? text : "", settings.textCase))
{
    int none = 0;
    text_ = ApartBlanks(text_, none);
    const GameSettings& s = settings_;
    int lanes = s.lanes > 0 ? s.lanes : 1;
    int laneWidth = theScreen.width * 95 / (lanes * 100);
    std::string path = FontsFolder() + s.fontName + ".ttf";
    int size = s.fontSize + 1;
    int padded = 0;
    {
    DrawingState saved;
    do {
        --size;
        font_.reset();
        font_ = TFont::OpenTrueType(path, Scaled(size));
        // A typeface that cannot be opened falls back to the game's own.
        if (!font_)
            font_ = TFont::OpenTrueType(FontsFolder() + "comicbd.ttf", Scaled(size));
        theScreen.font = font_.get();
        padded = TextWidth(text_.c_str()) * 120 / 100;
    } while (size > 1 && padded > laneWidth);
    pointSize_ = size;
    halfWidth_ = std::max(padded / 2, Scaled(20));
    theScreen.pen = MapColour(static_cast<std::uint32_t>(s.textColour));
    rendered_.reset(RenderTextSurface(text_.c_str()));
    // At least a capital's height: a dictation's gaps, or small letters
    // alone, keep the box a word needs once it is typed.
    textHeight_ = rendered_ ? rendered_->h : 0;
    if (SDL_Surface* capital = RenderTextSurface("H")) {
        textHeight_ = std::max(textHeight_, capital->h);
        SDL_FreeSurface(capital);
    }
    }
    int box = s.boxColour >= 0 && s.boxColour < 32 ? s.boxColour : 15;
    const NamedColour& c = kColourTable[box];
    halo_ = PixelOf(static_cast<std::uint8_t>(255 - c.r), static_cast<std::uint8_t>(255 - c.g),
                    static_cast<std::uint8_t>(255 - c.b));
    created_ = Now();
    warningDelay_ = durationMs * 90 / 100;
}

TActorParola::~TActorParola() = default;

std::uint32_t ProgressColour(int boxColour, int textColour)
{
    // Dark red, blue, dark green, red, orange, yellow: the one that stands
    // out most on the box.
    static const int kCandidates[] = {9, 21, 25, 8, 7, 4};
    int best = kCandidates[0];
    double bestRatio = 0;
    for (int colour : kCandidates) {
        if (colour == textColour)
            continue;
        double ratio = ContrastRatio(kColourTable[colour], kColourTable[boxColour & 31]);
        if (ratio > bestRatio) {
            bestRatio = ratio;
            best = colour;
        }
    }
    return static_cast<std::uint32_t>(best);
}

void TActorParola::ShowProgress(const std::string& text, int highlighted)
{
    highlighted = std::clamp(highlighted, 0, static_cast<int>(text.size()));
    std::string shown = ApartBlanks(ApplyTextCase(text, settings_.textCase), highlighted);
    if (shown == text_ && highlighted == highlighted_)
        return;
    text_ = shown;
    highlighted_ = highlighted;
    const GameSettings& s = settings_;
    DrawingState saved;
    theScreen.font = font_.get();
    theScreen.pen = MapColour(static_cast<std::uint32_t>(s.textColour));
    rendered_.reset(RenderTextSurface(text_.c_str()));
    progress_.reset();
    if (highlighted_ > 0) {
        theScreen.pen = MapColour(ProgressColour(s.boxColour, s.textColour));
        progress_.reset(RenderTextSurface(text_.substr(0, static_cast<std::size_t>(highlighted_)).c_str()));
    }
}

bool TActorParola::ShowsWarning(bool lifeLost) const
{
    return warning_ || (!lifeLost && Now() - created_ >= warningDelay_);
}

std::uint32_t TActorParola::WarningIn() const
{
    if (warning_)
        return UINT32_MAX;
    std::uint32_t since = Now() - created_;
    return since >= warningDelay_ ? 0 : warningDelay_ - since;
}

std::string TActorParola::Looks(bool lifeLost) const
{
    char head[96];
    std::snprintf(head, sizeof head, "%p %d %d %d %d ", static_cast<const void*>(this), x_, y_, highlighted_,
                  ShowsWarning(lifeLost) ? 1 : 0);
    return head + text_;
}

Rect TActorParola::Box() const
{
    return {x_ - halfWidth_ - 4, y_ - 4, x_ + halfWidth_ + 4, y_ + textHeight_ + 20};
}

void TActorParola::DrawWord(bool lifeLost)
{
    warning_ = ShowsWarning(lifeLost);
    int radius = Scaled(12);
    if (warning_) {
        theScreen.pen = halo_;
        FillRoundBox(x_ - halfWidth_ - 4, y_ - 4, x_ + halfWidth_ + 4, y_ + textHeight_ + 20, radius);
    }
    theScreen.pen = MapColour(static_cast<std::uint32_t>(settings_.boxColour));
    FillRoundBox(x_ - halfWidth_, y_, x_ + halfWidth_, y_ + textHeight_ + 16, radius);
    if (!rendered_)
        return;
    // A text lower than a capital (gaps, small letters) stands on the
    // capitals' line; a taller one is centred.
    int top = rendered_->h < textHeight_ ? y_ + 8 + textHeight_ - rendered_->h : y_ + textHeight_ / 2 + 8 - rendered_->h / 2;
    DrawImage(x_ - rendered_->w / 2, top, rendered_.get());
    // The typed beginning, letter for letter over the same place.
    if (progress_)
        DrawImage(x_ - rendered_->w / 2, top, progress_.get());
}
