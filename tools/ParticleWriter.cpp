#include "tools/ParticleWriter.h"

#include "tools/ByteWriter.h"

#include <stdexcept>
#include <string>

namespace Tools {

std::vector<std::uint8_t> BuildParticleFile(const ParticleSystemDescription& d, std::uint32_t version)
{
    if (version != kParticleFileVersion && version != kOldParticleFileVersion)
        throw std::invalid_argument("no particle file version " + std::to_string(version));
    ByteWriter out;
    out.Header("HVPSF", version);
    out.UInt(d.capacity);
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
    out.Floats(d.directionCentre);
    out.Floats(d.directionSpread);
    out.Floats(d.color);
    out.Floats(d.size);
    out.Floats(d.speedCentre);
    if (version == kParticleFileVersion)
        out.Floats(d.speedSpread);
    out.UInt(d.emitterShape);
    out.Floats(d.boxMin);
    out.Floats(d.boxMax);
    return out.Finish();
}

void WriteParticleFile(const ParticleSystemDescription& description, const std::filesystem::path& output,
                       std::uint32_t version)
{
    WriteBytes(BuildParticleFile(description, version), output);
}

} // namespace Tools
