#include "engine/core/PathUtils.h"

namespace Halvard {

bool IsAbsolutePath(const std::string& path)
{
    return (path.size() >= 2 && path[1] == ':') || (!path.empty() && path[0] == '\\');
}

} // namespace Halvard
