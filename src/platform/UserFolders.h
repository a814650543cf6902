#pragma once
// Folders of the desktop user's own: where the teacher's documents go.

#include <string>

namespace platform {

// The documents folder as the desktop names it (`xdg-user-dir DOCUMENTS`),
// else ~/Documents; a path of the system's own, without a trailing slash.
std::string DocumentsFolder();

}  // namespace platform
