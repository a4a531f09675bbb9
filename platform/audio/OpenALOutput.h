#pragma once

#include "platform/audio/AudioTypes.h"

#include <AL/al.h>
#include <AL/alc.h>

#include <map>
#include <memory>
#include <optional>
#include <string>

namespace Platform {

// One opened OpenAL device and, once its mixing rate is known, its context.
// The device object and every buffer, listener and 3D buffer made from it
// share it, so the output closes only when the last of them has gone.
//
// Positions arrive in the sound device's left-handed space and leave for
// OpenAL's right-handed one with z negated. Main thread only.
class OpenALOutput {
public:
    // Null when the device cannot be opened. An empty name opens the
    // system's default output.
    static std::shared_ptr<OpenALOutput> OpenDevice(const std::string& name);
    // A device that mixes only when Render asks it to.
    static std::shared_ptr<OpenALOutput> OpenLoopback();

    OpenALOutput(const OpenALOutput&) = delete;
    OpenALOutput& operator=(const OpenALOutput&) = delete;
    ~OpenALOutput();

    // Makes the context that mixes at the rate. A context at another rate is
    // replaced only while no voice exists.
    AudioResult SetMixingRate(uint32_t rate);
    // A context for the voices, made at the device's usual 22050 Hz when no
    // rate has been chosen yet.
    AudioResult EnsureContext();
    // Makes the context current for the AL calls that follow and forgets any
    // error left pending by earlier calls.
    void MakeCurrent();
    // The first AL error since MakeCurrent, as a result.
    static AudioResult TakeError();

    // Voices (AL sources) count, so that the rate cannot change under them.
    void AddVoice();
    void RemoveVoice(ALuint source);

    // Deferred settings, and listener settings made before there is a
    // context, wait for CommitDeferredSettings.
    AudioResult SetListenerPosition(const AudioVector& position, bool deferred);
    AudioResult SetListenerOrientation(const AudioVector& front, const AudioVector& top, bool deferred);
    AudioResult SetSourcePosition(ALuint source, const AudioVector& position, bool deferred);
    // Applies every deferred listener and source setting.
    AudioResult CommitDeferredSettings();

    // Loopback devices only: mixes count frames of interleaved stereo floats
    // (full scale 1.0). False without a context.
    bool Render(float* frames, uint32_t count);

    uint32_t GetMixingRate() const { return rate_; }

private:
    OpenALOutput(ALCdevice* device, bool loopback);
    void DestroyContext();
    void ApplyListenerPosition(const AudioVector& position);
    void ApplyListenerOrientation(const AudioVector& front, const AudioVector& top);
    static void ApplySourcePosition(ALuint source, const AudioVector& position);

    struct Orientation {
        AudioVector front;
        AudioVector top;
    };

    ALCdevice* device_;
    ALCcontext* context_ = nullptr;
    bool loopback_;
    uint32_t rate_ = 0;
    uint32_t voices_ = 0;
    std::optional<AudioVector> pendingListenerPosition_;
    std::optional<Orientation> pendingOrientation_;
    std::map<ALuint, AudioVector> pendingSourcePositions_;
};

} // namespace Platform
