#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace Tools {

// The files of the data set, held in memory until the whole set is made, so
// that a failing generator leaves nothing on disk. Paths are relative to the
// program's folder with '\' separators ("data\audio\menu\upgrade.wav").
class DataSet {
public:
    enum class Origin { HandWritten, Generated };

    // Refuses, with std::runtime_error naming the path: a path already in the
    // set, upper-case letters, blanks, '/' separators, an empty component,
    // more than 254 bytes, a path not below "data\", a path that names a file
    // of the set as its folder or that is the folder of one. A generated file
    // may never replace a hand-written one, nor any other file.
    void Add(const std::string& path, std::vector<std::uint8_t> bytes, Origin origin = Origin::Generated);
    void Add(const std::string& path, const std::string& bytes, Origin origin = Origin::Generated);

    bool Contains(const std::string& path) const { return files_.count(path) != 0; }
    const std::vector<std::uint8_t>& Get(const std::string& path) const;
    // Sorted by path.
    const std::map<std::string, std::vector<std::uint8_t>>& GetFiles() const { return files_; }

    // A hand-written file that generators read to make data and that is not
    // data itself: held beside the files, never written to the data folder.
    // The path is checked as Add checks it; a second source of a path is
    // refused.
    void AddSource(const std::string& path, std::vector<std::uint8_t> bytes);
    // Sorted by path.
    const std::map<std::string, std::vector<std::uint8_t>>& GetSources() const { return sources_; }

private:
    void RefuseFolderClash(const std::string& path) const;

    std::map<std::string, std::vector<std::uint8_t>> files_;
    std::map<std::string, Origin> origins_;
    std::map<std::string, std::vector<std::uint8_t>> sources_;
};

// Checks a path as Add does; throws std::runtime_error naming it.
void CheckDataPath(const std::string& path);

// A number as the data's file names write it, two digits at least ("07").
std::string TwoDigits(std::size_t value);

} // namespace Tools
