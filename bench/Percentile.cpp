#include "bench/Percentile.h"

#include <algorithm>

namespace Bench {

double Percentile(std::vector<double> values, double fraction)
{
    std::sort(values.begin(), values.end());
    return values[static_cast<std::size_t>(fraction * static_cast<double>(values.size() - 1))];
}

} // namespace Bench
