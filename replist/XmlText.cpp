#include "replist/XmlText.h"

#include <cstdint>

namespace QEL_replist {

namespace {

void AppendUtf8(std::string& Out, uint32_t CodePoint) {
    if (CodePoint < 0x80) {
        Out += static_cast<char>(CodePoint);
    } else if (CodePoint < 0x800) {
        Out += static_cast<char>(0xC0 | (CodePoint >> 6));
        Out += static_cast<char>(0x80 | (CodePoint & 0x3F));
    } else if (CodePoint < 0x10000) {
        Out += static_cast<char>(0xE0 | (CodePoint >> 12));
        Out += static_cast<char>(0x80 | ((CodePoint >> 6) & 0x3F));
        Out += static_cast<char>(0x80 | (CodePoint & 0x3F));
    } else {
        Out += static_cast<char>(0xF0 | (CodePoint >> 18));
        Out += static_cast<char>(0x80 | ((CodePoint >> 12) & 0x3F));
        Out += static_cast<char>(0x80 | ((CodePoint >> 6) & 0x3F));
        Out += static_cast<char>(0x80 | (CodePoint & 0x3F));
    }
}

// Reads the digits of a numeric reference; nothing when they are missing,
// invalid or name no Unicode scalar value.
std::optional<uint32_t> ParseCharRef(std::string_view Digits) {
    int Base = 10;
    if (!Digits.empty() && (Digits[0] == 'x' || Digits[0] == 'X')) {
        Base = 16;
        Digits.remove_prefix(1);
    }
    if (Digits.empty() || Digits.size() > 8) return std::nullopt;
    uint32_t Value = 0;
    for (char c : Digits) {
        int d;
        if (c >= '0' && c <= '9') {
            d = c - '0';
        } else if (Base == 16 && c >= 'a' && c <= 'f') {
            d = c - 'a' + 10;
        } else if (Base == 16 && c >= 'A' && c <= 'F') {
            d = c - 'A' + 10;
        } else {
            return std::nullopt;
        }
        Value = Value * Base + d;
    }
    if (Value > 0x10FFFF || (Value >= 0xD800 && Value <= 0xDFFF)) return std::nullopt;
    return Value;
}

}  // namespace

void AppendXmlEscaped(std::string& Out, std::string_view Text) {
    size_t Plain = 0;  // start of the run of characters that need no escape
    for (size_t i = 0; i < Text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(Text[i]);
        const char* Ref = nullptr;
        switch (c) {
            case '&':
                Ref = "&amp;";
                break;
            case '<':
                Ref = "&lt;";
                break;
            case '>':
                Ref = "&gt;";
                break;
            case '"':
                Ref = "&quot;";
                break;
            default:
                if (c >= 0x20 && c != 0x7F) continue;
        }
        Out.append(Text.substr(Plain, i - Plain));
        if (Ref) {
            Out += Ref;
        } else {
            Out += "&#";
            Out += std::to_string(c);
            Out += ';';
        }
        Plain = i + 1;
    }
    Out.append(Text.substr(Plain));
}

std::optional<std::string> XmlUnescape(std::string_view Text) {
    std::string Out;
    Out.reserve(Text.size());
    size_t i = 0;
    while (i < Text.size()) {
        const size_t Amp = Text.find_first_of("&<", i);
        if (Amp == std::string_view::npos) {
            Out.append(Text.substr(i));
            break;
        }
        Out.append(Text.substr(i, Amp - i));
        if (Text[Amp] == '<') return std::nullopt;
        const size_t Semi = Text.find(';', Amp + 1);
        if (Semi == std::string_view::npos || Semi - Amp > 12) return std::nullopt;
        const std::string_view Name = Text.substr(Amp + 1, Semi - Amp - 1);
        if (Name == "amp") {
            Out += '&';
        } else if (Name == "lt") {
            Out += '<';
        } else if (Name == "gt") {
            Out += '>';
        } else if (Name == "quot") {
            Out += '"';
        } else if (Name == "apos") {
            Out += '\'';
        } else if (!Name.empty() && Name[0] == '#') {
            const auto CodePoint = ParseCharRef(Name.substr(1));
            if (!CodePoint) return std::nullopt;
            AppendUtf8(Out, *CodePoint);
        } else {
            return std::nullopt;
        }
        i = Semi + 1;
    }
    return Out;
}

}  // namespace QEL_replist
