#pragma once

#include "tests/support/LogProbe.h"
#include "tests/support/TempFolder.h"

#include <chrono>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <sys/resource.h>

namespace Testing {

struct ProgramRunSettings {
    // The built program, and the data folder that goes beside its copy.
    std::filesystem::path program;
    std::filesystem::path dataFolder;
    // How long the log must have stayed unchanged, at the end of the run
    // time, before the run counts as settled.
    std::chrono::milliseconds settleTime{1500};
    // How long the program runs at least once its window is made, whatever
    // its log does: time for the windows the test wants to have come up.
    std::chrono::milliseconds runTime{0};
    // The longest wait for the window and for the quiet.
    std::chrono::milliseconds stepTimeout{30000};
    // The longest wait for the exit. Under the screenless drivers nothing
    // paces the frames: a GL that draws on threads of its own may owe many of
    // them when the program quits and draws them all as the program lets go
    // of its GL context, which on a machine busy with other tests takes a
    // while.
    std::chrono::milliseconds exitTimeout{120000};
    // The program runs without the two capabilities that let the superuser
    // read and write past the permission bits, so that a folder closed to
    // writing is closed to it too. Without them to begin with, nothing changes.
    bool permissionsHonoured = false;
    // A limit on the size of the files the program may write (ulimit -f),
    // with SIGXFSZ as a shell leaves it; none keeps the runner's own.
    std::optional<rlim_t> fileSizeLimit{};
};

struct ProgramRunResult {
    // The exit status, or none when a signal ended the program.
    std::optional<int> exitStatus;
    std::string standardError;
    // The HTML log, wherever the program wrote it (relative to the temporary
    // folder: "program/Halvard.html"); none when it wrote none.
    std::filesystem::path logFile;
    std::optional<LogProbe> log;
};

// Starts the real program from a temporary program folder holding copies of
// the program and its data, with HOME and the XDG folders temporary too and
// the offscreen video and null sound drivers, drawing on one thread. Run
// waits until the log (or, where the log cannot be written, standard error)
// says "Window creation:", then until the program has run the run time since
// and its log has stayed unchanged for the last settle time, sends SIGTERM
// (a quit request to the program) and waits for the exit. A step that times
// out kills the program and throws std::runtime_error saying which step. The
// folders go with the runner.
class ProgramRunner {
public:
    explicit ProgramRunner(ProgramRunSettings settings);

    // With whileRunning given, it is called once the program has settled,
    // before the quit request.
    ProgramRunResult Run(const std::function<void()>& whileRunning = {});
    // Starts another copy on the same folders and waits for it to end by
    // itself (the exit timeout at most); its standard error is its own. For
    // a copy that is meant to stop at start.
    ProgramRunResult RunToTheEnd();

    const std::filesystem::path& ProgramFolder() const { return programFolder_; }
    // Where the program keeps its ini, log and saves under the temporary home.
    std::filesystem::path UserFolder() const;

private:
    std::filesystem::path FindLog() const;
    std::string ReadLog() const;
    void WaitForWindow(int child) const;
    void WaitUntilQuiet(int child) const;
    std::optional<int> WaitForExit(int child, const std::filesystem::path& errors) const;
    [[noreturn]] void Abandon(int child, const std::string& step,
                              const std::filesystem::path& errors) const;

    ProgramRunSettings settings_;
    TempFolder folder_;
    std::filesystem::path programFolder_;
    std::filesystem::path home_;
};

} // namespace Testing
