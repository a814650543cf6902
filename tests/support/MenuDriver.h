#pragma once
// Drives the main menu of a headless application as a teacher would: keys
// pressed and let go, commands posted, each followed by enough frames for
// what it sets off (one command a frame), and the dialog on top.

#include "menus/TMainMenuContext.h"
#include "support/HeadlessApp.h"

#include <memory>
#include <string>

class MenuDriver {
public:
    explicit MenuDriver(HeadlessOptions options = {});
    ~MenuDriver();

    HeadlessApp& Headless() { return *headless_; }
    TMainMenuContext* Menu() const { return menu_; }

    template <typename T>
    T* Top() const
    {
        return dynamic_cast<T*>(menu_->TopDialog());
    }
    void Key(int sym, int unicode = 0, int mod = 0);
    // A character typed as the keyboard gives it (a letter's key is its
    // lower-case symbol).
    void Letter(char c);
    void Type(const std::string& text);
    void Command(int code);

private:
    std::unique_ptr<HeadlessApp> headless_;
    TMainMenuContext* menu_ = nullptr;
};
