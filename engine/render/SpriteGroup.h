#pragma once

#include "engine/core/Math.h"
#include "engine/core/Types.h"

#include <deque>
#include <memory>
#include <vector>

namespace Halvard {

class Camera;
class MessageManager;
class Model;
class ShaderDescriptor;
class ShaderUser;
class SpriteCanvas;
class SpriteServices;
struct SpriteView;

// Up to a fixed number of square sprites that face the camera, drawn by one
// model. Every update rebuilds the quads of the live sprites from the
// camera's axes, farthest first while sorting is on, and has the model draw
// exactly those. Buffers and records are allocated once, at construction.
// Main thread only.
class SpriteGroup {
public:
    struct Sprite {
        u8 free;
        // Distance along the viewing axis, written by updates while sorting.
        float depth;
        Vector3 position;
        // Half the side of the square, in world units.
        float size;
        // Radians, in the view plane.
        float angle;
        Vector4 color;
    };

    // What AddSprite answers for a full group; every sprite index is below
    // the capacity.
    static constexpr u32 kNoSprite = 0xffffffffu;
    static constexpr u32 kModelFlags = 0x2c84a9;
    static constexpr u32 kVisibleFlag = 0x40000;

    // A null descriptor means the default shader, a null camera the camera
    // manager's default camera. Only a group with a registered model is
    // drawn. The services must outlive the group.
    SpriteGroup(MessageManager* messages, SpriteServices* services, u32 capacity, const ShaderDescriptor* descriptor,
                Camera* camera, bool registered);
    // A group on the source's camera drawing with a copy of its model. Without
    // the sprites every index of the copy is free.
    SpriteGroup(const SpriteGroup& source, bool copySprites);
    SpriteGroup& operator=(const SpriteGroup&) = delete;
    virtual ~SpriteGroup();

    // The index of the new sprite, or kNoSprite when the group is full.
    u32 AddSprite(const Vector3& position, float size, const Vector4& color);
    // Frees a live sprite; kNoSprite, free and out-of-range indices are
    // ignored.
    void RemoveSprite(u32 index);
    // The live sprite for the caller to change in place; null for kNoSprite,
    // a free index or one out of range.
    Sprite* GetSprite(u32 index);

    void SetVisible(bool visible);
    bool IsVisible() const;
    void SetShader(const ShaderDescriptor* descriptor);
    ShaderUser* GetShaderUser() const;
    Model* GetModel() const;

    // Once a frame, before the model is drawn; a hidden group keeps the quads
    // of its last update.
    void Update();

    u32 GetCapacity() const { return capacity_; }
    const Vector3& GetCenter() const { return center_; }

    // Sort the live sprites back to front.
    bool sort = true;
    // Multiplied into every sprite's colour.
    Vector4 color{1.0f, 1.0f, 1.0f, 1.0f};

private:
    void WriteFixedVertexData();
    void FreeAll();
    void DrawNothing();
    void CollectLiveSprites(const SpriteView& view);
    void WriteQuads(const SpriteView& view);

    MessageManager* messages_;
    SpriteServices* services_;
    std::deque<u32> freeIndices_;
    u32 capacity_;
    std::vector<Sprite> sprites_;
    std::vector<Sprite*> live_;
    std::unique_ptr<SpriteCanvas> canvas_;
    Vector3 center_{0.0f, 0.0f, 0.0f};
};

} // namespace Halvard
