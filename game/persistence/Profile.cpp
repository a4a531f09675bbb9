#include "game/persistence/Profile.h"

#include "engine/core/FileBinary.h"

namespace Tamrisk {

namespace {

const GameFramework::SaveFormat kFormat{Profile::kMagic, Profile::kVersion};

} // namespace

Profile::Profile(GameFramework::FileServices services, const std::string& fileName, const std::string& userFolder)
    : ProfileBase(services, userFolder, kFormat)
{
    Load(fileName);
}

Profile::Profile(GameFramework::FileServices services, const std::wstring& name, const std::string& userFolder,
                 const std::vector<std::string>& fileNamesInUse)
    : ProfileBase(services, userFolder, kFormat)
{
    Create(name, fileNamesInUse);
}

void Profile::Create(const std::wstring& name, const std::vector<std::string>& fileNamesInUse)
{
    firstGame_ = true;
    firstCompletion_ = true;
    ProfileBase::Create(name, fileNamesInUse);
}

void Profile::Write(Halvard::FileBinary& file) const
{
    ProfileBase::Write(file);
    file.WriteByte(firstGame_ ? 1 : 0);
    file.WriteByte(firstCompletion_ ? 1 : 0);
}

void Profile::Read(Halvard::FileBinary& file)
{
    ProfileBase::Read(file);
    firstGame_ = file.ReadByte() != 0;
    firstCompletion_ = file.ReadByte() != 0;
}

} // namespace Tamrisk
