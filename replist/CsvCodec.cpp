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
    // A field that starts with a byte order mark is quoted, so that a reader
    // which skips the mark at the start of a file cannot take it for one.
    bool NeedsQuotes = Field.starts_with("\xEF\xBB\xBF");
    for (size_t i = 0; i < Field.size() && !NeedsQuotes; ++i) {
        const char c = Field[i];
        NeedsQuotes = c == Delimiter || c == '"' || c == '\n' || c == '\r';
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
    FBegin = FPos = Text.data();
    FEnd = FPos + Text.size();
    FStops[static_cast<unsigned char>(Delimiter)] = FStops[static_cast<unsigned char>('\n')] =
        FStops[static_cast<unsigned char>('\r')] = true;
}

namespace {

// Bit i set when byte p[i] is a stop (delimiter, CR or LF), for 64 bytes.
uint64_t StopBits(const char* p, char Delimiter, const bool (&Stops)[256]) {
    uint64_t Bits = 0;
#if defined(__SSE2__)
    (void)Stops;
    const __m128i DelimBytes = _mm_set1_epi8(Delimiter);
    const __m128i LfBytes = _mm_set1_epi8('\n');
    const __m128i CrBytes = _mm_set1_epi8('\r');
    for (int k = 0; k < 4; ++k) {
        const __m128i Block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * k));
        const __m128i Hits = _mm_or_si128(
            _mm_or_si128(_mm_cmpeq_epi8(Block, DelimBytes), _mm_cmpeq_epi8(Block, LfBytes)),
            _mm_cmpeq_epi8(Block, CrBytes));
        Bits |= static_cast<uint64_t>(static_cast<uint16_t>(_mm_movemask_epi8(Hits))) << (16 * k);
    }
#else
    (void)Delimiter;
    for (int i = 0; i < 64; ++i)
        Bits |= static_cast<uint64_t>(Stops[static_cast<unsigned char>(p[i])]) << i;
#endif
    return Bits;
}

}  // namespace

// The first stop at or after p. Scanning for stops is most of the reader's
// work, hence 64 bytes at a time, each window looked at once.
inline const char* TCsvReader::StopAt(const char* p) {
    for (;;) {
        const size_t Off = static_cast<size_t>(p - FBegin);
        if (Off >= FWindow && Off < FWindowEnd) {
            const uint64_t Ahead = FWindowStops & (~uint64_t{0} << (Off - FWindow));
            if (Ahead != 0) return FBegin + FWindow + __builtin_ctzll(Ahead);
            p = FBegin + FWindowEnd;
            continue;
        }
        if (FEnd - p < 64) break;
        FWindow = Off;
        FWindowEnd = Off + 64;
        FWindowStops = StopBits(p, FDelimiter, FStops);
    }
    while (p < FEnd && !FStops[static_cast<unsigned char>(*p)]) ++p;
    return p;
}

size_t CsvRecordBound(std::string_view Text) {
    // One more than the line ends, a CRLF counting once.
    size_t Lines = 1;
    const char* p = Text.data();
    const char* End = p + Text.size();
#if defined(__SSE2__)
    // Each byte lane counts the line ends it saw, up to 255 before the
    // lanes are added up.
    const __m128i LfBytes = _mm_set1_epi8('\n');
    const __m128i CrBytes = _mm_set1_epi8('\r');
    const __m128i Zero = _mm_setzero_si128();
    while (End - p >= 17) {
        __m128i Counts = Zero;
        for (int n = 0; n < 255 && End - p >= 17; ++n, p += 16) {
            const __m128i Block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
            const __m128i Next = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 1));
            const __m128i LoneCr =
                _mm_andnot_si128(_mm_cmpeq_epi8(Next, LfBytes), _mm_cmpeq_epi8(Block, CrBytes));
            Counts = _mm_sub_epi8(Counts, _mm_or_si128(_mm_cmpeq_epi8(Block, LfBytes), LoneCr));
        }
        const __m128i Sums = _mm_sad_epu8(Counts, Zero);
        Lines += static_cast<size_t>(_mm_cvtsi128_si32(Sums)) +
                 static_cast<size_t>(_mm_cvtsi128_si32(_mm_srli_si128(Sums, 8)));
    }
#endif
    for (; p < End; ++p) Lines += *p == '\n' || (*p == '\r' && (p + 1 == End || p[1] != '\n'));
    return Lines;
}

std::string& TCsvReader::DecodedField() {
    if (FDecodedUsed == FDecoded.size()) FDecoded.emplace_back();
    std::string& Field = FDecoded[FDecodedUsed++];
    Field.clear();
    return Field;
}

bool TCsvReader::NextRecord(std::vector<std::string_view>& Fields) {
    Fields.clear();
    FDecodedUsed = 0;
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
                std::string& Field = DecodedField();
                Field.append(Start, Quote);
                while (FPos < FEnd && *FPos == '"') {
                    Field += '"';
                    Start = ++FPos;
                    Quote = static_cast<const char*>(std::memchr(FPos, '"', FEnd - FPos));
                    if (!Quote) Fail("a quoted field is not closed");
                    Field.append(Start, Quote);
                    FPos = Quote + 1;
                }
                const char* Run = FPos;
                FPos = StopAt(FPos);
                Field.append(Run, FPos);
                Fields.push_back(Field);
            } else {
                Fields.emplace_back(Start, Quote - Start);
            }
        } else {
            const char* Run = FPos;
            FPos = StopAt(FPos);
            Fields.emplace_back(Run, FPos - Run);
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
