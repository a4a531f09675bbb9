#include "engine/render/Model.h"

#include "engine/core/PathUtils.h"
#include "engine/core/Plane.h"
#include "engine/render/AnimationControl.h"
#include "engine/render/Camera.h"
#include "engine/render/CameraManager.h"
#include "engine/render/IndexBuffer.h"
#include "engine/render/LightManager.h"
#include "engine/render/RenderSystem.h"
#include "engine/render/ShaderDescriptor.h"
#include "engine/render/ShaderManager.h"
#include "engine/render/ShaderUser.h"
#include "engine/render/Skeleton.h"
#include "engine/render/VertexBuffer.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace Halvard {

namespace {

constexpr float kFarAway = 100000.0f;
constexpr u32 kLargestNarrowIndex = 0xFFFF;

u32 NonZero(u32 flags) { return flags == 0 ? static_cast<u32>(Model::kBufferUsage) : flags; }

Matrix4 Identity()
{
    Matrix4 matrix;
    MatrixIdentity(matrix);
    return matrix;
}

// Position and normal open both vertex layouts and u, v close them, so one
// writer serves both and leaves a colour as it is.
void PutVertex(u8* vertex, u32 stride, const FrameVertex& in)
{
    const float front[6] = {in.position.x, in.position.y, in.position.z, in.normal.x, in.normal.y, in.normal.z};
    const float back[2] = {in.u, in.v};
    std::memcpy(vertex, front, sizeof front);
    std::memcpy(vertex + stride - sizeof back, back, sizeof back);
}

} // namespace

Model::Model(const ModelServices& services, const std::string& name, Camera* camera, u32 extraFlags)
    : services_(services), name_(name)
{
    ModelFile file(services.messages, services.files, name);
    flags_ = NonZero(file.flags | (extraFlags & ~kLayoutFlags));
    FillFromFile(file);
    std::string shaderName = name;
    SetFileExtension(shaderName, "srf");
    shaderUser_ = services.shaders->CreateShaderUserFromFile(shaderName);
    Initialise(camera);
}

Model::Model(const ModelServices& services, const Vector3& min, const Vector3& max,
             const ShaderDescriptor* descriptor, Camera* camera, u32 extraFlags)
    : services_(services), name_("box"), flags_(kBoxFlags)
{
    SetFlags(extraFlags & ~kLayoutFlags);
    animation_ = std::make_unique<AnimationControl>(services.messages, services.timers, 0, 1);
    FillBox(min, max);
    shaderUser_ = services.shaders->CreateShaderUser(descriptor != nullptr ? *descriptor : ShaderDescriptor(0));
    Initialise(camera);
}

Model::Model(const ModelServices& services, u32 flags, u32 vertexCount, u32 indexCount, u32 frameCount,
             const ShaderDescriptor* descriptor, Camera* camera)
    : services_(services), name_("self_made"), flags_(NonZero(flags))
{
    CreateBuffers(vertexCount, indexCount);
    animation_ = std::make_unique<AnimationControl>(services.messages, services.timers, 0, frameCount);
    // The caller fills the buffers only; the animation data stays neutral so
    // that an update never reads past it.
    if ((flags_ & kVertexAnimated) != 0) {
        frameVertices_.assign(static_cast<std::size_t>(vertexCount) * std::max(frameCount, 1u), FrameVertex{});
        frameBoxes_.resize(std::max(frameCount, 1u));
    } else if ((flags_ & kSkinned) != 0) {
        skeleton_ = std::make_unique<Skeleton>(services.messages, 0);
        skin_.assign(vertexCount, SkinRecord{});
    }
    boundingBox.SetMinMax(Vector3(-0.0001f), Vector3(0.0001f));
    shaderUser_ = services.shaders->CreateShaderUser(descriptor != nullptr ? *descriptor : ShaderDescriptor(0));
    Initialise(camera);
}

Model::Model(const ModelServices& services, const Model& source, Camera* camera, u32 extraFlags)
    : services_(services), name_(source.name_), flags_(NonZero(source.flags_ | (extraFlags & ~kLayoutFlags)))
{
    animation_ = std::make_unique<AnimationControl>(*source.animation_);
    if ((flags_ & kSkinned) != 0 && source.skeleton_ != nullptr) {
        skeleton_ = std::make_unique<Skeleton>(*source.skeleton_);
        keyFrames_ = source.keyFrames_;
    }
    RenderSystem& render = *services.renderSystem;
    vertices_ = render.CreateVertexBuffer((flags_ & kBufferUsage) != 0 ? 1 : 0, (flags_ & kColored) != 0,
                                          *source.vertices_);
    if ((flags_ & kVertexAnimated) != 0)
        frameVertices_ = source.frameVertices_;
    else if ((flags_ & kSkinned) != 0)
        skin_ = source.skin_;
    indices_ = render.CreateIndexBuffer((flags_ & kIndices32) != 0 ? 1 : 0, *source.indices_);
    boundingBox = source.boundingBox;
    frameBoxes_ = source.frameBoxes_;
    shaderUser_ = services.shaders->CreateShaderUser(*source.shaderUser_);
    keepOwnDescriptor = source.keepOwnDescriptor;
    if (source.ownDescriptor != nullptr)
        ownDescriptor = std::make_unique<ShaderDescriptor>(*source.ownDescriptor);
    camera_ = camera != nullptr ? camera : source.camera_;
    worldMatrix = source.worldMatrix;
    localMatrix = source.localMatrix;
    boundingBox.SetTransform(worldMatrix);
    depth = source.depth;
    depthOffset = source.depthOffset;
    strip_ = source.strip_;
    UpdatePrimitiveCount();
    cacheValid_ = source.cacheValid_;
    cacheFrameA_ = source.cacheFrameA_;
    cacheFrameB_ = source.cacheFrameB_;
    cacheBlend_ = source.cacheBlend_;
}

Model::~Model()
{
    if (shaderUser_ != nullptr)
        services_.shaders->RemoveShaderUser(shaderUser_);
}

void Model::Initialise(Camera* camera)
{
    SetCamera(camera);
    worldMatrix = Identity();
    localMatrix = Identity();
    strip_ = (flags_ & kTriangleList) != 0 ? 0 : 1;
    UpdatePrimitiveCount();
}

void Model::CreateBuffers(u32 vertexCount, u32 indexCapacity)
{
    RenderSystem& render = *services_.renderSystem;
    indices_ = render.CreateIndexBuffer((flags_ & kIndices32) != 0 ? 1 : 0, indexCapacity);
    vertices_ = render.CreateVertexBuffer((flags_ & kBufferUsage) != 0 ? 1 : 0, (flags_ & kColored) != 0,
                                          vertexCount);
}

void Model::FillFromFile(ModelFile& file)
{
    skeleton_ = std::move(file.skeleton);
    keyFrames_ = std::move(file.keyFrames);
    // The buffer's width follows its capacity, not the file: a capacity that
    // reaches the wide width keeps indices above 16 bits intact.
    const u32 indexCount = static_cast<u32>(file.indices.size());
    const bool needsWide = std::any_of(file.indices.begin(), file.indices.end(),
                                       [](u32 index) { return index > kLargestNarrowIndex; });
    CreateBuffers(file.vertexCount, needsWide ? std::max(indexCount, IndexBuffer::kLargeCapacity) : indexCount);
    indices_->SetIndices(0, indexCount, file.indices.data());
    indices_->SetIndexCount(indexCount);

    // Skinned vertices take their u and v now, their positions at the first
    // update; vertex-animated ones everything at the first update.
    const bool fromFrames = (flags_ & kStatic) == 0 && (flags_ & kVertexAnimated) != 0;
    if (!fromFrames && !file.vertices.empty())
        WriteVertices(file.vertices.data(), file.vertexCount);
    if (fromFrames)
        frameVertices_ = std::move(file.vertices);
    else if ((flags_ & (kVertexAnimated | kSkinned)) == kSkinned)
        skin_ = std::move(file.skin);

    if ((flags_ & kVertexAnimated) != 0) {
        for (u32 f = 0; f < file.frameCount; ++f)
            frameBoxes_.emplace_back(file.boundsMin[f], file.boundsMax[f]);
        boundingBox = frameBoxes_[0];
    } else {
        boundingBox.SetMinMax(file.boundsMin[0], file.boundsMax[0]);
    }
    if ((flags_ & kSkinned) != 0) {
        skeleton_->SetUp(keyFrames_.data(), 0, 0, 0.0f);
        boundingBox.SetMinMax(skeleton_->GetBox().GetWorldMin(), skeleton_->GetBox().GetWorldMax());
    }
    animation_ = std::make_unique<AnimationControl>(services_.messages, services_.timers, 0, file.frameCount);
    animation_->speed = file.speed;
}

void Model::WriteVertices(const FrameVertex* source, u32 count)
{
    const u32 stride = vertices_->GetStride();
    u8* out = vertices_->LockRange(0, count);
    for (u32 i = 0; i < count; ++i)
        PutVertex(out + static_cast<std::size_t>(i) * stride, stride, source[i]);
    vertices_->Unlock();
}

void Model::FillBox(const Vector3& lo, const Vector3& hi)
{
    struct Face {
        Vector3 normal;
        Vector3 corners[4];
        float uv[4][2];
    };
    const Face faces[6] = {
        {Vector3(0, 0, -1),
         {Vector3(lo.x, lo.y, lo.z), Vector3(lo.x, hi.y, lo.z), Vector3(hi.x, hi.y, lo.z), Vector3(hi.x, lo.y, lo.z)},
         {{1, 0}, {1, 1}, {0, 1}, {0, 0}}},
        {Vector3(0, 0, 1),
         {Vector3(lo.x, lo.y, hi.z), Vector3(hi.x, lo.y, hi.z), Vector3(hi.x, hi.y, hi.z), Vector3(lo.x, hi.y, hi.z)},
         {{0, 0}, {1, 0}, {1, 1}, {0, 1}}},
        {Vector3(0, -1, 0),
         {Vector3(lo.x, lo.y, lo.z), Vector3(hi.x, lo.y, lo.z), Vector3(hi.x, lo.y, hi.z), Vector3(lo.x, lo.y, hi.z)},
         {{0, 0}, {1, 0}, {1, 1}, {0, 1}}},
        {Vector3(1, 0, 0),
         {Vector3(hi.x, lo.y, lo.z), Vector3(hi.x, hi.y, lo.z), Vector3(hi.x, hi.y, hi.z), Vector3(hi.x, lo.y, hi.z)},
         {{0, 0}, {1, 0}, {1, 1}, {0, 1}}},
        {Vector3(0, 1, 0),
         {Vector3(hi.x, hi.y, lo.z), Vector3(lo.x, hi.y, lo.z), Vector3(lo.x, hi.y, hi.z), Vector3(hi.x, hi.y, hi.z)},
         {{0, 0}, {1, 0}, {1, 1}, {0, 1}}},
        {Vector3(-1, 0, 0),
         {Vector3(lo.x, hi.y, lo.z), Vector3(lo.x, lo.y, lo.z), Vector3(lo.x, lo.y, hi.z), Vector3(lo.x, hi.y, hi.z)},
         {{0, 0}, {1, 0}, {1, 1}, {0, 1}}},
    };
    FrameVertex corners[24];
    u32 order[36];
    for (u32 f = 0; f < 6; ++f) {
        for (u32 k = 0; k < 4; ++k)
            corners[4 * f + k] = FrameVertex{faces[f].corners[k], faces[f].normal, faces[f].uv[k][0], faces[f].uv[k][1]};
        const u32 face[6] = {0, 1, 2, 2, 3, 0};
        for (u32 k = 0; k < 6; ++k)
            order[6 * f + k] = 4 * f + face[k];
    }
    CreateBuffers(24, 36);
    WriteVertices(corners, 24);
    indices_->SetIndices(0, 36, order);
    ComputeBoundingVolume(boundingBox, false);
}

void Model::SetFlags(u32 bits)
{
    flags_ |= bits;
    if ((bits & kFirstList) != 0)
        flags_ &= ~kSecondList;
    else if ((bits & kSecondList) != 0)
        flags_ &= ~kFirstList;
    if ((bits & kCullClockwise) != 0)
        flags_ &= ~(kTwoPasses | kCullCounterClockwise);
    else if ((bits & kCullCounterClockwise) != 0)
        flags_ &= ~(kTwoPasses | kCullClockwise);
    else if ((bits & kTwoPasses) != 0)
        flags_ &= ~(kCullClockwise | kCullCounterClockwise);
}

void Model::ClearFlags(u32 bits)
{
    if ((bits & (kFirstList | kSecondList)) != 0)
        flags_ |= kFirstList | kSecondList;
    flags_ &= ~bits;
}

void Model::SetCamera(Camera* camera)
{
    camera_ = camera != nullptr ? camera : services_.cameras->GetDefaultCamera();
}

void Model::SetShader(const ShaderDescriptor& descriptor)
{
    if (keepOwnDescriptor != 0) {
        ownDescriptor = std::make_unique<ShaderDescriptor>(descriptor);
        return;
    }
    ShaderUser* old = shaderUser_;
    shaderUser_ = services_.shaders->CreateShaderUser(descriptor);
    services_.shaders->RemoveShaderUser(old);
}

void Model::SetColor(const Vector4& color) { vertices_->SetColor(color.x, color.y, color.z, color.w); }

Vector4 Model::GetColor() const { return vertices_->GetColor(0); }

// Fewer than three indices describe no triangle in either form.
void Model::UpdatePrimitiveCount()
{
    const u32 count = indices_->GetIndexCount();
    if (strip_ != 0)
        primitiveCount_ = count < 3 ? 0 : count - 2;
    else
        primitiveCount_ = count / 3;
}

Vector3 Model::PositionAt(u32 vertex) const
{
    float position[3];
    std::memcpy(position, vertices_->GetData() + static_cast<std::size_t>(vertex) * vertices_->GetStride(),
                sizeof position);
    return Vector3(position[0], position[1], position[2]);
}

void Model::ComputeBoundingVolume(BoundingBox& box, bool world) const
{
    Vector3 min(kFarAway);
    Vector3 max(-kFarAway);
    const u32 count = indices_->GetIndexCount();
    for (u32 i = 0; i < count; ++i) {
        const Vector3 p = PositionAt(indices_->ReadIndex(i));
        min = Vector3Minimize(min, p);
        max = Vector3Maximize(max, p);
    }
    if (world) {
        min = worldMatrix.TransformPoint(min);
        max = worldMatrix.TransformPoint(max);
    }
    box.SetMinMax(min, max);
}

bool Model::IntersectRay(const Ray& ray, float* distance) const
{
    if (!boundingBox.IntersectsSegment(ray))
        return false;
    Matrix4 inverse = worldMatrix;
    inverse.Invert();
    Ray local = inverse.TransformRay(ray);
    local.direction.Normalize(1.0f);
    float nearest = kFarAway;
    bool hit = false;
    for (u32 i = 0; i < primitiveCount_; ++i) {
        const u32 first = strip_ != 0 ? i : 3 * i;
        const Vector3 a = PositionAt(indices_->ReadIndex(first));
        const Vector3 b = PositionAt(indices_->ReadIndex(first + 1));
        const Vector3 c = PositionAt(indices_->ReadIndex(first + 2));
        Plane plane;
        plane.SetFromPoints(a, b, c);
        float t = 0.0f;
        if (!plane.IntersectRay(local, t) || !IsPointInTriangle(plane, a, b, c, local.origin + local.direction * t))
            continue;
        hit = true;
        nearest = std::min(nearest, t);
        if (distance == nullptr)
            return true;
    }
    if (distance != nullptr)
        *distance = nearest;
    return hit;
}

void Model::Update(bool testView)
{
    u32 frameA = 0;
    u32 frameB = 0;
    float blend = 0.0f;
    if ((flags_ & (kVertexAnimated | kSkinned)) != 0) {
        animation_->Update();
        frameA = animation_->GetFrameA();
        frameB = animation_->GetFrameB();
        blend = animation_->GetBlend();
    }
    if ((flags_ & kVisible) == 0)
        return;
    UpdateBox(frameA, frameB, blend);
    UpdatePrimitiveCount();
    drawnPrimitives_ = primitiveCount_;
    if (testView && !camera_->GetFrustum().IsVisible(boundingBox))
        drawnPrimitives_ = 0;
    if (drawnPrimitives_ == 0)
        return;
    if ((flags_ & kFixedDepth) == 0)
        depth = (-camera_->GetZAxis()).Dot(boundingBox.GetCenter() - camera_->position);
    if (VerticesCurrent(frameA, frameB, blend))
        return;
    // Fixed vertices win over frames: such a model has no frame vertices to
    // blend and keeps its one set.
    if ((flags_ & kVertexAnimated) != 0) {
        if ((flags_ & kStatic) == 0)
            BlendFrames(frameA, frameB, blend);
    } else if ((flags_ & kSkinned) != 0) {
        SkinVertices();
    }
}

void Model::Render()
{
    RenderSystem& render = *services_.renderSystem;
    if ((flags_ & kVisible) == 0 || drawnPrimitives_ == 0 ||
        shaderUser_->GetStageCount() > render.GetTextureStageCount() ||
        ((flags_ & kStencil) != 0 && !render.IsStencilPresent()))
        return;
    services_.cameras->ApplyCamera(camera_, (flags_ & kDepthBiased) != 0);
    const bool lit = (flags_ & kLit) != 0;
    services_.lights->SetLighting(lit);
    render.SetNormalizeNormals(lit);
    render.SetWorldMatrix(worldMatrix);
    render.SetZ((flags_ & kDepthTest) != 0);
    render.SetZWrite((flags_ & kNoDepthWrite) == 0);
    render.SetStencil((flags_ & kStencil) != 0);
    if ((flags_ & kTwoPasses) != 0) {
        DrawPass(RenderSystem::kCullCounterClockwise);
        DrawPass(RenderSystem::kCullClockwise);
    } else if ((flags_ & kCullClockwise) != 0) {
        DrawPass(RenderSystem::kCullClockwise);
    } else if ((flags_ & kCullCounterClockwise) != 0) {
        DrawPass(RenderSystem::kCullCounterClockwise);
    } else {
        DrawPass(RenderSystem::kCullNone);
    }
}

void Model::DrawPass(u32 cullMode)
{
    RenderSystem& render = *services_.renderSystem;
    render.SetCullMode(cullMode);
    shaderUser_->Apply();
    render.DrawIndexedPrimitive(strip_ != 0, *indices_, *vertices_, primitiveCount_);
}

void Model::UpdateBox(u32 frameA, u32 frameB, float t)
{
    if ((flags_ & kRecomputeBox) != 0 && (flags_ & kStatic) != 0) {
        ComputeBoundingVolume(boundingBox, false);
        boundingBox.SetTransform(worldMatrix);
    }
    if ((flags_ & kVertexAnimated) != 0) {
        boundingBox = InterpolateBoundingBox(frameBoxes_[frameA], frameBoxes_[frameB], t);
        boundingBox.SetTransform(worldMatrix);
    } else if ((flags_ & kSkinned) != 0) {
        skeleton_->SetUp(keyFrames_.data(), frameA, frameB, t);
        boundingBox.SetMinMax(skeleton_->GetBox().GetWorldMin(), skeleton_->GetBox().GetWorldMax());
        boundingBox.SetTransform(worldMatrix);
    }
}

bool Model::VerticesCurrent(u32 frameA, u32 frameB, float t)
{
    const bool current = cacheValid_ != 0 && cacheFrameA_ == frameA && cacheFrameB_ == frameB &&
                         std::fabs(cacheBlend_ - t) < kEpsilon;
    cacheValid_ = 1;
    cacheFrameA_ = frameA;
    cacheFrameB_ = frameB;
    cacheBlend_ = t;
    return current;
}

void Model::BlendFrames(u32 frameA, u32 frameB, float t)
{
    const u32 count = vertices_->GetVertexCount();
    const FrameVertex* a = frameVertices_.data() + static_cast<std::size_t>(frameA) * count;
    const FrameVertex* b = frameVertices_.data() + static_cast<std::size_t>(frameB) * count;
    const float keep = 1.0f - t;
    const u32 stride = vertices_->GetStride();
    u8* out = vertices_->LockRange(0, count);
    for (u32 i = 0; i < count; ++i) {
        const FrameVertex blended{a[i].position * keep + b[i].position * t, a[i].normal * keep + b[i].normal * t,
                                  a[i].u * keep + b[i].u * t, a[i].v * keep + b[i].v * t};
        PutVertex(out + static_cast<std::size_t>(i) * stride, stride, blended);
    }
    vertices_->Unlock();
}

void Model::SkinVertices()
{
    const u32 count = vertices_->GetVertexCount();
    const u32 stride = vertices_->GetStride();
    u8* data = vertices_->LockRange(0, count);
    for (u32 i = 0; i < count; ++i) {
        Vector3 position(0.0f);
        Vector3 normal(0.0f);
        const SkinRecord& record = skin_[i];
        for (u32 w = 0; w < record.weightCount; ++w) {
            const SkinWeight& weight = record.weights[w];
            const Bone& bone = skeleton_->GetBone(weight.bone);
            position += bone.fullMatrix.TransformPoint(weight.position) * weight.weight;
            normal += bone.normalMatrix.TransformPoint(weight.normal) * weight.weight;
        }
        const float values[6] = {position.x, position.y, position.z, normal.x, normal.y, normal.z};
        std::memcpy(data + static_cast<std::size_t>(i) * stride, values, sizeof values);
    }
    vertices_->Unlock();
}

} // namespace Halvard
