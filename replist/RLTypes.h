// Types of the report list unit shared by the table, its file formats and the
// view.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "qelbase/Types.h"
#include "vcl/System.h"

namespace QEL_replist {

// A column name: at most MaxNameChars characters, longer names are cut.
using TNameStrType = std::string;
inline constexpr size_t MaxNameChars = 50;

// A column format: at most MaxColFmtChars characters, longer formats are cut.
using TColFmtString = std::string;
inline constexpr size_t MaxColFmtChars = 80;

// What the cells of a column hold besides their text. A box column has
// independent check marks; a radio column at most one checked cell.
enum TCheckMode : uint8_t { cmNone = 0, cmBox = 1, cmRadio = 2 };

// Fired for each cell of an HTML export; Text is the cell's HTML (already
// escaped) and what the handler leaves in it is written as it is.
using TBeforeHTMLExportEvent =
    std::function<void(vcl::TObject* Sender, std::string& Text, int Col, int Row)>;

// Errors of the report list table: resource problems (in the component
// message form) and report lists or CSV texts that cannot be read.
class EQELRLDataError : public QEL_base::EQELError {
public:
    using QEL_base::EQELError::EQELError;
};

}  // namespace QEL_replist
