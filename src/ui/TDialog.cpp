#include "ui/TDialog.h"

TDialog::~TDialog()
{
    delete above;
}

void TDialog::SetState(unsigned bits, bool on)
{
    state_ = on ? (state_ | bits) : (state_ & ~bits);
    Draw();
}
