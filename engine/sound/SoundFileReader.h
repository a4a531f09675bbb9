#pragma once

#include "engine/core/Types.h"

#include <memory>
#include <string>

namespace Halvard {

class FileBinary;
class FileManager;
class MessageManager;

// Turns one sound file into a stream of PCM bytes of a known format. The
// reader owns its file. Any one thread at a time.
class SoundFileReader {
public:
    // Opens the file at the name's data path; a file that cannot be opened
    // throws FileError.
    SoundFileReader(MessageManager* messages, FileManager* files, const std::string& name);
    // A reader without a file.
    SoundFileReader(MessageManager* messages, FileManager* files);
    SoundFileReader(const SoundFileReader&) = delete;
    SoundFileReader& operator=(const SoundFileReader&) = delete;
    virtual ~SoundFileReader();

    // Back to the first byte of the data.
    virtual void Rewind() = 0;
    // Copies up to count bytes and says how many; end is set when no data is
    // left after them. A count of 0 reads nothing and reports the end.
    virtual void Read(u8* destination, u32 count, u32& bytesRead, bool& end) = 0;

    const std::string& GetName() const { return name_; }
    const std::string& GetDataPath() const { return dataPath_; }
    // Bytes of PCM the reader delivers in all.
    u32 GetDataSize() const { return dataSize_; }
    u32 GetChannels() const { return channels_; }
    u32 GetBitsPerSample() const { return bitsPerSample_; }
    u32 GetSampleRate() const { return sampleRate_; }

    // "Failed to load ", the name in double quotes, and the ending.
    static std::string LoadMessage(const std::string& name, const std::string& ending);

protected:
    // Closes the file and throws FileError with the load message of the data
    // path and the ending.
    [[noreturn]] void Fail(const std::string& ending);

    MessageManager* messages_;
    FileManager* files_;
    std::string name_;
    std::string dataPath_;
    std::unique_ptr<FileBinary> file_;
    u32 dataSize_ = 0;
    u32 channels_ = 0;
    u32 bitsPerSample_ = 0;
    u32 sampleRate_ = 0;
};

} // namespace Halvard
