#pragma once

#include "engine/core/Math.h"
#include "engine/core/Types.h"

namespace Halvard {

class IndexBuffer;
class Model;
class ShaderDescriptor;
class ShaderUser;
class VertexBuffer;

// Where the camera of a sprite group stands and how it is turned, as its
// last update left it.
struct SpriteView {
    Vector3 position;
    Vector3 right;
    Vector3 up;
    // Points from the camera into the scene.
    Vector3 viewing;
};

// The registered model that draws a sprite group's quads, seen together with
// the camera the quads face. The group writes the model's vertex and index
// buffers itself; the canvas gives the model back to the model manager when
// it goes.
class SpriteCanvas {
public:
    virtual ~SpriteCanvas() = default;

    virtual SpriteView GetView() const = 0;
    virtual VertexBuffer* GetVertexBuffer() const = 0;
    virtual IndexBuffer* GetIndexBuffer() const = 0;

    // The model's render-flag word.
    virtual u32 GetFlags() const = 0;
    virtual void SetFlags(u32 flags) = 0;
    virtual void ClearFlags(u32 flags) = 0;

    virtual void SetShader(const ShaderDescriptor* descriptor) = 0;
    virtual ShaderUser* GetShaderUser() const = 0;
    virtual Model* GetModel() const = 0;
};

} // namespace Halvard
