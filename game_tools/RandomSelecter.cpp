#include "game_tools/RandomSelecter.h"

#include "engine/core/Random.h"

#include <cstddef>

namespace GameTools {

using Halvard::i32;
using Halvard::u32;

namespace {

constexpr int kMaxAttempts = 1000;

} // namespace

void RandomSelecter::Add(u32 id, u32 weight)
{
    entries_.push_back(Entry{id, weight});
    total_ += weight;
}

void RandomSelecter::SetWeight(u32 id, u32 weight)
{
    for (Entry& entry : entries_) {
        if (entry.id == id) {
            total_ = total_ - entry.weight + weight;
            entry.weight = weight;
            return;
        }
    }
    Add(id, weight);
}

u32 RandomSelecter::GetWeight(u32 id) const
{
    for (const Entry& entry : entries_)
        if (entry.id == id)
            return entry.weight;
    return 0;
}

// r = 0 always stops at the first entry with a positive weight; when no
// weight is positive every entry is equally likely.
i32 RandomSelecter::DrawIndex() const
{
    const u32 r = static_cast<u32>(Halvard::RandomInt(0, static_cast<i32>(total_)));
    u32 sum = 0;
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        sum += entries_[i].weight;
        if (sum >= r && entries_[i].weight > 0)
            return static_cast<i32>(i);
    }
    return Halvard::RandomInt(0, static_cast<i32>(entries_.size()) - 1);
}

u32 RandomSelecter::Select()
{
    if (entries_.empty())
        return 0;
    i32 chosen = -1;
    int attempts = 0;
    do {
        chosen = DrawIndex();
        ++attempts;
    } while (chosen == previous_ && attempts < kMaxAttempts);
    previous_ = chosen;
    return entries_[static_cast<std::size_t>(chosen)].id;
}

} // namespace GameTools
