#pragma once
// The last user and their settings, kept between runs: the 20-byte name, a
// 32-bit size and that many bytes of settings (taken only when 476).

// Leaves the name and settings as they were when the file is missing, short
// or damaged.
void ReadLastUser();
bool WriteLastUser();
