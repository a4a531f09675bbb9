#pragma once

#include "platform/os/FileSystem.h"

#include <cstdio>
#include <string>
#include <vector>

namespace Platform {

// A file written whole and then put in place of its target in one step: the
// bytes go to a new hidden file in the target's folder, and only Commit
// renames it over the target. Until then, and whenever writing fails, the
// old target stays as it was. A target that is a symbolic link (or a chain
// of them) stays one: the file it points to is the one replaced, beside it,
// with its mode; where that cannot be written the replacement fails as any
// other, and no folder is made there. Destroying an uncommitted replacement
// removes its file. One thread at a time.
class ReplacementFile {
public:
    // Opens the new file beside the target (native path, resolved without
    // regard to case, then through its links); IsOpen tells whether that
    // worked.
    explicit ReplacementFile(const std::string& nativeTarget);
    ReplacementFile(const ReplacementFile&) = delete;
    ReplacementFile& operator=(const ReplacementFile&) = delete;
    ~ReplacementFile();

    bool IsOpen() const { return stream_ != nullptr; }
    // Writes to the stream; the count written, short when that failed.
    size_t Write(const void* bytes, size_t count);
    // Moves the stream to the offset, writing out what is buffered; false
    // when that failed.
    bool Seek(long long offset);

    // Flushes the bytes to the disk and renames the file over the target.
    // False when any step fails; the new file is removed then.
    bool Commit();
    // Closes and removes the new file; false when it could not be removed.
    bool Discard();

    const std::string& TemporaryPath() const { return temporary_; }
    // The file at the end of the target's links, the one replaced (native
    // path); empty when the target is no link or its links could not be
    // followed.
    const std::string& GetLinkedFile() const { return linked_; }
    // Why the last step that failed (opening, writing or committing) failed,
    // and the system's words for it (strerror's); empty while none has.
    WriteFault GetFault() const { return fault_; }
    std::string GetReason() const;

private:
    // Keeps the fault errno names.
    void Fail();
    void FailWith(int systemError);
    void FailToMakeIn(const std::string& folder);
    bool Succeeded(bool done);
    bool RenameOverTarget();

    std::string target_;
    std::string linked_;
    std::string temporary_;
    std::FILE* stream_ = nullptr;
    WriteFault fault_ = WriteFault::kOther;
    int systemError_ = 0;
};

// Removes the new files that replacements left behind in a folder and in
// every folder below it (symbolic links are not followed) when their process
// ended before committing or discarding them. Only names of the form a
// replacement gives its file are touched. Call it only while no replacement
// can be under way there. Returns the paths removed. A new file left beside
// a linked target outside the folder stays: no lock of the folder keeps
// another program's replacement from being under way there.
std::vector<std::string> RemoveLeftoverReplacements(const std::string& nativeFolder);

} // namespace Platform
