// The class registry and the published-property registry.
//
// A class registers once, with its base class and its published properties in
// declaration order; the registry answers with the inherited properties first.
// The form-file reader and writer and the designer work only through it.
//
//   // QEL_NumLab.cpp
//   const vcl::TEnumType TFrameStyleType{"TFrameStyle", {"fsNone", "fsLowered", "fsRaised"}};
//
//   static const bool NumLabRegistered = [] {
//       vcl::RegisterClass<TNumLab, vcl::TGraphicControl>("TNumLab")
//           .Int("LeftSpace", &TNumLab::LeftSpace, &TNumLab::SetLeftSpace)
//           .Enum("FrameStyle", &TNumLab::FrameStyle, &TNumLab::SetFrameStyle, TFrameStyleType)
//           .Set("Options", &TNumLab::Options, &TNumLab::SetOptions, TNumLabOptionType)
//           .Color("ColorLabBakG", &TNumLab::ColorLabBakG, &TNumLab::SetColorLabBakG)
//           .Float("Value", &TNumLab::Value, &TNumLab::SetValue)
//           .Str("LeftText", &TNumLab::LeftText, &TNumLab::SetLeftText)
//           .Bool("Visible", &TNumLab::Visible, &TNumLab::SetVisible).Default(true)
//           .Object("Font", &TNumLab::Font)       // sub-object: Font.Name = '...'
//           .Event("OnClick", &TNumLab::OnClick); // std::function member
//       return true;
//   }();
//
// Further kinds: .Int64, .Ident (integers with names, e.g. cursors),
// .Component (a reference by name, resolved after the whole file is read),
// .Lines (a list of strings), .Collection (a TCollection), .Binary (bytes).
//
// Keep the registration in the .cpp that defines the class's constructor: a
// static link drops translation units that nothing references.
//
// Getters are anything callable with a C* (const member functions, lambdas);
// setters anything callable with (C*, value). A class that can be built as
// `new C(AOwner)` gets a factory, so the reader can create it by name.
// Properties of the library's own classes have no default and are always
// written; platform properties with a default (.Default(v)) are written only
// when they differ, and .NoStore() ones never.
//
// Events: the form file names a method; the reader asks the root component's
// MethodAddress for a std::function of exactly the event's type (see
// TComponent::RegisterMethod) and remembers the name for writing it back.
#pragma once

#include <any>
#include <concepts>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <type_traits>
#include <typeindex>
#include <typeinfo>
#include <vector>

#include "vcl/Classes.h"
#include "vcl/SysUtils.h"

namespace vcl {

enum TTypeKind : uint8_t {
    tkInteger,  // int (or uint32_t such as TColor), optionally with identifier names
    tkInt64,
    tkBool,         // True / False
    tkEnumeration,  // names of a TEnumType
    tkFloat,
    tkString,
    tkSet,         // [names of a TEnumType]
    tkClass,       // a TPersistent sub-object with its own properties (Font)
    tkComponent,   // a reference to another component, by name
    tkMethod,      // an event, by method name
    tkStringList,  // the lines of a TStrings: ( 'a' 'b' )
    tkCollection,  // the items of a TCollection: < item ... end >
    tkBinary       // bytes: { 0A1B... }
};

// Names of an enumeration's values, ordinal 0 first.
struct TEnumType {
    std::string Name;
    std::vector<std::string> Names;

    // Ordinal of Name (ignoring case), or -1.
    int Ordinal(const std::string& ValueName) const;
    // Name of an ordinal; the number as text when out of range.
    std::string NameOf(int64_t Ordinal) const;
};

// Names of the platform's basic enumerations that components publish.
extern const TEnumType TAlignmentTypeInfo;

// Names for some values of an integer type (colours: clRed, clBtnFace;
// cursors: crDefault). Registered once per type name.
struct TIdentMapEntry {
    int64_t Value;
    std::string Name;
};
void RegisterIntegerConsts(const std::string& TypeName, std::vector<TIdentMapEntry> Map);
// Value of Ident in the named map (ignoring case); false when absent.
bool IdentToInt(const std::string& TypeName, const std::string& Ident, int64_t& Value);
// Name of Value in the named map; false when it has none.
bool IntToIdent(const std::string& TypeName, int64_t Value, std::string& Ident);

class TClassInfo;

struct TPropInfo {
    std::string Name;
    TTypeKind Kind = tkInteger;
    const TEnumType* EnumType = nullptr;  // tkEnumeration, tkSet
    std::string IdentType;                // tkInteger with named values ("TColor")
    bool Unsigned32 = false;              // tkInteger stored as uint32_t
    bool Stored = true;
    std::optional<int64_t> DefaultOrd;  // ordinal kinds: not written when equal

    // Accessors for the kind; the instance is always of the registering class.
    std::function<int64_t(TObject*)> GetOrd;  // integer, int64, bool, enumeration, set bits
    std::function<void(TObject*, int64_t)> SetOrd;
    std::function<double(TObject*)> GetFloat;
    std::function<void(TObject*, double)> SetFloat;
    std::function<std::string(TObject*)> GetStr;  // string, binary
    std::function<void(TObject*, const std::string&)> SetStr;
    std::function<TPersistent*(TObject*)> GetObject;  // class, collection
    std::function<TComponent*(TObject*)> GetComponent;
    std::function<void(TObject*, TComponent*)> SetComponent;
    std::function<std::vector<std::string>(TObject*)> GetLines;
    std::function<void(TObject*, const std::vector<std::string>&)> SetLines;
    // Events: whether a handler is set; binds a handler (false when the
    // std::any does not hold the event's exact type); clears it.
    std::function<bool(TObject*)> MethodAssigned;
    std::function<bool(TObject*, const std::any&)> SetMethod;

    bool Writable() const;
};

class TClassInfo {
public:
    TClassInfo(std::string Name, std::type_index Type, std::optional<std::type_index> Parent);

    const std::string& Name() const { return FName; }
    std::type_index Type() const { return FType; }
    // The registered base class, or nullptr.
    const TClassInfo* Parent() const;
    bool InheritsFrom(const TClassInfo* Other) const;
    bool IsInstance(const TObject* Instance) const { return FIsInstance(Instance); }

    // Published properties, inherited first, each in declaration order; a
    // property registered again by a derived class takes its inherited place.
    std::vector<const TPropInfo*> Properties() const;
    // By name, ignoring case; nullptr when absent.
    const TPropInfo* FindProperty(const std::string& PropName) const;

    bool CanCreate() const { return static_cast<bool>(FFactory); }
    // EClassNotFound "Cannot create an instance of <name>" without a factory.
    TComponent* Create(TComponent* AOwner) const;

    void SetInstanceTest(std::function<bool(const TObject*)> Test) {
        FIsInstance = std::move(Test);
    }
    void SetFactory(std::function<TComponent*(TComponent*)> Factory) {
        FFactory = std::move(Factory);
    }

private:
    template <class C>
    friend class TClassBuilder;
    friend TClassInfo& RegisterClassInfo(std::unique_ptr<TClassInfo> Info);

    std::string FName;
    std::type_index FType;
    std::optional<std::type_index> FParent;
    std::function<bool(const TObject*)> FIsInstance;
    std::function<TComponent*(TComponent*)> FFactory;
    std::vector<std::unique_ptr<TPropInfo>> FProps;
};

// Adds (or replaces: registering a class again starts its list afresh) a
// class in the registry; RegisterClass below is the readable way.
TClassInfo& RegisterClassInfo(std::unique_ptr<TClassInfo> Info);

// By name (ignoring case): nullptr / EClassNotFound "Class <name> not found".
const TClassInfo* FindClassInfo(const std::string& ClassName);
const TClassInfo* GetClassInfo(const std::string& ClassName);
// The most derived registered class of Instance, or nullptr.
const TClassInfo* ClassInfoOf(const TObject* Instance);
// Creates a component by its class name with an owner.
TComponent* CreateComponent(const std::string& ClassName, TComponent* AOwner);

std::vector<const TPropInfo*> GetPropList(const TObject* Instance);
// nullptr when the instance's class has no such property.
const TPropInfo* GetPropInfo(const TObject* Instance, const std::string& PropName);

// Value access by property name. Unknown names raise EPropertyError
// "Unknown property: '<name>'"; a value of the wrong kind or name
// EPropertyError "Invalid property value".
int64_t GetOrdProp(TObject* Instance, const std::string& PropName);
void SetOrdProp(TObject* Instance, const std::string& PropName, int64_t Value);
std::string GetStrProp(TObject* Instance, const std::string& PropName);
void SetStrProp(TObject* Instance, const std::string& PropName, const std::string& Value);
double GetFloatProp(TObject* Instance, const std::string& PropName);
void SetFloatProp(TObject* Instance, const std::string& PropName, double Value);
std::string GetEnumProp(TObject* Instance, const std::string& PropName);
void SetEnumProp(TObject* Instance, const std::string& PropName, const std::string& Value);
// Member names joined by "," (no brackets), like the platform.
std::string GetSetProp(TObject* Instance, const std::string& PropName);
void SetSetProp(TObject* Instance, const std::string& PropName, const std::string& Value);
TPersistent* GetObjectProp(TObject* Instance, const std::string& PropName);

namespace detail {

template <class C, class G>
using GetterResult = std::remove_cvref_t<std::invoke_result_t<G, C*>>;

template <class C>
C* Cast(TObject* Instance) {
    C* c = dynamic_cast<C*>(Instance);
    if (!c) throw EPropertyError("Invalid property value");
    return c;
}

// Registers the colour names and the graphics objects (TFont, TPen, TBrush);
// the registry calls it on first use.
void RegisterGraphicsClasses();

template <class T>
struct IsTSet : std::false_type {};
template <class E>
struct IsTSet<TSet<E>> : std::true_type {};

}  // namespace detail

// Fluent registration of one class; see the example at the top.
template <class C>
class TClassBuilder {
public:
    explicit TClassBuilder(TClassInfo& Info) : FInfo(Info) {}

    template <class G, class S>
    TClassBuilder& Int(const std::string& Name, G Get, S Set) {
        using T = detail::GetterResult<C, G>;
        static_assert(std::is_integral_v<T> && sizeof(T) <= 4, "Int needs a 32-bit integer");
        TPropInfo& p = Add(Name, tkInteger);
        p.Unsigned32 = std::is_unsigned_v<T> && sizeof(T) == 4;
        Ordinal<T>(p, Get, Set);
        return *this;
    }
    template <class G, class S>
    TClassBuilder& Int64(const std::string& Name, G Get, S Set) {
        Ordinal<detail::GetterResult<C, G>>(Add(Name, tkInt64), Get, Set);
        return *this;
    }
    template <class G, class S>
    TClassBuilder& Bool(const std::string& Name, G Get, S Set) {
        Ordinal<bool>(Add(Name, tkBool), Get, Set);
        return *this;
    }
    template <class G, class S>
    TClassBuilder& Enum(const std::string& Name, G Get, S Set, const TEnumType& Type) {
        TPropInfo& p = Add(Name, tkEnumeration);
        p.EnumType = &Type;
        Ordinal<detail::GetterResult<C, G>>(p, Get, Set);
        return *this;
    }
    template <class G, class S>
    TClassBuilder& Set(const std::string& Name, G Get, S Set, const TEnumType& Type) {
        using T = detail::GetterResult<C, G>;
        static_assert(detail::IsTSet<T>::value, "Set needs a TSet getter");
        TPropInfo& p = Add(Name, tkSet);
        p.EnumType = &Type;
        p.GetOrd = [Get](TObject* o) {
            return static_cast<int64_t>(std::invoke(Get, detail::Cast<C>(o)).Bits());
        };
        p.SetOrd = [Set](TObject* o, int64_t v) {
            std::invoke(Set, detail::Cast<C>(o), T::FromBits(static_cast<uint64_t>(v)));
        };
        return *this;
    }
    // An integer whose values may have names in the identifier map TypeName.
    template <class G, class S>
    TClassBuilder& Ident(const std::string& Name, G Get, S Set, const std::string& TypeName) {
        Int(Name, Get, Set);
        FInfo.FProps.back()->IdentType = TypeName;
        return *this;
    }
    // A TColor: written as its name (clRed, clBtnFace) when it has one.
    template <class G, class S>
    TClassBuilder& Color(const std::string& Name, G Get, S Set) {
        return Ident(Name, Get, Set, "TColor");
    }
    template <class G, class S>
    TClassBuilder& Float(const std::string& Name, G Get, S Set) {
        TPropInfo& p = Add(Name, tkFloat);
        using T = detail::GetterResult<C, G>;
        p.GetFloat = [Get](TObject* o) {
            return static_cast<double>(std::invoke(Get, detail::Cast<C>(o)));
        };
        p.SetFloat = [Set](TObject* o, double v) {
            std::invoke(Set, detail::Cast<C>(o), static_cast<T>(v));
        };
        return *this;
    }
    template <class G, class S>
    TClassBuilder& Str(const std::string& Name, G Get, S Set) {
        TPropInfo& p = Add(Name, tkString);
        p.GetStr = [Get](TObject* o) { return std::string(std::invoke(Get, detail::Cast<C>(o))); };
        p.SetStr = [Set](TObject* o, const std::string& v) {
            std::invoke(Set, detail::Cast<C>(o), v);
        };
        return *this;
    }
    // Bytes kept in a std::string.
    template <class G, class S>
    TClassBuilder& Binary(const std::string& Name, G Get, S Set) {
        Str(Name, Get, Set);
        FInfo.FProps.back()->Kind = tkBinary;
        return *this;
    }
    // A sub-object that the component owns; its properties are written and
    // read as Name.Property.
    template <class G>
    TClassBuilder& Object(const std::string& Name, G Get) {
        TPropInfo& p = Add(Name, tkClass);
        p.GetObject = [Get](TObject* o) -> TPersistent* {
            return std::invoke(Get, detail::Cast<C>(o));
        };
        return *this;
    }
    // A TCollection the component owns: < item ... end >.
    template <class G>
    TClassBuilder& Collection(const std::string& Name, G Get) {
        Object(Name, Get);
        FInfo.FProps.back()->Kind = tkCollection;
        return *this;
    }
    // The lines of a TStrings (or anything with a vector of lines).
    template <class G, class S>
    TClassBuilder& Lines(const std::string& Name, G Get, S Set) {
        TPropInfo& p = Add(Name, tkStringList);
        p.GetLines = [Get](TObject* o) {
            return std::vector<std::string>(std::invoke(Get, detail::Cast<C>(o)));
        };
        p.SetLines = [Set](TObject* o, const std::vector<std::string>& v) {
            std::invoke(Set, detail::Cast<C>(o), v);
        };
        return *this;
    }
    template <class G, class S>
    TClassBuilder& Component(const std::string& Name, G Get, S Set) {
        using T = std::remove_pointer_t<detail::GetterResult<C, G>>;
        TPropInfo& p = Add(Name, tkComponent);
        p.GetComponent = [Get](TObject* o) -> TComponent* {
            return std::invoke(Get, detail::Cast<C>(o));
        };
        p.SetComponent = [Set](TObject* o, TComponent* v) {
            T* t = v ? dynamic_cast<T*>(v) : nullptr;
            if (v && !t) throw EPropertyError("Invalid property value");
            std::invoke(Set, detail::Cast<C>(o), t);
        };
        return *this;
    }
    // An event: a public std::function member such as &TControl::OnClick.
    template <class F>
    TClassBuilder& Event(const std::string& Name, F C::*Field) {
        static_assert(std::is_base_of_v<TComponent, C>, "events belong to components");
        TPropInfo& p = Add(Name, tkMethod);
        p.MethodAssigned = [Field](TObject* o) {
            return static_cast<bool>(detail::Cast<C>(o)->*Field);
        };
        p.SetMethod = [Field](TObject* o, const std::any& handler) {
            const F* f = std::any_cast<F>(&handler);
            if (!f) return false;
            detail::Cast<C>(o)->*Field = *f;
            return true;
        };
        return *this;
    }

    // Modifiers of the property registered last.
    TClassBuilder& Default(int64_t Value) {
        FInfo.FProps.back()->DefaultOrd = Value;
        return *this;
    }
    TClassBuilder& NoStore() {
        FInfo.FProps.back()->Stored = false;
        return *this;
    }

private:
    TPropInfo& Add(const std::string& Name, TTypeKind Kind) {
        auto p = std::make_unique<TPropInfo>();
        p->Name = Name;
        p->Kind = Kind;
        FInfo.FProps.push_back(std::move(p));
        return *FInfo.FProps.back();
    }
    template <class T, class G, class S>
    void Ordinal(TPropInfo& p, G Get, S Set) {
        p.GetOrd = [Get](TObject* o) {
            return static_cast<int64_t>(std::invoke(Get, detail::Cast<C>(o)));
        };
        p.SetOrd = [Set](TObject* o, int64_t v) {
            std::invoke(Set, detail::Cast<C>(o), static_cast<T>(v));
        };
    }

    TClassInfo& FInfo;
};

// Registers C under Name, derived from the registered class Base (void for a
// root such as TPersistent).
template <class C, class Base = void>
TClassBuilder<C> RegisterClass(const std::string& Name) {
    std::optional<std::type_index> parent;
    if constexpr (!std::is_void_v<Base>) {
        static_assert(std::is_base_of_v<Base, C>, "Base must be a base class of C");
        parent = std::type_index(typeid(Base));
    }
    auto info = std::make_unique<TClassInfo>(Name, std::type_index(typeid(C)), parent);
    info->SetInstanceTest([](const TObject* o) { return dynamic_cast<const C*>(o) != nullptr; });
    if constexpr (std::is_base_of_v<TComponent, C> && !std::is_abstract_v<C> &&
                  std::is_constructible_v<C, TComponent*>)
        info->SetFactory([](TComponent* AOwner) -> TComponent* { return new C(AOwner); });
    return TClassBuilder<C>(RegisterClassInfo(std::move(info)));
}

}  // namespace vcl
