#include "framework/persistence/FileServices.h"

#include "engine/app/Engine.h"

namespace GameFramework {

FileServices FileServices::Of(const Halvard::Engine& engine, SaveTrouble* trouble)
{
    return FileServices{engine.GetMessageManager(), engine.GetFileManager(), trouble};
}

} // namespace GameFramework
