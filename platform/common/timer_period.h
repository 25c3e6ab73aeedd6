// The period SetTimer really runs a timer at, as Windows clamps it: at least
// USER_TIMER_MINIMUM (10 ms), at most USER_TIMER_MAXIMUM (0x7FFFFFFF ms).
//
// Platform: any (the Linux backend's dialog timers and the fake's).
#pragma once

#include <algorithm>

#include "platform/win32.h"

namespace common {

constexpr UINT kShortestTimerPeriodMs = 0x0000000A;
constexpr UINT kLongestTimerPeriodMs = 0x7FFFFFFF;

inline UINT TimerPeriod(UINT elapse) { return std::clamp(elapse, kShortestTimerPeriodMs, kLongestTimerPeriodMs); }

}  // namespace common
