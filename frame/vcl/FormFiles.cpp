// Text form files.
//
//   1. Lexer      - tokens with line and column
//   2. Parser     - text to a tree of object, property and value nodes; every
//                   syntax error is found here, before any object exists
//   3. TReader    - builds components from the tree through the registry
//   4. Writer     - components to text
#include "vcl/FormFiles.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "vcl/SysUtils.h"
#include "vcl/TypInfo.h"

namespace vcl {

namespace {

// Deep enough for any real form, shallow enough for the stack.
constexpr int kMaxDepth = 200;
// Long strings are written in pieces of this many characters.
constexpr size_t kStringPiece = 64;
constexpr size_t kBinaryBytesPerLine = 32;

[[noreturn]] void ParseFail(int Line, int Column, const std::string& What) {
    throw EParserError(
        "Line " + std::to_string(Line) + ", column " + std::to_string(Column) + ": " + What, Line,
        Column);
}

// ---------------------------------------------------------------- 1. lexer

enum TTokenKind { tkEof, tkSymbol, tkIdentTok, tkIntTok, tkFloatTok, tkStringTok, tkChar };

struct TToken {
    TTokenKind Kind = tkEof;
    std::string Raw;    // as written (identifier, number, symbol)
    std::string Value;  // decoded string
    int64_t Int = 0;
    double Float = 0;
    int Line = 1;
    int Column = 1;
};

void AppendUtf8(std::string& Out, uint32_t Cp) {
    if (Cp < 0x80) {
        Out += static_cast<char>(Cp);
    } else if (Cp < 0x800) {
        Out += static_cast<char>(0xC0 | (Cp >> 6));
        Out += static_cast<char>(0x80 | (Cp & 0x3F));
    } else if (Cp < 0x10000) {
        Out += static_cast<char>(0xE0 | (Cp >> 12));
        Out += static_cast<char>(0x80 | ((Cp >> 6) & 0x3F));
        Out += static_cast<char>(0x80 | (Cp & 0x3F));
    } else {
        Out += static_cast<char>(0xF0 | (Cp >> 18));
        Out += static_cast<char>(0x80 | ((Cp >> 12) & 0x3F));
        Out += static_cast<char>(0x80 | ((Cp >> 6) & 0x3F));
        Out += static_cast<char>(0x80 | (Cp & 0x3F));
    }
}

bool IsIdentStart(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_'; }
bool IsIdentChar(char c) { return IsIdentStart(c) || (c >= '0' && c <= '9'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

class TLexer {
public:
    explicit TLexer(const std::string& Text) : FText(Text) {
        if (FText.compare(0, 3, "\xEF\xBB\xBF") == 0) FPos = 3;
        Next();
    }

    const TToken& Tok() const { return FTok; }

    bool IsSymbol(char C) const { return FTok.Kind == tkSymbol && FTok.Raw[0] == C; }
    bool IsKeyword(const char* K) const { return FTok.Kind == tkIdentTok && SameText(FTok.Raw, K); }

    [[noreturn]] void Expected(const std::string& What) const {
        ParseFail(FTok.Line, FTok.Column, "expected " + What + " but found " + Describe(FTok));
    }

    static std::string Describe(const TToken& T) {
        if (T.Kind == tkEof) return "end of file";
        std::string raw = T.Raw.size() > 30 ? T.Raw.substr(0, 30) + "..." : T.Raw;
        if (T.Kind == tkStringTok) return "string " + raw;
        return "'" + raw + "'";
    }

    void Next() {
        SkipBlanks();
        FTok = TToken();
        FTok.Line = FLine;
        FTok.Column = Column();
        if (FPos >= FText.size()) return;
        char c = FText[FPos];
        size_t start = FPos;
        if (IsIdentStart(c)) {
            while (FPos < FText.size() && IsIdentChar(FText[FPos])) ++FPos;
            FTok.Kind = tkIdentTok;
        } else if (IsDigit(c)) {
            LexNumber();
        } else if (c == '$') {
            ++FPos;
            uint64_t v = 0;
            size_t digits = 0;
            while (FPos < FText.size() && HexDigit(FText[FPos]) >= 0) {
                if (++digits > 16) ParseFail(FTok.Line, FTok.Column, "integer value out of range");
                v = v * 16 + static_cast<unsigned>(HexDigit(FText[FPos++]));
            }
            if (digits == 0)
                ParseFail(FTok.Line, FTok.Column, "expected hexadecimal digits after '$'");
            FTok.Kind = tkIntTok;
            FTok.Int = static_cast<int64_t>(v);
        } else if (c == '\'' || c == '#') {
            LexString();
        } else if (std::string_view("=:[](){}<>,+-.").find(c) != std::string_view::npos) {
            ++FPos;
            FTok.Kind = tkSymbol;
        } else {
            std::string shown =
                static_cast<unsigned char>(c) < 32 || static_cast<unsigned char>(c) >= 127
                    ? "#" + std::to_string(static_cast<unsigned char>(c))
                    : "'" + std::string(1, c) + "'";
            ParseFail(FTok.Line, FTok.Column, "invalid character " + shown);
        }
        FTok.Raw = FText.substr(start, FPos - start);
    }

    // After a '{' token: the hexadecimal bytes up to '}' (blanks and line
    // breaks allowed between digits). The current token becomes the '}'.
    std::string ReadBinary() {
        std::string bytes;
        int high = -1;
        for (;;) {
            SkipBlanks();
            if (FPos >= FText.size()) {
                FTok = TToken();
                FTok.Line = FLine;
                FTok.Column = Column();
                Expected("'}'");
            }
            char c = FText[FPos];
            if (c == '}') break;
            int d = HexDigit(c);
            if (d < 0) {
                FTok = TToken();
                FTok.Kind = tkSymbol;
                FTok.Raw = std::string(1, c);
                FTok.Line = FLine;
                FTok.Column = Column();
                Expected("hexadecimal digit or '}'");
            }
            ++FPos;
            if (high < 0) {
                high = d;
            } else {
                bytes += static_cast<char>(high * 16 + d);
                high = -1;
            }
        }
        if (high >= 0) ParseFail(FLine, Column(), "odd number of hexadecimal digits");
        Next();
        return bytes;
    }

private:
    int Column() const { return static_cast<int>(FPos - FLineStart) + 1; }

    void SkipBlanks() {
        while (FPos < FText.size()) {
            char c = FText[FPos];
            if (c == '\n') {
                ++FLine;
                FLineStart = ++FPos;
            } else if (c == ' ' || c == '\t' || c == '\r') {
                ++FPos;
            } else {
                break;
            }
        }
    }

    void LexNumber() {
        size_t start = FPos;
        bool isFloat = false;
        while (FPos < FText.size() && IsDigit(FText[FPos])) ++FPos;
        if (FPos + 1 < FText.size() && FText[FPos] == '.' && IsDigit(FText[FPos + 1])) {
            isFloat = true;
            ++FPos;
            while (FPos < FText.size() && IsDigit(FText[FPos])) ++FPos;
        }
        if (FPos < FText.size() && (FText[FPos] == 'e' || FText[FPos] == 'E')) {
            size_t p = FPos + 1;
            if (p < FText.size() && (FText[p] == '+' || FText[p] == '-')) ++p;
            if (p < FText.size() && IsDigit(FText[p])) {
                isFloat = true;
                FPos = p;
                while (FPos < FText.size() && IsDigit(FText[FPos])) ++FPos;
            }
        }
        std::string text = FText.substr(start, FPos - start);
        if (isFloat) {
            double v = 0;
            auto r = std::from_chars(text.data(), text.data() + text.size(), v);
            if (r.ec == std::errc::result_out_of_range) {
                size_t e = text.find_first_of("eE");
                bool tiny = e != std::string::npos && text.find('-', e) != std::string::npos;
                if (!tiny) ParseFail(FTok.Line, FTok.Column, "floating point value out of range");
                v = 0;
            }
            FTok.Kind = tkFloatTok;
            FTok.Float = v;
        } else {
            uint64_t v = 0;
            auto r = std::from_chars(text.data(), text.data() + text.size(), v);
            if (r.ec != std::errc() || v > static_cast<uint64_t>(INT64_MAX))
                ParseFail(FTok.Line, FTok.Column, "integer value out of range");
            FTok.Kind = tkIntTok;
            FTok.Int = static_cast<int64_t>(v);
        }
    }

    void LexString() {
        FTok.Kind = tkStringTok;
        while (FPos < FText.size()) {
            char c = FText[FPos];
            if (c == '\'') {
                ++FPos;
                for (;;) {
                    if (FPos >= FText.size() || FText[FPos] == '\n' || FText[FPos] == '\r')
                        ParseFail(FLine, Column(), "unterminated string");
                    char d = FText[FPos++];
                    if (d == '\'') {
                        if (FPos < FText.size() && FText[FPos] == '\'') {
                            FTok.Value += '\'';
                            ++FPos;
                            continue;
                        }
                        break;
                    }
                    FTok.Value += d;
                }
            } else if (c == '#') {
                int line = FLine, col = Column();
                ++FPos;
                uint64_t cp = 0;
                size_t digits = 0;
                bool hex = FPos < FText.size() && FText[FPos] == '$';
                if (hex) ++FPos;
                while (FPos < FText.size() &&
                       (hex ? HexDigit(FText[FPos]) >= 0 : IsDigit(FText[FPos]))) {
                    cp = cp * (hex ? 16 : 10) + static_cast<unsigned>(HexDigit(FText[FPos++]));
                    if (++digits > 8) break;
                }
                if (digits == 0) ParseFail(line, col, "expected a character code after '#'");
                if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
                    ParseFail(line, col, "invalid character code " + std::to_string(cp));
                AppendUtf8(FTok.Value, static_cast<uint32_t>(cp));
            } else {
                break;
            }
        }
    }

    const std::string& FText;
    size_t FPos = 0;
    size_t FLineStart = 0;
    int FLine = 1;
    TToken FTok;
};

// ---------------------------------------------------------------- 2. parser

struct TItemNode;

struct TValueNode {
    enum TKind { vkInt, vkFloat, vkString, vkIdent, vkSet, vkList, vkBinary, vkCollection };
    TKind Kind = vkInt;
    int64_t Int = 0;
    double Float = 0;
    std::string Text;  // string, identifier (dotted), bytes
    std::vector<std::string> Names;
    std::vector<TValueNode> List;
    std::vector<TItemNode> Items;
    int Line = 0, Column = 0;
};

struct TPropNode {
    std::vector<std::string> Path;
    TValueNode Value;
    int Line = 0, Column = 0;
    std::string FullName() const {
        std::string s;
        for (const auto& p : Path) s += (s.empty() ? "" : ".") + p;
        return s;
    }
};

struct TItemNode {
    std::vector<TPropNode> Props;
};

struct TObjectNode {
    bool Inherited = false;
    std::string Name, ClassName;
    int Line = 0, Column = 0;
    std::vector<TPropNode> Props;
    std::vector<TObjectNode> Children;
};

class TParser {
public:
    explicit TParser(const std::string& Text) : FLex(Text) {}

    TObjectNode ParseFile() {
        if (!IsObjectStart()) FLex.Expected("'object'");
        TObjectNode root = ParseObject(0);
        if (FLex.Tok().Kind != tkEof) FLex.Expected("end of file");
        return root;
    }

private:
    bool IsObjectStart() const {
        return FLex.IsKeyword("object") || FLex.IsKeyword("inherited") || FLex.IsKeyword("inline");
    }

    std::string ExpectIdent(const char* What) {
        if (FLex.Tok().Kind != tkIdentTok) FLex.Expected(What);
        std::string s = FLex.Tok().Raw;
        FLex.Next();
        return s;
    }

    void ExpectSymbol(char C) {
        if (!FLex.IsSymbol(C)) FLex.Expected(std::string("'") + C + "'");
        FLex.Next();
    }

    void CheckDepth(int Depth) {
        if (Depth > kMaxDepth)
            ParseFail(FLex.Tok().Line, FLex.Tok().Column, "objects nested too deeply");
    }

    TObjectNode ParseObject(int Depth) {
        CheckDepth(Depth);
        TObjectNode node;
        node.Line = FLex.Tok().Line;
        node.Column = FLex.Tok().Column;
        node.Inherited = FLex.IsKeyword("inherited");
        FLex.Next();
        std::string first = ExpectIdent("a component name or class name");
        if (FLex.IsSymbol(':')) {
            FLex.Next();
            node.Name = first;
            node.ClassName = ExpectIdent("a class name");
        } else {
            node.ClassName = first;
        }
        if (FLex.IsSymbol('[')) {
            FLex.Next();
            if (FLex.Tok().Kind != tkIntTok) FLex.Expected("a number");
            FLex.Next();
            ExpectSymbol(']');
        }
        for (;;) {
            if (FLex.IsKeyword("end")) {
                FLex.Next();
                return node;
            }
            if (IsObjectStart()) {
                node.Children.push_back(ParseObject(Depth + 1));
                continue;
            }
            if (FLex.Tok().Kind != tkIdentTok) FLex.Expected("a property name or 'end'");
            node.Props.push_back(ParseProperty(Depth));
        }
    }

    TPropNode ParseProperty(int Depth) {
        TPropNode p;
        p.Line = FLex.Tok().Line;
        p.Column = FLex.Tok().Column;
        p.Path.push_back(ExpectIdent("a property name"));
        while (FLex.IsSymbol('.')) {
            FLex.Next();
            p.Path.push_back(ExpectIdent("a property name after '.'"));
        }
        ExpectSymbol('=');
        p.Value = ParseValue(Depth + 1);
        return p;
    }

    TValueNode ParseValue(int Depth) {
        CheckDepth(Depth);
        TValueNode v;
        const TToken& t = FLex.Tok();
        v.Line = t.Line;
        v.Column = t.Column;
        if (FLex.IsSymbol('-') || FLex.IsSymbol('+')) {
            bool neg = FLex.IsSymbol('-');
            FLex.Next();
            const TToken& n = FLex.Tok();
            if (n.Kind == tkIntTok) {
                v.Kind = TValueNode::vkInt;
                v.Int = neg ? -n.Int : n.Int;
            } else if (n.Kind == tkFloatTok) {
                v.Kind = TValueNode::vkFloat;
                v.Float = neg ? -n.Float : n.Float;
            } else if (n.Kind == tkIdentTok && SameText(n.Raw, "INF")) {
                v.Kind = TValueNode::vkFloat;
                v.Float = (neg ? -1 : 1) * std::numeric_limits<double>::infinity();
            } else {
                FLex.Expected("a number");
            }
            FLex.Next();
            return v;
        }
        switch (t.Kind) {
            case tkIntTok:
                v.Kind = TValueNode::vkInt;
                v.Int = t.Int;
                FLex.Next();
                return v;
            case tkFloatTok:
                v.Kind = TValueNode::vkFloat;
                v.Float = t.Float;
                FLex.Next();
                return v;
            case tkStringTok:
                v.Kind = TValueNode::vkString;
                v.Text = t.Value;
                FLex.Next();
                // 'first part' + 'next part', the '+' usually at a line end.
                while (FLex.IsSymbol('+')) {
                    FLex.Next();
                    if (FLex.Tok().Kind != tkStringTok) FLex.Expected("a string after '+'");
                    v.Text += FLex.Tok().Value;
                    FLex.Next();
                }
                return v;
            case tkIdentTok:
                // Keywords of the structure are never values; stopping here
                // reports "expected a value but found 'end'" where it belongs.
                if (SameText(t.Raw, "end") || IsObjectStart()) break;
                v.Kind = TValueNode::vkIdent;
                v.Text = t.Raw;
                FLex.Next();
                while (FLex.IsSymbol('.')) {
                    FLex.Next();
                    v.Text += "." + ExpectIdent("an identifier after '.'");
                }
                return v;
            default:
                break;
        }
        if (FLex.IsSymbol('[')) {
            v.Kind = TValueNode::vkSet;
            FLex.Next();
            if (!FLex.IsSymbol(']')) {
                v.Names.push_back(ExpectIdent("a set member"));
                while (FLex.IsSymbol(',')) {
                    FLex.Next();
                    v.Names.push_back(ExpectIdent("a set member"));
                }
            }
            ExpectSymbol(']');
            return v;
        }
        if (FLex.IsSymbol('(')) {
            v.Kind = TValueNode::vkList;
            FLex.Next();
            while (!FLex.IsSymbol(')')) {
                if (FLex.Tok().Kind == tkEof) FLex.Expected("')'");
                v.List.push_back(ParseValue(Depth + 1));
            }
            FLex.Next();
            return v;
        }
        if (FLex.IsSymbol('{')) {
            v.Kind = TValueNode::vkBinary;
            v.Text = FLex.ReadBinary();
            ExpectSymbol('}');
            return v;
        }
        if (FLex.IsSymbol('<')) {
            v.Kind = TValueNode::vkCollection;
            FLex.Next();
            while (!FLex.IsSymbol('>')) {
                if (!FLex.IsKeyword("item")) FLex.Expected("'item' or '>'");
                FLex.Next();
                if (FLex.IsSymbol('[')) {
                    FLex.Next();
                    if (FLex.Tok().Kind != tkIntTok) FLex.Expected("a number");
                    FLex.Next();
                    ExpectSymbol(']');
                }
                TItemNode item;
                while (!FLex.IsKeyword("end")) {
                    if (FLex.Tok().Kind != tkIdentTok) FLex.Expected("a property name or 'end'");
                    item.Props.push_back(ParseProperty(Depth + 1));
                }
                FLex.Next();
                v.Items.push_back(std::move(item));
            }
            FLex.Next();
            return v;
        }
        FLex.Expected("a value");
    }

    TLexer FLex;
};

[[noreturn]] void ReadFail(int Line, int Column, const std::string& What) {
    throw EReadError("Line " + std::to_string(Line) + ", column " + std::to_string(Column) + ": " +
                     What);
}

}  // namespace

// ---------------------------------------------------------------- 3. TReader

// Builds the components of a parsed file. A friend of TComponent for the
// loading state and Loaded.
class TReader {
public:
    explicit TReader(const TFormReadOptions& Options) : FOptions(Options) {}

    TComponent* ReadNew(const TObjectNode& Node, TComponent* Owner) {
        const TClassInfo* cls = FindClassInfo(Node.ClassName);
        if (!cls) ReadFail(Node.Line, Node.Column, "class " + Node.ClassName + " not found");
        if (!cls->CanCreate())
            ReadFail(Node.Line, Node.Column, "cannot create an instance of " + Node.ClassName);
        TComponent* root = cls->Create(Owner);
        try {
            Read(Node, root);
        } catch (...) {
            delete root;
            throw;
        }
        return root;
    }

    void ReadInto(const TObjectNode& Node, TComponent* Root) {
        try {
            Read(Node, Root);
        } catch (...) {
            // The objects this file created die, last created first so that
            // children go before their parents.
            for (TComponent* c : FLoading) c->SetLoading(false);
            for (auto it = FCreated.rbegin(); it != FCreated.rend(); ++it) delete *it;
            throw;
        }
    }

private:
    struct TFixup {
        TObject* Instance;
        const TPropInfo* Prop;
        std::string Target;
        int Line, Column;
    };

    void Read(const TObjectNode& Node, TComponent* Root) {
        FRoot = Root;
        if (!Node.Name.empty() && Node.Name != Root->Name())
            Guard(Node.Line, Node.Column, [&] { Root->SetName(Node.Name); });
        StartLoading(Root);
        ReadBody(Node, Root);
        for (const TFixup& f : FFixups) ResolveFixup(f);
        // Loaded runs once every object of the file has its properties; the
        // loading state ends for each right after its Loaded.
        for (TComponent* c : FLoading) {
            Guard(Node.Line, Node.Column, [&] { c->Loaded(); });
            c->SetLoading(false);
        }
    }

    void StartLoading(TComponent* C) {
        C->SetLoading(true);
        FLoading.push_back(C);
    }

    void ReadBody(const TObjectNode& Node, TComponent* Instance) {
        for (const TPropNode& p : Node.Props) ApplyProperty(Instance, Instance, p);
        for (const TObjectNode& child : Node.Children) ReadChild(child, Instance);
    }

    void ReadChild(const TObjectNode& Node, TComponent* Parent) {
        TComponent* c = nullptr;
        if (Node.Inherited) {
            c = FRoot->FindComponent(Node.Name);
            if (!c || Node.Name.empty())
                ReadFail(Node.Line, Node.Column,
                         "inherited component '" + Node.Name + "' not found");
        } else {
            const TClassInfo* cls = FindClassInfo(Node.ClassName);
            if (!cls) ReadFail(Node.Line, Node.Column, "class " + Node.ClassName + " not found");
            if (!cls->CanCreate())
                ReadFail(Node.Line, Node.Column, "cannot create an instance of " + Node.ClassName);
            Guard(Node.Line, Node.Column, [&] { c = cls->Create(FRoot); });
            FCreated.push_back(c);
            // Objects read into a form in the designer are in the designer too.
            if (FRoot->ComponentState().Contains(csDesigning)) c->SetDesigning(true);
            Guard(Node.Line, Node.Column, [&] { c->SetName(Node.Name); });
        }
        StartLoading(c);
        Guard(Node.Line, Node.Column, [&] { c->SetParentComponent(Parent); });
        ReadBody(Node, c);
    }

    // Runs Fn; platform exceptions other than read errors get the place in
    // the file in front of their message.
    template <class F>
    static void Guard(int Line, int Column, F&& Fn) {
        try {
            Fn();
        } catch (const EReadError&) {
            throw;
        } catch (const Exception& e) {
            ReadFail(Line, Column, e.Message());
        }
    }

    static const TPropInfo* FindProp(TObject* Instance, const std::string& Name, int Line,
                                     int Column) {
        const TClassInfo* cls = ClassInfoOf(Instance);
        const TPropInfo* p = cls ? cls->FindProperty(Name) : nullptr;
        if (!p) {
            std::string owner = cls ? cls->Name() : Instance->ClassName();
            ReadFail(Line, Column, "property " + Name + " does not exist in " + owner);
        }
        return p;
    }

    void ApplyProperty(TObject* Instance, TComponent* Component, const TPropNode& P) {
        TObject* target = Instance;
        for (size_t i = 0; i + 1 < P.Path.size(); ++i) {
            const TPropInfo* sub = FindProp(target, P.Path[i], P.Line, P.Column);
            if (sub->Kind != tkClass)
                ReadFail(P.Line, P.Column, "property " + P.Path[i] + " has no properties");
            TPersistent* obj = nullptr;
            Guard(P.Line, P.Column, [&] { obj = sub->GetObject(target); });
            if (!obj) ReadFail(P.Line, P.Column, "property " + P.Path[i] + " is nil");
            target = obj;
        }
        const TPropInfo* prop = FindProp(target, P.Path.back(), P.Line, P.Column);
        if (!prop->Writable())
            ReadFail(P.Line, P.Column, "property " + P.FullName() + " is read-only");
        Guard(P.Value.Line, P.Value.Column,
              [&] { SetValue(target, Component, *prop, P.FullName(), P.Value); });
    }

    [[noreturn]] static void BadValue(const TValueNode& V, const std::string& PropName) {
        ReadFail(V.Line, V.Column, "invalid value for property " + PropName);
    }

    void SetValue(TObject* Target, TComponent* Component, const TPropInfo& Prop,
                  const std::string& PropName, const TValueNode& V) {
        using VK = TValueNode;
        switch (Prop.Kind) {
            case tkInteger: {
                int64_t v = V.Int;
                if (V.Kind == VK::vkIdent) {
                    if (Prop.IdentType.empty() || !IdentToInt(Prop.IdentType, V.Text, v))
                        BadValue(V, PropName);
                } else if (V.Kind != VK::vkInt) {
                    BadValue(V, PropName);
                }
                int64_t hi = Prop.Unsigned32 ? int64_t{UINT32_MAX} : int64_t{INT32_MAX};
                if (v < INT32_MIN || v > hi)
                    ReadFail(V.Line, V.Column, "integer value out of range for " + PropName);
                if (Prop.Unsigned32) v = static_cast<uint32_t>(static_cast<int64_t>(v));
                Prop.SetOrd(Target, v);
                return;
            }
            case tkInt64:
                if (V.Kind != VK::vkInt) BadValue(V, PropName);
                Prop.SetOrd(Target, V.Int);
                return;
            case tkBool:
                if (V.Kind == VK::vkIdent && SameText(V.Text, "True"))
                    Prop.SetOrd(Target, 1);
                else if (V.Kind == VK::vkIdent && SameText(V.Text, "False"))
                    Prop.SetOrd(Target, 0);
                else
                    BadValue(V, PropName);
                return;
            case tkEnumeration: {
                int ord = V.Kind == VK::vkIdent ? Prop.EnumType->Ordinal(V.Text) : -1;
                if (ord < 0) BadValue(V, PropName);
                Prop.SetOrd(Target, ord);
                return;
            }
            case tkSet: {
                if (V.Kind != VK::vkSet) BadValue(V, PropName);
                uint64_t bits = 0;
                for (const auto& n : V.Names) {
                    int ord = Prop.EnumType->Ordinal(n);
                    if (ord < 0 || ord >= 64)
                        ReadFail(V.Line, V.Column,
                                 "invalid value for property " + PropName + ": " + n);
                    bits |= uint64_t{1} << ord;
                }
                Prop.SetOrd(Target, static_cast<int64_t>(bits));
                return;
            }
            case tkFloat:
                if (V.Kind == VK::vkFloat)
                    Prop.SetFloat(Target, V.Float);
                else if (V.Kind == VK::vkInt)
                    Prop.SetFloat(Target, static_cast<double>(V.Int));
                else if (V.Kind == VK::vkIdent && SameText(V.Text, "INF"))
                    Prop.SetFloat(Target, std::numeric_limits<double>::infinity());
                else if (V.Kind == VK::vkIdent && SameText(V.Text, "NAN"))
                    Prop.SetFloat(Target, std::numeric_limits<double>::quiet_NaN());
                else
                    BadValue(V, PropName);
                return;
            case tkString:
                if (V.Kind != VK::vkString) BadValue(V, PropName);
                Prop.SetStr(Target, V.Text);
                return;
            case tkBinary:
                if (V.Kind != VK::vkBinary) BadValue(V, PropName);
                Prop.SetStr(Target, V.Text);
                return;
            case tkStringList: {
                if (V.Kind != VK::vkList) BadValue(V, PropName);
                std::vector<std::string> lines;
                for (const auto& item : V.List) {
                    if (item.Kind != VK::vkString) BadValue(item, PropName);
                    lines.push_back(item.Text);
                }
                Prop.SetLines(Target, lines);
                return;
            }
            case tkComponent:
                if (V.Kind != VK::vkIdent) BadValue(V, PropName);
                if (SameText(V.Text, "nil"))
                    Prop.SetComponent(Target, nullptr);
                else
                    FFixups.push_back({Target, &Prop, V.Text, V.Line, V.Column});
                return;
            case tkMethod: {
                if (V.Kind != VK::vkIdent || V.Text.find('.') != std::string::npos)
                    BadValue(V, PropName);
                auto* owner = dynamic_cast<TComponent*>(Target);
                if (!owner) BadValue(V, PropName);
                const std::any* handler = FRoot->MethodAddress(V.Text);
                if (!handler) {
                    if (!FOptions.IgnoreMissingMethods)
                        ReadFail(V.Line, V.Column, "method '" + V.Text + "' not found");
                } else if (!Prop.SetMethod(Target, *handler)) {
                    ReadFail(V.Line, V.Column,
                             "method '" + V.Text + "' does not fit event " + PropName);
                }
                owner->SetEventMethodName(Prop.Name, V.Text);
                return;
            }
            case tkCollection: {
                if (V.Kind != VK::vkCollection) BadValue(V, PropName);
                auto* coll = dynamic_cast<TCollection*>(Prop.GetObject(Target));
                if (!coll) BadValue(V, PropName);
                coll->BeginUpdate();
                try {
                    coll->Clear();
                    for (const TItemNode& item : V.Items) {
                        TCollectionItem* ci = coll->Add();
                        for (const TPropNode& p : item.Props) ApplyProperty(ci, Component, p);
                    }
                } catch (...) {
                    coll->EndUpdate();
                    throw;
                }
                coll->EndUpdate();
                return;
            }
            case tkClass:
                BadValue(V, PropName);
        }
    }

    void ResolveFixup(const TFixup& F) {
        TComponent* target = nullptr;
        if (SameText(F.Target, FRoot->Name()))
            target = FRoot;
        else if (F.Target.find('.') == std::string::npos)
            target = FRoot->FindComponent(F.Target);
        if (!target) ReadFail(F.Line, F.Column, "component '" + F.Target + "' not found");
        Guard(F.Line, F.Column, [&] { F.Prop->SetComponent(F.Instance, target); });
    }

    TFormReadOptions FOptions;
    TComponent* FRoot = nullptr;
    std::vector<TComponent*> FCreated;
    std::vector<TComponent*> FLoading;
    std::vector<TFixup> FFixups;
};

TComponent* ReadComponentFromText(const std::string& Text, TComponent* Owner,
                                  const TFormReadOptions& Options) {
    TObjectNode root = TParser(Text).ParseFile();
    return TReader(Options).ReadNew(root, Owner);
}

TComponent* ReadComponentFromFile(const std::string& FileName, TComponent* Owner,
                                  const TFormReadOptions& Options) {
    return ReadComponentFromText(LoadTextFile(FileName), Owner, Options);
}

void LoadComponentFromText(TComponent* Root, const std::string& Text,
                           const TFormReadOptions& Options) {
    TObjectNode root = TParser(Text).ParseFile();
    TReader(Options).ReadInto(root, Root);
}

void LoadComponentFromFile(TComponent* Root, const std::string& FileName,
                           const TFormReadOptions& Options) {
    LoadComponentFromText(Root, LoadTextFile(FileName), Options);
}

// ---------------------------------------------------------------- 4. writer

namespace {

// Decodes one UTF-8 sequence at S[I]; returns its length, or 0 when the
// bytes there are not valid UTF-8.
size_t Utf8Length(const std::string& S, size_t I, uint32_t& Cp) {
    auto b = [&](size_t k) { return static_cast<unsigned char>(S[I + k]); };
    unsigned char c = b(0);
    size_t n = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
    if (n == 0 || I + n > S.size()) return 0;
    if (n == 1) {
        Cp = c;
        return 1;
    }
    Cp = c & (0x7F >> n);
    for (size_t k = 1; k < n; ++k) {
        if ((b(k) & 0xC0) != 0x80) return 0;
        Cp = (Cp << 6) | (b(k) & 0x3F);
    }
    static const uint32_t kMin[5] = {0, 0, 0x80, 0x800, 0x10000};
    if (Cp < kMin[n] || Cp > 0x10FFFF || (Cp >= 0xD800 && Cp <= 0xDFFF)) return 0;
    return n;
}

// Printable ASCII goes between quotes; every other character is written as
// #<code point> so the file stays plain ASCII. A byte that is not valid UTF-8
// is written as its own value.
std::string EncodeStringPiece(const std::string& S, size_t& I, size_t MaxChars) {
    std::string out;
    bool quoted = false;
    size_t chars = 0;
    while (I < S.size() && chars < MaxChars) {
        uint32_t cp;
        size_t n = Utf8Length(S, I, cp);
        if (n == 0) {
            cp = static_cast<unsigned char>(S[I]);
            n = 1;
        }
        if (cp >= 32 && cp < 127) {
            if (!quoted) out += '\'';
            quoted = true;
            out += static_cast<char>(cp);
            if (cp == '\'') out += '\'';
        } else {
            if (quoted) out += '\'';
            quoted = false;
            out += "#" + std::to_string(cp);
        }
        I += n;
        ++chars;
    }
    if (quoted) out += '\'';
    return out;
}

std::string EncodeString(const std::string& S, const std::string& Indent) {
    if (S.empty()) return "''";
    std::string out;
    size_t i = 0;
    while (i < S.size()) {
        if (!out.empty()) out += " +\n" + Indent;
        out += EncodeStringPiece(S, i, kStringPiece);
    }
    return out;
}

std::string EncodeFloat(double V) {
    if (std::isnan(V)) return "NAN";
    if (std::isinf(V)) return V < 0 ? "-INF" : "INF";
    char buf[64];
    auto r = std::to_chars(buf, buf + sizeof buf, V);
    std::string s(buf, r.ptr);
    size_t e = s.find('e');
    if (e == std::string::npos) {
        if (s.find('.') == std::string::npos) s += ".0";
        return s;
    }
    std::string mant = s.substr(0, e);
    int exp = std::atoi(s.c_str() + e + 1);
    return mant + "E" + std::to_string(exp);
}

class TWriter {
public:
    explicit TWriter(TComponent* Root) : FRoot(Root) {}

    std::string Write() {
        WriteObject(FRoot, "");
        return FOut;
    }

private:
    void Line(const std::string& Indent, const std::string& Text) {
        FOut += Indent;
        FOut += Text;
        FOut += "\n";
    }

    void WriteObject(TComponent* C, const std::string& Indent) {
        std::string header = "object ";
        header += C->Name().empty() ? C->ClassName() : C->Name() + ": " + C->ClassName();
        Line(Indent, header);
        WriteProperties(C, C, "", Indent + "  ");
        C->GetChildren([&](TComponent* child) { WriteObject(child, Indent + "  "); }, FRoot);
        Line(Indent, "end");
    }

    std::string ComponentRef(TComponent* Target) {
        if (Target == FRoot) return FRoot->Name();
        if (Target->Name().empty()) return {};
        if (Target->Owner() == FRoot || !Target->Owner()) return Target->Name();
        if (Target->Owner()->Name().empty()) return {};
        return Target->Owner()->Name() + "." + Target->Name();
    }

    void WriteProperties(TObject* Instance, TComponent* Component, const std::string& Prefix,
                         const std::string& Indent) {
        for (const TPropInfo* p : GetPropList(Instance)) {
            if (!p->Stored) continue;
            std::string name = Prefix + p->Name;
            switch (p->Kind) {
                case tkClass:
                    if (TPersistent* sub = p->GetObject(Instance))
                        WriteProperties(sub, Component, name + ".", Indent);
                    break;
                case tkCollection:
                    if (auto* coll = dynamic_cast<TCollection*>(p->GetObject(Instance)))
                        WriteCollection(name, coll, Component, Indent);
                    break;
                case tkStringList:
                    WriteLines(name, p->GetLines(Instance), Indent);
                    break;
                case tkBinary:
                    WriteBinary(name, p->GetStr(Instance), Indent);
                    break;
                case tkMethod: {
                    auto* owner = dynamic_cast<TComponent*>(Instance);
                    if (!owner) break;
                    std::string method = owner->EventMethodName(p->Name);
                    // A name kept without a handler (its code was absent when
                    // read) is written back as it came.
                    if (!method.empty() &&
                        (p->MethodAssigned(Instance) || !FRoot->MethodAddress(method)))
                        Line(Indent, name + " = " + method);
                    break;
                }
                case tkComponent: {
                    TComponent* target = p->GetComponent(Instance);
                    std::string ref = target ? ComponentRef(target) : std::string();
                    if (!ref.empty()) Line(Indent, name + " = " + ref);
                    break;
                }
                case tkFloat:
                    Line(Indent, name + " = " + EncodeFloat(p->GetFloat(Instance)));
                    break;
                case tkString:
                    Line(Indent, name + " = " + EncodeString(p->GetStr(Instance), Indent + "  "));
                    break;
                default: {
                    int64_t v = p->GetOrd(Instance);
                    if (p->DefaultOrd && *p->DefaultOrd == v) break;
                    Line(Indent, name + " = " + OrdinalText(*p, v));
                    break;
                }
            }
        }
    }

    static std::string OrdinalText(const TPropInfo& P, int64_t V) {
        switch (P.Kind) {
            case tkBool:
                return V ? "True" : "False";
            case tkEnumeration:
                return P.EnumType->NameOf(V);
            case tkSet: {
                std::string out = "[";
                auto bits = static_cast<uint64_t>(V);
                bool first = true;
                for (size_t i = 0; i < 64 && i < P.EnumType->Names.size(); ++i)
                    if (bits & (uint64_t{1} << i)) {
                        out += first ? "" : ", ";
                        out += P.EnumType->Names[i];
                        first = false;
                    }
                return out + "]";
            }
            case tkInteger: {
                std::string ident;
                if (!P.IdentType.empty() && IntToIdent(P.IdentType, V, ident)) return ident;
                // Colours and other unsigned values are written as the
                // platform's signed 32-bit numbers.
                if (P.Unsigned32)
                    return std::to_string(static_cast<int32_t>(static_cast<uint32_t>(V)));
                return std::to_string(V);
            }
            default:
                return std::to_string(V);
        }
    }

    void WriteLines(const std::string& Name, const std::vector<std::string>& Lines,
                    const std::string& Indent) {
        if (Lines.empty()) {
            Line(Indent, Name + " = ()");
            return;
        }
        Line(Indent, Name + " = (");
        for (size_t i = 0; i < Lines.size(); ++i)
            Line(Indent + "  ",
                 EncodeString(Lines[i], Indent + "    ") + (i + 1 == Lines.size() ? ")" : ""));
    }

    void WriteBinary(const std::string& Name, const std::string& Bytes, const std::string& Indent) {
        if (Bytes.empty()) {
            Line(Indent, Name + " = {}");
            return;
        }
        Line(Indent, Name + " = {");
        static const char* kHex = "0123456789ABCDEF";
        for (size_t i = 0; i < Bytes.size(); i += kBinaryBytesPerLine) {
            std::string hex;
            for (size_t k = i; k < Bytes.size() && k < i + kBinaryBytesPerLine; ++k) {
                auto b = static_cast<unsigned char>(Bytes[k]);
                hex += kHex[b >> 4];
                hex += kHex[b & 15];
            }
            if (i + kBinaryBytesPerLine >= Bytes.size()) hex += "}";
            Line(Indent + "  ", hex);
        }
    }

    void WriteCollection(const std::string& Name, TCollection* Coll, TComponent* Component,
                         const std::string& Indent) {
        if (Coll->Count() == 0) {
            Line(Indent, Name + " = <>");
            return;
        }
        Line(Indent, Name + " = <");
        for (int i = 0; i < Coll->Count(); ++i) {
            Line(Indent + "  ", "item");
            WriteProperties(Coll->Items(i), Component, "", Indent + "    ");
            Line(Indent + "  ", i + 1 == Coll->Count() ? "end>" : "end");
        }
    }

    TComponent* FRoot;
    std::string FOut;
};

}  // namespace

std::string WriteComponentToText(TComponent* Root) { return TWriter(Root).Write(); }

void WriteComponentToFile(TComponent* Root, const std::string& FileName) {
    SaveTextFile(FileName, WriteComponentToText(Root));
}

}  // namespace vcl
