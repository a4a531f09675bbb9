#include "engine/app/Engine.h"
#include "engine/core/MessageManager.h"
#include "engine/core/Window.h"
#include "engine/sound/Sound.h"
#include "engine/sound/SoundManager.h"
#include "engine/sound/SoundSystem.h"
#include "engine/sound/SoundUtils.h"

#include "platform/audio/OpenALDriver.h"
#include "platform/os/Paths.h"
#include "tests/support/FakeAudioDriver.h"
#include "tests/support/FakeVideoSystem.h"
#include "tests/support/FakeWindowSystem.h"
#include "tests/support/LogProbe.h"
#include "tests/support/ScopedVideoSystem.h"
#include "tests/support/ScopedWindowSystem.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestEngine.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace Halvard;

namespace {

struct Line {
    u32 level;
    std::string text;

    bool operator==(const Line&) const = default;
};

void PrintTo(const Line& line, std::ostream* out) { *out << line.level << ":" << line.text; }

class EngineSoundTest : public ::testing::Test {
protected:
    EngineSoundTest()
    {
        Platform::SetProgramFolder(folder.Path().string());
        settings.configFolder = folder.Internal();
        settings.logFolder = folder.Internal();
        settings.defaultFullScreen = 0;
        settings.saveConfigOnExit = 0;
    }
    ~EngineSoundTest() override { Platform::SetProgramFolder(""); }

    // The entries from the first line of the sound system's start-up on, each
    // without the line end the log adds.
    static std::vector<Line> SoundLines(const MessageManager& log)
    {
        std::vector<Line> lines;
        const Testing::LogProbe probe(log);
        for (MessageManager::Entry entry : probe.Entries()) {
            if (!entry.text.empty() && entry.text.back() == '\n')
                entry.text.pop_back();
            if (!lines.empty() || entry.text == "\nInitialization of DirectSound Subsystem:")
                lines.push_back({entry.level, entry.text});
        }
        return lines;
    }

    Testing::TempFolder folder;
    Testing::FakeWindowSystem windows;
    Testing::ScopedWindowSystem windowsInstalled{windows};
    Testing::FakeVideoSystem video;
    Testing::ScopedVideoSystem videoInstalled{video};
    Testing::FakeAudioDriver audio;
    Testing::ScopedAudioDriver audioInstalled{audio};
    EngineSettings settings;
};

TEST_F(EngineSoundTest, EngineStartsWithSoundAndItsFrameEndRunsTheQueuedRequests)
{
    Engine engine(settings);
    ASSERT_NE(engine.GetSoundSystem(), nullptr);
    ASSERT_NE(engine.GetSoundManager(), nullptr);
    EXPECT_EQ(engine.GetSoundSystem()->GetSoundBufferManager(), engine.GetSoundManager()->GetBufferManager());
    EXPECT_EQ(audio.window, engine.GetWindow()->GetHandle());
    const std::vector<Line> expected = {{MessageManager::kMessage, "\nInitialization of DirectSound Subsystem:"},
                                        {MessageManager::kMessage, "...Creating a device..."},
                                        {MessageManager::kMessage, "...Set cooperative level..."},
                                        {MessageManager::kMessage, "...Create primary buffer..."},
                                        {MessageManager::kMessage, "...Set primary buffer format..."},
                                        {MessageManager::kMessage, ""}};
    EXPECT_EQ(SoundLines(*engine.GetMessageManager()), expected);

    Sound* sound = engine.GetSoundManager()->CreateSound("");
    engine.GetSoundManager()->PlaySound(sound, false);
    EXPECT_EQ(sound->GetState(), u32{kSoundStopped});
    engine.EndFrame(0);
    EXPECT_EQ(sound->GetState(), u32{kSoundPlaying});
    EXPECT_EQ(engine.GetSoundManager()->GetRequestCount(), 0u);
    ASSERT_EQ(audio.buffers.size(), 1u);
    EXPECT_TRUE(audio.Buffer(0)->playing);
}

TEST_F(EngineSoundTest, ListenerMovesAtTheFrameEndWhen3DSoundIsWanted)
{
    settings.sound3D = 1;
    Engine engine(settings);
    ASSERT_NE(engine.GetSoundSystem(), nullptr);
    EXPECT_TRUE(engine.GetSoundSystem()->Is3D());
    engine.GetSoundSystem()->SetListenerPosition(Vector3(1.0f, 2.0f, 3.0f));
    EXPECT_FALSE(audio.listenerPosition.has_value());
    engine.EndFrame(0);
    ASSERT_TRUE(audio.listenerPosition.has_value());
    EXPECT_EQ(audio.listenerPosition->x, 1.0f);
    EXPECT_EQ(audio.listenerPosition->z, 3.0f);
}

TEST_F(EngineSoundTest, DeviceThatCannotBeOpenedLeavesTheEngineSilentWithTheSystemsLinesOnly)
{
    audio.createResult = Platform::kAudioNoDriver;
    Engine engine(settings);
    EXPECT_EQ(engine.GetSoundSystem(), nullptr);
    EXPECT_EQ(engine.GetSoundManager(), nullptr);
    const std::vector<Line> expected = {{MessageManager::kMessage, "\nInitialization of DirectSound Subsystem:"},
                                        {MessageManager::kMessage, "...Creating a device..."},
                                        {MessageManager::kError, "\nError: Failed to create a device!\n"},
                                        {MessageManager::kMessage, "DirectSound system destroying:"}};
    EXPECT_EQ(SoundLines(*engine.GetMessageManager()), expected);
    engine.BeginFrame();
    engine.EndFrame(0);
    EXPECT_EQ(audio.liveDevices, 0);
}

TEST_F(EngineSoundTest, FailureLaterInTheStartUpReleasesWhatWasMadeAndStillLeavesTheEngineRunning)
{
    audio.formatResult = Platform::kAudioBadFormat;
    Engine engine(settings);
    EXPECT_EQ(engine.GetSoundSystem(), nullptr);
    EXPECT_EQ(engine.GetSoundManager(), nullptr);
    EXPECT_EQ(audio.liveDevices, 0);
    EXPECT_EQ(audio.livePrimaries, 0);
    engine.EndFrame(0);
}

TEST_F(EngineSoundTest, SoundsAndTheDeviceGoWithTheEngine)
{
    {
        Engine engine(settings);
        EXPECT_EQ(audio.liveDevices, 1);
        engine.GetSoundManager()->CreateSound("");
        EXPECT_EQ(audio.buffers.size(), 1u);
    }
    EXPECT_EQ(audio.liveDevices, 0);
    EXPECT_EQ(audio.livePrimaries, 0);
    EXPECT_TRUE(audio.buffers.empty());
}

// OpenAL Soft's own output; the tests run it on its null backend.
TEST(EngineOnTheSystemsSoundDeviceTest, EngineStartsWithSound)
{
    Testing::TestEngine engine;
    ASSERT_NE(engine->GetSoundSystem(), nullptr);
    ASSERT_NE(engine->GetSoundManager(), nullptr);
    Sound* sound = engine->GetSoundManager()->CreateSound("");
    engine->GetSoundManager()->PlaySound(sound, true);
    EXPECT_EQ(sound->GetState(), u32{kSoundPlaying});
    engine->EndFrame(0);
}

TEST(EngineOnTheSystemsSoundDeviceTest, OutputThatCannotBeOpenedLeavesTheEngineSilent)
{
    Platform::OpenALDriver absent("Tamrisk test device that does not exist");
    Testing::ScopedAudioDriver installed(absent);
    Testing::TestEngine engine;
    EXPECT_EQ(engine->GetSoundSystem(), nullptr);
    EXPECT_EQ(engine->GetSoundManager(), nullptr);
    engine->BeginFrame();
    engine->EndFrame(0);
}

} // namespace
