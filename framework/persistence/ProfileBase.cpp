#include "framework/persistence/ProfileBase.h"

#include "engine/core/Error.h"
#include "engine/core/FileBinary.h"
#include "engine/core/MessageManager.h"
#include "engine/core/PathUtils.h"
#include "engine/core/Random.h"
#include "engine/core/StringUtils.h"
#include "framework/persistence/PlayerName.h"

#include <algorithm>

namespace GameFramework {

using Halvard::u32;

namespace {

constexpr u32 kLevelResultSize = 16;
// A file name's stem and its random digits fill this many characters.
constexpr std::size_t kFileNameLength = 16;
// Stems this long take no digits; a file of that name is taken only once.
// Longer stems are cut to it, so that a long name still makes a file name
// that every file system takes.
constexpr std::size_t kLongStemLength = kFileNameLength - 1;
constexpr u32 kAttemptsPerForm = 1024;
// When every draw of the full stem is taken, the stem is cut to this many
// letters, which leaves seven random digits after its "_".
constexpr std::size_t kCutStemLength = 8;

} // namespace

ProfileBase::ProfileBase(FileServices services, const std::string& baseFolder, SaveFormat format)
    : saveFile_(services, std::move(format)), baseFolder_(baseFolder)
{
}

ProfileBase::~ProfileBase() = default;

void ProfileBase::Reset()
{
    lives_ = kStartingLives;
    score_ = 0;
}

std::string ProfileBase::GetFolder(const std::string& fileName) const
{
    return baseFolder_ + "\\profiles\\" + fileName;
}

void ProfileBase::SetFileName(const std::string& fileName)
{
    fileName_ = fileName;
    std::string stem = fileName;
    Halvard::SetFileExtension(stem, "");
    ownFolder_ = GetFolder(stem);
}

void ProfileBase::Load(const std::string& fileName)
{
    SetFileName(fileName);
    const std::string path = GetFolder(fileName);
    try {
        saveFile_.Read(path, [this](Halvard::FileBinary& file) { Read(file); });
        // A name edited by hand is taken as the game makes names; an empty
        // one, or one that shows nothing, the list could never name current.
        name_ = MakeProfileName(name_);
        if (MakeProfileNameKey(name_).empty())
            throw Halvard::FileError("Incorrect player name in \"" + path + "\" file");
    } catch (const Halvard::FileError& error) {
        saveFile_.GetMessageManager()->LogError(error.GetText());
        levelResults_.clear();
        totalTime_ = 0.0f;
        throw Halvard::Error("");
    }
}

void ProfileBase::Create(const std::wstring& name, const std::vector<std::string>& fileNamesInUse)
{
    name_ = MakeProfileName(name);
    settings_ = Settings{};
    gameMode_ = 0;
    gameInProgress_ = false;
    currentLevel_ = LevelReference{};
    furthestLevel_ = LevelReference{};
    furthestLevelCompleted_ = false;
    levelResults_.clear();
    totalTime_ = 0.0f;
    Reset();
    SetFileName(FindFreeFileName(MakeStem(name_), fileNamesInUse));
    Save();
}

// Lower-case Latin letters of the name's narrow form, at most
// kLongStemLength of them; may be empty.
std::string ProfileBase::MakeStem(const std::wstring& name)
{
    std::string stem = Halvard::ToLower(Halvard::ToString(name));
    std::erase_if(stem, [](char c) { return c < 'a' || c > 'z'; });
    return stem.substr(0, kLongStemLength);
}

// The stem, then "_" and random digits up to the full length; a stem too
// long for any digit stays as it is.
std::string ProfileBase::DrawFileName(const std::string& stem)
{
    std::string fileName = stem;
    if (fileName.size() < kLongStemLength) {
        fileName += '_';
        while (fileName.size() < kFileNameLength)
            fileName += static_cast<char>('0' + Halvard::RandomInt(0, 9));
    }
    return fileName + kFileExtension;
}

// Never a name that a file already has, nor one that another profile has
// whose save has not reached the disk, so that no profile overwrites
// another's file: the full stem first, then, when its draws are used up (a
// long stem has a single name), the stem cut short enough for seven digits.
std::string ProfileBase::FindFreeFileName(const std::string& stem,
                                          const std::vector<std::string>& fileNamesInUse) const
{
    const std::string forms[] = {stem, stem.substr(0, kCutStemLength)};
    for (const std::string& form : forms) {
        const u32 attempts = form.size() < kLongStemLength ? kAttemptsPerForm : 1;
        for (u32 i = 0; i < attempts; ++i) {
            const std::string fileName = DrawFileName(form);
            const bool inUse =
                std::find(fileNamesInUse.begin(), fileNamesInUse.end(), fileName) != fileNamesInUse.end();
            if (!inUse && !saveFile_.Exists(GetFolder(fileName)))
                return fileName;
        }
    }
    throw Halvard::Error("No free file name for the profile \"" + Halvard::WStringToUtf8(name_) + "\"");
}

void ProfileBase::Save()
{
    saveFile_.Write(GetFolder(fileName_), [this](Halvard::FileBinary& file) { Write(file); });
}

void ProfileBase::SetName(const std::wstring& name)
{
    name_ = MakeProfileName(name);
    Save();
}

// A file named ".prf" (or "..prf") would make the profiles folder, or the
// user's folder, the profile's own.
bool ProfileBase::IsOwnFolderInsideProfiles() const
{
    const std::string stem = Halvard::GetFileName(ownFolder_);
    return !stem.empty() && stem != "." && stem != ".." && ownFolder_ == GetFolder(stem);
}

// A save of the file that failed before must not bring it back, and a file
// that another copy may keep is not this copy's to delete.
void ProfileBase::DeleteFiles()
{
    saveFile_.Forget(GetPath());
    if (!saveFile_.MayChange())
        return;
    Halvard::DeleteFolder(GetPath());
    if (IsOwnFolderInsideProfiles())
        Halvard::DeleteFolder(ownFolder_);
}

u32 ProfileBase::GetScoreWith(u32 points) const
{
    return points > kMostScore - score_ ? kMostScore : score_ + points;
}

void ProfileBase::AddLevelResult(const LevelResult& result)
{
    KeepLevelResult(result);
    Save();
}

void ProfileBase::KeepLevelResult(const LevelResult& result)
{
    totalTime_ += result.time;
    const auto found = std::find_if(levelResults_.begin(), levelResults_.end(),
                                    [&result](const LevelResult& kept) { return kept.IsSameLevel(result); });
    if (found == levelResults_.end())
        levelResults_.push_back(result);
    else
        found->time = std::min(found->time, result.time);
}

void ProfileBase::UpdateProgress(const LevelReference& level, bool completed)
{
    if (KeepProgress(level, completed))
        Save();
}

bool ProfileBase::KeepProgress(const LevelReference& level, bool completed)
{
    const bool beyond = level.stage > furthestLevel_.stage ||
                        (level.stage == furthestLevel_.stage && level.level > furthestLevel_.level);
    const bool completesIt = level == furthestLevel_ && completed && !furthestLevelCompleted_;
    if (!beyond && !completesIt)
        return false;
    furthestLevel_ = level;
    furthestLevelCompleted_ = completed;
    return true;
}

void ProfileBase::Write(Halvard::FileBinary& file) const
{
    file.WriteWideString(name_);
    for (u32 value : {gameMode_, lives_, score_, currentLevel_.stage, currentLevel_.level, furthestLevel_.stage,
                      furthestLevel_.level})
        file.WriteUInt(value);
    file.WriteByte(furthestLevelCompleted_ ? 1 : 0);
    file.WriteUInt(static_cast<u32>(levelResults_.size()));
    for (const LevelResult& result : levelResults_) {
        file.WriteUInt(result.gameMode);
        file.WriteUInt(result.level.stage);
        file.WriteUInt(result.level.level);
        file.WriteFloat(result.time);
    }
    file.WriteByte(gameInProgress_ ? 1 : 0);
    WriteSettings(file);
}

void ProfileBase::Read(Halvard::FileBinary& file)
{
    file.ReadWideString(name_);
    for (u32* value : {&gameMode_, &lives_, &score_, &currentLevel_.stage, &currentLevel_.level,
                       &furthestLevel_.stage, &furthestLevel_.level})
        *value = file.ReadUInt();
    furthestLevelCompleted_ = file.ReadByte() != 0;
    ReadLevelResults(file);
    gameInProgress_ = file.ReadByte() != 0;
    ReadSettings(file);
}

void ProfileBase::ReadLevelResults(Halvard::FileBinary& file)
{
    levelResults_.clear();
    totalTime_ = 0.0f;
    const u32 count = file.ReadCount(kLevelResultSize);
    for (u32 i = 0; i < count; ++i) {
        LevelResult result;
        result.gameMode = file.ReadUInt();
        result.level.stage = file.ReadUInt();
        result.level.level = file.ReadUInt();
        result.time = file.ReadFloat();
        // A damaged time would stand as the best for ever: it reads as no
        // result, and the next real time takes its place.
        if (!IsBestTime(result.time))
            continue;
        totalTime_ += result.time;
        levelResults_.push_back(result);
    }
}

void ProfileBase::WriteSettings(Halvard::FileBinary& file) const
{
    file.WriteFloat(settings_.musicVolume);
    file.WriteFloat(settings_.effectsVolume);
}

void ProfileBase::ReadSettings(Halvard::FileBinary& file)
{
    settings_.musicVolume = file.ReadFloat();
    settings_.effectsVolume = file.ReadFloat();
}

} // namespace GameFramework
