// The report-list reader on any text: it either reads a list, which then
// writes and reads back to the same text, or it refuses the input with
// EQELRLDataError and leaves the table as it was.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "replist/RLData.h"
#include "replist/ReplistFile.h"

using namespace QEL_replist;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    const std::string_view Text(reinterpret_cast<const char*>(Data), Size);
    // Small bounds keep a few bytes that declare a huge table from measuring
    // the machine's memory instead of the reader.
    TReplistLimits Limits;
    Limits.MaxColumns = 300;
    Limits.MaxRows = 20000;
    Limits.MaxCells = 200000;

    vcl::TStringStream Stream{std::string(Text)};
    const bool HasHeader = CheckIfValidReplist(Stream, "");

    TRLData T(nullptr);
    T.SetNrOfColumns(2);
    T.SetNrOfRows(1);
    T.SetElem(1, 1, "before");
    const std::string Before = T.XMLText(true, "");
    bool Read = false;
    try {
        Read = T.ReadFromXMLText(Text, "", Limits);
    } catch (const EQELRLDataError&) {
        if (T.XMLText(true, "") != Before) std::abort();
        return 0;
    }
    if (Read != HasHeader) std::abort();
    if (!Read) return 0;

    const std::string Written = T.XMLText(true, "id");
    TRLData U(nullptr);
    if (!U.ReadFromXMLText(Written, "ID", Limits)) std::abort();
    if (U.XMLText(true, "id") != Written) std::abort();
    return 0;
}
