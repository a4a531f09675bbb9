#pragma once

#include "engine/core/Types.h"
#include "framework/LevelReference.h"
#include "framework/persistence/FileServices.h"
#include "framework/persistence/LevelResult.h"
#include "framework/persistence/SaveFile.h"

#include <string>
#include <vector>

namespace Halvard {
class FileBinary;
}

namespace GameFramework {

// One player: name, volumes, the game in progress, the furthest level reached
// and the best time of every level finished, kept in one file of the
// "profiles" folder below the user's folder. A game derives it to add fields
// of its own and fixes the file's magic and version; the derived constructor
// then runs Load or Create, so that the game's Read and Write take part.
// Profiles are made, renamed and deleted only by the profile manager. Main
// thread.
class ProfileBase {
public:
    struct Settings {
        float effectsVolume = 1.0f;
        float musicVolume = 1.0f;
    };

    static constexpr Halvard::u32 kStartingLives = 3;
    static constexpr const char* kFileExtension = ".prf";
    // The largest score the file keeps; a sum beyond it stays there.
    static constexpr Halvard::u32 kMostScore = 0xFFFFFFFFu;

    ProfileBase(const ProfileBase&) = delete;
    ProfileBase& operator=(const ProfileBase&) = delete;
    virtual ~ProfileBase();

    // A new game: 3 lives, score 0.
    virtual void Reset();
    // Reads the profile from that file of the profiles folder. On a FileError
    // the reason goes to the log as an error line and an Error with an empty
    // text is thrown: the caller skips the file.
    virtual void Load(const std::string& fileName);
    // A new profile of the name (trimmed, and cut to the longest name a file
    // holds) with a file name that no file and none of the names in use
    // (the other profiles' of its manager, whose files may not be on disk
    // yet) has, saved at once. Throws Error when no free file name is found.
    virtual void Create(const std::wstring& name, const std::vector<std::string>& fileNamesInUse);

    // Failures are logged, never thrown; the profile in memory stays.
    void Save();
    // The name trimmed and cut as Create does; saved. The file keeps its name.
    void SetName(const std::wstring& name);
    // The profile's file and its own folder with everything in it. A folder
    // that is not strictly inside the profiles folder is left alone, and so
    // is everything while another copy of the game may keep the saves.
    void DeleteFiles();
    // Keeps the faster of the two times of the same level and mode; saved.
    void AddLevelResult(const LevelResult& result);
    // Moves the furthest level forward to level when it lies beyond it, or
    // marks it completed; saved only when it changed.
    void UpdateProgress(const LevelReference& level, bool completed);
    // The same two changes in memory only, for a caller that saves a whole
    // step at once. KeepProgress tells whether the furthest level changed.
    void KeepLevelResult(const LevelResult& result);
    bool KeepProgress(const LevelReference& level, bool completed);

    // Base folder + "\profiles\" + the name.
    std::string GetFolder(const std::string& fileName) const;
    // The profile's file: GetFolder of its file name.
    std::string GetPath() const { return GetFolder(fileName_); }

    const std::wstring& GetName() const { return name_; }
    const std::string& GetFileName() const { return fileName_; }
    const std::string& GetOwnFolder() const { return ownFolder_; }
    const Settings& GetSettings() const { return settings_; }
    void SetSettings(const Settings& settings) { settings_ = settings; }
    Halvard::u32 GetGameMode() const { return gameMode_; }
    void SetGameMode(Halvard::u32 gameMode) { gameMode_ = gameMode; }
    Halvard::u32 GetLives() const { return lives_; }
    void SetLives(Halvard::u32 lives) { lives_ = lives; }
    Halvard::u32 GetScore() const { return score_; }
    void SetScore(Halvard::u32 score) { score_ = score; }
    // The score with the points added, held at kMostScore: a damaged file
    // may hold a score next to it, and a sum that wrapped would lose it.
    Halvard::u32 GetScoreWith(Halvard::u32 points) const;
    void AddScore(Halvard::u32 points) { score_ = GetScoreWith(points); }
    const LevelReference& GetCurrentLevel() const { return currentLevel_; }
    void SetCurrentLevel(const LevelReference& level) { currentLevel_ = level; }
    const LevelReference& GetFurthestLevel() const { return furthestLevel_; }
    bool IsFurthestLevelCompleted() const { return furthestLevelCompleted_; }
    bool IsGameInProgress() const { return gameInProgress_; }
    void SetGameInProgress(bool inProgress) { gameInProgress_ = inProgress; }
    const std::vector<LevelResult>& GetLevelResults() const { return levelResults_; }
    // The sum of the level times, not stored.
    float GetTotalTime() const { return totalTime_; }

protected:
    ProfileBase(FileServices services, const std::string& baseFolder, SaveFormat format);

    // The body in file order; Write ends with WriteSettings, Read with
    // ReadSettings.
    virtual void Write(Halvard::FileBinary& file) const;
    virtual void Read(Halvard::FileBinary& file);
    // Music volume first, then the effects volume.
    virtual void WriteSettings(Halvard::FileBinary& file) const;
    virtual void ReadSettings(Halvard::FileBinary& file);

private:
    void SetFileName(const std::string& fileName);
    bool IsOwnFolderInsideProfiles() const;
    std::string FindFreeFileName(const std::string& stem, const std::vector<std::string>& fileNamesInUse) const;
    static std::string DrawFileName(const std::string& stem);
    static std::string MakeStem(const std::wstring& name);
    void ReadLevelResults(Halvard::FileBinary& file);

    SaveFile saveFile_;
    std::string baseFolder_;
    std::wstring name_;
    std::string fileName_;
    std::string ownFolder_;
    Settings settings_;
    Halvard::u32 gameMode_ = 0;
    Halvard::u32 lives_ = 0;
    Halvard::u32 score_ = 0;
    LevelReference currentLevel_;
    LevelReference furthestLevel_;
    bool furthestLevelCompleted_ = false;
    std::vector<LevelResult> levelResults_;
    float totalTime_ = 0.0f;
    bool gameInProgress_ = false;
};

} // namespace GameFramework
