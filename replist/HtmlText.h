// Escaping of cell texts for an HTML page.
#pragma once

#include <string>
#include <string_view>

namespace QEL_replist {

// Appends Text to Out as HTML text that is valid inside an element or a
// quoted attribute value: the five specials become references, a line break
// (CRLF, LF or CR) becomes <br> when LineBreaks is set and a blank otherwise,
// other control characters but the tab become blanks, and bytes that are not
// valid UTF-8 become U+FFFD, so that the page stays well-formed whatever the
// cells hold.
void AppendHtmlEscaped(std::string& Out, std::string_view Text, bool LineBreaks);

}  // namespace QEL_replist
