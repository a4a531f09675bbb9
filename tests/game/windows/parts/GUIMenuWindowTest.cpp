#include "game/windows/parts/GUIMenuWindow.h"

#include "engine/gui/GUIWindow.h"
#include "game/SoundTable.h"
#include "game/windows/parts/GUIMenuWindowManager.h"
#include "tests/support/FakeEngine.h"
#include "tests/support/game/MenuWindowBed.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using Tamrisk::GUIMenuWindow;

// A menu window whose root and frame fade and start their hide late, a title
// and a slot for the first additional publisher logo.
std::string FramedWindow(const std::string& name)
{
    return "<window name=\"" + name + "\" fader=\"menu\"><window name=\"window\" fader=\"menu\" size=\"100 100\"/>"
           "<text_label name=\"title\" font=\"common_0\" text=\"'" + name + "'\" size=\"200 20\"/>"
           "<window name=\"logo_additional_0\" size=\"10 10\"/></window>";
}

// Hand-over among menu windows on the fakes: windows A, B and C framed,
// N without a frame (its only control a plain panel).
class GUIMenuWindowTest : public testing::Test {
protected:
    GUIMenuWindowTest()
    {
        engine.Start();
        Testing::MenuFixture fixture;
        fixture.descriptions = {{"faders.xml", Testing::kMenuFaders},
                                {"window_a.xml", FramedWindow("window_a")},
                                {"window_b.xml", FramedWindow("window_b")},
                                {"window_c.xml", FramedWindow("window_c")},
                                {"window_n.xml", R"(<window name="window_n" fader="menu">)"
                                                 R"(<window name="panel" fader="menu"/></window>)"}};
        bed = std::make_unique<Testing::MenuWindowBed>(engine.Get(), &engine.clock, engine.folder, fixture);
        for (const char* name : {"window_a", "window_b", "window_c", "window_n"})
            windows.push_back(std::make_unique<GUIMenuWindow>(&engine.Get(), bed->sounds.get(), bed->data.get(),
                                                              bed->tools.get(), bed->manager.get(), nullptr, name));
    }

    ~GUIMenuWindowTest() override
    {
        windows.clear();
        bed.reset();
    }

    GUIMenuWindow& A() { return *windows[0]; }
    GUIMenuWindow& B() { return *windows[1]; }
    GUIMenuWindow& C() { return *windows[2]; }
    GUIMenuWindow& N() { return *windows[3]; }

    static bool OnScreen(const GUIMenuWindow& window) { return window.GetBaseWindow()->visible; }

    int Plays(Halvard::u32 sound) const
    {
        const Testing::FakeAudioBuffer* buffer = engine.audio.Buffer(sound);
        return buffer->CountCalls("Play 0") + buffer->CountCalls("Play 1");
    }

    // Runs frames, failing any in which two windows are on screen at once;
    // the number of the first frame at whose end the window is on screen,
    // or -1.
    int RunUntilOnScreen(const GUIMenuWindow& wanted, int frames)
    {
        int first = -1;
        for (int frame = 0; frame < frames; ++frame) {
            bed->Frame();
            int onScreen = 0;
            for (const auto& window : windows)
                onScreen += OnScreen(*window) ? 1 : 0;
            EXPECT_LE(onScreen, 1) << "frame " << frame;
            if (first < 0 && OnScreen(wanted))
                first = frame;
        }
        return first;
    }

    Testing::FakeEngine engine;
    std::unique_ptr<Testing::MenuWindowBed> bed;
    std::vector<std::unique_ptr<GUIMenuWindow>> windows;
};

TEST_F(GUIMenuWindowTest, AnArrivingWindowWaitsUntilTheLeavingOneIsGoneAndEachSoundsOnceAsItComesAndGoes)
{
    A().Show(true);
    EXPECT_EQ(RunUntilOnScreen(A(), 10), 0);
    EXPECT_EQ(Plays(Tamrisk::kSoundWindowAppear), 1);
    EXPECT_EQ(Plays(Tamrisk::kSoundWindowDisappear), 0);
    EXPECT_EQ(bed->manager->GetCurrent(), &A());

    A().Show(false);
    B().Show(true);
    // The frame's hide starts 0.2 s late and fades for 0.25 s.
    const int arrival = RunUntilOnScreen(B(), 30);
    EXPECT_GE(arrival, static_cast<int>(0.45 / Testing::MenuWindowBed::kFrameSeconds) - 1);
    EXPECT_FALSE(OnScreen(A()));
    EXPECT_EQ(bed->manager->GetCurrent(), &B());
    EXPECT_EQ(Plays(Tamrisk::kSoundWindowAppear), 2);
    EXPECT_EQ(Plays(Tamrisk::kSoundWindowDisappear), 1);
    // Without a small publisher logo the logo's slot is disabled for good.
    EXPECT_FALSE(A().IsControlEnabled("window_a/logo_additional_0"));
}

TEST_F(GUIMenuWindowTest, AWindowHiddenWhileWaitingNeverTakesTheScreenAndTheNextOneStillComes)
{
    A().Show(true);
    RunUntilOnScreen(A(), 5);
    B().Show(true);
    RunUntilOnScreen(B(), 5);
    EXPECT_TRUE(B().IsShowPending());
    B().Show(false);
    EXPECT_FALSE(B().IsShowPending());

    A().Show(false);
    C().Show(true);
    EXPECT_GT(RunUntilOnScreen(C(), 40), 0);
    EXPECT_FALSE(OnScreen(B()));
    EXPECT_EQ(bed->manager->GetCurrent(), &C());
    // A and C came, A went; B never was on screen and is silent.
    EXPECT_EQ(Plays(Tamrisk::kSoundWindowAppear), 2);
    EXPECT_EQ(Plays(Tamrisk::kSoundWindowDisappear), 1);
}

TEST_F(GUIMenuWindowTest, AWindowWithoutAFrameIsSilentAndHidingAHiddenWindowChangesNothing)
{
    N().Show(false);
    RunUntilOnScreen(N(), 3);
    EXPECT_TRUE(bed->manager->IsFree());

    N().Show(true);
    EXPECT_EQ(RunUntilOnScreen(N(), 5), 0);
    // Nothing of N's is left to wait for: the screen passes at once.
    N().Show(false);
    A().Show(true);
    EXPECT_EQ(RunUntilOnScreen(A(), 5), 0);
    EXPECT_FALSE(OnScreen(N()));
    // A's arrival is the only sound.
    EXPECT_EQ(Plays(Tamrisk::kSoundWindowAppear), 1);
    EXPECT_EQ(Plays(Tamrisk::kSoundWindowDisappear), 0);
}

TEST_F(GUIMenuWindowTest, WhileTheScreenIsHeldByNoWindowNoMenuWindowComes)
{
    bed->manager->Acquire(nullptr);
    A().Show(true);
    EXPECT_EQ(RunUntilOnScreen(A(), 10), -1);
    EXPECT_TRUE(A().IsShowPending());
    bed->manager->Release();
    EXPECT_EQ(RunUntilOnScreen(A(), 3), 0);
}

} // namespace
