#include "tools/data_builder/Generators.h"

#include "tools/data_builder/generators/level/BlockModelGenerator.h"
#include "tools/data_builder/generators/level/FieldLayout.h"
#include "tools/data_builder/generators/font/FontGenerator.h"
#include "tools/data_builder/generators/model/InterfaceRecipe.h"
#include "tools/data_builder/generators/level/LevelSource.h"
#include "tools/data_builder/generators/sound/MusicGenerator.h"
#include "tools/data_builder/generators/model/ObjectRecipe.h"
#include "tools/data_builder/generators/sound/SoundGenerator.h"
#include "tools/data_builder/generators/level/StageMapGenerator.h"
#include "tools/data_builder/generators/model/VisualGenerator.h"

namespace Tools {

// A new generator is one line of this table (and the header of its entry
// function above it); nothing registers itself.
std::vector<Generator> ListGenerators()
{
    return {
        {"sounds", GenerateSounds},
        {"music", GenerateMusic},
        {"fonts", GenerateFonts},
        // Models and particle systems name textures made before them.
        {"textures", GenerateTextures},
        {"models", GenerateModels},
        {"particle systems", GenerateParticleSystems},
        {"block models", GenerateBlockModels},
        {"object models", GenerateObjectModels},
        // The interface's pictures, widgets, cursor effects and logos.
        {"interface", GenerateInterface},
        {"field", GenerateField},
        // Level geometry names block textures made before it.
        {"level geometry", GenerateLevelGeometry},
        {"stage map", GenerateStageMap},
    };
}

} // namespace Tools
