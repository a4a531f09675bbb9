#pragma once

#include <array>
#include <cstdint>

#include "platform/video/Device3D.h"
#include "platform/video/GLApi.h"
#include "platform/video/GLBufferCache.h"
#include "platform/video/GLLighting.h"
#include "platform/video/GLProbe.h"
#include "platform/video/GLTextureUnits.h"

namespace Platform {

class GLDisplay;
class GLTextureSurface;

// The three-dimensional device on the fixed-function GL pipeline. States
// that GL keeps as they are (blending, depth, stencil, culling) go to GL at
// once; those that depend on each other or on the vertices drawn
// (transforms, lights, vertex colours as material, texture stages) are
// worked out at each draw, and only what differs from what GL holds is
// sent. Vertices and indices are drawn from GL buffer objects. Matrices
// arrive for row vectors with depth from 0 to 1 and are turned into GL's
// form on the way.
class GLDevice3D : public Device3D {
public:
    static constexpr uint32_t kMaxStages = 8;

    GLDevice3D(GLDisplay& display, const GLProbe& probe);
    GLDevice3D(const GLDevice3D&) = delete;
    GLDevice3D& operator=(const GLDevice3D&) = delete;

    VideoResult SetViewport(const Viewport& viewport) override;
    VideoResult SetRenderTarget() override;
    VideoResult Clear(uint32_t flags, uint32_t color, float z, uint32_t stencil) override;
    VideoResult BeginScene() override;
    VideoResult EndScene() override;
    VideoResult SetRenderState(RenderState state, uint32_t value) override;
    VideoResult SetTextureStageState(uint32_t stage, TextureStageState state, uint32_t value) override;
    VideoResult SetTransform(TransformState state, const float matrix[16]) override;
    VideoResult SetMaterial(const Material& material) override;
    VideoResult SetLight(uint32_t index, const LightDescription& light) override;
    VideoResult LightEnable(uint32_t index, bool enable) override;
    VideoResult SetTexture(uint32_t stage, TextureSurface* surface) override;
    VideoResult DrawIndexedPrimitive(PrimitiveType type, uint32_t vertexFormat, const void* vertices,
                                     uint32_t vertexCount, const void* indices, uint32_t indexCount,
                                     uint32_t indexSize) override;
    VideoResult DrawIndexedSources(PrimitiveType type, uint32_t vertexFormat, const DrawSource& vertices,
                                   uint32_t vertexCount, const DrawSource& indices, uint32_t indexCount,
                                   uint32_t indexSize) override;
    VideoResult EnumerateTextureFormats(std::vector<PixelFormat>& formats) override;

private:
    using Matrix = std::array<float, 16>;

    uint32_t State(RenderState state) const { return renderStates_[static_cast<uint32_t>(state)]; }
    uint32_t Stage(uint32_t stage, TextureStageState state) const
    {
        return stageStates_[stage][static_cast<uint32_t>(state)];
    }
    void SetDefaults();
    void ApplyCulling();
    void ApplyStencil();
    void ApplyTransforms();
    void ApplyMaterialSources(bool vertexColors);
    void ApplyArrays(GLuint buffer, uint32_t stride, bool colored);
    void ApplyStages(uint32_t stride, uint32_t uvOffset, bool hasCoordinates);
    void ApplySampling(uint32_t stage, GLTextureSurface& texture);
    GLTextureUnits::Combiner CombinerOf(uint32_t stage) const;
    void HandOnLargeScene();

    GLDisplay& display_;
    bool anisotropic_;
    uint32_t stageCount_;
    std::array<uint32_t, static_cast<uint32_t>(RenderState::Count)> renderStates_{};
    std::array<std::array<uint32_t, static_cast<uint32_t>(TextureStageState::Count)>, kMaxStages> stageStates_{};
    std::array<GLTextureSurface*, kMaxStages> textures_{};
    Matrix world_{};
    Matrix view_{};
    Matrix projection_{};
    std::array<Matrix, kMaxStages> textureMatrices_{};
    Viewport viewport_;
    bool projectionDirty_ = true;
    bool modelviewDirty_ = true;
    bool lightsDirty_ = true;
    GLBufferCache buffers_;
    GLTextureUnits units_;
    GLLighting lighting_;
    // Where the vertex arrays point now; the generation moves on at every
    // change, so that the units' coordinates follow.
    GLuint arraysBuffer_ = 0;
    uint32_t arraysStride_ = 0;
    bool arraysColored_ = false;
    uint64_t arraysGeneration_ = 0;
    bool colorArray_ = false;
    // GL's current colour is white; a draw with vertex colours leaves it
    // undefined.
    bool white_ = false;
    // Draws of this scene since GL was last flushed.
    uint32_t drawsSinceFlush_ = 0;
};

} // namespace Platform
