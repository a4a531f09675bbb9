#include "tests/support/FakeSpriteServices.h"

#include <algorithm>

namespace Testing {

using namespace Halvard;

FakeSpriteCanvas::FakeSpriteCanvas(FakeSpriteServices* owner_, u32 flags_, u32 vertexCount, u32 indexCount,
                                   const ShaderDescriptor* descriptor_, Camera* camera_)
    : owner(owner_), flags(flags_), descriptor(descriptor_), camera(camera_),
      vertices(std::make_unique<VertexBuffer_D3D7>(nullptr, 0, true, vertexCount)),
      indices(std::make_unique<IndexBuffer_D3D7>(nullptr, 0, indexCount))
{
}

FakeSpriteCanvas::FakeSpriteCanvas(FakeSpriteServices* owner_, const FakeSpriteCanvas& source)
    : owner(owner_), flags(source.flags), descriptor(source.descriptor), camera(source.camera),
      vertices(std::make_unique<VertexBuffer_D3D7>(nullptr, *source.vertices)),
      indices(std::make_unique<IndexBuffer_D3D7>(nullptr, 0, *source.indices)), registered(true)
{
}

FakeSpriteCanvas::~FakeSpriteCanvas()
{
    auto& list = owner->canvases;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
}

SpriteView FakeSpriteCanvas::GetView() const { return owner->view; }

Vector3 FakeSpriteCanvas::Corner(u32 vertex) const
{
    const auto* v = reinterpret_cast<const ColoredVertex*>(vertices->GetData()) + vertex;
    return Vector3(v->x, v->y, v->z);
}

u32 FakeSpriteCanvas::Color(u32 vertex) const
{
    return (reinterpret_cast<const ColoredVertex*>(vertices->GetData()) + vertex)->color;
}

FakeSpriteServices::FakeSpriteServices()
    : view{Vector3(0.0f, 0.0f, 0.0f), Vector3(1.0f, 0.0f, 0.0f), Vector3(0.0f, 0.0f, 1.0f),
           Vector3(0.0f, 1.0f, 0.0f)}
{
}

std::unique_ptr<SpriteCanvas> FakeSpriteServices::CreateCanvas(u32 flags, u32 vertexCount, u32 indexCount,
                                                               const ShaderDescriptor* descriptor, Camera* camera,
                                                               bool registered)
{
    auto canvas = std::make_unique<FakeSpriteCanvas>(this, flags, vertexCount, indexCount, descriptor, camera);
    canvas->registered = registered;
    canvases.push_back(canvas.get());
    return canvas;
}

std::unique_ptr<SpriteCanvas> FakeSpriteServices::CopyCanvas(const SpriteCanvas& source)
{
    auto canvas = std::make_unique<FakeSpriteCanvas>(this, static_cast<const FakeSpriteCanvas&>(source));
    canvases.push_back(canvas.get());
    return canvas;
}

std::shared_ptr<const ShaderDescriptor> FakeSpriteServices::ReadShaderDescriptor(const std::string& path)
{
    shaderReads.push_back(path);
    return shader;
}

} // namespace Testing
