#pragma once

#include "engine/sound/SoundFileReader.h"

namespace Halvard {

// The silence that stands in for a sound file that is missing, unreadable
// or of an unknown type: eight bytes of 8-bit mono at 22050 Hz.
class SoundFileReaderEMP : public SoundFileReader {
public:
    SoundFileReaderEMP(MessageManager* messages, FileManager* files);

    void Rewind() override;
    void Read(u8* destination, u32 count, u32& bytesRead, bool& end) override;

private:
    u32 position_ = 0;
};

} // namespace Halvard
