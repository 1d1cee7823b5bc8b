// The disabled look of a caption: engraved into the face.
//
// The text is drawn twice with a clear brush, so the background shows through
// both passes: first in white one pixel right of and below its place (the
// light catching the lower edge of the groove), then in gray at its place.
#pragma once

#include <string>

#include "vcl/Graphics.h"

namespace kestrix {

inline void TextOutEngraved(vcl::TCanvas& Canvas, int X, int Y, const std::string& Text) {
    Canvas.Brush()->SetStyle(vcl::bsClear);
    Canvas.Font()->SetColor(vcl::clWhite);
    Canvas.TextOut(X + 1, Y + 1, Text);
    Canvas.Font()->SetColor(vcl::clGray);
    Canvas.TextOut(X, Y, Text);
}

}  // namespace kestrix
