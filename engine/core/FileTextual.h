#pragma once

#include "engine/core/FileAccess.h"
#include "engine/core/Types.h"

#include <memory>
#include <string>

namespace Halvard {

class FileBinary;
class MessageManager;
struct Vector3;

// Text over a FileBinary that it owns, in one of four encodings: 0 8-bit text
// in the current code page, 1 UTF-16 big-endian, 2 UTF-16 little-endian,
// 3 UTF-8. Reading takes the encoding from the byte-order mark; writing puts
// the mark of the encoding asked for. Lines end at CR, LF or CR LF.
//
// Reading operations do nothing on a writer and writing ones nothing on a
// reader. A writer's text reaches its file only through Close, which throws
// FileError when it cannot be saved; a writer destroyed without Close leaves
// the old file as it was. One thread at a time.
class FileTextual {
public:
    enum Encoding : u32 { kCodePage = 0, kUtf16BigEndian = 1, kUtf16LittleEndian = 2, kUtf8 = 3 };

    static constexpr u32 kBufferSize = 1024;

    // The encoding matters only for writing. The log may be null.
    FileTextual(MessageManager* messages, std::unique_ptr<FileBinary> file, FileAccess access, u32 encoding);
    FileTextual(const FileTextual&) = delete;
    FileTextual& operator=(const FileTextual&) = delete;
    virtual ~FileTextual();

    // False when the end of the file was reached before the call. With
    // stripComments the line is cut at its first "//"; in token mode every
    // white-space character ends the text (consecutive ones give empty texts).
    bool ReadLine(std::wstring& out, bool stripComments, bool tokenMode);
    bool ReadLine(std::string& out, bool stripComments, bool tokenMode);
    // The next non-empty token (white space and line ends separate tokens, a
    // "//" starts a comment to the end of the line); false at the end.
    bool ReadToken(std::string& out, bool underscoreToBlank = false);
    // Number readers; an exhausted file yields 0.
    float ReadFloat();
    i32 ReadInt();
    void ReadVector3(Vector3& out);
    // The rest of the file, its lines joined with "\r\n".
    void ReadAll(std::wstring& out, bool stripComments);
    // The size in characters: bytes for encodings 0 and 3, 16-bit units for
    // 1 and 2 (the mark included).
    u32 GetLength() const;
    // Back to the start of the text (after the byte-order mark).
    void Rewind();

    void WriteString(const std::string& text);
    void WriteNewLine();
    // Writes what is buffered and saves the file (see above); nothing to do
    // for a reader.
    void Close();

    u32 GetEncoding() const { return encoding_; }
    bool IsEndOfFile() const { return endOfFile_; }

private:
    void Initialize();
    u8 GetByte();
    wchar_t GetChar();
    void PutByte(u8 byte);
    void PutBytes(const u8* bytes, u32 count);
    void PutChar(wchar_t character);
    void Flush();
    std::wstring ToWide(const std::string& text) const;
    std::string ToNarrow(const std::wstring& text) const;
    bool ReadNarrowLine(std::string& out, bool stripComments, bool tokenMode);
    bool ReadWideLine(std::wstring& out, bool stripComments, bool tokenMode);

    MessageManager* messages_;
    bool write_;
    u32 encoding_;
    u32 markSize_ = 0;
    std::unique_ptr<FileBinary> file_;
    bool endOfFile_ = false;
    u8 buffer_[kBufferSize] = {};
    i32 bufferIndex_ = -1;
    u32 bufferValid_ = 0;
    char replacement_ = '?';
    bool firstRead_ = true;
    bool pushedBack_ = false;
    wchar_t pushedCharacter_ = 0;
};

} // namespace Halvard
