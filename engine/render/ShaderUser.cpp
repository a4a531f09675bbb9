#include "engine/render/ShaderUser.h"

#include "engine/render/Shader.h"

#include <algorithm>

namespace Halvard {

ShaderUser::ShaderUser(MessageManager* messages, TimerManager* timers, Shader* shader,
                       const ShaderDescriptor& descriptor)
    : ShaderDescriptor(descriptor), messages_(messages), timers_(timers), shader_(shader)
{
    for (u32 i = 0; i < GetStageCount(); ++i) {
        const ShaderTextureStage& stage = GetStage(i);
        // A numbered animation plays the frames its shader found.
        const u32 frames = ShaderTextureStage::IsNumbered(stage.animationType) ? shader->GetFrameCount(i)
                                                                               : std::max(stage.frameCount, 1u);
        auto animation = std::make_unique<AnimationControl>(messages, timers, 1, frames);
        animation->looping = 1;
        animation->speed = stage.speed;
        if ((stage.flags & ShaderTextureStage::kRandomStart) != 0)
            animation->SetRandomFrame();
        else
            animation->time = 0.0f;
        animation->Play();
        animations_.push_back(std::move(animation));
    }
    shader_->AddUse();
}

ShaderUser::~ShaderUser()
{
    animations_.clear();
    if (shader_->RemoveUse() == 0)
        delete shader_;
}

void ShaderUser::Apply() const { shader_->Apply(*this); }

void ShaderUser::Update()
{
    for (u32 i = 0; i < GetStageCount(); ++i) {
        ShaderTextureStage& stage = GetStage(i);
        u32 frame = 0;
        if (stage.animationType != ShaderTextureStage::kNoAnimation) {
            animations_[i]->Update();
            frame = animations_[i]->GetFrameA();
        }
        if (stage.animationType == ShaderTextureStage::kGrid)
            PlaceGridCell(stage, frame);
        else
            stage.currentFrame = frame;
    }
}

// Rows count from the bottom of the texture. The cell is shrunk by a
// thousandth so that linear filtering does not bleed in its neighbours. A
// grid of no columns or rows stays on its whole texture.
void ShaderUser::PlaceGridCell(ShaderTextureStage& stage, u32 frame)
{
    stage.currentFrame = 0;
    if (stage.columns == 0 || stage.rows == 0)
        return;
    const u32 column = frame % stage.columns;
    const u32 row = (frame / stage.columns) % stage.rows;
    const u32 fromBottom = stage.rows - row - 1;
    constexpr float e = 0.001f;
    constexpr float k = 1.0f - e;
    stage.scaleU = k / static_cast<float>(stage.columns);
    stage.scaleV = k / static_cast<float>(stage.rows);
    stage.offsetU = stage.scaleU * (e / 2.0f + static_cast<float>(column)) / k;
    stage.offsetV = stage.scaleV * (e / 2.0f + static_cast<float>(fromBottom)) / k;
}

} // namespace Halvard
