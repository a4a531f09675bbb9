#include "tools/ShaderWriter.h"

#include <gtest/gtest.h>

#include "tests/support/FileBytes.h"

#include <stdexcept>

namespace {

using Testing::UIntAt;
// Header 13 bytes, flags 4, four colours 64, power and value 8, blends 8,
// stage count 4.
constexpr std::size_t kStagesStart = 13 + 4 + 64 + 8 + 8 + 4;

} // namespace

TEST(ShaderWriter, HeaderCarriesTheWholeSizeMagicAndVersion)
{
    Tools::ShaderData data;
    const std::vector<std::uint8_t> bytes = Tools::BuildShaderFile(data, 210);
    ASSERT_EQ(bytes.size(), kStagesStart);
    EXPECT_EQ(UIntAt(bytes, 0), bytes.size());
    EXPECT_EQ(std::string(bytes.begin() + 4, bytes.begin() + 9), "HVSRF");
    EXPECT_EQ(UIntAt(bytes, 9), 210u);
}

TEST(ShaderWriter, StageBlocksCarryOnlyTheFieldsTheirAnimationUses)
{
    Tools::ShaderData data;
    Tools::ShaderStageData still;
    still.diffuseName = "ab";
    Tools::ShaderStageData grid = still;
    grid.animationType = 1;
    grid.columns = 4;
    data.stages = {still};
    const std::size_t stillSize = Tools::BuildShaderFile(data).size() - kStagesStart;
    // Flags, type, two names (count, text, zero), wraps and transform.
    EXPECT_EQ(stillSize, 4u + 4u + 4u + 2u + 8u + 16u);
    data.stages = {grid};
    const std::vector<std::uint8_t> bytes = Tools::BuildShaderFile(data);
    EXPECT_EQ(bytes.size() - kStagesStart, stillSize + 16u);
    EXPECT_EQ(UIntAt(bytes, kStagesStart + 16), 4u);
    EXPECT_EQ(bytes[kStagesStart + 24], 3u);

    data.stages[0].diffuseName = std::string(255, 'x');
    EXPECT_THROW(Tools::BuildShaderFile(data), std::runtime_error);
}
