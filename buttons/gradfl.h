// TGradFill: a stepped colour gradient as a decorative background.
//
// NrColors bands run from ColorFirst to ColorLast, either across the whole
// area (gtHoriz: bands stacked top to bottom; gtVert: left to right) or up to
// ColorLast in the middle and back to ColorFirst at the far edge
// (gtMidBandHoriz, gtMidBandVert). Band edges come from rounded division, so
// bands differ in size by at most one pixel and cover the area exactly. An
// optional frame goes around the whole area; OnPaint lets the application
// draw over the gradient.
//
// Grid lines, one pixel wide in GridColor, lie on the band edges: gmHoriz
// draws a horizontal line along the first row of every band but the first,
// at y = MulDiv(i, Height, NrColors) for i = 1 .. NrColors - 1, and gmVert the
// vertical lines at x = MulDiv(i, Width, NrColors); gmBoth draws both. Lines
// across the bands divide the other direction at the same spacing, so with
// horizontal bands gmBoth gives a grid of NrColors x NrColors cells. Grid
// lines lie under the frame.
//
// Every setter repaints later (Invalidate), also when the value did not
// change; only FillType compares first. Form files store ColorFlipped before
// the two colours, so a flipped fill reads back the way it was saved.
#pragma once

#include <cstdint>

#include "qelbase/Types.h"
#include "vcl/Classes.h"
#include "vcl/Controls.h"
#include "vcl/Graphics.h"
#include "vcl/TypInfo.h"

namespace QEL_gradfl {

enum TGradType : uint8_t { gtHoriz, gtVert, gtMidBandHoriz, gtMidBandVert };
enum TGridMode : uint8_t { gmNone, gmHoriz, gmVert, gmBoth };

// The names of the enumerations, for form files.
extern const vcl::TEnumType TGradTypeInfo;
extern const vcl::TEnumType TGridModeInfo;

class TGradFill : public vcl::TGraphicControl {
public:
    explicit TGradFill(vcl::TComponent* AOwner);
    std::string ClassName() const override { return "TGradFill"; }

    // From another TGradFill: every property above (the colours with their
    // flipped state), not the event. Then repaints later.
    void Assign(vcl::TPersistent* Source) override;

    // 1..255; values outside are clamped.
    int NrColors() const { return FNrColors; }
    void SetNrColors(int Value);
    TGradType FillType() const { return FGradType; }
    void SetFillType(TGradType Value);
    // The colours in effect: with ColorFlipped, ColorFirst is the colour set
    // as ColorLast and the other way round. Setting either while flipped
    // changes the colour shown first (or last) now.
    vcl::TColor ColorFirst() const { return FColorFirst; }
    void SetColorFirst(vcl::TColor Value);
    vcl::TColor ColorLast() const { return FColorLast; }
    void SetColorLast(vcl::TColor Value);
    bool ColorFlipped() const { return FColorsFlipped; }
    void SetColorFlipped(bool Value);
    QEL_base::TFrameStyle FrameStyle() const { return FFrameStyle; }
    void SetFrameStyle(QEL_base::TFrameStyle Value);
    TGridMode GridMode() const { return FGridMode; }
    void SetGridMode(TGridMode Value);
    vcl::TColor GridColor() const { return FGridColor; }
    void SetGridColor(vcl::TColor Value);

    // Fires after every paint, with the gradient on the control's canvas.
    vcl::TNotifyEvent OnPaint;

    // Draws the bands, the grid and the frame into Bmp, whose size the
    // caller has set.
    void DrawGradient(vcl::TBitmap& Bmp);

protected:
    void AssignTo(vcl::TPersistent* Dest) override;
    void Paint() override;

private:
    int FNrColors = 16;
    TGradType FGradType = gtHoriz;
    vcl::TColor FColorFirst = vcl::clMaroon;
    vcl::TColor FColorLast = vcl::clYellow;
    vcl::TColor FColFirstOrg = vcl::clMaroon;
    vcl::TColor FColLastOrg = vcl::clYellow;
    bool FColorsFlipped = false;
    QEL_base::TFrameStyle FFrameStyle = QEL_base::fsNoFrame;
    TGridMode FGridMode = gmNone;
    vcl::TColor FGridColor = vcl::clNavy;
};

}  // namespace QEL_gradfl
