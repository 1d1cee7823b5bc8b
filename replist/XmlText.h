// Escaping of texts inside the one-line elements of a report-list file.
//
// Every element of the file sits on a line of its own, so besides the XML
// specials (& < > ") every control character, line breaks and tabs included,
// is written as a numeric character reference. Bytes from 0x80 up are written
// unchanged: the file is UTF-8, and a cell that holds bytes which are not
// valid UTF-8 gets them back unchanged.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace QEL_replist {

// Appends Text to Out, escaped for an element's content or an attribute value.
void AppendXmlEscaped(std::string& Out, std::string_view Text);

// Decodes the references of an escaped text: &amp; &lt; &gt; &quot; &apos;,
// &#N; and &#xH; (any code point up to U+10FFFF except the surrogates).
// Returns nothing for a bare "&", an unknown or unterminated reference, and
// for a "<", which can never stand unescaped inside an element.
std::optional<std::string> XmlUnescape(std::string_view Text);

}  // namespace QEL_replist
