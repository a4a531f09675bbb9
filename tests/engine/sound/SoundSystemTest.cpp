#include "engine/core/Error.h"
#include "engine/sound/SoundSystem_DS7.h"
#include "tests/support/SoundTestBed.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

using namespace Halvard;
using namespace Testing;

namespace {

class SoundSystemTest : public SoundTestBed {
protected:
    std::unique_ptr<SoundSystem_DS7> Start(bool sound3D)
    {
        return std::make_unique<SoundSystem_DS7>(&messages, &files, nullptr, sound3D);
    }

    // The log's lines from the first start-up line on.
    std::vector<std::string> StartUpLines() const
    {
        std::vector<std::string> lines = LogLines();
        const auto first = std::find(lines.begin(), lines.end(), "\nInitialization of DirectSound Subsystem:");
        return {first, lines.end()};
    }

    // The empty message the failed start-up threw, or "none".
    std::string FailedStart()
    {
        try {
            Start(false);
        } catch (const Error& error) {
            return error.GetText();
        }
        return "none";
    }
};

bool Equal(const std::optional<Platform::AudioVector>& v, float x, float y, float z)
{
    return v && v->x == x && v->y == y && v->z == z;
}

} // namespace

TEST_F(SoundSystemTest, StartUpLogsEachStepAndMixes16BitStereoAt22050)
{
    auto system = Start(false);
    const std::vector<std::string> expected = {"\nInitialization of DirectSound Subsystem:",
                                               "...Creating a device...",
                                               "...Set cooperative level...",
                                               "...Create primary buffer...",
                                               "...Set primary buffer format...",
                                               ""};
    EXPECT_EQ(StartUpLines(), expected);
    EXPECT_EQ(driver.cooperativeLevel, Platform::kAudioCooperationPriority);
    EXPECT_FALSE(driver.primaryWith3D);
    EXPECT_EQ(driver.mixingFormat.channels, 2u);
    EXPECT_EQ(driver.mixingFormat.sampleRate, 22050u);
    EXPECT_EQ(driver.mixingFormat.bitsPerSample, 16u);
    EXPECT_EQ(driver.mixingFormat.blockAlign, 4u);
    EXPECT_EQ(driver.mixingFormat.bytesPerSecond, 88200u);
    EXPECT_FALSE(system->Is3D());
    EXPECT_FALSE(system->HasListener());
    EXPECT_EQ(system->GetListenerFront().z, -1.0f);
}

TEST_F(SoundSystemTest, With3DTheResetListenerWaitsForTheRefresh)
{
    auto system = Start(true);
    EXPECT_TRUE(driver.primaryWith3D);
    EXPECT_TRUE(system->Is3D());
    EXPECT_TRUE(Logged("...Get the 3D listener from the primary buffer..."));
    EXPECT_FALSE(driver.listenerFront.has_value());
    EXPECT_TRUE(Equal(driver.pendingListenerFront, 0.0f, 0.0f, -1.0f));
    system->Refresh();
    EXPECT_TRUE(Equal(driver.listenerPosition, 0.0f, 0.0f, 0.0f));
    EXPECT_TRUE(Equal(driver.listenerFront, 0.0f, 0.0f, -1.0f));
    EXPECT_TRUE(Equal(driver.listenerTop, 0.0f, 1.0f, 0.0f));
    system->SetListenerPosition(Vector3(1.0f, 2.0f, 3.0f));
    EXPECT_TRUE(Equal(driver.listenerPosition, 0.0f, 0.0f, 0.0f));
    system->Refresh();
    EXPECT_TRUE(Equal(driver.listenerPosition, 1.0f, 2.0f, 3.0f));
    EXPECT_EQ(system->GetListenerPosition().y, 2.0f);
}

TEST_F(SoundSystemTest, MissingListenerOnlyTurns3DOff)
{
    driver.listenerResult = Platform::kAudioNoInterface;
    auto system = Start(true);
    EXPECT_FALSE(system->Is3D());
    EXPECT_TRUE(Logged("Error: Failed to get the 3D listener from the primary buffer!"));
    EXPECT_EQ(StartUpLines().back(), "");
}

TEST_F(SoundSystemTest, DeviceThatCannotBeOpenedLogsReleasesAndThrowsAnEmptyError)
{
    driver.createResult = Platform::kAudioNoDriver;
    EXPECT_EQ(FailedStart(), "");
    const std::vector<std::string> expected = {"\nInitialization of DirectSound Subsystem:", "...Creating a device...",
                                               "Error: Failed to create a device!", "DirectSound system destroying:"};
    EXPECT_EQ(StartUpLines(), expected);
}

TEST_F(SoundSystemTest, FailingFormatReleasesThePrimaryBufferAndTheDeviceOnce)
{
    driver.formatResult = Platform::kAudioBadFormat;
    EXPECT_EQ(FailedStart(), "");
    const std::vector<std::string> lines = StartUpLines();
    const std::vector<std::string> tail(lines.end() - 4, lines.end());
    const std::vector<std::string> expected = {"Error: Failed to set primary buffer format!",
                                               "DirectSound system destroying:", "...Releasing primary buffer...",
                                               "...Releasing device..."};
    EXPECT_EQ(tail, expected);
    EXPECT_EQ(driver.liveDevices, 0);
    EXPECT_EQ(driver.livePrimaries, 0);
}

TEST_F(SoundSystemTest, EachFailingStepHasItsOwnLine)
{
    driver.cooperativeResult = Platform::kAudioInvalidParam;
    EXPECT_EQ(FailedStart(), "");
    EXPECT_TRUE(Logged("Error: Failed to set cooperative level!"));
    driver.cooperativeResult = Platform::kAudioOk;
    driver.primaryResult = Platform::kAudioOutOfMemory;
    EXPECT_EQ(FailedStart(), "");
    EXPECT_TRUE(Logged("Error: Failed to create primary buffer!"));
    EXPECT_EQ(driver.liveDevices, 0);
}

TEST_F(SoundSystemTest, DestructionReleasesListenerThenPrimaryThenDevice)
{
    Start(true).reset();
    const std::vector<std::string> lines = LogLines();
    const std::vector<std::string> tail(lines.end() - 4, lines.end());
    const std::vector<std::string> expected = {"DirectSound system destroying:", "...Releasing 3D listener...",
                                               "...Releasing primary buffer...", "...Releasing device..."};
    EXPECT_EQ(tail, expected);
    EXPECT_EQ(driver.liveListeners, 0);
    EXPECT_EQ(driver.liveDevices, 0);
}

TEST_F(SoundSystemTest, RefreshRestoresALostPrimaryBuffer)
{
    auto system = Start(false);
    system->Refresh();
    EXPECT_EQ(driver.primaryRestores, 0);
    driver.primaryLost = true;
    system->Refresh();
    EXPECT_EQ(driver.primaryRestores, 1);
    EXPECT_EQ(driver.commits, 0);
}

