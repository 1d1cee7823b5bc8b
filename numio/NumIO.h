// The numeric entry unit: TNumIO, the edit-based number field, together with
// TNumIO2 and the number text rules.
//
// TNumIO is a standard single-line edit whose text is checked after every
// change: a change that does not give a number of the input format, or gives
// one outside RangeLow..RangeHigh, is undone by restoring the last accepted
// text (with a beep when Beep is set). Zero is always accepted, so that the
// beginnings of a number that read as zero ("-", ".", "") can be typed
// whatever the range.
#pragma once

#include <string>

#include "numio/NumIO2.h"
#include "numio/NumText.h"
#include "qelbase/Types.h"
#include "vcl/StdCtrls.h"

namespace QEL_NumIO {

class TNumIO : public vcl::TCustomEdit {
public:
    // In the designer the range starts as the whole double range; at run time
    // as 0..0, so that only 0 is accepted until the application sets a range.
    explicit TNumIO(vcl::TComponent* AOwner);
    std::string ClassName() const override { return "TNumIO"; }

    // Copies InputFormat, Beep, RangeLow, RangeHigh and DecPlaceSep.
    void Assign(vcl::TPersistent* Source) override;

    // ---- published properties, in declaration order
    TInFormat InputFormat() const { return FInFormat; }
    void SetInputFormat(TInFormat Value);
    // 1..8.
    int FixPointDecPlaces() const { return FFixPDecPl; }
    void SetFixPointDecPlaces(int Value);
    QEL_base::TDecPSep DecPlaceSep() const { return FDecPSep; }
    void SetDecPlaceSep(QEL_base::TDecPSep Value);
    // A low bound at or above the high one swaps in: the new value becomes
    // the high bound and the old high bound the low one (and the reverse).
    double RangeLow() const { return FMinimum; }
    void SetRangeLow(double Value);
    double RangeHigh() const { return FMaximum; }
    void SetRangeHigh(double Value);
    bool Beep() const { return FBeep; }
    void SetBeep(bool Value) { FBeep = Value; }

    // ---- public
    // The text as a number; 0 when it is none.
    double Value() const;
    // Writes the value's text in the input format; the field accepts it.
    void SetValue(double Value);

protected:
    void AssignTo(vcl::TPersistent* Dest) override;
    // The check of every change of the text.
    void Change() override;
    // A text read from a form file is checked once the format and range it
    // belongs to have been read too.
    void Loaded() override;

private:
    // Sets the text without checking it.
    void SetEditText(const std::string& Value);
    void Recheck();
    TSepMode SepMode() const;

    TInFormat FInFormat = itDynamic;
    int FFixPDecPl = 2;
    QEL_base::TDecPSep FDecPSep = QEL_base::dpLocale;
    double FMinimum = 0.0;
    double FMaximum = 0.0;
    bool FBeep = false;
    std::string FOldText;
    bool FInternalChg = false;
};

}  // namespace QEL_NumIO
