#pragma once

#include "engine/render/AnimationControl.h"
#include "engine/render/ShaderDescriptor.h"

#include <memory>
#include <vector>

namespace Halvard {

class MessageManager;
class Shader;
class TimerManager;

// One drawable's own copy of a shader description with the animation of its
// stages, bound to a shared Shader. Made and deleted by the ShaderManager;
// deleting the last user of a Shader deletes the Shader.
class ShaderUser : public ShaderDescriptor {
public:
    ShaderUser(MessageManager* messages, TimerManager* timers, Shader* shader, const ShaderDescriptor& descriptor);
    ShaderUser(const ShaderUser&) = delete;
    ShaderUser& operator=(const ShaderUser&) = delete;
    ~ShaderUser() override;

    void Apply() const;
    // Once a frame: numbered stages pick their frame, grids move their
    // texture transform onto the current cell.
    void Update();

    Shader* GetShader() const { return shader_; }
    AnimationControl& GetAnimation(u32 stage) { return *animations_[stage]; }

private:
    static void PlaceGridCell(ShaderTextureStage& stage, u32 frame);

    MessageManager* messages_;
    TimerManager* timers_;
    Shader* shader_;
    std::vector<std::unique_ptr<AnimationControl>> animations_;
};

} // namespace Halvard
