#pragma once

#include "platform/os/WorkerThread.h"

namespace Testing {

// No worker thread can be started while this lives.
class ScopedThreadsRefused {
public:
    ScopedThreadsRefused() { Platform::SetWorkerThreadsRefused(true); }
    ~ScopedThreadsRefused() { Platform::SetWorkerThreadsRefused(false); }
    ScopedThreadsRefused(const ScopedThreadsRefused&) = delete;
    ScopedThreadsRefused& operator=(const ScopedThreadsRefused&) = delete;
};

} // namespace Testing
