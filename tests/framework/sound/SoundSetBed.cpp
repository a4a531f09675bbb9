#include "tests/framework/sound/SoundSetBed.h"

#include "engine/sound/Sound.h"

namespace Testing {

void SoundSetBed::Make(float musicVolume, float soundVolume)
{
    engine.Start();
    set = std::make_unique<GameFramework::SoundSet>(&engine.Get(), musicVolume, soundVolume);
}

// The device's buffers are made in the order of the sounds, one each.
int SoundSetBed::Plays(const Halvard::Sound* sound)
{
    Halvard::SoundManager* sounds = Sounds();
    for (Halvard::u32 i = 0; i < sounds->GetSoundCount(); ++i) {
        if (sounds->GetSound(i) == sound) {
            const FakeAudioBuffer* buffer = engine.audio.Buffer(i);
            return buffer->CountCalls("Play 0") + buffer->CountCalls("Play 1");
        }
    }
    return 0;
}

void SoundSetBed::Frames(int count)
{
    for (int i = 0; i < count; ++i) {
        engine.Step(kFrame);
        set->Update();
    }
}

} // namespace Testing
