#include "engine/core/PathUtils.h"

#include "engine/core/StringUtils.h"
#include "platform/os/FileSystem.h"
#include "platform/os/Paths.h"
#include "platform/os/ReplacementFile.h"

namespace Halvard {

namespace {

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// The index of the dot that starts the file name's extension, or npos.
size_t ExtensionDot(const std::string& path)
{
    const size_t dot = path.find_last_of('.');
    const size_t slash = path.find_last_of('\\');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return std::string::npos;
    return dot;
}

// Folds the first "name\..\" of the path; false when there is none left to fold.
bool FoldParentStep(std::string& path)
{
    const size_t dots = path.find("..");
    if (dots == std::string::npos || dots < 2)
        return false;
    const size_t before = path.rfind('\\', dots - 2);
    const size_t after = path.find('\\', dots + 2);
    const size_t end = after == std::string::npos ? path.size() : after + 1;
    const size_t start = before == std::string::npos ? 0 : before + 1;
    path.erase(start, end - start);
    return true;
}

} // namespace

bool IsAbsolutePath(const std::string& path)
{
    return (path.size() >= 2 && path[1] == ':') || (!path.empty() && path[0] == '\\');
}

std::string MakeApplicationPath(const std::string& path)
{
    return IsAbsolutePath(path) ? path : GetApplicationFolder() + "\\" + path;
}

std::string GetFileName(const std::string& path)
{
    const size_t slash = path.find_last_of('\\');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string GetFileFolder(const std::string& path)
{
    const size_t slash = path.find_last_of('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

std::string GetFileExtension(const std::string& path)
{
    const size_t dot = ExtensionDot(path);
    return dot == std::string::npos ? std::string() : path.substr(dot + 1);
}

void SetFileExtension(std::string& path, const std::string& extension)
{
    const size_t dot = ExtensionDot(path);
    if (dot != std::string::npos)
        path.erase(extension.empty() ? dot : dot + 1);
    else if (!extension.empty())
        path += '.';
    path += extension;
}

bool HasFileExtension(const std::string& path, const std::string& extension)
{
    return ToLower(GetFileExtension(path)) == ToLower(extension);
}

std::string MakeDataPath(const std::string& path) { return IsAbsolutePath(path) ? path : "data\\" + path; }

std::string CombinePath(const std::string& folder, const std::string& path)
{
    std::string combined = path;
    if (!folder.empty() && !path.empty())
        combined = folder.back() == '\\' ? folder + path : folder + "\\" + path;
    while (FoldParentStep(combined)) {
    }
    return combined;
}

std::string GetApplicationDataFolder() { return Platform::FromNativePath(Platform::ApplicationDataFolder()); }

std::string MakeNativePath(const std::string& path) { return Platform::ToNativePath(path); }

std::wstring MakeShownPath(const std::string& path) { return Utf8ToWString(MakeNativePath(path)); }

bool FileExistsOnDisk(const std::string& path)
{
    return !path.empty() && Platform::PathExists(Platform::ToNativePath(MakeApplicationPath(path)));
}

bool CanListFolderOnDisk(const std::string& path)
{
    return !path.empty() && Platform::CanListFolder(Platform::ToNativePath(MakeApplicationPath(path)));
}

void CreateFolders(const std::string& path)
{
    const std::string folder = GetFileFolder(MakeApplicationPath(path));
    if (!folder.empty())
        Platform::CreateFolder(Platform::ResolvePath(Platform::ToNativePath(folder)));
}

void DeleteFolder(const std::string& path)
{
    if (!path.empty())
        Platform::DeletePath(Platform::ToNativePath(MakeApplicationPath(path)));
}

bool RenameFileOnDisk(const std::string& path, const std::string& newPath)
{
    return Platform::RenameFile(Platform::ToNativePath(MakeApplicationPath(path)),
                                Platform::ToNativePath(MakeApplicationPath(newPath)));
}

size_t RemoveLeftoverSaveFiles(const std::string& folder)
{
    if (folder.empty())
        return 0;
    return Platform::RemoveLeftoverReplacements(Platform::ToNativePath(MakeApplicationPath(folder))).size();
}

i64 GetFileWriteTime(const std::string& path)
{
    return Platform::GetWriteTime(Platform::ToNativePath(MakeApplicationPath(path)));
}

void ProtectFolderFromDeletion(const std::string& path)
{
    if (!path.empty())
        Platform::AddProtectedFolder(Platform::ToNativePath(MakeApplicationPath(path)));
}

void FindFilesOnDisk(const std::string& folder, const std::string& mask, std::vector<std::string>& out)
{
    std::string fullFolder = MakeApplicationPath(folder);
    std::string prefix = folder;
    if (fullFolder.back() != '\\')
        fullFolder += '\\';
    if (!prefix.empty() && prefix.back() != '\\')
        prefix += '\\';
    for (const Platform::FolderEntry& entry : Platform::ListFolder(Platform::ToNativePath(fullFolder))) {
        if (!MatchesWildcard(mask, entry.name))
            continue;
        if (entry.isFolder)
            FindFilesOnDisk(fullFolder + entry.name, mask, out);
        else
            out.push_back(prefix + entry.name);
    }
}

bool MatchesWildcard(const std::string& mask, const std::string& name)
{
    size_t m = 0;
    size_t n = 0;
    size_t starMask = std::string::npos;
    size_t starName = 0;
    while (n < name.size()) {
        if (m < mask.size() && mask[m] == '*') {
            starMask = m++;
            starName = n;
        } else if (m < mask.size() && (mask[m] == '?' || LowerAscii(mask[m]) == LowerAscii(name[n]))) {
            ++m;
            ++n;
        } else if (starMask != std::string::npos) {
            m = starMask + 1;
            n = ++starName;
        } else {
            return false;
        }
    }
    while (m < mask.size() && mask[m] == '*')
        ++m;
    return m == mask.size();
}

bool FileNameLess(const std::string& a, const std::string& b) { return a < b; }

bool FileNameEqual(const std::string& a, const std::string& b) { return a == b; }

} // namespace Halvard
