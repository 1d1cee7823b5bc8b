#include "frame/PropertyTypes.h"

namespace kestrix {

// In ordinal order: form files store the names, the components the ordinals.
const vcl::TEnumType TFrameStyleTypeInfo{
    "TFrameStyle", {"fsNoFrame", "fsSimple", "fsLowered", "fsRaised", "fsEngraved", "fsEmbossed"}};
const vcl::TEnumType TColorSchemeTypeInfo{"TColorScheme", {"csClassic", "csSystem"}};
const vcl::TEnumType TAlignmentTypeInfo{"TAlignment",
                                        {"taLeftJustify", "taRightJustify", "taCenter"}};

}  // namespace kestrix
