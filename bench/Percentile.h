#pragma once

#include <vector>

namespace Bench {

// The value below which the fraction of the others lies, nearest rank
// rounded down: 0.5 the median, 1 the largest. The values need no order;
// at least one.
double Percentile(std::vector<double> values, double fraction);

} // namespace Bench
