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
constexpr const char* kIncorrectFormat = " sound file - incorrect format";

} // namespace

SoundFileReaderOGG::SoundFileReaderOGG(MessageManager* messages, FileManager* files, const std::string& name)
    : SoundFileReader(messages, files, name), decoder_(std::make_unique<OggVorbis_File>())
{
    bitsPerSample_ = 16;
    const ov_callbacks callbacks = {ReadFile, SeekFile, CloseFile, TellFile};
    // A failed open has cleaned up the decoder already.
    if (ov_open_callbacks(file_.get(), decoder_.get(), nullptr, 0, callbacks) < 0) {
        decoder_.reset();
        Fail(kIncorrectFormat);
    }
    const vorbis_info* info = ov_info(decoder_.get(), -1);
    sampleRate_ = static_cast<u32>(info->rate);
    channels_ = static_cast<u32>(info->channels);
    const ogg_int64_t samples = ov_pcm_total(decoder_.get(), -1);
    if (samples == OV_EINVAL || !LinksKeepTheFormat())
        Refuse();
    // Longer than the size can tell: it streams, and ends where the data does.
    const u64 bytes = static_cast<u64>(std::max<ogg_int64_t>(samples, 0)) * channels_ * kBytesPerSample;
    dataSize_ = static_cast<u32>(std::min<u64>(bytes, std::numeric_limits<u32>::max()));
    frame_.resize(channels_ * kBytesPerSample);
    // Opening a chained file can leave the decoder past the first link's
    // samples; the first read must begin with them.
    ov_pcm_seek(decoder_.get(), 0);
}

SoundFileReaderOGG::~SoundFileReaderOGG()
{
    if (decoder_ != nullptr)
        ov_clear(decoder_.get());
}

void SoundFileReaderOGG::Refuse()
{
    ov_clear(decoder_.get());
    decoder_.reset();
    Fail(kIncorrectFormat);
}

// The buffer plays every byte in the format of the first link.
bool SoundFileReaderOGG::LinksKeepTheFormat()
{
    const vorbis_info* first = ov_info(decoder_.get(), 0);
    const long links = ov_streams(decoder_.get());
    for (long link = 1; link < links; ++link) {
        const vorbis_info* info = ov_info(decoder_.get(), static_cast<int>(link));
        if (info == nullptr || info->rate != first->rate || info->channels != first->channels)
            return false;
    }
    return true;
}

u32 SoundFileReaderOGG::TakeFrameRest(u8* destination, u32 count)
{
    const u32 taken = std::min(count, frameEnd_ - frameStart_);
    std::copy_n(frame_.data() + frameStart_, taken, destination);
    frameStart_ += taken;
    return taken;
}

long SoundFileReaderOGG::Decode(u8* destination, u32 count)
{
    int section = 0;
    return ov_read(decoder_.get(), reinterpret_cast<char*>(destination), static_cast<int>(count), 0,
                   static_cast<int>(kBytesPerSample), 1, &section);
}

// The decoder hands out whole sample frames only: a request that ends
// inside one takes the frame's first bytes, and the next request begins
// with the rest of it.
void SoundFileReaderOGG::Read(u8* destination, u32 count, u32& bytesRead, bool& end)
{
    const u32 frameBytes = static_cast<u32>(frame_.size());
    const u32 mostWholeFrames = INT_MAX - INT_MAX % frameBytes;
    bytesRead = TakeFrameRest(destination, count);
    long result = 1;
    u32 errorsInARow = 0;
    while (bytesRead < count) {
        const u32 left = count - bytesRead;
        if (left >= frameBytes)
            result = Decode(destination + bytesRead, std::min(left - left % frameBytes, mostWholeFrames));
        else
            result = Decode(frame_.data(), frameBytes);
        if (result > 0) {
            errorsInARow = 0;
            if (left >= frameBytes) {
                bytesRead += static_cast<u32>(result);
            } else {
                frameStart_ = 0;
                frameEnd_ = static_cast<u32>(result);
                bytesRead += TakeFrameRest(destination + bytesRead, left);
            }
        } else if (result == 0 || ++errorsInARow >= kMaxConsecutiveErrors) {
            result = 0;
            break;
        }
    }
    end = count == 0 || result == 0;
}

void SoundFileReaderOGG::Rewind()
{
    ov_pcm_seek(decoder_.get(), 0);
    frameStart_ = frameEnd_ = 0;
}

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
