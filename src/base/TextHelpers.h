#pragma once
// Helpers on zero-terminated 8-bit texts. The in-place ones leave a null text
// alone. Case folding touches the ASCII letters only, so accented letters of
// Latin-1 keep their case.

#include <string>

class dstring;

char ToUpperAscii(char c);
char ToLowerAscii(char c);
void UpperCaseText(char* text);
void LowerCaseText(char* text);
// strcmp without regard to ASCII case.
int CompareNoCase(const char* a, const char* b);
bool EqualsNoCase(const char* a, const char* b);
// The small letter of a Latin-1 letter, accented ones included (\xC0 to
// \xDE but the multiplication sign): what a typed key is matched by, so
// that with Caps Lock on \xC0 matches \xE0 as A matches a.
char FoldLatin1(char c);
bool EqualsFolded(const std::string& a, const std::string& b);

void RemoveChar(char* text, char c);
void RemoveTabs(char* text);
void TrimLeadingSpaces(char* text);
void TrimTrailingSpaces(char* text);
void TrimSpaces(char* text);
// Every run of spaces becomes one space.
void CollapseSpaces(char* text);

// Position of the substring or character in the element's text, or -1.
int FindInText(const dstring* element, const char* substring);
int FindCharInText(const dstring* element, char c);

// A new text with the first, or every, occurrence of `what` replaced.
std::string ReplaceFirst(const char* text, const char* what, const char* with);
std::string ReplaceAll(const char* text, const char* what, const char* with);

// The text without the "~" marks around its hot-key letter.
std::string WithoutHotkeyMarks(const char* text);
