// Design-time package: registers the component classes with the form designer.
#pragma once

namespace RegKestrix {

// The palette page all classes of the library appear on.
inline constexpr const char* PalettePage = "QEL-Gui";

}  // namespace RegKestrix
