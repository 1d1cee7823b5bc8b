// Ordinal types, dynamic arrays, event types, constants and the exception
// classes that every component of the family shares.
#pragma once

#include <cstdint>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "vcl/SysUtils.h"
#include "vcl/System.h"
#include "vcl/TypInfo.h"

namespace QEL_base {

// Components store these by ordinal (form files, published properties), so
// the ordinals below are part of the interface and must never be renumbered.

// Frame drawn by DrawFrame around a rectangle.
enum TFrameStyle : uint8_t {
    fsNoFrame = 0,   // nothing is drawn
    fsSimple = 1,    // one line in the darkest colour
    fsLowered = 2,   // sunken bevel, two lines wide
    fsRaised = 3,    // raised bevel, two lines wide
    fsEngraved = 4,  // etched groove (dark line outside, light inside)
    fsEmbossed = 5   // etched ridge (light line outside, dark inside)
};

// Which line colours a framed component uses: the fixed classic grey and
// white, or the user's system colours for shadow and highlight.
enum TColorScheme : uint8_t { csClassic = 0, csSystem = 1 };

// Decimal separator accepted or written by number fields.
enum TDecPSep : uint8_t { dpLocale = 0, dpPoint = 1, dpComma = 2, dpEither = 3 };

// Direction in which a bar grows.
enum TDirection : uint8_t { drUp = 0, drDown = 1, drLeft = 2, drRight = 3 };

// Direction of the next cell after an entry is committed.
enum TOrientation : uint8_t { orDown = 0, orRight = 1 };

// How a background picture fills its area: at natural size in the top left
// corner, stretched over the whole area, or tiled.
enum TBkgFill : uint8_t { bfSimple = 0, bfStretch = 1, bfTile = 2 };

// Language of the built-in texts. lgNeutral uses the English names.
enum TLanguage : uint8_t {
    lgNeutral = 0,
    lgEnglish = 1,
    lgGerman = 2,
    lgFrench = 3,
    lgSpanish = 4
};
constexpr int NumLanguages = 5;

// Field delimiter of CSV files.
enum TCSVDelimiters : uint8_t { cdComma = 0, cdSemicolon = 1, cdTab = 2, cdSpace = 3 };

// Names of the enumerations above that components publish, for the property
// registry (form files store the names, components the ordinals).
extern const vcl::TEnumType TFrameStyleTypeInfo;
extern const vcl::TEnumType TColorSchemeTypeInfo;
extern const vcl::TEnumType TDecPSepTypeInfo;

// How two truth values are combined: loNone takes the second one alone.
enum TLogicOp : uint8_t { loNone = 0, loAnd = 1, loOr = 2, loXor = 3, loAndNot = 4 };

// Applies Op to A and B (loAndNot is A and not B).
bool CombineLogic(bool A, TLogicOp Op, bool B);

using TDoubleArray = std::vector<double>;
using TIntArray = std::vector<int>;
using TOpenStringArray = std::vector<std::string>;

// Progress of a long operation, Percent from 0 to 100.
using TOnPercentDoneEvent = std::function<void(vcl::TObject* Sender, int Percent)>;

// Fired for every cell a text export writes; the handler may replace Text.
// Col and Row are the cell's 1-based data coordinates.
using TExportTextEvent =
    std::function<void(vcl::TObject* Sender, int Col, int Row, std::string& Text)>;

// Fired by a sort for every key cell before the rows are put in order: Text is
// the cell's content, Key starts equal to it and is what the sort compares.
// A handler rewrites Key to sort by something else than the shown text (a
// date written "dd.mm.yyyy" as "yyyymmdd", for example).
using TBeforeSortExchgEvent =
    std::function<void(vcl::TObject* Sender, const std::string& Text, std::string& Key)>;

// Base of every exception of the component family.
class EQELError : public vcl::Exception {
public:
    using vcl::Exception::Exception;
};

// A data structure was asked for something it cannot hold or read.
class EQELDStructError : public EQELError {
public:
    using EQELError::EQELError;
};

// Largest finite double: readers clamp to it.
inline constexpr double uc_MaxDouble = std::numeric_limits<double>::max();
// Start value of minimum searches: larger than any value met in practice but
// still finite, so that differences with it stay finite.
inline constexpr double uc_MaxReal = 1.0e300;
inline constexpr double uc_ln10 = 2.302585092994045684;

}  // namespace QEL_base
