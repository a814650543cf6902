#pragma once
// Chooses the hidden letters of a "Completa" word on the letter grid. The
// result is 1 while open and becomes 2 when the choice is accepted (with at
// least one letter hidden); closing it any other way keeps 1.

#include "ui/TDialog.h"

#include <string>

class TLetteraSelector;

class MListaParoleSelDialog : public TDialog {
public:
    MListaParoleSelDialog(const std::string& word, std::string& mask, int* result);
    void HandleEvent(TEvent& event) override;

    TLetteraSelector* Selector() const { return selector_; }

private:
    void AcceptChoice();

    std::string& mask_;
    int* result_;
    TLetteraSelector* selector_ = nullptr;
};
