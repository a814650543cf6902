#include "exercises/MTQueryDialog.h"

MTQueryDialog::MTQueryDialog(int cx, int cy, const char* question, QueryAnswer* result)
    : TQueryDialog(cx, cy, question, nullptr, dialog::kSaveBackground), result_(result)
{
    *result_ = QueryAnswer::kNone;
}

void MTQueryDialog::HandleEvent(TEvent& event)
{
    if (event.command == stddialog::kYes)
        *result_ = QueryAnswer::kYes;
    else if (event.command == stddialog::kNo)
        *result_ = QueryAnswer::kNo;
    TQueryDialog::HandleEvent(event);
}
