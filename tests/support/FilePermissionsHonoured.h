#pragma once

#include <cstdint>

namespace Testing {

// While it lives, the calling thread's file access follows the permission
// bits even when the tests run as root: the two capabilities that let root
// read, write and search past them leave the thread's effective set, and
// come back when the guard goes. Without them to begin with, nothing changes.
// Tests use it for a file that cannot be opened (mode 000) or a folder closed
// to writing (mode 555). Only the calling thread is affected.
class FilePermissionsHonoured {
public:
    FilePermissionsHonoured();
    ~FilePermissionsHonoured();

    FilePermissionsHonoured(const FilePermissionsHonoured&) = delete;
    FilePermissionsHonoured& operator=(const FilePermissionsHonoured&) = delete;

private:
    std::uint32_t savedEffective_ = 0;
    bool changed_ = false;
};

} // namespace Testing
