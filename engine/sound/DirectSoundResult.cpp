#include "engine/sound/DirectSoundResult.h"

#include "engine/core/MessageManager.h"
#include "engine/core/StringUtils.h"

namespace Halvard {

namespace {

struct ResultText {
    u32 code;
    const char* text;
};

const ResultText kResultTexts[] = {
    {0x80070005, "The request failed because access was denied."},
    {0x8878000A,
     "The request failed because resources, such as a priority level, were already in use by another caller."},
    {0x88780082, "The object is already initialized."},
    {0x88780064, "The specified wave format is not supported."},
    {0x88780096, "The buffer memory has been lost and must be restored."},
    {0x8878001E, "The buffer control (volume, pan, and so on) requested by the caller is not available."},
    {0x80004005, "An undetermined error occurred inside the DirectSound subsystem."},
    {0x88780032, "This function is not valid for the current state of this object."},
    {0x80070057, "An invalid parameter was passed to the returning function."},
    {0x80040110, "The object does not support aggregation."},
    {0x88780078, "No sound driver is available for use."},
    {0x80004002, "The requested COM interface is not available."},
    {0x887800A0, "Another application has a higher priority level, preventing this call from succeeding."},
    {0x8007000E,
     "The DirectSound subsystem could not allocate sufficient memory to complete the caller's request."},
    {0x88780046, "The caller does not have the priority level required for the function to succeed."},
    {0x887800AA, "The IDirectSound::Initialize method has not been called or has not been called successfully "
                 "before other methods were called."},
    {0x80004001, "The function called is not supported at this time."},
};

} // namespace

std::string DirectSoundResultText(i32 result)
{
    for (const ResultText& entry : kResultTexts) {
        if (entry.code == static_cast<u32>(result))
            return entry.text;
    }
    return "Unknown error (Code: " + IntToString(result) + ")";
}

void CheckDirectSoundResult(MessageManager* messages, const std::string& context, i32 result)
{
    if (result != 0)
        messages->LogError("DirectSound Subsystem (" + context + "): " + DirectSoundResultText(result));
}

} // namespace Halvard
