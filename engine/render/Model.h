#pragma once

#include "engine/core/BoundingBox.h"
#include "engine/core/Math.h"
#include "engine/core/Types.h"
#include "engine/render/ModelFile.h"

#include <memory>
#include <string>
#include <vector>

namespace Halvard {

class AnimationControl;
class Camera;
class CameraManager;
class FileManager;
class IndexBuffer;
class LightManager;
class MessageManager;
class RenderSystem;
class ShaderDescriptor;
class ShaderManager;
class ShaderUser;
class Skeleton;
class TimerManager;
class VertexBuffer;

// The engine members every model is made with; none is owned.
struct ModelServices {
    MessageManager* messages;
    FileManager* files;
    TimerManager* timers;
    RenderSystem* renderSystem;
    CameraManager* cameras;
    LightManager* lights;
    ShaderManager* shaders;
};

// One drawable mesh: fixed vertices, vertices blended between frames, or
// vertices skinned from a skeleton every frame. Made by the ModelManager;
// game code changes the flags, world matrix, depth offset, colour, camera
// and shader directly. Whoever moves a model keeps its bounding box's
// transform in step with the world matrix. Main thread, except that models
// may be made on the loading thread.
class Model {
public:
    enum Flag : u32 {
        kStatic = 0x1,
        kVertexAnimated = 0x2,
        kSkinned = 0x4,
        kTriangleList = 0x8,
        kColored = 0x20,
        kLit = 0x40,
        kDepthTest = 0x80,
        kFirstList = 0x200,
        kSecondList = 0x400,
        kFixedDepth = 0x800,
        kDepthBiased = 0x1000,
        kCullClockwise = 0x2000,
        kTwoPasses = 0x4000,
        kRecomputeBox = 0x8000,
        kVisible = 0x40000,
        kNoDepthWrite = 0x80000,
        kIndices32 = 0x100000,
        kBufferUsage = 0x200000,
        kCullCounterClockwise = 0x400000,
        kStencil = 0x800000,
    };
    // The bits that say what data a model carries and how its indices are
    // laid out; a caller's extra flags cannot change them.
    static constexpr u32 kLayoutFlags = kStatic | kVertexAnimated | kSkinned | kTriangleList | kIndices32;
    static constexpr u32 kBoxFlags = 0x422c9;

    // Throws FileError for a file that cannot be read or is not sound.
    Model(const ModelServices& services, const std::string& name, Camera* camera, u32 extraFlags);
    // An axis-aligned box; a null descriptor is the plain shader.
    Model(const ModelServices& services, const Vector3& min, const Vector3& max, const ShaderDescriptor* descriptor,
          Camera* camera, u32 extraFlags);
    // Empty buffers for the caller to fill.
    Model(const ModelServices& services, u32 flags, u32 vertexCount, u32 indexCount, u32 frameCount,
          const ShaderDescriptor* descriptor, Camera* camera);
    // A null camera keeps the source's.
    Model(const ModelServices& services, const Model& source, Camera* camera, u32 extraFlags);
    Model(const Model&) = delete;
    Model& operator=(const Model&) = delete;
    virtual ~Model();

    void SetFlags(u32 bits);
    void ClearFlags(u32 bits);
    // Null selects the default camera.
    void SetCamera(Camera* camera);
    void SetShader(const ShaderDescriptor& descriptor);
    void SetColor(const Vector4& color);
    Vector4 GetColor() const;
    void UpdatePrimitiveCount();
    // Widens the box over every vertex an index names; with world set, the
    // corners are brought under the world matrix.
    void ComputeBoundingVolume(BoundingBox& box, bool world) const;
    // Without an out distance, stops at the first triangle hit.
    bool IntersectRay(const Ray& ray, float* distance) const;
    void Update(bool testView);
    void Render();

    Matrix4 GetWorldMatrix() const { return worldMatrix; }
    float GetSortKey() const { return depth + depthOffset; }
    const std::string& GetName() const { return name_; }
    void SetName(const std::string& name) { name_ = name; }
    u32 GetFlags() const { return flags_; }
    bool IsStrip() const { return strip_ != 0; }
    IndexBuffer& GetIndexBuffer() const { return *indices_; }
    VertexBuffer& GetVertexBuffer() const { return *vertices_; }
    AnimationControl& GetAnimationControl() const { return *animation_; }
    ShaderUser* GetShaderUser() const { return shaderUser_; }
    Skeleton* GetSkeleton() const { return skeleton_.get(); }
    Camera* GetCamera() const { return camera_; }
    u32 GetPrimitiveCount() const { return primitiveCount_; }
    u32 GetDrawnPrimitives() const { return drawnPrimitives_; }

    Matrix4 worldMatrix{};
    // The model's own placement under whatever its owner puts it at (the
    // base matrix): identity when made, copied with the model.
    Matrix4 localMatrix{};
    BoundingBox boundingBox;
    float depth = 0.0f;
    float depthOffset = 0.0f;
    u8 keepOwnDescriptor = 0;
    std::unique_ptr<ShaderDescriptor> ownDescriptor;

private:
    void Initialise(Camera* camera);
    void CreateBuffers(u32 vertexCount, u32 indexCapacity);
    void FillFromFile(ModelFile& file);
    void FillBox(const Vector3& lo, const Vector3& hi);
    void BlendFrames(u32 frameA, u32 frameB, float t);
    void SkinVertices();
    void WriteVertices(const FrameVertex* source, u32 count);
    Vector3 PositionAt(u32 vertex) const;
    void DrawPass(u32 cullMode);
    void UpdateBox(u32 frameA, u32 frameB, float t);
    bool VerticesCurrent(u32 frameA, u32 frameB, float t);

    ModelServices services_;
    std::string name_;
    u32 flags_ = 0;
    u32 strip_ = 1;
    std::unique_ptr<IndexBuffer> indices_;
    std::unique_ptr<VertexBuffer> vertices_;
    std::unique_ptr<AnimationControl> animation_;
    ShaderUser* shaderUser_ = nullptr;
    std::vector<SkinRecord> skin_;
    std::vector<FrameVertex> frameVertices_;
    std::unique_ptr<Skeleton> skeleton_;
    std::vector<KeyFrame> keyFrames_;
    Camera* camera_ = nullptr;
    std::vector<BoundingBox> frameBoxes_;
    u32 primitiveCount_ = 0;
    u32 drawnPrimitives_ = 0;
    u8 cacheValid_ = 0;
    u32 cacheFrameA_ = 0;
    u32 cacheFrameB_ = 0;
    float cacheBlend_ = 0.0f;
};

} // namespace Halvard
