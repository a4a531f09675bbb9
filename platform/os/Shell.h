#pragma once

#include <string>
#include <vector>

namespace Platform {

// Asks the desktop to open an address or a document with the program the
// user chose for it (xdg-open), without waiting for it: the program may be
// ending. Each request is echoed to stderr and recorded. Nothing is started
// while opening is turned off, nor with the "offscreen" or "dummy" video
// drivers, where nobody sees a browser; a desktop without xdg-open is no
// error. Main thread only.
void ShellOpen(const std::string& target);

// Tests turn opening off and read what would have been opened.
void SetShellOpenEnabled(bool enabled);
const std::vector<std::string>& GetShellOpenRequests();
void ClearShellOpenRequests();

} // namespace Platform
