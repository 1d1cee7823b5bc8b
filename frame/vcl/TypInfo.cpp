#include "vcl/TypInfo.h"

#include <map>
#include <unordered_map>

namespace vcl {

namespace {

struct TRegistry {
    std::vector<std::unique_ptr<TClassInfo>> Classes;
    std::map<std::string, TClassInfo*> ByName;  // upper-case name
    std::unordered_map<std::type_index, TClassInfo*> ByType;
    std::map<std::string, std::vector<TIdentMapEntry>> IdentMaps;
};

// Function-local so that registrations from static initialisers of any
// translation unit find it constructed.
TRegistry& Registry() {
    static TRegistry r;
    return r;
}

void RegisterCoreClasses();

// The platform's own classes are registered on first use rather than by
// static initialisers, which a static link would drop.
void EnsurePlatformClasses() {
    static const bool done = (RegisterCoreClasses(), detail::RegisterGraphicsClasses(), true);
    (void)done;
}

[[noreturn]] void UnknownProperty(const std::string& PropName) {
    throw EPropertyError("Unknown property: '" + PropName + "'");
}

[[noreturn]] void InvalidValue() { throw EPropertyError("Invalid property value"); }

const TPropInfo& NeedProp(const TObject* Instance, const std::string& PropName) {
    const TPropInfo* p = GetPropInfo(Instance, PropName);
    if (!p) UnknownProperty(PropName);
    return *p;
}

}  // namespace

// ---------------------------------------------------------------- enumerations

int TEnumType::Ordinal(const std::string& ValueName) const {
    for (size_t i = 0; i < Names.size(); ++i)
        if (SameText(Names[i], ValueName)) return static_cast<int>(i);
    return -1;
}

std::string TEnumType::NameOf(int64_t Ordinal) const {
    if (Ordinal >= 0 && Ordinal < static_cast<int64_t>(Names.size()))
        return Names[static_cast<size_t>(Ordinal)];
    return std::to_string(Ordinal);
}

const TEnumType TAlignmentTypeInfo{"TAlignment", {"taLeftJustify", "taRightJustify", "taCenter"}};

void RegisterIntegerConsts(const std::string& TypeName, std::vector<TIdentMapEntry> Map) {
    Registry().IdentMaps[UpperCase(TypeName)] = std::move(Map);
}

bool IdentToInt(const std::string& TypeName, const std::string& Ident, int64_t& Value) {
    EnsurePlatformClasses();
    auto& maps = Registry().IdentMaps;
    auto it = maps.find(UpperCase(TypeName));
    if (it == maps.end()) return false;
    for (const auto& e : it->second)
        if (SameText(e.Name, Ident)) {
            Value = e.Value;
            return true;
        }
    return false;
}

bool IntToIdent(const std::string& TypeName, int64_t Value, std::string& Ident) {
    EnsurePlatformClasses();
    auto& maps = Registry().IdentMaps;
    auto it = maps.find(UpperCase(TypeName));
    if (it == maps.end()) return false;
    for (const auto& e : it->second)
        if (e.Value == Value) {
            Ident = e.Name;
            return true;
        }
    return false;
}

// ---------------------------------------------------------------- TPropInfo

bool TPropInfo::Writable() const {
    switch (Kind) {
        case tkFloat:
            return static_cast<bool>(SetFloat);
        case tkString:
        case tkBinary:
            return static_cast<bool>(SetStr);
        case tkClass:
        case tkCollection:
            return static_cast<bool>(GetObject);
        case tkComponent:
            return static_cast<bool>(SetComponent);
        case tkMethod:
            return static_cast<bool>(SetMethod);
        case tkStringList:
            return static_cast<bool>(SetLines);
        default:
            return static_cast<bool>(SetOrd);
    }
}

// ---------------------------------------------------------------- TClassInfo

TClassInfo::TClassInfo(std::string Name, std::type_index Type,
                       std::optional<std::type_index> Parent)
    : FName(std::move(Name)), FType(Type), FParent(Parent) {}

const TClassInfo* TClassInfo::Parent() const {
    EnsurePlatformClasses();
    if (!FParent) return nullptr;
    auto& byType = Registry().ByType;
    auto it = byType.find(*FParent);
    return it == byType.end() ? nullptr : it->second;
}

bool TClassInfo::InheritsFrom(const TClassInfo* Other) const {
    for (const TClassInfo* c = this; c; c = c->Parent())
        if (c == Other) return true;
    return false;
}

std::vector<const TPropInfo*> TClassInfo::Properties() const {
    std::vector<const TPropInfo*> list;
    if (const TClassInfo* parent = Parent()) list = parent->Properties();
    for (const auto& p : FProps) {
        bool replaced = false;
        for (auto& q : list)
            if (SameText(q->Name, p->Name)) {
                q = p.get();
                replaced = true;
            }
        if (!replaced) list.push_back(p.get());
    }
    return list;
}

const TPropInfo* TClassInfo::FindProperty(const std::string& PropName) const {
    for (const TClassInfo* c = this; c; c = c->Parent())
        for (const auto& p : c->FProps)
            if (SameText(p->Name, PropName)) return p.get();
    return nullptr;
}

TComponent* TClassInfo::Create(TComponent* AOwner) const {
    if (!FFactory) throw EClassNotFound("Cannot create an instance of " + FName);
    return FFactory(AOwner);
}

// ---------------------------------------------------------------- registry

TClassInfo& RegisterClassInfo(std::unique_ptr<TClassInfo> Info) {
    TRegistry& r = Registry();
    std::string key = UpperCase(Info->Name());
    auto it = r.ByName.find(key);
    if (it != r.ByName.end() && it->second->Type() == Info->Type()) {
        // Registering again starts the property list afresh.
        TClassInfo& existing = *it->second;
        existing.FProps.clear();
        existing.FParent = Info->FParent;
        existing.FIsInstance = std::move(Info->FIsInstance);
        existing.FFactory = std::move(Info->FFactory);
        return existing;
    }
    TClassInfo* p = Info.get();
    r.Classes.push_back(std::move(Info));
    r.ByName[key] = p;
    r.ByType[p->Type()] = p;
    return *p;
}

const TClassInfo* FindClassInfo(const std::string& ClassName) {
    EnsurePlatformClasses();
    auto& byName = Registry().ByName;
    auto it = byName.find(UpperCase(ClassName));
    return it == byName.end() ? nullptr : it->second;
}

const TClassInfo* GetClassInfo(const std::string& ClassName) {
    const TClassInfo* c = FindClassInfo(ClassName);
    if (!c) throw EClassNotFound("Class " + ClassName + " not found");
    return c;
}

const TClassInfo* ClassInfoOf(const TObject* Instance) {
    EnsurePlatformClasses();
    if (!Instance) return nullptr;
    TRegistry& r = Registry();
    auto it = r.ByType.find(std::type_index(typeid(*Instance)));
    if (it != r.ByType.end()) return it->second;
    // An unregistered class derived from registered ones: the deepest
    // registered class it is an instance of.
    const TClassInfo* best = nullptr;
    int bestDepth = -1;
    for (const auto& c : r.Classes) {
        if (!c->IsInstance(Instance)) continue;
        int depth = 0;
        for (const TClassInfo* p = c->Parent(); p; p = p->Parent()) ++depth;
        if (depth > bestDepth) {
            best = c.get();
            bestDepth = depth;
        }
    }
    return best;
}

TComponent* CreateComponent(const std::string& ClassName, TComponent* AOwner) {
    return GetClassInfo(ClassName)->Create(AOwner);
}

std::vector<const TPropInfo*> GetPropList(const TObject* Instance) {
    const TClassInfo* c = ClassInfoOf(Instance);
    return c ? c->Properties() : std::vector<const TPropInfo*>{};
}

const TPropInfo* GetPropInfo(const TObject* Instance, const std::string& PropName) {
    const TClassInfo* c = ClassInfoOf(Instance);
    return c ? c->FindProperty(PropName) : nullptr;
}

// ---------------------------------------------------------------- value access

int64_t GetOrdProp(TObject* Instance, const std::string& PropName) {
    const TPropInfo& p = NeedProp(Instance, PropName);
    if (!p.GetOrd) InvalidValue();
    return p.GetOrd(Instance);
}

void SetOrdProp(TObject* Instance, const std::string& PropName, int64_t Value) {
    const TPropInfo& p = NeedProp(Instance, PropName);
    if (!p.SetOrd) InvalidValue();
    p.SetOrd(Instance, Value);
}

std::string GetStrProp(TObject* Instance, const std::string& PropName) {
    const TPropInfo& p = NeedProp(Instance, PropName);
    if (!p.GetStr) InvalidValue();
    return p.GetStr(Instance);
}

void SetStrProp(TObject* Instance, const std::string& PropName, const std::string& Value) {
    const TPropInfo& p = NeedProp(Instance, PropName);
    if (!p.SetStr) InvalidValue();
    p.SetStr(Instance, Value);
}

double GetFloatProp(TObject* Instance, const std::string& PropName) {
    const TPropInfo& p = NeedProp(Instance, PropName);
    if (!p.GetFloat) InvalidValue();
    return p.GetFloat(Instance);
}

void SetFloatProp(TObject* Instance, const std::string& PropName, double Value) {
    const TPropInfo& p = NeedProp(Instance, PropName);
    if (!p.SetFloat) InvalidValue();
    p.SetFloat(Instance, Value);
}

std::string GetEnumProp(TObject* Instance, const std::string& PropName) {
    const TPropInfo& p = NeedProp(Instance, PropName);
    int64_t v = GetOrdProp(Instance, PropName);
    if (p.Kind == tkBool) return v ? "True" : "False";
    if (p.Kind != tkEnumeration) InvalidValue();
    return p.EnumType->NameOf(v);
}

void SetEnumProp(TObject* Instance, const std::string& PropName, const std::string& Value) {
    const TPropInfo& p = NeedProp(Instance, PropName);
    int64_t v;
    if (p.Kind == tkBool && SameText(Value, "True"))
        v = 1;
    else if (p.Kind == tkBool && SameText(Value, "False"))
        v = 0;
    else if (p.Kind == tkEnumeration && p.EnumType->Ordinal(Value) >= 0)
        v = p.EnumType->Ordinal(Value);
    else
        InvalidValue();
    SetOrdProp(Instance, PropName, v);
}

std::string GetSetProp(TObject* Instance, const std::string& PropName) {
    const TPropInfo& p = NeedProp(Instance, PropName);
    if (p.Kind != tkSet) InvalidValue();
    auto bits = static_cast<uint64_t>(p.GetOrd(Instance));
    std::string out;
    for (size_t i = 0; i < p.EnumType->Names.size() && i < 64; ++i)
        if (bits & (uint64_t{1} << i)) {
            if (!out.empty()) out += ',';
            out += p.EnumType->Names[i];
        }
    return out;
}

void SetSetProp(TObject* Instance, const std::string& PropName, const std::string& Value) {
    const TPropInfo& p = NeedProp(Instance, PropName);
    if (p.Kind != tkSet) InvalidValue();
    std::string body = Trim(Value);
    if (!body.empty() && body.front() == '[' && body.back() == ']')
        body = body.substr(1, body.size() - 2);
    uint64_t bits = 0;
    size_t i = 0;
    while (i <= body.size()) {
        size_t j = body.find(',', i);
        if (j == std::string::npos) j = body.size();
        std::string name = Trim(body.substr(i, j - i));
        if (!name.empty()) {
            int ord = p.EnumType->Ordinal(name);
            if (ord < 0 || ord >= 64) InvalidValue();
            bits |= uint64_t{1} << ord;
        }
        i = j + 1;
    }
    p.SetOrd(Instance, static_cast<int64_t>(bits));
}

TPersistent* GetObjectProp(TObject* Instance, const std::string& PropName) {
    const TPropInfo& p = NeedProp(Instance, PropName);
    if (!p.GetObject) InvalidValue();
    return p.GetObject(Instance);
}

// ---------------------------------------------------------------- the platform's own classes

namespace {

void RegisterCoreClasses() {
    RegisterClass<TPersistent>("TPersistent");
    RegisterClass<TComponent, TPersistent>("TComponent")
        .Str("Name", &TComponent::Name, &TComponent::SetName)
        .NoStore()
        .Int64("Tag", &TComponent::Tag, &TComponent::SetTag)
        .Default(0);
    RegisterClass<TStrings, TPersistent>("TStrings")
        .Lines("Strings", &TStrings::ToVector, &TStrings::SetFromVector);
    RegisterClass<TStringList, TStrings>("TStringList");
    RegisterClass<TCollection, TPersistent>("TCollection");
    RegisterClass<TCollectionItem, TPersistent>("TCollectionItem");
}

}  // namespace

}  // namespace vcl
