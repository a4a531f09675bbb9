#include "tests/tools/ReadBack.h"

#include "engine/core/Image.h"
#include "engine/sound/SoundFileReaderOGG.h"
#include "engine/sound/SoundFileReaderWAV.h"
#include "tests/support/ImageFiles.h"

#include <memory>

using namespace Halvard;

namespace Testing {

namespace {

std::vector<std::int16_t> ReadAll(SoundFileReader& reader)
{
    std::vector<u8> bytes(reader.GetDataSize());
    u32 total = 0;
    bool end = false;
    while (!end && total < bytes.size()) {
        u32 count = 0;
        reader.Read(bytes.data() + total, static_cast<u32>(bytes.size()) - total, count, end);
        if (count == 0)
            break;
        total += count;
    }
    std::vector<std::int16_t> samples(total / 2);
    for (std::size_t i = 0; i < samples.size(); ++i)
        samples[i] = static_cast<std::int16_t>(bytes[2 * i] | bytes[2 * i + 1] << 8);
    return samples;
}

} // namespace

DecodedSound ReadSound(const std::string& name, const std::string& bytes)
{
    ImageFolder folder;
    folder.Write("data\\" + name, bytes);
    std::unique_ptr<SoundFileReader> reader;
    if (name.ends_with(".ogg"))
        reader = std::make_unique<SoundFileReaderOGG>(&folder.Log(), &folder.Files(), name);
    else
        reader = std::make_unique<SoundFileReaderWAV>(&folder.Log(), &folder.Files(), name);
    return {reader->GetChannels(), reader->GetSampleRate(), reader->GetBitsPerSample(), ReadAll(*reader)};
}

LoadedImage LoadImage(const std::string& name, const std::string& bytes)
{
    ImageFolder folder;
    folder.Write(name, bytes);
    Image image;
    LoadedImage loaded;
    loaded.loaded = image.Load(&folder.Log(), &folder.Files(), name);
    if (!loaded.loaded)
        return loaded;
    loaded.width = image.GetWidth();
    loaded.height = image.GetHeight();
    loaded.bitsPerPixel = image.GetBitsPerPixel();
    loaded.bytes.assign(image.GetData(), image.GetData() + image.GetByteSize());
    return loaded;
}

} // namespace Testing
