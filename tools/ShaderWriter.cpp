#include "tools/ShaderWriter.h"

#include <cstring>
#include <fstream>
#include <stdexcept>

namespace Tools {

namespace {

constexpr std::size_t kMaxNameLength = 254;

class Bytes {
public:
    void U32(std::uint32_t value)
    {
        for (int i = 0; i < 4; ++i)
            bytes.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    }
    void F32(float value)
    {
        std::uint32_t bits = 0;
        std::memcpy(&bits, &value, sizeof(bits));
        U32(bits);
    }
    void Color(const std::array<float, 4>& color)
    {
        for (float c : color)
            F32(c);
    }
    // The count byte counts the terminating zero.
    void Name(const std::string& name)
    {
        if (name.size() > kMaxNameLength)
            throw std::runtime_error("Texture name too long: " + name);
        bytes.push_back(static_cast<std::uint8_t>(name.size() + 1));
        bytes.insert(bytes.end(), name.begin(), name.end());
        bytes.push_back(0);
    }

    std::vector<std::uint8_t> bytes;
};

void WriteStage(Bytes& out, const ShaderStageData& stage)
{
    out.U32(stage.flags);
    out.U32(stage.animationType);
    if (stage.animationType != 0) {
        out.U32(stage.frameCount);
        out.F32(stage.speed);
    }
    if (stage.animationType == 1) {
        out.U32(stage.columns);
        out.U32(stage.rows);
    }
    out.Name(stage.diffuseName);
    out.Name(stage.opacityName);
    out.U32(stage.wrapU);
    out.U32(stage.wrapV);
    out.F32(stage.scaleU);
    out.F32(stage.scaleV);
    out.F32(stage.offsetU);
    out.F32(stage.offsetV);
}

} // namespace

std::vector<std::uint8_t> BuildShaderFile(const ShaderData& shader, std::uint32_t version)
{
    Bytes out;
    out.U32(0);
    for (char c : std::string("HVSRF"))
        out.bytes.push_back(static_cast<std::uint8_t>(c));
    out.U32(version);
    out.U32(shader.flags);
    out.Color(shader.diffuse);
    out.Color(shader.ambient);
    out.Color(shader.specular);
    out.Color(shader.emissive);
    out.F32(shader.power);
    out.F32(shader.materialValue);
    out.U32(shader.sourceBlend);
    out.U32(shader.destinationBlend);
    out.U32(static_cast<std::uint32_t>(shader.stages.size()));
    for (const ShaderStageData& stage : shader.stages)
        WriteStage(out, stage);
    const auto size = static_cast<std::uint32_t>(out.bytes.size());
    for (int i = 0; i < 4; ++i)
        out.bytes[i] = static_cast<std::uint8_t>(size >> (8 * i));
    return out.bytes;
}

void WriteShaderFile(const ShaderData& shader, const std::filesystem::path& output)
{
    const std::vector<std::uint8_t> bytes = BuildShaderFile(shader);
    std::ofstream file(output, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!file)
        throw std::runtime_error("Cannot write " + output.string());
}

} // namespace Tools
