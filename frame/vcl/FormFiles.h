// Text form files: reading a tree of components from
//
//   object Form1: TForm
//     Caption = 'Hello'#13#10'world'
//     Font.Style = [fsBold]
//     object Label1: TNumLab
//       Value = 1.5E10
//       OnClick = Label1Click
//     end
//   end
//
// and writing one back. Values: integers (also $hex), floats, strings ('it''s',
// #nnn code points, + continuation lines), identifiers (enumerations, True,
// False, colours, component references, method names), sets [a, b], lists
// ( ... ), bytes { hex } and collections < item ... end >. Property names may
// be qualified (Font.Name). `inherited Name: TClass` sets the properties of a
// component the root created itself; `inline` is read like `object`.
//
// Reading parses the whole text first, so a malformed file raises
// EParserError "Line <l>, column <c>: expected <what> but found <token>"
// before any object exists. Errors while building the tree (an unknown class
// or property, a value that does not fit) raise EReadError with the same
// "Line <l>, column <c>: " start; every object created up to then is freed.
//
// Order while reading: each object is created by class name with the root as
// owner, gets csLoading, is told its parent (SetParentComponent) and has its
// properties set through their setters in file order; after the whole tree,
// component references are resolved and every object gets Loaded, in file
// order.
//
// Writing writes every stored published property in declaration order (see
// TypInfo.h for defaults), and nests the components GetChildren names.
#pragma once

#include <string>

#include "vcl/Classes.h"

namespace vcl {

struct TFormReadOptions {
    // Keep an event's method name without binding a handler when the root
    // offers none of that name (for viewers of forms whose code is absent);
    // otherwise EReadError "... method '<name>' not found".
    bool IgnoreMissingMethods = false;
};

// Creates the root object by its class name, owned by Owner (may be null),
// and everything in it. The caller owns the result when Owner is null.
TComponent* ReadComponentFromText(const std::string& Text, TComponent* Owner,
                                  const TFormReadOptions& Options = {});
TComponent* ReadComponentFromFile(const std::string& FileName, TComponent* Owner,
                                  const TFormReadOptions& Options = {});

// Reads into an existing root (a form that its application created). The
// file's class name for the root is not checked: a form's own class often
// exists only in its application. On error the objects created from the file
// are freed; properties already set on the root and on `inherited` objects
// keep their new values.
void LoadComponentFromText(TComponent* Root, const std::string& Text,
                           const TFormReadOptions& Options = {});
void LoadComponentFromFile(TComponent* Root, const std::string& FileName,
                           const TFormReadOptions& Options = {});

// The text form of Root and the components it nests.
std::string WriteComponentToText(TComponent* Root);
// Replaces the file only once the new text is completely written.
void WriteComponentToFile(TComponent* Root, const std::string& FileName);

}  // namespace vcl
