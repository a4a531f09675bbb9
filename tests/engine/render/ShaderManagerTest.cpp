#include "engine/render/ShaderManager.h"
#include "engine/core/Error.h"
#include "engine/core/MessageManager.h"
#include "engine/core/StringUtils.h"
#include "engine/core/TimerManager.h"
#include "engine/render/Shader.h"
#include "engine/render/ShaderUser.h"
#include "engine/render/Texture2D.h"
#include "engine/render/TextureManager.h"

#include "tests/support/FakeClock.h"
#include "tests/support/ImageFiles.h"
#include "tests/support/LogProbe.h"
#include "tests/support/RenderHarness.h"
#include "tests/support/ScopedClock.h"
#include "tests/support/Watchdog.h"
#include "tools/ShaderWriter.h"
#include "tools/ImageWriter.h"

#include <gtest/gtest.h>

#include <chrono>
#include <set>

using namespace Halvard;

namespace {

// 1 / 16 s is exact in binary, so the frames advance by whole numbers.
constexpr double kFrameSeconds = 0.0625;
constexpr float kFramesPerSecond = 16.0f;

std::string OnePixelBmp(u8 value) { return Tools::BmpFile(2, 2, 24, std::vector<u8>(12, value)); }

// Shader users on the fake video system, reading their files from a
// temporary data folder, animated by a clock that moves only when the test
// moves it.
class ShaderManagerTest : public ::testing::Test {
protected:
    ShaderManagerTest() : scoped(clock)
    {
        render.Start();
        timers.Update();
        shaders = std::make_unique<ShaderManager>(render.messages.get(), &folder.Files(), &timers, render.config.get(),
                                                  &render.Render());
    }

    void WriteShader(const std::string& path, const Tools::ShaderData& data)
    {
        const std::vector<std::uint8_t> bytes = Tools::BuildShaderFile(data);
        folder.Write("data\\" + path, std::string(bytes.begin(), bytes.end()));
    }

    void NextFrame(ShaderUser& user)
    {
        clock.Advance(kFrameSeconds);
        timers.Update();
        shaders->Update();
        user.Apply();
    }

    std::string BoundKey(u32 stage = 0) const
    {
        Texture2D* texture = render.render->GetTexture(stage);
        return texture != nullptr ? texture->GetKey() : "none";
    }

    Testing::FakeClock clock;
    Testing::ScopedClock scoped;
    TimerManager timers;
    Testing::RenderHarness render;
    Testing::ImageFolder folder;
    std::unique_ptr<ShaderManager> shaders;
};

} // namespace

TEST_F(ShaderManagerTest, NumberedFramesFromAWrittenFileCycleWithTheClock)
{
    for (int k = 0; k < 4; ++k)
        folder.Write("data\\fx\\fire0" + std::to_string(k) + ".bmp", OnePixelBmp(static_cast<u8>(k * 60)));
    Tools::ShaderData data;
    Tools::ShaderStageData stage;
    stage.animationType = 2;
    stage.frameCount = 4;
    stage.speed = kFramesPerSecond;
    stage.diffuseName = "fire07.bmp";
    data.stages = {stage};
    WriteShader("fx\\fire.srf", data);

    ShaderUser& user = *shaders->CreateShaderUserFromFile("fx\\fire.srf");
    ASSERT_EQ(user.GetStageCount(), 1u);
    EXPECT_EQ(shaders->GetTextureManager()->GetTextureCount(), 4u);
    user.Apply();
    EXPECT_EQ(BoundKey(), "diffuse_data\\fx\\fire00.bmp");
    std::vector<std::string> seen;
    for (int i = 0; i < 6; ++i) {
        NextFrame(user);
        seen.push_back(BoundKey());
    }
    EXPECT_EQ(seen, (std::vector<std::string>{"diffuse_data\\fx\\fire01.bmp", "diffuse_data\\fx\\fire02.bmp",
                                              "diffuse_data\\fx\\fire03.bmp", "diffuse_data\\fx\\fire00.bmp",
                                              "diffuse_data\\fx\\fire01.bmp", "diffuse_data\\fx\\fire02.bmp"}));
}

TEST_F(ShaderManagerTest, GridFramesFromAWrittenFileMoveTheTextureTransform)
{
    folder.Write("data\\fx\\sheet.bmp", OnePixelBmp(90));
    Tools::ShaderData data;
    Tools::ShaderStageData stage;
    stage.animationType = 1;
    stage.frameCount = 8;
    stage.columns = 4;
    stage.rows = 2;
    stage.speed = kFramesPerSecond;
    stage.diffuseName = "sheet.bmp";
    data.stages = {stage};
    WriteShader("fx\\sheet.srf", data);

    ShaderUser& user = *shaders->CreateShaderUserFromFile("fx\\sheet.srf");
    NextFrame(user);
    const RenderSystem::TextureTransform& first = render.render->GetTextureMatrix(0);
    EXPECT_NEAR(first.offsetU, 0.250125f, 1e-6f);
    EXPECT_NEAR(first.offsetV, 0.50025f, 1e-6f);
    for (int i = 0; i < 4; ++i)
        NextFrame(user);
    const RenderSystem::TextureTransform& fifth = render.render->GetTextureMatrix(0);
    EXPECT_NEAR(fifth.scaleU, 0.24975f, 1e-6f);
    EXPECT_NEAR(fifth.scaleV, 0.4995f, 1e-6f);
    EXPECT_NEAR(fifth.offsetU, 0.250125f, 1e-6f);
    EXPECT_NEAR(fifth.offsetV, 0.00025f, 1e-6f);
    EXPECT_EQ(BoundKey(), "diffuse_data\\fx\\sheet.bmp");
}

TEST_F(ShaderManagerTest, UnreadableFileGivesThePlainShader)
{
    Tools::ShaderData data;
    Tools::ShaderStageData stage;
    stage.animationType = 1;
    stage.columns = 0;
    stage.diffuseName = "sheet.bmp";
    data.stages = {stage, stage, stage};
    WriteShader("bad.srf", data);

    ShaderUser& user = *shaders->CreateShaderUserFromFile("bad.srf");
    EXPECT_EQ(user.GetStageCount(), 0u);
    EXPECT_EQ(user.GetFlags(), 0u);
    NextFrame(user);
    EXPECT_EQ(BoundKey(), "none");
    EXPECT_FALSE(render.render->GetAlphaBlend());
    EXPECT_EQ(shaders->CreateShaderUserFromFile("missing.srf")->GetShader(), user.GetShader());
    EXPECT_FALSE(render.Errors().empty());
}

TEST_F(ShaderManagerTest, EqualTexturesShareAShaderWhileEachUserBlendsItsOwnWay)
{
    folder.Write("data\\wall.bmp", OnePixelBmp(10));
    ShaderUser* plain = shaders->CreateShaderUser(MakeShaderDescriptor("wall.bmp", "", false));
    ShaderDescriptor blended(true, 0, 1, 1, 0, 0.0f, "wall.bmp", "", false);
    blended.SetFlags(ShaderDescriptor::kAlphaBlending);
    blended.SetBlendFactor(0, 1);
    blended.SetBlendFactor(1, 1);
    ShaderUser* glowing = shaders->CreateShaderUser(blended);
    EXPECT_EQ(plain->GetShader(), glowing->GetShader());
    EXPECT_EQ(shaders->GetShaderCount(), 1u);
    // Loaded with the first user's wish: no mip-mapping, linear filtering.
    EXPECT_FALSE(plain->GetShader()->GetFrame(0, 0)->IsMipMapped());

    glowing->Apply();
    EXPECT_TRUE(render.render->GetAlphaBlend());
    EXPECT_EQ(render.render->GetSourceBlend(), 1u);
    EXPECT_EQ(render.render->GetTextureFilter(0), RenderSystem::kFilterLinear);
    plain->Apply();
    EXPECT_FALSE(render.render->GetAlphaBlend());
}

TEST_F(ShaderManagerTest, RemovingTheLastUserReleasesTheShaderAndItsTextures)
{
    folder.Write("data\\wall.bmp", OnePixelBmp(10));
    folder.Write("data\\floor.bmp", OnePixelBmp(20));
    ShaderUser* a = shaders->CreateShaderUser(MakeShaderDescriptor("wall.bmp", "", false));
    ShaderUser* b = shaders->CreateShaderUser(MakeShaderDescriptor("wall.bmp", "", false));
    ShaderUser* c = shaders->CreateShaderUser(MakeShaderDescriptor("floor.bmp", "", false));
    Texture2D* wall = a->GetShader()->GetFrame(0, 0);
    EXPECT_EQ(wall->GetUseCount(), 1);
    EXPECT_EQ(shaders->GetShaderCount(), 2u);

    shaders->RemoveShaderUser(a);
    EXPECT_EQ(shaders->GetShaderCount(), 2u);
    EXPECT_EQ(shaders->GetTextureManager()->GetTextureCount(), 2u);
    shaders->RemoveShaderUser(b);
    EXPECT_EQ(shaders->GetShaderCount(), 1u);
    EXPECT_EQ(shaders->GetTextureManager()->GetTextureCount(), 1u);
    shaders->RemoveShaderUser(nullptr);
    EXPECT_EQ(shaders->GetShaderUserCount(), 1u);
    shaders->RemoveShaderUser(c);
    EXPECT_EQ(shaders->GetTextureManager()->GetTextureCount(), 0u);

    ShaderManager other(render.messages.get(), &folder.Files(), &timers, render.config.get(), &render.Render());
    ShaderUser* stranger = other.CreateShaderUser(MakeDefaultShaderDescriptor());
    EXPECT_THROW(shaders->RemoveShaderUser(stranger), FatalError);
}

TEST_F(ShaderManagerTest, StageWithoutTextureSamplesLinearlyAndSpareStagesAreUnbound)
{
    folder.Write("data\\wall.bmp", OnePixelBmp(10));
    SetDefaultMipMapping(1);
    ShaderUser* textured = shaders->CreateShaderUser(MakeShaderDescriptor("wall.bmp", "", false));
    SetDefaultMipMapping(0);
    textured->Apply();
    ASSERT_TRUE(textured->GetShader()->GetFrame(0, 0)->IsMipMapped());
    EXPECT_EQ(render.render->GetTextureFilter(0), RenderSystem::kFilterMipMapped);

    ShaderDescriptor bare(0);
    bare.AddStage(ShaderTextureStage::kNoTexture | ShaderTextureStage::kMipMapping, 0, 1, 1, 0, 0.0f, "wall.bmp", "",
                  0);
    ShaderUser* untextured = shaders->CreateShaderUser(bare);
    untextured->Apply();
    EXPECT_EQ(BoundKey(), "none");
    EXPECT_EQ(render.render->GetTextureFilter(0), RenderSystem::kFilterLinear);
    EXPECT_EQ(render.render->GetTextureAdressU(0), RenderSystem::kAddressClamp);
    for (u32 stage = 1; stage < render.render->GetTextureStageCount(); ++stage)
        EXPECT_EQ(render.render->GetTexture(stage), nullptr);
}

TEST_F(ShaderManagerTest, MissingJpgIsLookedForAsBmp)
{
    folder.Write("data\\photo.bmp", OnePixelBmp(30));
    ShaderUser* user = shaders->CreateShaderUser(MakeShaderDescriptor("photo.jpg", "", false));
    user->Apply();
    EXPECT_EQ(BoundKey(), "diffuse_data\\photo.bmp");
}

// An animation whose numbered pictures run out plays, in a loop, the frames
// found before the first missing one, and costs one error line whatever it
// promised; with none found the placeholder stands alone.
TEST_F(ShaderManagerTest, NumberedFramesEndAtTheFirstMissingPictureWithOneErrorLine)
{
    struct Case {
        u32 written;
        u32 promised;
        u32 played;
        std::size_t errors;
    };
    const Case cases[] = {{4, 4, 4, 0}, {3, 10, 3, 1}, {0, 10, 1, 1}, {2, 10000, 2, 1}};
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const Case& test = cases[i];
        const std::string stem = "fx\\set" + std::to_string(i) + "_";
        const u32 digits = FrameDigits(test.promised);
        for (u32 k = 0; k < test.written; ++k)
            folder.Write("data\\" + stem + UIntToString(k, digits) + ".bmp", OnePixelBmp(static_cast<u8>(k * 60)));
        render.messages->ClearMessages();
        ShaderUser* made = nullptr;
        // Promised frames that are not there cost no lookup each.
        Testing::RunWithin(std::chrono::seconds(10), "ShaderManager: frames of " + stem, [&] {
            made = shaders->CreateShaderUser(ShaderDescriptor(false, ShaderTextureStage::kNumberedDiffuse, 1, 1,
                                                              test.promised, kFramesPerSecond,
                                                              stem + std::string(digits, '0') + ".bmp", "", true));
        });
        ShaderUser& user = *made;
        EXPECT_EQ(user.GetShader()->GetFrameCount(0), test.played) << i;
        EXPECT_EQ(Testing::LogProbe(*render.messages).Lines(MessageManager::kError).size(), test.errors) << i;
        std::set<std::string> bound;
        for (u32 frame = 0; frame < 2 * test.played + 1; ++frame) {
            NextFrame(user);
            bound.insert(BoundKey());
        }
        EXPECT_EQ(bound.size(), test.played) << i;
        EXPECT_EQ(bound.count("none"), 0u) << i;
    }
}

// Only a numbered picture that is missing ends the frames: a missing picture
// that every frame shares shows as the placeholder in each of them.
TEST_F(ShaderManagerTest, MissingCompanionPictureThatIsNotNumberedEndsNoFrames)
{
    struct Case {
        const char* name;
        u32 type;
        const char* diffuse;
        const char* opacity;
        u32 played;
    };
    const Case cases[] = {
        {"numbered diffuse, opacity missing", ShaderTextureStage::kNumberedDiffuse, "anim_d\\f0.bmp", "lost.bmp", 3},
        {"numbered opacity, diffuse missing", ShaderTextureStage::kNumberedOpacity, "lost.bmp", "anim_o\\f0.bmp", 3},
        {"both numbered, opacity ends", ShaderTextureStage::kNumberedBoth, "anim_d\\f0.bmp", "anim_s\\f0.bmp", 2},
    };
    for (u32 k = 0; k < 3; ++k) {
        folder.Write("data\\anim_d\\f" + UIntToString(k) + ".bmp", OnePixelBmp(static_cast<u8>(k * 60)));
        folder.Write("data\\anim_o\\f" + UIntToString(k) + ".bmp", OnePixelBmp(static_cast<u8>(k * 60 + 1)));
    }
    for (u32 k = 0; k < 2; ++k)
        folder.Write("data\\anim_s\\f" + UIntToString(k) + ".bmp", OnePixelBmp(static_cast<u8>(k * 60 + 2)));
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        ShaderUser& user = *shaders->CreateShaderUser(
            ShaderDescriptor(false, test.type, 1, 1, 3, kFramesPerSecond, test.diffuse, test.opacity, true));
        EXPECT_EQ(user.GetShader()->GetFrameCount(0), test.played);
        std::set<std::string> bound;
        for (u32 frame = 0; frame < 2 * test.played + 1; ++frame) {
            NextFrame(user);
            bound.insert(BoundKey());
        }
        EXPECT_EQ(bound.size(), test.played);
    }
}
