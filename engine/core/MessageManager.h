#pragma once

#include "engine/core/Math.h"
#include "engine/core/Types.h"

#include <cstdio>
#include <mutex>
#include <string>
#include <vector>

namespace Halvard {

// The engine's HTML log: one line of HTML on black, coloured by level, plus
// the entries written since the last frame for the console. A line that
// cannot be written to the file goes to standard error instead. Any thread may
// write; one mutex keeps the file and the entries whole.
class MessageManager {
public:
    enum Level : u32 { kMessage = 0, kWarning = 1, kError = 2, kFatal = 3 };

    struct Entry {
        u32 level;
        std::string text;
    };

    MessageManager(const std::string& applicationName, bool enabled, bool reopen, const std::string& folder,
                   const std::string& logName);
    MessageManager(const MessageManager&) = delete;
    MessageManager& operator=(const MessageManager&) = delete;
    virtual ~MessageManager();

    void Write(u32 level, const std::string& text);
    // Writes raw HTML to the open file, each "\n" as "<BR>".
    void WriteHtml(const std::string& text);
    void LogMessage(const std::string& text);
    void LogWarning(const std::string& text);
    void LogError(const std::string& text);
    // Writes the line, then throws FatalError with the text.
    [[noreturn]] void LogFatal(const std::string& text);

    static std::string ColorToHtml(const Vector3& color);

    void ClearMessages();
    u32 GetLogEntryCount() const;
    // A copy, since another thread may write meanwhile.
    Entry GetLogEntry(u32 index) const;

    void SetSpacedMode(bool spaced);
    const std::string& GetLogPath() const { return logPath_; }

    // Opens the file afresh when it could not be opened at the start (its
    // folder took no file then), its first line saying that the lines before
    // went to standard error; nothing while it is open, when the log is off
    // or when it is opened for each line.
    void OpenFileLate();
    // The file is no longer this program's to write (another copy of the
    // program may write it now): later lines go to standard error.
    void CloseFile();

private:
    void WriteHeaderLocked();
    // False when the line did not reach the file.
    bool WriteLineLocked(u32 level, const std::string& text);
    void EchoToStandardError(const std::string& text) const;
    bool WriteHtmlLocked(const std::string& text);
    bool WriteColored(const Vector3& color, const std::string& text);
    void Open(const char* mode);
    bool Close();
    static std::string LocalTime();

    std::string applicationName_;
    std::string logPath_;
    bool spacedMode_ = true;
    bool enabled_;
    bool reopen_;
    std::FILE* file_ = nullptr;
    std::vector<Entry> entries_;
    mutable std::mutex mutex_;
};

} // namespace Halvard
