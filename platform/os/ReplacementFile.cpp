#include "platform/os/ReplacementFile.h"

#include "platform/os/FileSystem.h"

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <system_error>
#include <sys/stat.h>
#include <unistd.h>

namespace Platform {

namespace {

constexpr mode_t kNewFileMode = 0644;

// A new file is named "." + the target's name + this mark + mkstemp's six
// letters and digits, so that neither a reader nor a person listing the
// folder takes it for the target.
constexpr const char* kTemporaryMark = ".tmp-";
constexpr size_t kUniqueLength = 6;

bool IsTemporaryName(const std::string& name)
{
    const std::string mark = kTemporaryMark;
    const size_t markSize = mark.size();
    if (name.size() < 2 + markSize + kUniqueLength || name[0] != '.')
        return false;
    const size_t markAt = name.size() - kUniqueLength - markSize;
    if (name.compare(markAt, markSize, mark) != 0)
        return false;
    for (size_t i = markAt + markSize; i < name.size(); ++i) {
        if (std::isalnum(static_cast<unsigned char>(name[i])) == 0)
            return false;
    }
    return true;
}

// Makes the rename itself survive a power cut.
void SyncFolder(const std::string& folder)
{
    const int descriptor = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (descriptor < 0)
        return;
    ::fsync(descriptor);
    ::close(descriptor);
}

std::string FolderOf(const std::string& path)
{
    const size_t slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string NameOf(const std::string& path)
{
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// As many links as the system itself follows in one path.
constexpr int kMostLinks = 40;

// The file a chain of symbolic links ends at, each relative link read from
// the folder it lies in; the path itself when it is no link. The file need
// not exist. Empty, with errno set, when a link cannot be read or the chain
// is too long to be anything but a loop.
std::string FollowLinks(std::string path)
{
    for (int followed = 0; followed <= kMostLinks; ++followed) {
        struct stat status {};
        if (::lstat(path.c_str(), &status) != 0 || !S_ISLNK(status.st_mode))
            return path;
        std::error_code error;
        const std::filesystem::path next = std::filesystem::read_symlink(path, error);
        if (error) {
            errno = error.value();
            return {};
        }
        path = next.is_absolute() ? next.string() : FolderOf(path) + "/" + next.string();
    }
    errno = ELOOP;
    return {};
}

} // namespace

// A target that is a symbolic link is replaced where the link points, so
// that the link stays and what it points at takes the new bytes: the file
// may lie on another disk, where no rename from the link's folder reaches.
ReplacementFile::ReplacementFile(const std::string& nativeTarget)
{
    const std::string named = ResolvePath(nativeTarget);
    if (named.empty() || named.back() == '/')
        return;
    target_ = FollowLinks(named);
    if (target_.empty()) {
        Fail();
        return;
    }
    if (target_ != named)
        linked_ = target_;
    std::string pattern =
        FolderOf(target_) + "/." + NameOf(target_) + kTemporaryMark + std::string(kUniqueLength, 'X');
    const int descriptor = ::mkstemp(pattern.data());
    if (descriptor < 0) {
        // The folder a link points into is not the game's to make.
        if (target_ == named)
            FailToMakeIn(FolderOf(target_));
        else
            Fail();
        return;
    }
    struct stat existing {};
    const mode_t mode = ::stat(target_.c_str(), &existing) == 0 ? (existing.st_mode & 07777) : kNewFileMode;
    ::fchmod(descriptor, mode);
    stream_ = ::fdopen(descriptor, "wb");
    if (stream_ == nullptr) {
        Fail();
        ::close(descriptor);
        ::unlink(pattern.c_str());
        return;
    }
    temporary_ = pattern;
}

ReplacementFile::~ReplacementFile() { Discard(); }

void ReplacementFile::Fail() { FailWith(errno); }

void ReplacementFile::FailWith(int systemError)
{
    systemError_ = systemError;
    fault_ = WriteFaultOf(systemError);
}

std::string ReplacementFile::GetReason() const
{
    return systemError_ == 0 ? std::string() : SystemReason(systemError_);
}

// A folder that its caller could not make shows here only as missing: the
// save is told by why the folder could not be made (a closed parent, a full
// disk), not as a folder the player should make.
void ReplacementFile::FailToMakeIn(const std::string& folder)
{
    const int error = errno;
    std::error_code made;
    if (error == ENOENT && !std::filesystem::create_directories(folder, made) && made)
        FailWith(made.value());
    else
        FailWith(error);
}

bool ReplacementFile::Succeeded(bool done)
{
    if (!done)
        Fail();
    return done;
}

size_t ReplacementFile::Write(const void* bytes, size_t count)
{
    if (stream_ == nullptr)
        return 0;
    const size_t written = std::fwrite(bytes, 1, count, stream_);
    if (written < count)
        Fail();
    return written;
}

bool ReplacementFile::Seek(long long offset)
{
    return stream_ != nullptr && Succeeded(::fseeko(stream_, static_cast<off_t>(offset), SEEK_SET) == 0);
}

bool ReplacementFile::Commit()
{
    if (stream_ == nullptr)
        return false;
    // A write that failed before has said why already (Write).
    bool saved = std::ferror(stream_) == 0;
    saved = saved && Succeeded(std::fflush(stream_) == 0);
    saved = saved && Succeeded(::fsync(::fileno(stream_)) == 0);
    const bool closed = std::fclose(stream_) == 0;
    stream_ = nullptr;
    saved = saved && Succeeded(closed);
    saved = saved && RenameOverTarget();
    if (!saved) {
        ::unlink(temporary_.c_str());
        temporary_.clear();
        return false;
    }
    temporary_.clear();
    SyncFolder(FolderOf(target_));
    return true;
}

// The folder took the new file, so a rename it refuses is the target's own
// trouble (a file made immutable, another's file in a sticky folder), not a
// folder closed to writing.
bool ReplacementFile::RenameOverTarget()
{
    if (std::rename(temporary_.c_str(), target_.c_str()) == 0)
        return true;
    Fail();
    if (fault_ == WriteFault::kNoRight)
        fault_ = WriteFault::kOther;
    return false;
}

bool ReplacementFile::Discard()
{
    if (stream_ == nullptr)
        return true;
    std::fclose(stream_);
    stream_ = nullptr;
    const bool removed = ::unlink(temporary_.c_str()) == 0;
    temporary_.clear();
    return removed;
}

std::vector<std::string> RemoveLeftoverReplacements(const std::string& nativeFolder)
{
    namespace fs = std::filesystem;
    std::vector<std::string> removed;
    std::error_code error;
    fs::recursive_directory_iterator it(nativeFolder, fs::directory_options::skip_permission_denied, error);
    for (; !error && it != fs::recursive_directory_iterator(); it.increment(error)) {
        std::error_code statusError;
        if (!fs::is_regular_file(it->symlink_status(statusError)) || !IsTemporaryName(it->path().filename().string()))
            continue;
        if (::unlink(it->path().c_str()) == 0)
            removed.push_back(it->path().string());
    }
    return removed;
}

} // namespace Platform
