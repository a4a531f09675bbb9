#include "tools/FieldWriter.h"

#include "tools/ByteWriter.h"

namespace Tools {

std::vector<std::uint8_t> BuildFieldFile(const std::vector<FieldBox>& boxes, std::uint32_t version,
                                         const std::uint32_t* countOverride)
{
    ByteWriter out;
    out.Header("TKTKF", version);
    out.UInt(countOverride ? *countOverride : static_cast<std::uint32_t>(boxes.size()));
    for (const FieldBox& box : boxes) {
        out.Floats(box.min);
        out.Floats(box.max);
        out.Floats(box.transform);
    }
    return out.Finish();
}

void WriteFieldFile(const std::vector<FieldBox>& boxes, const std::filesystem::path& output)
{
    WriteBytes(BuildFieldFile(boxes), output);
}

} // namespace Tools
