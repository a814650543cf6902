#pragma once
// The program's own mouse pointer. It is drawn straight onto the video
// surface just before a frame is shown and taken off right after, so every
// other drawing works on a surface without it; each sprite keeps the area it
// drew or uncovered and pushes only that to the display.

#include "app/TActor.h"
#include "gfx/Display.h"

#include <memory>

class TSubCursor : public TActor {
public:
    TSubCursor(int dx, int dy, SDL_Surface* picture) : TActor(picture), offsetX(dx), offsetY(dy) {}

    void Paint() override;
    void RestoreBackground() override;
    // Pushes the changed area to the display and forgets it.
    void FlushChanged();

    int offsetX, offsetY;

protected:
    void AddChanged(int left, int top, int right, int bottom);
    Rect changed_ = {0x7777, 0, 0, 0};
};

class TMouse : public TSubCursor {
public:
    explicit TMouse(SDL_Surface* picture);
    ~TMouse() override;

    void MoveTo(int x, int y) override;
    void SaveBackground() override;
    void Paint() override;
    void RestoreBackground() override;

    // With a picture: a sub-cursor beside the pointer, its offsets counted
    // from the middle of the pointer picture. Without: no sub-cursor.
    void SetSubCursor(int dx, int dy, SDL_Surface* picture);
    TSubCursor* SubCursor() const { return sub_.get(); }

    // Mouse and sub-cursor push what they changed.
    void FlushCursor();
    // One frame's presentation: draw the pointer, show the frame, take the
    // pointer off again. When neither the pointer nor anything under it
    // changed, the display already shows the right picture and the pointer
    // is left alone.
    void PresentFrame();

    bool visible = true;  // false while the pointer is outside the window
    bool enabled = true;  // false while a screen hides it

private:
    bool Drawable() const { return visible && enabled; }
    void PlaceSubCursor();

    struct Shown {
        bool valid = false;
        bool drawn = false;
        int x = 0, y = 0;
        SDL_Surface* picture = nullptr;
        int subX = 0, subY = 0;
        SDL_Surface* subPicture = nullptr;
    };
    Shown Current() const;
    Shown lastShown_;
    std::unique_ptr<TSubCursor> sub_;
};

extern TMouse* theMouse;
