#pragma once

#include <string_view>

// A fuzz target: one reader of a file a player or a data set hands the game,
// fed every input by libFuzzer in the fuzzing build, or every file of its
// regression corpus by the replay program in the ordinary build. The body
// takes the input's bytes, puts them where the game reads that file, reads
// them the way the game does, and stops the run (Fuzzing::Fail) when what the
// reader promises does not hold. An exception of the system's own (a refused
// file) is an answer; any other exception escapes and is a finding.
//
//   TAMRISK_FUZZ_TARGET(HighScoresTable) { ... bytes ... }

namespace Fuzzing {

using TargetFunction = void (*)(std::string_view bytes);

// Replay build: records the target under its name; true, for the static
// initialiser that calls it.
bool RegisterTarget(const char* name, TargetFunction run);

} // namespace Fuzzing

#if defined(TAMRISK_LIBFUZZER)
#include <cstddef>
#include <cstdint>
#define TAMRISK_FUZZ_TARGET(name)                                                                        \
    static void FuzzOne##name(std::string_view bytes);                                                   \
    extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)                    \
    {                                                                                                    \
        FuzzOne##name(std::string_view(reinterpret_cast<const char*>(data), size));                      \
        return 0;                                                                                        \
    }                                                                                                    \
    static void FuzzOne##name(std::string_view bytes)
#else
#define TAMRISK_FUZZ_TARGET(name)                                                                        \
    static void FuzzOne##name(std::string_view bytes);                                                   \
    [[maybe_unused]] static const bool kRegistered##name = Fuzzing::RegisterTarget(#name, FuzzOne##name); \
    static void FuzzOne##name(std::string_view bytes)
#endif
