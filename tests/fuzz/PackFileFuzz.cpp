// A pack file in the data folder, as the file manager mounts it at the start
// and opens files from it: a pack is taken whole or not at all, and every
// entry it lists reads within the pack's bytes.
#include "engine/core/FileBinary.h"
#include "engine/core/FileManager.h"
#include "tests/fuzz/FuzzCheck.h"
#include "tests/fuzz/FuzzTarget.h"
#include "tests/support/QuietLog.h"
#include "tests/support/ScopedProgramFolder.h"
#include "tests/support/TempFolder.h"

#include <vector>

TAMRISK_FUZZ_TARGET(PackFile)
{
    using Fuzzing::Check;
    Testing::TempFolder program;
    Testing::ScopedProgramFolder guard(program.Path());
    program.WriteFile("Data\\pack0.pak", std::string(bytes));
    Testing::QuietLog log;
    Halvard::FileManager files(&log, program.Internal(), "Data");
    std::vector<std::string> found;
    files.FindFiles("", "*", found);
    for (const std::string& name : found) {
        if (!Fuzzing::Accepted([&] {
                auto file = files.OpenFileBinary(name, Halvard::FileAccess::kRead);
                Check(file->GetSize() <= bytes.size(), "an entry larger than its pack");
                std::vector<Halvard::u8> contents(file->GetSize());
                file->Read(contents.data(), file->GetSize());
            }))
            Fuzzing::Fail("the listed entry \"" + name + "\" cannot be read");
    }
}
