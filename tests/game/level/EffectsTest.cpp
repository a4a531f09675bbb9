#include "game/level/Effects.h"

#include "engine/render/ModelManager.h"
#include "engine/render/ParticleSystem.h"
#include "engine/render/ParticleSystemManager.h"
#include "game/level/Shadow.h"
#include "tests/support/FakeEngine.h"
#include "tests/support/LogProbe.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

using namespace Halvard;
using Tamrisk::Effects;
using Tamrisk::Shadow;

namespace {

// Colours are stored in eight bits a channel.
constexpr float kColorStep = 1.0f / 255.0f;

class EffectsTest : public testing::Test {
protected:
    EffectsTest()
    {
        engine.Start();
        effects = std::make_unique<Effects>(&engine.Get(), nullptr);
    }

    // A 2 x 2 x 2 box standing on the field, lifted by the height.
    Model* MakeObject(float height)
    {
        const float lo[3] = {-1.0f, -1.0f, 0.0f};
        const float hi[3] = {1.0f, 1.0f, 2.0f};
        Model* model = engine->GetModelManager()->CreateModelFromArrays(lo, hi, nullptr, nullptr, 0);
        MatrixTranslation(model->worldMatrix, Vector3(3.0f, 4.0f, height));
        model->boundingBox.SetTransform(model->worldMatrix);
        return model;
    }

    u32 ModelCount() { return engine.Get().GetModelManager()->GetModels().GetCount(); }

    Testing::FakeEngine engine;
    std::unique_ptr<Effects> effects;
};

TEST_F(EffectsTest, FreedSlotsAreTakenFirstFreedFirstAndTheActiveListKeepsTakingOrder)
{
    Model* object = MakeObject(0.0f);
    const u32 modelsBefore = ModelCount();
    Shadow* a = effects->AddShadow(object, true);
    Shadow* b = effects->AddShadow(object, false);
    effects->AddShadow(object, true);
    effects->RemoveShadow(b);
    effects->RemoveShadow(a);
    effects->RemoveShadow(nullptr);
    EXPECT_EQ(ModelCount(), modelsBefore + 1);

    Shadow* d = effects->AddShadow(object, true);
    Shadow* e = effects->AddShadow(object, true);
    Shadow* f = effects->AddShadow(object, false);
    EXPECT_EQ(effects->GetActiveSlots(), (std::vector<u32>{2, 1, 0, 3}));
    EXPECT_EQ(effects->GetShadow(1), d);
    EXPECT_EQ(effects->GetShadow(0), e);
    EXPECT_EQ(effects->GetShadow(3), f);
    EXPECT_EQ(ModelCount(), modelsBefore + 4);

    // A shadow given back twice is given back once.
    effects->RemoveShadow(d);
    effects->RemoveShadow(d);
    Shadow* g = effects->AddShadow(object, true);
    EXPECT_EQ(effects->GetShadow(1), g);
    EXPECT_EQ(effects->GetActiveSlots(), (std::vector<u32>{2, 0, 3, 1}));
}

struct FadeCase {
    const char* name;
    bool real;
    float height;
    float base;
    float alpha;
};

class ShadowFadeTest : public EffectsTest, public testing::WithParamInterface<FadeCase> {};

TEST_P(ShadowFadeTest, AShadowLiesFlatUnderItsObjectAndFadesWithHeight)
{
    const FadeCase& c = GetParam();
    Model* object = MakeObject(c.height);
    Shadow* shadow = effects->AddShadow(object, c.real);
    Model* model = shadow->GetModel();
    EXPECT_FALSE(shadow->IsVisible());
    EXPECT_NE(model->GetFlags() & Model::kStencil, 0u);
    EXPECT_EQ(model->GetFlags() & Model::kLit, 0u);
    effects->Update();
    EXPECT_NEAR(model->GetColor().w, Shadow::kAlpha, kColorStep);

    shadow->SetAlpha(c.base);
    shadow->SetVisible(true);
    effects->Update();
    EXPECT_NEAR(model->GetColor().w, c.alpha, kColorStep);
    EXPECT_NEAR(model->depth, c.alpha * 0.01f - 0.021f, 1e-6f);
    // Flattened onto the field, just above it, covering the object's
    // footprint.
    const BoundingBox& box = model->boundingBox;
    EXPECT_NEAR(box.GetWorldMin().z, 0.02f, 1e-5f);
    EXPECT_NEAR(box.GetWorldMax().z, 0.02f, 1e-5f);
    EXPECT_NEAR(box.GetWorldMin().x, 2.0f, 1e-5f);
    EXPECT_NEAR(box.GetWorldMax().y, 5.0f, 1e-5f);
}

INSTANTIATE_TEST_SUITE_P(Heights, ShadowFadeTest,
                         testing::Values(FadeCase{"RealOnTheField", true, 0.0f, 0.25f, 0.25f},
                                         FadeCase{"FakeOnTheField", false, 0.0f, 0.25f, 0.25f},
                                         FadeCase{"HalfwayUp", true, 20.0f, 0.25f, 0.125f},
                                         FadeCase{"AtTheTop", true, 40.0f, 0.25f, 0.025f},
                                         FadeCase{"FakeFarAbove", false, 90.0f, 0.25f, 0.025f},
                                         FadeCase{"BelowTheFieldCountsAsOnIt", true, -3.0f, 0.25f, 0.25f},
                                         // A faded base (a landed piece) fades with the height too.
                                         FadeCase{"FadedBase", true, 0.0f, 0.1f, 0.1f},
                                         FadeCase{"FadedBaseHalfwayUp", false, 20.0f, 0.1f, 0.05f}),
                         [](const testing::TestParamInfo<FadeCase>& info) { return info.param.name; });

TEST_F(EffectsTest, AStartedEffectStaysListedUntilItStopsEmittingAndItsLastParticleIsGone)
{
    ParticleSystemManager& particles = *engine->GetParticleSystemManager();
    const std::unique_ptr<ParticleSystem> burst(particles.NewParticleSystem(nullptr));
    ParticleSystem* system = particles.CopyParticleSystem(*burst);
    const u32 systemsBefore = particles.GetSystems().GetCount();
    effects->StartEffect(nullptr);
    effects->StartEffect(system);
    EXPECT_TRUE(system->IsVisible());
    EXPECT_TRUE(system->emitting);

    bool listedWhileDying = false;
    int frame = 0;
    for (; frame < 200 && !effects->GetEffects().empty(); ++frame) {
        engine.Step(0.0625);
        particles.Update();
        const bool spent = !system->emitting && system->liveCount == 0;
        listedWhileDying = listedWhileDying || (!system->emitting && system->liveCount != 0);
        effects->Update();
        ASSERT_EQ(effects->GetEffects().empty(), spent) << "frame " << frame;
    }
    EXPECT_TRUE(listedWhileDying);
    EXPECT_TRUE(effects->GetEffects().empty());
    EXPECT_EQ(particles.GetSystems().GetCount(), systemsBefore - 1);
}

TEST_F(EffectsTest, SpentEffectsLeaveTheListInOrderAndTheRestGoWithIt)
{
    ParticleSystemManager& particles = *engine->GetParticleSystemManager();
    const std::unique_ptr<ParticleSystem> burst(particles.NewParticleSystem(nullptr));
    std::vector<ParticleSystem*> systems;
    for (int i = 0; i < 4; ++i) {
        systems.push_back(particles.CopyParticleSystem(*burst));
        effects->StartEffect(systems.back());
    }
    const u32 systemsBefore = particles.GetSystems().GetCount();
    systems[0]->Stop();
    systems[2]->Stop();
    effects->Update();
    EXPECT_EQ(effects->GetEffects(), (std::vector<ParticleSystem*>{systems[1], systems[3]}));
    EXPECT_EQ(particles.GetSystems().GetCount(), systemsBefore - 2);
    effects.reset();
    EXPECT_EQ(particles.GetSystems().GetCount(), systemsBefore - 4);
}

} // namespace
