#pragma once

#include "engine/core/Types.h"

namespace Halvard {

// Narrow text shown to the player is in a Windows code page; the language
// chosen decides which. The choice is process-wide, like the C locale it
// stands in for. Code pages without a table of their own read as 1252.
void SetCodePage(u32 codePage);
u32 GetCodePage();

// The wide character of one byte, or 0 when the byte has none in the
// current code page.
wchar_t CodePageByteToWide(u8 byte);

// The byte of one wide character, or -1 when the current code page has none.
int WideToCodePageByte(wchar_t character);

} // namespace Halvard
