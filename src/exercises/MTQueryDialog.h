#pragma once
// The editors' yes/no question: the answer is yes or no, and stays none
// when the dialog is closed without answering.

#include "ui/StandardDialogs.h"

enum class QueryAnswer { kNone, kYes, kNo };

class MTQueryDialog : public TQueryDialog {
public:
    MTQueryDialog(int centreX, int centreY, const char* question, QueryAnswer* result);
    void HandleEvent(TEvent& event) override;

private:
    QueryAnswer* result_;
};
