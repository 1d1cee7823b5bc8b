#include "vcl/Classes.h"

#include "vcl/SysUtils.h"

namespace vcl {

void TPersistent::Assign(TPersistent* Source) {
    if (Source) {
        Source->AssignTo(this);
        return;
    }
    throw EConvertError("Cannot assign a nil to a " + ClassName());
}

void TPersistent::AssignTo(TPersistent* Dest) {
    throw EConvertError("Cannot assign a " + ClassName() + " to a " + Dest->ClassName());
}

}  // namespace vcl
