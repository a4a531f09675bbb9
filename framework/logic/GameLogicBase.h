#pragma once

#include "engine/core/Types.h"
#include "framework/LevelReference.h"

#include <memory>

namespace Halvard {
class Controls;
class Engine;
class MessageManager;
class ModelManager;
class Timer;
class TimerManager;
} // namespace Halvard

namespace GameTools {
class GameCamera;
}

namespace GameFramework {

struct LevelRecordBase;
class ScoreKeeper;
class SoundSet;
struct StageRecordBase;

// The framework's part of one level being played: which level, the lives,
// the level's own timer, the score and the state through which the level
// tells the application that it is complete or lost. The game derives it and
// plays in its Update. The engine, sound set and records outlive it. Main
// thread.
class GameLogicBase {
public:
    enum State : Halvard::u32 { kRunning = 0, kPaused = 1, kLevelComplete = 2, kGameOver = 3 };

    // Logs "Loading level <stage>-<level>..." counted from 1; the level time
    // stands at 0 and does not run until the game's logic starts it.
    GameLogicBase(Halvard::Engine* engine, SoundSet* soundSet, const StageRecordBase* stage,
                  const LevelRecordBase* level, Halvard::u32 lives);
    GameLogicBase(const GameLogicBase&) = delete;
    GameLogicBase& operator=(const GameLogicBase&) = delete;
    virtual ~GameLogicBase();

    virtual void Update() {}
    // What the game's window over the level reads and tells: whether a ball
    // is in flight, the player's click (read by the next update), and the
    // level's camera; none of them here.
    virtual bool IsBallInPlay() const { return false; }
    virtual void SetAction() {}
    virtual const GameTools::GameCamera* GetCamera() const { return nullptr; }
    // A change pauses the level time for any state but running (resumes it
    // for running) and is reported once through the state-changed flag; the
    // same state again changes nothing.
    virtual void SetState(Halvard::u32 state);

    // Pauses or resumes the level; nothing once it has ended.
    void PauseLevel(bool pause);
    // The level time only; the state stays (the program lost the focus).
    void PauseTimer(bool pause);
    bool IsTimerPaused() const;
    // The level's playing time in seconds.
    float GetTime() const;
    Halvard::u32 GetScore() const;
    void SetScore(Halvard::u32 score);

    Halvard::u32 GetState() const { return state_; }
    bool IsStateChanged() const { return stateChanged_; }
    // The application clears it after each dispatch pass.
    void ClearStateChanged() { stateChanged_ = false; }
    const LevelReference& GetLevelReference() const;
    const StageRecordBase* GetStageRecord() const { return stage_; }
    const LevelRecordBase* GetLevelRecord() const { return level_; }
    Halvard::u32 GetLives() const { return lives_; }
    void SetLives(Halvard::u32 lives) { lives_ = lives; }
    float GetTimeScale() const { return timeScale_; }
    void SetTimeScale(float timeScale) { timeScale_ = timeScale; }
    ScoreKeeper& GetScoreKeeper() const { return *scoreKeeper_; }

protected:
    Halvard::Engine* GetEngine() const { return engine_; }
    Halvard::MessageManager* GetLog() const { return log_; }
    Halvard::TimerManager* GetTimerManager() const { return timers_; }
    Halvard::ModelManager* GetModelManager() const { return models_; }
    Halvard::Controls* GetControls() const { return controls_; }
    SoundSet* GetSoundSet() const { return soundSet_; }
    Halvard::Timer* GetTimer() const { return timer_; }

private:
    Halvard::Engine* engine_;
    Halvard::MessageManager* log_;
    Halvard::TimerManager* timers_;
    Halvard::ModelManager* models_;
    Halvard::Controls* controls_;
    SoundSet* soundSet_;
    Halvard::Timer* timer_ = nullptr;
    std::unique_ptr<ScoreKeeper> scoreKeeper_;
    const StageRecordBase* stage_;
    const LevelRecordBase* level_;
    Halvard::u32 lives_;
    float timeScale_ = 0.0f;
    Halvard::u32 state_ = kRunning;
    bool stateChanged_ = false;
};

} // namespace GameFramework
