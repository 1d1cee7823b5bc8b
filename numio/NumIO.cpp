// TNumIO.
#include "numio/NumIO.h"

#include <algorithm>

#include "vcl/Messages.h"

namespace QEL_NumIO {

using namespace vcl;

namespace {

// 1-based position of C in S at or after From (1-based), 0 when absent.
int PosFrom(char C, const std::string& S, int From = 1) {
    if (From < 1) From = 1;
    const size_t I = S.find(C, static_cast<size_t>(From - 1));
    return I == std::string::npos ? 0 : static_cast<int>(I) + 1;
}

}  // namespace

TNumIO::TNumIO(TComponent* AOwner) : TCustomEdit(AOwner) {
    if (ComponentState().Contains(csDesigning)) {
        FMinimum = -QEL_base::uc_MaxDouble;
        FMaximum = QEL_base::uc_MaxDouble;
    }
    SetEditText("");
}

// ---- Setters --------------------------------------------------------------------

void TNumIO::SetInputFormat(TInFormat Value) {
    if (Value == FInFormat || Value > itDynamic) return;
    FInFormat = Value;
    Recheck();
}

void TNumIO::SetFixPointDecPlaces(int Value) { FFixPDecPl = std::clamp(Value, 1, 8); }

void TNumIO::SetDecPlaceSep(QEL_base::TDecPSep Value) {
    if (Value == FDecPSep || Value > QEL_base::dpEither) return;
    FDecPSep = Value;
    Recheck();
}

void TNumIO::SetRangeLow(double Value) {
    if (Value < FMaximum || !(Value >= FMaximum)) {
        FMinimum = Value;
    } else {
        FMinimum = FMaximum;
        FMaximum = Value;
    }
    Recheck();
}

void TNumIO::SetRangeHigh(double Value) {
    if (FMinimum >= Value) {
        FMaximum = FMinimum;
        FMinimum = Value;
    } else {
        FMaximum = Value;
    }
    Recheck();
}

// Format, separator and range changes forget the accepted text: the current
// text must pass the new rules on its own, or the field empties.
void TNumIO::Recheck() {
    FOldText.clear();
    Change();
}

// ---- Value ------------------------------------------------------------------------

TSepMode TNumIO::SepMode() const {
    // Fixed-point texts are written with a point, whatever the choice.
    if (FInFormat == itFixPoint) return smPoint;
    return ResolveSepForNumIO(FDecPSep);
}

double TNumIO::Value() const { return NumIOValueOf(Text(), FInFormat); }

void TNumIO::SetValue(double Value) {
    const std::string T = NumIOTextOf(Value, FInFormat, FFixPDecPl);
    // A value written by the program is an accepted text: an invalid key
    // afterwards returns to it, not to what stood there before.
    FOldText = T;
    SetEditText(T);
}

void TNumIO::SetEditText(const std::string& Value) {
    // Only a real change brings a notification to skip.
    if (Value == Text()) return;
    FInternalChg = true;
    SetText(Value);
}

// ---- Change handling ----------------------------------------------------------------
//
//   own change            skipped (the component set the text itself)
//   fixed point           no point, a second point: back to the accepted text;
//                         too many decimals: cut
//   convert               a number of the format, in range (or exactly 0):
//                         accepted, OnChange; fixed point is reformatted
//   otherwise             back to the accepted text, caret one left, beep

void TNumIO::Change() {
    if (FInternalChg) {
        FInternalChg = false;
        return;
    }
    const TComponentState State = ComponentState();
    if (State.Contains(csDesigning) || State.Contains(csLoading)) return;

    const std::string Txt = Text();
    std::string Nt;
    bool Replace = false;
    int Caret = SelStart();

    if (FInFormat == itFixPoint) {
        int P1 = PosFrom('.', Txt);
        const int P2 = P1 > 0 ? PosFrom('.', Txt, P1 + 1) : 0;
        if (P1 == 0) {
            Nt = FOldText;
            Replace = true;
            P1 = PosFrom('.', FOldText);
            if (P1 > 1) --P1;
            Caret = P1;
        }
        if (P1 < P2 || P1 == 0) {
            Nt = FOldText;
            Replace = true;
            Caret = PosFrom('.', FOldText);
        }
        const int P3 = PosFrom('.', Txt);
        if (static_cast<int>(Txt.size()) - P3 > FFixPDecPl) {
            Nt = Txt.substr(0, static_cast<size_t>(P3 + FFixPDecPl));
            Replace = true;
        }
    }

    // An empty field reads 0 and stands, like the other beginnings of a
    // number: the user must be able to clear the field and type anew.
    double V = 0.0;
    bool Ok = Txt.empty() || ConvertNumString(Txt, FInFormat, SepMode(), V);
    if (Ok) {
        if (FInFormat == itFixPoint) {
            Nt = FixedText(V, 1, FFixPDecPl);
            Replace = true;
        }
        // A bound that is not a number lets everything in.
        const bool InRange = !(V < FMinimum) && !(V > FMaximum);
        if (InRange || V == 0.0) {
            FOldText = Replace ? Nt : Txt;
            TCustomEdit::Change();
        } else {
            Ok = false;
        }
    }
    if (!Ok) {
        Nt = FOldText;
        Replace = true;
        Caret = std::max(SelStart() - 1, 0);
        Update();
        if (FBeep) MessageBeep(MB_OK);
    }
    if (Replace) {
        SetEditText(Nt);
        SetSelStart(Caret);
    }
}

void TNumIO::Loaded() {
    TCustomEdit::Loaded();
    Recheck();
}

// ---- Copying ------------------------------------------------------------------------

void TNumIO::Assign(TPersistent* Source) {
    auto* S = dynamic_cast<TNumIO*>(Source);
    if (!S) {
        TCustomEdit::Assign(Source);
        return;
    }
    FInFormat = S->FInFormat;
    FBeep = S->FBeep;
    FMinimum = S->FMinimum;
    FMaximum = S->FMaximum;
    FDecPSep = S->FDecPSep;
}

void TNumIO::AssignTo(TPersistent* Dest) {
    if (auto* D = dynamic_cast<TNumIO*>(Dest)) {
        D->Assign(this);
        return;
    }
    TCustomEdit::AssignTo(Dest);
}

}  // namespace QEL_NumIO
