#include "tests/support/TempFolder.h"

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <sys/statvfs.h>
#include <unistd.h>

namespace Testing {

namespace {

std::atomic<unsigned> counter{0};

constexpr unsigned long long kMemoryFolderRoom = 1ull << 30;

// The saves of the tests' games are flushed to the disk, and a disk shared
// with other work makes each flush wait: unless TMPDIR names a folder, the
// folders go to the memory-backed /dev/shm where it takes files to run and
// has room to spare for the program folders the tests copy.
std::filesystem::path BaseFolder()
{
    const char* chosen = std::getenv("TMPDIR");
    struct statvfs memory {};
    if ((chosen == nullptr || *chosen == '\0') && statvfs("/dev/shm", &memory) == 0 &&
        (memory.f_flag & (ST_RDONLY | ST_NOEXEC)) == 0 &&
        static_cast<unsigned long long>(memory.f_bavail) * memory.f_frsize >= kMemoryFolderRoom &&
        access("/dev/shm", W_OK | X_OK) == 0)
        return "/dev/shm";
    return std::filesystem::temp_directory_path();
}

} // namespace

TempFolder::TempFolder()
{
    static const std::filesystem::path base = BaseFolder();
    const std::string name = "tamrisk-test-" + std::to_string(getpid()) + "-" + std::to_string(counter++);
    path_ = base / name;
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
}

TempFolder::~TempFolder()
{
    std::error_code error;
    std::filesystem::remove_all(path_, error);
}

std::string TempFolder::Internal() const
{
    std::string text = path_.string();
    std::replace(text.begin(), text.end(), '/', '\\');
    return text;
}

std::filesystem::path TempFolder::Native(const std::string& relative) const
{
    std::string native = relative;
    std::replace(native.begin(), native.end(), '\\', '/');
    return path_ / native;
}

// A plain file written again is made anew: ext4 writes a file cut short by
// a rewrite out to the disk at once, and tests that write one file many
// times would wait on the disk at each.
void TempFolder::WriteFile(const std::string& relative, const std::string& contents) const
{
    const std::filesystem::path file = Native(relative);
    std::filesystem::create_directories(file.parent_path());
    if (std::filesystem::is_regular_file(std::filesystem::symlink_status(file)))
        std::filesystem::remove(file);
    std::ofstream(file, std::ios::binary) << contents;
}

std::string TempFolder::ReadFile(const std::string& relative) const
{
    std::ifstream file(Native(relative), std::ios::binary);
    std::ostringstream contents;
    contents << file.rdbuf();
    return contents.str();
}

} // namespace Testing
