#include "tools/ModelWriter.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

using namespace Tools;

std::uint32_t UIntAt(const std::vector<std::uint8_t>& bytes, size_t at)
{
    return bytes[at] | (bytes[at + 1] << 8) | (bytes[at + 2] << 16) | (static_cast<std::uint32_t>(bytes[at + 3]) << 24);
}

float FloatAt(const std::vector<std::uint8_t>& bytes, size_t at)
{
    const std::uint32_t bits = UIntAt(bytes, at);
    float value = 0.0f;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

TEST(ModelWriter, StaticFileHasHeaderIndicesVerticesInFileOrderAndBox)
{
    ModelFileData data;
    data.indices = {0, 1, 2};
    data.vertexCount = 3;
    data.vertices = {ModelFileVertex{{1, 2, 3}, {0, 1, 0}, 0.25f, 0.75f}, {}, {}};
    data.bounds = {ModelFileBounds{{-1, -2, -3}, {4, 5, 6}}};
    const std::vector<std::uint8_t> file = BuildModelFile(data);

    ASSERT_EQ(file.size(), 13u + 4 + 8 + 3 * 2 + 3 * 32 + 24);
    EXPECT_EQ(UIntAt(file, 0), file.size());
    EXPECT_EQ(std::string(file.begin() + 4, file.begin() + 9), "HVMLF");
    EXPECT_EQ(UIntAt(file, 9), 202u);
    EXPECT_EQ(UIntAt(file, 13), kModelStatic | kModelTriangleList);
    EXPECT_EQ(UIntAt(file, 17), 3u);
    EXPECT_EQ(UIntAt(file, 21), 3u);
    EXPECT_EQ(file[27], 1);
    EXPECT_EQ(file[29], 2);
    const size_t vertex = 31;
    EXPECT_EQ(FloatAt(file, vertex), 0.25f);
    EXPECT_EQ(FloatAt(file, vertex + 4), 0.75f);
    EXPECT_EQ(FloatAt(file, vertex + 12), 1.0f);
    EXPECT_EQ(FloatAt(file, vertex + 20), 1.0f);
    EXPECT_EQ(FloatAt(file, vertex + 24), 2.0f);
    EXPECT_EQ(FloatAt(file, file.size() - 4), 6.0f);
}

TEST(ModelWriter, WideIndicesTakeFourBytes)
{
    ModelFileData data;
    data.flags |= kModelIndices32;
    data.indices = {70000, 1, 2};
    const std::vector<std::uint8_t> file = BuildModelFile(data);
    EXPECT_EQ(UIntAt(file, 25), 70000u);
    EXPECT_EQ(UIntAt(file, 29), 1u);
}

TEST(ModelWriter, SkinnedFileWritesBonesKeysAndWeights)
{
    ModelFileData data;
    data.flags = kModelSkinned | kModelTriangleList;
    data.frameCount = 2;
    data.speed = 10.0f;
    data.bones = {ModelFileBone{1, "root", {9, 9, 9}, {-1, -1, -1}, {1, 1, 1}, 7, 8}};
    data.keys = {ModelFileKey{}, ModelFileKey{}};
    data.vertexCount = 1;
    data.skinVertices = {ModelFileSkinVertex{0.5f, 0.5f, {ModelFileWeight{0, 1.0f, {0, 0, 1}, {2, 0, 0}}}}};
    data.bounds = {ModelFileBounds{}};

    const std::vector<std::uint8_t> v202 = BuildModelFile(data);
    const size_t bone = 13 + 4 + 8 + 2;
    EXPECT_EQ(v202[bone], 1);
    EXPECT_EQ(v202[bone + 1], 5);
    EXPECT_EQ(std::string(v202.begin() + bone + 2, v202.begin() + bone + 6), "root");
    EXPECT_EQ(FloatAt(v202, bone + 7), 9.0f);
    const size_t boneSize = 1 + 6 + 12 + 24 + 4;
    const size_t skin = bone + boneSize + 2 * 40 + 8;
    EXPECT_EQ(v202.size(), skin + 8 + 2 + 30 + 24);
    EXPECT_EQ(v202[skin + 8], 1);

    data.version = 201;
    EXPECT_EQ(BuildModelFile(data).size(), v202.size() - 12);
}

TEST(ModelWriter, BoxFacesPointOutwards)
{
    const ModelFileData box = MakeBoxModelData({-1, -2, -3}, {1, 2, 3});
    ASSERT_EQ(box.vertices.size(), 24u);
    ASSERT_EQ(box.indices.size(), 36u);
    for (const ModelFileVertex& vertex : box.vertices) {
        float along = 0.0f;
        for (int i = 0; i < 3; ++i)
            along += vertex.position[i] * vertex.normal[i];
        EXPECT_GT(along, 0.0f);
    }
}

} // namespace
