#pragma once
// Typeface files by name: the program's own interface faces, and the
// readable name of a face for the people who choose one.

#include <string>

namespace typeface {

// Opened by the program for itself: the interface text and the title
// screen's heading. They are copies of faces offered under their own names.
constexpr const char* kInterface = "menu";
constexpr const char* kTitle = "title";

}  // namespace typeface

// True for a file stem the program keeps for its own interface.
bool IsInterfaceFace(const std::string& stem);
// "Family Style" as the font file names itself ("Liberation Sans Bold"),
// without the style when it is the regular one; empty when the file is not
// a readable font.
std::string TypefaceName(const std::string& path);
// A file stem made readable when the font has no name: "my_font-2" gives
// "My font 2".
std::string TidyFaceName(const std::string& stem);
