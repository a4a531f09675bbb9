#include "tests/support/TempFolder.h"

#include <algorithm>
#include <atomic>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace Testing {

namespace {

std::atomic<unsigned> counter{0};

} // namespace

TempFolder::TempFolder()
{
    const std::string name = "tamrisk-test-" + std::to_string(getpid()) + "-" + std::to_string(counter++);
    path_ = std::filesystem::temp_directory_path() / name;
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

void TempFolder::WriteFile(const std::string& relative, const std::string& contents) const
{
    const std::filesystem::path file = Native(relative);
    std::filesystem::create_directories(file.parent_path());
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
