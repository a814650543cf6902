#pragma once
// The main menu: the child's name, the kind of exercise, the theme, the
// exercise and the level to start from, and a column of buttons to every
// other part of the program. The last user and their settings are read
// when it starts and saved when it stops.

#include "menus/TDidaMenuContext.h"
#include "ui/TDialog.h"

#include <cstdint>

class TAnalogSel;
class TLabel;
class TMFileListBox;

class TMainDialog : public TMenu {
public:
    TMainDialog();

    void HandleEvent(TEvent& event) override;
    void Idle() override;

private:
    void CountLevels(bool selectionChanged);
    void SetSliderEnabled(bool on);

    std::uint8_t quitConfirmed_ = 0;
    bool askingQuit_ = false;
    int lastSelection_ = 0;
    int listedType_ = 0;
    TMFileListBox* files_ = nullptr;
    TAnalogSel* startLevel_ = nullptr;
    TLabel* startLevelLabel_ = nullptr;
};

class TMainMenuContext : public TDidaMenuContext {
public:
    void Start() override;
    void HandleEvent(TEvent& event) override;
    void Stop() override;
};
