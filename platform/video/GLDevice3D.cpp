#include "platform/video/GLDevice3D.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "platform/video/GLDisplay.h"
#include "platform/video/GLTextureSurface.h"

namespace Platform {

namespace {

// Draws submitted between two flushes of a large scene; flushing more often
// made a software GL's large frames slower again.
constexpr uint32_t kDrawsPerFlush = 128;

const GLenum kBlendFactors[] = {
    GL_ZERO,
    GL_ONE,
    GL_SRC_COLOR,
    GL_ONE_MINUS_SRC_COLOR,
    GL_SRC_ALPHA,
    GL_ONE_MINUS_SRC_ALPHA,
    GL_DST_ALPHA,
    GL_ONE_MINUS_DST_ALPHA,
    GL_DST_COLOR,
    GL_ONE_MINUS_DST_COLOR,
    GL_SRC_ALPHA_SATURATE,
};
const GLenum kCompares[] = {GL_NEVER, GL_LESS, GL_EQUAL, GL_LEQUAL, GL_GREATER, GL_NOTEQUAL, GL_GEQUAL, GL_ALWAYS};
const GLenum kStencilOperations[] = {GL_KEEP, GL_ZERO,   GL_REPLACE,   GL_INCR,
                                     GL_DECR, GL_INVERT, GL_INCR_WRAP, GL_DECR_WRAP};

// The largest value each enumerated state accepts; 0 for plain numbers.
uint32_t Limit(RenderState state)
{
    switch (state) {
    case RenderState::SourceBlend:
    case RenderState::DestinationBlend:
        return static_cast<uint32_t>(Blend::SourceAlphaSaturate);
    case RenderState::CullMode:
        return static_cast<uint32_t>(Cull::CounterClockwise);
    case RenderState::ZFunction:
    case RenderState::StencilFunction:
        return static_cast<uint32_t>(Compare::Always);
    case RenderState::StencilFail:
    case RenderState::StencilZFail:
    case RenderState::StencilPass:
        return static_cast<uint32_t>(StencilOperation::Decrement);
    case RenderState::DiffuseMaterialSource:
    case RenderState::AmbientMaterialSource:
        return static_cast<uint32_t>(MaterialSource::Color2);
    default:
        return 0;
    }
}

void SetEnabled(GLenum capability, bool enabled)
{
    if (enabled)
        glEnable(capability);
    else
        glDisable(capability);
}

void Unpack(uint32_t packed, GLfloat out[4])
{
    out[0] = static_cast<GLfloat>((packed >> 16) & 0xFF) / 255.0f;
    out[1] = static_cast<GLfloat>((packed >> 8) & 0xFF) / 255.0f;
    out[2] = static_cast<GLfloat>(packed & 0xFF) / 255.0f;
    out[3] = static_cast<GLfloat>((packed >> 24) & 0xFF) / 255.0f;
}

// Row-vector matrices are GL's column-major ones already; only the clip
// depth changes from 0 ... w to -w ... w.
std::array<float, 16> DepthRangeToGL(const std::array<float, 16>& projection)
{
    std::array<float, 16> result = projection;
    for (int column = 0; column < 4; ++column)
        result[column * 4 + 2] = 2.0f * projection[column * 4 + 2] - projection[column * 4 + 3];
    return result;
}

// Two coordinates go in as (u, v, 1, 0): their offsets sit in the third row,
// where GL, which extends them to (s, t, 0, 1), wants them in the fourth.
std::array<float, 16> TextureMatrixToGL(const std::array<float, 16>& m)
{
    std::array<float, 16> result = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    result[0] = m[0];
    result[1] = m[1];
    result[4] = m[4];
    result[5] = m[5];
    result[12] = m[8];
    result[13] = m[9];
    return result;
}

} // namespace

GLDevice3D::GLDevice3D(GLDisplay& display, const GLProbe& probe)
    : display_(display), anisotropic_(probe.anisotropic),
      stageCount_(std::min(std::max(probe.textureUnits, 1u), kMaxStages)),
      buffers_(display.Registry(), probe.baseVertex), units_(stageCount_)
{
    const std::array<float, 16> identity = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    world_ = identity;
    view_ = identity;
    projection_ = identity;
    textureMatrices_.fill(identity);
    display_.BindBackBuffer();
    glFrontFace(GL_CCW);
    glShadeModel(GL_SMOOTH);
    glLightModeli(GL_LIGHT_MODEL_LOCAL_VIEWER, GL_TRUE);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_NORMAL_ARRAY);
    glDisableClientState(GL_COLOR_ARRAY);
    SetDefaults();
}

// The states a new device starts with, the same on every backend.
void GLDevice3D::SetDefaults()
{
    SetRenderState(RenderState::Ambient, 0);
    SetRenderState(RenderState::AlphaBlendEnable, 0);
    SetRenderState(RenderState::SourceBlend, static_cast<uint32_t>(Blend::One));
    SetRenderState(RenderState::DestinationBlend, static_cast<uint32_t>(Blend::Zero));
    SetRenderState(RenderState::CullMode, static_cast<uint32_t>(Cull::CounterClockwise));
    SetRenderState(RenderState::Lighting, 1);
    SetRenderState(RenderState::NormalizeNormals, 0);
    SetRenderState(RenderState::ZEnable, 1);
    SetRenderState(RenderState::ZWriteEnable, 1);
    SetRenderState(RenderState::ZFunction, static_cast<uint32_t>(Compare::LessEqual));
    SetRenderState(RenderState::StencilEnable, 0);
    SetRenderState(RenderState::StencilFunction, static_cast<uint32_t>(Compare::Always));
    SetRenderState(RenderState::StencilReference, 0);
    SetRenderState(RenderState::StencilMask, 0xFFFFFFFFu);
    SetRenderState(RenderState::StencilFail, static_cast<uint32_t>(StencilOperation::Keep));
    SetRenderState(RenderState::StencilZFail, static_cast<uint32_t>(StencilOperation::Keep));
    SetRenderState(RenderState::StencilPass, static_cast<uint32_t>(StencilOperation::Keep));
    SetRenderState(RenderState::ColorVertex, 1);
    SetRenderState(RenderState::DiffuseMaterialSource, static_cast<uint32_t>(MaterialSource::Color1));
    SetRenderState(RenderState::AmbientMaterialSource, static_cast<uint32_t>(MaterialSource::Material));
    for (uint32_t stage = 0; stage < kMaxStages; ++stage) {
        auto& states = stageStates_[stage];
        const bool first = stage == 0;
        auto set = [&states](TextureStageState state, auto value) {
            states[static_cast<uint32_t>(state)] = static_cast<uint32_t>(value);
        };
        set(TextureStageState::ColorOperation, first ? TextureOperation::Modulate : TextureOperation::Disable);
        set(TextureStageState::ColorArgument1, TextureArgument::Texture);
        set(TextureStageState::ColorArgument2, TextureArgument::Current);
        set(TextureStageState::AlphaOperation, first ? TextureOperation::SelectArgument1 : TextureOperation::Disable);
        set(TextureStageState::AlphaArgument1, TextureArgument::Texture);
        set(TextureStageState::AlphaArgument2, TextureArgument::Current);
        set(TextureStageState::TextureCoordinateIndex, stage);
        set(TextureStageState::AddressU, TextureAddress::Wrap);
        set(TextureStageState::AddressV, TextureAddress::Wrap);
        set(TextureStageState::MagnificationFilter, TextureFilter::Point);
        set(TextureStageState::MinificationFilter, TextureFilter::Point);
        set(TextureStageState::MipFilter, TextureFilter::None);
        set(TextureStageState::MaxAnisotropy, 1u);
        set(TextureStageState::TextureTransformFlags, TextureTransformFlags::Disable);
    }
    lighting_.ApplyMaterial();
}

VideoResult GLDevice3D::SetViewport(const Viewport& viewport)
{
    const SurfaceDescription& target = display_.BackBuffer();
    if (viewport.x + viewport.width > target.width || viewport.y + viewport.height > target.height)
        return VideoResults::kInvalidParams;
    viewport_ = viewport;
    glViewport(static_cast<GLint>(viewport.x), static_cast<GLint>(target.height - viewport.y - viewport.height),
               static_cast<GLsizei>(viewport.width), static_cast<GLsizei>(viewport.height));
    glDepthRange(viewport.minZ, viewport.maxZ);
    return VideoResults::kOk;
}

VideoResult GLDevice3D::SetRenderTarget()
{
    display_.BindBackBuffer();
    return VideoResults::kOk;
}

// Clearing ignores the write masks and stays inside the viewport.
VideoResult GLDevice3D::Clear(uint32_t flags, uint32_t color, float z, uint32_t stencil)
{
    GLbitfield mask = 0;
    if ((flags & kClearTarget) != 0) {
        GLfloat rgba[4];
        Unpack(color, rgba);
        glClearColor(rgba[0], rgba[1], rgba[2], rgba[3]);
        glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
        mask |= GL_COLOR_BUFFER_BIT;
    }
    if ((flags & kClearZBuffer) != 0) {
        glClearDepth(z);
        glDepthMask(GL_TRUE);
        mask |= GL_DEPTH_BUFFER_BIT;
    }
    if ((flags & kClearStencil) != 0) {
        glClearStencil(static_cast<GLint>(stencil));
        glStencilMask(0xFFFFFFFFu);
        mask |= GL_STENCIL_BUFFER_BIT;
    }
    const SurfaceDescription& target = display_.BackBuffer();
    display_.BindBackBuffer();
    glEnable(GL_SCISSOR_TEST);
    glScissor(static_cast<GLint>(viewport_.x), static_cast<GLint>(target.height - viewport_.y - viewport_.height),
              static_cast<GLsizei>(viewport_.width), static_cast<GLsizei>(viewport_.height));
    glClear(mask);
    glDisable(GL_SCISSOR_TEST);
    glDepthMask(State(RenderState::ZWriteEnable) != 0 ? GL_TRUE : GL_FALSE);
    return VideoResults::kOk;
}

VideoResult GLDevice3D::BeginScene()
{
    display_.Registry()->DeletePending();
    if (buffers_.BeginScene())
        arraysBuffer_ = 0;
    display_.BindBackBuffer();
    drawsSinceFlush_ = 0;
    return VideoResults::kOk;
}

VideoResult GLDevice3D::EndScene() { return VideoResults::kOk; }

VideoResult GLDevice3D::SetRenderState(RenderState state, uint32_t value)
{
    const uint32_t limit = Limit(state);
    if (static_cast<uint32_t>(state) >= static_cast<uint32_t>(RenderState::Count) || (limit != 0 && value > limit))
        return VideoResults::kInvalidParams;
    renderStates_[static_cast<uint32_t>(state)] = value;
    switch (state) {
    case RenderState::Ambient: {
        GLfloat ambient[4];
        Unpack(value, ambient);
        glLightModelfv(GL_LIGHT_MODEL_AMBIENT, ambient);
        break;
    }
    case RenderState::AlphaBlendEnable:
        SetEnabled(GL_BLEND, value != 0);
        break;
    case RenderState::SourceBlend:
    case RenderState::DestinationBlend:
        glBlendFunc(kBlendFactors[State(RenderState::SourceBlend)],
                    kBlendFactors[State(RenderState::DestinationBlend)]);
        break;
    case RenderState::CullMode:
        ApplyCulling();
        break;
    case RenderState::Lighting:
        SetEnabled(GL_LIGHTING, value != 0);
        break;
    case RenderState::NormalizeNormals:
        SetEnabled(GL_NORMALIZE, value != 0);
        break;
    case RenderState::ZEnable:
        SetEnabled(GL_DEPTH_TEST, value != 0);
        break;
    case RenderState::ZWriteEnable:
        glDepthMask(value != 0 ? GL_TRUE : GL_FALSE);
        break;
    case RenderState::ZFunction:
        glDepthFunc(kCompares[value]);
        break;
    case RenderState::StencilEnable:
        SetEnabled(GL_STENCIL_TEST, value != 0);
        break;
    case RenderState::StencilFunction:
    case RenderState::StencilReference:
    case RenderState::StencilMask:
    case RenderState::StencilFail:
    case RenderState::StencilZFail:
    case RenderState::StencilPass:
        ApplyStencil();
        break;
    default:
        break;
    }
    return VideoResults::kOk;
}

// The picture keeps its orientation on the way to the window, so a winding
// seen clockwise on the screen is clockwise in GL's window space too.
void GLDevice3D::ApplyCulling()
{
    const auto cull = static_cast<Cull>(State(RenderState::CullMode));
    SetEnabled(GL_CULL_FACE, cull != Cull::None);
    if (cull != Cull::None)
        glCullFace(cull == Cull::Clockwise ? GL_BACK : GL_FRONT);
}

void GLDevice3D::ApplyStencil()
{
    glStencilFunc(kCompares[State(RenderState::StencilFunction)],
                  static_cast<GLint>(State(RenderState::StencilReference)), State(RenderState::StencilMask));
    glStencilOp(kStencilOperations[State(RenderState::StencilFail)],
                kStencilOperations[State(RenderState::StencilZFail)],
                kStencilOperations[State(RenderState::StencilPass)]);
}

VideoResult GLDevice3D::SetTextureStageState(uint32_t stage, TextureStageState state, uint32_t value)
{
    if (stage >= stageCount_ || static_cast<uint32_t>(state) >= static_cast<uint32_t>(TextureStageState::Count))
        return VideoResults::kInvalidParams;
    stageStates_[stage][static_cast<uint32_t>(state)] = value;
    return VideoResults::kOk;
}

VideoResult GLDevice3D::SetTransform(TransformState state, const float matrix[16])
{
    const auto index = static_cast<uint32_t>(state);
    const auto texture0 = static_cast<uint32_t>(TransformState::Texture0);
    Matrix* target = nullptr;
    if (state == TransformState::World)
        target = &world_;
    else if (state == TransformState::View)
        target = &view_;
    else if (state == TransformState::Projection)
        target = &projection_;
    else if (index - texture0 < kMaxStages)
        target = &textureMatrices_[index - texture0];
    if (target == nullptr)
        return VideoResults::kInvalidParams;
    if (std::equal(matrix, matrix + 16, target->begin()))
        return VideoResults::kOk;
    std::copy(matrix, matrix + 16, target->begin());
    if (state == TransformState::Projection)
        projectionDirty_ = true;
    else if (state == TransformState::World)
        modelviewDirty_ = true;
    else if (state == TransformState::View)
        lightsDirty_ = true;
    return VideoResults::kOk;
}

VideoResult GLDevice3D::SetMaterial(const Material& material)
{
    lighting_.SetMaterial(material);
    return VideoResults::kOk;
}

VideoResult GLDevice3D::SetLight(uint32_t index, const LightDescription& light)
{
    if (!lighting_.SetLight(index, light))
        return VideoResults::kInvalidParams;
    lightsDirty_ = true;
    return VideoResults::kOk;
}

VideoResult GLDevice3D::LightEnable(uint32_t index, bool enable)
{
    if (!lighting_.LightEnable(index, enable))
        return VideoResults::kInvalidParams;
    lightsDirty_ = true;
    return VideoResults::kOk;
}

VideoResult GLDevice3D::SetTexture(uint32_t stage, TextureSurface* surface)
{
    if (stage >= stageCount_)
        return VideoResults::kInvalidParams;
    auto* texture = dynamic_cast<GLTextureSurface*>(surface);
    if (surface != nullptr && texture == nullptr)
        return VideoResults::kInvalidObject;
    textures_[stage] = texture;
    return VideoResults::kOk;
}

// The modelview is the view times the world, the lights sent in between:
// they are given in world space and GL takes them through the modelview.
void GLDevice3D::ApplyTransforms()
{
    if (projectionDirty_) {
        glMatrixMode(GL_PROJECTION);
        glLoadMatrixf(DepthRangeToGL(projection_).data());
        glMatrixMode(GL_MODELVIEW);
        projectionDirty_ = false;
    }
    if (!modelviewDirty_ && !lightsDirty_)
        return;
    glLoadMatrixf(view_.data());
    if (lightsDirty_)
        lighting_.ApplyLights();
    glMultMatrixf(world_.data());
    modelviewDirty_ = false;
    lightsDirty_ = false;
}

// Vertex colours stand in for the material's diffuse and ambient colours
// while lighting is on.
void GLDevice3D::ApplyMaterialSources(bool vertexColors)
{
    const bool tracking = State(RenderState::Lighting) != 0 && vertexColors && State(RenderState::ColorVertex) != 0;
    const auto material = static_cast<uint32_t>(MaterialSource::Material);
    lighting_.ApplyMaterialSources(tracking && State(RenderState::DiffuseMaterialSource) != material,
                                   tracking && State(RenderState::AmbientMaterialSource) != material);
}

// Stages run from the first up to one that is switched off or has no
// texture; the colour and alpha reaching it are what gets drawn.
void GLDevice3D::ApplyStages(uint32_t stride, uint32_t uvOffset, bool hasCoordinates)
{
    const auto* coordinates = reinterpret_cast<const void*>(static_cast<uintptr_t>(uvOffset));
    uint32_t used = 0;
    while (hasCoordinates && used < stageCount_ && textures_[used] != nullptr &&
           Stage(used, TextureStageState::ColorOperation) != static_cast<uint32_t>(TextureOperation::Disable)) {
        units_.Use(used, *textures_[used]);
        ApplySampling(used, *textures_[used]);
        units_.SetCombiner(used, CombinerOf(used));
        const bool transformed = Stage(used, TextureStageState::TextureTransformFlags) ==
                                 static_cast<uint32_t>(TextureTransformFlags::Count2);
        const Matrix matrix = transformed ? TextureMatrixToGL(textureMatrices_[used]) : Matrix{};
        units_.SetMatrix(used, transformed ? &matrix : nullptr);
        units_.PointCoordinates(used, arraysGeneration_, static_cast<GLsizei>(stride), coordinates);
        ++used;
    }
    units_.DisableFrom(used);
}

GLTextureUnits::Combiner GLDevice3D::CombinerOf(uint32_t stage) const
{
    return GLTextureUnits::Combiner{Stage(stage, TextureStageState::ColorOperation),
                                    Stage(stage, TextureStageState::ColorArgument1),
                                    Stage(stage, TextureStageState::ColorArgument2),
                                    Stage(stage, TextureStageState::AlphaOperation),
                                    Stage(stage, TextureStageState::AlphaArgument1),
                                    Stage(stage, TextureStageState::AlphaArgument2)};
}

void GLDevice3D::ApplySampling(uint32_t stage, GLTextureSurface& texture)
{
    const auto magnification = static_cast<TextureFilter>(Stage(stage, TextureStageState::MagnificationFilter));
    const auto minification = static_cast<TextureFilter>(Stage(stage, TextureStageState::MinificationFilter));
    const auto mip = static_cast<TextureFilter>(Stage(stage, TextureStageState::MipFilter));
    const bool linear = minification != TextureFilter::Point;
    GLint minFilter = linear ? GL_LINEAR : GL_NEAREST;
    if (texture.GetDescription().levelCount > 1 && mip == TextureFilter::Point)
        minFilter = linear ? GL_LINEAR_MIPMAP_NEAREST : GL_NEAREST_MIPMAP_NEAREST;
    else if (texture.GetDescription().levelCount > 1 && mip == TextureFilter::Linear)
        minFilter = linear ? GL_LINEAR_MIPMAP_LINEAR : GL_NEAREST_MIPMAP_LINEAR;
    GLTextureSurface::Sampling wanted;
    wanted.magnification = magnification == TextureFilter::Point ? GL_NEAREST : GL_LINEAR;
    wanted.minification = minFilter;
    const auto wrap = [](uint32_t address) {
        return address == static_cast<uint32_t>(TextureAddress::Clamp) ? GL_CLAMP_TO_EDGE : GL_REPEAT;
    };
    wanted.wrapS = wrap(Stage(stage, TextureStageState::AddressU));
    wanted.wrapT = wrap(Stage(stage, TextureStageState::AddressV));
    const bool anisotropic = magnification == TextureFilter::Anisotropic || minification == TextureFilter::Anisotropic;
    wanted.anisotropy =
        anisotropic ? static_cast<GLfloat>(std::max(Stage(stage, TextureStageState::MaxAnisotropy), 1u)) : 1.0f;

    GLTextureSurface::Sampling& last = texture.LastSampling();
    if (last.magnification == wanted.magnification && last.minification == wanted.minification &&
        last.wrapS == wanted.wrapS && last.wrapT == wanted.wrapT &&
        (!anisotropic_ || last.anisotropy == wanted.anisotropy))
        return;
    units_.Select(stage);
    if (last.magnification != wanted.magnification)
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, wanted.magnification);
    if (last.minification != wanted.minification)
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, wanted.minification);
    if (last.wrapS != wanted.wrapS)
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, wanted.wrapS);
    if (last.wrapT != wanted.wrapT)
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, wanted.wrapT);
    if (anisotropic_ && last.anisotropy != wanted.anisotropy)
        glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MAX_ANISOTROPY_EXT, wanted.anisotropy);
    last = wanted;
}

VideoResult GLDevice3D::DrawIndexedPrimitive(PrimitiveType type, uint32_t vertexFormat, const void* vertices,
                                             uint32_t vertexCount, const void* indices, uint32_t indexCount,
                                             uint32_t indexSize)
{
    return DrawIndexedSources(type, vertexFormat, DrawSource{vertices}, vertexCount, DrawSource{indices}, indexCount,
                              indexSize);
}

VideoResult GLDevice3D::DrawIndexedSources(PrimitiveType type, uint32_t vertexFormat, const DrawSource& vertices,
                                           uint32_t vertexCount, const DrawSource& indices, uint32_t indexCount,
                                           uint32_t indexSize)
{
    if (vertices.data == nullptr || indices.data == nullptr || (indexSize != 2 && indexSize != 4))
        return VideoResults::kInvalidParams;
    if (vertexCount == 0 || indexCount == 0)
        return VideoResults::kOk;
    const bool colored = (vertexFormat & kVertexDiffuse) != 0;
    const bool textured = (vertexFormat & kVertexTexture1) != 0;
    const uint32_t stride = 24 + (colored ? 4 : 0) + (textured ? 8 : 0);

    ApplyTransforms();
    ApplyMaterialSources(colored);
    const GLBufferCache::Placement arrays =
        buffers_.Bind(GL_ARRAY_BUFFER, vertices, static_cast<size_t>(vertexCount) * stride, stride);
    ApplyArrays(arrays.name, stride, colored);
    ApplyStages(stride, colored ? 28 : 24, textured);
    const GLBufferCache::Placement elements =
        buffers_.Bind(GL_ELEMENT_ARRAY_BUFFER, indices, static_cast<size_t>(indexCount) * indexSize, indexSize);
    const GLenum mode = type == PrimitiveType::TriangleStrip ? GL_TRIANGLE_STRIP : GL_TRIANGLES;
    const GLenum indexType = indexSize == 4 ? GL_UNSIGNED_INT : GL_UNSIGNED_SHORT;
    const auto* first = reinterpret_cast<const void*>(static_cast<uintptr_t>(elements.offset));
    // Arrays in a pooled buffer are pointed at its start and their first
    // vertex given with the draw.
    if (arrays.offset == 0)
        glDrawRangeElements(mode, 0, vertexCount - 1, static_cast<GLsizei>(indexCount), indexType, first);
    else
        glDrawRangeElementsBaseVertex(mode, 0, vertexCount - 1, static_cast<GLsizei>(indexCount), indexType, first,
                                      static_cast<GLint>(arrays.offset / stride));
    white_ = white_ && !colored;
    HandOnLargeScene();
    return VideoResults::kOk;
}

// A software GL rasterises nothing until its commands are flushed, and then
// while this thread waits at the present. Flushing a large scene in parts
// lets its threads draw the first parts while this thread submits the rest;
// small scenes, such as the menus', go whole. Without a screen nothing waits
// at the present, and a flush would only have GL draw frames that no capture
// may ever read.
void GLDevice3D::HandOnLargeScene()
{
    if (display_.IsScreenless() || ++drawsSinceFlush_ < kDrawsPerFlush)
        return;
    glFlush();
    drawsSinceFlush_ = 0;
}

// The arrays are offsets into the bound array buffer; they are pointed
// again only when the buffer or the layout changes.
void GLDevice3D::ApplyArrays(GLuint buffer, uint32_t stride, bool colored)
{
    if (!colored && !white_) {
        glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
        white_ = true;
    }
    if (colored != colorArray_) {
        if (colored)
            glEnableClientState(GL_COLOR_ARRAY);
        else
            glDisableClientState(GL_COLOR_ARRAY);
        colorArray_ = colored;
    }
    if (buffer == arraysBuffer_ && stride == arraysStride_ && colored == arraysColored_)
        return;
    const auto gap = static_cast<GLsizei>(stride);
    glVertexPointer(3, GL_FLOAT, gap, nullptr);
    glNormalPointer(GL_FLOAT, gap, reinterpret_cast<const void*>(uintptr_t{12}));
    if (colored)
        glColorPointer(GL_BGRA, GL_UNSIGNED_BYTE, gap, reinterpret_cast<const void*>(uintptr_t{24}));
    arraysBuffer_ = buffer;
    arraysStride_ = stride;
    arraysColored_ = colored;
    ++arraysGeneration_;
}

VideoResult GLDevice3D::EnumerateTextureFormats(std::vector<PixelFormat>& formats)
{
    formats = GLTextureSurface::Formats();
    return VideoResults::kOk;
}

} // namespace Platform
