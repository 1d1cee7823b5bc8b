// Comma-separated text as RFC 4180 has it: a field that holds the delimiter,
// a quotation mark or a line break is enclosed in quotation marks, and a
// quotation mark inside it is doubled.
//
// The reader is lenient where the text is still unambiguous: records may end
// in CRLF, LF or CR, a quotation mark inside an unquoted field is an ordinary
// character, text between a closing quotation mark and the next delimiter is
// appended to the field, and a UTF-8 byte order mark at the start is skipped.
// Only a quoted field that never ends is an error, since it means the text is
// cut short.
#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "qelbase/Types.h"

namespace QEL_replist {

// The character behind each choice of TCSVDelimiters.
char CsvDelimiterChar(QEL_base::TCSVDelimiters Delimiter);

// Appends Field to Out, quoted when it needs to be.
void AppendCsvField(std::string& Out, std::string_view Field, char Delimiter);

// Reads the records of a CSV text one at a time. The fields point into the
// text, or into the reader when quotes had to be undone; they stay valid
// until the next record is read, and the text must outlive the reader.
class TCsvReader {
public:
    TCsvReader(std::string_view Text, char Delimiter);

    // The next record's fields; false at the end of the text. Raises
    // QEL_base::EQELDStructError when a quoted field is not closed.
    bool NextRecord(std::vector<std::string_view>& Fields);

private:
    std::string_view UnquotedRun();

    const char* FPos;
    const char* FEnd;
    char FDelimiter;
    bool FStops[256] = {};
    std::deque<std::string> FDecoded;
};

// All records of a CSV text, fields stored one after the other.
struct TCsvRecords {
    std::vector<std::string> Fields;
    std::vector<size_t> RecordStart;  // index in Fields of each record's first field
    size_t MaxFields = 0;             // the widest record

    size_t Count() const { return RecordStart.size(); }
    size_t FieldCount(size_t Record) const {
        const size_t End =
            Record + 1 < RecordStart.size() ? RecordStart[Record + 1] : Fields.size();
        return End - RecordStart[Record];
    }
    // Empty beyond the end of the record.
    std::string_view Field(size_t Record, size_t Index) const {
        return Index < FieldCount(Record) ? std::string_view(Fields[RecordStart[Record] + Index])
                                          : std::string_view();
    }
};

// Splits Text into records. Reading stops with QEL_base::EQELDStructError when
// a quoted field is not closed, or when the records would hold more than
// MaxCells cells (the widest record times the number of records), so that a
// small text cannot ask for an unbounded table.
TCsvRecords ParseCsv(std::string_view Text, char Delimiter, uint64_t MaxCells);

}  // namespace QEL_replist
