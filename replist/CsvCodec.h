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

// An upper bound of the number of records in Text: its lines, whatever
// their ends.
size_t CsvRecordBound(std::string_view Text);

// Reads the records of a CSV text one at a time. The fields point into the
// text, or into the reader when quotes had to be undone; they stay valid
// until the next record is read, and the text must outlive the reader.
class TCsvReader {
public:
    TCsvReader(std::string_view Text, char Delimiter);

    // The next record's fields; false at the end of the text. Raises
    // QEL_base::EQELDStructError when a quoted field is not closed.
    bool NextRecord(std::vector<std::string_view>& Fields);
    // Bytes of the text read so far and in all, for progress reports.
    size_t Position() const { return static_cast<size_t>(FPos - FBegin); }
    size_t Size() const { return static_cast<size_t>(FEnd - FBegin); }

private:
    std::string& DecodedField();
    const char* StopAt(const char* p);

    const char* FBegin;
    const char* FPos;
    const char* FEnd;
    char FDelimiter;
    bool FStops[256] = {};
    // The stops among the 64 bytes from offset FWindow on, bit i for byte
    // FWindow + i: a field then costs a few bit operations, not a scan.
    // Empty while FWindowEnd == FWindow.
    size_t FWindow = 0;
    size_t FWindowEnd = 0;
    uint64_t FWindowStops = 0;
    // Fields whose quotes had to be undone; the first FDecodedUsed belong to
    // the current record. The texts are kept for reuse, so that a record
    // costs no allocation once the reader is warm.
    std::deque<std::string> FDecoded;
    size_t FDecodedUsed = 0;
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
