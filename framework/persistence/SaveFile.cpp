#include "framework/persistence/SaveFile.h"

#include "engine/core/Error.h"
#include "engine/core/FileBinary.h"
#include "engine/core/FileManager.h"
#include "engine/core/MessageManager.h"
#include "game_tools/VersionedFile.h"

#include <vector>

namespace GameFramework {

using Halvard::FileAccess;

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

void SaveFile::KeepBadCopy(const std::string& path, const Halvard::Error& reason) const
{
    if (!Exists(path))
        return;
    const std::string copyPath = path + ".bad";
    try {
        const auto source = services_.files->OpenFileBinary(path, FileAccess::kRead, Halvard::FileLoading::kWhole);
        std::vector<Halvard::u8> bytes(source->GetSize());
        source->Read(bytes.data(), static_cast<Halvard::u32>(bytes.size()));
        const auto copy = services_.files->OpenFileBinary(copyPath, FileAccess::kWrite);
        copy->Write(bytes.data(), static_cast<Halvard::u32>(bytes.size()));
        copy->Close();
    } catch (const Halvard::FileError& error) {
        services_.messages->LogError(error.GetText());
        return;
    }
    services_.messages->LogWarning(reason.GetText() + "; the file is kept as \"" + copyPath + "\"");
}

bool SaveFile::Exists(const std::string& path) const { return services_.files->FileExists(path); }

} // namespace GameFramework
