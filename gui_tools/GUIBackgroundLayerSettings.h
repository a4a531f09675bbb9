#pragma once

#include "engine/core/Math.h"
#include "engine/core/Types.h"

#include <string>

namespace Halvard {
class GUIWindow;
}

namespace GUITools {

// What one background layer is made of. Resource names are full names in
// the interface resource keeper. A layer is a particle layer when it names a
// particle system, else a model layer.
struct GUIBackgroundLayerSettings {
    std::string name;
    std::string modelName;
    std::string particleSystemName;
    // Empty: the resource keeps its own shader.
    std::string shaderName;
    // Empty: nothing moves the layer.
    std::string animatorName;
    bool randomStart = true;
    // Negative keeps the resources' own speed.
    float animationSpeed = -1.0f;
    Halvard::Vector4 color{1.0f, 1.0f, 1.0f, 1.0f};
    Halvard::i32 layer = 1;
    Halvard::GUIWindow* parent = nullptr;
};

} // namespace GUITools
