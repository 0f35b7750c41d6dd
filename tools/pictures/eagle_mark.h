#pragma once

// The crowned eagle printed at the head of every certificate: a vector recording, so it prints
// sharp at whatever size its calibrated rectangle asks for.

#include <QPicture>

namespace pictures {

constexpr int kEagleWidth = 200;
constexpr int kEagleHeight = 220;

// Black on transparent, bounding rectangle (0, 0) - (kEagleWidth, kEagleHeight).
QPicture eagleMark();

}  // namespace pictures
