#pragma once

namespace Testing {

// Makes GL drop every primitive and clear before it reaches a pixel, in the
// context current now: the engine's frames run whole, transforms and draws
// included, but nothing is rasterised. For runs whose pictures are not what
// is tested; the engine never touches this switch.
void DiscardRasterizing();
// Rasterises again in the context current now.
void ResumeRasterizing();

} // namespace Testing
