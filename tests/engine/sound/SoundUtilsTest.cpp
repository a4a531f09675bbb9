#include "engine/sound/DirectSoundResult.h"
#include "engine/sound/SoundUtils.h"

#include <gtest/gtest.h>

using namespace Halvard;

TEST(VolumeToAttenuationTest, FactorsBecomeHundredthsOfADecibelFromSilenceToFull)
{
    EXPECT_EQ(VolumeToAttenuation(0.0f), -10000);
    EXPECT_EQ(VolumeToAttenuation(0.00009f), -10000);
    EXPECT_EQ(VolumeToAttenuation(0.00005f), -10000);
    EXPECT_EQ(VolumeToAttenuation(-1.0f), -10000);
    EXPECT_EQ(VolumeToAttenuation(1.0f), 0);
    EXPECT_EQ(VolumeToAttenuation(0.5f), -693);
    EXPECT_EQ(VolumeToAttenuation(0.0001f), -9210);
}

TEST(VolumeToAttenuationTest, VolumeAboveOneDoesNotAmplify)
{
    EXPECT_EQ(VolumeToAttenuation(2.0f), 0);
    EXPECT_EQ(VolumeToAttenuation(1.01f), 0);
}

TEST(DirectSoundResultTest, KnownCodesHaveTheirTextsAndOthersTheirNumber)
{
    EXPECT_EQ(DirectSoundResultText(static_cast<i32>(0x88780078)), "No sound driver is available for use.");
    EXPECT_EQ(DirectSoundResultText(static_cast<i32>(0x80004001)),
              "The function called is not supported at this time.");
    EXPECT_EQ(DirectSoundResultText(static_cast<i32>(0x80004005)),
              "An undetermined error occurred inside the DirectSound subsystem.");
    EXPECT_EQ(DirectSoundResultText(-5), "Unknown error (Code: -5)");
    EXPECT_EQ(DirectSoundResultText(1), "Unknown error (Code: 1)");
}
