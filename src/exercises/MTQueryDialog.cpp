#include "exercises/MTQueryDialog.h"

MTQueryDialog::MTQueryDialog(int cx, int cy, const char* question, int* result)
    : TQueryDialog(cx, cy, question, nullptr, dialog::kSaveBackground), result_(result)
{
    *result_ = 0;
}

void MTQueryDialog::HandleEvent(TEvent& event)
{
    if (event.command == stddialog::kYes)
        *result_ = 1;
    else if (event.command == stddialog::kNo)
        *result_ = 2;
    TQueryDialog::HandleEvent(event);
}
