#pragma once

#include <optional>
#include <string>

namespace Platform {

// The two hives the system keeps: values for every user of the machine and
// values of the current user.
enum class RegistryHive { kMachine, kUser };

struct RegistryValue {
    // False for numbers and binary data, whose text stays empty.
    bool isString = false;
    std::string text;
};

// Reads one value from a hive's file; nothing when the file, the key or the
// value is missing. A hive file is text, with sections named by key path and
// one value a line:
//     [SOFTWARE\Maker\Product]
//     InstallPath=/opt/product           a string, the rest of the line
//     "Version"="105"                    a quoted string (\\ and \" escaped)
//     @=text                             the key's default (nameless) value
//     Count=dword:00000064               a number
//     Blob=hex:01,02                     binary data (also hex(2): and so on)
// Key paths and value names match without regard to case and to backslashes
// at their ends; a later line overrides an earlier one; lines beginning with
// ';' or '#' are comments.
std::optional<RegistryValue> ReadRegistryValue(RegistryHive hive, const std::string& keyPath,
                                               const std::string& valueName);

// Where a hive's file lies (native form): the machine's in the first folder
// of $XDG_CONFIG_DIRS (else /etc/xdg) + "/halvard/registry-machine.ini", the
// user's in $XDG_CONFIG_HOME (else ~/.config, the home folder as HomeFolder
// finds it) + "/halvard/registry-user.ini". Empty for the user's hive when
// there is no home folder: the hive then holds nothing.
std::string RegistryHiveFile(RegistryHive hive);

// Tests point a hive at a file of their own; an empty path restores the
// standard place.
void SetRegistryHiveFile(RegistryHive hive, const std::string& nativePath);

} // namespace Platform
