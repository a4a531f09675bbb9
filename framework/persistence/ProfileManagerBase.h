#pragma once

#include "engine/core/Types.h"
#include "framework/LevelReference.h"
#include "framework/persistence/FileServices.h"
#include "framework/persistence/ProfileBase.h"
#include "framework/persistence/SaveFile.h"

#include <memory>
#include <string>
#include <vector>

namespace Halvard {
class FileBinary;
}

namespace GameFramework {

class SoundVolumes;

// Owns every profile, knows the current one and keeps the best time of each
// level and game mode across all players. "profiles.pmf" in the user's
// folder holds the current player's name and the records; each profile keeps
// its own file in the "profiles" folder, which the manager protects from
// deletion. Names are unique without regard to case and compared in the form
// MakeProfileName gives them. No error leaves the manager: unreadable profile
// files are skipped, a second file of a loaded name (the one that got less
// far) and an unreadable list are set aside as ".bad" files
// (SaveFile::SetAside), the list then replaced; a list that exists but cannot
// be opened is left as it is and not written over, and so is the list when
// the profiles folder is there but cannot be listed; failed saves are logged.
// A game derives it to make its own profiles and fixes the list's magic and
// version. Main thread.
class ProfileManagerBase {
public:
    struct LevelRecord {
        LevelReference level;
        std::wstring holder;
        Halvard::u32 gameMode = 0;
        // Seconds.
        float time = 0.0f;
    };

    // Whether making a profile current also writes "profiles.pmf".
    enum class ListSaving : Halvard::u8 { kKeepFile, kSaveFile };

    static constexpr const char* kFileName = "profiles.pmf";

    ProfileManagerBase(const ProfileManagerBase&) = delete;
    ProfileManagerBase& operator=(const ProfileManagerBase&) = delete;
    virtual ~ProfileManagerBase();

    // Gives the current profile's volumes to the sound set, music first.
    virtual void ApplyProfileSettings();
    // Reads every "*.prf" of the profiles folder, sorts them, then reads the
    // list; when that names no profile, the first one becomes current.
    virtual void LoadProfiles();
    // Copies the sound set's volumes into the profile and saves it.
    virtual void StoreProfileSettings(ProfileBase& profile);

    // The profile of that name, compared lower-cased in profile-name form, or
    // null.
    ProfileBase* GetProfile(const std::wstring& name) const;
    void SetCurrentProfile(ProfileBase* profile, ListSaving saving);
    // The profile of that name, made (with the sound set's volumes) when there
    // is none; null when the name is empty once trimmed or no file name is
    // free. Does not make it current.
    ProfileBase* AddProfile(const std::wstring& name);
    // Deletes the profile and its files; when it was current, the first of
    // the rest becomes current.
    void DeleteProfile(const std::wstring& name);
    // Nothing when the new name is empty once trimmed, another profile (or
    // this one) has it, or no profile has the old one.
    void RenameProfile(const std::wstring& oldName, const std::wstring& newName);
    // Ascending by lower-cased name; equal names keep their order.
    void SortProfiles();
    void Save();

    // The record of that level and mode: its holder and time, false when none.
    bool GetLevelRecord(const LevelReference& level, Halvard::u32 gameMode, std::wstring& holder, float& time) const;
    // True when the time became the record: the first of its level and mode,
    // or strictly faster than the record.
    bool SubmitLevelTime(const LevelReference& level, const std::wstring& holder, Halvard::u32 gameMode, float time);

    const std::vector<std::unique_ptr<ProfileBase>>& GetProfiles() const { return profiles_; }
    Halvard::u32 GetProfileCount() const { return static_cast<Halvard::u32>(profiles_.size()); }
    ProfileBase* GetCurrentProfile() const { return currentProfile_; }
    const std::vector<LevelRecord>& GetLevelRecords() const { return records_; }
    const std::string& GetUserFolder() const { return userFolder_; }
    std::string GetPath() const;
    std::string GetProfilesFolder() const;

protected:
    // The user folder is absolute; the sound set must outlive the manager.
    ProfileManagerBase(FileServices services, SoundVolumes* soundSet, const std::string& userFolder,
                       SaveFormat format);

    // The game's profile from that file of the profiles folder; throws Error
    // when it cannot be read.
    virtual std::unique_ptr<ProfileBase> CreateProfileFromFile(const std::string& fileName) = 0;
    // The game's new profile of that name, saved under a file name none of
    // GetFileNames has; throws Error when it cannot be made.
    virtual std::unique_ptr<ProfileBase> CreateProfile(const std::wstring& name) = 0;
    // The file names of the profiles, on disk or not.
    std::vector<std::string> GetFileNames() const;
    virtual void Write(Halvard::FileBinary& file) const;
    virtual void Read(Halvard::FileBinary& file);

    const FileServices& GetFileServices() const { return services_; }

private:
    void LoadProfileFiles();
    // False, with an error line, the list held and the trouble told, when the
    // profiles folder is there but cannot be listed.
    bool CanListProfiles();
    // Whether the profile got further than the other, or as far and its file
    // was written later.
    static bool IsAhead(const ProfileBase& profile, const ProfileBase& other);
    void SetAsideSecondFile(const ProfileBase& second, const ProfileBase& holder) const;
    void LoadList();
    LevelRecord* FindRecord(const LevelReference& level, Halvard::u32 gameMode);
    const LevelRecord* FindRecord(const LevelReference& level, Halvard::u32 gameMode) const;

    FileServices services_;
    SoundVolumes* soundSet_;
    SaveFile saveFile_;
    std::vector<std::unique_ptr<ProfileBase>> profiles_;
    ProfileBase* currentProfile_ = nullptr;
    std::vector<LevelRecord> records_;
    std::string userFolder_;
};

} // namespace GameFramework
