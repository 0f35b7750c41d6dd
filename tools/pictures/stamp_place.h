#pragma once

// The place for the school's round stamp: a dashed circle that the renderer stretches into its
// calibrated rectangle and writes "m.p." over.

#include <QImage>

namespace pictures {

QImage stampPlace();

}  // namespace pictures
