#include "game/windows/parts/GUIStageMap.h"

#include "engine/core/Error.h"
#include "engine/core/FileBinary.h"
#include "engine/core/StringUtils.h"
#include "game_tools/VersionedFile.h"

namespace Tamrisk {

using namespace Halvard;

namespace {

constexpr const char* kMagic = "GFGMF";
constexpr u32 kVersion = 100;
// The kind and a 4 x 4 matrix of floats.
constexpr u32 kElementSize = 4 + 16 * 4;

} // namespace

GUIStageMap::GUIStageMap(Engine* engine, const std::string& path)
{
    GameTools::VersionedFile versioned(engine, kMagic, kVersion);
    versioned.Open(path, FileAccess::kRead);
    FileBinary& file = *versioned.GetFile();
    const u32 count = file.ReadCount(kElementSize);
    elements_.reserve(count);
    u32 stage = 0;
    u32 level = 0;
    for (u32 i = 0; i < count; ++i) {
        Element element;
        element.kind = file.ReadUInt();
        // The kind picks one of four models by index.
        if (element.kind >= kKindCount)
            throw FileError("Incorrect element kind " + UIntToString(element.kind) + " in \"" + file.GetName() +
                            "\" file");
        for (float& value : element.placement.m)
            value = file.ReadFloat();
        if (element.kind == kCheckPoint) {
            ++stage;
            level = 0;
        }
        element.stage = stage;
        element.level = level++;
        elements_.push_back(element);
    }
    versioned.Close();
}

} // namespace Tamrisk
