#include "engine/render/SpriteGroup.h"

#include "engine/render/IndexBuffer.h"
#include "engine/render/SpriteCanvas.h"
#include "engine/render/SpriteServices.h"
#include "engine/render/VertexBuffer.h"

#include <algorithm>
#include <cmath>

namespace Halvard {

namespace {

constexpr u32 kVerticesPerSprite = 4;
constexpr u32 kIndicesPerSprite = 6;

} // namespace

SpriteGroup::SpriteGroup(MessageManager* messages, SpriteServices* services, u32 capacity,
                         const ShaderDescriptor* descriptor, Camera* camera, bool registered)
    : messages_(messages), services_(services), capacity_(capacity), sprites_(capacity), live_(capacity),
      canvas_(services->CreateCanvas(kModelFlags, kVerticesPerSprite * capacity, kIndicesPerSprite * capacity,
                                     descriptor, camera, registered))
{
    FreeAll();
    WriteFixedVertexData();
    DrawNothing();
}

SpriteGroup::SpriteGroup(const SpriteGroup& source, bool copySprites)
    : sort(source.sort), color(source.color), messages_(source.messages_), services_(source.services_),
      capacity_(source.capacity_), sprites_(source.sprites_), live_(source.capacity_),
      canvas_(source.services_->CopyCanvas(*source.canvas_)), center_(source.center_)
{
    // A copy that kept the source's queue but none of its sprites would
    // never hand out the indices that were live in the source.
    WriteFixedVertexData();
    if (copySprites) {
        freeIndices_ = source.freeIndices_;
    } else {
        FreeAll();
        DrawNothing();
    }
}

SpriteGroup::~SpriteGroup() = default;

void SpriteGroup::FreeAll()
{
    freeIndices_.clear();
    for (u32 i = 0; i < capacity_; ++i) {
        sprites_[i].free = 1;
        freeIndices_.push_back(i);
    }
}

// Sprite i owns vertices 4i to 4i + 3 and indices 6i to 6i + 5; updates
// change only the corners, the colours and how many indices are drawn.
void SpriteGroup::WriteFixedVertexData()
{
    static const float kTexture[kVerticesPerSprite][2] = {{0.0f, 0.0f}, {0.0f, 1.0f}, {1.0f, 0.0f}, {1.0f, 1.0f}};
    VertexBuffer* vertices = canvas_->GetVertexBuffer();
    ColoredVertex* vertex = vertices->Lock<ColoredVertex>(0, kVerticesPerSprite * capacity_);
    for (u32 i = 0; i < capacity_ * kVerticesPerSprite; ++i) {
        vertex[i].u = kTexture[i % kVerticesPerSprite][0];
        vertex[i].v = kTexture[i % kVerticesPerSprite][1];
    }
    vertices->Unlock();

    std::vector<u32> indices(kIndicesPerSprite * capacity_);
    for (u32 i = 0; i < capacity_; ++i) {
        const u32 first = kVerticesPerSprite * i;
        const u32 pattern[kIndicesPerSprite] = {first, first + 1, first + 2, first + 2, first + 1, first + 3};
        std::copy(pattern, pattern + kIndicesPerSprite, indices.begin() + kIndicesPerSprite * i);
    }
    canvas_->GetIndexBuffer()->SetIndices(0, static_cast<u32>(indices.size()), indices.data());
}

// Until its first update a group has no quads to show.
void SpriteGroup::DrawNothing() { canvas_->GetIndexBuffer()->SetIndexCount(0); }

u32 SpriteGroup::AddSprite(const Vector3& position, float size, const Vector4& spriteColor)
{
    if (freeIndices_.empty())
        return kNoSprite;
    const u32 index = freeIndices_.front();
    freeIndices_.pop_front();
    Sprite& sprite = sprites_[index];
    sprite.free = 0;
    sprite.position = position;
    sprite.size = size;
    sprite.angle = 0.0f;
    sprite.color = spriteColor;
    return index;
}

void SpriteGroup::RemoveSprite(u32 index)
{
    // Queuing an index twice would later hand one sprite to two owners.
    if (GetSprite(index) == nullptr)
        return;
    sprites_[index].free = 1;
    freeIndices_.push_back(index);
}

SpriteGroup::Sprite* SpriteGroup::GetSprite(u32 index)
{
    if (index >= capacity_ || sprites_[index].free)
        return nullptr;
    return &sprites_[index];
}

void SpriteGroup::SetVisible(bool visible)
{
    if (visible)
        canvas_->SetFlags(kVisibleFlag);
    else
        canvas_->ClearFlags(kVisibleFlag);
}

bool SpriteGroup::IsVisible() const { return (canvas_->GetFlags() & kVisibleFlag) != 0; }

void SpriteGroup::SetShader(const ShaderDescriptor* descriptor) { canvas_->SetShader(descriptor); }

ShaderUser* SpriteGroup::GetShaderUser() const { return canvas_->GetShaderUser(); }

Model* SpriteGroup::GetModel() const { return canvas_->GetModel(); }

void SpriteGroup::Update()
{
    if (!IsVisible())
        return;
    const SpriteView view = canvas_->GetView();
    CollectLiveSprites(view);
    WriteQuads(view);
    canvas_->GetIndexBuffer()->SetIndexCount(kIndicesPerSprite * static_cast<u32>(live_.size()));
}

void SpriteGroup::CollectLiveSprites(const SpriteView& view)
{
    live_.clear();
    for (Sprite& sprite : sprites_) {
        if (sprite.free)
            continue;
        if (sort)
            sprite.depth = view.viewing.Dot(sprite.position - view.position);
        live_.push_back(&sprite);
    }
    if (sort)
        std::sort(live_.begin(), live_.end(), [](const Sprite* a, const Sprite* b) { return a->depth > b->depth; });
}

void SpriteGroup::WriteQuads(const SpriteView& view)
{
    const u32 count = static_cast<u32>(live_.size());
    VertexBuffer* vertices = canvas_->GetVertexBuffer();
    ColoredVertex* vertex = vertices->Lock<ColoredVertex>(0, kVerticesPerSprite * count);
    Vector3 sum(0.0f, 0.0f, 0.0f);
    for (const Sprite* sprite : live_) {
        const Vector3& p = sprite->position;
        const float s = sprite->size;
        sum += p;
        Vector3 corners[kVerticesPerSprite] = {p + (-view.right - view.up) * s, p + (-view.right + view.up) * s,
                                               p + (view.right - view.up) * s, p + (view.right + view.up) * s};
        if (std::fabs(sprite->angle) > kEpsilon) {
            Matrix4 turn;
            MatrixRotationAxis(turn, -view.viewing, sprite->angle);
            for (Vector3& corner : corners)
                corner = p + turn.TransformPoint(corner - p);
        }
        const u32 packed = vertices->PackColor(sprite->color.x * color.x, sprite->color.y * color.y,
                                               sprite->color.z * color.z, sprite->color.w * color.w);
        for (const Vector3& corner : corners) {
            vertex->x = corner.x;
            vertex->y = corner.y;
            vertex->z = corner.z;
            vertex->color = packed;
            ++vertex;
        }
    }
    vertices->Unlock();
    if (count > 0)
        center_ = sum / static_cast<float>(count);
}

} // namespace Halvard
