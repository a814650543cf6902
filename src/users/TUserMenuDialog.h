#pragma once
// What the profile menu and the results archive share: a menu whose lines
// first ask which child (from the profiles) and then act on that child,
// sometimes after a yes/no question, once the chooser has closed.

#include "ui/TLineMenuDialog.h"

#include <cstdint>
#include <functional>
#include <string>

class TUserMenuDialog : public TLineMenuDialog {
public:
    TUserMenuDialog(const char* heading, const std::vector<const char*>& lines, int firstCommand, int payloadSize);
    void Idle() override;

protected:
    // Opens the chooser titled `title`; `command` is carried out with the
    // chosen name when it closes. With no profile at all it says so instead.
    void ChooseUser(int command, const char* title);
    virtual void CarryOut(int command, const std::string& name) = 0;
    // Asks "question name?" and runs `onYes` after a yes.
    void Ask(const char* question, const std::string& name, std::function<void()> onYes);
    void Tell(const char* title, const char* text);

    int payloadSize_;

private:
    enum class Waiting { kNothing, kChooser, kQuestion };
    Waiting waiting_ = Waiting::kNothing;
    int pending_ = 0;
    std::string chosen_;
    std::uint8_t answer_ = 0;
    std::function<void()> onYes_;
};
