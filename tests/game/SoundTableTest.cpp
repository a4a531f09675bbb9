#include "game/SoundTable.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

using namespace Tamrisk;
using Halvard::u32;

namespace {

TEST(SoundTable, EveryEffectIdIsRegisteredOnceWhateverTheOrder)
{
    std::multiset<u32> ids;
    for (const EffectEntry& entry : GetEffectTable())
        ids.insert(entry.id);
    ASSERT_EQ(ids.size(), 31u);
    for (u32 id = 0; id <= kSoundHammer; ++id)
        EXPECT_EQ(ids.count(id), 1u) << id;
    EXPECT_EQ(GetEffectTable().front().id, u32{kSoundWindowAppear});
}

// The names are the files' names, odd spellings and all.
TEST(SoundTable, TheTablesName37FilesInThreeGroups)
{
    const std::vector<SoundFileName> files = GetRegisteredSoundFiles();
    EXPECT_EQ(files.size(), 37u);
    std::set<std::string> names;
    for (const SoundFileName& file : files) {
        const std::string group = file.group;
        EXPECT_TRUE(group == "menu" || group == "music" || group == "game") << group;
        names.insert(group + "\\" + file.name);
    }
    EXPECT_EQ(names.size(), 37u);
    EXPECT_EQ(names.count("game\\ball_losed"), 1u);
    EXPECT_EQ(names.count("game\\crash_ballkeeper"), 1u);
    EXPECT_EQ(names.count("music\\game0"), 1u);
}

} // namespace
