#include "game/objects/BallKeeper.h"

#include "engine/app/Engine.h"
#include "engine/core/Random.h"
#include "engine/render/CameraManager.h"
#include "engine/render/Model.h"
#include "engine/render/ModelManager.h"
#include "framework/logic/ScoreKeeper.h"
#include "framework/sound/SoundSet.h"
#include "game/ScoreTable.h"
#include "game/SoundTable.h"
#include "game/objects/Ball.h"
#include "game/objects/BallManager.h"
#include "game_tools/DataKeeper.h"
#include "game_tools/XMLQuery.h"

namespace Tamrisk {

using Halvard::Model;
using Halvard::Vector2;

namespace {

// Closer to the blast than this, a released ball takes a random direction.
constexpr float kMinBlastDistance = 0.01f;

} // namespace

BallKeeper::BallKeeper(const BlockContext& context, const GameTools::XMLNode* description, const BlockRecord* record,
                       BallManager* balls, GameFramework::ScoreKeeper* scores, GameFramework::SoundSet* sounds)
    : Block(context, description, record)
    , balls_(balls)
    , scores_(scores)
    , sounds_(sounds)
{
    const bool super = GameTools::GetXMLString(description, "ball_type") == "super";
    kindFlags_ = super ? kSuperBall : kSimpleBall;
    const Model& ball = *interfaceData_->GetModel(super ? "balls/super/model" : "balls/simple/model");
    ballModel_ = models_->CopyModel(ball, engine_->GetCameraManager()->GetDefaultCamera(), 0);
    Halvard::MatrixTranslation(ballOffset_, -ballModel_->boundingBox.GetCenter());
}

BallKeeper::~BallKeeper() { models_->DestroyModel(ballModel_); }

void BallKeeper::Update(Halvard::u32 frameA, Halvard::u32 frameB, float t) { Block::Update(frameA, frameB, t); }

void BallKeeper::Destroy(Halvard::u32 kind, bool)
{
    if (!IsAlive())
        return;
    Block::Destroy(kind, false);
    if (balls_ != nullptr) {
        releasedBall_ = balls_->AddBall(kindFlags_ == kSuperBall ? Ball::kSuper : Ball::kSimple);
        releasedBall_->Release();
        const Halvard::Vector3& centre = GetBox().GetCenter();
        releasedBall_->SetPosition(Vector2(centre.x, centre.y));
        if (IsMarked()) {
            Vector2 away(centre.x - blastCentre_.x, centre.y - blastCentre_.y);
            if (away.Length() < kMinBlastDistance)
                away = Vector2(Halvard::RandomSigned(), Halvard::RandomSigned());
            away.Normalize();
            releasedBall_->SetDirection(away);
        }
    }
    if (scores_ != nullptr)
        scores_->AddPoints(kScoreBallKeeperCrash, 1);
    if (sounds_ != nullptr)
        sounds_->PlaySound(kSoundCrashBallKeeper);
}

void BallKeeper::SetVisible(bool visible)
{
    Block::SetVisible(visible);
    if (visible)
        ballModel_->SetFlags(Model::kVisible);
    else
        ballModel_->ClearFlags(Model::kVisible);
}

// The kept ball turns and moves with the keeper but keeps its own size.
void BallKeeper::UpdateTransform()
{
    Block::UpdateTransform();
    ballModel_->worldMatrix = ballOffset_ * translation_ * rotationMatrix_ * ballModel_->localMatrix;
    ballModel_->boundingBox.SetTransform(ballModel_->worldMatrix);
}

} // namespace Tamrisk
