#pragma once

#include <cstdint>
#include <string>

namespace Platform {

// A display mode: size, colour depth and refresh rate (0 when unknown).
struct DisplayMode {
    uint32_t width = 0;
    uint32_t height = 0;
    uint32_t bitsPerPixel = 0;
    uint32_t refreshRate = 0;
};

// One display as the enumeration reports it. The primary display is the one
// without an identifier; the others carry their index.
struct AdapterIdentity {
    bool hasIdentifier = false;
    uint32_t identifier = 0;
    std::string description;
    std::string name;
};

struct AdapterCaps {
    // Three-dimensional drawing into a window that shares the desktop.
    bool canRenderWindowed = false;
};

// The kinds of three-dimensional device a display offers, named after what
// does the work.
enum class DeviceType : uint32_t {
    // Hardware that also transforms and lights the vertices.
    TransformAndLighting,
    // Hardware rasterization; vertices are transformed by the processor.
    Hardware,
    // The exact but slow reference rasterizer.
    Reference,
    // Rasterization by the processor.
    Software,
};

// Colour depths a device can draw into.
enum RenderDepth : uint32_t { kRenderDepth16 = 1u << 0, kRenderDepth24 = 1u << 1, kRenderDepth32 = 1u << 2 };

struct DeviceDescription {
    DeviceType type = DeviceType::Software;
    std::string description;
    std::string name;
    bool hardwareRasterization = false;
    // RenderDepth bits.
    uint32_t renderDepths = 0;
    uint32_t maxTextureWidth = 0;
    uint32_t maxTextureHeight = 0;
    uint32_t maxSimultaneousTextures = 0;
    uint32_t maxAnisotropy = 0;
    // Hidden surfaces are removed without a depth buffer.
    bool zBufferlessHiddenSurfaceRemoval = false;
};

// A depth-buffer format. The bit depth counts the whole element, stencil bits
// included, as the depth search compares it: 24 depth bits with 8 stencil
// bits have a bit depth of 32.
struct DepthFormat {
    uint32_t bitDepth = 0;
    uint32_t depthBits = 0;
    uint32_t stencilBits = 0;
};

enum class SurfaceMemory : uint32_t { Video, System };

// Pixels as they lie in a surface's memory: the masks select each channel of
// a little-endian pixel of the given bit count.
struct PixelFormat {
    uint32_t bitCount = 0;
    uint32_t redMask = 0;
    uint32_t greenMask = 0;
    uint32_t blueMask = 0;
    uint32_t alphaMask = 0;
    bool hasAlpha = false;
    bool luminance = false;
    bool bumpMap = false;
    bool fourCC = false;
};

// The colour format of a display's back buffer at a bit depth: red 5,
// green 6, blue 5 at 16 bits, 8 bits each above.
inline PixelFormat DisplayColorFormat(uint32_t bitCount)
{
    PixelFormat format;
    format.bitCount = bitCount;
    if (bitCount == 16) {
        format.redMask = 0xF800;
        format.greenMask = 0x07E0;
        format.blueMask = 0x001F;
    } else {
        format.redMask = 0x00FF0000;
        format.greenMask = 0x0000FF00;
        format.blueMask = 0x000000FF;
    }
    return format;
}

struct SurfaceDescription {
    uint32_t width = 0;
    uint32_t height = 0;
    PixelFormat format;
};

// Memory of a locked surface: rows from the top, pitch bytes apart.
struct LockedRect {
    uint8_t* bits = nullptr;
    int32_t pitch = 0;
};

enum class CooperativeLevel : uint32_t {
    // A window among others on the desktop.
    Normal,
    // The program owns the display and may change its mode.
    FullScreenExclusive,
};

// The clear targets of Device3D::Clear.
enum ClearFlag : uint32_t { kClearTarget = 1u << 0, kClearZBuffer = 1u << 1, kClearStencil = 1u << 2 };

// Vertex fields, in the order they lie in a vertex; the draw's vertex format
// is their sum.
enum VertexFormat : uint32_t {
    kVertexPosition = 0x002,
    kVertexNormal = 0x010,
    kVertexDiffuse = 0x040,
    kVertexTexture1 = 0x100,
};

enum class PrimitiveType : uint32_t { TriangleList, TriangleStrip };

// The vertices or the indices of a draw, read from memory. A source named by
// an identity (not 0, and never given to other contents) and a version that
// moves on whenever its contents may have changed can be kept by the device
// between draws; a source of identity 0 is read afresh at every draw.
struct DrawSource {
    const void* data = nullptr;
    uint64_t identity = 0;
    uint64_t version = 0;
};

enum class RenderState : uint32_t {
    // Packed A8R8G8B8.
    Ambient,
    AlphaBlendEnable,
    SourceBlend,
    DestinationBlend,
    CullMode,
    Lighting,
    NormalizeNormals,
    ZEnable,
    ZWriteEnable,
    ZFunction,
    StencilEnable,
    StencilFunction,
    StencilReference,
    StencilMask,
    StencilFail,
    StencilZFail,
    StencilPass,
    ColorVertex,
    DiffuseMaterialSource,
    AmbientMaterialSource,
    Count,
};

enum class Blend : uint32_t {
    Zero,
    One,
    SourceColor,
    InverseSourceColor,
    SourceAlpha,
    InverseSourceAlpha,
    DestinationAlpha,
    InverseDestinationAlpha,
    DestinationColor,
    InverseDestinationColor,
    SourceAlphaSaturate,
};

// Which winding on the screen is culled.
enum class Cull : uint32_t { None, Clockwise, CounterClockwise };

enum class Compare : uint32_t { Never, Less, Equal, LessEqual, Greater, NotEqual, GreaterEqual, Always };

enum class StencilOperation : uint32_t {
    Keep,
    Zero,
    Replace,
    IncrementSaturate,
    DecrementSaturate,
    Invert,
    // Wraps from the largest value to 0.
    Increment,
    Decrement,
};

enum class MaterialSource : uint32_t { Material, Color1, Color2 };

enum class TextureStageState : uint32_t {
    ColorOperation,
    ColorArgument1,
    ColorArgument2,
    AlphaOperation,
    AlphaArgument1,
    AlphaArgument2,
    TextureCoordinateIndex,
    AddressU,
    AddressV,
    MagnificationFilter,
    MinificationFilter,
    MipFilter,
    MaxAnisotropy,
    TextureTransformFlags,
    Count,
};

enum class TextureOperation : uint32_t { Disable, SelectArgument1, SelectArgument2, Modulate };

enum class TextureArgument : uint32_t { Diffuse, Current, Texture };

enum class TextureAddress : uint32_t { Wrap, Clamp };

enum class TextureFilter : uint32_t { None, Point, Linear, Anisotropic };

// How many transformed texture coordinates a stage uses; Disable leaves the
// coordinates untransformed.
enum class TextureTransformFlags : uint32_t { Disable, Count2 };

// Matrices are 16 floats for row vectors multiplied from the left, the
// translation in elements 12 to 14. Texture transforms of two coordinates take
// (u, v, 1, 0), so their offsets lie in elements 8 and 9.
enum class TransformState : uint32_t { World, View, Projection, Texture0 };

inline TransformState TextureTransform(uint32_t stage)
{
    return static_cast<TransformState>(static_cast<uint32_t>(TransformState::Texture0) + stage);
}

struct Color {
    float r = 0.0f;
    float g = 0.0f;
    float b = 0.0f;
    float a = 0.0f;
};

struct Material {
    Color diffuse;
    Color ambient;
    Color specular;
    Color emissive;
    float power = 0.0f;
};

enum class LightType : uint32_t { Point, Spot, Directional };

// A light in world space.
struct LightDescription {
    LightType type = LightType::Point;
    Color diffuse;
    Color specular;
    Color ambient;
    float position[3] = {0.0f, 0.0f, 0.0f};
    float direction[3] = {0.0f, 0.0f, 1.0f};
    float range = 0.0f;
    float falloff = 0.0f;
    float attenuation0 = 0.0f;
    float attenuation1 = 0.0f;
    float attenuation2 = 0.0f;
    // Full angles of the inner and outer cone, in radians.
    float theta = 0.0f;
    float phi = 0.0f;
};

// The drawing area in the back buffer; y grows downward from the top row.
struct Viewport {
    uint32_t x = 0;
    uint32_t y = 0;
    uint32_t width = 0;
    uint32_t height = 0;
    float minZ = 0.0f;
    float maxZ = 1.0f;
};

} // namespace Platform
