#include "platform/os/Paths.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <system_error>

namespace Platform {

namespace {

std::mutex programFolderMutex;
std::string programFolderOverride;

std::string ReadProgramFolder()
{
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error)
        return std::filesystem::current_path(error).string();
    return program.parent_path().string();
}

std::string ReadProgramName()
{
    std::error_code error;
    return std::filesystem::read_symlink("/proc/self/exe", error).filename().string();
}

} // namespace

std::string ToNativePath(const std::string& path)
{
    std::string native = path;
    std::replace(native.begin(), native.end(), '\\', '/');
    return native;
}

std::string FromNativePath(const std::string& nativePath)
{
    std::string path = nativePath;
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

std::string ProgramFolder()
{
    {
        std::lock_guard<std::mutex> lock(programFolderMutex);
        if (!programFolderOverride.empty())
            return programFolderOverride;
    }
    static const std::string folder = ReadProgramFolder();
    return folder;
}

void SetProgramFolder(const std::string& nativeFolder)
{
    std::lock_guard<std::mutex> lock(programFolderMutex);
    programFolderOverride = nativeFolder;
}

std::string ProgramFile()
{
    static const std::string name = ReadProgramName();
    return ProgramFolder() + "/" + name;
}

std::string ApplicationDataFolder()
{
    std::string folder;
    const char* dataHome = std::getenv("XDG_DATA_HOME");
    if (dataHome != nullptr && dataHome[0] == '/') {
        folder = dataHome;
    } else {
        const char* home = std::getenv("HOME");
        folder = std::string(home != nullptr ? home : "") + "/.local/share";
    }
    CreateFolder(folder);
    return folder;
}

bool CreateFolder(const std::string& nativeFolder)
{
    if (nativeFolder.empty())
        return false;
    std::error_code error;
    std::filesystem::create_directories(nativeFolder, error);
    return std::filesystem::is_directory(nativeFolder, error);
}

} // namespace Platform
