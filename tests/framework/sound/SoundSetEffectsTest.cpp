#include "engine/sound/Sound.h"
#include "engine/sound/SoundUtils.h"
#include "tests/framework/sound/SoundSetBed.h"

#include <vector>

using Halvard::u32;

namespace Testing {
namespace {

class SoundSetEffectsTest : public SoundSetBed {
protected:
    // Plays of the sounds in the order they were made.
    std::vector<int> AllPlays()
    {
        std::vector<int> plays;
        for (u32 i = 0; i < Sounds()->GetSoundCount(); ++i)
            plays.push_back(Plays(Sounds()->GetSound(i)));
        return plays;
    }
};

TEST_F(SoundSetEffectsTest, CopiesTakeTurnsAndTheFourthCallRestartsTheCopyStartedFirst)
{
    Make();
    set->AddSound(8, "", false, 3);
    for (int call = 0; call < 4; ++call) {
        set->PlaySound(8);
        Flush();
        engine.Step(0.05);
    }
    EXPECT_EQ(AllPlays(), (std::vector<int>{2, 1, 1}));
}

TEST_F(SoundSetEffectsTest, PlaysWaitForTheSoundManagersNextFlush)
{
    Make();
    set->AddSound(8, "", false, 1);
    set->PlaySound(8);
    EXPECT_EQ(Sounds()->GetRequestCount(), 1u);
    EXPECT_EQ(set->GetSoundState(8), u32{Halvard::kSoundStopped});
    Flush();
    EXPECT_EQ(set->GetSoundState(8), u32{Halvard::kSoundPlaying});
}

TEST_F(SoundSetEffectsTest, AStartWithinTwoHundredthsOfASecondOfAnyCopysStartIsDropped)
{
    struct Case {
        double gap;
        std::vector<int> plays;
    };
    const Case cases[] = {{0.0, {1, 0, 0}}, {0.015, {1, 0, 0}}, {0.025, {1, 1, 0}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.gap);
        FakeEngine fresh;
        fresh.Start();
        GameFramework::SoundSet own(&fresh.Get(), 0.285f, 0.315f);
        own.AddSound(3, "", false, 3);
        fresh.Step(1.0);
        own.PlaySound(3);
        fresh.Step(c.gap);
        own.PlaySound(3);
        fresh->GetSoundManager()->Update(true);
        std::vector<int> plays;
        for (u32 i = 0; i < 3; ++i)
            plays.push_back(fresh.audio.Buffer(i)->CountCalls("Play 0"));
        EXPECT_EQ(plays, c.plays);
    }
}

TEST_F(SoundSetEffectsTest, ACopyNeverStartedBlocksNothingInTheTimersFirstMoments)
{
    Make();
    set->AddSound(5, "", false, 1);
    engine.Step(0.005);
    set->PlaySound(5);
    Flush();
    EXPECT_EQ(AllPlays(), (std::vector<int>{1}));
}

TEST_F(SoundSetEffectsTest, ALoopingCopyThatPlaysGoesOnButItsStartTimeIsRenewed)
{
    Make();
    set->AddSound(0, "", true, 1);
    set->PlaySound(0);
    Flush();
    engine.Step(0.05);
    set->PlaySound(0);
    EXPECT_EQ(Sounds()->GetRequestCount(), 0u);
    Flush();
    EXPECT_EQ(AllPlays(), (std::vector<int>{1}));

    // Stopped just after the renewed start, it cannot start again within
    // 0.02 s of it.
    set->StopSound(0);
    Flush();
    engine.Step(0.015);
    set->PlaySound(0);
    Flush();
    EXPECT_EQ(set->GetSoundState(0), u32{Halvard::kSoundStopped});
    engine.Step(0.01);
    set->PlaySound(0);
    Flush();
    EXPECT_EQ(set->GetSoundState(0), u32{Halvard::kSoundPlaying});
    EXPECT_EQ(AllPlays(), (std::vector<int>{2}));
}

TEST_F(SoundSetEffectsTest, EffectsAreFoundByIdWhateverTheOrderTheyWereRegisteredIn)
{
    Make();
    set->AddSound(2, "", false, 1);
    set->AddSound(3, "", false, 1);
    set->AddSound(0, "", true, 1);
    set->PlaySound(0);
    Flush();
    EXPECT_EQ(AllPlays(), (std::vector<int>{0, 0, 1}));
    EXPECT_EQ(set->GetSoundState(0), u32{Halvard::kSoundPlaying});
    EXPECT_EQ(set->GetSoundState(2), u32{Halvard::kSoundStopped});
}

TEST_F(SoundSetEffectsTest, StopStopsEveryCopyOfTheIdAtTheNextFlush)
{
    Make();
    set->AddSound(8, "", false, 2);
    set->AddSound(9, "", false, 1);
    set->PlaySound(8);
    set->PlaySound(9);
    engine.Step(0.05);
    set->PlaySound(8);
    Flush();
    set->StopSound(8);
    Flush();
    EXPECT_EQ(Sounds()->GetSound(0)->GetState(), u32{Halvard::kSoundStopped});
    EXPECT_EQ(Sounds()->GetSound(1)->GetState(), u32{Halvard::kSoundStopped});
    EXPECT_EQ(Sounds()->GetSound(2)->GetState(), u32{Halvard::kSoundPlaying});
}

TEST_F(SoundSetEffectsTest, AnUnknownIdIsIgnoredAndReportsStopped)
{
    Make();
    set->AddSound(8, "", false, 1);
    set->PlaySound(99);
    set->StopSound(99);
    EXPECT_EQ(Sounds()->GetRequestCount(), 0u);
    EXPECT_EQ(set->GetSoundState(99), u32{Halvard::kSoundStopped});
}

} // namespace
} // namespace Testing
