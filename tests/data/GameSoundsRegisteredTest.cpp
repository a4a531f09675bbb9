#include "tests/data/GameFixture.h"

#include "engine/app/Engine.h"
#include "engine/core/FileManager.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUISoundEntry.h"
#include "engine/gui/GUISoundManager.h"
#include "engine/sound/Sound.h"
#include "framework/sound/MusicTrack.h"
#include "framework/sound/SoundSet.h"
#include "game/SoundTable.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using ::testing::ElementsAre;

std::vector<std::string> GuiSoundNames(const Halvard::GUISoundManager& sounds, Halvard::u32 id)
{
    std::vector<std::string> names;
    for (const Halvard::GUISoundEntry* entry : sounds.GetEntries(id))
        names.push_back(entry->sound != nullptr ? entry->sound->GetName() : std::string("(none)"));
    return names;
}

// The start-up registers the game's sounds on the shipped data: the effects
// and the GUI's sounds ship as "wav", the music as "ogg", and every name the
// registration builds is a file the data holds.
class GameSoundsRegisteredTest : public ::testing::Test {
protected:
    Testing::GameFixture fixture;
    Testing::TestGame game;
};

TEST_F(GameSoundsRegisteredTest, GuiSoundZeroHoldsTwoRecordingsAndTheOthersOne)
{
    ASSERT_NE(game.GetEngine()->GetSoundManager(), nullptr);
    const Halvard::GUISoundManager& sounds = *game.GetEngine()->GetGUIManager()->GetSoundManager();
    EXPECT_THAT(GuiSoundNames(sounds, 0),
                ElementsAre("audio\\menu\\button_select_0.wav", "audio\\menu\\button_select_1.wav"));
    EXPECT_THAT(GuiSoundNames(sounds, 1), ElementsAre("audio\\menu\\button_click.wav"));
    EXPECT_THAT(GuiSoundNames(sounds, 10), ElementsAre("audio\\menu\\edit_box_print.wav"));
    for (Halvard::u32 id = 1; id <= 10; ++id)
        EXPECT_EQ(sounds.GetEntries(id).size(), 1u) << id;
}

TEST_F(GameSoundsRegisteredTest, MusicFallsBackToOggAndEveryBuiltNameExists)
{
    const GameFramework::SoundSet& sounds = *game.GetSoundSet();
    ASSERT_NE(sounds.FindTrack(Tamrisk::kMusicMenu), nullptr);
    ASSERT_NE(sounds.FindTrack(Tamrisk::kMusicGame), nullptr);
    EXPECT_EQ(sounds.FindTrack(Tamrisk::kMusicMenu)->GetSound()->GetName(), "audio\\music\\menu.ogg");
    EXPECT_EQ(sounds.FindTrack(Tamrisk::kMusicGame)->GetSound()->GetName(), "audio\\music\\game0.ogg");
    for (const Tamrisk::SoundFileName& file : Tamrisk::GetRegisteredSoundFiles()) {
        const std::string name = game.GetSoundFileName(file.group, file.name);
        EXPECT_TRUE(game.GetEngine()->GetFileManager()->FileExists("data\\" + name)) << name;
    }
}

} // namespace
