// Helpers shared by the source files of TNumIO2.
#pragma once

#include <string>

namespace QEL_NumIO {

inline int TextLength(const std::string& S) { return static_cast<int>(S.size()); }

}  // namespace QEL_NumIO
