#pragma once

#include "engine/core/Types.h"

#include <vector>

namespace GameTools {

// Draws identifiers with given weights from the engine's random sequence,
// avoiding the same entry twice in a row where it can.
class RandomSelecter {
public:
    RandomSelecter() = default;
    virtual ~RandomSelecter() = default;

    // An id may be added more than once.
    void Add(Halvard::u32 id, Halvard::u32 weight);
    // Changes the first entry of the id, or adds it.
    void SetWeight(Halvard::u32 id, Halvard::u32 weight);
    // 0 when there are no entries.
    Halvard::u32 Select();
    // The weight of the id's first entry, 0 for an id never added.
    Halvard::u32 GetWeight(Halvard::u32 id) const;
    Halvard::u32 GetTotal() const { return total_; }

private:
    struct Entry {
        Halvard::u32 id;
        Halvard::u32 weight;
    };

    Halvard::i32 DrawIndex() const;

    Halvard::u32 total_ = 0;
    std::vector<Entry> entries_;
    Halvard::i32 previous_ = -1;
};

} // namespace GameTools
