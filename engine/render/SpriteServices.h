#pragma once

#include "engine/core/Types.h"

#include <memory>
#include <string>

namespace Halvard {

class Camera;
class ShaderDescriptor;
class SpriteCanvas;

// What sprite groups and particle systems need from the camera, shader and
// model managers: models to draw into, and shader descriptions read from
// files. Main thread for registered canvases; unregistered canvases and
// reading may happen wherever particle systems are loaded.
class SpriteServices {
public:
    virtual ~SpriteServices() = default;

    // A model of one frame with the given flags and buffer sizes; a null
    // descriptor means the default shader, a null camera the camera
    // manager's default camera. Only a registered model is drawn; an
    // unregistered one touches no shared table, so templates can be made on
    // the loading thread while the main thread draws.
    virtual std::unique_ptr<SpriteCanvas> CreateCanvas(u32 flags, u32 vertexCount, u32 indexCount,
                                                       const ShaderDescriptor* descriptor, Camera* camera,
                                                       bool registered) = 0;
    // A registered copy of the source's model on the source's camera.
    virtual std::unique_ptr<SpriteCanvas> CopyCanvas(const SpriteCanvas& source) = 0;

    // The shader description file at the path; null, which stands for the
    // default description, when it cannot be read.
    virtual std::shared_ptr<const ShaderDescriptor> ReadShaderDescriptor(const std::string& path) = 0;
};

} // namespace Halvard
