// The pack appended to the program's own file, as the file manager finds it
// at the start: the input is what follows the program's code (the pack, its
// length and "APC"). The pack is taken whole or skipped with a line naming
// the program's file; every entry it lists reads within the input's bytes;
// a file asked for after a skip names the skipped file.
#include "engine/core/Error.h"
#include "engine/core/FileBinary.h"
#include "engine/core/FileManager.h"
#include "platform/os/Paths.h"
#include "tests/fuzz/FuzzCheck.h"
#include "tests/fuzz/FuzzTarget.h"
#include "tests/support/LogProbe.h"
#include "tests/support/QuietLog.h"
#include "tests/support/ScopedProgramFolder.h"
#include "tests/support/TempFolder.h"

#include <filesystem>
#include <fstream>
#include <vector>

namespace {

constexpr std::string_view kCode = "\x7F" "ELF the program's code";

void CheckSkipsName(const Halvard::MessageManager& log, const std::string& program)
{
    for (const std::string& line : Testing::LogProbe(log).Lines(Halvard::MessageManager::kWarning))
        Fuzzing::Check(line.find(program) != std::string::npos, "the warning \"" + line + "\" names no file");
}

void ReadEntries(Halvard::FileManager& files, std::string_view bytes)
{
    std::vector<std::string> found;
    files.FindFiles("", "*", found);
    for (const std::string& name : found) {
        if (!Fuzzing::Accepted([&] {
                auto file = files.OpenFileBinary(name, Halvard::FileAccess::kRead);
                Fuzzing::Check(file->GetSize() <= bytes.size(), "an entry larger than the appended part");
                std::vector<Halvard::u8> contents(file->GetSize());
                file->Read(contents.data(), file->GetSize());
            }))
            Fuzzing::Fail("the listed entry \"" + name + "\" cannot be read");
    }
}

} // namespace

TAMRISK_FUZZ_TARGET(AppendedPack)
{
    using Fuzzing::Check;
    // The program lies apart from the base folder, whose loose files would
    // be listed with the pack's.
    Testing::TempFolder folder;
    std::filesystem::create_directories(folder.Native("program"));
    const Testing::ScopedProgramFolder guard(folder.Native("program"));
    std::ofstream(Platform::ProgramFile(), std::ios::binary) << kCode << bytes;
    const std::string program = Platform::FromNativePath(Platform::ProgramFile());
    Testing::QuietLog log;
    Halvard::FileManager files(&log, folder.Internal() + "\\base", "Data");
    Check(files.GetPackCount() <= 1, "more packs than the program carries");
    CheckSkipsName(log, program);
    ReadEntries(files, bytes);
    if (files.GetPackCount() == 0 && Testing::LogProbe(log).Contains("skipped"))
        Fuzzing::AcceptedNaming(program, [&] { files.OpenFileBinary("data\\absent.txt", Halvard::FileAccess::kRead); });
}
