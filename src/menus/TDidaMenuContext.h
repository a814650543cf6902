#pragma once
// The program's own full screens (title, main menu): a menu context on the
// plain background; its last dialog closing ends the program.

#include "ui/TMenuContext.h"

class TDidaMenuContext : public TMenuContext {
public:
    TDidaMenuContext();
    void Start() override;
};
