#pragma once
// Paints a picture made of pieces over a background, again only where it
// changed. Each piece comes with a key that says what it looks like (the
// same key, the same pixels in the same place): a piece whose key changed is
// painted again on a clean background, and so is any piece it touches; the
// rest of the screen is left alone and not sent. A picture equal to the last
// paints and sends nothing. Once anyone else has drawn on the screen, the
// whole picture is painted again.

#include "gfx/Display.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class TActor;

class PiecePainter {
public:
    // One thing the picture holds; an empty key when there is none.
    struct Piece {
        std::string key;
        std::function<void()> draw;
    };
    // `clearArea` paints the background in a rectangle, `clearAll` all of it.
    PiecePainter(std::function<void(const Rect&)> clearArea, std::function<void()> clearAll)
        : clearArea_(std::move(clearArea)), clearAll_(std::move(clearAll))
    {
    }

    // The pieces, back to front; draws what changed and sends only that.
    // A new `background` (a key like the pieces') paints everything again.
    void Paint(const std::vector<Piece>& pieces, const std::string& background);
    // Every picture painted whole, as the tests compare.
    void PaintWholeAlways(bool always) { alwaysWhole_ = always; }

private:
    struct Drawn {
        std::string key;
        Rect box{};
    };

    std::function<void(const Rect&)> clearArea_;
    std::function<void()> clearAll_;
    std::vector<Drawn> drawn_;            // what the last picture drew
    std::string background_;
    std::uint64_t drawnAt_ = ~std::uint64_t{0};  // the screen's drawing count after it
    bool alwaysWhole_ = false;
};

// A sprite's key: which one, where, and the picture it shows.
std::string SpriteKey(const TActor& sprite);
