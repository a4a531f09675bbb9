#include "tools/LevelGeometryWriter.h"

#include "tools/ByteWriter.h"

namespace Tools {
namespace {

void WriteIndices(ByteWriter& out, const std::vector<std::uint16_t>& indices)
{
    out.UShort(static_cast<std::uint16_t>(indices.size()));
    for (std::uint16_t index : indices)
        out.UShort(index);
}

void WriteBlock(ByteWriter& out, const LevelBlock& block)
{
    out.String(block.name);
    out.UInt(block.flags);
    out.UInt(block.texture);
    out.UInt(block.opacityTexture);
    out.Floats(block.scale);
    out.Flag(block.animated);
    for (const LevelBlockKeyFrame& frame : block.keyFrames) {
        out.Floats(frame.position);
        out.Floats(frame.rotation);
    }
}

} // namespace

std::vector<std::uint8_t> BuildLevelGeometryFile(const LevelGeometry& geometry, std::uint32_t version)
{
    ByteWriter out;
    out.Header("TKTKG", version);
    out.UInt(geometry.keyFrameCount);
    out.Float(geometry.animationSpeed);
    out.UInt(static_cast<std::uint32_t>(geometry.textures.size()));
    for (const std::string& texture : geometry.textures)
        out.String(texture);
    out.UInt(static_cast<std::uint32_t>(geometry.blocks.size()));
    for (const LevelBlock& block : geometry.blocks)
        WriteBlock(out, block);
    for (const LevelBlock& block : geometry.blocks) {
        WriteIndices(out, block.supports);
        WriteIndices(out, block.above);
    }
    return out.Finish();
}

void WriteLevelGeometryFile(const LevelGeometry& geometry, const std::filesystem::path& output)
{
    WriteBytes(BuildLevelGeometryFile(geometry), output);
}

} // namespace Tools
