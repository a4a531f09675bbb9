#pragma once

#include <cstdio>
#include <string>
#include <vector>

namespace Platform {

// Every path here is native ('/'). Data written on a system that ignores
// letter case names "Data" and "data" alike, so each function that looks at
// an existing file first tries the exact path and then resolves it component
// by component without regard to case.

// The path with every leading component that exists spelt as it is on disk;
// components from the first one that exists in no spelling on are kept as
// given, so the result also serves for files about to be created.
std::string ResolvePath(const std::string& nativePath);

// A file or a folder exists at the path.
bool PathExists(const std::string& nativePath);

// A regular file (through symbolic links) opened for reading in binary mode,
// or null.
std::FILE* OpenForReading(const std::string& nativePath);

struct FolderEntry {
    std::string name;
    bool isFolder = false;
};

// The entries of a folder sorted by name, names as they are on disk, without
// "." and "..". Symbolic links are not followed into folders: a link to a
// regular file lists as a file, any other link is left out. A folder that
// cannot be read lists nothing.
std::vector<FolderEntry> ListFolder(const std::string& nativeFolder);

// Deletes a file or a folder with everything in it, without following
// symbolic links. Refused (false, nothing touched): an empty path, the
// filesystem root, and any path that is, or holds, the program's folder, the
// application-data folder, the home folder or a folder given to
// AddProtectedFolder.
bool DeletePath(const std::string& nativePath);

// Gives a regular file (or a symbolic link to one) a new name. Refused
// (false, nothing touched) when something already has the new name, so that
// no file is ever replaced, and when the source is no regular file.
bool RenameFile(const std::string& nativeFrom, const std::string& nativeTo);

// When the file at the path was last written, in nanoseconds of the file
// system's clock; -1 when there is no such file. Only comparable with other
// values of this function.
long long GetWriteTime(const std::string& nativePath);

// Adds a folder that DeletePath must never remove; the framework protects the
// user's folder this way. Any thread.
void AddProtectedFolder(const std::string& nativeFolder);

// What kept the system from making or writing a file.
enum class WriteFault : unsigned char {
    kOther,
    // The disk is full, or the user's share of it (a quota, a size limit on
    // the process's files) is used up.
    kNoRoom,
    // The folder or the disk may not be written to.
    kNoRight,
    // A folder on the way is missing or is no folder.
    kNoFolder,
};

// The fault an errno value of a failed make, write, flush or rename stands
// for.
WriteFault WriteFaultOf(int systemError);

// The system's words for an errno value ("No space left on device"), as
// strerror gives them, without its buffer shared between threads.
std::string SystemReason(int systemError);

// Makes a write beyond the process's file-size limit (ulimit -f) fail with
// EFBIG, a kNoRoom fault, instead of ending the process by SIGXFSZ.
// Process-wide; call at the program's start, before other threads.
void KeepFileSizeLimitFromEndingTheProgram();

// The path is a folder (through symbolic links) whose entries can be read.
bool CanListFolder(const std::string& nativeFolder);

} // namespace Platform
