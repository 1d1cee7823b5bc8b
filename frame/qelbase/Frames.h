// Frames and rectangle outlines.
#pragma once

#include "qelbase/Types.h"
#include "vcl/Graphics.h"

namespace QEL_base {

// Draws the frame of Style on the border band of the rectangle whose corner
// pixels are (Left, Top) and (Right, Bottom), both included, and leaves the
// interior as it was. The colours take these roles (callers pass clWhite,
// clSilver, clGray, clBlack and a fifth, or the style's system colours for
// cl3DLight, clBtnHighlight, clBtnShadow, cl3DDkShadow and the border):
//   fsNoFrame   nothing;
//   fsSimple    one line in C5;
//   fsLowered   two lines: outer C3 top/left and C1 bottom/right, inner C4
//               top/left and C2 bottom/right;
//   fsRaised    two lines: outer C1 top/left and C4 bottom/right, inner C2
//               top/left and C3 bottom/right;
//   fsEngraved  a groove: outer C3 / C1, inner C1 / C3;
//   fsEmbossed  a ridge: outer C1 / C3, inner C3 / C1.
// In each line the top and left sides own the top-left corner, the bottom
// and right sides the other three. Unordered corners are put in order; the
// canvas's pen is used (one pixel wide, solid) and restored afterwards.
void DrawFrame(vcl::TCanvas* Canvas, TFrameStyle Style, int Left, int Top, int Right, int Bottom,
               vcl::TColor C1, vcl::TColor C2, vcl::TColor C3, vcl::TColor C4, vcl::TColor C5);

// The outline of the rectangle with the corner pixels (X1, Y1) and (X2, Y2),
// both included, in the canvas's current pen; the interior is left as it was.
void DrawRectangle(vcl::TCanvas* Canvas, int X1, int Y1, int X2, int Y2);

}  // namespace QEL_base
