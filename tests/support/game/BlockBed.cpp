#include "tests/support/game/BlockBed.h"

#include "engine/core/TimerManager.h"
#include "engine/render/Model.h"
#include "game/data/GameLogicData.h"
#include "game/level/Effects.h"
#include "game/objects/GameGeometry.h"
#include "game/level/Lighting.h"
#include "game/objects/Block.h"

#include "tests/support/FrameStepper.h"
#include "tests/support/game/TestLevelFile.h"

namespace Testing {

namespace {

// Score kinds 0 to 8, each worth ten times the one before.
constexpr Halvard::u32 kScoreKinds = 9;

} // namespace

Tools::LevelBlock TestBlock(const std::string& kind, float x, float z, std::vector<Halvard::u16> supports,
                            std::vector<Halvard::u16> above)
{
    Tools::LevelBlock block;
    block.name = kind;
    block.keyFrames = {Tools::LevelBlockKeyFrame{{x, 0.0f, z}, {0.0f, 0.0f, 0.0f, 1.0f}}};
    block.supports = std::move(supports);
    block.above = std::move(above);
    return block;
}

BlockBed::BlockBed(TestEngineOptions options) : engine(std::move(options))
{
    const TempFolder& folder = engine.Folder();
    folder.WriteFile("data\\game_objects\\blocks\\box.xml", "<box fragment_count=\"2\"/>\n");
    folder.WriteFile("data\\game_objects\\blocks\\wall.xml", "<wall/>\n");
    folder.WriteFile("data\\game_objects\\blocks\\hard.xml",
                     "<hard strength=\"3\"><shader frame_count=\"3\"/></hard>\n");
    folder.WriteFile("data\\game_objects\\blocks\\steel.xml", "<steel strength=\"0\"/>\n");
    folder.WriteFile("data\\game_objects\\blocks\\tough.xml",
                     "<tough strength=\"5\"><shader frame_count=\"3\"/></tough>\n");
    folder.WriteFile("data\\game_objects\\blocks\\bomb.xml", "<bomb explosive=\"1\"/>\n");
    folder.WriteFile("data\\game_objects\\blocks\\keeper.xml", "<keeper type=\"ball_keeper\"/>\n");
    folder.WriteFile("data\\environment\\lighting\\lighting.ini", "255 255 255\n0\n");
    Halvard::u32 points = 1;
    for (Halvard::u32 kind = 0; kind < kScoreKinds; ++kind, points *= 10)
        scores.AddScoreKind(kind, points);
    engine->GetTimerManager()->Update();
}

BlockBed::~BlockBed() = default;

void BlockBed::Build(std::vector<Tools::LevelBlock> blocks, Tamrisk::BonusManager* bonuses,
                     Tamrisk::BallManager* balls)
{
    level.geometryFile = WriteTestLevel(engine.Folder(), std::move(blocks));
    levelData = std::make_unique<Tamrisk::GameLogicData>(&engine.Get(), "en", &stage, &level);
    levelData->Load();
    lighting = std::make_unique<Tamrisk::Lighting>(&engine.Get(), "lighting.ini");
    effects = std::make_unique<Tamrisk::Effects>(&engine.Get(), lighting.get());
    geometry = std::make_unique<Tamrisk::GameGeometry>(&engine.Get(), &interfaceData, levelData.get(),
                                                       effects.get(), &scores, nullptr);
    geometry->BuildBlocks(bonuses, balls);
}

void BlockBed::RunFor(double seconds, const std::function<void()>& work)
{
    FrameStepper(clock, *engine->GetTimerManager(), 0.01).Run(static_cast<int>(seconds * 100.0 + 0.5), [&] {
        geometry->Update(1.0f);
        if (work)
            work();
    });
}

Tamrisk::Block& BlockBed::At(std::size_t index) { return *geometry->GetBlocks().at(index); }

bool BlockBed::Visible(const Tamrisk::Block& block)
{
    return (block.GetModel()->GetFlags() & Halvard::Model::kVisible) != 0;
}

Halvard::u32 BlockBed::Scored(Halvard::u32 kind) const
{
    Halvard::u32 total = scores.GetTotal();
    for (Halvard::u32 k = 0; k < kind; ++k)
        total /= 10;
    return total % 10;
}

} // namespace Testing
