#pragma once

#include <string>

namespace Halvard {

// A path is absolute when its second character is ':' (a drive) or when it
// begins with '\' (a folder imported from the system).
bool IsAbsolutePath(const std::string& path);

} // namespace Halvard
