#include "tests/engine/sound/SoundTestBed.h"

#include <algorithm>

namespace Testing {

SoundTestBed::SoundTestBed()
    : messages("", false, false, "", ""), files(&messages, folder.Internal(), ""), scopedDriver(driver)
{
    messages.SetSpacedMode(false);
}

void SoundTestBed::StartSound(bool sound3D)
{
    system = std::make_unique<Halvard::SoundSystem_DS7>(&messages, &files, nullptr, sound3D);
    manager = std::make_unique<Halvard::SoundManager>(&messages, &files, system.get());
}

void SoundTestBed::WriteSound(const std::string& name, const std::string& bytes) const
{
    folder.WriteFile("data\\" + name, bytes);
}

std::vector<std::string> SoundTestBed::LogLines() const
{
    std::vector<std::string> lines;
    for (Halvard::u32 i = 0; i < messages.GetLogEntryCount(); ++i) {
        std::string text = messages.GetLogEntry(i).text;
        if (!text.empty() && text.back() == '\n')
            text.pop_back();
        lines.push_back(text);
    }
    return lines;
}

bool SoundTestBed::Logged(const std::string& line) const
{
    const std::vector<std::string> lines = LogLines();
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

int SoundTestBed::CountErrors() const
{
    int count = 0;
    for (Halvard::u32 i = 0; i < messages.GetLogEntryCount(); ++i)
        count += messages.GetLogEntry(i).level == Halvard::MessageManager::kError ? 1 : 0;
    return count;
}

} // namespace Testing
