// Off-screen painting, the way every self-drawn component paints its face.
//
// The whole face is drawn into a temporary bitmap of the control's size and
// copied onto the control with one Draw, so the user never sees a half-drawn
// face. Text is placed vertically by the height of a sample text that has an
// ascender, a digit, a descender, brackets and accented capitals, so the
// position of a caption does not jump with what it happens to contain.
//
//     if (!kestrix::PaintsNow(*this)) return;
//     kestrix::TPaintBuffer Buffer(*Canvas(), *Font(), Width(), Height());
//     ... draw on Buffer.Canvas(), centre text with Buffer.TextHeight() ...
//     Buffer.CopyTo(*Canvas(), Transparent);
#pragma once

#include "vcl/Controls.h"
#include "vcl/Graphics.h"

namespace kestrix {

inline constexpr const char* SampleText = "(8g]}ÜÄ§";

// A component paints only while it is visible or sits in the form designer,
// where invisible components must still be seen to be edited.
inline bool PaintsNow(const vcl::TControl& Control) {
    return Control.Visible() || Control.ComponentState().Contains(vcl::csDesigning);
}

// Half of Value, truncated toward zero (half of -5 is -2), as every centring
// formula of the components uses it.
constexpr int Half(int Value) { return Value / 2; }

class TPaintBuffer {
public:
    // Gives ControlCanvas the control's Font, measures the sample text on it
    // and makes a Width x Height bitmap whose canvas carries the same font.
    TPaintBuffer(vcl::TCanvas& ControlCanvas, const vcl::TFont& Font, int Width, int Height)
        : FBitmap(Width, Height) {
        ControlCanvas.SetFont(&Font);
        FTextHeight = ControlCanvas.TextHeight(SampleText);
        FBitmap.Canvas()->SetFont(&Font);
    }

    vcl::TCanvas& Canvas() { return *FBitmap.Canvas(); }
    vcl::TBitmap& Bitmap() { return FBitmap; }
    // Height of the sample text in the control's font.
    int TextHeight() const { return FTextHeight; }

    // Copies the face onto Target at (0, 0). A transparent component has
    // painted its background white: cmSrcAnd then leaves whatever lies behind
    // the white pixels unchanged.
    void CopyTo(vcl::TCanvas& Target, bool Transparent = false) {
        const vcl::TCopyMode Old = Target.CopyMode();
        Target.SetCopyMode(Transparent ? vcl::cmSrcAnd : vcl::cmSrcCopy);
        Target.Draw(0, 0, &FBitmap);
        Target.SetCopyMode(Old);
    }

private:
    vcl::TBitmap FBitmap;
    int FTextHeight = 0;
};

}  // namespace kestrix
