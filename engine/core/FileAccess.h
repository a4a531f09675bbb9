#pragma once

#include "engine/core/Types.h"

namespace Halvard {

// Which way a file is opened.
enum class FileAccess : u8 { kRead, kWrite };

// How a file opened for reading reaches memory: kBySize takes files up to
// FileBinary::kWholeReadLimit at once and reads bigger ones from the disk as
// they are asked for; kWhole takes every file at once. Writers ignore it.
enum class FileLoading : u8 { kBySize, kWhole };

} // namespace Halvard
