#pragma once

#include "engine/core/Types.h"

#include <deque>
#include <memory>
#include <string>
#include <vector>

namespace Halvard {

class FileManager;
class MessageManager;
class SoundBuffer;
class SoundSystem;

// Owns every sound buffer. Each request gets a buffer of its own; a static
// sound already loaded is duplicated instead of read again, a stream always
// reads its file anew. Main thread only.
class SoundBufferManager {
public:
    SoundBufferManager(MessageManager* messages, FileManager* files, SoundSystem* system);
    SoundBufferManager(const SoundBufferManager&) = delete;
    SoundBufferManager& operator=(const SoundBufferManager&) = delete;
    virtual ~SoundBufferManager();

    // The name is compared lower-cased.
    SoundBuffer* GetBuffer(const std::string& name);
    // Deletes the buffer; null does nothing.
    void ReleaseBuffer(SoundBuffer* buffer);
    // Every live buffer's per-frame step, in the order they were handed out.
    void Update();

    u32 GetBufferCount() const { return static_cast<u32>(live_.size()); }

private:
    MessageManager* messages_;
    FileManager* files_;
    SoundSystem* system_;
    std::deque<u32> freeSlots_;
    std::vector<u32> live_;
    std::vector<std::unique_ptr<SoundBuffer>> slots_;
};

} // namespace Halvard
