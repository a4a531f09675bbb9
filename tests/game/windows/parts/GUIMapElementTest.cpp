#include "game/windows/parts/GUIMapElement.h"

#include "engine/app/Engine.h"
#include "engine/gui/GUIButton.h"
#include "engine/gui/GUIWindow.h"
#include "engine/render/AnimationControl.h"
#include "engine/render/Model.h"
#include "engine/render/ModelManager.h"
#include "game/data/GameData.h"
#include "game_tools/GUIDoubleClickDetecter.h"
#include "tests/support/FakeEngine.h"
#include "tools/ModelWriter.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

using Tamrisk::GUIMapElement;

// A map point on the fakes: a six-frame unit square placed 40 units square
// with its lower left corner at (100, 200).
class GUIMapElementTest : public testing::Test {
protected:
    GUIMapElementTest()
    {
        engine.Start();
        data = std::make_unique<Tamrisk::GameData>(&engine.Get(), "en");
        Tools::ModelFileData model = Tools::MakeBoxModelData({0, 0, 0}, {1, 1, 0});
        model.flags = Tools::kModelVertexAnimated | Tools::kModelTriangleList;
        model.frameCount = 6;
        const auto frame = model.vertices;
        for (int i = 1; i < 6; ++i) {
            model.vertices.insert(model.vertices.end(), frame.begin(), frame.end());
            model.bounds.push_back(model.bounds[0]);
        }
        const std::vector<std::uint8_t> bytes = Tools::BuildModelFile(model);
        for (const char* name : {"map_path", "map_check_point"}) {
            const std::string file = std::string("ui\\models\\") + name + ".mlf";
            engine.folder.WriteFile("data\\" + file, std::string(bytes.begin(), bytes.end()));
            data->AddModel(std::string("ui/") + name, engine->GetModelManager()->NewModelFromFile(file, nullptr, 0));
        }
        detecter = std::make_unique<GameTools::GUIDoubleClickDetecter>(&engine.Get());
        Tamrisk::GUIStageMap::Element placed;
        placed.placement.m[0] = 40.0f;
        placed.placement.m[5] = 40.0f;
        placed.placement.m[10] = 1.0f;
        placed.placement.m[15] = 1.0f;
        placed.placement.m[3] = 100.0f;
        placed.placement.m[7] = 200.0f;
        placed.stage = 1;
        placed.level = 2;
        element = std::make_unique<GUIMapElement>(&engine.Get(), data.get(), detecter.get(), placed, nullptr);
    }

    ~GUIMapElementTest() override
    {
        element.reset();
        detecter.reset();
        data.reset();
    }

    void DoubleClick(bool completed)
    {
        detecter->window = element->GetButton();
        detecter->doubleClicked = completed;
    }

    Testing::FakeEngine engine;
    std::unique_ptr<Tamrisk::GameData> data;
    std::unique_ptr<GameTools::GUIDoubleClickDetecter> detecter;
    std::unique_ptr<GUIMapElement> element;
};

TEST_F(GUIMapElementTest, TheModelSitsWhereTheMapPutsItAndTheButtonCoversItsMiddle)
{
    const Halvard::Model* model = element->GetWindow()->GetModel();
    ASSERT_NE(model, nullptr);
    EXPECT_FALSE(element->GetWindow()->placeModel);
    EXPECT_EQ(model->worldMatrix.m[3], 100.0f);
    EXPECT_EQ(model->worldMatrix.m[7], 200.0f);
    EXPECT_EQ(element->GetShadow()->GetModel()->worldMatrix.m[3], 102.0f);
    EXPECT_EQ(element->GetShadow()->GetModel()->worldMatrix.m[7], 198.0f);
    // 0.6 of the 40 units square around its centre (120, 220).
    const Halvard::GUIButton& button = *element->GetButton();
    EXPECT_FLOAT_EQ(button.size.x, 24.0f);
    EXPECT_FLOAT_EQ(button.size.y, 24.0f);
    EXPECT_FLOAT_EQ(button.position.x, 108.0f);
    EXPECT_FLOAT_EQ(button.position.y, 208.0f);
    EXPECT_EQ(element->GetStage(), 1u);
    EXPECT_EQ(element->GetLevel(), 2u);
}

TEST_F(GUIMapElementTest, ADoubleClickCountsOnlyWhenCompletedOnAReachableUnlockedOrChosenPoint)
{
    struct Case {
        const char* what;
        Halvard::u32 state;
        bool locked;
        bool completed;
        bool counts;
    };
    const Case cases[] = {
        {"first click only", GUIMapElement::kPassed, false, false, false},
        {"passed", GUIMapElement::kPassed, false, true, true},
        {"out of reach", GUIMapElement::kOutOfReach, false, true, false},
        {"locked", GUIMapElement::kPassed, true, true, false},
        {"locked and chosen", GUIMapElement::kChosen, true, true, true},
    };
    for (const Case& c : cases) {
        element->SetVisible(true);
        element->SetState(c.state);
        if (c.locked)
            element->Lock();
        DoubleClick(c.completed);
        EXPECT_EQ(element->IsDoubleClicked(), c.counts) << c.what;
    }
    element->SetState(GUIMapElement::kPassed);
    detecter->window = nullptr;
    detecter->doubleClicked = true;
    EXPECT_FALSE(element->IsDoubleClicked()) << "another window";
}

TEST_F(GUIMapElementTest, TheButtonTakesClicksBelowOutOfReachUnlessLockedAndShowingUnlocks)
{
    for (Halvard::u32 state = 0; state <= GUIMapElement::kOutOfReach; ++state) {
        element->SetState(state);
        EXPECT_EQ(element->GetButton()->IsEnabled(), state < GUIMapElement::kOutOfReach) << state;
    }
    element->SetState(GUIMapElement::kNotPassed);
    element->Lock();
    EXPECT_FALSE(element->GetButton()->IsEnabled());
    element->SetState(GUIMapElement::kPassed);
    EXPECT_FALSE(element->GetButton()->IsEnabled());
    element->GetButton()->over = true;
    element->UpdateHighlight(true);
    EXPECT_FALSE(element->IsHighlighted());
    element->SetVisible(true);
    EXPECT_FALSE(element->IsLocked());
    EXPECT_TRUE(element->GetButton()->IsEnabled());
    element->GetButton()->over = true;
    element->UpdateHighlight(true);
    EXPECT_TRUE(element->IsHighlighted());
    element->UpdateHighlight(false);
    EXPECT_FALSE(element->IsHighlighted());
}

TEST_F(GUIMapElementTest, ReachableStatesAreOpaqueAndTheFadeScalesTheAlpha)
{
    // Vertex colours keep eight bits a channel.
    constexpr float kStep = 1.0f / 255.0f;
    element->SetFade(0.5f);
    element->SetState(GUIMapElement::kOutOfReach);
    element->SetAlpha(0.4f);
    EXPECT_NEAR(element->GetWindow()->GetColor().w, 0.2f, kStep);
    EXPECT_NEAR(element->GetShadow()->GetColor().w, 0.2f, kStep);
    element->SetState(GUIMapElement::kPassed);
    EXPECT_FLOAT_EQ(element->GetAlpha(), 1.0f);
    EXPECT_NEAR(element->GetWindow()->GetColor().w, 0.5f, kStep);
}

// The check point's look changes the model of both windows and nothing
// else: the placement, the state's frame, the shadow's frame, the colour,
// the visibility and the button stay.
TEST_F(GUIMapElementTest, TheCheckPointLookChangesTheModelAndKeepsWhatTheElementShows)
{
    const auto modelFile = [](const Halvard::GUIWindow* window) { return window->GetModel()->GetName(); };
    const Halvard::GUIButton* button = element->GetButton();
    element->SetFade(0.5f);
    element->SetState(GUIMapElement::kChosen);
    for (const bool shown : {true, false}) {
        element->SetVisible(shown);
        for (const bool checkPoint : {true, true, false, false}) {
            const Halvard::GUIWindow* before = element->GetWindow();
            const bool changes = checkPoint != element->IsCheckPoint();
            element->SetCheckPoint(checkPoint);
            const std::string expected = checkPoint ? "ui\\models\\map_check_point.mlf" : "ui\\models\\map_path.mlf";
            EXPECT_EQ(element->GetWindow() != before, changes);
            EXPECT_EQ(modelFile(element->GetWindow()), expected);
            EXPECT_EQ(modelFile(element->GetShadow()), expected);
            EXPECT_EQ(element->GetWindow()->GetModel()->worldMatrix.m[3], 100.0f);
            EXPECT_EQ(element->GetShadow()->GetModel()->worldMatrix.m[7], 198.0f);
            EXPECT_EQ(element->GetWindow()->GetAnimation()->GetFrameA(), GUIMapElement::kChosen);
            EXPECT_EQ(element->GetShadow()->GetAnimation()->GetFrameA(), GUIMapElement::kShadow);
            EXPECT_NEAR(element->GetShadow()->GetColor().w, 0.5f, 1.0f / 255.0f);
            EXPECT_EQ(element->IsVisible(), shown);
            EXPECT_EQ(element->GetButton(), button);
        }
    }
}

} // namespace
