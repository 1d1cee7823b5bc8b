// Plot marks: 52 small symbols drawn centred on a point.
#pragma once

#include "vcl/Graphics.h"

namespace QEL_base {

inline constexpr int NumMarks = 52;

// Draws plot mark Mark (0..NumMarks-1; other numbers draw nothing) centred
// at (X, Y) in the canvas's pen colour. Open marks are outlines that leave
// their inside as it was; filled marks are filled in the pen colour. Pen
// and brush are restored afterwards. Sizes are small (radius 2), medium (3)
// and large (4): a mark spans 2r + 1 pixels.
//
//    0      dot (one pixel)
//    1- 6   square          open s m l, filled s m l
//    7-12   circle          open s m l, filled s m l
//   13-18   triangle up     open s m l, filled s m l
//   19-24   triangle down   open s m l, filled s m l
//   25-30   diamond         open s m l, filled s m l
//   31-33   plus            s m l
//   34-36   diagonal cross  s m l
//   37-39   asterisk        s m l
//   40-43   triangle left open, left filled, right open, right filled (m)
//   44-47   the same, large
//   48-49   five-pointed star open, filled (radius 5)
//   50      circle with a plus inside (l)
//   51      square with a diagonal cross inside (l)
void DrawMarkOnCanvas(vcl::TCanvas* Canvas, int Mark, int X, int Y);

}  // namespace QEL_base
