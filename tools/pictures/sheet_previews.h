#pragma once

// The blank sheets shown under the preview pages: a white page on a grey desk, with the page's
// top-left corner where the preview stretches its page picture.

#include <QImage>

namespace pictures {

constexpr int kPageLeft = 74;
constexpr int kPageTop = 74;
constexpr int kPageWidth = 883;
constexpr int kPageHeight = 1314;

enum class SheetKind {
    Certificate,                 // guilloche security paper
    CertificateWithDistinction,  // the same with the white-and-red band
    Note,                        // plain sheet
    GradeSheet,                  // plain form with a faint ruled frame
};

QImage sheetPreview(SheetKind kind);

}  // namespace pictures
