// Text files in the platform's procedural style:
//
//   vcl::TextFile f;
//   vcl::AssignFile(f, "out.txt");
//   vcl::Rewrite(f);
//   vcl::WriteLn(f, "first line");
//   vcl::CloseFile(f);
//
// Every failure raises EInOutError: "Cannot open file "<name>". <reason>",
// "File not assigned", "File not open", "File not open for input",
// "File not open for output". Lines end in LF when written; reading accepts
// LF, CRLF and CR.
#pragma once

#include <memory>
#include <string>

#include "vcl/Classes.h"

namespace vcl {

enum TTextFileMode : uint8_t { tfClosed, tfInput, tfOutput };

struct TextFile {
    TextFile() = default;
    // A file still open for writing is dropped: its target keeps the old
    // content.
    ~TextFile();

    std::string FileName;
    TTextFileMode Mode = tfClosed;
    std::unique_ptr<TStream> Stream;
    // Reading: the whole file, and where the next line starts.
    std::string Buffer;
    size_t Pos = 0;
    // Writing into a temporary file that replaces FileName on CloseFile.
    std::string TempName;
};

void AssignFile(TextFile& F, const std::string& FileName);
// Opens for reading from the start.
void Reset(TextFile& F);
// Creates (or empties) the file for writing; the old content stays until
// CloseFile completes the new one.
void Rewrite(TextFile& F);
// Opens for writing at the end of an existing file.
void Append(TextFile& F);
void CloseFile(TextFile& F);

// Reads the next line without its line break; at the end of the file gives
// an empty text.
void ReadLn(TextFile& F, std::string& Line);
std::string ReadLn(TextFile& F);
void Write(TextFile& F, const std::string& Text);
void WriteLn(TextFile& F, const std::string& Line = {});
bool Eof(const TextFile& F);

}  // namespace vcl
