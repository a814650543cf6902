#pragma once
// The command that opens the help, shared by every screen with a help button.

namespace command {

constexpr int kHelp = 13;

}  // namespace command
