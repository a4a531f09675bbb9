#include "game/windows/parts/GUIGameCursor.h"

#include "engine/app/Engine.h"
#include "engine/gui/GUIManager.h"
#include "engine/input/Controls.h"
#include "engine/input/KeyNames.h"
#include "engine/render/Model.h"
#include "engine/render/ParticleSystem.h"
#include "engine/render/ParticleSystemManager.h"
#include "engine/render/ShaderDescriptor.h"
#include "game/data/StartPicture.h"
#include "game_tools/DataKeeper.h"

namespace Tamrisk {

using namespace Halvard;

namespace {

// The effects lie in the GUI's space, just behind the custom cursor.
constexpr float kEffectDepth = -21.0f;

} // namespace

GUIGameCursor::GUIGameCursor(Engine* engine)
    : GUIGameCursorBase(engine),
      gui_(engine->GetGUIManager()),
      particleSystems_(engine->GetParticleSystemManager()),
      controls_(engine->GetControls())
{
    StartPicture::Check(engine->GetFileManager(), kPicture, kPictureAlpha);
    GUICursor* custom = gui_->CreateCursor(MakeShaderDescriptor(kPicture, kPictureAlpha, true), kCursorSize);
    AddCursor(kCursorId, kArrowResource, custom);
    SetCursor(kCursorId);
}

GUIGameCursor::~GUIGameCursor()
{
    particleSystems_->DestroyParticleSystem(train_);
    particleSystems_->DestroyParticleSystem(click_);
}

void GUIGameCursor::CreateEffects(GameTools::DataKeeper* resources)
{
    train_ = CopyEffect(*resources, kTrainName);
    click_ = CopyEffect(*resources, kClickName);
    train_->looping = true;
    click_->looping = false;
    train_->SetVisible(true);
    click_->SetVisible(true);
    EnableTrain(trainEnabled_);
}

ParticleSystem* GUIGameCursor::CopyEffect(GameTools::DataKeeper& resources, const char* name) const
{
    ParticleSystem* effect = particleSystems_->CopyParticleSystem(*resources.GetParticleSystem(name));
    Model* model = effect->GetModel();
    model->SetCamera(gui_->GetCamera());
    model->SetFlags(Model::kFixedDepth);
    model->depth = kEffectDepth;
    return effect;
}

void GUIGameCursor::EnableTrain(bool enable)
{
    trainEnabled_ = enable;
    if (train_ != nullptr)
        train_->emitting = enable;
}

void GUIGameCursor::SetVisible(bool visible)
{
    GUIGameCursorBase::SetVisible(visible);
    if (train_ != nullptr)
        train_->emitting = visible && trainEnabled_;
}

bool GUIGameCursor::Update()
{
    const Vector2 at = gui_->GetCursorPosition();
    if (trainEnabled_ && train_ != nullptr)
        train_->SetPosition(Vector3(at.x + kTrainOffsetX, at.y + kTrainOffsetY, 0.0f));
    if (trainEnabled_ && click_ != nullptr && controls_->IsKeyPressed(KeyNames::kMouse1)) {
        click_->SetPosition(Vector3(at.x, at.y, 0.0f));
        click_->emissionTime = 0.0f;
        click_->emitting = true;
    }
    return GUIGameCursorBase::Update();
}

} // namespace Tamrisk
