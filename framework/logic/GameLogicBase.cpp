#include "framework/logic/GameLogicBase.h"

#include "engine/app/Engine.h"
#include "engine/core/MessageManager.h"
#include "engine/core/Timer.h"
#include "engine/core/TimerManager.h"
#include "framework/levels/LevelRecordBase.h"
#include "framework/logic/ScoreKeeper.h"

#include <string>

namespace GameFramework {

GameLogicBase::GameLogicBase(Halvard::Engine* engine, SoundSet* soundSet, const StageRecordBase* stage,
                             const LevelRecordBase* level, Halvard::u32 lives)
    : engine_(engine),
      log_(engine->GetMessageManager()),
      timers_(engine->GetTimerManager()),
      models_(engine->GetModelManager()),
      controls_(engine->GetControls()),
      soundSet_(soundSet),
      stage_(stage),
      level_(level),
      lives_(lives)
{
    log_->LogMessage("");
    log_->LogMessage("Loading level " + std::to_string(level->reference.stage + 1) + "-" +
                     std::to_string(level->reference.level + 1) + "...");
    timer_ = timers_->CreateTimer(0.0f, false);
    scoreKeeper_ = std::make_unique<ScoreKeeper>(0);
    timer_->SetTime(0.0f);
    timer_->Pause(true);
}

GameLogicBase::~GameLogicBase()
{
    scoreKeeper_.reset();
    timers_->DeleteTimer(timer_);
}

void GameLogicBase::SetState(Halvard::u32 state)
{
    if (state != state_) {
        timer_->Pause(state != kRunning);
        stateChanged_ = true;
    }
    state_ = state;
}

void GameLogicBase::PauseLevel(bool pause)
{
    if (state_ == kLevelComplete || state_ == kGameOver)
        return;
    SetState(pause ? kPaused : kRunning);
}

void GameLogicBase::PauseTimer(bool pause)
{
    timer_->Pause(pause);
}

bool GameLogicBase::IsTimerPaused() const
{
    return timer_->IsPaused();
}

float GameLogicBase::GetTime() const
{
    return timer_->GetTime();
}

Halvard::u32 GameLogicBase::GetScore() const
{
    return scoreKeeper_->GetTotal();
}

void GameLogicBase::SetScore(Halvard::u32 score)
{
    scoreKeeper_->SetTotal(score);
}

const LevelReference& GameLogicBase::GetLevelReference() const
{
    return level_->reference;
}

} // namespace GameFramework
