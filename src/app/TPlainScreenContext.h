#pragma once
// The first screen for now: the plain background colour, waiting for the
// user to quit.

#include "app/TContext.h"

class TPlainScreenContext : public TContext {
public:
    void Start() override;
};
