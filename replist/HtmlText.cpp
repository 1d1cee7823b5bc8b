#include "replist/HtmlText.h"

namespace QEL_replist {

namespace {

// Length of the valid UTF-8 sequence at Text[i], 0 when it is not valid
// (overlong forms, surrogates and values above U+10FFFF included).
size_t Utf8SequenceLength(std::string_view Text, size_t i) {
    const unsigned char c = static_cast<unsigned char>(Text[i]);
    size_t Len;
    unsigned char Lo = 0x80, Hi = 0xBF;  // allowed range of the second byte
    if (c >= 0xC2 && c <= 0xDF) {
        Len = 2;
    } else if (c >= 0xE0 && c <= 0xEF) {
        Len = 3;
        if (c == 0xE0) Lo = 0xA0;
        if (c == 0xED) Hi = 0x9F;
    } else if (c >= 0xF0 && c <= 0xF4) {
        Len = 4;
        if (c == 0xF0) Lo = 0x90;
        if (c == 0xF4) Hi = 0x8F;
    } else {
        return 0;
    }
    if (i + Len > Text.size()) return 0;
    const unsigned char Second = static_cast<unsigned char>(Text[i + 1]);
    if (Second < Lo || Second > Hi) return 0;
    for (size_t k = 2; k < Len; ++k) {
        if ((static_cast<unsigned char>(Text[i + k]) & 0xC0) != 0x80) return 0;
    }
    return Len;
}

}  // namespace

void AppendHtmlEscaped(std::string& Out, std::string_view Text, bool LineBreaks) {
    const char* const Break = LineBreaks ? "<br>" : " ";
    for (size_t i = 0; i < Text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(Text[i]);
        if (c >= 0x80) {
            const size_t Len = Utf8SequenceLength(Text, i);
            if (Len == 0) {
                Out += "\xEF\xBF\xBD";
            } else {
                Out.append(Text.substr(i, Len));
                i += Len - 1;
            }
            continue;
        }
        switch (c) {
            case '&':
                Out += "&amp;";
                break;
            case '<':
                Out += "&lt;";
                break;
            case '>':
                Out += "&gt;";
                break;
            case '"':
                Out += "&quot;";
                break;
            case '\'':
                Out += "&#39;";
                break;
            case '\t':
                Out += '\t';
                break;
            case '\r':
                if (i + 1 < Text.size() && Text[i + 1] == '\n') ++i;
                Out += Break;
                break;
            case '\n':
                Out += Break;
                break;
            default:
                Out += (c < 0x20 || c == 0x7F) ? ' ' : static_cast<char>(c);
        }
    }
}

}  // namespace QEL_replist
