// The line colours of a framed component and the colour scheme that picks
// them.
//
// Frames and separating lines draw with three colours: lowered edges use the
// black line at the top and left and the white line at the bottom and right,
// raised edges the reverse. The classic scheme keeps fixed gray and white; any
// other scheme follows the user's system shadow and highlight colours. The
// black line is never switched: it is the outline, not a shade.
//
// A framed component derives from TLineColors (protected), which gives it the
// three fields and the scheme with their starting values.
#pragma once

#include "qelbase/Types.h"
#include "vcl/Graphics.h"

namespace kestrix {

struct TLineColors {
    vcl::TColor FColBlackLine = vcl::clBlack;
    vcl::TColor FColGrayLine = vcl::clGray;
    vcl::TColor FColWhiteLine = vcl::clWhite;
    QEL_base::TColorScheme FColorScheme = QEL_base::csClassic;

    // Stores Scheme and sets the gray and white lines it stands for.
    void ApplyColorScheme(QEL_base::TColorScheme Scheme) {
        FColorScheme = Scheme;
        const bool Classic = Scheme == QEL_base::csClassic;
        FColGrayLine = Classic ? vcl::clGray : vcl::clBtnShadow;
        FColWhiteLine = Classic ? vcl::clWhite : vcl::clBtnHighlight;
    }
};

}  // namespace kestrix
