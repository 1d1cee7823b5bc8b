// The CSV importer on any text: it reads the records or refuses the input
// with EQELRLDataError, and what it read exports and imports back unchanged.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "replist/CsvCodec.h"
#include "replist/RLData.h"

using namespace QEL_replist;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    if (Size < 1) return 0;
    const auto Delimiter = static_cast<QEL_base::TCSVDelimiters>(Data[0] % 4);
    const bool Headers = Data[0] & 4;
    const std::string_view Text(reinterpret_cast<const char*>(Data) + 1, Size - 1);
    constexpr uint64_t MaxCells = 200000;

    TRLData T(nullptr);
    try {
        T.ImportCSVText(Text, Delimiter, Headers, MaxCells);
    } catch (const EQELRLDataError&) {
        if (T.NrOfColumns() != 1 || T.NrOfRows() != 0) std::abort();
        return 0;
    }

    // Write the cells back as CSV and read them again: the cells must match.
    const char Delim = CsvDelimiterChar(Delimiter);
    std::string Out;
    for (int r = 1; r <= T.NrOfRows(); ++r) {
        for (int c = 1; c <= T.NrOfColumns(); ++c) {
            if (c > 1) Out += Delim;
            AppendCsvField(Out, T.Strings->GetString(c, r), Delim);
        }
        Out += "\r\n";
    }
    TCsvRecords Again = ParseCsv(Out, Delim, MaxCells);
    if (static_cast<int>(Again.Count()) != T.NrOfRows()) std::abort();
    for (int r = 1; r <= T.NrOfRows(); ++r) {
        for (int c = 1; c <= T.NrOfColumns(); ++c) {
            if (Again.Field(r - 1, c - 1) != T.Strings->GetString(c, r)) std::abort();
        }
    }
    return 0;
}
