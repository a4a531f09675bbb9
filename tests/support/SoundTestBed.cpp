#include "tests/support/SoundTestBed.h"

#include "tests/support/LogProbe.h"

#include <algorithm>

namespace Testing {

SoundTestBed::SoundTestBed()
    : files(&messages, folder.Internal(), ""), scopedDriver(driver)
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
    std::vector<std::string> lines = LogProbe(messages).Texts();
    for (std::string& text : lines) {
        if (!text.empty() && text.back() == '\n')
            text.pop_back();
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
    return static_cast<int>(LogProbe(messages).CountAt(Halvard::MessageManager::kError));
}

} // namespace Testing
