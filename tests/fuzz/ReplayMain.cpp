// The regression replay: every file of the corpus through its target's entry
// point, once, with no fuzzing. The corpus holds one folder per target; a
// folder inside a target's folder is one input made of its files (see
// FileBundle.h). A file the target does not survive ends the program as it
// ended the fuzzer; a read that hangs is stopped by the watchdog.
//
//   fuzz_replay CORPUS_FOLDER [TARGET...]

#include "tests/fuzz/FileBundle.h"
#include "tests/fuzz/FuzzTarget.h"
#include "tests/support/Watchdog.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace Fuzzing {

namespace {

std::map<std::string, TargetFunction>& Targets()
{
    static std::map<std::string, TargetFunction> targets;
    return targets;
}

// Far above what any input may take, far below ctest's limit.
constexpr std::chrono::seconds kLimit{20};

std::string Input(const fs::path& path)
{
    if (fs::is_directory(path))
        return MakeBundle(path);
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

int ReplayTarget(const fs::path& folder, TargetFunction run)
{
    std::vector<fs::path> inputs;
    for (const auto& entry : fs::directory_iterator(folder))
        inputs.push_back(entry.path());
    std::sort(inputs.begin(), inputs.end());
    for (const fs::path& path : inputs) {
        // Said first, so that a target that ends the program names its input.
        std::printf("%s\n", path.c_str());
        std::fflush(stdout);
        const std::string bytes = Input(path);
        Testing::RunWithin(kLimit, path.string(), [&] { run(bytes); });
    }
    std::printf("%s: %zu inputs replayed\n", folder.filename().c_str(), inputs.size());
    std::fflush(stdout);
    return static_cast<int>(inputs.size());
}

} // namespace

bool RegisterTarget(const char* name, TargetFunction run)
{
    Targets().emplace(name, run);
    return true;
}

} // namespace Fuzzing

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s CORPUS_FOLDER [TARGET...]\n", argv[0]);
        return 2;
    }
    const fs::path corpus = argv[1];
    std::vector<std::string> chosen(argv + 2, argv + argc);
    int failed = 0;
    for (const auto& [name, run] : Fuzzing::Targets()) {
        if (!chosen.empty() && std::find(chosen.begin(), chosen.end(), name) == chosen.end())
            continue;
        if (!fs::is_directory(corpus / name)) {
            std::fprintf(stderr, "no regression corpus for target %s in %s\n", name.c_str(), corpus.c_str());
            failed = 1;
            continue;
        }
        Fuzzing::ReplayTarget(corpus / name, run);
    }
    // A folder that names no target would keep its files from ever replaying.
    for (const auto& entry : fs::directory_iterator(corpus))
        if (entry.is_directory() && Fuzzing::Targets().count(entry.path().filename().string()) == 0) {
            std::fprintf(stderr, "corpus folder %s names no target\n", entry.path().c_str());
            failed = 1;
        }
    return failed;
}
