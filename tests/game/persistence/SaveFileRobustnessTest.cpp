#include "game/persistence/Profile.h"
#include "game/persistence/ProfileManager.h"

#include <gtest/gtest.h>

#include "engine/core/Error.h"
#include "framework/sound/SoundVolumes.h"
#include "tests/support/SaveFolder.h"

namespace {

class FixedVolumes : public GameFramework::SoundVolumes {
public:
    float GetMusicVolume() const override { return 1.0f; }
    float GetSoundVolume() const override { return 1.0f; }
    void SetMusicVolume(float) override {}
    void SetSoundVolume(float) override {}
};

class SaveFileRobustnessTest : public testing::Test {
protected:
    GameFramework::FileServices Services() { return {save.Log(), save.Files()}; }

    Testing::SaveFolder save;
    FixedVolumes volumes;
};

// A damaged profile file is either read whole or refused with an Error,
// never a crash or an allocation sized by the damage. What is read holds
// only real times, and saving it gives a file that reads back the same.
TEST_F(SaveFileRobustnessTest, EveryPrefixAndRandomProfileFileLoadsOrIsRefused)
{
    std::string valid;
    {
        Tamrisk::Profile profile(Services(), std::wstring(L"Anna"), save.User());
        profile.AddLevelResult({0, {0, 0}, 10.0f});
        profile.AddLevelResult({1, {1, 2}, 20.0f});
        valid = save.Read("profiles\\" + profile.GetFileName());
    }
    for (const std::string& bytes : Testing::DamagedCopies(valid, 5)) {
        save.Write("profiles\\damaged.prf", bytes);
        try {
            Tamrisk::Profile profile(Services(), std::string("damaged.prf"), save.User());
            EXPECT_LE(profile.GetLevelResults().size() * 16, bytes.size());
            for (const GameFramework::LevelResult& result : profile.GetLevelResults())
                EXPECT_TRUE(GameFramework::IsBestTime(result.time)) << result.time;
            profile.Save();
            const std::string saved = save.Read("profiles\\damaged.prf");
            Tamrisk::Profile again(Services(), std::string("damaged.prf"), save.User());
            again.Save();
            EXPECT_EQ(save.Read("profiles\\damaged.prf"), saved);
        } catch (const Halvard::Error& error) {
            EXPECT_EQ(error.GetText(), "");
        }
    }
}

// A damaged list is either taken or kept as ".bad" and replaced by one that
// reads back; what is taken holds only real times and saves stable.
TEST_F(SaveFileRobustnessTest, EveryPrefixAndRandomProfileListLoadsOrIsReplaced)
{
    std::string valid;
    {
        Tamrisk::ProfileManager manager(Services(), &volumes, save.User());
        manager.AddProfile(L"Anna");
        manager.SetCurrentProfile(manager.GetProfile(L"Anna"), Tamrisk::ProfileManager::ListSaving::kSaveFile);
        manager.SubmitLevelTime({0, 1}, L"Anna", 0, 12.0f);
        manager.SubmitLevelTime({1, 1}, L"Anna", 1, 14.0f);
        valid = save.Read("profiles.pmf");
    }
    for (const std::string& bytes : Testing::DamagedCopies(valid, 9)) {
        save.Remove("profiles.pmf.bad");
        save.Write("profiles.pmf", bytes);
        {
            Tamrisk::ProfileManager manager(Services(), &volumes, save.User());
            EXPECT_NE(manager.GetCurrentProfile(), nullptr);
            if (save.Exists("profiles.pmf.bad"))
                EXPECT_TRUE(manager.GetLevelRecords().empty());
            for (const auto& record : manager.GetLevelRecords())
                EXPECT_TRUE(GameFramework::IsBestTime(record.time)) << record.time;
            manager.Save();
        }
        const std::string saved = save.Read("profiles.pmf");
        save.Remove("profiles.pmf.bad");
        Tamrisk::ProfileManager again(Services(), &volumes, save.User());
        EXPECT_FALSE(save.Exists("profiles.pmf.bad"));
        again.Save();
        EXPECT_EQ(save.Read("profiles.pmf"), saved);
    }
}

} // namespace
