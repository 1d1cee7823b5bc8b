// Number texts of the numeric entry fields: the input formats, the readers
// that turn a text into a number, the validity tests that decide whether a
// partly typed text may stay in the field, and the writers that turn a number
// into the text a field shows.
//
// Everything here is pure text and number logic, usable without a control.
// Positions are 1-based character positions, as the fields count them: a
// reader starts at Pos and leaves Pos on the first character it did not use,
// so a reader that used the whole text leaves Pos one past its end.
//
// Every input has a defined result; nothing here throws. The choices made
// where a text or value has no obvious reading are stated next to each
// function.
#pragma once

#include <cstdint>
#include <string>

#include "qelbase/Types.h"

namespace QEL_NumIO {

// The input formats of both number fields. The ordinals are stored in form
// files.
enum TInFormat : uint8_t {
    itExp = 0,       // decimal number with optional exponent
    itFloat = 1,     // decimal number without exponent
    itFixPoint = 2,  // decimal number with a fixed count of decimal places
    itInt = 3,       // signed decimal integer
    itHex = 4,       // hexadecimal digits
    itOct = 5,       // octal digits
    itBin = 6,       // binary digits
    itDynamic = 7    // "$" hexadecimal, "%" binary, "&" octal, else as itExp
};

// Which characters the readers and tests take as the decimal separator. The
// locale choice of TDecPSep is resolved to one of these before use (see the
// two Resolve functions); a value outside the three makes neither character
// a separator.
enum TSepMode : uint8_t { smPoint = 1, smComma = 2, smEither = 3 };

inline constexpr const char* HexDigits = "0123456789ABCDEF";
inline constexpr const char* OctDigits = "01234567";

// TDecPSep to a separator mode, the two ways the fields resolve the locale
// choice: TNumIO2's validity tests take the point only when the locale's
// separator is "." (comma otherwise); TNumIO's conversion takes the comma only
// when the locale's separator is "," (point otherwise).
TSepMode ResolveSepForNumIO2(QEL_base::TDecPSep Sep);
TSepMode ResolveSepForNumIO(QEL_base::TDecPSep Sep);
// The same with an explicit locale separator, for callers that must not
// depend on the process's locale settings.
TSepMode ResolveSepForNumIO2(QEL_base::TDecPSep Sep, char LocaleSeparator);
TSepMode ResolveSepForNumIO(QEL_base::TDecPSep Sep, char LocaleSeparator);

// ---- Readers -------------------------------------------------------------
//
// A Pos below 1 starts at the text's first character.

// Decimal number with optional sign, fraction and (when AllowExp) exponent,
// by a state machine that stops at the first character not belonging to the
// number. An unusable text reads 0. The result is clamped to
// +-uc_MaxDouble; an exponent whose digits exceed 4200 adds no further digits.
// A number text that ends right after "E" or after the exponent's sign reads
// as the mantissa alone ("1E-" reads 1).
double ReadDecimal(const std::string& Text, bool AllowExp, TSepMode Sep, int& Pos);

// Optional "+" or "-" and decimal digits, in wrapping 32-bit arithmetic.
int ReadSignedInt(const std::string& Text, int& Pos);

// Hexadecimal digits (either case); a "$" that is the text's first character
// and stands at Pos is skipped. Wrapping 32-bit arithmetic.
int ReadHex(const std::string& Text, int& Pos);
int ReadOct(const std::string& Text, int& Pos);
int ReadBin(const std::string& Text, int& Pos);

// ---- Validity tests ------------------------------------------------------
//
// A validity test accepts the texts a field may hold while the user types:
// complete numbers and the beginnings of numbers that can still be completed.

// The decimal reader's state machine over the whole text: valid when a number
// ends in the text (so "1x", "1E" and "." are valid, "-" and "" are not) and
// the exponent's digits never exceed 4200.
bool IsValidExpText(const std::string& Text, bool AllowExp, TSepMode Sep);

// Optional sign, digits, at most one separator, digits; every part may be
// empty but the text may not be.
bool IsValidDecimalText(const std::string& Text, TSepMode Sep);

// Optional sign and digits; a lone sign is not valid.
bool IsValidIntText(const std::string& Text);

// Non-empty and digits of the base only, no prefix.
bool IsValidHexText(const std::string& Text);
bool IsValidOctText(const std::string& Text);
bool IsValidBinText(const std::string& Text);

// The test TNumIO2 applies after every keystroke, for a format, a separator
// mode and a count of fixed-point places. With itFixPoint the text must also
// have exactly FixPointPlaces characters after its first separator (or, with
// no separator, be exactly FixPointPlaces long). The separator looked for is
// the one the mode accepts, so that comma mode can hold fixed-point texts.
bool CheckNumText(const std::string& Text, TInFormat Format, TSepMode Sep, int FixPointPlaces);

// The value TNumIO2 reads from its text buffer. Decimal formats read with
// exponent and either separator. itInt reads 0 for a text the integer test
// rejects, and +2147483647 or -2147483648 when the number does not fit in 32
// bits. Digit formats read the whole buffer; itDynamic chooses by prefix.
double NumIO2ValueOf(const std::string& Text, TInFormat Format);

// ---- Writers -------------------------------------------------------------

// Fixed notation with Decimals digits after a point (none for 0), a leading
// "-" for negatives, padded on the left with blanks to Width characters.
std::string FixedText(double X, int Width, int Decimals);

// Scientific text of exactly Width characters: sign column (blank or "-"),
// one digit, ".", Width - 7 further digits, "E", exponent sign and two
// exponent digits. A value whose exponent needs three digits, and a value
// that is not finite, is shown as Width asterisks. Widths below 8 keep the
// one further digit the layout needs, so the text is then longer than Width.
std::string SciText(double X, int Width);

// The rounded value's 32-bit two's-complement pattern as exactly Count digits
// of Base (16, 8 or 2), most significant first. Count 0 or less counts as 1;
// Count is capped at 16, 11 and 32; digits above the 32 bits are "0". Values
// beyond the range of a 64-bit integer are taken modulo 2^32 as integers; a
// value that is not a number writes zeros.
std::string DigitText(double X, int Base, int Count);

// Round(X) as a decimal integer text. Values too large for a 64-bit integer
// are written in full through FixedText; a value that is not a number
// counts as +uc_MaxDouble, the way the decimal reader reads it.
std::string RoundedIntText(double X);

// The text TNumIO2 writes for a value in a format.
std::string NumIO2TextOf(double X, TInFormat Format, int SignificantDigits, int FixPointPlaces);

// The text TNumIO writes for a value in a format.
std::string NumIOTextOf(double X, TInFormat Format, int FixPointPlaces);

// ---- Conversion of TNumIO ------------------------------------------------

// Whether Text is a complete number of Format (partial texts that read as 0,
// such as "-", "." or "e", count as complete). Leading blanks are ignored, a
// blank after them fails. Value is left alone for an empty text, is 0 after a
// blank, and otherwise receives what the reader read, also when the reader
// stopped before the end and the result is false.
bool ConvertNumString(const std::string& Text, TInFormat Format, TSepMode Sep, double& Value);

// The value TNumIO reads from its edit text: the first "," becomes ".", a
// trailing "." gets a "0", and the text is converted with either separator
// (after the replacement the text holds a point whatever the field's mode);
// 0 when it does not convert.
double NumIOValueOf(const std::string& Text, TInFormat Format);

}  // namespace QEL_NumIO
