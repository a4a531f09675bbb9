#pragma once

#include "engine/core/Types.h"

#include <string_view>
#include <vector>

namespace Tamrisk {

// The numbers the game plays its sounds by, and the files registered under
// them: the vocabulary shared by the logic, the objects of a level and the
// windows. Files are named by group ("menu", "music", "game") and name below
// the data folder's "audio\"; the registration picks the "wav" file of the
// name when there is one, else the "ogg".
enum EffectId : Halvard::u32 {
    kSoundVolumeSlider = 0,
    kSoundUpgrade = 1,
    kSoundWindowAppear = 2,
    kSoundWindowDisappear = 3,
    kSoundChargeScore = 4,
    kSoundLevelBegin = 5,
    kSoundLevelComplete = 6,
    kSoundLevelFailed = 7,
    kSoundHitHardBrick = 8,
    kSoundHitUnbreakableBrick = 9,
    kSoundCrashSimpleBrick0 = 10,
    kSoundCrashSimpleBrick1 = 11,
    kSoundCrashSimpleBrick2 = 12,
    kSoundCrashHardBrick = 13,
    kSoundCrashUnbreakableBrick = 14,
    kSoundCrashExplosiveBrick = 15,
    kSoundCrashBallKeeper = 16,
    kSoundBallHitBat = 17,
    kSoundBallHitFieldSimple = 18,
    kSoundBallHitFieldSuper = 19,
    kSoundBallHitBarrier = 20,
    kSoundBallLost = 21,
    kSoundBonusCreation = 22,
    kSoundBonusGet = 23,
    kSoundArbalestShot = 24,
    kSoundBallistaShot = 25,
    kSoundArbalestHitField = 26,
    kSoundBallistaHitField = 27,
    kSoundBatCreation = 28,
    kSoundBatDestruction = 29,
    kSoundHammer = 30,
};

enum MusicTrackId : Halvard::u32 { kMusicMenu = 0, kMusicGame = 1 };
enum MusicSlot : Halvard::u32 { kMenuMusicSlot = 0, kLevelMusicSlot = 1 };

struct SoundFileName {
    const char* group;
    const char* name;

    friend bool operator==(const SoundFileName& a, const SoundFileName& b)
    {
        return std::string_view(a.group) == b.group && std::string_view(a.name) == b.name;
    }
};

struct GuiSoundEntry {
    Halvard::u32 id;
    SoundFileName file;
};

struct MusicEntry {
    Halvard::u32 trackId;
    SoundFileName file;
    bool looped;
};

struct EffectEntry {
    Halvard::u32 id;
    SoundFileName file;
    bool looped;
    Halvard::u32 instances;
};

// Each in the order of registration; a GUI sound id given twice keeps both
// files, and the effect ids are not in registration order.
const std::vector<GuiSoundEntry>& GetGuiSoundTable();
const std::vector<MusicEntry>& GetMusicTable();
const std::vector<EffectEntry>& GetEffectTable();
// Every file the three tables name, each once, in the order first named.
std::vector<SoundFileName> GetRegisteredSoundFiles();

} // namespace Tamrisk
