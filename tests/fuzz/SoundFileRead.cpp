#include "tests/fuzz/SoundFileRead.h"

#include "engine/sound/Sound.h"
#include "engine/sound/SoundManager.h"
#include "tests/fuzz/EngineBed.h"
#include "tests/fuzz/FuzzCheck.h"

#include <cstdint>

namespace Fuzzing {

namespace {

// Enough frames to play a stream's ring round once.
constexpr int kFrames = 4;

} // namespace

void ReadSound(std::string_view bytes, const std::string& extension)
{
    BedInput input;
    EngineBed& bed = input.Bed();
    // Sounds are named below the data folder.
    const std::string name = "fuzz\\sound." + extension;
    bed.Put("data\\" + name, bytes);
    Halvard::SoundManager& sounds = *bed->GetSoundManager();
    Halvard::Sound* sound = sounds.CreateSound(name);
    Check(sound != nullptr, "no sound, not even a silent one");
    sounds.PlaySound(sound, true);
    for (int frame = 0; frame < kFrames; ++frame) {
        // The device plays what is queued, so that a stream refills.
        for (Testing::FakeAudioBuffer* buffer : bed.Fake().audio.buffers)
            buffer->PlayOut(static_cast<std::uint32_t>(buffer->queued.size()));
        sounds.Update(true);
    }
    sounds.DestroySound(sound);
}

} // namespace Fuzzing
