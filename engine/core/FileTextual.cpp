#include "engine/core/FileTextual.h"

#include "engine/core/CodePage.h"
#include "engine/core/FileBinary.h"
#include "engine/core/Math.h"
#include "engine/core/StringUtils.h"

#include <cstring>

namespace Halvard {

namespace {

// The C library's white space in the "C" locale, for bytes and characters alike.
bool IsBlank(wchar_t c) { return c == L' ' || (c >= L'\t' && c <= L'\r'); }

// The number of leading one-bits of a byte.
int LeadingOnes(u8 byte)
{
    int count = 0;
    while (count < 8 && (byte & (0x80 >> count)) != 0)
        ++count;
    return count;
}

template <typename Text>
void CutAtComment(Text& text)
{
    for (size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] == '/' && text[i + 1] == '/') {
            text.resize(i);
            return;
        }
    }
}

template <typename Text>
bool IsCommentStart(const Text& text)
{
    return text.size() == 2 && text[0] == '/' && text[1] == '/';
}

} // namespace

FileTextual::FileTextual(MessageManager* messages, std::unique_ptr<FileBinary> file, FileAccess access,
                         u32 encoding)
    : messages_(messages), write_(access == FileAccess::kWrite), encoding_(encoding), file_(std::move(file))
{
    Initialize();
}

FileTextual::~FileTextual() = default;

void FileTextual::Initialize()
{
    replacement_ = '?';
    bufferIndex_ = -1;
    bufferValid_ = 0;
    firstRead_ = true;
    endOfFile_ = false;
    pushedBack_ = false;
    std::memset(buffer_, 0, sizeof(buffer_));
    if (write_) {
        if (encoding_ == kUtf16BigEndian || encoding_ == kUtf16LittleEndian)
            PutChar(0xFEFF);
        else if (encoding_ == kUtf8)
            PutBytes(reinterpret_cast<const u8*>("\xEF\xBB\xBF"), 3);
        return;
    }
    u8 mark[3] = {};
    u32 read = 0;
    file_->Read(mark, 2, &read);
    encoding_ = kCodePage;
    markSize_ = 0;
    if (read == 2 && mark[0] == 0xFF && mark[1] == 0xFE) {
        encoding_ = kUtf16LittleEndian;
        markSize_ = 2;
    } else if (read == 2 && mark[0] == 0xFE && mark[1] == 0xFF) {
        encoding_ = kUtf16BigEndian;
        markSize_ = 2;
    } else if (read == 2 && mark[0] == 0xEF && mark[1] == 0xBB) {
        file_->Read(mark + 2, 1, &read);
        if (read == 1 && mark[2] == 0xBF) {
            encoding_ = kUtf8;
            markSize_ = 3;
        }
    }
    if (encoding_ == kCodePage)
        Rewind();
}

// Back to the first character after the byte-order mark.
void FileTextual::Rewind()
{
    if (write_)
        return;
    file_->Seek(0, 0);
    u8 mark[3];
    u32 read = 0;
    file_->Read(mark, markSize_, &read);
    pushedBack_ = false;
    bufferIndex_ = -1;
    bufferValid_ = 0;
    firstRead_ = true;
    endOfFile_ = false;
}

u8 FileTextual::GetByte()
{
    if (pushedBack_) {
        pushedBack_ = false;
        return static_cast<u8>(pushedCharacter_);
    }
    if (bufferIndex_ != -1 && bufferIndex_ != static_cast<i32>(kBufferSize) - 1) {
        ++bufferIndex_;
        if (static_cast<u32>(bufferIndex_) >= bufferValid_) {
            endOfFile_ = true;
            return 0;
        }
        return buffer_[bufferIndex_];
    }
    u32 read = 0;
    file_->Read(buffer_, kBufferSize, &read);
    bufferValid_ = read;
    if (read == 0) {
        endOfFile_ = true;
        return 0;
    }
    bufferIndex_ = 0;
    return buffer_[0];
}

wchar_t FileTextual::GetChar()
{
    if (pushedBack_) {
        pushedBack_ = false;
        return pushedCharacter_;
    }
    if (encoding_ == kUtf16BigEndian) {
        const u8 high = GetByte();
        return static_cast<wchar_t>((high << 8) | GetByte());
    }
    if (encoding_ == kUtf16LittleEndian) {
        const u8 low = GetByte();
        return static_cast<wchar_t>(low | (GetByte() << 8));
    }
    const u8 first = GetByte();
    switch (LeadingOnes(first)) {
    case 0:
        return first;
    case 2:
        return static_cast<wchar_t>(((first & 0x1F) << 6) | (GetByte() & 0x3F));
    case 3: {
        const u8 second = GetByte();
        return static_cast<wchar_t>(((first & 0x0F) << 12) | ((second & 0x3F) << 6) | (GetByte() & 0x3F));
    }
    default:
        return 0xFFFD;
    }
}

bool FileTextual::ReadNarrowLine(std::string& out, bool stripComments, bool tokenMode)
{
    if (endOfFile_)
        return false;
    u8 c = GetByte();
    if (firstRead_) {
        firstRead_ = false;
    } else if (tokenMode && IsBlank(c)) {
        c = GetByte();
    } else if (c == '\r') {
        c = GetByte();
        if (c == '\n')
            c = GetByte();
    } else if (c == '\n') {
        c = GetByte();
    }
    out.clear();
    bool tokens = tokenMode;
    while (c != '\r' && c != '\n' && !endOfFile_ && !(tokens && IsBlank(c))) {
        out += static_cast<char>(c);
        if (stripComments && tokens && IsCommentStart(out))
            tokens = false;
        c = GetByte();
    }
    pushedCharacter_ = c;
    pushedBack_ = true;
    if (stripComments)
        CutAtComment(out);
    return true;
}

bool FileTextual::ReadWideLine(std::wstring& out, bool stripComments, bool tokenMode)
{
    if (endOfFile_)
        return false;
    wchar_t c = GetChar();
    if (firstRead_) {
        firstRead_ = false;
    } else if (tokenMode && IsBlank(c)) {
        c = GetChar();
    } else if (c == L'\r') {
        c = GetChar();
        if (c == L'\n')
            c = GetChar();
    } else if (c == L'\n') {
        c = GetChar();
    }
    out.clear();
    bool tokens = tokenMode;
    while (c != L'\r' && c != L'\n' && !endOfFile_ && !(tokens && IsBlank(c))) {
        out += c;
        if (stripComments && tokens && IsCommentStart(out))
            tokens = false;
        c = GetChar();
    }
    pushedCharacter_ = c;
    pushedBack_ = true;
    if (stripComments)
        CutAtComment(out);
    return true;
}

bool FileTextual::ReadLine(std::wstring& out, bool stripComments, bool tokenMode)
{
    if (write_ || endOfFile_)
        return false;
    if (encoding_ != kCodePage)
        return ReadWideLine(out, stripComments, tokenMode);
    std::string narrow;
    const bool read = ReadNarrowLine(narrow, stripComments, tokenMode);
    out = ToWide(narrow);
    return read;
}

bool FileTextual::ReadLine(std::string& out, bool stripComments, bool tokenMode)
{
    if (write_ || endOfFile_)
        return false;
    if (encoding_ == kCodePage)
        return ReadNarrowLine(out, stripComments, tokenMode);
    std::wstring wide;
    const bool read = ReadWideLine(wide, stripComments, tokenMode);
    out = ToNarrow(wide);
    return read;
}

bool FileTextual::ReadToken(std::string& out, bool underscoreToBlank)
{
    out.clear();
    while (out.empty()) {
        if (!ReadLine(out, true, true))
            return false;
    }
    if (underscoreToBlank)
        ReplaceAll(out, "_", " ");
    return true;
}

float FileTextual::ReadFloat()
{
    std::string token;
    ReadToken(token);
    return StringToFloat(token);
}

i32 FileTextual::ReadInt()
{
    std::string token;
    ReadToken(token);
    return StringToInt(token, 10);
}

void FileTextual::ReadVector3(Vector3& out)
{
    out.x = ReadFloat();
    out.y = ReadFloat();
    out.z = ReadFloat();
}

void FileTextual::ReadAll(std::wstring& out, bool stripComments)
{
    out.clear();
    out.reserve(GetLength() + 2);
    std::wstring line;
    bool first = true;
    while (!endOfFile_ && ReadLine(line, stripComments, false)) {
        if (!first)
            out += L"\r\n";
        out += line;
        first = false;
    }
}

u32 FileTextual::GetLength() const
{
    const u32 size = file_->GetSize();
    return (encoding_ == kUtf16BigEndian || encoding_ == kUtf16LittleEndian) ? size / 2 : size;
}

std::wstring FileTextual::ToWide(const std::string& text) const
{
    std::wstring wide;
    wide.reserve(text.size());
    for (char byte : text) {
        if (byte == '\0')
            break;
        // A byte without a character in the code page is skipped.
        if (const wchar_t character = CodePageByteToWide(static_cast<u8>(byte)); character != 0)
            wide += character;
    }
    return wide;
}

std::string FileTextual::ToNarrow(const std::wstring& text) const
{
    std::string narrow;
    narrow.reserve(text.size());
    for (wchar_t character : text) {
        if (character == 0)
            break;
        const int byte = WideToCodePageByte(character);
        narrow += byte < 0 ? replacement_ : static_cast<char>(byte);
    }
    return narrow;
}

void FileTextual::PutByte(u8 byte)
{
    if (!write_)
        return;
    if (bufferIndex_ + 1 >= static_cast<i32>(kBufferSize))
        Flush();
    buffer_[++bufferIndex_] = byte;
}

void FileTextual::PutBytes(const u8* bytes, u32 count)
{
    for (u32 i = 0; i < count; ++i)
        PutByte(bytes[i]);
}

void FileTextual::PutChar(wchar_t character)
{
    const u32 c = static_cast<u32>(character) > 0xFFFF ? 0xFFFD : static_cast<u32>(character);
    if (encoding_ == kUtf16BigEndian) {
        PutByte(static_cast<u8>(c >> 8));
        PutByte(static_cast<u8>(c & 0xFF));
    } else if (encoding_ == kUtf16LittleEndian) {
        PutByte(static_cast<u8>(c & 0xFF));
        PutByte(static_cast<u8>(c >> 8));
    } else if (c <= 0x7F) {
        PutByte(static_cast<u8>(c));
    } else if (c <= 0x7FF) {
        PutByte(static_cast<u8>(0xC0 | (c >> 6)));
        PutByte(static_cast<u8>(0x80 | (c & 0x3F)));
    } else {
        PutByte(static_cast<u8>(0xE0 | (c >> 12)));
        PutByte(static_cast<u8>(0x80 | ((c >> 6) & 0x3F)));
        PutByte(static_cast<u8>(0x80 | (c & 0x3F)));
    }
}

void FileTextual::Flush()
{
    if (bufferIndex_ >= 0)
        file_->Write(buffer_, static_cast<u32>(bufferIndex_ + 1));
    bufferIndex_ = -1;
}

void FileTextual::WriteString(const std::string& text)
{
    if (encoding_ == kCodePage) {
        for (char byte : text) {
            if (byte == '\0')
                break;
            PutByte(static_cast<u8>(byte));
        }
        return;
    }
    for (wchar_t character : ToWide(text))
        PutChar(character);
}

void FileTextual::WriteNewLine()
{
    if (encoding_ == kCodePage) {
        PutByte('\r');
        PutByte('\n');
    } else {
        PutChar(L'\r');
        PutChar(L'\n');
    }
}

void FileTextual::Close()
{
    if (!write_)
        return;
    Flush();
    file_->Close();
}

} // namespace Halvard
