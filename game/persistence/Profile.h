#pragma once

#include "framework/persistence/ProfileBase.h"

namespace Tamrisk {

// The game's player profile: the framework's, plus two flags both set for a
// new player, in files of magic "TKPRF", version 102.
class Profile : public GameFramework::ProfileBase {
public:
    static constexpr const char* kMagic = "TKPRF";
    static constexpr Halvard::u32 kVersion = 102;

    // Reads the file of the profiles folder below the user's folder; throws
    // Error (its reason already logged) when it cannot be read.
    Profile(GameFramework::FileServices services, const std::string& fileName, const std::string& userFolder);
    // A new player of that name, saved in a file of its own: none of the
    // names in use (ProfileBase::Create).
    Profile(GameFramework::FileServices services, const std::wstring& name, const std::string& userFolder,
            const std::vector<std::string>& fileNamesInUse = {});

    void Create(const std::wstring& name, const std::vector<std::string>& fileNamesInUse) override;

    // Set for a new player and only stored.
    bool IsFirstGame() const { return firstGame_; }
    // Set until the player has seen the game complete once; not saved here.
    bool IsFirstCompletion() const { return firstCompletion_; }
    void SetFirstCompletion(bool firstCompletion) { firstCompletion_ = firstCompletion; }

protected:
    void Write(Halvard::FileBinary& file) const override;
    void Read(Halvard::FileBinary& file) override;

private:
    bool firstGame_ = false;
    bool firstCompletion_ = false;
};

} // namespace Tamrisk
