#include "tools/data_builder/DataSet.h"

#include <stdexcept>

namespace Tools {

namespace {

[[noreturn]] void Refuse(const std::string& path, const std::string& why)
{
    throw std::runtime_error("data file \"" + path + "\": " + why);
}

} // namespace

void CheckDataPath(const std::string& path)
{
    // A pack entry's name has one length byte that also counts its zero.
    if (path.empty() || path.size() > 254)
        Refuse(path, "the path must hold 1 to 254 bytes");
    if (path.front() == '\\' || path.back() == '\\' || path.find("\\\\") != std::string::npos)
        Refuse(path, "the path has an empty component");
    for (const char c : path) {
        if (c >= 'A' && c <= 'Z')
            Refuse(path, "the path has upper-case letters");
        if (c == ' ' || c == '\t')
            Refuse(path, "the path has a blank");
        if (c == '/')
            Refuse(path, "the path separator is '\\'");
    }
    const std::string wrapped = "\\" + path + "\\";
    if (wrapped.find("\\.\\") != std::string::npos || wrapped.find("\\..\\") != std::string::npos)
        Refuse(path, "the path has a \".\" or \"..\" component");
    // The set becomes the program's data folder, loose or as one pack.
    if (path.rfind("data\\", 0) != 0)
        Refuse(path, "the path must lie below \"data\\\"");
}

void DataSet::Add(const std::string& path, std::vector<std::uint8_t> bytes, Origin origin)
{
    CheckDataPath(path);
    const auto found = origins_.find(path);
    if (found != origins_.end()) {
        if (found->second == Origin::HandWritten && origin == Origin::Generated)
            Refuse(path, "a generator would write over the hand-written file");
        Refuse(path, "a second file of this path");
    }
    RefuseFolderClash(path);
    origins_.emplace(path, origin);
    files_.emplace(path, std::move(bytes));
}

void DataSet::Add(const std::string& path, const std::string& bytes, Origin origin)
{
    Add(path, std::vector<std::uint8_t>(bytes.begin(), bytes.end()), origin);
}

void DataSet::AddSource(const std::string& path, std::vector<std::uint8_t> bytes)
{
    CheckDataPath(path);
    if (!sources_.emplace(path, std::move(bytes)).second)
        Refuse(path, "a second source of this path");
}

// On disk one name cannot be both a file and a folder.
void DataSet::RefuseFolderClash(const std::string& path) const
{
    for (std::size_t end = path.find('\\'); end != std::string::npos; end = path.find('\\', end + 1)) {
        if (Contains(path.substr(0, end)))
            Refuse(path, "its folder " + path.substr(0, end) + " is a file of the set");
    }
    const auto below = files_.lower_bound(path + '\\');
    if (below != files_.end() && below->first.rfind(path + '\\', 0) == 0)
        Refuse(path, "the path is the folder of " + below->first);
}

const std::vector<std::uint8_t>& DataSet::Get(const std::string& path) const
{
    const auto found = files_.find(path);
    if (found == files_.end())
        Refuse(path, "not in the data set");
    return found->second;
}

std::string TwoDigits(std::size_t value) { return (value < 10 ? "0" : "") + std::to_string(value); }

} // namespace Tools
