// Pixel tests read a canvas as a picture of which pixels differ from white,
// row by row, so that expectations read as art.
#pragma once

#include <string>
#include <vector>

#include "vcl/Graphics.h"

namespace canvastest {

// One character per pixel: '.' white, '#' black, 'r' red, 'b' blue, '?' other.
inline std::vector<std::string> Art(vcl::TCanvas& C, int W, int H) {
    std::vector<std::string> Rows;
    for (int Y = 0; Y < H; ++Y) {
        std::string Row;
        for (int X = 0; X < W; ++X) {
            const vcl::TColor P = C.Pixels(X, Y);
            Row += P == vcl::clWhite   ? '.'
                   : P == vcl::clBlack ? '#'
                   : P == vcl::clRed   ? 'r'
                   : P == vcl::clBlue  ? 'b'
                                       : '?';
        }
        Rows.push_back(Row);
    }
    return Rows;
}

inline std::vector<std::string> Art(vcl::TBitmap& B) {
    return Art(*B.Canvas(), B.Width(), B.Height());
}

}  // namespace canvastest
