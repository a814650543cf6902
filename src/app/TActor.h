#pragma once
// A sprite: a picture at a position, an optional frame animation driven by
// a table, and the screen area beneath it saved and put back.

#include "gfx/Images.h"
#include "base/TElement.h"

#include <cstdint>

class TList;

struct FrameEntry {
    int image;  // index into the images array
    int dx, dy; // move applied when the frame is shown
};

class TActor : public TElement {
public:
    TActor() = default;
    TActor(int x, int y, SDL_Surface* picture) : x_(x), y_(y), picture_(picture) {}
    TActor(int x, int y) : x_(x), y_(y) {}
    explicit TActor(SDL_Surface* picture) : picture_(picture) {}
    ~TActor() override = default;

    virtual void SetPicture(SDL_Surface* picture) { picture_ = picture; }
    virtual void MoveTo(int x, int y);
    virtual void MoveBy(int dx, int dy);
    // Copies the screen under the picture (clipped) into an owned surface.
    virtual void SaveBackground();
    void Show();
    virtual void Paint();
    virtual void RestoreBackground();
    virtual void Animate();

    void StartAnimation(const FrameEntry* table, SDL_Surface* const* images, int count, std::uint32_t frameMs,
                        int loops);
    bool IsAnimating() const { return frame_ != 0; }

    int X() const { return x_; }
    int Y() const { return y_; }
    int Width() const { return ImageWidth(picture_); }
    int Height() const { return ImageHeight(picture_); }
    int CentreX() const { return x_ + Width() / 2; }
    // Moves the picture's centre to (cx, cy).
    void CentreOn(int cx, int cy) { MoveTo(cx - Width() / 2, cy - Height() / 2); }
    // The two pictures' rectangles overlap.
    bool Overlaps(const TActor& other) const;
    SDL_Surface* Picture() const { return picture_; }
    bool HasSavedBackground() const { return saved_ != nullptr; }
    int CurrentFrame() const { return frame_; }
    bool applyFirstOffset = false;

protected:
    SDL_Surface* SavedBackground() const { return saved_.get(); }
    int SavedX() const { return savedX_; }
    int SavedY() const { return savedY_; }
    void DropSavedBackground() { saved_.reset(); }

    int x_ = 0, y_ = 0;

private:
    int savedX_ = 0, savedY_ = 0;
    SDL_Surface* picture_ = nullptr;  // not owned
    SurfacePtr saved_;
    int frame_ = 0;  // 1-based; 0 when no animation runs
    std::uint32_t frameStart_ = 0;
    int loopsDone_ = 0;
    const FrameEntry* table_ = nullptr;
    SDL_Surface* const* images_ = nullptr;
    int frameCount_ = 0;
    std::uint32_t frameMs_ = 0;
    int loopsWanted_ = 0;
};

// Runs an operation over every sprite of a list.
void AnimateAll(TList& actors);
void ShowAll(TList& actors);
void FrameAll(TList& actors);
