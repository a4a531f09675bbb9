#include "engine/render/BufferVersion.h"

#include <atomic>

namespace Halvard {

namespace {

// Addresses are reused as buffers come and go; these numbers never are.
std::atomic<u64> lastIdentity{0};

} // namespace

BufferVersion::BufferVersion() : identity_(lastIdentity.fetch_add(1) + 1) {}

} // namespace Halvard
