#include "engine/render/ParticleSystem.h"

#include "engine/core/Error.h"
#include "engine/core/FileManager.h"
#include "engine/core/MessageManager.h"
#include "engine/core/Random.h"
#include "engine/core/TimerManager.h"
#include "engine/render/ParticleSystemManager.h"
#include "engine/render/SpriteGroup.h"
#include "engine/render/SpriteGroupManager.h"
#include "tests/support/FakeClock.h"
#include "tests/support/FakeSpriteServices.h"
#include "tests/support/FrameStepper.h"
#include "tests/support/LogProbe.h"
#include "tests/support/QuietLog.h"
#include "tests/support/ScopedClock.h"
#include "tests/support/ScopedProgramFolder.h"
#include "tests/support/TempFolder.h"
#include "tools/ParticleWriter.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

namespace {

using namespace Halvard;
using Tools::ParticleSystemDescription;
using testing::HasSubstr;

// Frames of 1/16 s: exact in binary, so cycle ends and emission counts fall
// on the frames the keys say.
constexpr double kFrame = 0.0625;

class ParticleSystemTest : public testing::Test {
protected:
    ParticleSystemTest() { timers.Update(); }

    // A description that emits nothing on its own: tests switch on what they need.
    static ParticleSystemDescription Quiet()
    {
        ParticleSystemDescription d;
        d.gravityOn = false;
        d.floorOn = false;
        d.emission.fill(0.0f);
        d.lifetimeCentre.fill(100.0f);
        return d;
    }

    static ParticleSystemDescription Burst(float count)
    {
        ParticleSystemDescription d = Quiet();
        d.interpolatedEmission = false;
        d.emission[0] = count;
        return d;
    }

    std::string Write(const std::string& name, const std::vector<std::uint8_t>& bytes)
    {
        folder.WriteFile("data\\particles\\" + name, std::string(bytes.begin(), bytes.end()));
        return "particles\\" + name;
    }

    std::string Write(const std::string& name, const ParticleSystemDescription& d,
                      std::uint32_t version = Tools::kParticleFileVersion)
    {
        return Write(name, Tools::BuildParticleFile(d, version));
    }

    // A registered copy of the file's system, visible and emitting.
    ParticleSystem& Start(const std::string& path)
    {
        templates.emplace_back(particles.NewParticleSystemFromFile(path, nullptr));
        ParticleSystem* system = particles.CopyParticleSystem(*templates.back());
        system->SetVisible(true);
        system->emissionTime = 0.0f;
        system->emitting = true;
        return *system;
    }

    void RunFrames(int frames, double step = kFrame)
    {
        Testing::FrameStepper(clock, timers, step).Run(frames, [this] { particles.Update(); });
    }

    std::vector<std::string> Errors() const { return Testing::LogProbe(messages).Texts(MessageManager::kError); }

    Testing::FakeClock clock;
    Testing::ScopedClock scopedClock{clock};
    TimerManager timers;
    Testing::TempFolder folder;
    Testing::ScopedProgramFolder programFolder{folder.Path()};
    Testing::QuietLog messages;
    FileManager files{&messages, folder.Internal(), ""};
    Testing::FakeSpriteServices services;
    SpriteGroupManager sprites{&messages, &services};
    ParticleSystemManager particles{&messages, &files, &timers, &sprites};
    std::vector<std::unique_ptr<ParticleSystem>> templates;
};

TEST_F(ParticleSystemTest, AOneShotCycleStopsWhenItsTimeIsUpAndItsParticlesDieOut)
{
    ParticleSystemDescription d = Quiet();
    d.interpolatedEmission = true;
    d.emission.fill(16.0f);
    d.lifetimeCentre.fill(0.5f);
    ParticleSystem& system = Start(Write("one_shot.psf", d));
    RunFrames(15);
    EXPECT_TRUE(system.emitting);
    // One a frame, each aged in the frame of its birth: the eighth frame of
    // its life reaches the lifetime.
    EXPECT_EQ(system.liveCount, 7u);
    RunFrames(1);
    EXPECT_FALSE(system.emitting);
    EXPECT_EQ(system.emissionTime, 0.0f);
    RunFrames(8);
    EXPECT_EQ(system.liveCount, 0u);
}

TEST_F(ParticleSystemTest, ALoopingCycleWrapsItsEmissionTime)
{
    ParticleSystemDescription d = Quiet();
    d.duration = 0.25f;
    ParticleSystem& system = Start(Write("loop.psf", d));
    system.looping = true;
    RunFrames(3, 0.1);
    EXPECT_TRUE(system.emitting);
    EXPECT_NEAR(system.emissionTime, 0.05f, 1e-4f);

    // The shortest cycle a file may hold, in the longest frame there is,
    // wraps in one step and lands inside the cycle.
    ParticleSystemDescription shortest = Quiet();
    shortest.duration = ParticleSystem::kMinDuration;
    ParticleSystem& fast = Start(Write("fast.psf", shortest));
    fast.looping = true;
    clock.Advance(0.1);
    timers.Update();
    particles.Update();
    EXPECT_TRUE(fast.emitting);
    EXPECT_GE(fast.emissionTime, 0.0f);
    EXPECT_LT(fast.emissionTime, ParticleSystem::kMinDuration);
}

TEST_F(ParticleSystemTest, InterpolatedEmissionKeepsTheFractionOwed)
{
    ParticleSystemDescription d = Quiet();
    d.emission.fill(8.0f);
    ParticleSystem& system = Start(Write("steady.psf", d));
    std::vector<u32> counts;
    for (int i = 0; i < 6; ++i) {
        RunFrames(1);
        counts.push_back(system.liveCount);
    }
    EXPECT_EQ(counts, (std::vector<u32>{0, 1, 1, 2, 2, 3}));
}

TEST_F(ParticleSystemTest, BurstKeysEmitOncePerCycle)
{
    ParticleSystem& once = Start(Write("burst.psf", Burst(5.0f)));
    RunFrames(1);
    EXPECT_EQ(once.liveCount, 5u);
    RunFrames(14);
    EXPECT_EQ(once.liveCount, 5u);

    ParticleSystem& again = Start(Write("burst.psf", Burst(5.0f)));
    again.looping = true;
    RunFrames(17);
    EXPECT_EQ(again.liveCount, 10u);
    EXPECT_EQ(once.liveCount, 5u);
}

TEST_F(ParticleSystemTest, AStoppedSystemStartsAFreshCycleWithNothingOwed)
{
    // A burst key fires again only in a fresh cycle; half a particle a frame
    // is owed until the next frame makes it whole.
    ParticleSystem& burst = Start(Write("burst.psf", Burst(5.0f)));
    ParticleSystemDescription halfDescription = Quiet();
    halfDescription.emission.fill(8.0f);
    ParticleSystem& half = Start(Write("half.psf", halfDescription));
    RunFrames(2);
    ASSERT_EQ(burst.liveCount, 5u);
    ASSERT_EQ(half.liveCount, 1u);
    RunFrames(1);
    for (ParticleSystem* system : {&burst, &half}) {
        system->Stop();
        EXPECT_FALSE(system->emitting);
        EXPECT_FALSE(system->IsVisible());
        EXPECT_EQ(system->emissionTime, 0.0f);
        system->SetVisible(true);
        system->emitting = true;
    }
    RunFrames(1);
    EXPECT_EQ(burst.liveCount, 10u);
    EXPECT_EQ(half.liveCount, 1u);
}

TEST_F(ParticleSystemTest, EmitsNoMoreThanItsCapacity)
{
    ParticleSystemDescription d = Burst(5.0f);
    d.capacity = 3;
    ParticleSystem& system = Start(Write("small.psf", d));
    RunFrames(1);
    EXPECT_EQ(system.liveCount, 3u);
    system.Clear();
    EXPECT_EQ(system.liveCount, 0u);
    EXPECT_EQ(system.GetSpriteGroup()->GetSprite(0), nullptr);
}

TEST_F(ParticleSystemTest, AParticleStopsAfterItsNinthBounceAndThenDies)
{
    ParticleSystemDescription d = Burst(1.0f);
    d.gravityOn = true;
    d.floorOn = true;
    d.directionCentre.fill({0.0f, 0.0f, -1.0f});
    d.directionSpread = {};
    ParticleSystem& system = Start(Write("bounce.psf", d));
    int bounces = 0;
    int frames = 0;
    for (; frames < 2000; ++frames) {
        RunFrames(1);
        if (system.liveCount == 0)
            break;
        const SpriteGroup::Sprite* sprite = system.GetSpriteGroup()->GetSprite(0);
        ASSERT_NE(sprite, nullptr);
        if (sprite->position.z == -1.0f + 0.001f)
            ++bounces;
    }
    EXPECT_EQ(bounces, 9);
    EXPECT_LT(frames, 2000);
}

TEST_F(ParticleSystemTest, AHiddenSystemIsFrozen)
{
    ParticleSystem& system = Start(Write("burst.psf", Burst(2.0f)));
    system.SetVisible(false);
    RunFrames(3);
    EXPECT_EQ(system.liveCount, 0u);
    EXPECT_EQ(system.emissionTime, 0.0f);
}

TEST_F(ParticleSystemTest, ReadsBothFileVersionsAndAsksForTheShaderBesideTheFile)
{
    ParticleSystemDescription d = Burst(4.0f);
    d.capacity = 7;
    d.speedSpread.fill(1.0f);
    const std::string path = Write("old.psf", d, Tools::kOldParticleFileVersion);
    ParticleSystem old(&messages, &files, &timers, &sprites, path, nullptr);
    EXPECT_EQ(old.GetName(), path);
    EXPECT_EQ(old.GetCapacity(), 7u);
    EXPECT_EQ(services.shaderReads, std::vector<std::string>{"particles\\old.srf"});

    // Without speed spread two seeded bursts fly alike, whatever the spread
    // in the description.
    d.speedSpread.fill(0.0f);
    ParticleSystem current(&messages, &files, &timers, &sprites, Write("new.psf", d), nullptr);
    for (ParticleSystem* system : {&old, &current}) {
        SetRandomSeed(7);
        system->SetVisible(true);
        system->emitting = true;
        clock.Advance(kFrame);
        timers.Update();
        system->Update();
        system->Update();
    }
    for (u32 i = 0; i < 4; ++i) {
        const Vector3 a = old.GetSpriteGroup()->GetSprite(i)->position;
        const Vector3 b = current.GetSpriteGroup()->GetSprite(i)->position;
        EXPECT_EQ(a.x, b.x);
        EXPECT_EQ(a.y, b.y);
        EXPECT_EQ(a.z, b.z);
    }
    EXPECT_TRUE(Errors().empty());
}

TEST_F(ParticleSystemTest, UnusableFilesAreLoggedAndGiveTheBuiltInSystem)
{
    ParticleSystemDescription d = Quiet();
    auto wrongMagic = Tools::BuildParticleFile(d);
    wrongMagic[8] = 'X';
    auto wrongSize = Tools::BuildParticleFile(d);
    wrongSize.push_back(0);
    auto newVersion = Tools::BuildParticleFile(d);
    newVersion[9] = 205;
    // A version 203 header in front of a file of the current length.
    auto oldHeader = Tools::BuildParticleFile(d);
    oldHeader[9] = 203;
    ParticleSystemDescription noTime = Quiet();
    noTime.duration = 0.0f;
    ParticleSystemDescription backwards = Quiet();
    backwards.duration = -1.0f;
    ParticleSystemDescription huge = Quiet();
    huge.capacity = 0x40000000;
    // A cycle of 1e-20 s, patched into the duration's bytes after the
    // header and the capacity: looping, it would never finish a frame.
    auto tiny = Tools::BuildParticleFile(Quiet());
    const float tinyDuration = 1e-20f;
    std::memcpy(tiny.data() + 17, &tinyDuration, sizeof tinyDuration);

    const std::vector<std::string> paths = {
        Write("magic.psf", wrongMagic),      Write("size.psf", wrongSize),      Write("old_header.psf", oldHeader),
        Write("no_time.psf", noTime),        Write("backwards.psf", backwards), Write("huge.psf", huge),
        Write("tiny_time.psf", tiny)};
    for (const std::string& path : paths) {
        std::unique_ptr<ParticleSystem> system(particles.NewParticleSystemFromFile(path, nullptr));
        EXPECT_EQ(system->GetName(), "self_made") << path;
        EXPECT_EQ(system->GetCapacity(), 100u) << path;
        EXPECT_THAT(Errors().back(), HasSubstr("Incorrect \"" + path + "\" file format"));
    }

    const std::string versionPath = Write("version.psf", newVersion);
    EXPECT_THROW(ParticleSystem(&messages, &files, &timers, &sprites, versionPath, nullptr), Error);
    EXPECT_THAT(Errors().back(), HasSubstr("Incorrect \"" + versionPath + "\" format version, current is 204"));

    std::unique_ptr<ParticleSystem> missing(particles.NewParticleSystemFromFile("particles\\none.psf", nullptr));
    EXPECT_EQ(missing->GetName(), "self_made");
    EXPECT_EQ(Errors().size(), paths.size() + 2);
    EXPECT_TRUE(services.shaderReads.empty());
}

TEST_F(ParticleSystemTest, TheManagerSimulatesAndDestroysOnlyItsCopies)
{
    std::unique_ptr<ParticleSystem> made(particles.NewParticleSystem(nullptr));
    made->SetVisible(true);
    made->emitting = true;
    const std::size_t canvases = services.canvases.size();
    ParticleSystem* copy = particles.CopyParticleSystem(*made);
    // Only the copy's group and model are in the managers' tables: a
    // template can be read while the main thread draws.
    EXPECT_FALSE(services.canvases.front()->registered);
    EXPECT_TRUE(services.canvases.back()->registered);
    EXPECT_EQ(sprites.GetGroups().GetCount(), 1u);
    EXPECT_EQ(copy->GetName(), "self_made");
    copy->SetVisible(true);
    copy->emitting = true;
    RunFrames(4);
    EXPECT_EQ(made->liveCount, 0u);
    EXPECT_GT(copy->liveCount, 0u);

    particles.DestroyParticleSystem(made.get());
    particles.DestroyParticleSystem(nullptr);
    EXPECT_EQ(services.canvases.size(), canvases + 1);
    particles.DestroyParticleSystem(copy);
    EXPECT_EQ(services.canvases.size(), canvases);
    EXPECT_EQ(particles.GetSystems().GetCount(), 0u);
}

// The positions, sizes and colours of a seeded burst from a box, falling onto
// the floor, frame by frame, against the values recorded when the simulation
// was last changed on purpose. TAMRISK_RECORD_SNAPSHOTS=1 records them anew.
TEST_F(ParticleSystemTest, ASeededBurstMatchesItsRecordedSnapshot)
{
    ParticleSystemDescription d = Burst(6.0f);
    d.capacity = 8;
    d.gravityOn = true;
    d.gravity = 0.2f;
    d.floorOn = true;
    d.floorHeight = -0.5f;
    d.lifetimeCentre.fill(1.5f);
    d.lifetimeSpread.fill(0.5f);
    d.directionCentre.fill({0.0f, 0.0f, 1.0f});
    d.directionSpread.fill({0.5f, 0.5f, 0.2f});
    d.directionCentre[3] = {0.0f, 0.0f, 0.0f};
    d.directionSpread[3] = {0.0f, 0.0f, 0.0f};
    d.speedCentre = {0.05f, 0.04f, 0.03f, 0.02f, 0.01f, 0.0f};
    d.speedSpread.fill(0.01f);
    d.size = {0.1f, 0.2f, 0.3f, 0.2f, 0.1f, 0.0f};
    d.color = {std::array<float, 4>{1.0f, 1.0f, 0.5f, 1.0f}, {1.0f, 0.8f, 0.3f, 0.9f}, {1.0f, 0.6f, 0.2f, 0.7f},
               {0.8f, 0.4f, 0.1f, 0.5f}, {0.5f, 0.2f, 0.0f, 0.3f}, {0.2f, 0.1f, 0.0f, 0.0f}};
    d.emitterShape = 1;
    ParticleSystem& system = Start(Write("snapshot.psf", d));
    system.SetPosition(Vector3(1.0f, 2.0f, 0.0f));
    SetRandomSeed(12345);

    std::ostringstream actual;
    actual.precision(9);
    for (int frame = 1; frame <= 24; ++frame) {
        RunFrames(1);
        actual << "frame " << frame << " live " << system.liveCount << "\n";
        for (u32 i = 0; i < system.GetCapacity(); ++i) {
            const SpriteGroup::Sprite* s = system.GetSpriteGroup()->GetSprite(i);
            if (s != nullptr)
                actual << i << ' ' << s->position.x << ' ' << s->position.y << ' ' << s->position.z << ' ' << s->size
                       << ' ' << s->color.x << ' ' << s->color.y << ' ' << s->color.z << ' ' << s->color.w << "\n";
        }
    }

    const std::string snapshot = std::string(TAMRISK_TESTS_SOURCE_DIR) + "/engine/render/data/particle_burst.txt";
    if (const char* record = std::getenv("TAMRISK_RECORD_SNAPSHOTS"); record != nullptr && record[0] == '1') {
        std::ofstream(snapshot) << actual.str();
        GTEST_SKIP() << "recorded " << snapshot;
    }
    std::ifstream recordedFile(snapshot);
    ASSERT_TRUE(recordedFile) << snapshot;
    std::istringstream actualLines(actual.str());
    std::string expectedLine;
    std::string actualLine;
    int line = 0;
    while (std::getline(recordedFile, expectedLine)) {
        ++line;
        ASSERT_TRUE(std::getline(actualLines, actualLine)) << "snapshot line " << line << " missing";
        std::istringstream expectedWords(expectedLine);
        std::istringstream actualWords(actualLine);
        std::string expectedWord;
        std::string actualWord;
        while (expectedWords >> expectedWord) {
            ASSERT_TRUE(actualWords >> actualWord) << "line " << line;
            const bool numeric = expectedWord.find_first_of("0123456789") == 0 ||
                                 (expectedWord[0] == '-' && expectedWord.size() > 1);
            if (numeric)
                EXPECT_NEAR(std::stod(actualWord), std::stod(expectedWord), 1e-4) << "line " << line;
            else
                EXPECT_EQ(actualWord, expectedWord) << "line " << line;
        }
    }
    EXPECT_FALSE(std::getline(actualLines, actualLine)) << "more lines than the snapshot";
    EXPECT_GT(line, 24);
}

} // namespace
