// The profile list, "profiles.pmf", as the profile manager reads it at the
// start: taken and healed, or kept as ".bad" with its bytes and written anew;
// what is written then reads back the same.
#include "framework/persistence/LevelResult.h"
#include "framework/sound/SoundVolumes.h"
#include "game/persistence/ProfileManager.h"
#include "tests/fuzz/FuzzCheck.h"
#include "tests/fuzz/FuzzTarget.h"
#include "tests/support/SaveFolder.h"

namespace {

class FixedVolumes : public GameFramework::SoundVolumes {
public:
    float GetMusicVolume() const override { return 1.0f; }
    float GetSoundVolume() const override { return 1.0f; }
    void SetMusicVolume(float) override {}
    void SetSoundVolume(float) override {}
};

} // namespace

TAMRISK_FUZZ_TARGET(ProfileManager)
{
    using Fuzzing::Check;
    Testing::SaveFolder save;
    FixedVolumes volumes;
    const GameFramework::FileServices services{save.Log(), save.Files()};
    {
        // A player, so that a name in the list can find its profile.
        Tamrisk::ProfileManager maker(services, &volumes, save.User());
        maker.AddProfile(L"Anna");
    }
    save.Write("profiles.pmf", std::string(bytes));
    std::string saved;
    {
        Tamrisk::ProfileManager manager(services, &volumes, save.User());
        if (save.Exists("profiles.pmf.bad")) {
            Check(save.Read("profiles.pmf.bad") == bytes, "the list set aside is not the list read");
            Check(manager.GetLevelRecords().empty(), "a list set aside left records behind");
        }
        for (const auto& record : manager.GetLevelRecords())
            Check(GameFramework::IsBestTime(record.time), "the list keeps a record that is no real time");
        manager.Save();
        saved = save.Read("profiles.pmf");
    }
    save.Remove("profiles.pmf.bad");
    Tamrisk::ProfileManager again(services, &volumes, save.User());
    Check(!save.Exists("profiles.pmf.bad"), "the list the game wrote was refused");
    again.Save();
    Check(save.Read("profiles.pmf") == saved, "the list read back saves differently");
}
