#include "framework/persistence/ProfileManagerBase.h"

#include "engine/core/Error.h"
#include "engine/core/FileBinary.h"
#include "engine/core/FileManager.h"
#include "engine/core/MessageManager.h"
#include "engine/core/PathUtils.h"
#include "engine/core/StringUtils.h"
#include "framework/persistence/PlayerName.h"
#include "framework/persistence/SaveTrouble.h"
#include "framework/sound/SoundVolumes.h"

#include <algorithm>
#include <utility>

namespace GameFramework {

using Halvard::u32;

namespace {

// The shortest record on disk: four numbers and an empty name's count byte.
constexpr u32 kSmallestRecordSize = 4 * 4 + 1;

std::wstring LookupKey(const std::wstring& name) { return MakeProfileNameKey(name); }

} // namespace

ProfileManagerBase::ProfileManagerBase(FileServices services, SoundVolumes* soundSet, const std::string& userFolder,
                                       SaveFormat format)
    : services_(services), soundSet_(soundSet), saveFile_(services, std::move(format)), userFolder_(userFolder)
{
    // A profile's own folder is deleted with it; the folder of them all never.
    Halvard::ProtectFolderFromDeletion(GetProfilesFolder());
}

ProfileManagerBase::~ProfileManagerBase() = default;

std::string ProfileManagerBase::GetPath() const { return userFolder_ + "\\" + kFileName; }

std::string ProfileManagerBase::GetProfilesFolder() const { return userFolder_ + "\\profiles"; }

void ProfileManagerBase::LoadProfiles()
{
    LoadProfileFiles();
    SortProfiles();
    LoadList();
    if (currentProfile_ == nullptr && !profiles_.empty())
        SetCurrentProfile(profiles_.front().get(), ListSaving::kSaveFile);
}

// Names are the profiles' keys: a second file of a name already loaded (a
// copied file, a name edited by hand, a file that could not be read when the
// name was made again) could never be made current, and deleting or renaming
// it would act on the other player's file. Of the files of one name the one
// that got furthest loads, then the one written last; files are taken in name
// order, so that which one loads does not depend on the listing.
void ProfileManagerBase::LoadProfileFiles()
{
    if (!CanListProfiles())
        return;
    std::vector<std::string> found;
    services_.files->FindFiles(GetProfilesFolder(), "*.prf", found);
    std::sort(found.begin(), found.end());
    for (const std::string& path : found) {
        std::unique_ptr<ProfileBase> profile;
        try {
            profile = CreateProfileFromFile(Halvard::GetFileName(path));
        } catch (const Halvard::Error&) {
            continue; // the profile has logged why
        }
        const auto holder = std::find_if(profiles_.begin(), profiles_.end(), [&profile](const auto& loaded) {
            return LookupKey(loaded->GetName()) == LookupKey(profile->GetName());
        });
        if (holder == profiles_.end()) {
            profiles_.push_back(std::move(profile));
            continue;
        }
        if (IsAhead(*profile, **holder))
            std::swap(profile, *holder);
        SetAsideSecondFile(*profile, **holder);
    }
}

// A profiles folder that cannot be listed would greet every player as new,
// and the list saved over then would name a stranger. Both stay as they are
// for the run: told like a file that cannot be opened.
bool ProfileManagerBase::CanListProfiles()
{
    const std::string folder = GetProfilesFolder();
    if (!Halvard::FileExistsOnDisk(folder) || Halvard::CanListFolderOnDisk(folder))
        return true;
    services_.messages->LogError("Folder \"" + folder + "\" exists but cannot be opened; it is left as it is" +
                                 " and the profile list is not written over");
    saveFile_.Hold(GetPath(), "the profiles folder could not be read and the list is kept as it is");
    if (services_.trouble != nullptr)
        services_.trouble->Report(SaveTrouble::Kind::kNotRead, folder);
    return false;
}

bool ProfileManagerBase::IsAhead(const ProfileBase& profile, const ProfileBase& other)
{
    const LevelReference& furthest = profile.GetFurthestLevel();
    const LevelReference& otherFurthest = other.GetFurthestLevel();
    if (furthest.stage != otherFurthest.stage)
        return furthest.stage > otherFurthest.stage;
    if (furthest.level != otherFurthest.level)
        return furthest.level > otherFurthest.level;
    if (profile.IsFurthestLevelCompleted() != other.IsFurthestLevelCompleted())
        return profile.IsFurthestLevelCompleted();
    return Halvard::GetFileWriteTime(profile.GetPath()) > Halvard::GetFileWriteTime(other.GetPath());
}

// Left among the profiles, the second file would load as that player once
// the player's own file is deleted, with another file's progress and scores.
// Its bytes stay under a name no later start reads.
void ProfileManagerBase::SetAsideSecondFile(const ProfileBase& second, const ProfileBase& holder) const
{
    std::string line = "Player name in \"" + second.GetPath() + "\" file is the one of \"" + holder.GetPath() + "\" file";
    const std::string keptPath = saveFile_.SetAside(second.GetPath());
    if (!keptPath.empty())
        line += SaveFile::KeptAs(keptPath);
    services_.messages->LogError(line);
}

void ProfileManagerBase::LoadList()
{
    currentProfile_ = nullptr;
    records_.clear();
    try {
        saveFile_.Read(GetPath(), [this](Halvard::FileBinary& file) { Read(file); });
    } catch (const Halvard::FileError& error) {
        saveFile_.KeepBadFile(GetPath(), error);
        currentProfile_ = nullptr;
        records_.clear();
        Save();
    }
}

void ProfileManagerBase::Write(Halvard::FileBinary& file) const
{
    file.WriteWideString(currentProfile_ != nullptr ? currentProfile_->GetName() : std::wstring());
    file.WriteUInt(static_cast<u32>(records_.size()));
    for (const LevelRecord& record : records_) {
        file.WriteUInt(record.level.stage);
        file.WriteUInt(record.level.level);
        file.WriteWideString(record.holder);
        file.WriteUInt(record.gameMode);
        file.WriteFloat(record.time);
    }
}

void ProfileManagerBase::Read(Halvard::FileBinary& file)
{
    std::wstring current;
    file.ReadWideString(current);
    if (!current.empty())
        currentProfile_ = GetProfile(current);
    const u32 count = file.ReadCount(kSmallestRecordSize);
    for (u32 i = 0; i < count; ++i) {
        LevelRecord record;
        record.level.stage = file.ReadUInt();
        record.level.level = file.ReadUInt();
        file.ReadWideString(record.holder);
        record.gameMode = file.ReadUInt();
        record.time = file.ReadFloat();
        // A damaged time would never be beaten: it reads as no record.
        if (IsBestTime(record.time))
            records_.push_back(std::move(record));
    }
}

void ProfileManagerBase::Save()
{
    saveFile_.Write(GetPath(), [this](Halvard::FileBinary& file) { Write(file); });
}

ProfileBase* ProfileManagerBase::GetProfile(const std::wstring& name) const
{
    const std::wstring key = LookupKey(name);
    const auto found = std::find_if(profiles_.begin(), profiles_.end(), [&key](const std::unique_ptr<ProfileBase>& p) {
        return LookupKey(p->GetName()) == key;
    });
    return found != profiles_.end() ? found->get() : nullptr;
}

std::vector<std::string> ProfileManagerBase::GetFileNames() const
{
    std::vector<std::string> names;
    for (const std::unique_ptr<ProfileBase>& profile : profiles_)
        names.push_back(profile->GetFileName());
    return names;
}

void ProfileManagerBase::SetCurrentProfile(ProfileBase* profile, ListSaving saving)
{
    currentProfile_ = profile;
    if (saving == ListSaving::kSaveFile)
        Save();
}

ProfileBase* ProfileManagerBase::AddProfile(const std::wstring& name)
{
    // An empty name could never be named current in the list's file, nor one
    // that shows nothing be told from it.
    const std::wstring fitted = MakeProfileName(name);
    if (LookupKey(fitted).empty())
        return nullptr;
    if (ProfileBase* existing = GetProfile(fitted))
        return existing;
    std::unique_ptr<ProfileBase> profile;
    try {
        profile = CreateProfile(fitted);
    } catch (const Halvard::Error& error) {
        services_.messages->LogError(error.GetText());
        return nullptr;
    }
    StoreProfileSettings(*profile);
    ProfileBase* added = profile.get();
    profiles_.push_back(std::move(profile));
    SortProfiles();
    Save();
    return added;
}

void ProfileManagerBase::DeleteProfile(const std::wstring& name)
{
    ProfileBase* profile = GetProfile(name);
    if (profile == nullptr)
        return;
    profile->DeleteFiles();
    const auto found = std::find_if(profiles_.begin(), profiles_.end(),
                                    [profile](const std::unique_ptr<ProfileBase>& p) { return p.get() == profile; });
    const std::unique_ptr<ProfileBase> removed = std::move(*found);
    profiles_.erase(found);
    if (currentProfile_ == removed.get())
        currentProfile_ = profiles_.empty() ? nullptr : profiles_.front().get();
    Save();
}

void ProfileManagerBase::RenameProfile(const std::wstring& oldName, const std::wstring& newName)
{
    const std::wstring fitted = MakeProfileName(newName);
    ProfileBase* profile = GetProfile(oldName);
    if (LookupKey(fitted).empty() || profile == nullptr || GetProfile(fitted) != nullptr)
        return;
    profile->SetName(fitted);
    SortProfiles();
    Save();
}

void ProfileManagerBase::SortProfiles()
{
    std::stable_sort(profiles_.begin(), profiles_.end(),
                     [](const std::unique_ptr<ProfileBase>& a, const std::unique_ptr<ProfileBase>& b) {
                         return Halvard::ToLowerW(a->GetName()) < Halvard::ToLowerW(b->GetName());
                     });
}

void ProfileManagerBase::ApplyProfileSettings()
{
    if (currentProfile_ == nullptr)
        return;
    soundSet_->SetMusicVolume(currentProfile_->GetSettings().musicVolume);
    soundSet_->SetSoundVolume(currentProfile_->GetSettings().effectsVolume);
}

void ProfileManagerBase::StoreProfileSettings(ProfileBase& profile)
{
    profile.SetSettings(ProfileBase::Settings{soundSet_->GetSoundVolume(), soundSet_->GetMusicVolume()});
    profile.Save();
}

const ProfileManagerBase::LevelRecord* ProfileManagerBase::FindRecord(const LevelReference& level, u32 gameMode) const
{
    const auto found = std::find_if(records_.begin(), records_.end(), [&](const LevelRecord& record) {
        return record.level == level && record.gameMode == gameMode;
    });
    return found != records_.end() ? &*found : nullptr;
}

ProfileManagerBase::LevelRecord* ProfileManagerBase::FindRecord(const LevelReference& level, u32 gameMode)
{
    return const_cast<LevelRecord*>(std::as_const(*this).FindRecord(level, gameMode));
}

bool ProfileManagerBase::GetLevelRecord(const LevelReference& level, u32 gameMode, std::wstring& holder,
                                        float& time) const
{
    const LevelRecord* record = FindRecord(level, gameMode);
    if (record == nullptr)
        return false;
    holder = record->holder;
    time = record->time;
    return true;
}

bool ProfileManagerBase::SubmitLevelTime(const LevelReference& level, const std::wstring& holder, u32 gameMode,
                                         float time)
{
    LevelRecord* record = FindRecord(level, gameMode);
    if (record == nullptr) {
        records_.push_back(LevelRecord{level, FitPlayerName(holder), gameMode, time});
    } else if (time < record->time) {
        record->holder = FitPlayerName(holder);
        record->time = time;
    } else {
        return false;
    }
    Save();
    return true;
}

} // namespace GameFramework
