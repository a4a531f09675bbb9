#include "game/level/Lighting.h"

#include "engine/core/Error.h"
#include "engine/core/MessageManager.h"
#include "engine/render/Light.h"
#include "engine/render/LightManager.h"
#include "tests/support/FakeEngine.h"
#include "tests/support/LogProbe.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using namespace Halvard;
using Tamrisk::Lighting;
using ::testing::HasSubstr;
using ::testing::SizeIs;

namespace {

constexpr const char* kPath = "data\\environment\\lighting\\lighting.ini";

void ExpectColor(const Vector4& actual, float r, float g, float b)
{
    EXPECT_FLOAT_EQ(actual.x, r);
    EXPECT_FLOAT_EQ(actual.y, g);
    EXPECT_FLOAT_EQ(actual.z, b);
    EXPECT_FLOAT_EQ(actual.w, 1.0f);
}

class LightingTest : public ::testing::Test {
protected:
    LightingTest() { engine.Start(); }

    void File(const std::string& text) { engine.folder.WriteFile(kPath, text); }
    LightManager& Lights() { return *engine->GetLightManager(); }

    Testing::FakeEngine engine;
};

TEST_F(LightingTest, ReadsTheAmbientColourAndPointLights)
{
    File("// ambient\n51 102 255\n2\n"
         "10 -20 30   255 0 0   0 255 0   0 0 255   1 0.5 0.25\n"
         "-1 -2 -3    0 0 0     0 0 0     0 0 0     2 0 0\n");
    Lighting lighting(&engine.Get(), "lighting.ini");
    ExpectColor(Lights().GetAmbientColor(), 0.2f, 0.4f, 1.0f);
    ASSERT_THAT(lighting.GetLights(), SizeIs(2));
    const Light& first = *lighting.GetLights()[0];
    EXPECT_EQ(first.type, Light::kPoint);
    EXPECT_EQ(first.enabled, 1u);
    EXPECT_FLOAT_EQ(first.position.y, -20.0f);
    ExpectColor(first.ambient, 1.0f, 0.0f, 0.0f);
    ExpectColor(first.diffuse, 0.0f, 1.0f, 0.0f);
    ExpectColor(first.specular, 0.0f, 0.0f, 1.0f);
    EXPECT_FLOAT_EQ(first.constantAttenuation, 1.0f);
    EXPECT_FLOAT_EQ(first.linearAttenuation, 0.5f);
    EXPECT_FLOAT_EQ(first.quadraticAttenuation, 0.25f);
    EXPECT_FLOAT_EQ(lighting.GetLights()[1]->constantAttenuation, 2.0f);
    EXPECT_THAT(Lights().GetLiveSlots(), SizeIs(2));

    // Loading again replaces the lights; the lighting's end removes them.
    lighting.Load();
    EXPECT_THAT(Lights().GetLiveSlots(), SizeIs(2));
    lighting.Clear();
    EXPECT_THAT(Lights().GetLiveSlots(), SizeIs(0));
}

TEST_F(LightingTest, NoLightLeavesOnlyTheAmbientAndShadowsFallDownAndRight)
{
    File("10 20 30 0");
    const Lighting lighting(&engine.Get(), "lighting.ini");
    EXPECT_TRUE(lighting.GetLights().empty());
    EXPECT_THAT(Lights().GetLiveSlots(), SizeIs(0));
    EXPECT_NEAR(lighting.GetShadowDirection().x, 0.7071f, 1e-4f);
    EXPECT_NEAR(lighting.GetShadowDirection().y, -0.7071f, 1e-4f);
    EXPECT_TRUE(Testing::LogProbe(*engine->GetMessageManager()).HasNoErrorLine());
}

TEST_F(LightingTest, AFileThatCannotBeReadWhollyIsFatal)
{
    const std::string light = " 0 0 0  1 1 1  1 1 1  1 1 1  1 0 0";
    std::string nine = "0 0 0 9";
    for (int i = 0; i < 9; ++i)
        nine += light;
    struct Case {
        const char* name;
        const char* fileName;
        std::string text;
    };
    const Case cases[] = {
        {"an empty file", "lighting.ini", ""},
        {"ended in the ambient colour", "lighting.ini", "255 255"},
        {"ended in a light", "lighting.ini", "0 0 0 1 0 0 0 1 1 1 1 1 1 1 1 1 1 0"},
        {"a malformed number", "lighting.ini", "0 0 0 1 0 0 0 1 1 1 1 1 1 1 1 1 1 0 0x"},
        {"a word for a number", "lighting.ini", "0 0 zero 0"},
        {"not a number for a colour", "lighting.ini", "0 nan 0 0"},
        {"an infinite attenuation", "lighting.ini", "0 0 0 1 0 0 0 1 1 1 1 1 1 1 1 1 1 inf 0"},
        {"an infinite position", "lighting.ini", "0 0 0 1 -inf 0 0 1 1 1 1 1 1 1 1 1 1 0 0"},
        {"a fraction for the light count", "lighting.ini", "0 0 0 1.5" + light},
        {"a negative light count", "lighting.ini", "0 0 0 -1"},
        {"more lights than the device has", "lighting.ini", nine},
        {"no file", "missing.ini", ""},
    };
    for (const Case& test : cases) {
        File(test.text);
        engine->GetMessageManager()->ClearMessages();
        EXPECT_THROW(Lighting(&engine.Get(), test.fileName), FatalError) << test.name;
        const std::vector<std::string> errors = Testing::LogProbe(*engine->GetMessageManager()).ErrorLines();
        ASSERT_THAT(errors, SizeIs(1)) << test.name;
        EXPECT_THAT(errors[0], HasSubstr("PROGRAM ABORTING: ")) << test.name;
        EXPECT_THAT(errors[0], HasSubstr(test.fileName)) << test.name;
        // A failed load leaves no light behind.
        EXPECT_THAT(Lights().GetLiveSlots(), SizeIs(0)) << test.name;
    }
}

} // namespace
