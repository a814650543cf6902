#pragma once
// The title screen: the program's name over two pictures and three lines of
// text, help on F10, the main menu on Enter, a question before quitting.

#include "menus/TDidaMenuContext.h"
#include "ui/TDialog.h"

#include <cstdint>
#include <memory>

class TFont;

class TProjectDialog : public TMenu {
public:
    // The title's size in design units.
    static constexpr int kTitlePoints = 44;

    // Picture set n: pictures 2n-1 and 2n-2 of archive type 6.
    explicit TProjectDialog(int pictureSet);
    ~TProjectDialog() override;

    void Draw() override;
    void HandleEvent(TEvent& event) override;
    // Where the title is written, its outline included.
    Rect TitleArea() const;

private:
    std::unique_ptr<TFont> titleFont_;
    unsigned char* archiveFont_ = nullptr;
    std::uint8_t quitAnswer_ = 0;
    bool asking_ = false;
};

class TProjectContext : public TDidaMenuContext {
public:
    void Start() override;
    void HandleEvent(TEvent& event) override;
};
