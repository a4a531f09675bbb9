#include "tools/StageMapWriter.h"

#include "tools/ByteWriter.h"

namespace Tools {

std::vector<std::uint8_t> BuildStageMapFile(const std::vector<StageMapElement>& elements, std::uint32_t version,
                                            const std::uint32_t* countOverride)
{
    ByteWriter out;
    out.Header("GFGMF", version);
    out.UInt(countOverride ? *countOverride : static_cast<std::uint32_t>(elements.size()));
    for (const StageMapElement& element : elements) {
        out.UInt(element.kind);
        out.Floats(element.placement);
    }
    return out.Finish();
}

void WriteStageMapFile(const std::vector<StageMapElement>& elements, const std::filesystem::path& output)
{
    WriteBytes(BuildStageMapFile(elements), output);
}

} // namespace Tools
