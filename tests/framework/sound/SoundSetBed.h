#pragma once

#include "engine/sound/SoundManager.h"
#include "framework/sound/SoundSet.h"
#include "tests/support/FakeEngine.h"

#include <gtest/gtest.h>

#include <memory>

namespace Testing {

// The sound set on an engine with the fake sound device and clock, at the
// game's volumes; frames are of a length that adds up exactly in floats.
class SoundSetBed : public ::testing::Test {
protected:
    static constexpr double kFrame = 0.0625;

    // Starts the engine and makes the sound set; a test that scripts the
    // device or the ini file calls it itself after doing so.
    void Make(float musicVolume = 0.285f, float soundVolume = 0.315f);

    Halvard::SoundManager* Sounds() { return engine->GetSoundManager(); }
    // Device plays of the sound, looping or not.
    int Plays(const Halvard::Sound* sound);
    // The clock moves on, the timers take the time, the set updates.
    void Frames(int count);
    // The queued requests run.
    void Flush() { Sounds()->Update(true); }

    FakeEngine engine;
    std::unique_ptr<GameFramework::SoundSet> set;
};

} // namespace Testing
