#include "engine/sound/SoundFileReaderOGG.h"

#include "engine/core/FileBinary.h"

// The library's ready-made callbacks on C streams are not used.
#define OV_EXCLUDE_STATIC_CALLBACKS
#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <limits>

namespace Halvard {

namespace {

constexpr u32 kBytesPerSample = 2;

} // namespace

SoundFileReaderOGG::SoundFileReaderOGG(MessageManager* messages, FileManager* files, const std::string& name)
    : SoundFileReader(messages, files, name), decoder_(std::make_unique<OggVorbis_File>())
{
    bitsPerSample_ = 16;
    const ov_callbacks callbacks = {ReadFile, SeekFile, CloseFile, TellFile};
    // A failed open has cleaned up the decoder already.
    if (ov_open_callbacks(file_.get(), decoder_.get(), nullptr, 0, callbacks) < 0) {
        decoder_.reset();
        Fail(" sound file - incorrect format");
    }
    const vorbis_info* info = ov_info(decoder_.get(), -1);
    sampleRate_ = static_cast<u32>(info->rate);
    channels_ = static_cast<u32>(info->channels);
    const ogg_int64_t samples = ov_pcm_total(decoder_.get(), -1);
    if (samples == OV_EINVAL) {
        ov_clear(decoder_.get());
        decoder_.reset();
        Fail(" sound file - incorrect format");
    }
    // Longer than the size can tell: it streams, and ends where the data does.
    const u64 bytes = static_cast<u64>(std::max<ogg_int64_t>(samples, 0)) * channels_ * kBytesPerSample;
    dataSize_ = static_cast<u32>(std::min<u64>(bytes, std::numeric_limits<u32>::max()));
}

SoundFileReaderOGG::~SoundFileReaderOGG()
{
    if (decoder_ != nullptr)
        ov_clear(decoder_.get());
}

void SoundFileReaderOGG::Read(u8* destination, u32 count, u32& bytesRead, bool& end)
{
    bytesRead = 0;
    long result = 0;
    u32 errorsInARow = 0;
    while (bytesRead < count) {
        const int wanted = static_cast<int>(std::min<u32>(count - bytesRead, INT_MAX));
        int section = 0;
        result = ov_read(decoder_.get(), reinterpret_cast<char*>(destination + bytesRead), wanted, 0,
                         static_cast<int>(kBytesPerSample), 1, &section);
        if (result > 0) {
            bytesRead += static_cast<u32>(result);
            errorsInARow = 0;
        } else if (result == 0 || ++errorsInARow >= kMaxConsecutiveErrors) {
            result = 0;
            break;
        }
    }
    end = count == 0 || result == 0;
}

void SoundFileReaderOGG::Rewind() { ov_pcm_seek(decoder_.get(), 0); }

std::size_t SoundFileReaderOGG::ReadFile(void* destination, std::size_t itemSize, std::size_t itemCount,
                                         void* source)
{
    const u64 wanted = static_cast<u64>(itemSize) * itemCount;
    u32 count = 0;
    static_cast<FileBinary*>(source)->Read(destination,
                                           static_cast<u32>(std::min<u64>(wanted, std::numeric_limits<u32>::max())),
                                           &count);
    return count;
}

int SoundFileReaderOGG::SeekFile(void* source, i64 offset, int whence)
{
    auto* file = static_cast<FileBinary*>(source);
    const i64 size = file->GetSize();
    i64 target = offset;
    switch (whence) {
    case SEEK_SET:
        break;
    case SEEK_CUR:
        target += file->GetPosition();
        break;
    case SEEK_END:
        target += size;
        break;
    default:
        return -1;
    }
    if (target < 0 || target > size)
        return -1;
    if (target < size || size == 0) {
        file->Seek(0, static_cast<i32>(target));
        return 0;
    }
    // The file's own seek stops on its last byte; reading that byte leaves it
    // at the end, where the decoder looks for the stream's length.
    file->Seek(0, static_cast<i32>(size - 1));
    u8 last = 0;
    u32 count = 0;
    file->Read(&last, 1, &count);
    return 0;
}

int SoundFileReaderOGG::CloseFile(void*) { return 0; }

long SoundFileReaderOGG::TellFile(void* source) { return static_cast<long>(static_cast<FileBinary*>(source)->GetPosition()); }

} // namespace Halvard
