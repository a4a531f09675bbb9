#include "engine/core/Image.h"
#include "engine/core/MessageManager.h"
#include "engine/render/AnimationControl.h"
#include "engine/render/CameraManager.h"
#include "engine/render/Model.h"
#include "engine/render/ModelManager.h"
#include "engine/render/ParticleSystem.h"
#include "engine/render/RenderSystem.h"
#include "game/LevelManager.h"
#include "game_tools/DataKeeper.h"
#include "game_tools/GameCamera.h"
#include "tests/data/BuiltData.h"
#include "tests/support/LogProbe.h"
#include "tests/support/ScreenQuad.h"
#include "tests/support/TestEngine.h"
#include "tests/support/game/LevelScene.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

using Halvard::Model;
using Halvard::u32;
using Halvard::Vector3;
using ::testing::IsEmpty;

constexpr const char* kList = "data\\game_objects\\resources.xml";
// Any frame count above one: the object plays it, the count is the data's.
constexpr u32 kAnimated = 0;

std::string TwoDigits(u32 value) { return (value < 10 ? "0" : "") + std::to_string(value); }

// The level's objects as the game finds them: the names they look up in the
// game objects' list, with the frames they play and the sizes the game's
// rules rely on, through the engine's own readers on the built folder.
class ObjectData : public ::testing::Test {
protected:
    ObjectData() { data.AddResourcesFile(kList, true); }

    // A copy the engine draws and updates, as the objects make theirs.
    Model* Copy(const std::string& name)
    {
        return engine->GetModelManager()->CopyModel(*data.GetModel(name), nullptr, 0);
    }

    // The copy's box at a frame of its animation.
    const Halvard::BoundingBox& BoxAt(Model* model, float frame)
    {
        model->GetAnimationControl().time = frame;
        model->Update(false);
        return model->boundingBox;
    }

    std::vector<std::string> Errors() { return Testing::LogProbe(*engine->GetMessageManager()).ErrorLines(); }

    Testing::TestEngine engine{{.installFolder = Testing::GameFolderInternal()}};
    GameTools::DataKeeper data{&engine.Get(), "en", false};
};

struct Listed {
    std::string name;
    u32 frames;
};

std::vector<Listed> ListedModels()
{
    std::vector<Listed> models = {
        {"bat/head", 61},           {"bat/body", 1},           {"bat/screw", 1},
        {"bat/fragments/screw/00", 1}, {"balls/simple/model", 1}, {"balls/super/model", 1},
        {"guns/arbalet/gun", 41},   {"guns/ballista/gun", 26}, {"guns/arbalet/bullet", kAnimated},
        {"guns/ballista/bullet", kAnimated}, {"hammer/model", 10},
    };
    // The head's pieces stretch with it: a piece shows the frame of its part
    // only when their frame counts agree.
    for (u32 i = 0; i < 7; ++i)
        models.push_back({"bat/fragments/head/" + TwoDigits(i), 61});
    for (u32 i = 0; i < 35; ++i)
        models.push_back({"bat/fragments/body/" + TwoDigits(i), 1});
    for (const char* kind : {"life", "bat_increase", "bat_decrease", "balls_speed_up", "balls_slow_down",
                             "balls_split", "balls_super", "barrier", "arbalest", "ballista", "hammer"})
        models.push_back({std::string("bonuses/") + kind, kAnimated});
    for (const char* part : {"hardware_0", "hardware_1", "rope_0", "rope_1", "rope_2"})
        models.push_back({std::string("barrier/") + part, kAnimated});
    return models;
}

// The objects show, hide and light their copies as they need; what they
// copy is solid: shown, depth-tested, lit and culled as the engine's boxes.
TEST_F(ObjectData, EveryModelTheObjectsLookUpIsListedSolidWithTheFramesTheyPlay)
{
    const u32 solid = Model::kVisible | Model::kFirstList | Model::kCullClockwise | Model::kDepthTest | Model::kLit;
    for (const Listed& listed : ListedModels()) {
        SCOPED_TRACE(listed.name);
        const Model& model = *data.GetModel(listed.name);
        EXPECT_EQ(model.GetFlags() & solid, solid);
        const u32 frames = model.GetAnimationControl().GetFrameCount();
        if (listed.frames == kAnimated)
            EXPECT_GT(frames, 1u);
        else
            EXPECT_EQ(frames, listed.frames);
    }
    EXPECT_THAT(Errors(), IsEmpty());
}

TEST_F(ObjectData, EveryEffectAndFlareTheObjectsLookUpIsListed)
{
    for (const char* name :
         {"bat/destruction", "balls/simple/train", "balls/super/train", "balls/simple/hit", "balls/super/hit",
          "bonuses/catch", "bonuses/end_level_creation", "guns/arbalet/bullet_train", "guns/arbalet/bullet_destruction",
          "guns/ballista/bullet_train", "guns/ballista/bullet_destruction"}) {
        SCOPED_TRACE(name);
        EXPECT_GT(data.GetParticleSystem(name)->GetCapacity(), 0u);
    }
    data.GetShaderUser("balls/flare");
    data.GetShaderUser("bonuses/flare");
    EXPECT_THAT(Errors(), IsEmpty());
}

// A ball's radius is the smallest half size of its model's box, and the
// ball manager puts the model's centre at the ball's.
TEST_F(ObjectData, TheBallsAreSpheresOfTheirRadiiRoundTheirCentre)
{
    for (const auto& [name, radius] : {std::pair{"balls/simple/model", 2.0f}, std::pair{"balls/super/model", 2.5f}}) {
        SCOPED_TRACE(name);
        const Halvard::BoundingBox& box = data.GetModel(name)->boundingBox;
        const Vector3 half = box.GetHalfSize();
        EXPECT_NEAR(std::min({half.x, half.y, half.z}), radius, 1e-4f);
        EXPECT_NEAR(std::max({half.x, half.y, half.z}), radius, 1e-4f);
        EXPECT_NEAR(box.GetCenter().Length(), 0.0f, 1e-4f);
    }
}

// The bat follows the mouse from h to 150 - h, h the head's half width: the
// head stretches by its frame and stays narrower than the field.
TEST_F(ObjectData, TheHeadStretchesByItsFrameAndStaysNarrowerThanTheField)
{
    Model* head = Copy("bat/head");
    for (const float frame : {0.0f, 20.0f, 45.5f, 60.0f}) {
        SCOPED_TRACE(frame);
        EXPECT_FLOAT_EQ(BoxAt(head, frame).GetHalfSize().x, 10.0f + frame / 2.0f);
    }
    EXPECT_LT(BoxAt(head, 60.0f).GetHalfSize().x, 75.0f);
    engine->GetModelManager()->DestroyModel(head);
}

// Behind the bat, whose collision box the ball manager lowers by 3, and in
// front of the line where a ball is lost (y + radius below -100).
TEST_F(ObjectData, TheFirstRopeLiesBetweenTheBatsCollisionBoxAndTheLossLine)
{
    const float batY = -85.0f;
    const float collisionLow = batY + data.GetModel("bat/head")->boundingBox.GetLocalMin().y - 3.0f;
    const Halvard::BoundingBox& rope = data.GetModel("barrier/rope_0")->boundingBox;
    EXPECT_LT(rope.GetLocalMax().y, collisionLow);
    EXPECT_GT(rope.GetLocalMin().y, -100.0f);
    EXPECT_LE(rope.GetLocalMin().x, -75.0f);
    EXPECT_GE(rope.GetLocalMax().x, 75.0f);
}

// The hammer is drawn in the GUI's 800 x 600 units over the cursor: some
// tens of units, raised at rest and down on the cursor at the swing's end.
TEST_F(ObjectData, TheHammerIsTensOfGuiUnitsAndStrikesTheCursorAtTheSwingsBottom)
{
    Model* hammer = Copy("hammer/model");
    const Halvard::BoundingBox& down = BoxAt(hammer, 4.0f);
    EXPECT_NEAR(down.GetLocalMin().y, 0.0f, 1e-4f);
    EXPECT_LE(down.GetLocalMin().x, 0.0f);
    EXPECT_GE(down.GetLocalMax().x, 0.0f);
    for (const float size : {down.GetHalfSize().x * 2.0f, down.GetHalfSize().y * 2.0f}) {
        EXPECT_GT(size, 20.0f);
        EXPECT_LT(size, 150.0f);
    }
    EXPECT_GT(BoxAt(hammer, 0.0f).GetLocalMin().y, 10.0f);
    engine->GetModelManager()->DestroyModel(hammer);
}

// Seen through the level's camera from (0, -140, 98), whose view ends near
// y -85 on the field: each part of the bat at its place and a ball on the
// field change the pixels they project to, so they are in view, in front of
// the floor and drawn.
TEST_F(ObjectData, TheBatsPartsAndABallShowWhereTheLevelsCameraLooks)
{
    const Tamrisk::LevelManager levels(&engine.Get());
    Testing::LevelScene scene(engine.Get(), data, *levels.GetGameStage(0), *levels.GetGameLevel({0, 0}));
    const Vector3 bat(0.0f, -85.0f, 0.0f);
    std::vector<Model*> models;
    for (const char* name : {"bat/head", "bat/body", "bat/screw", "balls/simple/model"})
        models.push_back(Copy(name));
    models[0]->GetAnimationControl().time = 20.0f;
    const Vector3 ball(25.0f, -65.0f, 2.0f);
    for (u32 i = 0; i < models.size(); ++i) {
        Halvard::MatrixTranslation(models[i]->worldMatrix, i < 3 ? bat : ball);
        models[i]->boundingBox.SetTransform(models[i]->worldMatrix);
    }
    const auto capture = [&](bool shown, Halvard::Image& image) {
        for (Model* model : models)
            shown ? model->SetFlags(Model::kVisible) : model->ClearFlags(Model::kVisible);
        for (int frame = 0; frame < 2; ++frame) {
            scene.Camera().Update();
            engine->BeginFrame();
            engine->EndFrame(0);
        }
        engine->GetRenderSystem()->CaptureScreen(image);
    };
    Halvard::Image without;
    Halvard::Image with;
    capture(false, without);
    capture(true, with);
    const Halvard::CameraManager& cameras = *engine->GetCameraManager();
    // The top of the head's bar, the top of the craft's cabin, a blade of
    // the screw over the bar, the ball.
    for (const Vector3& point : {bat + Vector3(-12.0f, -1.5f, 5.0f), bat + Vector3(-1.2f, -5.5f, 11.0f),
                                 bat + Vector3(0.0f, -1.6f, 6.3f), ball + Vector3(0.0f, 0.0f, 1.0f)}) {
        SCOPED_TRACE(testing::Message() << point.x << ", " << point.y << ", " << point.z);
        Halvard::Vector2 screen(0.0f, 0.0f);
        cameras.ProjectPoint(screen, cameras.GetDefaultCamera(), point);
        ASSERT_GE(screen.x, 0.0f);
        ASSERT_GE(screen.y, 0.0f);
        ASSERT_LT(screen.x, static_cast<float>(with.GetWidth()));
        ASSERT_LT(screen.y, static_cast<float>(with.GetHeight()));
        // The projection counts y from the bottom, the capture's pixels from
        // the top.
        const auto x = static_cast<u32>(screen.x);
        const u32 y = with.GetHeight() - 1 - static_cast<u32>(screen.y);
        const std::vector<int> before = Testing::ScreenQuad::Pixel(without, x, y);
        const std::vector<int> after = Testing::ScreenQuad::Pixel(with, x, y);
        EXPECT_GT(std::abs(after[0] - before[0]) + std::abs(after[1] - before[1]) + std::abs(after[2] - before[2]),
                  30);
    }
    for (Model* model : models)
        engine->GetModelManager()->DestroyModel(model);
    EXPECT_THAT(Errors(), IsEmpty());
}

} // namespace
