// Outside text through the base library's readers: stream lines, number
// recognition, tokenizing and searching, decimal integers, and a string
// array filled and sorted with the lines.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "qelbase/Files.h"
#include "qelbase/StringArray.h"
#include "qelbase/Texts.h"
#include "qelmath/Math1.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    const std::string Text(reinterpret_cast<const char*>(Data), Size);
    vcl::TStringStream Stream(Text);
    std::vector<std::string> Lines;
    std::string Line;
    while (QEL_base::ReadLnStream(Stream, Line)) {
        if (Line.size() > Text.size()) __builtin_trap();
        Lines.push_back(Line);
    }
    if (Stream.Position() != static_cast<int64_t>(Text.size())) __builtin_trap();

    QEL_base::TStringArray Cells(2, static_cast<int>(Lines.size()));
    for (size_t i = 0; i < Lines.size(); ++i) {
        const std::string& L = Lines[i];
        double V;
        QEL_base::ReadsAsNumber(L, V);
        QEL_math1::IsValidDecInt(L);
        std::vector<std::string> Parts;
        QEL_base::Tokenize(L, ";,\t", Parts);
        QEL_base::NumberedPos(".", L, 1, 2, true);
        const int Row = static_cast<int>(i) + 1;
        Cells.SetString(1, Row, L);
        Cells.SetString(2, Row, Parts[0]);
        if (QEL_base::CharCount(Cells.GetString(1, Row)) > 255) __builtin_trap();
    }
    Cells.Sort(1, 2, true, false);
    Cells.Sort(2, 1, false);
    for (int r = 1; r <= Cells.NrOfRows(); ++r)
        if (Cells.GetSortOrder(r) < 1) __builtin_trap();
    Cells.RemoveRow(1);
    Cells.UnSort();
    return 0;
}
