#include "engine/render/Light.h"
#include "engine/render/LightManager.h"

#include "tests/support/RenderHarness.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace Halvard;

namespace {

class LightManagerTest : public ::testing::Test {
protected:
    LightManagerTest()
    {
        harness.Start();
        lights = std::make_unique<LightManager>(harness.messages.get(), &harness.Render());
    }

    const Platform::LightDescription& Sent(u32 index) const { return harness.video.device.lights.at(index); }

    Testing::RenderHarness harness;
    std::unique_ptr<LightManager> lights;
};

} // namespace

TEST_F(LightManagerTest, FreedDeviceIndexAndSlotGoToTheNextLight)
{
    Light* a = lights->CreateLight();
    Light* b = lights->CreateLight();
    Light* c = lights->CreateLight();
    EXPECT_EQ(a->GetDeviceIndex(), 0u);
    EXPECT_EQ(b->GetDeviceIndex(), 1u);
    EXPECT_EQ(c->GetDeviceIndex(), 2u);

    lights->DestroyLight(b);
    EXPECT_TRUE(harness.video.Called("LightEnable 1 0"));
    lights->DestroyLight(b);
    lights->DestroyLight(nullptr);
    Light* d = lights->CreateLight();
    EXPECT_EQ(d->GetDeviceIndex(), 1u);
    EXPECT_EQ(lights->GetSlots()[1], d);
    EXPECT_EQ(lights->GetLiveSlots().back(), 1u);
    EXPECT_EQ(lights->CreateLight()->GetDeviceIndex(), 3u);
}

TEST_F(LightManagerTest, UntouchedLightIsAWhitePointAtTheOriginWithTheLargestRange)
{
    lights->CreateLight();
    lights->Update();
    const Platform::LightDescription& light = Sent(0);
    EXPECT_EQ(light.type, Platform::LightType::Point);
    EXPECT_FLOAT_EQ(light.position[0], 0.0f);
    EXPECT_FLOAT_EQ(light.diffuse.r, 1.0f);
    EXPECT_FLOAT_EQ(light.ambient.g, 1.0f);
    EXPECT_FLOAT_EQ(light.specular.b, 1.0f);
    EXPECT_FLOAT_EQ(light.attenuation0, 1.0f);
    EXPECT_FLOAT_EQ(light.attenuation1, 0.0f);
    EXPECT_FLOAT_EQ(light.attenuation2, 0.0f);
    EXPECT_FLOAT_EQ(light.range, std::sqrt(std::numeric_limits<float>::max()));
    EXPECT_TRUE(harness.video.Called("LightEnable 0 1"));
}

TEST_F(LightManagerTest, EachTypeSendsOnlyTheFieldsItUses)
{
    Light* light = lights->CreateLight();
    light->position = Vector3(5.0f, 6.0f, 7.0f);
    light->direction = Vector3(0.0f, -1.0f, 0.0f);
    light->theta = 0.5f;
    light->phi = 1.0f;
    light->linearAttenuation = 0.25f;

    light->type = Light::kDirectional;
    lights->Update();
    EXPECT_EQ(Sent(0).type, Platform::LightType::Directional);
    EXPECT_FLOAT_EQ(Sent(0).position[0], 0.0f);
    EXPECT_FLOAT_EQ(Sent(0).direction[1], -1.0f);
    EXPECT_FLOAT_EQ(Sent(0).attenuation1, 0.0f);

    light->type = Light::kPoint;
    lights->Update();
    EXPECT_FLOAT_EQ(Sent(0).position[2], 7.0f);
    EXPECT_FLOAT_EQ(Sent(0).direction[1], 0.0f);
    EXPECT_FLOAT_EQ(Sent(0).attenuation1, 0.25f);
    EXPECT_FLOAT_EQ(Sent(0).theta, 0.0f);

    light->type = Light::kSpot;
    lights->Update();
    EXPECT_EQ(Sent(0).type, Platform::LightType::Spot);
    EXPECT_FLOAT_EQ(Sent(0).theta, 0.5f);
    EXPECT_FLOAT_EQ(Sent(0).phi, 1.0f);
    EXPECT_FLOAT_EQ(Sent(0).falloff, 1.0f);
    EXPECT_FLOAT_EQ(Sent(0).direction[1], -1.0f);
}

TEST_F(LightManagerTest, DisabledLightIsSwitchedOffAtEveryUpdateUntilEnabled)
{
    Light* light = lights->CreateLight();
    light->enabled = 0;
    lights->Update();
    lights->Update();
    EXPECT_EQ(harness.video.CountCalls("LightEnable 0 0"), 2);
    EXPECT_FALSE(harness.video.Called("SetLight 0"));
    light->enabled = 1;
    lights->Update();
    EXPECT_TRUE(harness.video.Called("SetLight 0"));
    EXPECT_EQ(harness.video.CountCalls("LightEnable 0 1"), 1);
}

TEST_F(LightManagerTest, AmbientColourAndLightingAreSentOnlyOnAChange)
{
    const int ambientBefore = harness.video.CountCalls("SetRenderState Ambient");
    lights->SetAmbientColor(Vector4(0.2f, 0.2f, 0.2f, 1.0f));
    lights->Update();
    lights->Update();
    EXPECT_EQ(harness.video.CountCalls("SetRenderState Ambient") - ambientBefore, 1);
    EXPECT_EQ(harness.Render().GetAmbientColor(), Vector4(0.2f, 0.2f, 0.2f, 1.0f));

    const int lightingBefore = harness.video.CountCalls("SetRenderState Lighting");
    lights->SetLighting(true);
    lights->SetLighting(true);
    EXPECT_EQ(harness.video.CountCalls("SetRenderState Lighting") - lightingBefore, 1);
    EXPECT_TRUE(harness.Render().GetLighting());
}

TEST_F(LightManagerTest, ADeviceRefusingALightIsLoggedAndTheOthersStillShine)
{
    harness.video.Fail("SetLight 1", Platform::VideoResults::kInvalidParams);
    lights->CreateLight();
    lights->CreateLight();
    lights->CreateLight();
    lights->Update();
    ASSERT_EQ(harness.Errors().size(), 1u);
    EXPECT_NE(harness.Errors()[0].find("Light_D3D7::Refresh"), std::string::npos);
    EXPECT_TRUE(harness.video.Called("SetLight 2"));
}
