#include "engine/gui/GUISoundManager.h"

#include "engine/core/TimerManager.h"
#include "engine/sound/Sound.h"
#include "tools/SoundWriter.h"
#include "tests/support/SoundTestBed.h"
#include "tests/support/FakeClock.h"
#include "tests/support/ScopedClock.h"

#include <gtest/gtest.h>

using namespace Halvard;
using namespace Testing;

namespace {

// The GUI's sounds on the fake sound device, timed by a clock the test moves.
// The main timer starts at 0 like every entry's last start, so each test
// moves the clock on before its first play.
class GUISoundManagerTest : public SoundTestBed {
protected:
    GUISoundManagerTest() : scoped(clock)
    {
        StartSound();
        WriteSound("a.wav", Tools::MakeWav(1, 22050, 16, std::string(400, '\x10')));
        WriteSound("b.wav", Tools::MakeWav(1, 22050, 16, std::string(400, '\x20')));
        timers = std::make_unique<TimerManager>();
        gui = std::make_unique<GUISoundManager>(timers.get(), manager.get());
    }

    // How often the recording has been started on the device.
    int Starts(const GUISoundEntry* entry) const
    {
        for (u32 index = 0; index < manager->GetSoundCount(); ++index) {
            if (manager->GetSound(index) == entry->sound)
                return driver.Buffer(index)->CountCalls("Play 0");
        }
        return -1;
    }

    FakeClock clock;
    ScopedClock scoped;
    std::unique_ptr<TimerManager> timers;
    std::unique_ptr<GUISoundManager> gui;
};

} // namespace

TEST_F(GUISoundManagerTest, RecordingsOfOneIdTakeTurns)
{
    gui->AddSound(0, "a.wav");
    gui->AddSound(0, "b.wav");
    const auto entries = gui->GetEntries(0);
    ASSERT_EQ(entries.size(), 2u);
    const int expected[][2] = {{1, 0}, {1, 1}, {2, 1}, {2, 2}};
    for (const auto& starts : expected) {
        clock.Advance(0.1);
        gui->Play(0);
        EXPECT_EQ(Starts(entries[0]), starts[0]);
        EXPECT_EQ(Starts(entries[1]), starts[1]);
    }
    EXPECT_FLOAT_EQ(entries[1]->lastStart, 0.4f);
}

TEST_F(GUISoundManagerTest, AnIdStartsAgainOnlyTenMillisecondsAfterItsLastStart)
{
    gui->AddSound(1, "a.wav");
    gui->AddSound(1, "b.wav");
    const auto entries = gui->GetEntries(1);
    clock.Advance(0.5);
    gui->Play(1);
    gui->Play(1);
    EXPECT_EQ(Starts(entries[0]) + Starts(entries[1]), 1);
    clock.Advance(0.005);
    gui->Play(1);
    EXPECT_EQ(Starts(entries[0]) + Starts(entries[1]), 1);
    clock.Advance(0.006);
    gui->Play(1);
    EXPECT_EQ(Starts(entries[0]) + Starts(entries[1]), 2);
}

TEST_F(GUISoundManagerTest, NothingPlaysBeforeTheClockLeavesTheFirstLastStart)
{
    gui->AddSound(2, "a.wav");
    gui->Play(2);
    EXPECT_EQ(Starts(gui->GetEntries(2)[0]), 0);
}

TEST_F(GUISoundManagerTest, UnknownIdsAndAMissingSoundManagerPlayNothing)
{
    gui->AddSound(3, "a.wav");
    clock.Advance(1.0);
    gui->Play(4);
    EXPECT_EQ(Starts(gui->GetEntries(3)[0]), 0);
    EXPECT_TRUE(gui->GetEntries(4).empty());

    GUISoundManager silent(timers.get(), nullptr);
    silent.AddSound(3, "a.wav");
    silent.Play(3);
    EXPECT_TRUE(silent.GetEntries(3).empty());
}

TEST_F(GUISoundManagerTest, RecordingsTakeTheVolumeAndAreDestroyedWithTheManager)
{
    gui->AddSound(5, "a.wav");
    EXPECT_FLOAT_EQ(gui->GetEntries(5)[0]->sound->GetVolume(), 1.0f);
    EXPECT_EQ(manager->GetSoundCount(), 1u);
    gui.reset();
    EXPECT_EQ(manager->GetSoundCount(), 0u);
}

