// Names of the enumerations that the components publish and that come from
// the layers below them (frame styles and colour schemes of the family
// library, text alignment of the platform), for the property registry.
#pragma once

#include "vcl/TypInfo.h"

namespace kestrix {

extern const vcl::TEnumType TFrameStyleTypeInfo;
extern const vcl::TEnumType TColorSchemeTypeInfo;
extern const vcl::TEnumType TAlignmentTypeInfo;

}  // namespace kestrix
