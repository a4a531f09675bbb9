// The versioned header every save and data file starts with, read through
// the versioned file the game's readers open: a file it takes is the size its
// header says, with the magic and a version it takes.
#include "engine/core/FileBinary.h"
#include "engine/core/VersionedHeader.h"
#include "game_tools/VersionedFile.h"
#include "tests/fuzz/FuzzCheck.h"
#include "tests/fuzz/FuzzTarget.h"
#include "tests/support/SaveFolder.h"

TAMRISK_FUZZ_TARGET(VersionedHeader)
{
    using Fuzzing::Check;
    constexpr Halvard::u32 kVersion = 102;
    Testing::SaveFolder folder;
    folder.Write("input.prf", std::string(bytes));
    const std::string path = folder.User() + "\\input.prf";
    for (const auto check : {GameTools::VersionedFile::kCurrentVersion, GameTools::VersionedFile::kAnyVersion}) {
        GameTools::VersionedFile file(folder.Files(), "TKPRF", kVersion);
        Halvard::u32 version = 0;
        if (!Fuzzing::Accepted([&] { file.Open(path, Halvard::FileAccess::kRead, check, &version); }))
            continue;
        Check(bytes.size() >= Halvard::VersionedHeader::kSize, "a file shorter than its header was taken");
        const auto header = Halvard::VersionedHeader::Decode(reinterpret_cast<const Halvard::u8*>(bytes.data()));
        Check(header.GetTotalSize() == bytes.size(), "a file of another size than its header's was taken");
        Check(header.GetMagic() == "TKPRF", "a file of another magic was taken");
        if (check == GameTools::VersionedFile::kAnyVersion)
            Check(header.GetVersion() == version, "the version read is not the header's");
        else
            Check(header.GetVersion() == kVersion, "another version was taken");
        Check(file.GetFile()->GetSize() == bytes.size(), "the open file is not the file written");
    }
}
