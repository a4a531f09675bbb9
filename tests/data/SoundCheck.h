#pragma once

#include "engine/sound/SoundFileReader.h"

#include <string>
#include <vector>

namespace Testing {

// What a shipped sound must be, from its place: the menu and game sounds are
// 16-bit mono PCM at 22050 Hz lasting 0.05 to 2 s, except the looping ones;
// music is stereo 44100 Hz and long enough to be streamed. Every sound is
// 16-bit, never reaches full scale, is not silent, has no DC offset, and a
// loop has no click where its end meets its start.
std::vector<std::string> CheckSoundQuality(Halvard::SoundFileReader& reader, const std::string& path);

} // namespace Testing
