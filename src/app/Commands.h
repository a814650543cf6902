#pragma once
// Command codes of the core and the toolkit. Screens keep their own codes
// in their own headers.

namespace command {

constexpr int kQuit = 1;
constexpr int kCloseDialog = 4;        // close the top dialog (close buttons, Escape)
constexpr int kCloseMenu = 5;          // the close button of a menu dialog
constexpr int kEndModal = 6;           // end the running modal loop
constexpr int kChosen = 10;            // list entry chosen, Enter in an input line
constexpr int kFocusNext = 11;
constexpr int kFocusPrevious = 12;
constexpr int kPreviousItem = 20;
constexpr int kNextItem = 21;
constexpr int kScrollDown = 24;
constexpr int kScrollUp = 25;

}  // namespace command
