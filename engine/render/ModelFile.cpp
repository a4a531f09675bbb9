#include "engine/render/ModelFile.h"

#include "engine/core/Error.h"
#include "engine/core/FileBinary.h"
#include "engine/core/FileManager.h"
#include "engine/core/LittleEndian.h"
#include "engine/core/PathUtils.h"
#include "engine/core/StringUtils.h"
#include "engine/core/VersionedHeader.h"
#include "engine/render/AnimationControl.h"

#include <cstring>

namespace Halvard {

namespace {

// Version 201 bones have no pivot.
constexpr VersionedHeader::Format kFormat{"HVMLF", 201, ModelFile::kCurrentVersion};
constexpr u32 kVertexRecordSize = 32;
constexpr u32 kKeyFrameSize = 40;
constexpr u32 kBoundsSize = 24;
// Out-of-bounds flag, an empty name, box and the two values.
constexpr u32 kSmallestBone = 1 + 1 + 24 + 4;
// u, v and a weight count of 0.
constexpr u32 kSmallestSkinVertex = 10;
constexpr u32 kWeightSize = 2 + 4 + 24;

std::string Quoted(const std::string& name) { return "\"" + name + "\""; }

std::string FormatText(const std::string& name) { return "Incorrect " + Quoted(name) + " file format"; }

FileError FormatError(const std::string& name) { return FileError(FormatText(name)); }

} // namespace

// The file's bytes after the header; every read is checked against what is
// left.
class ModelFile::Reader {
public:
    Reader(std::vector<u8> bytes, const std::string& name) : bytes_(std::move(bytes)), name_(name) {}

    // Throws unless count records of the given size are left.
    void Need(u64 count, u64 size) const
    {
        if (count * size > bytes_.size() - position_)
            throw FormatError(name_);
    }
    u32 UInt() { return ReadLittleEndian32(Take(4)); }
    u16 UShort() { return ReadLittleEndian16(Take(2)); }
    u8 Byte() { return *Take(1); }
    float Float() { return ReadLittleEndianFloat(Take(4)); }
    Vector3 Vector()
    {
        const float x = Float();
        const float y = Float();
        return Vector3(x, y, Float());
    }
    // One count byte, then that many bytes; the text ends at the first 0.
    std::string String()
    {
        const u32 count = Byte();
        Need(count, 1);
        const char* text = reinterpret_cast<const char*>(bytes_.data() + position_);
        position_ += count;
        return std::string(text, strnlen(text, count));
    }
    [[noreturn]] void Fail() const { throw FormatError(name_); }

private:
    // The next size bytes, which the position moves past.
    const u8* Take(u32 size)
    {
        Need(1, size);
        const u8* bytes = bytes_.data() + position_;
        position_ += size;
        return bytes;
    }

    std::vector<u8> bytes_;
    std::size_t position_ = 0;
    const std::string& name_;
};

ModelFile::ModelFile(MessageManager* messages, FileManager* files, const std::string& name) : name_(name)
{
    std::unique_ptr<FileBinary> file = files->OpenFileBinary(MakeDataPath(name), FileAccess::kRead, FileLoading::kWhole);
    const VersionedHeader header = VersionedHeader::Read(*file);
    header.Require(kFormat, file->GetSize(), FormatText(name),
                   "Incorrect " + Quoted(name) + " format version, current is " + UIntToString(kCurrentVersion));
    version = header.GetVersion();
    std::vector<u8> body(header.GetTotalSize() - VersionedHeader::kSize);
    file->Read(body.data(), static_cast<u32>(body.size()));
    file->Close();
    Reader in(std::move(body), name);
    ReadBody(messages, in);
}

ModelFile::~ModelFile() = default;

void ModelFile::ReadBody(MessageManager* messages, Reader& in)
{
    flags = in.UInt();
    if ((flags & (kVertexAnimated | kSkinned)) != 0) {
        frameCount = in.UInt();
        speed = AnimationControl::CheckSpeed(in.Float(), FormatText(name_));
        if (frameCount == 0)
            in.Fail();
    }
    if ((flags & kSkinned) != 0)
        ReadBones(messages, in);
    ReadIndices(in);
    if ((flags & kStatic) != 0 || (flags & kVertexAnimated) != 0)
        ReadVertices(in);
    else if ((flags & kSkinned) != 0)
        ReadSkinVertices(in);
    else if (vertexCount > indices.size())
        // Without vertex data nothing else bounds the count, and no index
        // could name the vertices beyond it.
        in.Fail();
    if ((flags & (kSkinned | kVertexAnimated)) == kSkinned && skin.empty())
        skin.assign(vertexCount, SkinRecord{});
    ReadBounds(in);
}

void ModelFile::ReadBones(MessageManager* messages, Reader& in)
{
    const u16 boneCount = in.UShort();
    in.Need(boneCount, kSmallestBone);
    skeleton = std::make_unique<Skeleton>(messages, boneCount);
    for (u32 b = 0; b < boneCount; ++b) {
        Bone& bone = skeleton->GetBone(b);
        bone.outOfBounds = in.Byte();
        bone.name = in.String();
        if (version == kCurrentVersion)
            bone.pivot = in.Vector();
        const Vector3 min = in.Vector();
        bone.box.SetMinMax(min, in.Vector());
        bone.value1 = in.UShort();
        bone.value2 = in.UShort();
    }
    const u64 keyCount = static_cast<u64>(boneCount) * frameCount;
    in.Need(keyCount, kKeyFrameSize);
    keyFrames.resize(keyCount);
    for (KeyFrame& key : keyFrames) {
        key.position = in.Vector();
        key.rotation.x = in.Float();
        key.rotation.y = in.Float();
        key.rotation.z = in.Float();
        key.rotation.w = in.Float();
        key.scale = in.Vector();
    }
}

void ModelFile::ReadIndices(Reader& in)
{
    const u32 indexCount = in.UInt();
    vertexCount = in.UInt();
    const bool wide = (flags & kIndices32) != 0;
    in.Need(indexCount, wide ? 4 : 2);
    indices.resize(indexCount);
    for (u32& index : indices) {
        index = wide ? in.UInt() : in.UShort();
        if (index >= vertexCount)
            in.Fail();
    }
}

void ModelFile::ReadVertices(Reader& in)
{
    const u64 count = static_cast<u64>(vertexCount) * ((flags & kStatic) != 0 ? 1 : frameCount);
    in.Need(count, kVertexRecordSize);
    vertices.resize(count);
    for (FrameVertex& vertex : vertices) {
        vertex.u = in.Float();
        vertex.v = in.Float();
        vertex.normal = in.Vector();
        vertex.position = in.Vector();
    }
}

void ModelFile::ReadSkinVertices(Reader& in)
{
    in.Need(vertexCount, kSmallestSkinVertex);
    const u32 boneCount = skeleton->GetBoneCount();
    vertices.assign(vertexCount, FrameVertex{Vector3(0.0f), Vector3(0.0f), 0.0f, 0.0f});
    skin.assign(vertexCount, SkinRecord{});
    for (u32 i = 0; i < vertexCount; ++i) {
        vertices[i].u = in.Float();
        vertices[i].v = in.Float();
        SkinRecord& record = skin[i];
        record.weightCount = in.UShort();
        if (record.weightCount > SkinRecord::kMaxWeights)
            in.Fail();
        in.Need(record.weightCount, kWeightSize);
        for (u32 w = 0; w < record.weightCount; ++w) {
            SkinWeight& weight = record.weights[w];
            weight.bone = in.UShort();
            if (weight.bone >= boneCount)
                in.Fail();
            weight.weight = in.Float();
            weight.normal = in.Vector();
            weight.position = in.Vector();
        }
    }
}

void ModelFile::ReadBounds(Reader& in)
{
    const u32 count = (flags & kVertexAnimated) != 0 ? frameCount : 1;
    in.Need(count, kBoundsSize);
    boundsMin.resize(count);
    boundsMax.resize(count);
    for (u32 f = 0; f < count; ++f) {
        boundsMin[f] = in.Vector();
        boundsMax[f] = in.Vector();
    }
}

} // namespace Halvard
