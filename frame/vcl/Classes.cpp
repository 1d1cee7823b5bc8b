#include "vcl/Classes.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "vcl/SysUtils.h"

namespace vcl {

namespace {

[[noreturn]] void ListIndexError(int Index) {
    throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
}

}  // namespace

// ---------------------------------------------------------------- TPersistent

void TPersistent::Assign(TPersistent* Source) {
    if (Source) {
        Source->AssignTo(this);
        return;
    }
    throw EConvertError("Cannot assign a nil to a " + ClassName());
}

void TPersistent::AssignTo(TPersistent* Dest) {
    throw EConvertError("Cannot assign a " + ClassName() + " to a " + Dest->ClassName());
}

// ---------------------------------------------------------------- TComponent

TComponent::TComponent(TComponent* AOwner) {
    if (AOwner) AOwner->InsertComponent(this);
}

TComponent::~TComponent() {
    Destroying();
    // Tell everyone holding a cross-owner link first: they may still look at
    // this component's name while they let go of it.
    while (!FFreeNotifies.empty()) {
        TComponent* other = FFreeNotifies.back();
        FFreeNotifies.pop_back();
        std::erase(other->FFreeNotifies, this);
        other->Notification(this, opRemove);
    }
    DestroyComponents();
    if (FOwner) FOwner->RemoveComponent(this);
}

void TComponent::Destroying() {
    if (FComponentState.Contains(csDestroying)) return;
    FComponentState.Include(csDestroying);
    for (TComponent* c : FComponents) c->Destroying();
}

void TComponent::DestroyComponents() {
    while (!FComponents.empty()) {
        TComponent* c = FComponents.back();
        RemoveComponent(c);
        delete c;
    }
}

void TComponent::InsertComponent(TComponent* AComponent) {
    if (!AComponent || AComponent->FOwner == this) return;
    ValidateRename(AComponent, "", AComponent->FName);
    if (AComponent->FOwner) AComponent->FOwner->RemoveComponent(AComponent);
    FComponents.push_back(AComponent);
    AComponent->FOwner = this;
    Notification(AComponent, opInsert);
}

void TComponent::RemoveComponent(TComponent* AComponent) {
    auto it = std::find(FComponents.begin(), FComponents.end(), AComponent);
    if (it == FComponents.end()) return;
    Notification(AComponent, opRemove);
    // Notification may have removed it again through a nested call.
    it = std::find(FComponents.begin(), FComponents.end(), AComponent);
    if (it != FComponents.end()) FComponents.erase(it);
    AComponent->FOwner = nullptr;
}

TComponent* TComponent::Components(int Index) const {
    if (Index < 0 || Index >= ComponentCount()) ListIndexError(Index);
    return FComponents[static_cast<size_t>(Index)];
}

int TComponent::ComponentIndex() const {
    if (!FOwner) return -1;
    auto& list = FOwner->FComponents;
    auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

TComponent* TComponent::FindComponent(const std::string& AName) const {
    if (AName.empty()) return nullptr;
    for (TComponent* c : FComponents)
        if (SameText(c->FName, AName)) return c;
    return nullptr;
}

void TComponent::ValidateRename(TComponent* AComponent, const std::string& CurName,
                                const std::string& NewName) {
    if (NewName.empty() || SameText(CurName, NewName)) return;
    TComponent* other = FindComponent(NewName);
    if (other && other != AComponent)
        throw EComponentError("A component named " + NewName + " already exists");
}

void TComponent::SetName(const std::string& Value) {
    if (FName == Value) return;
    if (!Value.empty() && !IsValidIdent(Value))
        throw EComponentError("'" + Value + "' is not a valid component name");
    if (FOwner) FOwner->ValidateRename(this, FName, Value);
    FName = Value;
}

void TComponent::SetDesigning(bool Value, bool SetChildren) {
    if (Value)
        FComponentState.Include(csDesigning);
    else
        FComponentState.Exclude(csDesigning);
    if (SetChildren)
        for (TComponent* c : FComponents) c->SetDesigning(Value, true);
}

void TComponent::SetLoading(bool Value) {
    if (Value) {
        FComponentState.Include(csLoading);
        FComponentState.Include(csReading);
    } else {
        FComponentState.Exclude(csLoading);
        FComponentState.Exclude(csReading);
    }
}

void TComponent::Loaded() { FComponentState.Exclude(csLoading); }

void TComponent::Notification(TComponent* AComponent, TOperation Operation) {
    if (Operation == opRemove && AComponent) {
        std::erase(FFreeNotifies, AComponent);
    }
    // Pass the news down so owned components can drop their links too.
    for (size_t i = 0; i < FComponents.size(); ++i) {
        TComponent* c = FComponents[i];
        if (c != AComponent) c->Notification(AComponent, Operation);
    }
}

void TComponent::FreeNotification(TComponent* AComponent) {
    if (!AComponent || AComponent == this) return;
    if (std::find(FFreeNotifies.begin(), FFreeNotifies.end(), AComponent) == FFreeNotifies.end())
        FFreeNotifies.push_back(AComponent);
    if (std::find(AComponent->FFreeNotifies.begin(), AComponent->FFreeNotifies.end(), this) ==
        AComponent->FFreeNotifies.end())
        AComponent->FFreeNotifies.push_back(this);
    FComponentState.Include(csFreeNotification);
}

void TComponent::RemoveFreeNotification(TComponent* AComponent) {
    if (!AComponent) return;
    std::erase(FFreeNotifies, AComponent);
    std::erase(AComponent->FFreeNotifies, this);
}

void TComponent::SetParentComponent(TComponent*) {}

void TComponent::GetChildren(const std::function<void(TComponent*)>& Proc, TComponent* Root) {
    if (!Root) return;
    for (TComponent* c : Root->FComponents) {
        TComponent* parent = c->GetParentComponent();
        if (parent == this || (this == Root && parent == nullptr)) Proc(c);
    }
}

const std::any* TComponent::MethodAddress(const std::string& MethodName) const {
    auto it = FMethods.find(MethodName);
    return it == FMethods.end() ? nullptr : &it->second;
}

std::string TComponent::EventMethodName(const std::string& PropName) const {
    auto it = FEventNames.find(PropName);
    return it == FEventNames.end() ? std::string() : it->second;
}

void TComponent::SetEventMethodName(const std::string& PropName, const std::string& MethodName) {
    if (MethodName.empty())
        FEventNames.erase(PropName);
    else
        FEventNames[PropName] = MethodName;
}

// ---------------------------------------------------------------- TStream

int64_t TStream::Size() {
    int64_t pos = Seek(0, soCurrent);
    int64_t end = Seek(0, soEnd);
    Seek(pos, soBeginning);
    return end;
}

void TStream::SetSize(int64_t) { throw EStreamError(ClassName() + " cannot change its size"); }

void TStream::ReadBuffer(void* Buffer, int64_t Count) {
    if (Count > 0 && Read(Buffer, Count) != Count) throw EReadError("Stream read error");
}

void TStream::WriteBuffer(const void* Buffer, int64_t Count) {
    if (Count > 0 && Write(Buffer, Count) != Count) throw EWriteError("Stream write error");
}

int64_t TStream::CopyFrom(TStream& Source, int64_t Count) {
    if (Count == 0) {
        Source.SetPosition(0);
        Count = Source.Size();
    }
    std::vector<uint8_t> buf(static_cast<size_t>(std::min<int64_t>(Count, 65536)));
    int64_t done = 0;
    while (done < Count) {
        int64_t n = std::min<int64_t>(Count - done, static_cast<int64_t>(buf.size()));
        Source.ReadBuffer(buf.data(), n);
        WriteBuffer(buf.data(), n);
        done += n;
    }
    return done;
}

namespace {

// Shared seek arithmetic of the in-memory streams: no position before 0.
int64_t SeekTo(int64_t Current, int64_t Size, int64_t Offset, TSeekOrigin Origin) {
    int64_t base = Origin == soBeginning ? 0 : Origin == soCurrent ? Current : Size;
    int64_t pos = base + Offset;
    return pos < 0 ? 0 : pos;
}

}  // namespace

// ---------------------------------------------------------------- TMemoryStream

int64_t TMemoryStream::Read(void* Buffer, int64_t Count) {
    int64_t avail = Size() - FPosition;
    int64_t n = std::max<int64_t>(0, std::min(Count, avail));
    if (n > 0) std::memcpy(Buffer, FData.data() + FPosition, static_cast<size_t>(n));
    FPosition += n;
    return n;
}

int64_t TMemoryStream::Write(const void* Buffer, int64_t Count) {
    if (Count <= 0) return 0;
    if (FPosition + Count > Size()) FData.resize(static_cast<size_t>(FPosition + Count));
    std::memcpy(FData.data() + FPosition, Buffer, static_cast<size_t>(Count));
    FPosition += Count;
    return Count;
}

int64_t TMemoryStream::Seek(int64_t Offset, TSeekOrigin Origin) {
    FPosition = SeekTo(FPosition, Size(), Offset, Origin);
    return FPosition;
}

void TMemoryStream::SetSize(int64_t NewSize) {
    FData.resize(static_cast<size_t>(std::max<int64_t>(0, NewSize)));
    FPosition = std::min(FPosition, Size());
}

void TMemoryStream::Clear() {
    FData.clear();
    FPosition = 0;
}

void TMemoryStream::LoadFromStream(TStream& Stream) {
    Stream.SetPosition(0);
    int64_t n = Stream.Size();
    std::vector<uint8_t> data(static_cast<size_t>(n));
    Stream.ReadBuffer(data.data(), n);
    FData = std::move(data);
    FPosition = 0;
}

void TMemoryStream::SaveToStream(TStream& Stream) { Stream.WriteBuffer(FData.data(), Size()); }

void TMemoryStream::LoadFromFile(const std::string& FileName) {
    TFileStream f(FileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(f);
}

void TMemoryStream::SaveToFile(const std::string& FileName) {
    SaveTextFile(FileName, std::string(FData.begin(), FData.end()));
}

// ---------------------------------------------------------------- TStringStream

int64_t TStringStream::Read(void* Buffer, int64_t Count) {
    int64_t avail = Size() - FPosition;
    int64_t n = std::max<int64_t>(0, std::min(Count, avail));
    if (n > 0) std::memcpy(Buffer, FData.data() + FPosition, static_cast<size_t>(n));
    FPosition += n;
    return n;
}

int64_t TStringStream::Write(const void* Buffer, int64_t Count) {
    if (Count <= 0) return 0;
    if (FPosition + Count > Size()) FData.resize(static_cast<size_t>(FPosition + Count));
    std::memcpy(FData.data() + FPosition, Buffer, static_cast<size_t>(Count));
    FPosition += Count;
    return Count;
}

int64_t TStringStream::Seek(int64_t Offset, TSeekOrigin Origin) {
    FPosition = SeekTo(FPosition, Size(), Offset, Origin);
    return FPosition;
}

void TStringStream::SetSize(int64_t NewSize) {
    FData.resize(static_cast<size_t>(std::max<int64_t>(0, NewSize)));
    FPosition = std::min(FPosition, Size());
}

std::string TStringStream::ReadString(int64_t Count) {
    int64_t n = std::max<int64_t>(0, std::min(Count, Size() - FPosition));
    std::string s = FData.substr(static_cast<size_t>(FPosition), static_cast<size_t>(n));
    FPosition += n;
    return s;
}

void TStringStream::WriteString(const std::string& S) {
    Write(S.data(), static_cast<int64_t>(S.size()));
}

// ---------------------------------------------------------------- TFileStream

TFileStream::TFileStream(const std::string& FileName, uint16_t Mode) : FFileName(FileName) {
    if ((Mode & fmCreate) == fmCreate) {
        FHandle = ::open(FileName.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        if (FHandle < 0)
            throw EFCreateError("Cannot create file \"" + FileName + "\". " + std::strerror(errno));
        return;
    }
    int flags = O_CLOEXEC;
    switch (Mode & 0x3) {
        case fmOpenWrite:
            flags |= O_WRONLY;
            break;
        case fmOpenReadWrite:
            flags |= O_RDWR;
            break;
        default:
            flags |= O_RDONLY;
            break;
    }
    FHandle = ::open(FileName.c_str(), flags);
    if (FHandle >= 0) {
        struct stat st {};
        if (::fstat(FHandle, &st) == 0 && S_ISDIR(st.st_mode)) {
            ::close(FHandle);
            FHandle = -1;
            errno = EISDIR;
        }
    }
    if (FHandle < 0)
        throw EFOpenError("Cannot open file \"" + FileName + "\". " + std::strerror(errno));
}

TFileStream::~TFileStream() {
    if (FHandle >= 0) ::close(FHandle);
}

int64_t TFileStream::Read(void* Buffer, int64_t Count) {
    int64_t done = 0;
    auto* p = static_cast<uint8_t*>(Buffer);
    while (done < Count) {
        ssize_t n = ::read(FHandle, p + done, static_cast<size_t>(Count - done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        done += n;
    }
    return done;
}

int64_t TFileStream::Write(const void* Buffer, int64_t Count) {
    int64_t done = 0;
    auto* p = static_cast<const uint8_t*>(Buffer);
    while (done < Count) {
        ssize_t n = ::write(FHandle, p + done, static_cast<size_t>(Count - done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        done += n;
    }
    return done;
}

int64_t TFileStream::Seek(int64_t Offset, TSeekOrigin Origin) {
    int whence = Origin == soBeginning ? SEEK_SET : Origin == soCurrent ? SEEK_CUR : SEEK_END;
    off_t r = ::lseek(FHandle, static_cast<off_t>(Offset), whence);
    if (r < 0) throw EStreamError("Seek error on \"" + FFileName + "\"");
    return r;
}

void TFileStream::SetSize(int64_t NewSize) {
    if (::ftruncate(FHandle, static_cast<off_t>(NewSize)) != 0)
        throw EStreamError("Cannot change the size of \"" + FFileName + "\"");
    if (Position() > NewSize) SetPosition(NewSize);
}

// ---------------------------------------------------------------- text files

std::string ReadAllText(TStream& Stream) {
    std::string out;
    // Reserving what is left spares the repeated copying of a growing string;
    // the loop still reads until the stream ends, whatever Size() claimed.
    const int64_t left = Stream.Size() - Stream.Position();
    if (left > 0) out.reserve(static_cast<size_t>(std::min<int64_t>(left, int64_t{1} << 30)));
    char buf[65536];
    for (;;) {
        int64_t n = Stream.Read(buf, sizeof buf);
        if (n <= 0) break;
        out.append(buf, static_cast<size_t>(n));
    }
    return out;
}

std::string LoadTextFile(const std::string& FileName) {
    TFileStream f(FileName, fmOpenRead | fmShareDenyWrite);
    return ReadAllText(f);
}

void SaveTextFile(const std::string& FileName, const std::string& Text) {
    std::string tmp = FileName + ".tmp" + std::to_string(::getpid());
    try {
        TFileStream f(tmp, fmCreate);
        f.WriteBuffer(Text.data(), static_cast<int64_t>(Text.size()));
    } catch (const EStreamError& e) {
        ::unlink(tmp.c_str());
        throw EFCreateError("Cannot create file \"" + FileName + "\". " + e.Message());
    }
    if (::rename(tmp.c_str(), FileName.c_str()) != 0) {
        std::string reason = std::strerror(errno);
        ::unlink(tmp.c_str());
        throw EFCreateError("Cannot create file \"" + FileName + "\". " + reason);
    }
}

// ---------------------------------------------------------------- TStrings

void TStrings::Assign(TPersistent* Source) {
    if (auto* src = dynamic_cast<TStrings*>(Source)) {
        if (src == this) return;
        BeginUpdate();
        try {
            Clear();
            AddStrings(*src);
        } catch (...) {
            EndUpdate();
            throw;
        }
        EndUpdate();
        return;
    }
    TPersistent::Assign(Source);
}

int TStrings::Add(const std::string& S) {
    int i = Count();
    Insert(i, S);
    return i;
}

int TStrings::AddObject(const std::string& S, TObject* AObject) {
    int i = Add(S);
    SetObjects(i, AObject);
    return i;
}

void TStrings::InsertObject(int Index, const std::string& S, TObject* AObject) {
    Insert(Index, S);
    SetObjects(Index, AObject);
}

void TStrings::AddStrings(const TStrings& Strings) {
    int n = Strings.Count();
    for (int i = 0; i < n; ++i) AddObject(Strings.Strings(i), Strings.Objects(i));
}

void TStrings::Move(int CurIndex, int NewIndex) {
    if (CurIndex == NewIndex) return;
    std::string s = Strings(CurIndex);
    TObject* o = Objects(CurIndex);
    SetObjects(CurIndex, nullptr);
    Delete(CurIndex);
    InsertObject(NewIndex, s, o);
}

void TStrings::Exchange(int Index1, int Index2) {
    std::string s1 = Strings(Index1);
    TObject* o1 = Objects(Index1);
    std::string s2 = Strings(Index2);
    TObject* o2 = Objects(Index2);
    SetStrings(Index1, s2);
    SetObjects(Index1, o2);
    SetStrings(Index2, s1);
    SetObjects(Index2, o1);
}

int TStrings::CompareStrings(const std::string& A, const std::string& B) const {
    return FCaseSensitive ? CompareStr(A, B) : CompareText(A, B);
}

int TStrings::IndexOf(const std::string& S) const {
    int n = Count();
    for (int i = 0; i < n; ++i)
        if (CompareStrings(Strings(i), S) == 0) return i;
    return -1;
}

int TStrings::IndexOfName(const std::string& Name) const {
    int n = Count();
    for (int i = 0; i < n; ++i) {
        std::string s = Strings(i);
        size_t p = s.find(FNameValueSeparator);
        if (p != std::string::npos && CompareStrings(s.substr(0, p), Name) == 0) return i;
    }
    return -1;
}

int TStrings::IndexOfObject(const TObject* AObject) const {
    int n = Count();
    for (int i = 0; i < n; ++i)
        if (Objects(i) == AObject) return i;
    return -1;
}

std::string TStrings::Names(int Index) const {
    std::string s = Strings(Index);
    size_t p = s.find(FNameValueSeparator);
    return p == std::string::npos ? std::string() : s.substr(0, p);
}

std::string TStrings::ValueFromIndex(int Index) const {
    std::string s = Strings(Index);
    size_t p = s.find(FNameValueSeparator);
    return p == std::string::npos ? std::string() : s.substr(p + 1);
}

std::string TStrings::Values(const std::string& Name) const {
    int i = IndexOfName(Name);
    return i < 0 ? std::string() : ValueFromIndex(i);
}

void TStrings::SetValues(const std::string& Name, const std::string& Value) {
    int i = IndexOfName(Name);
    if (Value.empty()) {
        if (i >= 0) Delete(i);
        return;
    }
    std::string line = Name + FNameValueSeparator + Value;
    if (i < 0)
        Add(line);
    else
        SetStrings(i, line);
}

std::string TStrings::Text() const {
    std::string out;
    int n = Count();
    for (int i = 0; i < n; ++i) {
        out += Strings(i);
        out += FLineBreak;
    }
    return out;
}

void TStrings::SetText(const std::string& Value) {
    std::vector<std::string> lines;
    size_t i = 0;
    while (i < Value.size()) {
        size_t j = Value.find_first_of("\r\n", i);
        if (j == std::string::npos) {
            lines.push_back(Value.substr(i));
            break;
        }
        lines.push_back(Value.substr(i, j - i));
        i = j + 1;
        if (Value[j] == '\r' && i < Value.size() && Value[i] == '\n') ++i;
    }
    SetFromVector(lines);
}

std::vector<std::string> TStrings::ToVector() const {
    std::vector<std::string> v;
    int n = Count();
    v.reserve(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) v.push_back(Strings(i));
    return v;
}

void TStrings::SetFromVector(const std::vector<std::string>& Lines) {
    BeginUpdate();
    try {
        Clear();
        for (const auto& l : Lines) Add(l);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

std::string TStrings::DelimitedText() const {
    std::string out;
    int n = Count();
    for (int i = 0; i < n; ++i) {
        std::string s = Strings(i);
        bool quote = s.empty() && n == 1;
        for (unsigned char c : s)
            if (c == static_cast<unsigned char>(FQuoteChar) ||
                c == static_cast<unsigned char>(FDelimiter) || (!FStrictDelimiter && c <= ' '))
                quote = true;
        if (i > 0) out += FDelimiter;
        out += quote ? QuotedStr(s, FQuoteChar) : s;
    }
    return out;
}

void TStrings::SetDelimitedText(const std::string& Value) {
    std::vector<std::string> items;
    size_t i = 0, n = Value.size();
    auto isBlank = [&](char c) {
        return !FStrictDelimiter && static_cast<unsigned char>(c) <= ' ';
    };
    while (i < n && isBlank(Value[i])) ++i;
    while (i < n) {
        std::string item;
        if (Value[i] == FQuoteChar) {
            ++i;
            while (i < n) {
                if (Value[i] == FQuoteChar) {
                    if (i + 1 < n && Value[i + 1] == FQuoteChar) {
                        item += FQuoteChar;
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                item += Value[i++];
            }
        } else {
            while (i < n && Value[i] != FDelimiter && !isBlank(Value[i])) item += Value[i++];
        }
        items.push_back(item);
        while (i < n && isBlank(Value[i])) ++i;
        if (i < n && Value[i] == FDelimiter) {
            ++i;
            while (i < n && isBlank(Value[i])) ++i;
            // A delimiter at the very end stands for one more, empty item.
            if (i == n) items.emplace_back();
        }
    }
    SetFromVector(items);
}

std::string TStrings::CommaText() const {
    if (FDelimiter == ',' && FQuoteChar == '"' && !FStrictDelimiter) return DelimitedText();
    TStringList copy;
    copy.AddStrings(*this);
    return copy.DelimitedText();
}

void TStrings::SetCommaText(const std::string& Value) {
    TStringList parsed;
    parsed.SetDelimitedText(Value);
    SetFromVector(parsed.ToVector());
}

void TStrings::LoadFromStream(TStream& Stream) {
    std::string text = ReadAllText(Stream);
    if (text.size() >= 3 && text.compare(0, 3, "\xEF\xBB\xBF") == 0) text.erase(0, 3);
    SetText(text);
}

void TStrings::LoadFromFile(const std::string& FileName) {
    TFileStream f(FileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(f);
}

void TStrings::SaveToStream(TStream& Stream) const {
    std::string t = Text();
    Stream.WriteBuffer(t.data(), static_cast<int64_t>(t.size()));
}

void TStrings::SaveToFile(const std::string& FileName) const { SaveTextFile(FileName, Text()); }

void TStrings::BeginUpdate() {
    if (FUpdateCount++ == 0) SetUpdateState(true);
}

void TStrings::EndUpdate() {
    if (FUpdateCount > 0 && --FUpdateCount == 0) SetUpdateState(false);
}

// ---------------------------------------------------------------- TStringList

TStringList::~TStringList() {
    if (FOwnsObjects)
        for (auto& it : FItems) delete it.Obj;
}

void TStringList::CheckIndex(int Index, bool AllowEnd) const {
    if (Index < 0 || Index > Count() || (!AllowEnd && Index == Count()))
        throw EStringListError("List index out of bounds (" + std::to_string(Index) + ")");
}

std::string TStringList::Strings(int Index) const {
    CheckIndex(Index);
    return FItems[static_cast<size_t>(Index)].S;
}

void TStringList::SetStrings(int Index, const std::string& S) {
    CheckIndex(Index);
    if (FSorted) throw EStringListError("Operation not allowed on sorted list");
    Changing();
    FItems[static_cast<size_t>(Index)].S = S;
    Changed();
}

TObject* TStringList::Objects(int Index) const {
    CheckIndex(Index);
    return FItems[static_cast<size_t>(Index)].Obj;
}

void TStringList::SetObjects(int Index, TObject* AObject) {
    CheckIndex(Index);
    auto& item = FItems[static_cast<size_t>(Index)];
    if (item.Obj == AObject) return;
    Changing();
    if (FOwnsObjects) delete item.Obj;
    item.Obj = AObject;
    Changed();
}

void TStringList::Insert(int Index, const std::string& S) {
    CheckIndex(Index, true);
    if (FSorted) throw EStringListError("Operation not allowed on sorted list");
    Changing();
    FItems.insert(FItems.begin() + Index, TItem{S, nullptr});
    Changed();
}

int TStringList::Add(const std::string& S) {
    if (!FSorted) return TStrings::Add(S);
    int index;
    if (Find(S, index)) {
        if (FDuplicates == dupIgnore) return index;
        if (FDuplicates == dupError)
            throw EStringListError("String list does not allow duplicates");
    }
    Changing();
    FItems.insert(FItems.begin() + index, TItem{S, nullptr});
    Changed();
    return index;
}

void TStringList::Delete(int Index) {
    CheckIndex(Index);
    Changing();
    TObject* obj = FItems[static_cast<size_t>(Index)].Obj;
    FItems.erase(FItems.begin() + Index);
    if (FOwnsObjects) delete obj;
    Changed();
}

void TStringList::Clear() {
    if (FItems.empty()) return;
    Changing();
    std::vector<TItem> old;
    old.swap(FItems);
    if (FOwnsObjects)
        for (auto& it : old) delete it.Obj;
    Changed();
}

int TStringList::IndexOf(const std::string& S) const {
    if (!FSorted) return TStrings::IndexOf(S);
    int index;
    return Find(S, index) ? index : -1;
}

void TStringList::SetCaseSensitive(bool Value) {
    if (Value == CaseSensitive()) return;
    TStrings::SetCaseSensitive(Value);
    if (FSorted) Sort();
}

bool TStringList::Find(const std::string& S, int& Index) const {
    int lo = 0, hi = Count() - 1;
    bool found = false;
    while (lo <= hi) {
        int mid = lo + (hi - lo) / 2;
        int c = CompareStrings(FItems[static_cast<size_t>(mid)].S, S);
        if (c < 0) {
            lo = mid + 1;
        } else {
            hi = mid - 1;
            if (c == 0) {
                found = true;
                // Duplicates: report the first one.
                if (FDuplicates != dupAccept) lo = mid;
            }
        }
    }
    Index = lo;
    return found;
}

void TStringList::Sort() {
    Changing();
    std::stable_sort(FItems.begin(), FItems.end(), [this](const TItem& a, const TItem& b) {
        return CompareStrings(a.S, b.S) < 0;
    });
    Changed();
}

void TStringList::CustomSort(
    const std::function<int(TStringList& List, int Index1, int Index2)>& Compare) {
    // The comparison works on indexes, so sort a permutation and apply it.
    std::vector<int> order(FItems.size());
    for (size_t i = 0; i < order.size(); ++i) order[i] = static_cast<int>(i);
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return Compare(*this, a, b) < 0; });
    Changing();
    std::vector<TItem> sorted;
    sorted.reserve(FItems.size());
    for (int i : order) sorted.push_back(std::move(FItems[static_cast<size_t>(i)]));
    FItems = std::move(sorted);
    Changed();
}

void TStringList::SetSorted(bool Value) {
    if (FSorted == Value) return;
    if (Value) Sort();
    FSorted = Value;
}

void TStringList::SetUpdateState(bool Updating) {
    if (Updating)
        Changing();
    else
        Changed();
}

void TStringList::Changing() {
    if (UpdateCount() == 0 && OnChanging) OnChanging(this);
}

void TStringList::Changed() {
    if (UpdateCount() == 0 && OnChange) OnChange(this);
}

// ---------------------------------------------------------------- collections

int TCollectionItem::Index() const {
    if (!FCollection) return -1;
    for (int i = 0; i < FCollection->Count(); ++i)
        if (FCollection->Items(i) == this) return i;
    return -1;
}

TCollection::TCollection(TItemFactory Factory) : FFactory(std::move(Factory)) {}

TCollection::~TCollection() = default;

void TCollection::Assign(TPersistent* Source) {
    auto* src = dynamic_cast<TCollection*>(Source);
    if (!src) {
        TPersistent::Assign(Source);
        return;
    }
    if (src == this) return;
    BeginUpdate();
    try {
        Clear();
        for (int i = 0; i < src->Count(); ++i) Add()->Assign(src->Items(i));
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

TCollectionItem* TCollection::Items(int Index) const {
    if (Index < 0 || Index >= Count()) ListIndexError(Index);
    return FItems[static_cast<size_t>(Index)].get();
}

TCollectionItem* TCollection::Add() { return Insert(Count()); }

TCollectionItem* TCollection::Insert(int Index) {
    if (Index < 0 || Index > Count()) ListIndexError(Index);
    std::unique_ptr<TCollectionItem> item(FFactory(this));
    TCollectionItem* p = item.get();
    FItems.insert(FItems.begin() + Index, std::move(item));
    Changed();
    return p;
}

void TCollection::Delete(int Index) {
    if (Index < 0 || Index >= Count()) ListIndexError(Index);
    FItems.erase(FItems.begin() + Index);
    Changed();
}

void TCollection::Clear() {
    if (FItems.empty()) return;
    FItems.clear();
    Changed();
}

void TCollection::EndUpdate() {
    if (FUpdateCount > 0 && --FUpdateCount == 0) Changed();
}

void TCollection::Changed() {
    if (FUpdateCount == 0 && OnChange) OnChange(this);
}

}  // namespace vcl
