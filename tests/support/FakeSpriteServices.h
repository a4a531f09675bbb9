#pragma once

#include "engine/render/IndexBuffer_D3D7.h"
#include "engine/render/SpriteCanvas.h"
#include "engine/render/SpriteServices.h"
#include "engine/render/VertexBuffer_D3D7.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace Testing {

class FakeSpriteServices;

// A model's buffers and flag word in memory, facing a camera that the test
// places; it records the shader descriptions given to it.
class FakeSpriteCanvas : public Halvard::SpriteCanvas {
public:
    FakeSpriteCanvas(FakeSpriteServices* owner, Halvard::u32 flags, Halvard::u32 vertexCount,
                     Halvard::u32 indexCount, const Halvard::ShaderDescriptor* descriptor, Halvard::Camera* camera);
    // A copy of the source's model: its flags, shader, camera and buffers.
    FakeSpriteCanvas(FakeSpriteServices* owner, const FakeSpriteCanvas& source);
    ~FakeSpriteCanvas() override;

    Halvard::SpriteView GetView() const override;
    Halvard::VertexBuffer* GetVertexBuffer() const override { return vertices.get(); }
    Halvard::IndexBuffer* GetIndexBuffer() const override { return indices.get(); }
    Halvard::u32 GetFlags() const override { return flags; }
    void SetFlags(Halvard::u32 bits) override { flags |= bits; }
    void ClearFlags(Halvard::u32 bits) override { flags &= ~bits; }
    void SetShader(const Halvard::ShaderDescriptor* shader) override { descriptor = shader; }
    Halvard::ShaderUser* GetShaderUser() const override { return nullptr; }
    Halvard::Model* GetModel() const override { return nullptr; }

    // The position of one vertex as the group last wrote it.
    Halvard::Vector3 Corner(Halvard::u32 vertex) const;
    Halvard::u32 Color(Halvard::u32 vertex) const;

    FakeSpriteServices* owner;
    Halvard::u32 flags;
    const Halvard::ShaderDescriptor* descriptor;
    Halvard::Camera* camera;
    std::unique_ptr<Halvard::VertexBuffer_D3D7> vertices;
    std::unique_ptr<Halvard::IndexBuffer_D3D7> indices;
    // Copies are always registered.
    bool registered = false;
};

// Canvases in memory, all facing one camera that stands at the origin and
// looks along +y (right +x, up +z) unless the test moves it. Shader files are
// noted, not read. The services must outlive their canvases.
class FakeSpriteServices : public Halvard::SpriteServices {
public:
    FakeSpriteServices();

    std::unique_ptr<Halvard::SpriteCanvas> CreateCanvas(Halvard::u32 flags, Halvard::u32 vertexCount,
                                                        Halvard::u32 indexCount,
                                                        const Halvard::ShaderDescriptor* descriptor,
                                                        Halvard::Camera* camera, bool registered) override;
    std::unique_ptr<Halvard::SpriteCanvas> CopyCanvas(const Halvard::SpriteCanvas& source) override;
    std::shared_ptr<const Halvard::ShaderDescriptor> ReadShaderDescriptor(const std::string& path) override;

    Halvard::SpriteView view;
    // Canvases alive, in creation order.
    std::vector<FakeSpriteCanvas*> canvases;
    std::vector<std::string> shaderReads;
    // What ReadShaderDescriptor answers.
    std::shared_ptr<const Halvard::ShaderDescriptor> shader;
};

} // namespace Testing
