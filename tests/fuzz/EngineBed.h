#pragma once

#include "tests/support/FakeEngine.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace Fuzzing {

// The folder of the built program, with the shipped data folder beside it.
std::filesystem::path GameFolder();

// An engine on the fake window, video, sound device and clock whose data
// folder holds the shipped data set (links to the built files), so that the
// names a description or list uses resolve. A target puts its input in place
// of one file, reads it through the game's own path and resets the bed.
// One per process: starting an engine costs more than most reads.
class EngineBed {
public:
    EngineBed();

    EngineBed(const EngineBed&) = delete;
    EngineBed& operator=(const EngineBed&) = delete;

    Halvard::Engine& Get() { return fake_.Get(); }
    Halvard::Engine* operator->() { return &fake_.Get(); }
    // The clock runs on through every input of the process: a target moves it
    // by hours at most, so that millions of inputs stay within its count.
    Testing::FakeEngine& Fake() { return fake_; }

    // Writes the bytes in place of the file, a path below the program's
    // folder in the system's form ("data\\ui\\texts\\texts.xml").
    void Put(const std::string& path, std::string_view bytes);
    // The shipped files back where inputs were put, the log's kept lines gone.
    void Reset();

private:
    void Link(const std::filesystem::path& shipped, const std::filesystem::path& mirror) const;

    Testing::FakeEngine fake_;
    std::vector<std::string> put_;
};

// The process's bed, made at the first call.
EngineBed& SharedEngineBed();

// Resets the shared bed when it goes, whatever way the read ends.
class BedInput {
public:
    BedInput() : bed_(SharedEngineBed()) {}
    ~BedInput() { bed_.Reset(); }
    BedInput(const BedInput&) = delete;
    BedInput& operator=(const BedInput&) = delete;

    EngineBed& Bed() { return bed_; }

private:
    EngineBed& bed_;
};

} // namespace Fuzzing
