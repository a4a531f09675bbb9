#include "engine/core/MessageManager.h"
#include "engine/sound/SoundFileReaderOGG.h"
#include "engine/sound/SoundFileReaderWAV.h"
#include "engine/sound/SoundManager.h"
#include "framework/sound/SoundSet.h"
#include "game/SoundTable.h"
#include "tests/data/BuiltData.h"
#include "tests/data/DataChecker.h"
#include "tests/support/LogProbe.h"
#include "tests/support/TestEngine.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <set>
#include <string>

namespace {

using Tamrisk::SoundFileName;

// The shipped sounds on the built data folder, through a real engine on
// OpenAL Soft's null output.
class GameSoundsData : public ::testing::Test {
protected:
    GameSoundsData() : engine({.installFolder = Testing::GameFolderInternal()}) {}

    // The file's path below the data folder as the game registers it: the
    // "wav" of the name when one ships, else the "ogg".
    std::string Registered(const SoundFileName& file) const
    {
        const std::string stem = std::string("audio\\") + file.group + "\\" + file.name;
        return shipped.count("data\\" + stem + ".wav") != 0 ? stem + ".wav" : stem + ".ogg";
    }

    Testing::TestEngine engine;
    std::set<std::string> shipped = [] {
        std::set<std::string> audio;
        for (const std::string& file : Testing::ListDataFiles(Testing::GameFolder())) {
            if (file.rfind("data\\audio\\", 0) == 0)
                audio.insert(file);
        }
        return audio;
    }();
};

TEST_F(GameSoundsData, TheSoundsShippedAreExactlyTheOnesTheGameRegisters)
{
    std::set<std::string> registered;
    for (const SoundFileName& file : Tamrisk::GetRegisteredSoundFiles())
        registered.insert("data\\" + Registered(file));
    EXPECT_EQ(shipped, registered);
    EXPECT_EQ(shipped.size(), 37u);
}

TEST_F(GameSoundsData, EveryRegisteredFileDecodesThroughTheEnginesReaderToSomeLength)
{
    Halvard::MessageManager* log = engine->GetMessageManager();
    Halvard::FileManager* files = engine->GetFileManager();
    for (const SoundFileName& file : Tamrisk::GetRegisteredSoundFiles()) {
        const std::string path = Registered(file);
        SCOPED_TRACE(path);
        std::unique_ptr<Halvard::SoundFileReader> reader;
        if (path.ends_with(".wav"))
            reader = std::make_unique<Halvard::SoundFileReaderWAV>(log, files, path);
        else
            reader = std::make_unique<Halvard::SoundFileReaderOGG>(log, files, path);
        EXPECT_GT(reader->GetDataSize(), 0u);
    }
    EXPECT_THAT(Testing::LogProbe(*log).ErrorLines(), ::testing::IsEmpty());
}

TEST_F(GameSoundsData, ARealEngineCreatesEverySoundAsTheGameRegistersItWithoutAnErrorLine)
{
    Halvard::SoundManager* sounds = engine->GetSoundManager();
    ASSERT_NE(sounds, nullptr);
    {
        GameFramework::SoundSet set(&engine.Get(), 0.285f, 0.315f);
        for (const Tamrisk::GuiSoundEntry& entry : Tamrisk::GetGuiSoundTable())
            sounds->CreateSound(Registered(entry.file));
        for (const Tamrisk::MusicEntry& entry : Tamrisk::GetMusicTable())
            set.AddMusic(entry.trackId, Registered(entry.file), entry.looped);
        for (const Tamrisk::EffectEntry& entry : Tamrisk::GetEffectTable())
            set.AddSound(entry.id, Registered(entry.file), entry.looped, entry.instances);
        set.RefreshSoundVolume();
        EXPECT_EQ(sounds->GetSoundCount(), 12u + 2u + 44u);
        set.PlayMusic(Tamrisk::kMenuMusicSlot, Tamrisk::kMusicMenu, GameFramework::MusicFade::Over(0.5f));
        set.PlaySound(Tamrisk::kSoundHammer);
        set.Update();
        sounds->Update(true);
        EXPECT_EQ(set.GetMusicState(Tamrisk::kMenuMusicSlot), 0u);
    }
    EXPECT_THAT(Testing::LogProbe(*engine->GetMessageManager()).ErrorLines(), ::testing::IsEmpty());
}

} // namespace
