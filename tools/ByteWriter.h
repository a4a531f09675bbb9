#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string_view>
#include <vector>

namespace Tools {

// Collects the bytes of one of the system's data files, little-endian, as the
// engine's readers expect them.
class ByteWriter {
public:
    // The longest text a count byte can describe, the terminating zero counted.
    static constexpr std::size_t kMaxStringLength = 254;

    // Goes on after the given bytes.
    explicit ByteWriter(std::vector<std::uint8_t> bytes = {});

    // The 13-byte header every data file begins with: a size that Finish
    // fills in, the five-letter magic word and the version.
    void Header(std::string_view magic, std::uint32_t version);

    void Byte(std::uint8_t value);
    void Flag(bool value);
    void UShort(std::uint16_t value);
    void UInt(std::uint32_t value);
    void Float(float value);
    template <std::size_t N>
    void Floats(const std::array<float, N>& values)
    {
        for (float value : values)
            Float(value);
    }
    template <std::size_t M, std::size_t N>
    void Floats(const std::array<std::array<float, M>, N>& rows)
    {
        for (const std::array<float, M>& row : rows)
            Floats(row);
    }
    // The characters alone: no count, no terminating zero.
    void Chars(std::string_view text);
    // One count byte that counts the terminating zero, the text and the zero.
    // Checks nothing: a caller that must refuse a long text compares it with
    // kMaxStringLength first, so that tests can still write broken files.
    void String(std::string_view text);
    void Append(const std::vector<std::uint8_t>& bytes);

    std::size_t Size() const;
    void SetUInt(std::size_t at, std::uint32_t value);

    // Hands the bytes over as written; the writer is empty afterwards.
    std::vector<std::uint8_t> Take();
    // Writes the size of everything written into the header, then Take.
    std::vector<std::uint8_t> Finish();

private:
    std::vector<std::uint8_t> bytes_;
};

// Writes the bytes as the whole file, replacing the output; throws
// std::runtime_error when it cannot.
void WriteBytes(const std::vector<std::uint8_t>& bytes, const std::filesystem::path& output);

} // namespace Tools
