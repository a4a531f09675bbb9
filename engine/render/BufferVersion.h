#pragma once

#include "engine/core/Types.h"

namespace Halvard {

// What lets the device keep a copy of a buffer's array of its own: an
// identity that no other buffer of the process is given, and a version that
// moves on at every lock and unlock, the only way the array is written. Any
// thread may make a buffer.
class BufferVersion {
public:
    BufferVersion();

    void Touch() { ++version_; }
    u64 GetIdentity() const { return identity_; }
    u64 Get() const { return version_; }

private:
    u64 identity_;
    u64 version_ = 0;
};

} // namespace Halvard
