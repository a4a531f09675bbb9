#include "tools/ParticleWriter.h"

#include <bit>
#include <fstream>
#include <stdexcept>
#include <string>

namespace Tools {

namespace {

class ByteWriter {
public:
    void U32(std::uint32_t value)
    {
        for (int i = 0; i < 4; ++i)
            bytes.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    }
    void Flag(bool value) { bytes.push_back(value ? 1 : 0); }
    void Float(float value) { U32(std::bit_cast<std::uint32_t>(value)); }
    template <std::size_t N>
    void Floats(const std::array<float, N>& values)
    {
        for (float value : values)
            Float(value);
    }
    template <typename T, std::size_t N>
    void Keys(const std::array<T, N>& keys)
    {
        for (const T& key : keys)
            Floats(key);
    }

    std::vector<std::uint8_t> bytes;
};

} // namespace

std::vector<std::uint8_t> BuildParticleFile(const ParticleSystemDescription& d, std::uint32_t version)
{
    if (version != kParticleFileVersion && version != kOldParticleFileVersion)
        throw std::invalid_argument("no particle file version " + std::to_string(version));
    ByteWriter out;
    out.U32(0);
    for (char c : std::string("HVPSF"))
        out.bytes.push_back(static_cast<std::uint8_t>(c));
    out.U32(version);
    out.U32(d.capacity);
    out.Float(d.duration);
    out.Flag(d.gravityOn);
    out.Float(d.gravity);
    out.Flag(d.floorOn);
    out.Float(d.floorHeight);
    out.Float(d.bounceFactor);
    out.Flag(d.stopKills);
    out.Float(d.stopThreshold);
    out.Flag(d.interpolatedEmission);
    out.Floats(d.emission);
    out.Floats(d.lifetimeCentre);
    out.Floats(d.lifetimeSpread);
    out.Keys(d.directionCentre);
    out.Keys(d.directionSpread);
    out.Keys(d.color);
    out.Floats(d.size);
    out.Floats(d.speedCentre);
    if (version == kParticleFileVersion)
        out.Floats(d.speedSpread);
    out.U32(d.emitterShape);
    out.Floats(d.boxMin);
    out.Floats(d.boxMax);

    const auto total = static_cast<std::uint32_t>(out.bytes.size());
    for (int i = 0; i < 4; ++i)
        out.bytes[i] = static_cast<std::uint8_t>(total >> (8 * i));
    return out.bytes;
}

void WriteParticleFile(const ParticleSystemDescription& description, const std::filesystem::path& output,
                       std::uint32_t version)
{
    const std::vector<std::uint8_t> bytes = BuildParticleFile(description, version);
    std::ofstream file(output, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!file)
        throw std::runtime_error("cannot write " + output.string());
}

} // namespace Tools
