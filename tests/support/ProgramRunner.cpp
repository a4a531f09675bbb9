#include "tests/support/ProgramRunner.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <linux/capability.h>
#include <optional>
#include <stdexcept>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace Testing {

namespace fs = std::filesystem;

namespace {

using Clock = std::chrono::steady_clock;
constexpr std::chrono::milliseconds kPoll{50};

std::string ReadWhole(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The caller's environment with the program's folders and drivers replaced.
std::vector<std::string> ChildEnvironment(const fs::path& home)
{
    const std::vector<std::pair<std::string, std::string>> replaced = {
        {"HOME", home.string()},
        {"XDG_DATA_HOME", (home / ".local" / "share").string()},
        {"XDG_CONFIG_HOME", (home / ".config").string()},
        {"XDG_CACHE_HOME", (home / ".cache").string()},
        {"XDG_STATE_HOME", (home / ".local" / "state").string()},
        {"XDG_CONFIG_DIRS", (home / "etc-xdg").string()},
        {"XDG_DATA_DIRS", (home / "usr-share").string()},
        {"SDL_VIDEODRIVER", "offscreen"},
        {"ALSOFT_DRIVERS", "null"},
        // Nothing paces the frames of a program without a screen: the
        // threads of Mesa's software rasteriser (llvmpipe) would draw them on
        // every core, and still owe a queue of them at the exit. Drawn on the
        // program's own thread, they keep a run to one core.
        {"LP_NUM_THREADS", "0"},
    };
    std::vector<std::string> environment;
    for (char** variable = environ; *variable != nullptr; ++variable) {
        const std::string text = *variable;
        bool keep = true;
        for (const auto& [name, value] : replaced)
            keep = keep && text.rfind(name + "=", 0) != 0;
        if (keep)
            environment.push_back(text);
    }
    for (const auto& [name, value] : replaced)
        environment.push_back(name + "=" + value);
    return environment;
}

// Dropped from the bounding set, the capabilities are gone from the program
// the child becomes, although it runs as the superuser. A child that may not
// drop them has none to drop.
void DropPermissionOverrides()
{
    prctl(PR_CAPBSET_DROP, CAP_DAC_OVERRIDE, 0, 0, 0);
    prctl(PR_CAPBSET_DROP, CAP_DAC_READ_SEARCH, 0, 0, 0);
}

// Copies what the program writes to its standard error, a pipe, into the
// file as it comes: a file-size limit may keep the program from writing a
// file, not the runner. Done once every holder of the pipe's other end has
// closed it.
class ErrorCopy {
public:
    ErrorCopy(int pipeEnd, const fs::path& file) : thread_([pipeEnd, file] { Copy(pipeEnd, file); }) {}
    ~ErrorCopy() { thread_.join(); }
    ErrorCopy(const ErrorCopy&) = delete;
    ErrorCopy& operator=(const ErrorCopy&) = delete;

private:
    static void Copy(int pipeEnd, const fs::path& file)
    {
        std::ofstream out(file, std::ios::binary);
        char buffer[4096];
        ssize_t count = 0;
        while ((count = read(pipeEnd, buffer, sizeof buffer)) != 0) {
            if (count > 0)
                out.write(buffer, count).flush();
            else if (errno != EINTR)
                break;
        }
        close(pipeEnd);
    }

    std::thread thread_;
};

// Only async-signal-safe calls happen between fork and exec.
int Start(const fs::path& program, const fs::path& errors, const std::vector<std::string>& environment,
          const ProgramRunSettings& settings, std::optional<ErrorCopy>& errorCopy)
{
    std::vector<char*> variables;
    for (const std::string& variable : environment)
        variables.push_back(const_cast<char*>(variable.c_str()));
    variables.push_back(nullptr);
    const std::string path = program.string();
    const std::string folder = program.parent_path().string();
    char* arguments[] = {const_cast<char*>(path.c_str()), nullptr};
    int errorPipe[2];
    if (pipe2(errorPipe, O_CLOEXEC) != 0)
        throw std::runtime_error("cannot make a pipe for " + path);
    const pid_t child = fork();
    if (child < 0)
        throw std::runtime_error("cannot start " + path);
    if (child == 0) {
        const int nothing = open("/dev/null", O_RDWR);
        if (nothing < 0 || dup2(errorPipe[1], 2) < 0 || dup2(nothing, 1) < 0 || dup2(nothing, 0) < 0 ||
            chdir(folder.c_str()) != 0)
            _exit(127);
        if (settings.permissionsHonoured)
            DropPermissionOverrides();
        if (settings.fileSizeLimit.has_value()) {
            rlimit limit{};
            getrlimit(RLIMIT_FSIZE, &limit);
            limit.rlim_cur = *settings.fileSizeLimit;
            signal(SIGXFSZ, SIG_DFL);
            if (setrlimit(RLIMIT_FSIZE, &limit) != 0)
                _exit(127);
        }
        execve(path.c_str(), arguments, variables.data());
        _exit(127);
    }
    close(errorPipe[1]);
    errorCopy.emplace(errorPipe[0], errors);
    return child;
}

bool HasEnded(int child, int& status)
{
    return waitpid(child, &status, WNOHANG) == child;
}

} // namespace

ProgramRunner::ProgramRunner(ProgramRunSettings settings)
    : settings_(std::move(settings)), programFolder_(folder_.Path() / "program"), home_(folder_.Path() / "home")
{
    fs::create_directories(programFolder_);
    fs::create_directories(home_);
    fs::copy_file(settings_.program, programFolder_ / settings_.program.filename());
    fs::copy(settings_.dataFolder, programFolder_ / "data", fs::copy_options::recursive);
}

fs::path ProgramRunner::UserFolder() const { return home_ / ".local" / "share" / "Quenbyworks" / "Tamrisk"; }

fs::path ProgramRunner::FindLog() const
{
    for (const fs::path& folder : {programFolder_, home_}) {
        for (const fs::directory_entry& entry : fs::recursive_directory_iterator(folder)) {
            if (entry.is_regular_file() && entry.path().extension() == ".html")
                return entry.path();
        }
    }
    return {};
}

std::string ProgramRunner::ReadLog() const
{
    const fs::path log = FindLog();
    return log.empty() ? std::string() : ReadWhole(log);
}

void ProgramRunner::Abandon(int child, const std::string& step, const fs::path& errors) const
{
    kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    throw std::runtime_error("the program " + step + "; stderr: " + ReadWhole(errors) + "; log: " + ReadLog());
}

void ProgramRunner::WaitForWindow(int child) const
{
    const Clock::time_point end = Clock::now() + settings_.stepTimeout;
    const fs::path errors = folder_.Path() / "stderr.txt";
    while ((ReadLog() + ReadWhole(errors)).find("Window creation:") == std::string::npos) {
        int status = 0;
        if (HasEnded(child, status))
            throw std::runtime_error("the program ended before it made its window; stderr: " + ReadWhole(errors) +
                                     "; log: " + ReadLog());
        if (Clock::now() > end)
            Abandon(child, "made no window in time", errors);
        std::this_thread::sleep_for(kPoll);
    }
}

// The quiet counts from the window's making, so that a run time and a
// settle time overlap rather than add up.
void ProgramRunner::WaitUntilQuiet(int child) const
{
    const Clock::time_point start = Clock::now();
    const Clock::time_point end = start + settings_.runTime + settings_.stepTimeout;
    std::string seen = ReadLog();
    Clock::time_point changed = start;
    while (Clock::now() - start < settings_.runTime || Clock::now() - changed < settings_.settleTime) {
        if (Clock::now() > end)
            Abandon(child, "kept writing its log", folder_.Path() / "stderr.txt");
        std::this_thread::sleep_for(kPoll);
        std::string now = ReadLog();
        if (now != seen) {
            seen = std::move(now);
            changed = Clock::now();
        }
    }
}

std::optional<int> ProgramRunner::WaitForExit(int child, const fs::path& errors) const
{
    const Clock::time_point end = Clock::now() + settings_.exitTimeout;
    int status = 0;
    while (!HasEnded(child, status)) {
        if (Clock::now() > end)
            Abandon(child, "did not end in time", errors);
        std::this_thread::sleep_for(kPoll);
    }
    if (WIFEXITED(status))
        return WEXITSTATUS(status);
    return std::nullopt;
}

ProgramRunResult ProgramRunner::Run(const std::function<void()>& whileRunning)
{
    const fs::path errors = folder_.Path() / "stderr.txt";
    std::optional<ErrorCopy> errorCopy;
    const int child =
        Start(programFolder_ / settings_.program.filename(), errors, ChildEnvironment(home_), settings_, errorCopy);
    WaitForWindow(child);
    WaitUntilQuiet(child);
    if (whileRunning)
        whileRunning();
    kill(child, SIGTERM);
    ProgramRunResult result;
    result.exitStatus = WaitForExit(child, errors);
    errorCopy.reset();
    result.standardError = ReadWhole(errors);
    const fs::path log = FindLog();
    if (!log.empty()) {
        result.logFile = log.lexically_relative(folder_.Path());
        result.log = LogProbe::FromHtmlFile(log);
    }
    return result;
}

ProgramRunResult ProgramRunner::RunToTheEnd()
{
    const fs::path errors = folder_.Path() / "stderr-to-the-end.txt";
    std::optional<ErrorCopy> errorCopy;
    const int child =
        Start(programFolder_ / settings_.program.filename(), errors, ChildEnvironment(home_), settings_, errorCopy);
    ProgramRunResult result;
    result.exitStatus = WaitForExit(child, errors);
    errorCopy.reset();
    result.standardError = ReadWhole(errors);
    return result;
}

} // namespace Testing
