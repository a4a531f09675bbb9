#include "engine/core/MessageManager.h"

#include "engine/core/Error.h"
#include "engine/core/PathUtils.h"
#include "engine/core/StringUtils.h"
#include "platform/os/Paths.h"

#include <cmath>
#include <ctime>

namespace Halvard {

namespace {

const Vector3 kWhite(1.0f, 1.0f, 1.0f);
const Vector3 kGreen(0.0f, 1.0f, 0.0f);
const Vector3 kBlack(0.0f, 0.0f, 0.0f);

Vector3 LevelColor(u32 level)
{
    switch (level) {
    case MessageManager::kWarning:
        return Vector3(0.5f, 0.5f, 0.5f);
    case MessageManager::kError:
    case MessageManager::kFatal:
        return Vector3(1.0f, 0.0f, 0.0f);
    default:
        return kWhite;
    }
}

bool IsWhite(const Vector3& color)
{
    return NearlyEqual(color.x, 1.0f) && NearlyEqual(color.y, 1.0f) && NearlyEqual(color.z, 1.0f);
}

std::string BuildLogPath(const std::string& folder, const std::string& name)
{
    const std::string file = name + ".html";
    if (folder.empty())
        return GetApplicationFolder() + "\\" + file;
    if (IsAbsolutePath(folder))
        return folder + "\\" + file;
    return GetApplicationFolder() + "\\" + folder + "\\" + file;
}

} // namespace

MessageManager::MessageManager(const std::string& applicationName, bool enabled, bool reopen, const std::string& folder,
                               const std::string& logName)
    : applicationName_(applicationName), enabled_(enabled), reopen_(reopen)
{
    if (!enabled_)
        return;
    logPath_ = BuildLogPath(folder, logName.empty() ? applicationName_ : logName);
    // A first run has no log folder yet.
    const std::string nativePath = Platform::ToNativePath(logPath_);
    Platform::CreateFolder(nativePath.substr(0, nativePath.find_last_of('/')));

    std::lock_guard<std::mutex> lock(mutex_);
    Open("w");
    WriteHeaderLocked();
    if (reopen_)
        Close();
}

void MessageManager::WriteHeaderLocked()
{
    WriteHtmlLocked("<HTML>");
    WriteHtmlLocked("<HEAD>");
    WriteHtmlLocked("<TITLE>" + applicationName_ + " Log</TITLE>");
    WriteHtmlLocked("</HEAD>");
    WriteHtmlLocked("<BODY bgcolor=\"" + ColorToHtml(kBlack) + "\">");
    WriteHtmlLocked("<FONT color=\"" + ColorToHtml(kWhite) + "\">");
    WriteColored(kWhite, "======== ");
    WriteColored(kGreen, applicationName_ + " Log: " + LocalTime());
    WriteColored(kWhite, " ========\n\n");
}

// The lines written so far are not kept: the console takes them each frame.
void MessageManager::OpenFileLate()
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (!enabled_ || reopen_ || file_ != nullptr)
        return;
    Open("w");
    WriteHeaderLocked();
    WriteLineLocked(kMessage, "Log opened late: the lines before this one went to standard error\n");
}

void MessageManager::CloseFile()
{
    std::lock_guard<std::mutex> lock(mutex_);
    Close();
    reopen_ = false;
}

MessageManager::~MessageManager()
{
    if (!enabled_)
        return;
    std::lock_guard<std::mutex> lock(mutex_);
    if (reopen_)
        Open("a");
    if (file_ == nullptr)
        return;
    WriteColored(kWhite, "\n======== ");
    WriteColored(kGreen, applicationName_ + " Log end: " + LocalTime());
    WriteColored(kWhite, " ========\n");
    WriteHtmlLocked("</FONT>");
    WriteHtmlLocked("</BODY>");
    WriteHtmlLocked("</HTML>");
    Close();
}

void MessageManager::Write(u32 level, const std::string& text)
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (enabled_ && !WriteLineLocked(level, text))
        EchoToStandardError(text);
    entries_.push_back(Entry{level, text});
}

bool MessageManager::WriteLineLocked(u32 level, const std::string& text)
{
    const Vector3 color = LevelColor(level);
    if (reopen_)
        Open("a");
    bool written = file_ != nullptr && (IsWhite(color) ? WriteHtmlLocked(text) : WriteColored(color, text));
    // Every line reaches the file at once, so a program that crashes or is
    // killed leaves the lines up to that moment, and a watcher of the running
    // program reads them.
    if (reopen_)
        written = Close() && written;
    else if (file_ != nullptr)
        written = std::fflush(file_) == 0 && written;
    return written;
}

// A log that cannot be written (a full disk, a folder that cannot be made)
// would swallow the very lines that say what went wrong.
void MessageManager::EchoToStandardError(const std::string& text) const
{
    const std::size_t first = text.find_first_not_of('\n');
    if (first == std::string::npos)
        return;
    const std::size_t last = text.find_last_not_of('\n');
    const std::string line = applicationName_ + ": " + text.substr(first, last - first + 1) + "\n";
    std::fputs(line.c_str(), stderr);
}

void MessageManager::WriteHtml(const std::string& text)
{
    std::lock_guard<std::mutex> lock(mutex_);
    WriteHtmlLocked(text);
}

void MessageManager::LogMessage(const std::string& text) { Write(kMessage, spacedMode_ ? text + "\n" : text); }

void MessageManager::LogWarning(const std::string& text)
{
    Write(kWarning, spacedMode_ ? "\nWarning: " + text + "!\n\n" : "Warning: " + text + "!\n");
}

void MessageManager::LogError(const std::string& text)
{
    Write(kError, spacedMode_ ? "\nError: " + text + "!\n\n" : "Error: " + text + "!\n");
}

void MessageManager::LogFatal(const std::string& text)
{
    Write(kFatal, "PROGRAM ABORTING: " + text + "\n");
    throw FatalError(text);
}

std::string MessageManager::ColorToHtml(const Vector3& color)
{
    return "#" + UIntToHexString(static_cast<u32>(color.x * 255.0f), 2) +
           UIntToHexString(static_cast<u32>(color.y * 255.0f), 2) +
           UIntToHexString(static_cast<u32>(color.z * 255.0f), 2);
}

void MessageManager::ClearMessages()
{
    std::lock_guard<std::mutex> lock(mutex_);
    entries_.clear();
}

u32 MessageManager::GetLogEntryCount() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return static_cast<u32>(entries_.size());
}

MessageManager::Entry MessageManager::GetLogEntry(u32 index) const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return entries_.at(index);
}

void MessageManager::SetSpacedMode(bool spaced) { spacedMode_ = spaced; }

bool MessageManager::WriteHtmlLocked(const std::string& text)
{
    if (file_ == nullptr)
        return false;
    std::string html;
    html.reserve(text.size());
    for (char c : text) {
        if (c == '\n')
            html += "<BR>";
        else
            html += c;
    }
    return std::fwrite(html.data(), 1, html.size(), file_) == html.size();
}

bool MessageManager::WriteColored(const Vector3& color, const std::string& text)
{
    return WriteHtmlLocked("<FONT color=\"" + ColorToHtml(color) + "\">" + text + "</FONT>");
}

void MessageManager::Open(const char* mode) { file_ = std::fopen(Platform::ToNativePath(logPath_).c_str(), mode); }

bool MessageManager::Close()
{
    const bool closed = file_ != nullptr && std::fclose(file_) == 0;
    file_ = nullptr;
    return closed;
}

std::string MessageManager::LocalTime()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[64];
    // The fixed-width form of ctime: "Wed Jun 30 21:49:08 1993".
    std::strftime(text, sizeof(text), "%a %b %e %H:%M:%S %Y", &local);
    return text;
}

} // namespace Halvard
