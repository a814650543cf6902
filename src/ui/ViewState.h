#pragma once
// State bits and class codes of the views.

namespace view {

constexpr unsigned kVisible = 0x1;
constexpr unsigned kActive = 0x2;       // its dialog is the top one
constexpr unsigned kSelectable = 0x4;
constexpr unsigned kFramed = 0x8;
constexpr unsigned kFocused = 0x10;
constexpr unsigned kEnabled = 0x20;
constexpr unsigned kDragging = 0x80;    // scroll bars and list boxes
constexpr unsigned kOutlined = 0x100;
constexpr unsigned kSunken = 0x200;
constexpr unsigned kDarkFace = 0x400;
constexpr unsigned kPressed = 0x800;
constexpr unsigned kRounded = 0x1000;
constexpr unsigned kTransparent = 0x2000;
constexpr unsigned kMouseInside = 0x4000;
constexpr unsigned kUndrawn = 0x8000;   // set at construction, cleared by Draw
constexpr unsigned kWrapFocus = 0x10000;
constexpr unsigned kOpened = 0x40000;
constexpr unsigned kNew = 0x812F;

enum Kind : unsigned short {
    kView = 0, kDialog = 1, kButton = 3, kCloseButton = 4, kTextButton = 5, kStaticText = 7, kLabel = 8,
    kMenuLine = 9, kSelectorItem = 10, kCheckBox = 11, kRadioButton = 12, kCustomSelector = 14,
    kRadioButtons = 15, kScrollBar = 16, kAnalogSel = 17, kListBox = 18, kFileListBox = 19, kInputLine = 20,
    kImage = 21, kColorSelector = 23,
};

}  // namespace view
