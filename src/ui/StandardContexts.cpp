#include "ui/StandardContexts.h"

#include "app/Commands.h"
#include "gfx/Display.h"
#include "gfx/Screen.h"
#include "ui/StandardDialogs.h"

TGetNameContext::TGetNameContext(const char* prompt, char* buffer)
    : TMenuContext(command::kEndModal), prompt_(prompt ? prompt : ""), buffer_(buffer)
{
}

void TGetNameContext::Start()
{
    ClearScreen(1);
    AddDialog(std::make_unique<TGetNameDialog>(Scaled(320), Scaled(240), prompt_.c_str(), buffer_, 20, 0));
}

TDisplayMessageContext::TDisplayMessageContext(const char* title, const char* message)
    : TMenuContext(command::kEndModal), title_(title ? title : ""), message_(message ? message : "")
{
}

void TDisplayMessageContext::Start()
{
    ClearScreen(1);
    AddDialog(std::make_unique<TMessageDialog>(Scaled(320), Scaled(240), title_.c_str(), message_.c_str(), 0));
}
