#include "framework/persistence/SaveFile.h"

#include "engine/core/Error.h"
#include "engine/core/FileBinary.h"
#include "engine/core/FileManager.h"
#include "engine/core/MessageManager.h"
#include "engine/core/PathUtils.h"
#include "engine/core/StringUtils.h"
#include "game_tools/VersionedFile.h"

#include <algorithm>

namespace GameFramework {

using Halvard::FileAccess;

namespace {

constexpr const char* kKeptExtension = ".bad";
constexpr const char* kUnreadReason = "the file there could not be read and is kept as it is";
// The longest file name the common file systems take, in bytes.
constexpr std::size_t kLongestFileName = 255;

std::string Quoted(const std::string& path) { return "\"" + path + "\""; }

} // namespace

SaveFile::SaveFile(FileServices services, SaveFormat format) : services_(services), format_(std::move(format)) {}

SaveFile::~SaveFile()
{
    for (const std::string& path : saved_)
        Forget(path);
}

// A held file's trouble was told when it was held: that nothing is saved
// over it is part of it.
bool SaveFile::Write(const std::string& path, const Body& writeBody)
{
    if (const Held* held = FindHeld(path)) {
        services_.messages->LogError("Failed to save " + Quoted(path) + " file: " + held->reason);
        return false;
    }
    if (services_.trouble == nullptr) {
        const std::optional<Halvard::FileError> error = WriteNow(path, writeBody);
        if (error)
            services_.messages->LogError(error->GetTextWithReason());
        return !error;
    }
    if (std::find(saved_.begin(), saved_.end(), path) == saved_.end())
        saved_.push_back(path);
    return services_.trouble->MakeSave(path, [this, path, writeBody] { return WriteNow(path, writeBody); });
}

std::optional<Halvard::FileError> SaveFile::WriteNow(const std::string& path, const Body& writeBody) const
{
    try {
        GameTools::VersionedFile file(services_.files, format_.magic, format_.version);
        file.Open(path, FileAccess::kWrite);
        writeBody(*file.GetFile());
        file.Close();
        return std::nullopt;
    } catch (const Halvard::FileError& error) {
        return error;
    }
}

void SaveFile::Forget(const std::string& path)
{
    if (services_.trouble != nullptr)
        services_.trouble->Forget(path);
}

bool SaveFile::MayChange() const { return services_.trouble == nullptr || services_.trouble->MayWrite(); }

void SaveFile::Read(const std::string& path, const Body& readBody)
{
    try {
        GameTools::VersionedFile file(services_.files, format_.magic, format_.version);
        file.Open(path, FileAccess::kRead);
        readBody(*file.GetFile());
        file.Close();
    } catch (const Halvard::FileError&) {
        // Only a file that is there and still cannot be opened is held: a
        // missing, foreign or damaged one is the caller's to replace.
        if (!Exists(path) || CanOpen(path))
            throw;
        Hold(path, kUnreadReason);
        ReportTrouble(SaveTrouble::Kind::kNotRead, path);
        throw Halvard::FileError("File " + Quoted(path) +
                                 " exists but cannot be opened; it is left as it is and not written over");
    }
}

bool SaveFile::CanOpen(const std::string& path) const
{
    try {
        services_.files->OpenFileBinary(path, FileAccess::kRead);
        return true;
    } catch (const Halvard::FileError&) {
        return false;
    }
}

void SaveFile::Hold(const std::string& path, const std::string& reason)
{
    if (!IsHeld(path))
        held_.push_back(Held{path, reason});
}

const SaveFile::Held* SaveFile::FindHeld(const std::string& path) const
{
    const auto found = std::find_if(held_.begin(), held_.end(), [&path](const Held& held) { return held.path == path; });
    return found != held_.end() ? &*found : nullptr;
}

bool SaveFile::IsHeld(const std::string& path) const { return FindHeld(path) != nullptr; }

void SaveFile::ReportTrouble(SaveTrouble::Kind kind, const std::string& path) const
{
    if (services_.trouble != nullptr)
        services_.trouble->Report(kind, path);
}

void SaveFile::KeepBadFile(const std::string& path, const Halvard::Error& reason)
{
    if (IsHeld(path)) {
        services_.messages->LogError(reason.GetText());
        return;
    }
    if (!Exists(path))
        return;
    const std::string keptPath = SetAside(path);
    if (!keptPath.empty()) {
        services_.messages->LogWarning(reason.GetText() + KeptAs(keptPath));
        return;
    }
    // Replacing it now would lose the only copy of its bytes.
    Hold(path, kUnreadReason);
    ReportTrouble(SaveTrouble::Kind::kNotRead, path);
    services_.messages->LogError(reason.GetText() + "; the file could not be set aside and is left as it is");
}

std::string SaveFile::MakeKeptPath(const std::string& path, Halvard::u32 number) const
{
    const std::string ending = kKeptExtension + (number > 1 ? Halvard::UIntToString(number) : std::string());
    std::string name = Halvard::GetFileName(path);
    if (name.size() + ending.size() > kLongestFileName)
        name.resize(kLongestFileName - ending.size());
    return path.substr(0, path.size() - Halvard::GetFileName(path).size()) + name + ending;
}

std::string SaveFile::SetAside(const std::string& path) const
{
    std::string keptPath = MakeKeptPath(path, 1);
    for (Halvard::u32 number = 2; Exists(keptPath); ++number)
        keptPath = MakeKeptPath(path, number);
    if (!Halvard::RenameFileOnDisk(path, keptPath)) {
        services_.messages->LogError("Failed to rename " + Quoted(path) + " file to " + Quoted(keptPath));
        return std::string();
    }
    return keptPath;
}

std::string SaveFile::KeptAs(const std::string& keptPath) { return "; the file is kept as " + Quoted(keptPath); }

bool SaveFile::Exists(const std::string& path) const { return services_.files->FileExists(path); }

} // namespace GameFramework
