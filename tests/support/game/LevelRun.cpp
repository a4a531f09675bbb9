#include "tests/support/game/LevelRun.h"

#include "engine/app/Engine.h"
#include "engine/core/Random.h"
#include "engine/core/TimerManager.h"
#include "engine/core/Window.h"
#include "engine/gui/GUIManager.h"
#include "framework/sound/SoundSet.h"
#include "game/GameLogic.h"
#include "game/LevelManager.h"
#include "game/SoundTable.h"
#include "game/data/GameData.h"
#include "game/data/GameLogicData.h"
#include "game/objects/GameGeometry.h"
#include "game/objects/Ball.h"
#include "game/objects/BallManager.h"
#include "game/objects/Bat.h"
#include "game/objects/Block.h"
#include "game/objects/Bonus.h"
#include "game/objects/BonusManager.h"
#include "gui_tools/GUIFontTool.h"
#include "gui_tools/GUIToolManager.h"

#include "tests/support/RasterizerDiscard.h"
#include "tests/support/ScriptedInput.h"
#include "tests/support/SdlEvents.h"
#include "tests/support/TestEngine.h"
#include "tests/support/game/Autopilot.h"
#include "tests/support/game/ShippedData.h"

#include <algorithm>
#include <cmath>
#include <sstream>

namespace Testing {

namespace {

constexpr float kGuiWidth = 800.0f;
constexpr float kGuiHeight = 600.0f;

} // namespace

LevelRun::LevelRun(const LevelRunOptions& options) : options_(options)
{
    if (options.recordSounds)
        scopedAudio_.emplace(audio_);
    engine_ = std::make_unique<TestEngine>(TestEngineOptions{.stencilRequest = true,
                                                             .logEnabled = options.logEnabled,
                                                             .videoMode = "1024x768x32",
                                                             .installFolder = options.gameFolder.empty()
                                                                                ? ShippedGameFolder()
                                                                                : options.gameFolder});
    Halvard::Engine& engine = engine_->Get();
    if (!options.drawing)
        DiscardRasterizing();
    engine.GetGUIManager()->SetSize(kGuiWidth, kGuiHeight);
    Halvard::SetRandomSeed(options.seed);
    tools_ = std::make_unique<GUITools::GUIToolManager>(&engine, "en");
    tools_->GetFontTool()->LoadAdditionalFonts();
    // Every effect of the game ships as a wav file.
    sounds_ = std::make_unique<GameFramework::SoundSet>(&engine, 0.285f, 0.315f);
    for (const Tamrisk::EffectEntry& entry : Tamrisk::GetEffectTable())
        sounds_->AddSound(entry.id, std::string("audio\\") + entry.file.group + "\\" + entry.file.name + ".wav",
                          entry.looped, entry.instances);
    levels_ = std::make_unique<Tamrisk::LevelManager>(&engine);
    interfaceData_ = std::make_unique<Tamrisk::GameData>(&engine, "en");
    interfaceData_->AddResourcesFile("data\\game_objects\\resources.xml", false);
    interfaceData_->Load();
    interfaceData_->FinishLoading();
    const Tamrisk::StageRecord* stage = levels_->GetGameStage(options.stage);
    const Tamrisk::LevelRecord* level = levels_->GetGameLevel({options.stage, options.level});
    levelData_ = std::make_unique<Tamrisk::GameLogicData>(&engine, "en", stage, level);
    levelData_->AddResourcesFile("data\\environment\\" + stage->environment + "_resources.xml", false);
    levelData_->Load();
    levelData_->FinishLoading();
    Tamrisk::GameLogicSettings settings;
    settings.sounds = sounds_.get();
    settings.interfaceData = interfaceData_.get();
    settings.levelData = levelData_.get();
    settings.tools = tools_.get();
    settings.stage = stage;
    settings.level = level;
    settings.lives = options.lives;
    logic_ = std::make_unique<Tamrisk::GameLogic>(&engine, settings);
    input_ = std::make_unique<ScriptedInput>(WindowIdOf(*engine.GetWindow()));
    engine.GetTimerManager()->Update();
}

LevelRun::~LevelRun()
{
    logic_.reset();
    levelData_.reset();
    interfaceData_.reset();
    sounds_.reset();
    tools_.reset();
    input_.reset();
    engine_.reset();
    ResetInput();
}

void LevelRun::Frame()
{
    MoveBatTo(Autopilot::ChooseBatX(*logic_, options_.losing));
    if (Autopilot::WantsLaunch(*logic_))
        logic_->SetAction();
    PumpAll();
    clock_.Advance(kFrameSeconds);
    Halvard::Engine& engine = engine_->Get();
    engine.BeginFrame();
    logic_->Update();
    engine.EndFrame(0);
    ++frames_;
}

void LevelRun::Step(const std::function<void()>& windows)
{
    PumpAll();
    clock_.Advance(kFrameSeconds);
    Halvard::Engine& engine = engine_->Get();
    engine.BeginFrame();
    windows();
    logic_->Update();
    engine.EndFrame(0);
    ++frames_;
}

Halvard::u32 LevelRun::RunUntilEnd(Halvard::u32 maxFrames)
{
    const Halvard::u32 start = frames_;
    while (frames_ - start < maxFrames && logic_->GetState() == Tamrisk::GameLogic::kRunning)
        Frame();
    return frames_ - start;
}

void LevelRun::MoveBatTo(float x)
{
    const Halvard::Window& window = *engine_->Get().GetWindow();
    input_->MoveMouseTo(Autopilot::BatPixelX(x, static_cast<int>(window.GetClientWidth())),
                        static_cast<int>(window.GetClientHeight() / 2));
}

int LevelRun::CountPlays(Halvard::u32 effectId) const
{
    Halvard::u32 first = 0;
    for (const Tamrisk::EffectEntry& entry : Tamrisk::GetEffectTable()) {
        if (entry.id == effectId) {
            int plays = 0;
            for (Halvard::u32 copy = 0; copy < entry.instances; ++copy)
                plays += audio_.Buffer(first + copy)->CountCalls("Play 0");
            return plays;
        }
        first += entry.instances;
    }
    return 0;
}

std::string LevelRun::Describe() const
{
    std::ostringstream out;
    out << "frame " << frames_ << ", state " << logic_->GetState() << ", bricks left "
        << logic_->GetGeometry().GetBlocksToDestroy() << ", lives " << logic_->GetLives() << ", balls";
    for (const Tamrisk::Ball* ball : logic_->GetBalls().GetBalls())
        out << " (" << ball->GetPosition().x << ", " << ball->GetPosition().y << (ball->IsHeld() ? " held" : "")
            << ")";
    return out.str();
}

} // namespace Testing
