#include "tests/fuzz/ProfilesFolderRead.h"

#include "framework/persistence/LevelResult.h"
#include "framework/persistence/PlayerName.h"
#include "framework/sound/SoundVolumes.h"
#include "game/persistence/ProfileManager.h"
#include "tests/fuzz/FuzzCheck.h"
#include "tests/support/SaveFolder.h"

#include <algorithm>
#include <cwctype>
#include <map>
#include <set>

namespace Fuzzing {

namespace {

using GameFramework::ProfileBase;
using Tamrisk::ProfileManager;

class FixedVolumes : public GameFramework::SoundVolumes {
public:
    float GetMusicVolume() const override { return 1.0f; }
    float GetSoundVolume() const override { return 1.0f; }
    void SetMusicVolume(float) override {}
    void SetSoundVolume(float) override {}
};

std::string Folded(const std::wstring& name)
{
    std::string folded;
    for (wchar_t c : GameFramework::MakeProfileName(name))
        folded += std::to_string(std::towlower(static_cast<wint_t>(c))) + ",";
    return folded;
}

// The profiles folder's files: name and bytes.
std::map<std::string, std::string> Folder(const Testing::SaveFolder& save)
{
    std::map<std::string, std::string> files;
    for (const std::string& name : save.List("profiles"))
        files[name] = save.Read("profiles\\" + name);
    return files;
}

void CheckPlayers(const ProfileManager& manager)
{
    std::set<std::string> names;
    for (const auto& profile : manager.GetProfiles()) {
        Check(!GameFramework::MakeProfileName(profile->GetName()).empty(), "a player without a name was loaded");
        Check(names.insert(Folded(profile->GetName())).second, "two players of one name were loaded");
        for (const GameFramework::LevelResult& result : profile->GetLevelResults())
            Check(GameFramework::IsBestTime(result.time), "a profile keeps a time that is no real time");
    }
    for (const auto& record : manager.GetLevelRecords())
        Check(GameFramework::IsBestTime(record.time), "the profile list keeps a record that is no real time");
}

// A file no player was loaded from is still there, or set aside with its
// bytes.
void CheckKept(const std::vector<BundledFile>& written, const ProfileManager& manager,
               const std::map<std::string, std::string>& after)
{
    std::multiset<std::string> present;
    for (const auto& [name, bytes] : after)
        present.insert(bytes);
    for (const BundledFile& file : written) {
        const bool loaded = std::any_of(manager.GetProfiles().begin(), manager.GetProfiles().end(),
                                        [&](const auto& profile) { return profile->GetFileName() == file.name; });
        Check(loaded || present.count(file.bytes) > 0, "the bytes of \"" + file.name + "\" were lost");
    }
}

FixedVolumes volumes;

} // namespace

void ReadProfilesFolder(const std::vector<BundledFile>& files)
{
    Testing::SaveFolder save;
    const GameFramework::FileServices services{save.Log(), save.Files()};
    std::set<std::string> written;
    std::vector<BundledFile> kept;
    for (const BundledFile& file : files)
        if (written.insert(file.name).second) {
            save.Write("profiles\\" + file.name, file.bytes);
            kept.push_back(file);
        }
    std::wstring current;
    std::map<std::string, std::string> saved;
    {
        ProfileManager manager(services, &volumes, save.User());
        CheckPlayers(manager);
        CheckKept(kept, manager, Folder(save));
        manager.Save();
        for (const auto& profile : manager.GetProfiles())
            profile->Save();
        if (manager.GetCurrentProfile() != nullptr)
            current = manager.GetCurrentProfile()->GetName();
        saved = Folder(save);
    }
    ProfileManager again(services, &volumes, save.User());
    Check(Folder(save) == saved, "the profiles the game saved did not read back as they were");
    again.Save();
    for (const auto& profile : again.GetProfiles())
        profile->Save();
    Check(Folder(save) == saved, "the profiles read back saved differently");
    if (current.empty())
        return;
    again.DeleteProfile(current);
    ProfileManager third(services, &volumes, save.User());
    Check(third.GetProfile(current) == nullptr, "a deleted player came back");
}

} // namespace Fuzzing
