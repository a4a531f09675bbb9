#include "engine/render/RenderSystem_D3D7.h"

#include "tests/support/RenderHarness.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using namespace Halvard;
using Platform::RenderState;
using Platform::TextureStageState;
using ::testing::ElementsAreArray;

namespace R = Platform::VideoResults;

namespace {

template <class Value>
std::string State(RenderState state, Value value)
{
    return std::string("SetRenderState ") + Testing::Name(state) + " " + std::to_string(static_cast<uint32_t>(value));
}

template <class Value>
std::string Stage(uint32_t stage, TextureStageState state, Value value)
{
    return "SetTextureStageState " + std::to_string(stage) + " " + Testing::Name(state) + " " +
           std::to_string(static_cast<uint32_t>(value));
}

Matrix4 Identity()
{
    Matrix4 m;
    MatrixIdentity(m);
    return m;
}

class RenderSystemCacheTest : public ::testing::Test {
protected:
    RenderSystemCacheTest() : render(harness.Start()) { harness.video.calls.clear(); }

    const std::array<float, 16>& Sent(Platform::TransformState state)
    {
        return harness.video.device.transforms[static_cast<uint32_t>(state)];
    }

    Testing::RenderHarness harness;
    RenderSystem_D3D7& render;
};

} // namespace

TEST_F(RenderSystemCacheTest, MatrixWithinTheToleranceSendsNothing)
{
    Matrix4 nearly = Identity();
    nearly.m[5] += 0.00005f;
    render.SetWorldMatrix(nearly);
    render.SetViewMatrix(nearly);
    EXPECT_TRUE(harness.video.calls.empty());

    Matrix4 moved = Identity();
    moved.m[11] = 0.001f;
    render.SetWorldMatrix(moved);
    EXPECT_EQ(harness.video.calls, std::vector<std::string>{"SetTransform World"});
}

TEST_F(RenderSystemCacheTest, UnchangedValuesSendNothing)
{
    render.SetCullMode(RenderSystem::kCullNone);
    render.SetZWrite(true);
    render.SetBlend(0, 0);
    render.SetAmbientColor(Vector4(0.0f, 0.0f, 0.0f, 1.0f));
    render.SetTextureFilter(1, RenderSystem::kFilterLinear);
    render.SetTextureMatrix(1, 1.0f, 1.0f, 0.00001f, 0.0f);
    render.SetTexture(0, nullptr);
    EXPECT_TRUE(harness.video.calls.empty());
    render.SetBlend(0, 1);
    EXPECT_EQ(harness.video.CountCalls("SetRenderState SourceBlend"), 1);
    EXPECT_EQ(harness.video.CountCalls("SetRenderState DestinationBlend"), 1);
}

TEST_F(RenderSystemCacheTest, DefaultStatesAreSentEvenWhenTheCacheHoldsThem)
{
    render.SetDefaultStates();
    EXPECT_EQ(harness.video.CountCalls("SetRenderState CullMode"), 1);
    EXPECT_EQ(harness.video.CountCalls("SetTransform World"), 1);
    EXPECT_EQ(harness.video.CountCalls("SetTransform Texture1"), 1);
    EXPECT_FALSE(render.AreStatesForced());
    harness.video.calls.clear();
    render.SetCullMode(RenderSystem::kCullNone);
    EXPECT_TRUE(harness.video.calls.empty());
}

TEST_F(RenderSystemCacheTest, DefaultStatesGoOutInTheirOrder)
{
    using Platform::Blend;
    using Platform::TextureArgument;
    using Platform::TextureFilter;
    using Platform::TextureOperation;
    render.SetDefaultStates();
    std::vector<std::string> expected = {
        "SetMaterial",
        "SetTransform View",
        "SetTransform World",
        State(RenderState::Ambient, 0xFF000000u),
        State(RenderState::AlphaBlendEnable, 0),
        State(RenderState::SourceBlend, Blend::Zero),
        State(RenderState::DestinationBlend, Blend::Zero),
    };
    for (uint32_t stage = 0; stage < 2; ++stage) {
        const std::string texture = "Texture" + std::to_string(stage);
        for (const std::string& line :
             {"SetTexture " + std::to_string(stage) + " none", Stage(stage, TextureStageState::MaxAnisotropy, 1),
              Stage(stage, TextureStageState::MagnificationFilter, TextureFilter::Linear),
              Stage(stage, TextureStageState::MinificationFilter, TextureFilter::Linear),
              Stage(stage, TextureStageState::MipFilter, TextureFilter::None),
              Stage(stage, TextureStageState::AddressU, Platform::TextureAddress::Wrap),
              Stage(stage, TextureStageState::AddressV, Platform::TextureAddress::Wrap), "SetTransform " + texture})
            expected.push_back(line);
    }
    for (const std::string& line : {State(RenderState::CullMode, Platform::Cull::None), State(RenderState::Lighting, 0),
                                    State(RenderState::NormalizeNormals, 0), State(RenderState::ZEnable, 0),
                                    State(RenderState::ZWriteEnable, 1), State(RenderState::StencilEnable, 0)})
        expected.push_back(line);
    for (uint32_t stage = 0; stage < 2; ++stage) {
        const TextureOperation alpha = stage == 0 ? TextureOperation::Modulate : TextureOperation::Disable;
        for (const std::string& line :
             {Stage(stage, TextureStageState::TextureTransformFlags, Platform::TextureTransformFlags::Count2),
              Stage(stage, TextureStageState::TextureCoordinateIndex, 0),
              Stage(stage, TextureStageState::ColorOperation, TextureOperation::Modulate),
              Stage(stage, TextureStageState::AlphaArgument1, TextureArgument::Texture),
              Stage(stage, TextureStageState::AlphaArgument2, TextureArgument::Diffuse),
              Stage(stage, TextureStageState::AlphaOperation, alpha)})
            expected.push_back(line);
    }
    for (const std::string& line : {State(RenderState::ColorVertex, 1),
                                    State(RenderState::DiffuseMaterialSource, Platform::MaterialSource::Color1),
                                    State(RenderState::AmbientMaterialSource, Platform::MaterialSource::Color1),
                                    State(RenderState::ZFunction, Platform::Compare::Less)})
        expected.push_back(line);
    EXPECT_THAT(harness.video.calls, ElementsAreArray(expected));
}

TEST_F(RenderSystemCacheTest, DefaultMaterialIsGreyAmbientAndWhiteDiffuse)
{
    const Platform::Material& material = harness.video.device.material;
    EXPECT_FLOAT_EQ(material.ambient.r, 0.6f);
    EXPECT_FLOAT_EQ(material.diffuse.g, 1.0f);
    EXPECT_FLOAT_EQ(material.specular.a, 0.0f);
    EXPECT_FLOAT_EQ(material.emissive.a, 1.0f);
    EXPECT_FLOAT_EQ(material.power, 0.0f);
}

TEST_F(RenderSystemCacheTest, AnisotropyIsClampedToTheDeviceAndAtLeastOne)
{
    harness.config->textureAnisotropy = 0;
    render.Refresh();
    EXPECT_EQ(harness.config->textureAnisotropy, 1);
    EXPECT_FALSE(harness.video.Called("SetTextureStageState 0 MaxAnisotropy"));

    harness.config->textureAnisotropy = 100;
    render.Refresh();
    EXPECT_EQ(harness.config->textureAnisotropy, 8);
    EXPECT_EQ(render.GetStageAnisotropy(1), 8u);
    EXPECT_EQ(harness.video.CountCalls("SetTextureStageState 1 MaxAnisotropy 8"), 1);
    render.Refresh();
    EXPECT_EQ(harness.video.CountCalls("SetTextureStageState 1 MaxAnisotropy 8"), 1);
}

TEST(RenderSystemAnisotropyTest, DeviceWithoutAnisotropyStillGivesOne)
{
    Testing::RenderHarness harness;
    for (auto& device : harness.video.adapters[0].devices)
        device.maxAnisotropy = 0;
    harness.config->textureAnisotropy = 4;
    harness.Start().Refresh();
    EXPECT_EQ(harness.config->textureAnisotropy, 1);
}

TEST_F(RenderSystemCacheTest, ViewMatrixGoesOutWithItsZColumnNegated)
{
    Matrix4 view = Identity();
    view.m[2] = 0.5f;
    view.m[6] = 0.25f;
    view.m[3] = 7.0f;
    render.SetViewMatrix(view);
    const auto& sent = Sent(Platform::TransformState::View);
    EXPECT_FLOAT_EQ(sent[2], -0.5f);
    EXPECT_FLOAT_EQ(sent[6], -0.25f);
    EXPECT_FLOAT_EQ(sent[10], -1.0f);
    EXPECT_FLOAT_EQ(sent[3], 7.0f);
}

TEST_F(RenderSystemCacheTest, WorldMatrixGoesOutTransposed)
{
    Matrix4 world = Identity();
    world.m[3] = 5.0f;
    world.m[7] = 6.0f;
    render.SetWorldMatrix(world);
    const auto& sent = Sent(Platform::TransformState::World);
    EXPECT_FLOAT_EQ(sent[12], 5.0f);
    EXPECT_FLOAT_EQ(sent[13], 6.0f);
    EXPECT_FLOAT_EQ(sent[3], 0.0f);
}

TEST_F(RenderSystemCacheTest, TextureTransformPutsOffsetsInTheThirdRow)
{
    render.SetTextureMatrix(1, 2.0f, 3.0f, 0.25f, 0.5f);
    const auto& sent = Sent(Platform::TextureTransform(1));
    EXPECT_FLOAT_EQ(sent[0], 2.0f);
    EXPECT_FLOAT_EQ(sent[5], 3.0f);
    EXPECT_FLOAT_EQ(sent[8], 0.25f);
    EXPECT_FLOAT_EQ(sent[9], 0.5f);
    EXPECT_FLOAT_EQ(sent[15], 1.0f);
}

TEST_F(RenderSystemCacheTest, AmbientColourIsPackedWithTruncation)
{
    render.SetAmbientColor(Vector4(1.0f, 0.5f, 0.25f, 1.0f));
    EXPECT_EQ(harness.video.RenderStateValue(RenderState::Ambient), 0xFFFF7F3Fu);
}

TEST_F(RenderSystemCacheTest, ResettingTexturesLeavesTheDeviceFlagsAndResettingTheDeviceLeavesTheTextures)
{
    harness.video.Fail("TestCooperativeLevel", R::kWrongMode, 1);
    render.Refresh();
    ASSERT_TRUE(render.IsResetNeeded());
    render.RenderSystem::Reset(RenderSystem::kResetTextures);
    EXPECT_FALSE(render.AreTexturesLost());
    EXPECT_TRUE(render.IsResetNeeded());
    EXPECT_FALSE(render.IsDeviceReady());

    render.CheckVideoMode();
    render.RenderSystem::Reset(RenderSystem::kResetDevice);
    EXPECT_FALSE(render.IsResetNeeded());
    EXPECT_TRUE(render.IsDeviceReady());
    EXPECT_TRUE(render.AreTexturesLost());
}

TEST_F(RenderSystemCacheTest, VideoModeCheckMarksTexturesLostButAsksForAResetOnlyOnAChange)
{
    render.CheckVideoMode();
    EXPECT_TRUE(render.AreTexturesLost());
    EXPECT_FALSE(render.IsResetNeeded());

    harness.config->fullScreen = 1;
    render.CheckVideoMode();
    EXPECT_TRUE(render.IsResetNeeded());
}

TEST_F(RenderSystemCacheTest, DesktopAsTheModeAsksForAResetWhenTheDesktopIsNot640x480x16)
{
    harness.config->videoMode = "desktop";
    render.CheckVideoMode();
    EXPECT_TRUE(render.IsResetNeeded());
}

TEST(RenderSystemStagesTest, FallBackDeviceWithMoreStagesGrowsTheStageCache)
{
    Testing::RenderHarness harness;
    harness.video.adapters[0].devices[2].maxSimultaneousTextures = 4;
    RenderSystem_D3D7& render = harness.Start();
    ASSERT_EQ(render.GetTextureStageCount(), 2u);
    harness.video.Fail("CreateDevice TransformAndLighting", R::kGeneric);
    render.Reset(RenderSystem::kResetDevice | RenderSystem::kResetTextures);
    EXPECT_EQ(render.GetTextureStageCount(), 4u);
    EXPECT_EQ(render.GetTextureFilter(3), static_cast<u32>(RenderSystem::kFilterLinear));
    EXPECT_EQ(render.GetTextureAdressV(3), static_cast<u32>(RenderSystem::kAddressWrap));
    EXPECT_TRUE(harness.video.Called(Stage(3, TextureStageState::AlphaOperation, Platform::TextureOperation::Disable)));
    render.SetTextureFilter(3, RenderSystem::kFilterPoint);
    EXPECT_TRUE(harness.video.Called(Stage(3, TextureStageState::MagnificationFilter, Platform::TextureFilter::Point)));
}
