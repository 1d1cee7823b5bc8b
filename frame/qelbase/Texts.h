// Text helpers. Texts are UTF-8; where a helper speaks of characters it
// counts code points and never cuts one in half. Positions are 1-based byte
// positions, 0 meaning "not found".
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace QEL_base {

// Number of characters (code points) of S.
size_t CharCount(std::string_view S);
// The first MaxChars characters of S (all of S when it is shorter).
std::string_view CutToChars(std::string_view S, size_t MaxChars);

// X in fixed-point notation with Decimals digits after the point (negative
// Decimals count as 0), right-aligned with blanks to at least Width characters.
std::string strff(double X, int Width, int Decimals);

// S padded with blanks on the right or cut to exactly N characters; N <= 0
// gives an empty text.
std::string LeftString(std::string_view S, int N);

// Splits S at every character that occurs in Separators and returns the
// number of fields. An empty field between two separators, or after a last
// separator, is a field of its own, so a text with k separators always has
// k + 1 fields (an empty text one empty field). Parts receives the fields;
// an empty Separators leaves S whole.
int Tokenize(std::string_view S, std::string_view Separators, std::vector<std::string>& Parts);

// Position of the N-th occurrence of Sub in S, searching from position Start
// (1-based; below 1 counts as 1); occurrences do not overlap. With IgnoreCase
// ASCII letters match regardless of case. 0 when there are fewer than N
// occurrences, Sub is empty or N < 1.
int NumberedPos(std::string_view Sub, std::string_view S, int Start, int N, bool IgnoreCase);

// S with C appended unless S already ends with it.
std::string EnsureTrailingChar(std::string_view S, char C);
// A folder path ending in the path delimiter: the separator of this platform
// ('/'), which is what callers need to append a file name.
std::string EnsureTrailingBkSlash(std::string_view S);

// S without its control characters (below U+0020 and DEL); line ends count
// as control characters too.
std::string RemoveControlChars(std::string_view S);
// S with every OldChar replaced by NewChar.
std::string ReplaceCharInString(std::string_view S, char OldChar, char NewChar);
// S without the leading / trailing run of character C.
std::string StripLeadingChars(std::string_view S, char C);
std::string StripTrailingChars(std::string_view S, char C);

// True when S, without surrounding blanks and tabs, is a decimal number:
// optional sign, digits with an optional fraction after a point or a comma
// (or a fraction alone), optional exponent. Value receives the number,
// clamped to the finite doubles. Used where texts are compared as numbers.
bool ReadsAsNumber(std::string_view S, double& Value);

}  // namespace QEL_base
