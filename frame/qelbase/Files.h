// Folders, passwords and text lines of streams.
#pragma once

#include <string>
#include <string_view>

#include "vcl/Classes.h"

namespace QEL_base {

// True when Path names an existing folder (a trailing separator allowed).
bool DirExists(const std::string& Path);

// The folder that contains Path: "/home/ann" and "/home/ann/" give "/home",
// "/home" gives "/". The root and a path without a separator give an empty
// text, so that a loop climbing towards the root always ends.
std::string ParentDir(std::string_view Path);

// A new password of Length characters (at most MaxPasswordChars; 0 or less
// gives an empty text) drawn uniformly from letters and digits with the
// operating system's cryptographically secure generator. Raises EQELError
// when that generator cannot be read.
inline constexpr int MaxPasswordChars = 255;
std::string InventPassword(int Length);

// Reads the next line of Stream into Line, without its line end, and leaves
// the stream after that line end. A line ends with LF, CR LF or a lone CR; the
// last line may end with the stream. Returns false (Line empty) only when the
// stream is already at its end.
bool ReadLnStream(vcl::TStream& Stream, std::string& Line);

}  // namespace QEL_base
