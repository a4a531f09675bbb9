#pragma once

#include "engine/core/Types.h"

namespace Halvard {

// Which way a file is opened.
enum class FileAccess : u8 { kRead, kWrite };

// How a file opened for reading reaches memory: kBySize takes files up to
// FileBinary::kWholeReadLimit at once and reads bigger ones from the disk as
// they are asked for; kWhole takes every file at once; kStreamed never takes
// a disk file at once, for a reader that looks at a few bytes only. A packed
// file is a copy in memory whatever is asked. Writers ignore it.
enum class FileLoading : u8 { kBySize, kWhole, kStreamed };

} // namespace Halvard
