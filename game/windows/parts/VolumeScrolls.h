#pragma once

#include "engine/core/Types.h"

namespace Halvard {
class GUIScroll;
}

namespace GameFramework {
class SoundSet;
}

namespace Tamrisk {

// The two volume scroll bars the options and the in-game menu share: one
// position per thousandth of the volume, an arrow step of 0.03. The sound
// set follows the bars while they move, and the effects bar plays the
// volume sample while it is held. Either bar may be missing (the
// description lacks it); it is then skipped. The scroll bars and the sound
// set must outlive this object. Main thread only.
class VolumeScrolls {
public:
    static constexpr Halvard::u32 kPositionCount = 1001;
    static constexpr Halvard::u32 kArrowStep = 30;
    // A bar's volume replaces the sound set's only when they differ by
    // more than this: a bar set from a volume reads it back within it.
    static constexpr float kTolerance = 0.001f;

    VolumeScrolls(Halvard::GUIScroll* sound, Halvard::GUIScroll* music, GameFramework::SoundSet* sounds);

    // The bars stand at the whole thousandths of the volumes, cut toward
    // zero; the product is taken in double, so that a volume held just
    // below a thousandth (0.285 as a float) stands one below it.
    void Show(float soundVolume, float musicVolume);
    // Once a frame while the window is visible: the volumes follow the
    // bars, and the sample plays while the effects bar is held.
    void Follow();

    static Halvard::u32 PositionOf(float volume);

private:
    void PlaySample();

    Halvard::GUIScroll* sound_;
    Halvard::GUIScroll* music_;
    GameFramework::SoundSet* sounds_;
};

} // namespace Tamrisk
