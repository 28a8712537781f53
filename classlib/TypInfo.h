// Published properties and handlers: the tables that form resources and the skin engine read.
#pragma once

#include <cstdint>
#include <string>
#include <initializer_list>
#include <type_traits>
#include <vector>

#include "System.h"

enum class TTypeKind { Integer, Int64, Enumeration, Set, String, Class, Method };

struct TIdentMapEntry {
  const char* name;
  int32_t value;
};

// The type of a property. Enumerations and sets name their values; integers may have
// identifiers (clWhite, crHandPoint); class properties name their class; methods their signature.
struct TTypeInfo {
  const char* name;
  TTypeKind kind;
  const char* const* names = nullptr;  // enumeration values, or a set's element values
  int count = 0;
  const TIdentMapEntry* idents = nullptr;  // integer identifiers, null-terminated by name
  TClass (*classFn)() = nullptr;  // a function, so that a class's table may name the class itself
  const std::type_info* signature = nullptr;

  TClass Cls() const { return classFn ? classFn() : nullptr; }

  int EnumValue(const std::string& ident) const;  // -1 when unknown
  const char* EnumName(int value) const;          // null when out of range
  bool IdentToInt(const std::string& ident, int32_t& value) const;
};

// A property value in transit between a form resource and an object.
struct TValue {
  TTypeKind kind = TTypeKind::Integer;
  int64_t i = 0;  // integers, enumeration ordinals, set masks, Booleans
  std::string s;
  TObject* obj = nullptr;
  TRawMethod method;

  static TValue Int(int64_t v) { TValue r; r.i = v; return r; }
  static TValue Str(std::string v) { TValue r; r.kind = TTypeKind::String; r.s = std::move(v); return r; }
  static TValue Obj(TObject* o) { TValue r; r.kind = TTypeKind::Class; r.obj = o; return r; }
  static TValue Meth(TRawMethod m) { TValue r; r.kind = TTypeKind::Method; r.method = m; return r; }
};

struct TPropInfo {
  const char* name;
  const TTypeInfo* type;
  void (*set)(TObject*, const TValue&);  // null: read-only
  TValue (*get)(TObject*);
};

struct TMethodInfo {
  const char* name;
  const std::type_info* signature;
  TRawMethod (*bind)(TObject* self);
};

// The published property of an object's class or its ancestors; null when there is none.
const TPropInfo* GetPropInfo(const TObject* obj, const std::string& name);

// ---------------------------------------------------------------------------------------------
// Type information per C++ type.

// TypeInfo<T>() finds the overload TypeInfoOf(T*) declared with the type (also inside a
// namespace, through argument-dependent lookup).
extern const TTypeInfo IntegerType, Int64Type, BooleanType, StringType, CardinalType;

inline const TTypeInfo* TypeInfoOf(int32_t*) { return &IntegerType; }
inline const TTypeInfo* TypeInfoOf(uint32_t*) { return &CardinalType; }
inline const TTypeInfo* TypeInfoOf(int64_t*) { return &Int64Type; }
inline const TTypeInfo* TypeInfoOf(bool*) { return &BooleanType; }
inline const TTypeInfo* TypeInfoOf(std::string*) { return &StringType; }

template <class T, class = std::enable_if_t<std::is_base_of_v<TObject, T>>>
const TTypeInfo* TypeInfoOf(T**) {
  static const TTypeInfo info{T::StaticClassName(), TTypeKind::Class, nullptr, 0, nullptr, &T::StaticClass};
  return &info;
}

template <class Sig>
const char* MethodTypeName();  // the event type's name, from DECLARE_EVENT_TYPE

template <class Sig>
const TTypeInfo* TypeInfoOf(TMethod<Sig>*) {
  static const TTypeInfo info{MethodTypeName<Sig>(), TTypeKind::Method, nullptr, 0, nullptr, nullptr,
                              &typeid(TMethod<Sig>)};
  return &info;
}

template <class T>
const TTypeInfo* TypeInfo() { return TypeInfoOf(static_cast<std::decay_t<T>*>(nullptr)); }

#define DECLARE_EVENT_TYPE(Name, Sig) \
  using Name = TMethod<Sig>;          \
  template <> inline const char* MethodTypeName<Sig>() { return #Name; }

template <> inline const char* MethodTypeName<void(TObject*)>() { return "TNotifyEvent"; }

// Enumerations: DECLARE_ENUM(TAlign, alNone, alTop, ...) declares the enum and its value names.
#define SUITE_ENUM_NAMES(...) #__VA_ARGS__
const char* const* SplitEnumNames(const char* list, int& count);

#define DECLARE_ENUM(Name, ...)                                                              \
  enum Name : uint8_t { __VA_ARGS__ };                                                       \
  inline const TTypeInfo* TypeInfoOf(Name*) {                                                \
    static int count = 0;                                                                    \
    static const char* const* names = SplitEnumNames(SUITE_ENUM_NAMES(__VA_ARGS__), count);  \
    static const TTypeInfo info{#Name, TTypeKind::Enumeration, names, count};                \
    return &info;                                                                            \
  }

// Sets of enumeration values, stored as a bit mask (bit n = ordinal n).
template <class E>
class TSet {
 public:
  constexpr TSet() = default;
  constexpr TSet(std::initializer_list<E> items) { for (E e : items) bits_ |= 1u << e; }
  static TSet FromMask(uint32_t m) { TSet s; s.bits_ = m; return s; }
  bool Contains(E e) const { return bits_ & (1u << e); }
  TSet& operator+=(E e) { bits_ |= 1u << e; return *this; }
  TSet& operator-=(E e) { bits_ &= ~(1u << e); return *this; }
  TSet operator+(TSet o) const { return FromMask(bits_ | o.bits_); }
  TSet operator*(TSet o) const { return FromMask(bits_ & o.bits_); }
  bool operator==(TSet o) const { return bits_ == o.bits_; }
  bool operator!=(TSet o) const { return bits_ != o.bits_; }
  bool Empty() const { return bits_ == 0; }
  uint32_t Mask() const { return bits_; }

 private:
  uint32_t bits_ = 0;
};

#define DECLARE_SET(Name, Enum)                                                              \
  using Name = TSet<Enum>;                                                                   \
  inline const TTypeInfo* TypeInfoOf(Name*) {                                                \
    static const TTypeInfo info{#Name, TTypeKind::Set, TypeInfo<Enum>()->names, TypeInfo<Enum>()->count}; \
    return &info;                                                                            \
  }

// Integer types with identifiers (TColor, TCursor): a distinct C++ type carrying an int32_t.
#define DECLARE_INT_TYPE(Name, IdentTable)                                                   \
  inline const TTypeInfo* TypeInfoOf(Name*) {                                                \
    static const TTypeInfo info{#Name, TTypeKind::Integer, nullptr, 0, IdentTable};          \
    return &info;                                                                            \
  }

// ---------------------------------------------------------------------------------------------
// Building the tables: properties through getter/setter member functions or through fields.

namespace typinfo_detail {

template <class T> struct IsSet : std::false_type {};
template <class E> struct IsSet<TSet<E>> : std::true_type {};
template <class T> struct IsMethod : std::false_type {};
template <class S> struct IsMethod<TMethod<S>> : std::true_type {};

template <class T>
TValue ToValue(const T& v) {
  if constexpr (std::is_same_v<T, std::string>) return TValue::Str(v);
  else if constexpr (std::is_pointer_v<T>) return TValue::Obj(v);
  else if constexpr (IsSet<T>::value) return TValue::Int(v.Mask());
  else if constexpr (IsMethod<T>::value) return TValue::Meth(v.Raw());
  else if constexpr (std::is_enum_v<T> || std::is_integral_v<T>) return TValue::Int(static_cast<int64_t>(v));
  else return TValue::Int(static_cast<int32_t>(v));  // integer wrappers: TColor, TCursor
}

template <class T>
T FromValue(const TValue& v) {
  if constexpr (std::is_same_v<T, std::string>) return v.s;
  else if constexpr (std::is_pointer_v<T>) return static_cast<T>(v.obj);
  else if constexpr (IsSet<T>::value) return T::FromMask(static_cast<uint32_t>(v.i));
  else if constexpr (IsMethod<T>::value) return T::FromRaw(v.method);
  else if constexpr (std::is_same_v<T, bool>) return v.i != 0;
  else if constexpr (std::is_enum_v<T> || std::is_integral_v<T>) return static_cast<T>(v.i);
  else return T(static_cast<int32_t>(v.i));
}

template <class M> struct MemberTraits;
template <class C, class T> struct MemberTraits<T C::*> { using Class = C; using Type = T; };
template <class C, class T> struct MemberTraits<T (C::*)() const> { using Class = C; using Type = std::decay_t<T>; };
template <class C, class T> struct MemberTraits<T (C::*)()> { using Class = C; using Type = std::decay_t<T>; };
template <class C, class T> struct MemberTraits<void (C::*)(T)> { using Class = C; using Type = std::decay_t<T>; };

}  // namespace typinfo_detail

// A property read by getter G and written by setter S (member functions).
template <auto G, auto S>
constexpr TPropInfo Prop(const char* name, const TTypeInfo* type = nullptr) {
  using C = typename typinfo_detail::MemberTraits<decltype(G)>::Class;
  using T = typename typinfo_detail::MemberTraits<decltype(G)>::Type;
  return {name, type ? type : TypeInfo<T>(),
          [](TObject* o, const TValue& v) { (static_cast<C*>(o)->*S)(typinfo_detail::FromValue<T>(v)); },
          [](TObject* o) { return typinfo_detail::ToValue<T>((static_cast<C*>(o)->*G)()); }};
}

// A read-only property, or an object property whose object is filled in place (Font, Items).
template <auto G>
constexpr TPropInfo PropRO(const char* name, const TTypeInfo* type = nullptr) {
  using C = typename typinfo_detail::MemberTraits<decltype(G)>::Class;
  using T = typename typinfo_detail::MemberTraits<decltype(G)>::Type;
  return {name, type ? type : TypeInfo<T>(), nullptr,
          [](TObject* o) { return typinfo_detail::ToValue<T>((static_cast<C*>(o)->*G)()); }};
}

// A property stored in a field F (events, mostly).
template <auto F>
constexpr TPropInfo Field(const char* name, const TTypeInfo* type = nullptr) {
  using C = typename typinfo_detail::MemberTraits<decltype(F)>::Class;
  using T = typename typinfo_detail::MemberTraits<decltype(F)>::Type;
  return {name, type ? type : TypeInfo<T>(),
          [](TObject* o, const TValue& v) { static_cast<C*>(o)->*F = typinfo_detail::FromValue<T>(v); },
          [](TObject* o) { return typinfo_detail::ToValue<T>(static_cast<C*>(o)->*F); }};
}

// A published handler: the form resource binds events to it by name.
namespace typinfo_detail {
template <class M> struct HandlerTraits;
template <class C, class R, class... A> struct HandlerTraits<R (C::*)(A...)> {
  using Class = C;
  using Method = TMethod<R(A...)>;
};
}  // namespace typinfo_detail

template <auto M>
TMethodInfo Handler(const char* name) {
  using H = typinfo_detail::HandlerTraits<decltype(M)>;
  using C = typename H::Class;
  using Method = typename H::Method;
  return {name, &typeid(Method), [](TObject* self) { return Method::template Bind<M>(static_cast<C*>(self)).Raw(); }};
}

// In a .cpp: DEFINE_COMPONENT(TEdit, TCustomEdit, ({Prop<...>("Text"), ...}), ({Handler<...>("...")}))
// fills the class reference and registers the class for streaming. The lists are in parentheses.
#define SUITE_CREATE_FN(Cls) [](TComponent* owner) -> TComponent* { return new Cls(owner); }

// Helpers that DEFINE_* expand to; the real tables live in static storage of the .cpp.
#define DEFINE_CLASS_EX(Cls, ParentCls, CreateFn, PropsInit, HandlersInit)                 \
  namespace {                                                                              \
  const TPropInfo* Cls##_Props(int& n) {                                                   \
    static const std::vector<TPropInfo> v = std::vector<TPropInfo> PropsInit;             \
    n = static_cast<int>(v.size());                                                        \
    return v.data();                                                                       \
  }                                                                                        \
  const TMethodInfo* Cls##_Handlers(int& n) {                                              \
    static const std::vector<TMethodInfo> v = std::vector<TMethodInfo> HandlersInit;       \
    n = static_cast<int>(v.size());                                                        \
    return v.data();                                                                       \
  }                                                                                        \
  }                                                                                        \
  TClass Cls::StaticClass() {                                                              \
    static TClassInfo info = [] {                                                          \
      TClassInfo i{#Cls, ParentCls::StaticClass(), CreateFn, nullptr, 0, nullptr, 0};      \
      i.props = Cls##_Props(i.propCount);                                                  \
      i.methods = Cls##_Handlers(i.methodCount);                                           \
      return i;                                                                            \
    }();                                                                                   \
    return &info;                                                                          \
  }                                                                                        \
  namespace {                                                                              \
  const bool Cls##_Registered = (RegisterComponentClass(Cls::StaticClass()), true);                 \
  }

// A streamable component class (created by name from a form resource).
#define DEFINE_COMPONENT(Cls, ParentCls, PropsInit, HandlersInit) \
  DEFINE_CLASS_EX(Cls, ParentCls, SUITE_CREATE_FN(Cls), PropsInit, HandlersInit)
// A class that is not created by name (abstract bases, persistent sub-objects).
#define DEFINE_CLASS(Cls, ParentCls, PropsInit) DEFINE_CLASS_EX(Cls, ParentCls, nullptr, PropsInit, ({}))
