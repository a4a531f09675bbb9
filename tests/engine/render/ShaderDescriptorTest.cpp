#include "engine/render/ShaderDescriptor.h"
#include "engine/core/Error.h"

#include "tests/support/ImageFiles.h"
#include "tools/ShaderWriter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <ostream>

using namespace Halvard;

namespace {

std::string Bytes(const std::vector<std::uint8_t>& bytes) { return std::string(bytes.begin(), bytes.end()); }

Tools::ShaderStageData Stage(std::uint32_t type, const std::string& diffuse, std::uint32_t frames = 0)
{
    Tools::ShaderStageData stage;
    stage.animationType = type;
    stage.frameCount = frames;
    stage.diffuseName = diffuse;
    return stage;
}

class ShaderFileTest : public ::testing::Test {
protected:
    void Write(const std::string& path, const Tools::ShaderData& data, std::uint32_t version = 211)
    {
        folder.Write("data\\" + path, Bytes(Tools::BuildShaderFile(data, version)));
    }
    ShaderDescriptor Read(const std::string& path) { return ShaderDescriptor(&folder.Log(), &folder.Files(), path); }
    std::string ReadError(const std::string& path)
    {
        try {
            Read(path);
        } catch (const FileError&) {
            return "FileError escaped";
        } catch (const Error& error) {
            return error.GetText();
        }
        return "";
    }

    Testing::ImageFolder folder;
};

} // namespace

TEST(ShaderDescriptor, TextureFormBlendsForAnOpacityAndDropsOnlyTheExactNameOf32Bit)
{
    const ShaderDescriptor plain(true, 0, 1, 1, 0, 0.0f, "Wall.JPG", "", true);
    EXPECT_EQ(plain.GetFlags(), 0u);
    EXPECT_EQ(plain.GetStage(0).flags, 1u);
    EXPECT_EQ(plain.GetStage(0).wrapU, 0u);
    EXPECT_EQ(plain.GetStage(0).diffuseName, "wall.jpg");

    const ShaderDescriptor own(false, 0, 1, 1, 0, 0.0f, "smoke.tga", "32BIT", false);
    EXPECT_EQ(own.GetFlags(), 1u);
    EXPECT_EQ(own.GetSourceBlend(), 4u);
    EXPECT_EQ(own.GetDestinationBlend(), 5u);
    EXPECT_EQ(own.GetStage(0).opacityName, "");
    EXPECT_EQ(own.GetStage(0).wrapV, 1u);

    const ShaderDescriptor kept(false, 0, 1, 1, 0, 0.0f, "smoke.tga", "Smoke_32bit.tga", false);
    EXPECT_EQ(kept.GetStage(0).opacityName, "smoke_32bit.tga");
    const ShaderDescriptor dropped = MakeAnimatedShaderDescriptor(1, 1, "smoke.tga", "Smoke_32bit.tga", false);
    EXPECT_EQ(dropped.GetStage(0).opacityName, "");
    EXPECT_EQ(dropped.GetFlags(), 1u);
}

TEST(ShaderDescriptor, AnimatedFormMakesAGridOnlyForMoreThanOneCell)
{
    SetDefaultMipMapping(1);
    const ShaderDescriptor single = MakeShaderDescriptor("a.bmp", "", false);
    EXPECT_EQ(single.GetStage(0).animationType, 0u);
    EXPECT_EQ(single.GetStage(0).frameCount, 0u);
    EXPECT_EQ(single.GetStage(0).flags, 1u);
    const ShaderDescriptor grid = MakeAnimatedShaderDescriptor(4, 2, "a.bmp", "", true);
    EXPECT_EQ(grid.GetStage(0).animationType, 1u);
    EXPECT_EQ(grid.GetStage(0).frameCount, 8u);
    EXPECT_EQ(grid.GetStage(0).wrapU, 0u);
    SetDefaultMipMapping(0);
    EXPECT_EQ(MakeShaderDescriptor("a.bmp", "", false).GetStage(0).flags, 0u);
    EXPECT_EQ(MakeDefaultShaderDescriptor().GetStageCount(), 0u);
    EXPECT_EQ(MakeShaderDescriptor("", "o.bmp", false).GetStageCount(), 0u);
}

TEST(ShaderDescriptor, EqualityIgnoresBlendingMipMappingAndOneTextureKinds)
{
    ShaderDescriptor a(false, 0, 1, 1, 0, 0.0f, "fire.bmp", "", false);
    ShaderDescriptor b(true, 1, 2, 2, 4, 1.0f, "fire.bmp", "", false);
    b.SetFlags(ShaderDescriptor::kAlphaBlending);
    EXPECT_TRUE(a == b);
    EXPECT_EQ(a.GetHash(), 'f' + 'i' + 'r' + 'e' + '.' + 'b' + 'm' + 'p');

    const ShaderDescriptor four(false, 2, 1, 1, 4, 1.0f, "fire.bmp", "", false);
    const ShaderDescriptor five(false, 2, 1, 1, 5, 1.0f, "fire.bmp", "", false);
    EXPECT_FALSE(four == five);
    EXPECT_FALSE(a == four);
    const ShaderDescriptor other(false, 0, 1, 1, 0, 0.0f, "eirf.bmp", "", false);
    EXPECT_EQ(other.GetHash(), a.GetHash());
    EXPECT_FALSE(a == other);
}

TEST(ShaderDescriptor, ThirdStageInCodeOverflowsTheStageBuffer)
{
    ShaderDescriptor descriptor(0);
    descriptor.AddStage(0, 0, 1, 1, 0, 0.0f, "a.bmp", "", 1);
    descriptor.AddStage(0, 0, 1, 1, 0, 0.0f, "b.bmp", "", 1);
    EXPECT_THROW(descriptor.AddStage(0, 0, 1, 1, 0, 0.0f, "c.bmp", "", 1), FatalError);
    EXPECT_EQ(descriptor.GetStageCount(), 2u);
}

TEST(ShaderDescriptor, NumberedNamesReplaceTheLastDigitsOfTheStem)
{
    EXPECT_EQ(FrameDigits(12), 2u);
    EXPECT_EQ(FrameDigits(10), 1u);
    EXPECT_EQ(FrameDigits(1), 1u);
    EXPECT_EQ(NumberedName("fx\\fire07.jpg", 11, 2), "fx\\fire11.jpg");
    EXPECT_EQ(NumberedName("fx.d\\fire7", 3, 1), "fx.d\\fire3");
    EXPECT_EQ(NumberedName("fx\\a.jpg", 5, 3), "fx\\005.jpg");
}

TEST_F(ShaderFileTest, WrittenFileReadsBackWithNamesBesideTheShader)
{
    Tools::ShaderData data;
    data.flags = 1;
    data.diffuse = {0.5f, 0.25f, 1.0f, 1.0f};
    data.power = 3.0f;
    data.sourceBlend = 4;
    data.destinationBlend = 1;
    Tools::ShaderStageData first = Stage(1, "Smoke.bmp", 8);
    first.columns = 4;
    first.rows = 2;
    first.speed = 12.0f;
    first.opacityName = "textures\\mask.bmp";
    first.wrapU = 0;
    first.scaleV = 2.0f;
    first.offsetU = 0.5f;
    Tools::ShaderStageData second = Stage(0, "\\abs.bmp");
    second.flags = 5;
    data.stages = {first, second};
    Write("models\\crate.srf", data);

    const ShaderDescriptor read = Read("models\\crate.srf");
    EXPECT_EQ(read.GetFlags(), 1u);
    EXPECT_FLOAT_EQ(read.GetDiffuse().y, 0.25f);
    EXPECT_FLOAT_EQ(read.GetPower(), 3.0f);
    EXPECT_EQ(read.GetDestinationBlend(), 1u);
    ASSERT_EQ(read.GetStageCount(), 2u);
    const ShaderTextureStage& a = read.GetStage(0);
    EXPECT_EQ(a.diffuseName, "models\\smoke.bmp");
    EXPECT_EQ(a.opacityName, "textures\\mask.bmp");
    EXPECT_EQ(a.animationType, 1u);
    EXPECT_EQ(a.frameCount, 8u);
    EXPECT_EQ(a.columns, 4u);
    EXPECT_EQ(a.rows, 2u);
    EXPECT_FLOAT_EQ(a.speed, 12.0f);
    EXPECT_EQ(a.wrapU, 0u);
    EXPECT_EQ(a.wrapV, 1u);
    EXPECT_FLOAT_EQ(a.scaleV, 2.0f);
    EXPECT_FLOAT_EQ(a.offsetU, 0.5f);
    const ShaderTextureStage& b = read.GetStage(1);
    EXPECT_EQ(b.diffuseName, "\\abs.bmp");
    EXPECT_EQ(b.opacityName, "");
    EXPECT_EQ(b.flags, 5u);
    EXPECT_EQ(b.frameCount, 0u);
}

TEST_F(ShaderFileTest, ShaderAtTheDataRootKeepsItsNamesRelative)
{
    Tools::ShaderData data;
    data.stages = {Stage(0, "beside.bmp")};
    Write("root.srf", data);
    EXPECT_EQ(Read("root.srf").GetStage(0).diffuseName, "beside.bmp");
}

TEST_F(ShaderFileTest, StageWithoutTextureNeedsNoNamesToNumber)
{
    Tools::ShaderData data;
    Tools::ShaderStageData blank = Stage(4, "", 12);
    blank.flags = 4;
    data.stages = {blank};
    Write("blank.srf", data);
    EXPECT_EQ(ReadError("blank.srf"), "");
    EXPECT_EQ(Read("blank.srf").GetStage(0).frameCount, 12u);
}

TEST_F(ShaderFileTest, WrongVersionSizeOrMagicIsLoggedAndThrownAsError)
{
    Tools::ShaderData data;
    Write("old.srf", data, 210);
    EXPECT_EQ(ReadError("old.srf"), "Incorrect \"old.srf\" format version, current is 211");
    EXPECT_NE(folder.LogText().find("Incorrect \"old.srf\" format version, current is 211"), std::string::npos);

    std::string longer = Bytes(Tools::BuildShaderFile(data)) + '\0';
    folder.Write("data\\long.srf", longer);
    EXPECT_EQ(ReadError("long.srf"), "Incorrect \"long.srf\" file format");
    std::string renamed = Bytes(Tools::BuildShaderFile(data));
    renamed[4] = 'X';
    folder.Write("data\\magic.srf", renamed);
    EXPECT_EQ(ReadError("magic.srf"), "Incorrect \"magic.srf\" file format");
    EXPECT_NE(ReadError("missing.srf"), "");
}

TEST_F(ShaderFileTest, ShortFileIsAnError)
{
    Tools::ShaderData data;
    data.stages = {Stage(0, "a.bmp")};
    std::string bytes = Bytes(Tools::BuildShaderFile(data));
    bytes.resize(bytes.size() - 6);
    bytes[0] = static_cast<char>(bytes.size());
    folder.Write("data\\short.srf", bytes);
    EXPECT_NE(ReadError("short.srf"), "");
}

namespace {

struct BrokenStage {
    const char* name;
    Tools::ShaderStageData stage;
};

// Test listings show the case and the stage, not the object's raw bytes.
void PrintTo(const BrokenStage& broken, std::ostream* out)
{
    const Tools::ShaderStageData& stage = broken.stage;
    *out << broken.name << " (animation " << stage.animationType << ", " << stage.frameCount << " frames, speed "
         << stage.speed << ", grid " << stage.columns << "x" << stage.rows << ", diffuse \"" << stage.diffuseName
         << "\", opacity \"" << stage.opacityName << "\")";
}

Tools::ShaderStageData Grid(std::uint32_t columns, std::uint32_t rows, std::uint32_t frames = 4)
{
    Tools::ShaderStageData stage = Stage(1, "grid.bmp", frames);
    stage.columns = columns;
    stage.rows = rows;
    return stage;
}

Tools::ShaderStageData NumberedOpacity(const std::string& opacity)
{
    Tools::ShaderStageData stage = Stage(3, "base.bmp", 12);
    stage.opacityName = opacity;
    return stage;
}

constexpr float kInfinity = std::numeric_limits<float>::infinity();

// A numbered animation at a speed no frame could wrap.
Tools::ShaderStageData AtSpeed(float speed)
{
    Tools::ShaderStageData stage = Stage(2, "fire0.bmp", 3);
    stage.speed = speed;
    return stage;
}

class BrokenShaderFileTest : public ShaderFileTest, public ::testing::WithParamInterface<BrokenStage> {};

} // namespace

TEST_P(BrokenShaderFileTest, IsAFileFormatError)
{
    Tools::ShaderData data;
    data.stages = {Stage(0, "ok.bmp"), GetParam().stage};
    Write("broken.srf", data);
    EXPECT_EQ(ReadError("broken.srf"), "Incorrect \"broken.srf\" file format");
}

INSTANTIATE_TEST_SUITE_P(Stages, BrokenShaderFileTest,
                         ::testing::Values(BrokenStage{"NoColumns", Grid(0, 2)}, BrokenStage{"NoRows", Grid(2, 0)},
                                           BrokenStage{"GridFramesBeyondTheBound", Grid(2, 2, 10001)},
                                           BrokenStage{"NoNumberedFrames", Stage(2, "fire0.bmp", 0)},
                                           BrokenStage{"AbsurdNumberedFrames", Stage(2, "fire000000000.bmp", 0xFFFFFFFFu)},
                                           BrokenStage{"StemShorterThanDigits", Stage(4, "f.bmp", 12)},
                                           BrokenStage{"NoOpacityToNumber", NumberedOpacity("")},
                                           BrokenStage{"UnknownAnimation", Stage(5, "fire0.bmp", 3)},
                                           BrokenStage{"InfiniteSpeed", AtSpeed(kInfinity)},
                                           BrokenStage{"SpeedBelowAnyNumber", AtSpeed(-kInfinity)},
                                           BrokenStage{"SpeedNotANumber", AtSpeed(std::nanf(""))}),
                         [](const ::testing::TestParamInfo<BrokenStage>& info) {
                             return std::string(info.param.name);
                         });

TEST_F(ShaderFileTest, ThirdStageInAFileIsAFormatErrorNotAFatalOne)
{
    Tools::ShaderData data;
    data.stages = {Stage(0, "a.bmp"), Stage(0, "b.bmp"), Stage(0, "c.bmp")};
    Write("three.srf", data);
    EXPECT_EQ(ReadError("three.srf"), "Incorrect \"three.srf\" file format");
}
