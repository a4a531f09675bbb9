#pragma once

#include "engine/core/Math.h"
#include "engine/core/Types.h"

#include <string>

namespace Halvard {

class FileManager;
class MessageManager;

// One texture stage of a shader: its textures, wrapping, texture transform
// and frame animation.
struct ShaderTextureStage {
    enum Flag : u32 { kMipMapping = 1u << 0, kRandomStart = 1u << 1, kNoTexture = 1u << 2 };
    enum Animation : u32 {
        kNoAnimation = 0,
        kGrid = 1,
        kNumberedDiffuse = 2,
        kNumberedOpacity = 3,
        kNumberedBoth = 4,
    };

    u32 flags = 0;
    u32 animationType = kNoAnimation;
    u32 columns = 1;
    u32 rows = 1;
    u32 frameCount = 0;
    float speed = 0.0f;
    std::string diffuseName;
    // Empty when there is none.
    std::string opacityName;
    // RenderSystem addressing: 1 wrap, 0 clamp.
    u32 wrapU = 1;
    u32 wrapV = 1;
    float scaleU = 1.0f;
    float scaleV = 1.0f;
    float offsetU = 0.0f;
    float offsetV = 0.0f;
    // The texture the stage binds: a numbered frame, else 0.
    u32 currentFrame = 0;

    // Which of the stage's names an animation type numbers frame by frame.
    static bool NumbersDiffuse(u32 type) { return type == kNumberedDiffuse || type == kNumberedBoth; }
    static bool NumbersOpacity(u32 type) { return type == kNumberedOpacity || type == kNumberedBoth; }
    static bool IsNumbered(u32 type) { return NumbersDiffuse(type) || NumbersOpacity(type); }
};

// How a surface is drawn: blending and up to two texture stages. A value:
// copied freely and used as a template. Descriptors whose textures compare
// equal share one Shader; the hash groups them cheaply.
class ShaderDescriptor {
public:
    enum Flag : u32 { kAlphaBlending = 1u << 0 };
    static constexpr u32 kMaxStages = 2;
    // Each numbered frame is a picture file of its own; a count beyond this
    // can only come from a damaged file.
    static constexpr u32 kMaxNumberedFrames = 10000;
    // A frame count as a file gives it, checked before anything is sized by
    // it: below 0 or beyond kMaxNumberedFrames it throws FileError with the
    // given text, which names the file being read.
    static u32 CheckFrameCount(i64 count, const std::string& error);
    // The only shader file version read.
    static constexpr u32 kFileVersion = 211;

    explicit ShaderDescriptor(u32 flags = 0);
    ShaderDescriptor(const ShaderDescriptor& other);
    ShaderDescriptor& operator=(const ShaderDescriptor& other);
    // One stage with the given textures; an opacity name turns blending on
    // (source alpha over inverse source alpha), and the exact name "32bit"
    // keeps the blending but leaves the alpha to the diffuse file.
    ShaderDescriptor(bool mipMapping, u32 animationType, u32 columns, u32 rows, u32 frameCount, float speed,
                     const std::string& diffuseName, const std::string& opacityName, bool clamp);
    // Reads an "HVSRF" file; texture names without a folder are taken from
    // the shader file's folder. Every failure is logged and thrown as Error.
    ShaderDescriptor(MessageManager* messages, FileManager* files, const std::string& path);
    virtual ~ShaderDescriptor() = default;

    // Throws FatalError when both stages are in use.
    u32 AddStage(u32 stageFlags, u32 animationType, u32 columns, u32 rows, u32 frameCount, float speed,
                 const std::string& diffuseName, const std::string& opacityName, u32 wrap);
    void SetFlags(u32 bits) { flags_ |= bits; }
    // Index 0 the source, 1 the destination factor.
    void SetBlendFactor(u32 index, u32 code);
    void SetDiffuse(const Vector4& color) { diffuse_ = color; }
    void SetAmbient(const Vector4& color) { ambient_ = color; }
    void SetSpecular(const Vector4& color) { specular_ = color; }
    void SetEmissive(const Vector4& color) { emissive_ = color; }
    void SetPower(float power) { power_ = power; }
    void SetMaterialValue(float value) { materialValue_ = value; }

    // Equal when a Shader made for one serves the other: blending and
    // mip-mapping aside, the same stages with the same textures.
    bool operator==(const ShaderDescriptor& other) const;
    void UpdateHash();

    u32 GetFlags() const { return flags_; }
    u32 GetSourceBlend() const { return sourceBlend_; }
    u32 GetDestinationBlend() const { return destinationBlend_; }
    u32 GetStageCount() const { return stageCount_; }
    const ShaderTextureStage& GetStage(u32 index) const { return stages_[index]; }
    ShaderTextureStage& GetStage(u32 index) { return stages_[index]; }
    i32 GetHash() const { return hash_; }
    const Vector4& GetDiffuse() const { return diffuse_; }
    const Vector4& GetAmbient() const { return ambient_; }
    const Vector4& GetSpecular() const { return specular_; }
    const Vector4& GetEmissive() const { return emissive_; }
    float GetPower() const { return power_; }
    float GetMaterialValue() const { return materialValue_; }

private:
    void ReadFile(FileManager* files, const std::string& path);

    u32 flags_;
    Vector4 diffuse_{1.0f, 1.0f, 1.0f, 1.0f};
    Vector4 ambient_{1.0f, 1.0f, 1.0f, 1.0f};
    Vector4 specular_{1.0f, 1.0f, 1.0f, 1.0f};
    Vector4 emissive_{0.0f, 0.0f, 0.0f, 1.0f};
    float power_ = 0.0f;
    float materialValue_ = 0.0f;
    u32 sourceBlend_ = 0;
    u32 destinationBlend_ = 0;
    u32 stageCount_ = 0;
    ShaderTextureStage stages_[kMaxStages];
    i32 hash_ = 0;
};

// The mip-mapping wish that MakeAnimatedShaderDescriptor gives its stage.
void SetDefaultMipMapping(u8 value);
// No stage, no blending: the plain shader.
ShaderDescriptor MakeDefaultShaderDescriptor();
// One stage when there is a diffuse name, a frame grid when it has more than
// one cell; an opacity name containing "32bit" keeps the blending but drops
// the file.
ShaderDescriptor MakeAnimatedShaderDescriptor(u32 columns, u32 rows, const std::string& diffuseName,
                                              const std::string& opacityName, bool clamp);
ShaderDescriptor MakeShaderDescriptor(const std::string& diffuseName, const std::string& opacityName, bool clamp);

// The digits a numbered animation of the stage writes into its names: those
// of the last frame number.
u32 FrameDigits(u32 frameCount);
// The name of frame k: the last digits characters before the extension
// replaced by k, zero-padded. A stem shorter than that is replaced whole.
std::string NumberedName(const std::string& name, u32 frame, u32 digits);

} // namespace Halvard
