#pragma once

#include "engine/core/Types.h"

#include <string>

namespace Halvard {

// The predefined roots of the registry, by their index. Only the machine's
// and the current user's hold values here.
enum class RegistryRoot : u32 {
    kClassesRoot = 0,
    kCurrentConfig = 1,
    kCurrentUser = 2,
    kLocalMachine = 3,
    kUsers = 4,
};

// The root of an index; an index without one gives the current user's.
RegistryRoot GetRegistryRoot(u32 index);

// Reads a string value under a root. True only for a value stored as a
// string; its text is kept up to its first zero byte and at most 4095 bytes.
// A missing key or value, or one of another type, gives false and leaves
// `out` as it was.
bool ReadRegistryStringFromRoot(u32 rootIndex, const std::string& keyPath, const std::string& valueName,
                                std::string& out);

// The machine's value first, then the current user's.
bool ReadRegistryString(const std::string& keyPath, const std::string& valueName, std::string& out);

} // namespace Halvard
