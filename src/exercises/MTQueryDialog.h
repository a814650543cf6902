#pragma once
// The editors' yes/no question: the answer is 1 for yes, 2 for no, and
// stays 0 when the dialog is closed without answering.

#include "ui/StandardDialogs.h"

class MTQueryDialog : public TQueryDialog {
public:
    MTQueryDialog(int centreX, int centreY, const char* question, int* result);
    void HandleEvent(TEvent& event) override;

private:
    int* result_;
};
