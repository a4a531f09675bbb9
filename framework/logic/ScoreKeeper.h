#pragma once

#include "engine/core/Types.h"

#include <map>

namespace GameFramework {

// Turns scoring events into points for the level being played: the game
// registers each kind of event with its points, and every event adds its
// kind's points times a count. Owned by the game logic. Main thread.
class ScoreKeeper {
public:
    explicit ScoreKeeper(Halvard::u32 total);
    virtual ~ScoreKeeper() = default;

    // A kind already registered keeps its first points.
    void AddScoreKind(Halvard::u32 kind, Halvard::u32 points);
    // The kind's points times the multiplier; 0 for a kind never registered.
    Halvard::u32 GetPoints(Halvard::u32 kind) const;
    // Unsigned arithmetic: the total wraps rather than fails.
    void AddPoints(Halvard::u32 kind, Halvard::u32 count);

    Halvard::u32 GetTotal() const { return total_; }
    void SetTotal(Halvard::u32 total) { total_ = total; }
    Halvard::u32 GetMultiplier() const { return multiplier_; }
    void SetMultiplier(Halvard::u32 multiplier) { multiplier_ = multiplier; }

private:
    std::map<Halvard::u32, Halvard::u32> kinds_;
    Halvard::u32 multiplier_ = 1;
    Halvard::u32 total_;
};

} // namespace GameFramework
