#include "engine/gui/GUISoundManager.h"

#include "engine/core/Timer.h"
#include "engine/core/TimerManager.h"
#include "engine/sound/Sound.h"
#include "engine/sound/SoundManager.h"

#include <cmath>

namespace Halvard {

namespace {

// Within this many seconds of an id's last start it is not started again.
constexpr float kRestartGuardSeconds = 0.01f;

} // namespace

GUISoundManager::GUISoundManager(TimerManager* timers, SoundManager* sounds) : timers_(timers), sounds_(sounds) {}

GUISoundManager::~GUISoundManager()
{
    for (auto& [id, list] : entries_) {
        for (auto& entry : list)
            sounds_->DestroySound(entry->sound);
    }
}

void GUISoundManager::AddSound(u32 id, const std::string& fileName)
{
    if (sounds_ == nullptr)
        return;
    auto entry = std::make_unique<GUISoundEntry>();
    entry->sound = sounds_->CreateSound(fileName);
    entry->sound->SetVolume(volume_);
    entries_[id].push_back(std::move(entry));
}

void GUISoundManager::Play(u32 id)
{
    if (sounds_ == nullptr)
        return;
    const auto found = entries_.find(id);
    if (found == entries_.end() || found->second.empty())
        return;
    const float now = timers_->GetMainTimer()->GetTime();
    GUISoundEntry* oldest = nullptr;
    for (const auto& entry : found->second) {
        if (std::fabs(now - entry->lastStart) < kRestartGuardSeconds)
            return;
        if (oldest == nullptr || entry->lastStart < oldest->lastStart)
            oldest = entry.get();
    }
    sounds_->PlaySound(oldest->sound, true);
    oldest->lastStart = now;
}

std::vector<const GUISoundEntry*> GUISoundManager::GetEntries(u32 id) const
{
    std::vector<const GUISoundEntry*> list;
    const auto found = entries_.find(id);
    if (found != entries_.end()) {
        for (const auto& entry : found->second)
            list.push_back(entry.get());
    }
    return list;
}

} // namespace Halvard
