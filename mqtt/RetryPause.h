#pragma once

#include <algorithm>
#include <array>
#include <functional>

// How long to wait before trying again to reach a lost unit or broker, given how many attempts
// in a row have failed (1 for the first loss). The publisher takes any such function.
using RetryPause = std::function<int(int failures)>;

// 1, 2, 5, 10 and 30 seconds, then every 30 seconds.
inline int standardRetryPauseMs(int failures)
{
    constexpr std::array<int, 5> PausesMs{1000, 2000, 5000, 10000, 30000};
    const auto index = static_cast<std::size_t>(std::max(failures, 1) - 1);
    return PausesMs[std::min(index, PausesMs.size() - 1)];
}
