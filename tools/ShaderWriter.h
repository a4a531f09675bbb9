#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace Tools {

// One stage block of a shader file. The frame count and speed are written
// only for an animated stage, the columns and rows only for a frame grid.
struct ShaderStageData {
    std::uint32_t flags = 0;
    std::uint32_t animationType = 0;
    std::uint32_t frameCount = 0;
    float speed = 0.0f;
    std::uint32_t columns = 1;
    std::uint32_t rows = 1;
    std::string diffuseName;
    std::string opacityName;
    std::uint32_t wrapU = 1;
    std::uint32_t wrapV = 1;
    float scaleU = 1.0f;
    float scaleV = 1.0f;
    float offsetU = 0.0f;
    float offsetV = 0.0f;
};

// The contents of a shader file. Every stage given is written, however many
// there are, so that broken files can be made too.
struct ShaderData {
    std::uint32_t flags = 0;
    std::array<float, 4> diffuse{1.0f, 1.0f, 1.0f, 1.0f};
    std::array<float, 4> ambient{1.0f, 1.0f, 1.0f, 1.0f};
    std::array<float, 4> specular{1.0f, 1.0f, 1.0f, 1.0f};
    std::array<float, 4> emissive{0.0f, 0.0f, 0.0f, 1.0f};
    float power = 0.0f;
    float materialValue = 0.0f;
    std::uint32_t sourceBlend = 0;
    std::uint32_t destinationBlend = 0;
    std::vector<ShaderStageData> stages;
};

// The bytes of an "HVSRF" shader file: the 13-byte header (total size,
// magic, version), the shader's fields, then the stage blocks; little-endian.
// Throws std::runtime_error for a texture name too long for its count byte.
std::vector<std::uint8_t> BuildShaderFile(const ShaderData& shader, std::uint32_t version = 211);

// Writes the file, replacing it whole.
void WriteShaderFile(const ShaderData& shader, const std::filesystem::path& output);

} // namespace Tools
