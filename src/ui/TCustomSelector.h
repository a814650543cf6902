#pragma once
// A rounded, sunken group of choices with an optional title; the items are
// made from a chain of descriptions when the dialog opens, and the Up and
// Down arrows move among them. Check boxes bind one byte flag per item;
// radio buttons bind one integer, the 1-based number of the chosen item.

#include "ui/TGroup.h"

#include <cstdint>
#include <memory>
#include <string>

struct SItem {
    std::string text;
    int hotkey;
    std::unique_ptr<SItem> next;
};

// A description linked in front of `next` (chains are built last item first).
SItem* NewItem(const char* text, int hotkey, SItem* next);

class TCustomSelector : public TGroup {
public:
    TCustomSelector(int left, int top, int right, int bottom, const char* title, unsigned options, SItem* items);

    void Open() override;
    void DrawBody() override;
    void DrawFrame() override;
    void SetState(unsigned bits, bool on) override;
    void HandleEvent(TEvent& event) override;
    virtual std::unique_ptr<TView> CreateItem(int left, int top, int right, int bottom, const SItem& item, int index) = 0;
    const std::string& Title() const { return title_; }
    // The title, else the current choice.
    std::string SpokenLabel() const override;
    // Where the title is drawn (nothing without one), once the selector is open.
    Rect TitleArea() const;

protected:
    std::string title_;
    bool hasTitle_;
    int titleRowHeight_ = 0;
    std::unique_ptr<SItem> pending_;
};

class TCheckBoxes : public TCustomSelector {
public:
    TCheckBoxes(int left, int top, int right, int bottom, const char* title, unsigned options, std::uint8_t* flags,
                SItem* items);
    std::unique_ptr<TView> CreateItem(int left, int top, int right, int bottom, const SItem& item, int index) override;

private:
    std::uint8_t* flags_;
};

class TRadioButtons : public TCustomSelector {
public:
    TRadioButtons(int left, int top, int right, int bottom, const char* title, unsigned options, int* value,
                  SItem* items);
    std::unique_ptr<TView> CreateItem(int left, int top, int right, int bottom, const SItem& item, int index) override;
    void FocusPrevious() override;
    void FocusNext() override;

private:
    int* value_;
};

// Enables or disables the n-th item (1-based) of a built selector.
void EnableItem(TCustomSelector* selector, int n, bool on);
