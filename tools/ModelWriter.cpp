#include "tools/ModelWriter.h"

#include <cstring>

namespace Tools {

namespace {

class ByteSink {
public:
    void UInt(std::uint32_t value)
    {
        for (int shift = 0; shift < 32; shift += 8)
            bytes.push_back(static_cast<std::uint8_t>(value >> shift));
    }
    void UShort(std::uint16_t value)
    {
        bytes.push_back(static_cast<std::uint8_t>(value));
        bytes.push_back(static_cast<std::uint8_t>(value >> 8));
    }
    void Byte(std::uint8_t value) { bytes.push_back(value); }
    void Float(float value)
    {
        std::uint32_t bits = 0;
        std::memcpy(&bits, &value, sizeof bits);
        UInt(bits);
    }
    void Floats(const Float3& values)
    {
        for (float value : values)
            Float(value);
    }
    // One length byte counting the terminating zero, then the text and the
    // zero.
    void String(const std::string& text)
    {
        Byte(static_cast<std::uint8_t>(text.size() + 1));
        bytes.insert(bytes.end(), text.begin(), text.end());
        Byte(0);
    }

    std::vector<std::uint8_t> bytes;
};

void WriteBones(ByteSink& out, const ModelFileData& data)
{
    out.UShort(static_cast<std::uint16_t>(data.bones.size()));
    for (const ModelFileBone& bone : data.bones) {
        out.Byte(bone.outOfBounds);
        out.String(bone.name);
        if (data.version >= 202)
            out.Floats(bone.pivot);
        out.Floats(bone.min);
        out.Floats(bone.max);
        out.UShort(bone.value1);
        out.UShort(bone.value2);
    }
    for (const ModelFileKey& key : data.keys) {
        out.Floats(key.position);
        for (float value : key.rotation)
            out.Float(value);
        out.Floats(key.scale);
    }
}

void WriteVertex(ByteSink& out, const ModelFileVertex& vertex)
{
    out.Float(vertex.u);
    out.Float(vertex.v);
    out.Floats(vertex.normal);
    out.Floats(vertex.position);
}

void WriteSkinVertex(ByteSink& out, const ModelFileSkinVertex& vertex)
{
    out.Float(vertex.u);
    out.Float(vertex.v);
    out.UShort(static_cast<std::uint16_t>(vertex.weights.size()));
    for (const ModelFileWeight& weight : vertex.weights) {
        out.UShort(weight.bone);
        out.Float(weight.weight);
        out.Floats(weight.normal);
        out.Floats(weight.position);
    }
}

void WriteVertices(ByteSink& out, const ModelFileData& data)
{
    if ((data.flags & kModelStatic) != 0 || (data.flags & kModelVertexAnimated) != 0) {
        for (const ModelFileVertex& vertex : data.vertices)
            WriteVertex(out, vertex);
    } else if ((data.flags & kModelSkinned) != 0) {
        for (const ModelFileSkinVertex& vertex : data.skinVertices)
            WriteSkinVertex(out, vertex);
    }
}

} // namespace

std::vector<std::uint8_t> BuildModelFile(const ModelFileData& data)
{
    ByteSink out;
    out.UInt(0);
    for (char c : std::string("HVMLF"))
        out.Byte(static_cast<std::uint8_t>(c));
    out.UInt(data.version);
    out.UInt(data.flags);
    if ((data.flags & (kModelVertexAnimated | kModelSkinned)) != 0) {
        out.UInt(data.frameCount);
        out.Float(data.speed);
    }
    if ((data.flags & kModelSkinned) != 0)
        WriteBones(out, data);
    out.UInt(static_cast<std::uint32_t>(data.indices.size()));
    out.UInt(data.vertexCount);
    for (std::uint32_t index : data.indices) {
        if ((data.flags & kModelIndices32) != 0)
            out.UInt(index);
        else
            out.UShort(static_cast<std::uint16_t>(index));
    }
    WriteVertices(out, data);
    for (const ModelFileBounds& box : data.bounds) {
        out.Floats(box.min);
        out.Floats(box.max);
    }
    const auto size = static_cast<std::uint32_t>(out.bytes.size());
    for (int i = 0; i < 4; ++i)
        out.bytes[i] = static_cast<std::uint8_t>(size >> (8 * i));
    return out.bytes;
}

ModelFileData MakeBoxModelData(const Float3& lo, const Float3& hi)
{
    struct Face {
        Float3 normal;
        Float3 corners[4];
    };
    const Face faces[6] = {
        {{0, 0, -1}, {{lo[0], lo[1], lo[2]}, {lo[0], hi[1], lo[2]}, {hi[0], hi[1], lo[2]}, {hi[0], lo[1], lo[2]}}},
        {{0, 0, 1}, {{lo[0], lo[1], hi[2]}, {hi[0], lo[1], hi[2]}, {hi[0], hi[1], hi[2]}, {lo[0], hi[1], hi[2]}}},
        {{0, -1, 0}, {{lo[0], lo[1], lo[2]}, {hi[0], lo[1], lo[2]}, {hi[0], lo[1], hi[2]}, {lo[0], lo[1], hi[2]}}},
        {{1, 0, 0}, {{hi[0], lo[1], lo[2]}, {hi[0], hi[1], lo[2]}, {hi[0], hi[1], hi[2]}, {hi[0], lo[1], hi[2]}}},
        {{0, 1, 0}, {{hi[0], hi[1], lo[2]}, {lo[0], hi[1], lo[2]}, {lo[0], hi[1], hi[2]}, {hi[0], hi[1], hi[2]}}},
        {{-1, 0, 0}, {{lo[0], hi[1], lo[2]}, {lo[0], lo[1], lo[2]}, {lo[0], lo[1], hi[2]}, {lo[0], hi[1], hi[2]}}},
    };
    const float uv[4][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
    ModelFileData data;
    data.flags = kModelStatic | kModelTriangleList;
    for (std::uint32_t f = 0; f < 6; ++f) {
        for (std::uint32_t k = 0; k < 4; ++k)
            data.vertices.push_back(ModelFileVertex{faces[f].corners[k], faces[f].normal, uv[k][0], uv[k][1]});
        for (std::uint32_t k : {0u, 1u, 2u, 2u, 3u, 0u})
            data.indices.push_back(4 * f + k);
    }
    data.vertexCount = 24;
    data.bounds.push_back(ModelFileBounds{lo, hi});
    return data;
}

} // namespace Tools
