#include "engine/core/Error.h"
#include "engine/render/ModelFile.h"
#include "tools/ModelWriter.h"

#include "tests/support/ImageFiles.h"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>

using namespace Halvard;
using Tools::ModelFileData;

namespace {

class ModelFileTest : public ::testing::Test {
protected:
    void Write(const std::vector<u8>& bytes, const std::string& name = "m.hml")
    {
        folder.Write("data\\" + name, std::string(bytes.begin(), bytes.end()));
    }
    void Write(const ModelFileData& data) { Write(Tools::BuildModelFile(data)); }
    std::unique_ptr<ModelFile> Read() { return std::make_unique<ModelFile>(&folder.Log(), &folder.Files(), "m.hml"); }
    std::string ErrorOf(const ModelFileData& data)
    {
        Write(data);
        return ErrorOfWritten();
    }
    std::string ErrorOfWritten()
    {
        try {
            Read();
        } catch (const FileError& error) {
            return error.GetText();
        }
        return "";
    }

    static ModelFileData Skinned(u32 frames, u32 bones)
    {
        ModelFileData data;
        data.flags = Tools::kModelSkinned | Tools::kModelTriangleList;
        data.frameCount = frames;
        for (u32 b = 0; b < bones; ++b)
            data.bones.push_back(Tools::ModelFileBone{0, "bone" + std::to_string(b), {1, 2, 3}, {-1, -1, -1}, {1, 1, 1}, 4, 5});
        data.keys.resize(static_cast<size_t>(frames) * bones);
        data.indices = {0, 1, 2};
        data.vertexCount = 3;
        data.skinVertices.resize(3, Tools::ModelFileSkinVertex{0.5f, 0.25f, {Tools::ModelFileWeight{}}});
        data.bounds = {Tools::ModelFileBounds{}};
        return data;
    }

    Testing::ImageFolder folder;
    const std::string formatError = "Incorrect \"m.hml\" file format";
};

TEST_F(ModelFileTest, StaticFileReadsIndicesVerticesInMemoryOrderAndBox)
{
    ModelFileData data = Tools::MakeBoxModelData({-1, -2, -3}, {1, 2, 3});
    data.vertices[5] = Tools::ModelFileVertex{{7, 8, 9}, {0, 1, 0}, 0.25f, 0.5f};
    Write(data);
    const auto file = Read();
    EXPECT_EQ(file->flags, data.flags);
    EXPECT_EQ(file->frameCount, 1u);
    EXPECT_EQ(file->indices, data.indices);
    ASSERT_EQ(file->vertices.size(), 24u);
    EXPECT_FLOAT_EQ(file->vertices[5].position.z, 9.0f);
    EXPECT_FLOAT_EQ(file->vertices[5].normal.y, 1.0f);
    EXPECT_FLOAT_EQ(file->vertices[5].u, 0.25f);
    EXPECT_FLOAT_EQ(file->vertices[5].v, 0.5f);
    ASSERT_EQ(file->boundsMax.size(), 1u);
    EXPECT_FLOAT_EQ(file->boundsMin[0].y, -2.0f);
    EXPECT_FLOAT_EQ(file->boundsMax[0].z, 3.0f);
}

TEST_F(ModelFileTest, SizeFieldOneShortOfTheLengthIsAFormatError)
{
    std::vector<u8> bytes = Tools::BuildModelFile(Tools::MakeBoxModelData({0, 0, 0}, {1, 1, 1}));
    bytes[0] -= 1;
    Write(bytes);
    EXPECT_EQ(ErrorOfWritten(), formatError);
}

TEST_F(ModelFileTest, WrongMagicIsAFormatError)
{
    std::vector<u8> bytes = Tools::BuildModelFile(Tools::MakeBoxModelData({0, 0, 0}, {1, 1, 1}));
    bytes[8] = 'X';
    Write(bytes);
    EXPECT_EQ(ErrorOfWritten(), formatError);
}

TEST_F(ModelFileTest, VersionsBesides201And202AreRefusedNamingTheCurrentOne)
{
    for (u32 version : {200u, 203u}) {
        ModelFileData data = Tools::MakeBoxModelData({0, 0, 0}, {1, 1, 1});
        data.version = version;
        EXPECT_EQ(ErrorOf(data), "Incorrect \"m.hml\" format version, current is 202");
    }
}

TEST_F(ModelFileTest, Version201BonesHaveNoPivot)
{
    ModelFileData data = Skinned(1, 2);
    data.version = 201;
    Write(data);
    const auto file = Read();
    ASSERT_EQ(file->skeleton->GetBoneCount(), 2);
    const Bone& bone = file->skeleton->GetBone(1);
    EXPECT_EQ(bone.name, "bone1");
    EXPECT_FLOAT_EQ(bone.pivot.x, 0.0f);
    EXPECT_FLOAT_EQ(bone.box.GetLocalMax().x, 1.0f);
    EXPECT_EQ(bone.value2, 5);

    data.version = 202;
    Write(data);
    EXPECT_FLOAT_EQ(Read()->skeleton->GetBone(1).pivot.z, 3.0f);
}

TEST_F(ModelFileTest, ZeroFlagWordCarriesNoVertexData)
{
    ModelFileData data;
    data.flags = 0;
    data.bounds = {Tools::ModelFileBounds{}};
    Write(data);
    const auto file = Read();
    EXPECT_EQ(file->flags, 0u);
    EXPECT_TRUE(file->vertices.empty());
    EXPECT_TRUE(file->indices.empty());
}

TEST_F(ModelFileTest, WideIndicesAreReadAtTheFilesWidth)
{
    ModelFileData data = Tools::MakeBoxModelData({0, 0, 0}, {1, 1, 1});
    data.flags |= Tools::kModelIndices32;
    Write(data);
    EXPECT_EQ(Read()->indices, data.indices);
}

TEST_F(ModelFileTest, IndexNamingNoVertexIsRefused)
{
    ModelFileData data = Tools::MakeBoxModelData({0, 0, 0}, {1, 1, 1});
    data.indices.back() = 24;
    EXPECT_EQ(ErrorOf(data), formatError);
}

TEST_F(ModelFileTest, CountsBeyondTheFileAreRefusedBeforeAllocation)
{
    ModelFileData indices = Tools::MakeBoxModelData({0, 0, 0}, {1, 1, 1});
    std::vector<u8> bytes = Tools::BuildModelFile(indices);
    const u32 huge = 0x7fffffff;
    std::memcpy(bytes.data() + 17, &huge, 4);
    Write(bytes);
    EXPECT_EQ(ErrorOfWritten(), formatError);

    ModelFileData vertices = Tools::MakeBoxModelData({0, 0, 0}, {1, 1, 1});
    vertices.vertexCount = 0x10000000;
    EXPECT_EQ(ErrorOf(vertices), formatError);

    ModelFileData frames = Skinned(1, 1);
    frames.frameCount = 0x7fffffff;
    EXPECT_EQ(ErrorOf(frames), formatError);

    ModelFileData empty;
    empty.flags = 0;
    empty.vertexCount = 0x10000000;
    empty.bounds = {Tools::ModelFileBounds{}};
    EXPECT_EQ(ErrorOf(empty), formatError);
}

TEST_F(ModelFileTest, AnimatedFileNeedsAFrame)
{
    ModelFileData data = Tools::MakeBoxModelData({0, 0, 0}, {1, 1, 1});
    data.flags = Tools::kModelVertexAnimated | Tools::kModelTriangleList;
    data.frameCount = 0;
    data.vertices.clear();
    data.bounds.clear();
    EXPECT_EQ(ErrorOf(data), formatError);
    EXPECT_EQ(ErrorOf(Skinned(0, 1)), formatError);
}

// A speed no frame could wrap is a damaged file; any finite one is read.
TEST_F(ModelFileTest, AnAnimationSpeedThatIsNotFiniteIsAFormatError)
{
    const std::pair<float, bool> cases[] = {{std::numeric_limits<float>::infinity(), true},
                                            {-std::numeric_limits<float>::infinity(), true},
                                            {std::numeric_limits<float>::quiet_NaN(), true},
                                            {std::numeric_limits<float>::max(), false}};
    for (const auto& [speed, refused] : cases) {
        for (ModelFileData data : {Skinned(1, 1), Tools::MakeBoxModelData({0, 0, 0}, {1, 1, 1})}) {
            if (data.bones.empty()) {
                data.flags = Tools::kModelVertexAnimated | Tools::kModelTriangleList;
                data.frameCount = 1;
            }
            data.speed = speed;
            SCOPED_TRACE(testing::Message() << "speed " << speed << (data.bones.empty() ? ", vertices" : ", skin"));
            EXPECT_EQ(ErrorOf(data), refused ? formatError : "");
        }
    }
}

TEST_F(ModelFileTest, VertexAnimatedFileKeepsEveryFrameAndBox)
{
    ModelFileData data = Tools::MakeBoxModelData({0, 0, 0}, {1, 1, 1});
    data.flags = Tools::kModelVertexAnimated | Tools::kModelTriangleList;
    data.frameCount = 2;
    data.speed = 5.0f;
    ModelFileData second = Tools::MakeBoxModelData({0, 0, 0}, {2, 2, 2});
    data.vertices.insert(data.vertices.end(), second.vertices.begin(), second.vertices.end());
    data.bounds.push_back(second.bounds[0]);
    Write(data);
    const auto file = Read();
    EXPECT_EQ(file->frameCount, 2u);
    EXPECT_FLOAT_EQ(file->speed, 5.0f);
    ASSERT_EQ(file->vertices.size(), 48u);
    EXPECT_FLOAT_EQ(file->vertices[24 + 2].position.x, 2.0f);
    ASSERT_EQ(file->boundsMax.size(), 2u);
    EXPECT_FLOAT_EQ(file->boundsMax[1].x, 2.0f);
}

TEST_F(ModelFileTest, SkinWeightsAreCheckedAgainstBonesAndTheRecord)
{
    ModelFileData data = Skinned(2, 2);
    data.skinVertices[1].weights = {Tools::ModelFileWeight{1, 0.5f, {0, 1, 0}, {3, 0, 0}}};
    Write(data);
    const auto file = Read();
    ASSERT_EQ(file->skin.size(), 3u);
    EXPECT_EQ(file->skin[1].weightCount, 1);
    EXPECT_EQ(file->skin[1].weights[0].bone, 1);
    EXPECT_FLOAT_EQ(file->skin[1].weights[0].position.x, 3.0f);
    EXPECT_FLOAT_EQ(file->vertices[1].v, 0.25f);
    EXPECT_EQ(file->keyFrames.size(), 4u);

    ModelFileData badBone = Skinned(1, 2);
    badBone.skinVertices[2].weights[0].bone = 2;
    EXPECT_EQ(ErrorOf(badBone), formatError);

    ModelFileData tooMany = Skinned(1, 1);
    tooMany.skinVertices[0].weights.resize(5);
    EXPECT_EQ(ErrorOf(tooMany), formatError);
}

TEST_F(ModelFileTest, MissingFileIsAFileError)
{
    EXPECT_THROW(Read(), FileError);
}

} // namespace
