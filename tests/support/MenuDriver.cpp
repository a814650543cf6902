#include "support/MenuDriver.h"

#include "app/CommandQueue.h"
#include "app/TApp.h"
#include "session/GameSettings.h"
#include "session/Session.h"

MenuDriver::MenuDriver(HeadlessOptions options) : headless_(std::make_unique<HeadlessApp>(std::move(options)))
{
    menu_ = &headless_->App().Install(std::make_unique<TMainMenuContext>());
    headless_->Step(2);
}

MenuDriver::~MenuDriver()
{
    headless_.reset();
    theSession.settings = GameSettings();
    theSession.userName[0] = 0;
}

void MenuDriver::Key(int sym, int unicode, int mod)
{
    headless_->PushKey(static_cast<SDLKey>(sym), true, static_cast<Uint16>(unicode), mod);
    headless_->Step();
    headless_->PushKey(static_cast<SDLKey>(sym), false, 0, mod);
    headless_->Step(6);
}

void MenuDriver::Letter(char c)
{
    auto u = static_cast<unsigned char>(c);
    Key(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : u, u);
}

void MenuDriver::Type(const std::string& text)
{
    for (char c : text)
        Letter(c);
}

void MenuDriver::Command(int code)
{
    PostCommand(code);
    headless_->Step(6);
}
