#include "engine/core/VersionedHeader.h"

#include "engine/core/Error.h"
#include "engine/core/FileBinary.h"
#include "engine/core/LittleEndian.h"

#include <algorithm>
#include <cstring>

namespace Halvard {

namespace {

constexpr u32 kMagicOffset = 4;
constexpr u32 kVersionOffset = kMagicOffset + VersionedHeader::kMagicSize;

} // namespace

VersionedHeader::VersionedHeader(u32 totalSize, std::string_view magic, u32 version)
    : totalSize_(totalSize), version_(version)
{
    std::memcpy(magic_, magic.data(), std::min<std::size_t>(magic.size(), kMagicSize));
}

VersionedHeader VersionedHeader::Decode(const u8* bytes)
{
    VersionedHeader header;
    header.totalSize_ = ReadLittleEndian32(bytes);
    std::memcpy(header.magic_, bytes + kMagicOffset, kMagicSize);
    header.version_ = ReadLittleEndian32(bytes + kVersionOffset);
    return header;
}

VersionedHeader VersionedHeader::Read(FileBinary& file)
{
    u8 bytes[kSize];
    file.Read(bytes, kSize);
    return Decode(bytes);
}

void VersionedHeader::Encode(u8* bytes) const
{
    WriteLittleEndian32(bytes, totalSize_);
    std::memcpy(bytes + kMagicOffset, magic_, kMagicSize);
    WriteLittleEndian32(bytes + kVersionOffset, version_);
}

VersionedHeader::Verdict VersionedHeader::Check(const Format& format, u32 expectedSize) const
{
    if (GetMagic() != format.magic || totalSize_ != expectedSize)
        return Verdict::kWrongFormat;
    if (version_ < format.oldestVersion || version_ > format.newestVersion)
        return Verdict::kWrongVersion;
    return Verdict::kGood;
}

void VersionedHeader::Require(const Format& format, u32 expectedSize, const std::string& formatError,
                              const std::string& versionError) const
{
    switch (Check(format, expectedSize)) {
    case Verdict::kWrongFormat:
        throw FileError(formatError);
    case Verdict::kWrongVersion:
        throw FileError(versionError);
    case Verdict::kGood:
        break;
    }
}

} // namespace Halvard
