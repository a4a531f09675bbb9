// The registry's hive files, as the game reads its version, install folder
// and language at the start: the machine's hive and the user's, two files of
// one input (FileBundle.h, in that order), each in a folder of its own that
// the hive is pointed at. A value read is a string of the file, one line's
// worth, no longer than the reader keeps and with no zero byte; the
// machine's value comes first; the same files read the same way twice.
#include "engine/core/Registry.h"
#include "platform/os/Registry.h"
#include "tests/fuzz/FileBundle.h"
#include "tests/fuzz/FuzzCheck.h"
#include "tests/fuzz/FuzzTarget.h"
#include "tests/support/TempFolder.h"

#include <optional>
#include <string>
#include <vector>

namespace {

using Platform::RegistryHive;

constexpr const char* kGameKey = "SOFTWARE\\Quenbyworks\\Tamrisk";
constexpr std::size_t kLongestText = 4095;

// Both hives at files of the folder for the guard's life.
class HivesAt {
public:
    explicit HivesAt(const Testing::TempFolder& folder)
    {
        Platform::SetRegistryHiveFile(RegistryHive::kMachine, folder.Native("registry-machine.ini").string());
        Platform::SetRegistryHiveFile(RegistryHive::kUser, folder.Native("registry-user.ini").string());
    }
    ~HivesAt()
    {
        Platform::SetRegistryHiveFile(RegistryHive::kMachine, "");
        Platform::SetRegistryHiveFile(RegistryHive::kUser, "");
    }
    HivesAt(const HivesAt&) = delete;
    HivesAt& operator=(const HivesAt&) = delete;
};

std::optional<std::string> Read(Halvard::RegistryRoot root, const char* key, const char* name)
{
    std::string out;
    if (!Halvard::ReadRegistryStringFromRoot(static_cast<Halvard::u32>(root), key, name, out))
        return std::nullopt;
    return out;
}

// Unquoted or without escapes, a value is a piece of its line.
void CheckValue(const std::string& text, const std::vector<Fuzzing::BundledFile>& hives)
{
    using Fuzzing::Check;
    Check(text.size() <= kLongestText, "a value longer than the reader keeps");
    Check(text.find('\0') == std::string::npos, "a value holding a zero byte");
    Check(text.find('\n') == std::string::npos, "a value running past its line");
    if (text.find_first_of("\\\"") != std::string::npos)
        return;
    bool found = false;
    for (const Fuzzing::BundledFile& hive : hives)
        found = found || hive.bytes.find(text) != std::string::npos;
    Check(found, "the value \"" + text + "\" is in neither hive file");
}

void ReadGameValues(const std::vector<Fuzzing::BundledFile>& hives)
{
    using Halvard::RegistryRoot;
    for (const char* name : {"Version", "InstallPath", "Language", ""}) {
        const std::optional<std::string> machine = Read(RegistryRoot::kLocalMachine, kGameKey, name);
        const std::optional<std::string> user = Read(RegistryRoot::kCurrentUser, kGameKey, name);
        std::string either;
        const bool found = Halvard::ReadRegistryString(kGameKey, name, either);
        Fuzzing::Check(found == (machine || user), "a value found in one reading and not in the other");
        if (!found)
            continue;
        Fuzzing::Check(either == (machine ? *machine : *user), "the user's value before the machine's");
        CheckValue(either, hives);
        Fuzzing::Check(Read(RegistryRoot::kLocalMachine, kGameKey, name) == machine &&
                           Read(RegistryRoot::kCurrentUser, kGameKey, name) == user,
                       "the same files read differently");
    }
}

} // namespace

TAMRISK_FUZZ_TARGET(Registry)
{
    std::vector<Fuzzing::BundledFile> hives = Fuzzing::SplitBundle(bytes, ".ini");
    hives.resize(2);
    Testing::TempFolder folder;
    folder.WriteFile("registry-machine.ini", hives[0].bytes);
    folder.WriteFile("registry-user.ini", hives[1].bytes);
    const HivesAt guard(folder);
    ReadGameValues(hives);
}
