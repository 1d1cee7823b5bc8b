// TRLData: the cells as an HTML page with one table.
//
// The page is HTML5: border, spacing and padding are given as a style sheet
// rather than the old table attributes, which the standard no longer allows.
#include <algorithm>

#include "replist/HtmlText.h"
#include "replist/RLData.h"
#include "vcl/SysUtils.h"

namespace QEL_replist {

namespace {

void AppendClass(std::string& Out, const std::string& ClassName) {
    if (ClassName.empty()) return;
    Out += " class=\"";
    AppendHtmlEscaped(Out, ClassName, false);
    Out += '"';
}

}  // namespace

std::string TRLData::HTMLTableText(int LoC, int LoR, int HiC, int HiR,
                                   const std::vector<int>& ColumnSelection, int Border,
                                   int CellSpacing, int Cellpadding, bool IncludeHeader,
                                   const std::string& HeadClass, const std::string& CellClass,
                                   const std::string& TableClass) {
    std::vector<int> Columns;
    for (int c = std::max(LoC, 1); c <= std::min(HiC, FNrOfCols); ++c) {
        if (ColumnSelection.empty() ||
            std::find(ColumnSelection.begin(), ColumnSelection.end(), c) != ColumnSelection.end()) {
            Columns.push_back(c);
        }
    }
    LoR = std::max(LoR, 1);
    HiR = std::min(HiR, FNrOfRows);

    std::string Out = "<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n<title>";
    AppendHtmlEscaped(Out, FCommonHeader.empty() ? "Report list" : FCommonHeader, false);
    Out += "</title>\n<style>\ntable { border: " + std::to_string(std::max(Border, 0)) +
           "px solid; border-spacing: " + std::to_string(std::max(CellSpacing, 0)) +
           "px; }\nth, td { border: " + std::string(Border > 0 ? "1" : "0") +
           "px solid; padding: " + std::to_string(std::max(Cellpadding, 0)) +
           "px; }\n</style>\n</head>\n<body>\n<table";
    AppendClass(Out, TableClass);
    Out += ">\n";

    std::string Cell;
    if (IncludeHeader && !Columns.empty()) {
        Out += "<tr>";
        for (int c : Columns) {
            Cell.clear();
            AppendHtmlEscaped(Cell, Header(c), true);
            BeforeHTMLExport(Cell, c, 0);
            Out += "<th";
            AppendClass(Out, HeadClass);
            Out += '>' + Cell + "</th>";
        }
        Out += "</tr>\n";
    }
    int Percent = -1;
    for (int r = LoR; r <= HiR && !Columns.empty(); ++r) {
        Out += "<tr>";
        for (int c : Columns) {
            Cell.clear();
            const TCheckMode Mode = ColumnCheckMode(c);
            if (Mode != cmNone && !Strings->StringView(c, r).empty()) {
                Cell += Mode == cmBox ? "<input type=\"checkbox\" disabled"
                                      : "<input type=\"radio\" disabled";
                Cell += ElemChecked(c, r) ? " checked> " : "> ";
            }
            AppendHtmlEscaped(Cell, Elem(c, r), true);
            BeforeHTMLExport(Cell, c, r);
            Out += "<td";
            AppendClass(Out, CellClass);
            Out += '>' + Cell + "</td>";
        }
        Out += "</tr>\n";
        ReportProgress(r - LoR + 1, HiR - LoR + 1, Percent);
    }
    Out += "</table>\n</body>\n</html>\n";
    return Out;
}

void TRLData::ExportHTMLTable(const std::string& FName, int LoC, int LoR, int HiC, int HiR,
                              const std::vector<int>& ColumnSelection, int Border, int CellSpacing,
                              int Cellpadding, bool IncludeHeader, const std::string& HeadClass,
                              const std::string& CellClass, const std::string& TableClass) {
    vcl::SaveTextFile(
        FName, HTMLTableText(LoC, LoR, HiC, HiR, ColumnSelection, Border, CellSpacing, Cellpadding,
                             IncludeHeader, HeadClass, CellClass, TableClass));
}

}  // namespace QEL_replist
