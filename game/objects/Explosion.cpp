#include "game/objects/Explosion.h"

#include "engine/app/Engine.h"
#include "engine/core/StringUtils.h"
#include "engine/core/TimerManager.h"

#include <algorithm>

using namespace Halvard;

namespace Tamrisk {

Explosion::Explosion(Engine* engine, GameTools::DataKeeper* data, Effects* effects, const std::string& name,
                     unsigned count, bool models, const FragmentSettings& settings)
    : engine_(engine)
{
    fragments_.reserve(count);
    for (unsigned i = 0; i < count; ++i)
        fragments_.push_back(
            std::make_unique<Fragment>(engine, data, effects, name + "/" + UIntToString(i, 2), models, settings));
}

Explosion::~Explosion() = default;

void Explosion::Start(const Model& source, bool shadow)
{
    for (const auto& fragment : fragments_)
        fragment->Start(source, shadow);
    running_ = 1;
    elapsed_ = 0.0f;
}

void Explosion::Update()
{
    if (running_ == 0)
        return;
    elapsed_ += engine_->GetTimerManager()->GetFrameTime();
    for (const auto& fragment : fragments_)
        fragment->Update();
    const bool active = std::any_of(fragments_.begin(), fragments_.end(),
                                    [](const std::unique_ptr<Fragment>& fragment) { return fragment->IsActive(); });
    if (!active)
        running_ = 0;
}

} // namespace Tamrisk
