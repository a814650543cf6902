#pragma once
// Screens that show one standard dialog on their own, run with
// TApp::RunModal: a name prompt and a message.

#include "ui/TMenuContext.h"

#include <string>

class TGetNameContext : public TMenuContext {
public:
    TGetNameContext(const char* prompt, char* buffer);
    void Start() override;

private:
    std::string prompt_;
    char* buffer_;
};

class TDisplayMessageContext : public TMenuContext {
public:
    TDisplayMessageContext(const char* title, const char* message);
    void Start() override;

private:
    std::string title_, message_;
};
