#pragma once

#include <algorithm>
#include <vector>

// The middle sample (the upper one of an even count).
inline double median(std::vector<double> samples)
{
    std::sort(samples.begin(), samples.end());
    return samples[samples.size() / 2];
}
