#pragma once

#include <cstdint>

namespace Platform {

// What every call of the sound device answers: 0 for success, otherwise one
// of the failure codes below. The engine's result check knows each by text.
using AudioResult = int32_t;

constexpr AudioResult kAudioOk = 0;
constexpr AudioResult kAudioBadFormat = static_cast<AudioResult>(0x88780064);
constexpr AudioResult kAudioBufferLost = static_cast<AudioResult>(0x88780096);
constexpr AudioResult kAudioControlUnavailable = static_cast<AudioResult>(0x8878001E);
constexpr AudioResult kAudioGenericFailure = static_cast<AudioResult>(0x80004005);
constexpr AudioResult kAudioInvalidCall = static_cast<AudioResult>(0x88780032);
constexpr AudioResult kAudioInvalidParam = static_cast<AudioResult>(0x80070057);
constexpr AudioResult kAudioNoDriver = static_cast<AudioResult>(0x88780078);
constexpr AudioResult kAudioNoInterface = static_cast<AudioResult>(0x80004002);
constexpr AudioResult kAudioOutOfMemory = static_cast<AudioResult>(0x8007000E);

// Interleaved PCM: 8-bit unsigned or 16-bit signed little-endian samples.
struct AudioFormat {
    uint32_t channels = 0;
    uint32_t sampleRate = 0;
    uint32_t bitsPerSample = 0;
    // Bytes of one sample frame (all channels) and bytes of one second; both
    // must agree with the three fields above.
    uint32_t blockAlign = 0;
    uint32_t bytesPerSecond = 0;
};

// Capabilities asked for when a buffer is made.
enum AudioBufferFlag : uint32_t {
    // The whole sound lives in the buffer; without it the buffer is a stream
    // ring whose written regions are queued to play one after another.
    kAudioBufferStatic = 0x02,
    // A position in space (mono buffers only).
    kAudioBufferControl3D = 0x10,
    kAudioBufferControlFrequency = 0x20,
    kAudioBufferControlVolume = 0x80,
};

struct AudioBufferDesc {
    uint32_t flags = 0;
    // Bytes of sample memory: the sound for a static buffer, the ring for a
    // stream.
    uint32_t size = 0;
    AudioFormat format;
};

enum AudioStatus : uint32_t {
    kAudioStatusPlaying = 0x1,
    kAudioStatusLost = 0x2,
};

// How much of the device a program claims while its window is active.
enum AudioCooperation : uint32_t {
    kAudioCooperationNormal = 1,
    kAudioCooperationPriority = 2,
};

// Volumes are hundredths of a decibel from silence up to the sound as
// recorded; no volume amplifies.
constexpr int32_t kAudioVolumeSilent = -10000;
constexpr int32_t kAudioVolumeFull = 0;

// Playback frequencies in hertz; 0 plays at the buffer's own rate.
constexpr uint32_t kAudioFrequencyOriginal = 0;
constexpr uint32_t kAudioFrequencyMin = 100;
constexpr uint32_t kAudioFrequencyMax = 200000;

// Sample memory opened for writing: a range that runs past the end of the
// buffer continues at its start, in the second part.
struct AudioLock {
    uint8_t* first = nullptr;
    uint32_t firstSize = 0;
    uint8_t* second = nullptr;
    uint32_t secondSize = 0;
};

// A stretch of a stream's ring, in bytes.
struct AudioRegion {
    uint32_t offset = 0;
    uint32_t size = 0;
};

// Positions in the sound device's space: x right, y up, z forward, away from
// the listener.
struct AudioVector {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
};

} // namespace Platform
