#include "tools/ByteWriter.h"

#include <bit>
#include <fstream>
#include <stdexcept>
#include <utility>

namespace Tools {

ByteWriter::ByteWriter(std::vector<std::uint8_t> bytes)
    : bytes_(std::move(bytes))
{
}

void ByteWriter::Header(std::string_view magic, std::uint32_t version)
{
    UInt(0);
    Chars(magic);
    UInt(version);
}

void ByteWriter::Byte(std::uint8_t value)
{
    bytes_.push_back(value);
}

void ByteWriter::Flag(bool value)
{
    Byte(value ? 1 : 0);
}

void ByteWriter::UShort(std::uint16_t value)
{
    Byte(static_cast<std::uint8_t>(value));
    Byte(static_cast<std::uint8_t>(value >> 8));
}

void ByteWriter::UInt(std::uint32_t value)
{
    for (int shift = 0; shift < 32; shift += 8)
        Byte(static_cast<std::uint8_t>(value >> shift));
}

void ByteWriter::Float(float value)
{
    UInt(std::bit_cast<std::uint32_t>(value));
}

void ByteWriter::Chars(std::string_view text)
{
    bytes_.insert(bytes_.end(), text.begin(), text.end());
}

void ByteWriter::String(std::string_view text)
{
    Byte(static_cast<std::uint8_t>(text.size() + 1));
    Chars(text);
    Byte(0);
}

void ByteWriter::Append(const std::vector<std::uint8_t>& bytes)
{
    bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
}

std::size_t ByteWriter::Size() const
{
    return bytes_.size();
}

void ByteWriter::SetUInt(std::size_t at, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes_.at(at + i) = static_cast<std::uint8_t>(value >> (8 * i));
}

std::vector<std::uint8_t> ByteWriter::Take()
{
    return std::exchange(bytes_, {});
}

std::vector<std::uint8_t> ByteWriter::Finish()
{
    SetUInt(0, static_cast<std::uint32_t>(bytes_.size()));
    return Take();
}

void WriteBytes(const std::vector<std::uint8_t>& bytes, const std::filesystem::path& output)
{
    std::ofstream file(output, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!file)
        throw std::runtime_error("cannot write " + output.string());
}

} // namespace Tools
