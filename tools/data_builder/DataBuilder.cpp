#include "tools/data_builder/DataBuilder.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace Tools {

namespace fs = std::filesystem;

namespace {

constexpr const char* kSourcesFolder = "sources";

bool IsData(const fs::path& file)
{
    const std::string name = file.filename().string();
    return name.front() != '.' && name != "README" && name.rfind("README.", 0) != 0;
}

// Any '\' of a native name would read as a separator inside the system.
std::string DataPath(const fs::path& relative)
{
    std::string path = "data";
    for (const fs::path& part : relative) {
        const std::string name = part.string();
        if (name.find('\\') != std::string::npos)
            throw std::runtime_error("data file \"" + relative.string() + "\": a name holds '\\'");
        path += '\\' + name;
    }
    return path;
}

std::vector<std::uint8_t> ReadWhole(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + file.string());
    std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad())
        throw std::runtime_error("cannot read " + file.string());
    return bytes;
}

bool InHiddenFolder(const fs::path& relative)
{
    return std::any_of(relative.begin(), relative.end(),
                       [](const fs::path& part) { return part.string().front() == '.'; });
}

bool InSourcesFolder(const fs::path& relative)
{
    return std::any_of(relative.begin(), std::prev(relative.end()),
                       [](const fs::path& part) { return part.string() == kSourcesFolder; });
}

} // namespace

void CopyHandWritten(const fs::path& source, DataSet& set)
{
    if (!fs::is_directory(source))
        throw std::runtime_error("the hand-written data folder " + source.string() + " does not exist");
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(source)) {
        const fs::path relative = entry.path().lexically_relative(source);
        if (!entry.is_regular_file() || !IsData(entry.path()) || InHiddenFolder(relative))
            continue;
        if (InSourcesFolder(relative))
            set.AddSource(DataPath(relative), ReadWhole(entry.path()));
        else
            set.Add(DataPath(relative), ReadWhole(entry.path()), DataSet::Origin::HandWritten);
    }
}

void RunGenerators(const std::vector<Generator>& generators, DataSet& set)
{
    for (const Generator& generator : generators) {
        try {
            generator.generate(set);
        } catch (const std::exception& error) {
            throw std::runtime_error("generator \"" + generator.name + "\": " + error.what());
        }
    }
}

void BuildDataFolder(const DataBuildSettings& settings)
{
    DataSet set;
    CopyHandWritten(settings.source, set);
    RunGenerators(settings.generators, set);
    WriteDataFolder(set, settings.output, settings.form);
}

} // namespace Tools
