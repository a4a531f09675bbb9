#pragma once

#include "engine/core/Types.h"

#include <cstddef>
#include <string>
#include <vector>

namespace Halvard {

// Paths inside the system use '\' as their only separator; only the platform
// layer turns them into native ones.

// A path is absolute when its second character is ':' (a drive) or when it
// begins with '\' (a folder imported from the system).
bool IsAbsolutePath(const std::string& path);

// An absolute path unchanged, any other below the program's own folder.
std::string MakeApplicationPath(const std::string& path);

// The part after the last '\' (the whole path when there is none).
std::string GetFileName(const std::string& path);
// The part before the last '\' (empty when there is none).
std::string GetFileFolder(const std::string& path);
// The part of the file name after its last '.' (empty when there is none); a
// dot in a folder name is no extension.
std::string GetFileExtension(const std::string& path);
// Replaces the extension, appends one when there is none; an empty extension
// removes the old one together with its dot.
void SetFileExtension(std::string& path, const std::string& extension);
// The extensions are equal after lower-casing.
bool HasFileExtension(const std::string& path, const std::string& extension);
// "data\" + path for a relative path; an absolute path unchanged.
std::string MakeDataPath(const std::string& path);
// Joins the two with one '\' and folds every "name\..\" away; with either of
// them empty the result is the path alone.
std::string CombinePath(const std::string& folder, const std::string& path);

// The path as the system names it to its user (a native path).
std::string MakeNativePath(const std::string& path);
// The native path as the user reads it: file names are UTF-8 on disk.
std::wstring MakeShownPath(const std::string& path);

// The user's application-data folder, empty when there is none.
std::string GetApplicationDataFolder();
// A file or a folder exists on disk (relative paths below the program's folder).
bool FileExistsOnDisk(const std::string& path);
// A folder on disk whose entries can be read; FindFilesOnDisk finds nothing
// in one that cannot, as in one that is empty.
bool CanListFolderOnDisk(const std::string& path);
// Creates every folder of the path but its last component, the file name.
// Failures are ignored; the open that follows reports them.
void CreateFolders(const std::string& path);
// Deletes a file or a folder with everything in it. An empty path, the
// filesystem root, the program's folder, the user's folders and their parents
// are refused; failures are ignored.
void DeleteFolder(const std::string& path);
// Gives a file on disk a new name; false, with nothing touched, when
// something already has that name or the rename fails. Never replaces a file.
bool RenameFileOnDisk(const std::string& path, const std::string& newPath);
// Removes what saves that never finished left behind in a folder and below
// it: only the hidden temporary files that a file opened for writing makes
// beside its target. Call it only while no other program can be saving
// there (see FolderLock). Returns the number of files removed.
size_t RemoveLeftoverSaveFiles(const std::string& folder);
// When the file on disk was last written, comparable only with other values
// of this function; -1 when there is no such file.
i64 GetFileWriteTime(const std::string& path);
// Adds a folder (absolute, or below the program's folder) that DeleteFolder
// must never remove, nor any folder holding it; the framework protects the
// user's folder this way.
void ProtectFolderFromDeletion(const std::string& path);
// Appends the files of a folder whose names match the mask, and those of its
// sub-folders whose own names match it. Names keep their case on disk: a
// relative folder yields the folder's text + '\' + name, the files of
// sub-folders come as absolute paths. Symbolic links to folders are not
// entered.
void FindFilesOnDisk(const std::string& folder, const std::string& mask, std::vector<std::string>& out);

// '*' stands for any run of characters, '?' for any one; letters compare
// without regard to case.
bool MatchesWildcard(const std::string& mask, const std::string& name);

// Byte-wise order and equality for sorting and de-duplicating file lists.
bool FileNameLess(const std::string& a, const std::string& b);
bool FileNameEqual(const std::string& a, const std::string& b);

} // namespace Halvard
