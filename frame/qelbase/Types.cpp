#include "qelbase/Types.h"

namespace QEL_base {

const vcl::TEnumType TFrameStyleTypeInfo{
    "TFrameStyle", {"fsNoFrame", "fsSimple", "fsLowered", "fsRaised", "fsEngraved", "fsEmbossed"}};
const vcl::TEnumType TColorSchemeTypeInfo{"TColorScheme", {"csClassic", "csSystem"}};
const vcl::TEnumType TDecPSepTypeInfo{"TDecPSep", {"dpLocale", "dpPoint", "dpComma", "dpEither"}};

bool CombineLogic(bool A, TLogicOp Op, bool B) {
    switch (Op) {
        case loAnd:
            return A && B;
        case loOr:
            return A || B;
        case loXor:
            return A != B;
        case loAndNot:
            return A && !B;
        case loNone:
            break;
    }
    return B;
}

}  // namespace QEL_base
