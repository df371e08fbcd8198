#pragma once

#include <algorithm>
#include <cstddef>
#include <vector>

// The sample below which the given share of the samples lies (0.99: the
// 99th percentile).
inline double percentile(std::vector<double> samples, double share)
{
    std::sort(samples.begin(), samples.end());
    return samples[std::min(samples.size() - 1, std::size_t(double(samples.size()) * share))];
}

// The middle sample (the upper one of an even count).
inline double median(std::vector<double> samples)
{
    return percentile(std::move(samples), 0.5);
}
