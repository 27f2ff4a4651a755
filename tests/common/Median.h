#pragma once
// The median of a benchmark's timings (the upper middle one of an even count).

#include <algorithm>
#include <vector>

namespace veldran::test {

inline double Median(std::vector<double> values)
{
    if (values.empty())
        return 0.0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace veldran::test
