// Persistent objects and components.
#pragma once

#include "vcl/System.h"

namespace vcl {

class TPersistent : public TObject {
public:
    std::string ClassName() const override { return "TPersistent"; }

    // Copies Source into this object. The default hands the work to
    // Source->AssignTo(this); unrelated classes end in EConvertError
    // "Cannot assign a <source class> to a <destination class>".
    virtual void Assign(TPersistent* Source);

protected:
    virtual void AssignTo(TPersistent* Dest);
};

}  // namespace vcl
