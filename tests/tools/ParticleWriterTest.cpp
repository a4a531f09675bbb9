#include "tools/ParticleWriter.h"

#include <gtest/gtest.h>

#include "tests/support/FileBytes.h"

#include <cstring>
#include <stdexcept>

namespace {

using Testing::UIntAt;
using Testing::FloatAt;
using namespace Tools;

ParticleSystemDescription Marked()
{
    ParticleSystemDescription description;
    description.capacity = 77;
    description.stopThreshold = 0.25f;
    description.emission[0] = 5.0f;
    description.directionSpread[5][2] = 3.0f;
    description.speedCentre[5] = 8.0f;
    description.speedSpread[0] = 2.0f;
    description.emitterShape = 1;
    description.boxMax = {4.0f, 5.0f, 6.0f};
    return description;
}

TEST(ParticleWriterTest, CurrentVersionPutsEveryFieldAtItsOffset)
{
    const auto bytes = BuildParticleFile(Marked());
    ASSERT_EQ(bytes.size(), 453u);
    EXPECT_EQ(UIntAt(bytes, 0), 453u);
    EXPECT_EQ(std::memcmp(bytes.data() + 4, "HVPSF", 5), 0);
    EXPECT_EQ(UIntAt(bytes, 9), 204u);
    EXPECT_EQ(UIntAt(bytes, 13), 77u);
    EXPECT_FLOAT_EQ(FloatAt(bytes, 36), 0.25f);
    EXPECT_EQ(bytes[40], 1);
    EXPECT_FLOAT_EQ(FloatAt(bytes, 41), 5.0f);
    EXPECT_FLOAT_EQ(FloatAt(bytes, 185 + 5 * 12 + 8), 3.0f);
    EXPECT_FLOAT_EQ(FloatAt(bytes, 377 + 5 * 4), 8.0f);
    EXPECT_FLOAT_EQ(FloatAt(bytes, 401), 2.0f);
    EXPECT_EQ(UIntAt(bytes, 425), 1u);
    EXPECT_FLOAT_EQ(FloatAt(bytes, 441 + 8), 6.0f);
}

TEST(ParticleWriterTest, OldVersionLeavesOutTheSpeedSpread)
{
    const auto bytes = BuildParticleFile(Marked(), kOldParticleFileVersion);
    ASSERT_EQ(bytes.size(), 429u);
    EXPECT_EQ(UIntAt(bytes, 0), 429u);
    EXPECT_EQ(UIntAt(bytes, 9), 203u);
    EXPECT_EQ(UIntAt(bytes, 401), 1u);
    EXPECT_FLOAT_EQ(FloatAt(bytes, 417 + 4), 5.0f);
}

TEST(ParticleWriterTest, RefusesVersionsItCannotWrite)
{
    EXPECT_THROW(BuildParticleFile(Marked(), 205), std::invalid_argument);
}

} // namespace
