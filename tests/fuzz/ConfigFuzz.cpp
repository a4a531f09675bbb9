// The ini file, as the engine's configuration reads it at the start and
// writes it at the end: whatever the lines say, once the engine has written
// the file, each later start writes it back the same.
#include "engine/core/Config.h"
#include "engine/core/FileManager.h"
#include "tests/fuzz/FuzzCheck.h"
#include "tests/fuzz/FuzzTarget.h"
#include "tests/support/SaveFolder.h"

namespace {

// Reads the ini file and writes it again, as one run of the program does.
void StartAndEnd(Testing::SaveFolder& folder)
{
    Halvard::ConfigSettings settings;
    settings.folder = folder.User();
    settings.name = "Tamrisk";
    settings.videoMode = "1024x768x32";
    Halvard::Config config(folder.Log(), folder.Files(), settings);
    config.Load();
    config.Save();
}

} // namespace

TAMRISK_FUZZ_TARGET(Config)
{
    Testing::SaveFolder folder;
    folder.Write("Tamrisk.ini", std::string(bytes));
    StartAndEnd(folder);
    StartAndEnd(folder);
    const std::string saved = folder.Read("Tamrisk.ini");
    StartAndEnd(folder);
    Fuzzing::Check(folder.Read("Tamrisk.ini") == saved, "the ini file the engine wrote reads back differently");
}
