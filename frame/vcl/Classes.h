// Persistent objects, components, streams, string lists and collections.
#pragma once

#include <any>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "vcl/System.h"

namespace vcl {

class TReader;

// Horizontal placement of a text in its box.
enum TAlignment : uint8_t { taLeftJustify, taRightJustify, taCenter };

// ---------------------------------------------------------------- TPersistent

class TPersistent : public TObject {
public:
    std::string ClassName() const override { return "TPersistent"; }

    // Copies Source into this object. The default hands the work to
    // Source->AssignTo(this); unrelated classes end in EConvertError
    // "Cannot assign a <source class> to a <destination class>".
    virtual void Assign(TPersistent* Source);

protected:
    virtual void AssignTo(TPersistent* Dest);
};

// ---------------------------------------------------------------- TComponent

enum TComponentStateItem : uint8_t {
    csLoading,
    csReading,
    csWriting,
    csDestroying,
    csDesigning,
    csAncestor,
    csUpdating,
    csFixups,
    csFreeNotification,
    csInline,
    csDesignInstance
};
using TComponentState = TSet<TComponentStateItem>;

enum TOperation : uint8_t { opInsert, opRemove };

// A component belongs to its owner, which frees it. Names are unique (ignoring
// case) among the components of one owner.
//
// Destruction: the owner frees its components in ~TComponent, after the
// destructors of derived classes ran. A class whose owned components call back
// into it while they die (a form whose controls leave their parent) calls
// DestroyComponents() first thing in its own destructor.
class TComponent : public TPersistent {
public:
    explicit TComponent(TComponent* AOwner);
    ~TComponent() override;
    std::string ClassName() const override { return "TComponent"; }

    TComponent* Owner() const { return FOwner; }

    const std::string& Name() const { return FName; }
    // Empty or a valid identifier, unique under the owner; otherwise
    // EComponentError "'<name>' is not a valid component name" or
    // "A component named <name> already exists".
    void SetName(const std::string& Value);

    intptr_t Tag() const { return FTag; }
    void SetTag(intptr_t Value) { FTag = Value; }

    TComponentState ComponentState() const { return FComponentState; }
    // Marks this component and all it owns as being in the form designer.
    void SetDesigning(bool Value, bool SetChildren = true);

    int ComponentCount() const { return static_cast<int>(FComponents.size()); }
    // EListError "List index out of bounds (<i>)" outside 0..ComponentCount-1.
    TComponent* Components(int Index) const;
    int ComponentIndex() const;
    // Owned component with that name (ignoring case), or nullptr.
    TComponent* FindComponent(const std::string& AName) const;

    void InsertComponent(TComponent* AComponent);
    void RemoveComponent(TComponent* AComponent);
    // Frees every owned component, last created first.
    void DestroyComponents();
    // Sets csDestroying here and in every owned component.
    void Destroying();

    // Asks AComponent to tell this one (through Notification opRemove) when
    // it dies, for links that cross owners.
    void FreeNotification(TComponent* AComponent);
    void RemoveFreeNotification(TComponent* AComponent);

    // The component a form file nests this one in (a control's parent); the
    // default has none. The reader calls SetParentComponent before it sets
    // any property of a nested object.
    virtual TComponent* GetParentComponent() const { return nullptr; }
    virtual bool HasParent() const { return false; }
    virtual void SetParentComponent(TComponent* Value);
    // The components the writer nests inside this one, in writing order. The
    // default gives the components of Root whose parent component is this
    // one; for Root itself also those without a parent component.
    virtual void GetChildren(const std::function<void(TComponent*)>& Proc, TComponent* Root);

    // Handlers that form files can name in event properties. The reader looks
    // them up on the root component; a handler's type must be exactly the
    // event's std::function type.
    template <class Sig>
    void RegisterMethod(const std::string& MethodName, std::function<Sig> Handler) {
        FMethods[MethodName] = std::move(Handler);
    }
    void RegisterMethod(const std::string& MethodName, TNotifyEvent Handler) {
        RegisterMethod<void(TObject*)>(MethodName, std::move(Handler));
    }
    // The registered handler (a std::any holding a std::function), or nullptr.
    virtual const std::any* MethodAddress(const std::string& MethodName) const;

    // Name of the method an event property was last bound to by a form file
    // (kept so the writer can write it back); empty when none.
    std::string EventMethodName(const std::string& PropName) const;
    void SetEventMethodName(const std::string& PropName, const std::string& MethodName);

protected:
    // Called once the form file reader has set every stored property of all
    // objects of the file. Overrides call the inherited Loaded, which clears
    // csLoading.
    virtual void Loaded();
    // AComponent entered or is leaving this component's owner tree, or is
    // dying after FreeNotification. Overrides clear pointers they hold to it
    // and call the inherited Notification, which passes it on to the owned
    // components.
    virtual void Notification(TComponent* AComponent, TOperation Operation);
    // Validates and checks the name is free under the owner.
    virtual void ValidateRename(TComponent* AComponent, const std::string& CurName,
                                const std::string& NewName);

private:
    friend class TReader;
    void SetLoading(bool Value);

    TComponent* FOwner = nullptr;
    std::string FName;
    intptr_t FTag = 0;
    TComponentState FComponentState;
    std::vector<TComponent*> FComponents;
    std::vector<TComponent*> FFreeNotifies;
    std::map<std::string, std::any> FMethods;
    std::map<std::string, std::string> FEventNames;
};

// ---------------------------------------------------------------- streams

enum TSeekOrigin : uint8_t { soBeginning, soCurrent, soEnd };

// File modes: one access mode or fmCreate, combined with a share mode (share
// modes are accepted and have no effect here).
constexpr uint16_t fmCreate = 0xFF00;
constexpr uint16_t fmOpenRead = 0x0000;
constexpr uint16_t fmOpenWrite = 0x0001;
constexpr uint16_t fmOpenReadWrite = 0x0002;
constexpr uint16_t fmShareCompat = 0x0000;
constexpr uint16_t fmShareExclusive = 0x0010;
constexpr uint16_t fmShareDenyWrite = 0x0020;
constexpr uint16_t fmShareDenyRead = 0x0030;
constexpr uint16_t fmShareDenyNone = 0x0040;

class TStream : public TObject {
public:
    std::string ClassName() const override { return "TStream"; }

    // Read and Write move at most Count bytes and return how many they moved.
    virtual int64_t Read(void* Buffer, int64_t Count) = 0;
    virtual int64_t Write(const void* Buffer, int64_t Count) = 0;
    virtual int64_t Seek(int64_t Offset, TSeekOrigin Origin) = 0;

    int64_t Position() { return Seek(0, soCurrent); }
    void SetPosition(int64_t Pos) { Seek(Pos, soBeginning); }
    virtual int64_t Size();
    virtual void SetSize(int64_t NewSize);

    // EReadError "Stream read error" / EWriteError "Stream write error" when
    // fewer than Count bytes move.
    void ReadBuffer(void* Buffer, int64_t Count);
    void WriteBuffer(const void* Buffer, int64_t Count);
    // Copies Count bytes from Source (all of it from its start when Count is
    // 0) and returns how many.
    int64_t CopyFrom(TStream& Source, int64_t Count);
};

// A stream over a block of memory that grows as it is written.
class TMemoryStream : public TStream {
public:
    std::string ClassName() const override { return "TMemoryStream"; }
    int64_t Read(void* Buffer, int64_t Count) override;
    int64_t Write(const void* Buffer, int64_t Count) override;
    int64_t Seek(int64_t Offset, TSeekOrigin Origin) override;
    int64_t Size() override { return static_cast<int64_t>(FData.size()); }
    void SetSize(int64_t NewSize) override;

    uint8_t* Memory() { return FData.data(); }
    const uint8_t* Memory() const { return FData.data(); }
    void Clear();
    void LoadFromStream(TStream& Stream);
    void SaveToStream(TStream& Stream);
    void LoadFromFile(const std::string& FileName);
    void SaveToFile(const std::string& FileName);

private:
    std::vector<uint8_t> FData;
    int64_t FPosition = 0;
};

// A stream whose bytes are a std::string.
class TStringStream : public TStream {
public:
    explicit TStringStream(std::string AString = {}) : FData(std::move(AString)) {}
    std::string ClassName() const override { return "TStringStream"; }
    int64_t Read(void* Buffer, int64_t Count) override;
    int64_t Write(const void* Buffer, int64_t Count) override;
    int64_t Seek(int64_t Offset, TSeekOrigin Origin) override;
    int64_t Size() override { return static_cast<int64_t>(FData.size()); }
    void SetSize(int64_t NewSize) override;

    const std::string& DataString() const { return FData; }
    std::string ReadString(int64_t Count);
    void WriteString(const std::string& S);

private:
    std::string FData;
    int64_t FPosition = 0;
};

// A file as a stream. Opening fails with EFOpenError "Cannot open file
// "<name>". <reason>", creating with EFCreateError "Cannot create file
// "<name>". <reason>".
class TFileStream : public TStream {
public:
    TFileStream(const std::string& FileName, uint16_t Mode);
    ~TFileStream() override;
    std::string ClassName() const override { return "TFileStream"; }
    int64_t Read(void* Buffer, int64_t Count) override;
    int64_t Write(const void* Buffer, int64_t Count) override;
    int64_t Seek(int64_t Offset, TSeekOrigin Origin) override;
    void SetSize(int64_t NewSize) override;
    const std::string& FileName() const { return FFileName; }

private:
    std::string FFileName;
    int FHandle = -1;
};

// Reads the rest of a stream into a string.
std::string ReadAllText(TStream& Stream);
// Writes Text to FileName through a temporary file that replaces the target
// only once complete; EFCreateError when it cannot be written.
void SaveTextFile(const std::string& FileName, const std::string& Text);
// EFOpenError when the file cannot be read.
std::string LoadTextFile(const std::string& FileName);

// ---------------------------------------------------------------- string lists

enum TDuplicates : uint8_t { dupIgnore, dupAccept, dupError };

// An ordered list of strings, each with an optional associated object (not
// owned unless OwnsObjects). Indexes outside the list raise EStringListError
// "List index out of bounds (<i>)".
class TStrings : public TPersistent {
public:
    std::string ClassName() const override { return "TStrings"; }
    void Assign(TPersistent* Source) override;

    virtual int Count() const = 0;
    virtual std::string Strings(int Index) const = 0;
    virtual void SetStrings(int Index, const std::string& S) = 0;
    virtual TObject* Objects(int Index) const = 0;
    virtual void SetObjects(int Index, TObject* AObject) = 0;
    virtual void Insert(int Index, const std::string& S) = 0;
    virtual void Delete(int Index) = 0;
    virtual void Clear() = 0;

    virtual int Add(const std::string& S);
    int AddObject(const std::string& S, TObject* AObject);
    void InsertObject(int Index, const std::string& S, TObject* AObject);
    void AddStrings(const TStrings& Strings);
    void Move(int CurIndex, int NewIndex);
    void Exchange(int Index1, int Index2);
    // Case-insensitive (or as the list's CaseSensitive says); -1 when absent.
    virtual int IndexOf(const std::string& S) const;
    int IndexOfName(const std::string& Name) const;
    int IndexOfObject(const TObject* AObject) const;

    // "name=value" lines.
    std::string Names(int Index) const;
    std::string ValueFromIndex(int Index) const;
    std::string Values(const std::string& Name) const;
    // An empty value removes the line.
    void SetValues(const std::string& Name, const std::string& Value);
    char NameValueSeparator() const { return FNameValueSeparator; }
    void SetNameValueSeparator(char Value) { FNameValueSeparator = Value; }

    // Lines joined by LineBreak (CRLF by default), each line followed by it.
    // SetText splits at CRLF, LF or CR.
    std::string Text() const;
    void SetText(const std::string& Value);
    const std::string& LineBreak() const { return FLineBreak; }
    void SetLineBreak(const std::string& Value) { FLineBreak = Value; }

    // Items joined by Delimiter; items holding blanks, quotes, the delimiter
    // or control characters are quoted with QuoteChar (inner quotes doubled).
    // SetDelimitedText splits at Delimiter (and at blanks unless
    // StrictDelimiter) and unquotes.
    std::string DelimitedText() const;
    void SetDelimitedText(const std::string& Value);
    std::string CommaText() const;
    void SetCommaText(const std::string& Value);
    char Delimiter() const { return FDelimiter; }
    void SetDelimiter(char Value) { FDelimiter = Value; }
    char QuoteChar() const { return FQuoteChar; }
    void SetQuoteChar(char Value) { FQuoteChar = Value; }
    bool StrictDelimiter() const { return FStrictDelimiter; }
    void SetStrictDelimiter(bool Value) { FStrictDelimiter = Value; }

    bool CaseSensitive() const { return FCaseSensitive; }
    virtual void SetCaseSensitive(bool Value) { FCaseSensitive = Value; }

    // Reads UTF-8 text (a byte-order mark is skipped) and replaces the list
    // only once the whole input was read.
    void LoadFromStream(TStream& Stream);
    void LoadFromFile(const std::string& FileName);
    void SaveToStream(TStream& Stream) const;
    // Replaces the file only once the new content is complete.
    void SaveToFile(const std::string& FileName) const;

    void BeginUpdate();
    void EndUpdate();
    int UpdateCount() const { return FUpdateCount; }

    std::vector<std::string> ToVector() const;
    void SetFromVector(const std::vector<std::string>& Lines);

protected:
    virtual void SetUpdateState(bool) {}
    int CompareStrings(const std::string& A, const std::string& B) const;

private:
    char FDelimiter = ',';
    char FQuoteChar = '"';
    char FNameValueSeparator = '=';
    bool FStrictDelimiter = false;
    bool FCaseSensitive = false;
    std::string FLineBreak = "\r\n";
    int FUpdateCount = 0;
};

class TStringList : public TStrings {
public:
    TStringList() = default;
    explicit TStringList(bool OwnsObjects) : FOwnsObjects(OwnsObjects) {}
    ~TStringList() override;
    std::string ClassName() const override { return "TStringList"; }

    int Count() const override { return static_cast<int>(FItems.size()); }
    std::string Strings(int Index) const override;
    void SetStrings(int Index, const std::string& S) override;
    TObject* Objects(int Index) const override;
    void SetObjects(int Index, TObject* AObject) override;
    void Insert(int Index, const std::string& S) override;
    void Delete(int Index) override;
    void Clear() override;
    // In a sorted list, Add inserts at the sorted place and honours
    // Duplicates (dupError raises EStringListError
    // "String list does not allow duplicates").
    int Add(const std::string& S) override;
    int IndexOf(const std::string& S) const override;
    void SetCaseSensitive(bool Value) override;

    // Stable sort with CompareStrings (or a custom comparison < 0 / 0 / > 0).
    virtual void Sort();
    void CustomSort(const std::function<int(TStringList& List, int Index1, int Index2)>& Compare);
    // Binary search of a sorted list: true and the index when found,
    // otherwise false and the insertion index.
    bool Find(const std::string& S, int& Index) const;
    bool Sorted() const { return FSorted; }
    void SetSorted(bool Value);
    TDuplicates Duplicates() const { return FDuplicates; }
    void SetDuplicates(TDuplicates Value) { FDuplicates = Value; }
    bool OwnsObjects() const { return FOwnsObjects; }
    void SetOwnsObjects(bool Value) { FOwnsObjects = Value; }

    TNotifyEvent OnChange;
    TNotifyEvent OnChanging;

protected:
    void SetUpdateState(bool Updating) override;
    void Changed();
    void Changing();

private:
    struct TItem {
        std::string S;
        TObject* Obj = nullptr;
    };
    void CheckIndex(int Index, bool AllowEnd = false) const;
    std::vector<TItem> FItems;
    bool FSorted = false;
    bool FOwnsObjects = false;
    TDuplicates FDuplicates = dupIgnore;
};

// ---------------------------------------------------------------- collections

class TCollection;

class TCollectionItem : public TPersistent {
public:
    explicit TCollectionItem(TCollection* Collection) : FCollection(Collection) {}
    std::string ClassName() const override { return "TCollectionItem"; }
    TCollection* Collection() const { return FCollection; }
    int Index() const;

private:
    TCollection* FCollection;
};

// An owned, ordered list of items of one class; the form file writes it as
// `< item ... end >`.
class TCollection : public TPersistent {
public:
    using TItemFactory = std::function<TCollectionItem*(TCollection*)>;
    explicit TCollection(TItemFactory Factory);
    ~TCollection() override;
    std::string ClassName() const override { return "TCollection"; }
    // Same class of items: the items are copied with their Assign.
    void Assign(TPersistent* Source) override;

    int Count() const { return static_cast<int>(FItems.size()); }
    // EListError "List index out of bounds (<i>)" outside the list.
    TCollectionItem* Items(int Index) const;
    TCollectionItem* Add();
    TCollectionItem* Insert(int Index);
    void Delete(int Index);
    void Clear();
    void BeginUpdate() { ++FUpdateCount; }
    void EndUpdate();

    TNotifyEvent OnChange;

protected:
    void Changed();

private:
    TItemFactory FFactory;
    std::vector<std::unique_ptr<TCollectionItem>> FItems;
    int FUpdateCount = 0;
};

}  // namespace vcl
