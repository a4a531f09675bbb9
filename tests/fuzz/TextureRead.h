#pragma once

#include <string>
#include <string_view>

namespace Fuzzing {

// A picture of the data folder read the way every shader's texture is: by
// the texture manager, mip-mapped. A picture that cannot be read gives the
// checkerboard; whatever is made fits the device's limits in powers of two.
void ReadTexture(std::string_view bytes, const std::string& extension);

} // namespace Fuzzing
