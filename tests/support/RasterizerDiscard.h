#pragma once

namespace Testing {

// Whether a test looks at what a game draws. Where it does not, nothing is
// rasterised: the frames run whole, draws and all, in a fraction of the time.
enum class Pictures { kNotLookedAt, kLookedAt };

// Makes GL drop every primitive and clear before it reaches a pixel, in the
// context current now: the engine's frames run whole, transforms and draws
// included, but nothing is rasterised. For runs whose pictures are not what
// is tested; the engine never touches this switch.
void DiscardRasterizing();
// Rasterises again in the context current now.
void ResumeRasterizing();

} // namespace Testing
