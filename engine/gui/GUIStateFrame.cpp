#include "engine/gui/GUIStateFrame.h"

#include "engine/render/AnimationControl.h"

namespace Halvard {

void ShowStateFrame(AnimationControl* animation, u32 state)
{
    if (animation == nullptr)
        return;
    if (animation->GetAnimation() >= 0 && animation->GetRangeFrameCount() > 1)
        animation->HoldFrame(state);
    else if (animation->GetFrameCount() > 1)
        animation->HoldListFrame(state);
}

} // namespace Halvard
