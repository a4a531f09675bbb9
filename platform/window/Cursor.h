#pragma once

namespace Platform {

// A mouse cursor shape. Owned by the WindowSystem that handed it out and
// valid while that system stays open.
class Cursor {
public:
    virtual ~Cursor() = default;
};

} // namespace Platform
