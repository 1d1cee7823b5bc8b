#include "qelbase/Types.h"

namespace QEL_base {

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
