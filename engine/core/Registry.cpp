#include "engine/core/Registry.h"

#include "platform/os/Registry.h"

#include <algorithm>
#include <optional>

namespace Halvard {

namespace {

// The longest text that fits the reader's buffer with its terminating zero.
constexpr size_t kLongestText = 4095;

std::optional<Platform::RegistryHive> HiveOf(RegistryRoot root)
{
    switch (root) {
    case RegistryRoot::kLocalMachine:
        return Platform::RegistryHive::kMachine;
    case RegistryRoot::kCurrentUser:
        return Platform::RegistryHive::kUser;
    default:
        return std::nullopt;
    }
}

} // namespace

RegistryRoot GetRegistryRoot(u32 index)
{
    return index <= static_cast<u32>(RegistryRoot::kUsers) ? static_cast<RegistryRoot>(index)
                                                           : RegistryRoot::kCurrentUser;
}

bool ReadRegistryStringFromRoot(u32 rootIndex, const std::string& keyPath, const std::string& valueName,
                                std::string& out)
{
    const std::optional<Platform::RegistryHive> hive = HiveOf(GetRegistryRoot(rootIndex));
    if (!hive)
        return false;
    const std::optional<Platform::RegistryValue> value = Platform::ReadRegistryValue(*hive, keyPath, valueName);
    if (!value || !value->isString)
        return false;
    const std::string& text = value->text;
    out = text.substr(0, std::min(text.find('\0'), kLongestText));
    return true;
}

bool ReadRegistryString(const std::string& keyPath, const std::string& valueName, std::string& out)
{
    return ReadRegistryStringFromRoot(static_cast<u32>(RegistryRoot::kLocalMachine), keyPath, valueName, out) ||
           ReadRegistryStringFromRoot(static_cast<u32>(RegistryRoot::kCurrentUser), keyPath, valueName, out);
}

} // namespace Halvard
