#pragma once

namespace Platform {

// Whether SDL draws into memory ("offscreen" or "dummy"): no screen, no
// desktop, nobody to see a box or wait for a frame. The driver in use once
// SDL's video is up, the one asked for in SDL_VIDEODRIVER before. Any thread.
bool IsScreenlessDriver();

} // namespace Platform
