#include "platform/os/ReplacementFile.h"

#include "platform/os/FileSystem.h"

#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace Platform {

namespace {

constexpr mode_t kNewFileMode = 0644;

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

} // namespace

ReplacementFile::ReplacementFile(const std::string& nativeTarget)
    : target_(ResolvePath(nativeTarget))
{
    if (target_.empty() || target_.back() == '/')
        return;
    std::string pattern = FolderOf(target_) + "/." + NameOf(target_) + ".tmp-XXXXXX";
    const int descriptor = ::mkstemp(pattern.data());
    if (descriptor < 0)
        return;
    struct stat existing {};
    const mode_t mode = ::stat(target_.c_str(), &existing) == 0 ? (existing.st_mode & 07777) : kNewFileMode;
    ::fchmod(descriptor, mode);
    stream_ = ::fdopen(descriptor, "wb");
    if (stream_ == nullptr) {
        ::close(descriptor);
        ::unlink(pattern.c_str());
        return;
    }
    temporary_ = pattern;
}

ReplacementFile::~ReplacementFile() { Discard(); }

bool ReplacementFile::Commit()
{
    if (stream_ == nullptr)
        return false;
    bool written = std::fflush(stream_) == 0 && std::ferror(stream_) == 0;
    written = written && ::fsync(::fileno(stream_)) == 0;
    const bool closed = std::fclose(stream_) == 0;
    stream_ = nullptr;
    if (!written || !closed || std::rename(temporary_.c_str(), target_.c_str()) != 0) {
        ::unlink(temporary_.c_str());
        temporary_.clear();
        return false;
    }
    temporary_.clear();
    SyncFolder(FolderOf(target_));
    return true;
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

} // namespace Platform
