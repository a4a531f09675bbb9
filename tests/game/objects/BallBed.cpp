#include "tests/game/objects/BallBed.h"

#include "engine/core/Random.h"
#include "engine/core/StringUtils.h"
#include "engine/gui/GUIManager.h"
#include "engine/sound/SoundManager.h"
#include "game/SoundTable.h"
#include "tests/game/objects/LevelObjectsBed.h"
#include "tests/support/game/TestLevelFile.h"
#include "tools/FieldWriter.h"

#include <cmath>

namespace Testing {

using Halvard::u32;
using Halvard::Vector2;
using Halvard::Vector3;

namespace {

Tools::FieldBox Wall(std::array<float, 3> min, std::array<float, 3> max)
{
    Tools::FieldBox box;
    box.min = min;
    box.max = max;
    return box;
}

} // namespace

BallBed::BallBed(Options options) : lives(options.lives)
{
    WriteFiles(options.blocks);
    engine.Start();
    Halvard::SetRandomSeed(41);
    // The game's virtual screen, which the bat reads the cursor on.
    engine->GetGUIManager()->SetSize(800.0f, 600.0f);

    data = std::make_unique<GameTools::DataKeeper>(&engine.Get(), "en", false);
    const float r = options.ballRadius;
    AddBoxModel(engine.Get(), *data, "balls/simple/model", Vector3(-r), Vector3(r));
    const float s = options.ballRadius * kSuperRadius / kBallRadius;
    AddBoxModel(engine.Get(), *data, "balls/super/model", Vector3(-s), Vector3(s));
    AddBoxModel(engine.Get(), *data, "bat/head", Vector3(-kBatHalfWidth, -2.0f, -2.0f),
                Vector3(kBatHalfWidth, 2.0f, 2.0f));
    for (u32 i = 0; i < Tamrisk::Barrier::kMaxStrength; ++i)
        AddBoxModel(engine.Get(), *data, "barrier/rope_" + Halvard::UIntToString(i),
                    Vector3(-80.0f, -96.0f - i, 0.0f), Vector3(80.0f, -94.0f - i, 1.0f));

    levelData = std::make_unique<Tamrisk::GameLogicData>(&engine.Get(), "en", &stage, &level);
    levelData->Load();
    effects = std::make_unique<Tamrisk::Effects>(&engine.Get(), nullptr);
    field = std::make_unique<Tamrisk::GameField>(&engine.Get(), "field.tkf");
    geometry = std::make_unique<Tamrisk::GameGeometry>(&engine.Get(), data.get(), levelData.get(), effects.get(),
                                                       nullptr, nullptr);
    sounds = std::make_unique<GameFramework::SoundSet>(&engine.Get(), 0.5f, 0.5f);
    // One copy of every effect, in the order of their numbers: sound i plays
    // through the device's buffer i.
    for (u32 id = 0; id <= Tamrisk::kSoundHammer; ++id)
        sounds->AddSound(id, "", false, 1);
    bat = std::make_unique<Tamrisk::Bat>(&engine.Get(), data.get(), effects.get(), sounds.get());
    barrier = std::make_unique<Tamrisk::Barrier>(&engine.Get(), data.get(), effects.get(), sounds.get());
    balls = std::make_unique<Tamrisk::BallManager>(&engine.Get(), data.get(), effects.get(), field.get(),
                                                   geometry.get(), bat.get(), barrier.get(), sounds.get(), lives);
    // As the game does: the ball keepers take the ball manager.
    geometry->BuildBlocks(nullptr, balls.get());
}

// The ball keepers hold the ball manager: the blocks go first.
BallBed::~BallBed()
{
    geometry.reset();
    balls.reset();
    barrier.reset();
    bat.reset();
    sounds.reset();
    field.reset();
    effects.reset();
}

void BallBed::WriteFiles(const std::vector<Tools::LevelBlock>& blocks)
{
    // Side walls from y -100 to 130 with their inner faces at x -80 and 80,
    // and the far wall's inner face at y 120.
    const std::vector<Tools::FieldBox> walls = {Wall({-90.0f, -100.0f, 0.0f}, {-80.0f, 130.0f, 8.0f}),
                                                Wall({80.0f, -100.0f, 0.0f}, {90.0f, 130.0f, 8.0f}),
                                                Wall({-90.0f, 120.0f, 0.0f}, {90.0f, 130.0f, 8.0f})};
    const std::vector<std::uint8_t> fieldBytes = Tools::BuildFieldFile(walls);
    engine.folder.WriteFile("data\\environment\\field.tkf", std::string(fieldBytes.begin(), fieldBytes.end()));
    engine.folder.WriteFile("data\\game_objects\\blocks\\box.xml", "<box/>\n");
    engine.folder.WriteFile("data\\game_objects\\blocks\\steel.xml", "<steel strength=\"0\"/>\n");
    engine.folder.WriteFile("data\\game_objects\\blocks\\keeper.xml", "<keeper type=\"ball_keeper\"/>\n");
    level.geometryFile = WriteTestLevel(engine.folder, blocks);
}

Tools::LevelBlock BallBed::Box(float x, float y, float turn, std::array<float, 3> scale, const std::string& kind)
{
    Tools::LevelBlock block;
    block.name = kind;
    block.scale = scale;
    const float half = turn * 0.5f;
    block.keyFrames = {Tools::LevelBlockKeyFrame{{x, y, scale[2]}, {0.0f, 0.0f, std::sin(half), std::cos(half)}}};
    return block;
}

void BallBed::Frame(double seconds, float scale, bool batFollowsMouse)
{
    engine.Step(seconds);
    bat->Update(batFollowsMouse ? scale : 0.0f);
    balls->Update(lives, scale);
    engine->GetSoundManager()->Update(true);
}

void BallBed::Frames(int count, double seconds, float scale)
{
    for (int i = 0; i < count; ++i)
        Frame(seconds, scale);
}

void BallBed::RaiseBat()
{
    Frames(150, 0.02);
}

Tamrisk::Ball* BallBed::Throw(const Vector2& position, const Vector2& direction, u32 type)
{
    Tamrisk::Ball* ball = balls->AddBall(type);
    ball->Release();
    ball->SetPosition(position);
    ball->SetDirection(direction);
    ball->Update(1.0f);
    return ball;
}

int BallBed::Plays(u32 sound) const
{
    const FakeAudioBuffer* buffer = engine.audio.Buffer(sound);
    return buffer->CountCalls("Play 0") + buffer->CountCalls("Play 1");
}

} // namespace Testing
