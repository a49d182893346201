#pragma once
// The model the tests take for each package group.
inline constexpr int kLargeModel = 0;  // Q7R20: 32 crossbar pins
inline constexpr int kSmallModel = 2;  // Q7R22: 25 crossbar pins
