#include "platform/os/FileSystem.h"

#include "platform/os/Paths.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <mutex>
#include <system_error>

namespace Platform {

namespace fs = std::filesystem;

namespace {

std::mutex protectedMutex;
std::vector<std::string> protectedFolders;

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualIgnoringCase(const std::string& a, const std::string& b)
{
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return LowerAscii(x) == LowerAscii(y); });
}

bool Exists(const fs::path& path)
{
    std::error_code error;
    return fs::exists(fs::symlink_status(path, error));
}

// The on-disk spelling of one component of a folder, first by name when
// several differ only in case; empty when there is none.
std::string FindSpelling(const fs::path& folder, const std::string& component)
{
    std::error_code error;
    fs::directory_iterator it(folder.empty() ? fs::path(".") : folder,
                              fs::directory_options::skip_permission_denied, error);
    std::string best;
    for (; !error && it != fs::directory_iterator(); it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (EqualIgnoringCase(name, component) && (best.empty() || name < best))
            best = name;
    }
    return best;
}

bool IsSameOrInside(const fs::path& inner, const fs::path& outer)
{
    auto mismatch = std::mismatch(outer.begin(), outer.end(), inner.begin(), inner.end());
    return mismatch.first == outer.end();
}

fs::path Canonical(const std::string& nativePath)
{
    std::error_code error;
    fs::path path = fs::weakly_canonical(fs::absolute(nativePath, error), error);
    return error ? fs::path() : path;
}

std::vector<std::string> FoldersThatMustStay()
{
    std::vector<std::string> folders = {ProgramFolder(), ApplicationDataFolder(), HomeFolder()};
    {
        std::lock_guard<std::mutex> lock(protectedMutex);
        folders.insert(folders.end(), protectedFolders.begin(), protectedFolders.end());
    }
    // An empty name would stand for the current folder.
    folders.erase(std::remove(folders.begin(), folders.end(), std::string()), folders.end());
    return folders;
}

bool IsDeletionAllowed(const std::string& nativePath)
{
    if (nativePath.empty())
        return false;
    const fs::path target = Canonical(nativePath);
    if (target.empty() || target == target.root_path())
        return false;
    for (const std::string& folder : FoldersThatMustStay()) {
        const fs::path kept = Canonical(folder);
        if (!kept.empty() && IsSameOrInside(kept, target))
            return false;
    }
    return true;
}

} // namespace

std::string ResolvePath(const std::string& nativePath)
{
    if (nativePath.empty() || Exists(nativePath))
        return nativePath;
    const fs::path given(nativePath);
    const fs::path relative = given.relative_path();
    fs::path resolved = given.root_path();
    auto it = relative.begin();
    const auto end = relative.end();
    for (; it != end; ++it) {
        const std::string component = it->string();
        if (component.empty() || component == "." || component == ".." || Exists(resolved / component)) {
            resolved /= *it;
            continue;
        }
        const std::string spelling = FindSpelling(resolved, component);
        if (spelling.empty())
            break;
        resolved /= spelling;
    }
    for (; it != end; ++it)
        resolved /= *it;
    return resolved.string();
}

bool PathExists(const std::string& nativePath)
{
    return !nativePath.empty() && Exists(ResolvePath(nativePath));
}

std::FILE* OpenForReading(const std::string& nativePath)
{
    const std::string path = ResolvePath(nativePath);
    std::error_code error;
    if (path.empty() || !fs::is_regular_file(path, error))
        return nullptr;
    return std::fopen(path.c_str(), "rb");
}

std::vector<FolderEntry> ListFolder(const std::string& nativeFolder)
{
    std::vector<FolderEntry> entries;
    if (nativeFolder.empty())
        return entries;
    std::error_code error;
    fs::directory_iterator it(ResolvePath(nativeFolder), fs::directory_options::skip_permission_denied, error);
    for (; !error && it != fs::directory_iterator(); it.increment(error)) {
        std::error_code statusError;
        const fs::file_status own = it->symlink_status(statusError);
        FolderEntry entry{it->path().filename().string(), false};
        if (fs::is_directory(own))
            entry.isFolder = true;
        else if (!fs::is_regular_file(own) && !(fs::is_symlink(own) && fs::is_regular_file(it->status(statusError))))
            continue;
        entries.push_back(std::move(entry));
    }
    std::sort(entries.begin(), entries.end(),
              [](const FolderEntry& a, const FolderEntry& b) { return a.name < b.name; });
    return entries;
}

bool DeletePath(const std::string& nativePath)
{
    if (!IsDeletionAllowed(nativePath))
        return false;
    const std::string path = ResolvePath(nativePath);
    if (!IsDeletionAllowed(path))
        return false;
    std::error_code error;
    fs::remove_all(path, error);
    return !error;
}

bool RenameFile(const std::string& nativeFrom, const std::string& nativeTo)
{
    const std::string from = ResolvePath(nativeFrom);
    std::error_code error;
    if (!fs::is_regular_file(fs::status(from, error)) || PathExists(nativeTo))
        return false;
    return std::rename(from.c_str(), ResolvePath(nativeTo).c_str()) == 0;
}

long long GetWriteTime(const std::string& nativePath)
{
    std::error_code error;
    const auto time = fs::last_write_time(ResolvePath(nativePath), error);
    if (error)
        return -1;
    return std::chrono::duration_cast<std::chrono::nanoseconds>(time.time_since_epoch()).count();
}

void AddProtectedFolder(const std::string& nativeFolder)
{
    std::lock_guard<std::mutex> lock(protectedMutex);
    protectedFolders.push_back(nativeFolder);
}

WriteFault WriteFaultOf(int systemError)
{
    switch (systemError) {
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return WriteFault::kNoRoom;
    case EACCES:
    case EPERM:
    case EROFS:
        return WriteFault::kNoRight;
    case ENOENT:
    case ENOTDIR:
        return WriteFault::kNoFolder;
    default:
        return WriteFault::kOther;
    }
}

std::string SystemReason(int systemError) { return std::generic_category().message(systemError); }

void KeepFileSizeLimitFromEndingTheProgram() { std::signal(SIGXFSZ, SIG_IGN); }

// Listing skips what it may not read, so an unreadable folder would look
// empty there; here it must not.
bool CanListFolder(const std::string& nativeFolder)
{
    std::error_code error;
    const std::string folder = ResolvePath(nativeFolder);
    if (folder.empty() || !fs::is_directory(folder, error))
        return false;
    fs::directory_iterator it(folder, error);
    return !error;
}

} // namespace Platform
