#include "tests/engine/sound/SoundFiles.h"

#include "tools/SoundWriter.h"

#include <ogg/ogg.h>

#include <cstring>
#include <vector>

namespace Testing {

std::string InsertHoles(const std::string& ogg, uint32_t count)
{
    std::vector<size_t> starts;
    for (size_t at = ogg.find("OggS"); at != std::string::npos; at = ogg.find("OggS", at + 1))
        starts.push_back(at);
    // The first two pages hold the headers; the third is the first audio page.
    std::string out = ogg.substr(0, starts.at(3));
    uint32_t serial = 0;
    std::memcpy(&serial, ogg.data() + 14, 4);
    for (uint32_t i = 0; i < count; ++i) {
        std::string header = "OggS";
        header += '\0';
        header += '\1';
        header += std::string(8, '\xFF') + Tools::LittleEndian32(serial) + Tools::LittleEndian32(1000 + 2 * i) +
                  std::string(4, '\0') + '\1' + '\xFF';
        std::string body(255, '\x5A');
        ogg_page page;
        page.header = reinterpret_cast<unsigned char*>(header.data());
        page.header_len = static_cast<long>(header.size());
        page.body = reinterpret_cast<unsigned char*>(body.data());
        page.body_len = static_cast<long>(body.size());
        ogg_page_checksum_set(&page);
        out += header + body;
    }
    return out + ogg.substr(starts.at(3));
}

std::string WithSerial(const std::string& ogg, uint32_t serial)
{
    std::string out = ogg;
    size_t at = 0;
    while (at + 27 <= out.size()) {
        const auto segments = static_cast<unsigned char>(out[at + 26]);
        size_t bodySize = 0;
        for (size_t i = 0; i < segments; ++i)
            bodySize += static_cast<unsigned char>(out.at(at + 27 + i));
        const size_t headerSize = 27 + segments;
        out.replace(at + 14, 4, Tools::LittleEndian32(serial));
        ogg_page page;
        page.header = reinterpret_cast<unsigned char*>(out.data() + at);
        page.header_len = static_cast<long>(headerSize);
        page.body = reinterpret_cast<unsigned char*>(out.data() + at + headerSize);
        page.body_len = static_cast<long>(bodySize);
        ogg_page_checksum_set(&page);
        at += headerSize + bodySize;
    }
    return out;
}

} // namespace Testing
