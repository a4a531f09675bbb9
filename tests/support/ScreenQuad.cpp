#include "tests/support/ScreenQuad.h"

#include "engine/render/IndexBuffer.h"

namespace Testing {

using namespace Halvard;

void ScreenQuad::Draw(const std::array<PlainVertex, 4>& corners, u32 filter)
{
    const auto vertices = render.CreateVertexBuffer(0, false, 4);
    PlainVertex* vertex = vertices->Lock<PlainVertex>(0, 4);
    std::copy(corners.begin(), corners.end(), vertex);
    vertices->Unlock();
    const auto indices = render.CreateIndexBuffer(0, 6);
    const u32 order[] = {0, 1, 2, 2, 1, 3};
    indices->SetIndices(0, 6, order);
    indices->SetIndexCount(6);
    render.SetLighting(false);
    render.SetZ(false);
    render.SetCullMode(RenderSystem::kCullNone);
    render.SetTextureFilter(0, filter);
    render.BeginScene();
    render.DrawIndexedPrimitive(false, *indices, *vertices, 2);
    render.EndScene();
}

std::vector<int> ScreenQuad::Pixel(const Image& capture, u32 x, u32 y)
{
    const u32 bytes = capture.GetBitsPerPixel() / 8;
    const u8* pixel = capture.GetData() + ((capture.GetHeight() - 1 - y) * capture.GetWidth() + x) * bytes;
    return {pixel[0], pixel[1], pixel[2]};
}

} // namespace Testing
