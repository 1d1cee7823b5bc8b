#include "replist/CsvCodec.h"

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace QEL_replist {

namespace {

[[noreturn]] void Fail(const std::string& Problem) {
    throw QEL_base::EQELDStructError("CSV text: " + Problem);
}

}  // namespace

char CsvDelimiterChar(QEL_base::TCSVDelimiters Delimiter) {
    switch (Delimiter) {
        case QEL_base::cdSemicolon:
            return ';';
        case QEL_base::cdTab:
            return '\t';
        case QEL_base::cdSpace:
            return ' ';
        case QEL_base::cdComma:
            break;
    }
    return ',';
}

void AppendCsvField(std::string& Out, std::string_view Field, char Delimiter) {
    bool NeedsQuotes = false;
    for (char c : Field) {
        if (c == Delimiter || c == '"' || c == '\n' || c == '\r') {
            NeedsQuotes = true;
            break;
        }
    }
    if (!NeedsQuotes) {
        Out.append(Field);
        return;
    }
    Out += '"';
    for (char c : Field) {
        if (c == '"') Out += '"';
        Out += c;
    }
    Out += '"';
}

TCsvReader::TCsvReader(std::string_view Text, char Delimiter) : FDelimiter(Delimiter) {
    if (Text.starts_with("\xEF\xBB\xBF")) Text.remove_prefix(3);
    FPos = Text.data();
    FEnd = FPos + Text.size();
    FStops[static_cast<unsigned char>(Delimiter)] = FStops[static_cast<unsigned char>('\n')] =
        FStops[static_cast<unsigned char>('\r')] = true;
}

// The characters up to the next delimiter or line end. Scanning every byte is
// most of the reader's work, hence sixteen at a time where the CPU allows.
std::string_view TCsvReader::UnquotedRun() {
    const char* Run = FPos;
#if defined(__SSE2__)
    const __m128i DelimBytes = _mm_set1_epi8(FDelimiter);
    const __m128i LfBytes = _mm_set1_epi8('\n');
    const __m128i CrBytes = _mm_set1_epi8('\r');
    while (FEnd - FPos >= 16) {
        const __m128i Block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(FPos));
        const __m128i Hits = _mm_or_si128(
            _mm_or_si128(_mm_cmpeq_epi8(Block, DelimBytes), _mm_cmpeq_epi8(Block, LfBytes)),
            _mm_cmpeq_epi8(Block, CrBytes));
        const int Mask = _mm_movemask_epi8(Hits);
        if (Mask != 0) {
            FPos += __builtin_ctz(static_cast<unsigned>(Mask));
            return std::string_view(Run, FPos - Run);
        }
        FPos += 16;
    }
#endif
    while (FPos < FEnd && !FStops[static_cast<unsigned char>(*FPos)]) ++FPos;
    return std::string_view(Run, FPos - Run);
}

bool TCsvReader::NextRecord(std::vector<std::string_view>& Fields) {
    Fields.clear();
    if (!FDecoded.empty()) FDecoded.clear();
    if (FPos >= FEnd) return false;
    for (;;) {
        if (FPos < FEnd && *FPos == '"') {
            const char* Start = ++FPos;
            const char* Quote = static_cast<const char*>(std::memchr(FPos, '"', FEnd - FPos));
            if (!Quote) Fail("a quoted field is not closed");
            FPos = Quote + 1;
            if (FPos < FEnd && !FStops[static_cast<unsigned char>(*FPos)]) {
                // Doubled quotes or text after the closing quote: the field
                // has to be put together.
                std::string& Field = FDecoded.emplace_back(Start, Quote);
                while (FPos < FEnd && *FPos == '"') {
                    Field += '"';
                    Start = ++FPos;
                    Quote = static_cast<const char*>(std::memchr(FPos, '"', FEnd - FPos));
                    if (!Quote) Fail("a quoted field is not closed");
                    Field.append(Start, Quote);
                    FPos = Quote + 1;
                }
                Field.append(UnquotedRun());
                Fields.push_back(Field);
            } else {
                Fields.emplace_back(Start, Quote - Start);
            }
        } else {
            Fields.push_back(UnquotedRun());
        }
        if (FPos < FEnd && *FPos == FDelimiter) {
            ++FPos;
            continue;
        }
        break;
    }
    if (FPos < FEnd && *FPos == '\r') ++FPos;
    if (FPos < FEnd && *FPos == '\n') ++FPos;
    return true;
}

TCsvRecords ParseCsv(std::string_view Text, char Delimiter, uint64_t MaxCells) {
    TCsvRecords Result;
    TCsvReader Reader(Text, Delimiter);
    std::vector<std::string_view> Fields;
    while (Reader.NextRecord(Fields)) {
        Result.RecordStart.push_back(Result.Fields.size());
        Result.MaxFields = std::max(Result.MaxFields, Fields.size());
        if (static_cast<uint64_t>(Result.MaxFields) * Result.RecordStart.size() > MaxCells) {
            Fail("more than " + std::to_string(MaxCells) + " cells");
        }
        Result.Fields.insert(Result.Fields.end(), Fields.begin(), Fields.end());
    }
    return Result;
}

}  // namespace QEL_replist
