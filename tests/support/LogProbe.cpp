#include "tests/support/LogProbe.h"

#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>

namespace Testing {

namespace {

using Halvard::MessageManager;

std::string WithoutTags(const std::string& html)
{
    std::string text;
    bool inTag = false;
    for (char c : html) {
        if (c == '<')
            inTag = true;
        else if (c == '>')
            inTag = false;
        else if (!inTag)
            text += c;
    }
    return text;
}

Halvard::u32 LevelOfLine(const std::string& line)
{
    if (line.find("PROGRAM ABORTING: ") != std::string::npos)
        return MessageManager::kFatal;
    if (line.rfind("Error: ", 0) == 0)
        return MessageManager::kError;
    if (line.rfind("Warning: ", 0) == 0)
        return MessageManager::kWarning;
    return MessageManager::kMessage;
}

std::string WithoutBlankLines(std::string text)
{
    text.erase(0, text.find_first_not_of('\n'));
    text.erase(text.find_last_not_of('\n') + 1);
    return text;
}

bool IsError(Halvard::u32 level) { return level == MessageManager::kError || level == MessageManager::kFatal; }

} // namespace

LogProbe::LogProbe(const MessageManager& log)
{
    const Halvard::u32 count = log.GetLogEntryCount();
    entries_.reserve(count);
    for (Halvard::u32 i = 0; i < count; ++i)
        entries_.push_back(log.GetLogEntry(i));
}

LogProbe LogProbe::FromHtmlFile(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read the log " + file.string());
    const std::string html{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    std::vector<Entry> entries;
    static const std::string kBreak = "<BR>";
    for (std::size_t at = 0; at <= html.size();) {
        std::size_t end = html.find(kBreak, at);
        if (end == std::string::npos)
            end = html.size();
        const std::string line = WithoutTags(html.substr(at, end - at));
        if (!line.empty())
            entries.push_back(Entry{LevelOfLine(line), line});
        at = end + kBreak.size();
    }
    return LogProbe(std::move(entries));
}

std::vector<std::string> LogProbe::Texts() const
{
    std::vector<std::string> texts;
    for (const Entry& entry : entries_)
        texts.push_back(entry.text);
    return texts;
}

std::vector<std::string> LogProbe::Texts(Halvard::u32 level) const
{
    std::vector<std::string> texts;
    for (const Entry& entry : entries_) {
        if (entry.level == level)
            texts.push_back(entry.text);
    }
    return texts;
}

std::vector<std::string> LogProbe::Lines(Halvard::u32 level) const
{
    std::vector<std::string> lines;
    for (const Entry& entry : entries_) {
        if (entry.level == level)
            lines.push_back(WithoutBlankLines(entry.text));
    }
    return lines;
}

std::string LogProbe::Joined() const
{
    std::string text;
    for (const Entry& entry : entries_)
        text += entry.text;
    return text;
}

std::size_t LogProbe::Count(const std::string& text) const
{
    std::size_t count = 0;
    for (const Entry& entry : entries_)
        count += entry.text == text ? 1 : 0;
    return count;
}

bool LogProbe::Contains(const std::string& part) const
{
    for (const Entry& entry : entries_) {
        if (entry.text.find(part) != std::string::npos)
            return true;
    }
    return false;
}

std::size_t LogProbe::CountAt(Halvard::u32 level) const
{
    std::size_t count = 0;
    for (const Entry& entry : entries_)
        count += entry.level == level ? 1 : 0;
    return count;
}

std::vector<std::string> LogProbe::ErrorLines() const
{
    std::vector<std::string> lines;
    for (const Entry& entry : entries_) {
        if (IsError(entry.level))
            lines.push_back(WithoutBlankLines(entry.text));
    }
    return lines;
}

} // namespace Testing
