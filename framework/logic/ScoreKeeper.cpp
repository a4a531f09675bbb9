#include "framework/logic/ScoreKeeper.h"

namespace GameFramework {

ScoreKeeper::ScoreKeeper(Halvard::u32 total) : total_(total) {}

void ScoreKeeper::AddScoreKind(Halvard::u32 kind, Halvard::u32 points)
{
    kinds_.emplace(kind, points);
}

Halvard::u32 ScoreKeeper::GetPoints(Halvard::u32 kind) const
{
    auto found = kinds_.find(kind);
    return found != kinds_.end() ? found->second * multiplier_ : 0;
}

void ScoreKeeper::AddPoints(Halvard::u32 kind, Halvard::u32 count)
{
    total_ += GetPoints(kind) * count;
}

} // namespace GameFramework
