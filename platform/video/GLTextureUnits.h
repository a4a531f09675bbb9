#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "platform/video/GLApi.h"

namespace Platform {

class GLTextureSurface;

// The fixed-function texture units as GL holds them: the active units, the
// texturing switch, the bound texture, the combiner, the texture matrix and
// the coordinate array of each. Every setter sends only what differs from
// what GL already holds, so a run of draws with the same texture stages costs
// no GL call. The device is the only one to change these states. Main
// thread.
class GLTextureUnits {
public:
    using Matrix = std::array<float, 16>;

    // One half of a combiner: the operation and its two arguments, in the
    // device's own values.
    struct Combiner {
        uint32_t colorOperation = 0;
        uint32_t colorArgument1 = 0;
        uint32_t colorArgument2 = 0;
        uint32_t alphaOperation = 0;
        uint32_t alphaArgument1 = 0;
        uint32_t alphaArgument2 = 0;
        bool operator==(const Combiner&) const = default;
    };

    explicit GLTextureUnits(uint32_t count);

    // Makes the unit the one that texture calls change.
    void Select(uint32_t unit);
    // Texturing on, with the texture bound and its changed levels uploaded.
    void Use(uint32_t unit, GLTextureSurface& texture);
    void SetCombiner(uint32_t unit, const Combiner& combiner);
    // The identity when null.
    void SetMatrix(uint32_t unit, const Matrix* matrix);
    // The unit's coordinates from the vertex arrays of that generation: a
    // number the device moves on whenever it points the arrays elsewhere.
    void PointCoordinates(uint32_t unit, uint64_t arrays, GLsizei stride, const void* pointer);
    // Texturing and coordinates off from the unit on.
    void DisableFrom(uint32_t unit);

private:
    struct Unit {
        bool enabled = false;
        const GLTextureSurface* texture = nullptr;
        GLuint name = 0;
        bool combinerSent = false;
        Combiner combiner;
        bool identity = true;
        Matrix matrix{};
        bool coordinates = false;
        uint64_t arrays = 0;
    };

    void SelectClient(uint32_t unit);

    std::vector<Unit> units_;
    uint32_t active_ = 0;
    uint32_t clientActive_ = 0;
};

} // namespace Platform
