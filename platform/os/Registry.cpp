#include "platform/os/Registry.h"

#include "platform/os/Paths.h"

#include <cctype>
#include <cstdlib>
#include <fstream>

namespace Platform {

namespace {

std::string hiveOverrides[2];

std::string Lower(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

std::string Trim(const std::string& text)
{
    const size_t begin = text.find_first_not_of(" \t");
    if (begin == std::string::npos)
        return std::string();
    return text.substr(begin, text.find_last_not_of(" \t") - begin + 1);
}

std::string NormalKeyPath(const std::string& path)
{
    const std::string trimmed = Trim(path);
    const size_t begin = trimmed.find_first_not_of('\\');
    if (begin == std::string::npos)
        return std::string();
    return Lower(trimmed.substr(begin, trimmed.find_last_not_of('\\') - begin + 1));
}

// Reads a quoted text from its opening quote; `end` is left after the
// closing quote, or at the end of the line when there is none.
std::string Unquote(const std::string& line, size_t start, size_t& end)
{
    std::string text;
    size_t i = start + 1;
    while (i < line.size() && line[i] != '"') {
        if (line[i] == '\\' && i + 1 < line.size() && (line[i + 1] == '\\' || line[i + 1] == '"'))
            ++i;
        text += line[i++];
    }
    end = i < line.size() ? i + 1 : i;
    return text;
}

struct Assignment {
    std::string name;
    RegistryValue value;
};

bool IsTypedData(const std::string& text)
{
    const std::string lower = Lower(text);
    return lower.rfind("dword:", 0) == 0 || lower.rfind("hex:", 0) == 0 || lower.rfind("hex(", 0) == 0;
}

RegistryValue ParseValue(const std::string& text)
{
    RegistryValue value;
    if (!text.empty() && text[0] == '"') {
        size_t end = 0;
        value.isString = true;
        value.text = Unquote(text, 0, end);
    } else if (!IsTypedData(text)) {
        value.isString = true;
        value.text = text;
    }
    return value;
}

std::optional<Assignment> ParseAssignment(const std::string& line)
{
    Assignment assignment;
    size_t afterName = 0;
    if (line[0] == '"') {
        assignment.name = Unquote(line, 0, afterName);
    } else {
        afterName = line.find('=');
        if (afterName == std::string::npos)
            return std::nullopt;
        assignment.name = Trim(line.substr(0, afterName));
        if (assignment.name == "@")
            assignment.name.clear();
    }
    const size_t equals = line.find_first_not_of(" \t", afterName);
    if (equals == std::string::npos || line[equals] != '=')
        return std::nullopt;
    assignment.value = ParseValue(Trim(line.substr(equals + 1)));
    return assignment;
}

std::string FolderFromEnvironment(const char* variable, const std::string& fallback)
{
    const char* value = std::getenv(variable);
    if (value == nullptr)
        return fallback;
    const std::string list = value;
    const std::string first = list.substr(0, list.find(':'));
    return !first.empty() && first[0] == '/' ? first : fallback;
}

// Empty when there is no home folder: the root of the disk is nobody's.
std::string HomeConfigFolder()
{
    const std::string home = HomeFolder();
    return home.empty() ? home : home + "/.config";
}

} // namespace

std::optional<RegistryValue> ReadRegistryValue(RegistryHive hive, const std::string& keyPath,
                                               const std::string& valueName)
{
    const std::string path = RegistryHiveFile(hive);
    if (path.empty())
        return std::nullopt;
    std::ifstream file(path, std::ios::binary);
    const std::string wantedKey = NormalKeyPath(keyPath);
    const std::string wantedName = Lower(valueName);
    std::optional<RegistryValue> found;
    bool inKey = false;
    std::string line;
    while (std::getline(file, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        line = Trim(line);
        if (line.empty() || line[0] == ';' || line[0] == '#')
            continue;
        if (line[0] == '[') {
            const size_t close = line.rfind(']');
            inKey = close != std::string::npos && NormalKeyPath(line.substr(1, close - 1)) == wantedKey;
            continue;
        }
        if (!inKey)
            continue;
        std::optional<Assignment> assignment = ParseAssignment(line);
        if (assignment && Lower(assignment->name) == wantedName)
            found = assignment->value;
    }
    return found;
}

std::string RegistryHiveFile(RegistryHive hive)
{
    const std::string& given = hiveOverrides[static_cast<int>(hive)];
    if (!given.empty())
        return given;
    if (hive == RegistryHive::kMachine)
        return FolderFromEnvironment("XDG_CONFIG_DIRS", "/etc/xdg") + "/halvard/registry-machine.ini";
    const std::string folder = FolderFromEnvironment("XDG_CONFIG_HOME", HomeConfigFolder());
    return folder.empty() ? folder : folder + "/halvard/registry-user.ini";
}

void SetRegistryHiveFile(RegistryHive hive, const std::string& nativePath)
{
    hiveOverrides[static_cast<int>(hive)] = nativePath;
}

} // namespace Platform
