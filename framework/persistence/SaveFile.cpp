#include "framework/persistence/SaveFile.h"

#include "engine/core/Error.h"
#include "engine/core/FileBinary.h"
#include "engine/core/FileManager.h"
#include "engine/core/MessageManager.h"
#include "engine/core/PathUtils.h"
#include "engine/core/StringUtils.h"
#include "game_tools/VersionedFile.h"

namespace GameFramework {

using Halvard::FileAccess;

namespace {

constexpr const char* kKeptExtension = ".bad";

} // namespace

SaveFile::SaveFile(FileServices services, SaveFormat format) : services_(services), format_(std::move(format)) {}

bool SaveFile::Write(const std::string& path, const Body& writeBody) const
{
    try {
        GameTools::VersionedFile file(services_.files, format_.magic, format_.version);
        file.Open(path, FileAccess::kWrite);
        writeBody(*file.GetFile());
        file.Close();
        return true;
    } catch (const Halvard::FileError& error) {
        services_.messages->LogError(error.GetText());
        return false;
    }
}

void SaveFile::Read(const std::string& path, const Body& readBody) const
{
    GameTools::VersionedFile file(services_.files, format_.magic, format_.version);
    file.Open(path, FileAccess::kRead);
    readBody(*file.GetFile());
    file.Close();
}

void SaveFile::KeepBadFile(const std::string& path, const Halvard::Error& reason) const
{
    if (!Exists(path))
        return;
    const std::string keptPath = SetAside(path);
    if (!keptPath.empty())
        services_.messages->LogWarning(reason.GetText() + KeptAs(keptPath));
}

std::string SaveFile::SetAside(const std::string& path) const
{
    std::string keptPath = path + kKeptExtension;
    for (Halvard::u32 number = 2; Exists(keptPath); ++number)
        keptPath = path + kKeptExtension + Halvard::UIntToString(number);
    if (!Halvard::RenameFileOnDisk(path, keptPath)) {
        services_.messages->LogError("Failed to rename \"" + path + "\" file to \"" + keptPath + "\"");
        return std::string();
    }
    return keptPath;
}

std::string SaveFile::KeptAs(const std::string& keptPath) { return "; the file is kept as \"" + keptPath + "\""; }

bool SaveFile::Exists(const std::string& path) const { return services_.files->FileExists(path); }

} // namespace GameFramework
