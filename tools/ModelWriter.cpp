#include "tools/ModelWriter.h"

#include "tools/ByteWriter.h"

namespace Tools {

namespace {

void WriteBones(ByteWriter& out, const ModelFileData& data)
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
        out.Floats(key.rotation);
        out.Floats(key.scale);
    }
}

void WriteVertex(ByteWriter& out, const ModelFileVertex& vertex)
{
    out.Float(vertex.u);
    out.Float(vertex.v);
    out.Floats(vertex.normal);
    out.Floats(vertex.position);
}

void WriteSkinVertex(ByteWriter& out, const ModelFileSkinVertex& vertex)
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

void WriteVertices(ByteWriter& out, const ModelFileData& data)
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
    ByteWriter out;
    out.Header("HVMLF", data.version);
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
    return out.Finish();
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
