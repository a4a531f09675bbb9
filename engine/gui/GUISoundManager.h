#pragma once

#include "engine/core/Types.h"
#include "engine/gui/GUISoundEntry.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace Halvard {

class SoundManager;
class TimerManager;

// The GUI's short sounds by numeric id: several recordings of one id take
// turns, and an id never starts again within 10 ms of its last start, so two
// widgets reacting to one click make one sound. Without a sound manager it
// does nothing. Keeps plain pointers to the timers and the sound manager,
// which must outlive it. Main thread only.
class GUISoundManager {
public:
    // Widgets' ids: what each one plays.
    enum Id : u32 {
        kButtonOver = 0,
        kButtonClick = 1,
        kCheckBoxOver = 2,
        kCheckBoxClick = 3,
        kSliderThumbOver = 4,
        kSliderThumbClick = 5,
        kScrollThumbOver = 6,
        kScrollThumbClick = 7,
        kScrollArrowOver = 8,
        kScrollArrowClick = 9,
        kEditBoxTyping = 10,
    };

    // The sound manager may be null.
    GUISoundManager(TimerManager* timers, SoundManager* sounds);
    GUISoundManager(const GUISoundManager&) = delete;
    GUISoundManager& operator=(const GUISoundManager&) = delete;
    // Destroys every recording through the sound manager.
    virtual ~GUISoundManager();

    // One more recording under the id, at the manager's volume.
    void AddSound(u32 id, const std::string& fileName);
    // Starts the recording of the id that started longest ago, unless one of
    // them started less than 10 ms ago; an unknown id plays nothing.
    void Play(u32 id);

    float GetVolume() const { return volume_; }
    // Recordings of the id in the order they were added; empty when unknown.
    std::vector<const GUISoundEntry*> GetEntries(u32 id) const;

private:
    TimerManager* timers_;
    SoundManager* sounds_;
    std::map<u32, std::vector<std::unique_ptr<GUISoundEntry>>> entries_;
    float volume_ = 1.0f;
};

} // namespace Halvard
