#include "engine/render/ShaderDescriptor.h"

#include "engine/core/Error.h"
#include "engine/core/FileBinary.h"
#include "engine/core/FileManager.h"
#include "engine/core/MessageManager.h"
#include "engine/core/PathUtils.h"
#include "engine/core/StringUtils.h"
#include "engine/core/VersionedHeader.h"
#include "engine/render/AnimationControl.h"

#include <memory>

namespace Halvard {

namespace {

constexpr u32 kSourceAlpha = 4;
constexpr u32 kInverseSourceAlpha = 5;
constexpr VersionedHeader::Format kFormat{"HVSRF", ShaderDescriptor::kFileVersion, ShaderDescriptor::kFileVersion};

u8 defaultMipMapping = 0;

i32 NameSum(const std::string& name)
{
    i32 sum = 0;
    for (char c : name)
        sum += static_cast<signed char>(c);
    return sum;
}

// Where the name's stem (its file name without the extension) starts and ends.
void StemBounds(const std::string& name, std::size_t& start, std::size_t& end)
{
    const std::size_t slash = name.find_last_of('\\');
    start = slash == std::string::npos ? 0 : slash + 1;
    const std::size_t dot = name.find_last_of('.');
    end = dot == std::string::npos || dot < start ? name.size() : dot;
}

Vector4 ReadColor(FileBinary& file)
{
    Vector4 color(0.0f, 0.0f, 0.0f, 0.0f);
    color.x = file.ReadFloat();
    color.y = file.ReadFloat();
    color.z = file.ReadFloat();
    color.w = file.ReadFloat();
    return color;
}

// Names without a folder lie beside the shader file.
std::string BesideShader(const std::string& name, const std::string& shaderFolder)
{
    if (name.empty() || !GetFileFolder(name).empty() || name[0] == '\\' || shaderFolder.empty())
        return name;
    return shaderFolder + "\\" + name;
}

} // namespace

u32 FrameDigits(u32 frameCount)
{
    u32 last = frameCount == 0 ? 0 : frameCount - 1;
    u32 digits = 1;
    while (last >= 10) {
        last /= 10;
        ++digits;
    }
    return digits;
}

std::string NumberedName(const std::string& name, u32 frame, u32 digits)
{
    std::size_t start = 0;
    std::size_t end = 0;
    StemBounds(name, start, end);
    if (end - start >= digits)
        start = end - digits;
    std::string numbered = name;
    numbered.replace(start, end - start, UIntToString(frame, digits));
    return numbered;
}

ShaderDescriptor::ShaderDescriptor(u32 flags) : flags_(flags) { UpdateHash(); }

ShaderDescriptor::ShaderDescriptor(const ShaderDescriptor& other) { *this = other; }

ShaderDescriptor& ShaderDescriptor::operator=(const ShaderDescriptor& other)
{
    flags_ = other.flags_;
    diffuse_ = other.diffuse_;
    ambient_ = other.ambient_;
    specular_ = other.specular_;
    emissive_ = other.emissive_;
    power_ = other.power_;
    materialValue_ = other.materialValue_;
    sourceBlend_ = other.sourceBlend_;
    destinationBlend_ = other.destinationBlend_;
    stageCount_ = other.stageCount_;
    for (u32 i = 0; i < kMaxStages; ++i)
        stages_[i] = other.stages_[i];
    UpdateHash();
    return *this;
}

ShaderDescriptor::ShaderDescriptor(bool mipMapping, u32 animationType, u32 columns, u32 rows, u32 frameCount,
                                   float speed, const std::string& diffuseName, const std::string& opacityName,
                                   bool clamp)
    : flags_(0)
{
    if (!opacityName.empty()) {
        flags_ |= kAlphaBlending;
        sourceBlend_ = kSourceAlpha;
        destinationBlend_ = kInverseSourceAlpha;
    }
    const std::string opacity = ToLower(opacityName) == "32bit" ? std::string() : opacityName;
    AddStage(mipMapping ? u32{ShaderTextureStage::kMipMapping} : 0u, animationType, columns, rows, frameCount, speed,
             diffuseName, opacity, clamp ? 0 : 1);
}

ShaderDescriptor::ShaderDescriptor(MessageManager* messages, FileManager* files, const std::string& path) : flags_(0)
{
    try {
        ReadFile(files, path);
    } catch (const FileError& error) {
        if (messages != nullptr)
            messages->LogError(error.GetText());
        throw Error(error.GetText());
    }
    UpdateHash();
}

// Values that would make the stage divide by zero or read past its frames,
// and a speed that is not finite, are refused as a broken file, so the
// caller falls back to a plain shader.
void ShaderDescriptor::ReadFile(FileManager* files, const std::string& path)
{
    const std::unique_ptr<FileBinary> file = files->OpenFileBinary(MakeDataPath(path), FileAccess::kRead);
    const std::string formatError = "Incorrect \"" + path + "\" file format";
    VersionedHeader::Read(*file).Require(
        kFormat, file->GetSize(), formatError,
        "Incorrect \"" + path + "\" format version, current is " + UIntToString(kFileVersion));

    flags_ = file->ReadUInt();
    diffuse_ = ReadColor(*file);
    ambient_ = ReadColor(*file);
    specular_ = ReadColor(*file);
    emissive_ = ReadColor(*file);
    power_ = file->ReadFloat();
    materialValue_ = file->ReadFloat();
    sourceBlend_ = file->ReadUInt();
    destinationBlend_ = file->ReadUInt();
    const u32 stageCount = file->ReadUInt();
    if (stageCount > kMaxStages)
        throw FileError(formatError);

    const std::string shaderFolder = GetFileFolder(path);
    for (u32 i = 0; i < stageCount; ++i) {
        const u32 stageFlags = file->ReadUInt();
        const u32 type = file->ReadUInt();
        if (type > ShaderTextureStage::kNumberedBoth)
            throw FileError(formatError);
        u32 frameCount = 0;
        float speed = 0.0f;
        u32 columns = 1;
        u32 rows = 1;
        if (type != ShaderTextureStage::kNoAnimation) {
            frameCount = CheckFrameCount(file->ReadUInt(), formatError);
            speed = AnimationControl::CheckSpeed(file->ReadFloat(), formatError);
        }
        if (type == ShaderTextureStage::kGrid) {
            columns = file->ReadUInt();
            rows = file->ReadUInt();
        }
        std::string diffuseName;
        std::string opacityName;
        file->ReadString(diffuseName);
        file->ReadString(opacityName);
        if (columns == 0 || rows == 0 || (ShaderTextureStage::IsNumbered(type) && frameCount == 0))
            throw FileError(formatError);
        // A stage without a texture never numbers its names.
        const bool textured = (stageFlags & ShaderTextureStage::kNoTexture) == 0;
        const u32 digits = FrameDigits(frameCount);
        std::size_t start = 0;
        std::size_t end = 0;
        for (const std::string* name : {&diffuseName, &opacityName}) {
            const bool numbered = name == &diffuseName ? ShaderTextureStage::NumbersDiffuse(type)
                                                       : ShaderTextureStage::NumbersOpacity(type);
            StemBounds(*name, start, end);
            if (textured && numbered && end - start < digits)
                throw FileError(formatError);
        }
        const u32 index = AddStage(stageFlags, type, columns, rows, frameCount, speed,
                                   BesideShader(diffuseName, shaderFolder), BesideShader(opacityName, shaderFolder), 0);
        ShaderTextureStage& stage = stages_[index];
        stage.wrapU = file->ReadUInt();
        stage.wrapV = file->ReadUInt();
        stage.scaleU = file->ReadFloat();
        stage.scaleV = file->ReadFloat();
        stage.offsetU = file->ReadFloat();
        stage.offsetV = file->ReadFloat();
    }
}

u32 ShaderDescriptor::CheckFrameCount(i64 count, const std::string& error)
{
    if (count < 0 || count > kMaxNumberedFrames)
        throw FileError(error);
    return static_cast<u32>(count);
}

u32 ShaderDescriptor::AddStage(u32 stageFlags, u32 animationType, u32 columns, u32 rows, u32 frameCount, float speed,
                               const std::string& diffuseName, const std::string& opacityName, u32 wrap)
{
    if (stageCount_ >= kMaxStages)
        throw FatalError("Shader Stages: buffer is overflowed");
    ShaderTextureStage& stage = stages_[stageCount_];
    stage = ShaderTextureStage{};
    stage.flags = stageFlags;
    stage.animationType = animationType;
    stage.columns = columns;
    stage.rows = rows;
    stage.frameCount = animationType != ShaderTextureStage::kNoAnimation ? frameCount : 0;
    stage.speed = speed;
    stage.diffuseName = ToLower(diffuseName);
    stage.opacityName = ToLower(opacityName);
    stage.wrapU = wrap;
    stage.wrapV = wrap;
    ++stageCount_;
    UpdateHash();
    return stageCount_ - 1;
}

void ShaderDescriptor::SetBlendFactor(u32 index, u32 code)
{
    if (index == 0)
        sourceBlend_ = code;
    else
        destinationBlend_ = code;
}

void ShaderDescriptor::UpdateHash()
{
    hash_ = 0;
    for (u32 i = 0; i < stageCount_; ++i)
        hash_ += NameSum(stages_[i].diffuseName) + NameSum(stages_[i].opacityName);
}

bool ShaderDescriptor::operator==(const ShaderDescriptor& other) const
{
    if (hash_ != other.hash_ || (flags_ & ~kAlphaBlending) != (other.flags_ & ~kAlphaBlending) ||
        stageCount_ != other.stageCount_)
        return false;
    const u32 ignored = ShaderTextureStage::kMipMapping | ShaderTextureStage::kRandomStart;
    for (u32 i = 0; i < stageCount_; ++i) {
        const ShaderTextureStage& a = stages_[i];
        const ShaderTextureStage& b = other.stages_[i];
        if ((a.flags & ~ignored) != (b.flags & ~ignored))
            return false;
        const bool oneTexture =
            a.animationType <= ShaderTextureStage::kGrid && b.animationType <= ShaderTextureStage::kGrid;
        if (!oneTexture && (a.animationType != b.animationType || a.frameCount != b.frameCount))
            return false;
        if (a.diffuseName != b.diffuseName || a.opacityName != b.opacityName)
            return false;
    }
    return true;
}

void SetDefaultMipMapping(u8 value) { defaultMipMapping = value; }

ShaderDescriptor MakeDefaultShaderDescriptor() { return ShaderDescriptor(0); }

ShaderDescriptor MakeAnimatedShaderDescriptor(u32 columns, u32 rows, const std::string& diffuseName,
                                              const std::string& opacityName, bool clamp)
{
    ShaderDescriptor descriptor(0);
    if (!opacityName.empty()) {
        descriptor.SetFlags(ShaderDescriptor::kAlphaBlending);
        descriptor.SetBlendFactor(0, kSourceAlpha);
        descriptor.SetBlendFactor(1, kInverseSourceAlpha);
    }
    if (!diffuseName.empty()) {
        const u32 cells = columns * rows;
        const u32 type = cells > 1 ? ShaderTextureStage::kGrid : ShaderTextureStage::kNoAnimation;
        const std::string opacity = opacityName.find("32bit") != std::string::npos ? std::string() : opacityName;
        descriptor.AddStage(defaultMipMapping > 0 ? u32{ShaderTextureStage::kMipMapping} : 0u, type, columns, rows,
                            cells, 0.0f, diffuseName, opacity, clamp ? 0 : 1);
    }
    return descriptor;
}

ShaderDescriptor MakeShaderDescriptor(const std::string& diffuseName, const std::string& opacityName, bool clamp)
{
    return MakeAnimatedShaderDescriptor(1, 1, diffuseName, opacityName, clamp);
}

} // namespace Halvard
