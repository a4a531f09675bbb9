#include "tests/support/RasterizerDiscard.h"

#include "platform/video/GLApi.h"

namespace Testing {

void DiscardRasterizing() { glEnable(GL_RASTERIZER_DISCARD); }

void ResumeRasterizing() { glDisable(GL_RASTERIZER_DISCARD); }

} // namespace Testing
