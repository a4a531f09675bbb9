#pragma once

#include "engine/core/Types.h"

#include <string>

namespace Halvard {

class MessageManager;

// Logs a failed result of the sound device as an error line naming the
// context; a zero result logs nothing. Never throws: the caller goes on.
void CheckDirectSoundResult(MessageManager* messages, const std::string& context, i32 result);

// The text of a result code; codes without a text give "Unknown error
// (Code: " with the code as a signed number and ")".
std::string DirectSoundResultText(i32 result);

} // namespace Halvard
