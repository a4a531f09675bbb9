#include "tools/ShaderWriter.h"

#include "tools/ByteWriter.h"

#include <stdexcept>

namespace Tools {

namespace {

void WriteName(ByteWriter& out, const std::string& name)
{
    if (name.size() > ByteWriter::kMaxStringLength)
        throw std::runtime_error("Texture name too long: " + name);
    out.String(name);
}

void WriteStage(ByteWriter& out, const ShaderStageData& stage)
{
    out.UInt(stage.flags);
    out.UInt(stage.animationType);
    if (stage.animationType != 0) {
        out.UInt(stage.frameCount);
        out.Float(stage.speed);
    }
    if (stage.animationType == 1) {
        out.UInt(stage.columns);
        out.UInt(stage.rows);
    }
    WriteName(out, stage.diffuseName);
    WriteName(out, stage.opacityName);
    out.UInt(stage.wrapU);
    out.UInt(stage.wrapV);
    out.Float(stage.scaleU);
    out.Float(stage.scaleV);
    out.Float(stage.offsetU);
    out.Float(stage.offsetV);
}

} // namespace

std::vector<std::uint8_t> BuildShaderFile(const ShaderData& shader, std::uint32_t version)
{
    ByteWriter out;
    out.Header("HVSRF", version);
    out.UInt(shader.flags);
    out.Floats(shader.diffuse);
    out.Floats(shader.ambient);
    out.Floats(shader.specular);
    out.Floats(shader.emissive);
    out.Float(shader.power);
    out.Float(shader.materialValue);
    out.UInt(shader.sourceBlend);
    out.UInt(shader.destinationBlend);
    out.UInt(static_cast<std::uint32_t>(shader.stages.size()));
    for (const ShaderStageData& stage : shader.stages)
        WriteStage(out, stage);
    return out.Finish();
}

void WriteShaderFile(const ShaderData& shader, const std::filesystem::path& output)
{
    WriteBytes(BuildShaderFile(shader), output);
}

} // namespace Tools
