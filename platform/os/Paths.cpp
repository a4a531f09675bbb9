#include "platform/os/Paths.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <pwd.h>
#include <system_error>
#include <unistd.h>
#include <vector>

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

bool IsAbsolute(const char* path) { return path != nullptr && path[0] == '/'; }

// The entry may be longer than sysconf suggests; the buffer grows until it
// holds it.
std::string HomeFromPasswordDatabase()
{
    const long suggested = ::sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(suggested > 0 ? static_cast<size_t>(suggested) : 1024);
    for (;;) {
        passwd entry{};
        passwd* found = nullptr;
        const int error = ::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found);
        if (error == ERANGE && buffer.size() < (1u << 20)) {
            buffer.resize(buffer.size() * 2);
            continue;
        }
        if (error != 0 || found == nullptr || !IsAbsolute(entry.pw_dir))
            return std::string();
        return entry.pw_dir;
    }
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

std::string HomeFolder()
{
    const char* home = std::getenv("HOME");
    return IsAbsolute(home) ? std::string(home) : HomeFromPasswordDatabase();
}

std::string ApplicationDataFolder()
{
    std::string folder;
    const char* dataHome = std::getenv("XDG_DATA_HOME");
    if (IsAbsolute(dataHome)) {
        folder = dataHome;
    } else {
        const std::string home = HomeFolder();
        if (home.empty())
            return home;
        folder = home + "/.local/share";
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
