// Root object, class references and bound methods.
#pragma once

#include <cstdint>
#include <string>
#include <typeinfo>
#include <utility>

class TObject;
class TComponent;
struct TClassInfo;
struct TPropInfo;
struct TMethodInfo;

// A class reference: one per class, with its parent, its name, a factory and its published tables.
using TClass = const TClassInfo*;

struct TClassInfo {
  const char* name;
  TClass parent;
  TComponent* (*create)(TComponent* owner);  // null for classes that cannot be streamed
  const TPropInfo* props;                    // published properties declared by this class
  int propCount;
  const TMethodInfo* methods;  // published handlers declared by this class
  int methodCount;

  bool InheritsFrom(TClass other) const {
    for (TClass c = this; c; c = c->parent)
      if (c == other) return true;
    return false;
  }
  // Looks through this class and its ancestors, nearest first.
  const TPropInfo* FindProperty(const std::string& name) const;
  const TMethodInfo* FindMethod(const std::string& name) const;
};

// The registry of streamable classes, looked up by name when a form resource is read.
void RegisterComponentClass(TClass cls);
TClass FindClass(const std::string& name);  // null when not registered

class TObject {
 public:
  virtual ~TObject() = default;
  static TClass StaticClass();
  static constexpr const char* StaticClassName() { return "TObject"; }
  virtual TClass ClassType() const { return StaticClass(); }
  std::string ClassName() const { return ClassType()->name; }
  bool InheritsFrom(TClass cls) const { return ClassType()->InheritsFrom(cls); }
  template <class T>
  bool Is() const { return InheritsFrom(T::StaticClass()); }
  // Frees the object through its virtual destruction steps; safe on null.
  void Free();
  virtual void AfterConstruction() {}
  virtual void BeforeDestruction() {}
};

// Checked downcast by class reference: null when obj is null or of another class.
template <class T>
T* As(TObject* obj) { return obj && obj->Is<T>() ? static_cast<T*>(obj) : nullptr; }

// Declares the class reference of a class; DEFINE_CLASS in the .cpp fills it.
#define DECLARE_CLASS(Cls, Parent)                                     \
 public:                                                               \
  using inherited = Parent;                                            \
  static TClass StaticClass();                                         \
  static constexpr const char* StaticClassName() { return #Cls; }      \
  TClass ClassType() const override { return Cls::StaticClass(); }     \
                                                                       \
 private:

// A published handler or a property table entry refers to its class through these.
#define CLASS_TABLE_NAME(Cls) Cls##_ClassInfo

// ---------------------------------------------------------------------------------------------
// Bound methods: an object and one of its methods, or a plain function with no object behind it.

struct TRawMethod {
  void* data = nullptr;
  void (*code)() = nullptr;
  const std::type_info* signature = nullptr;
  bool Assigned() const { return code != nullptr; }
};

template <class Sig>
class TMethod;

template <class R, class... A>
class TMethod<R(A...)> {
  using Thunk = R (*)(void*, A...);

 public:
  TMethod() = default;
  TMethod(std::nullptr_t) {}

  // Bind<&TForm1::Button1Click>(form)
  template <auto M, class C>
  static TMethod Bind(C* obj) {
    TMethod m;
    m.data_ = obj;
    m.code_ = [](void* self, A... a) -> R { return (static_cast<C*>(self)->*M)(std::forward<A>(a)...); };
    return m;
  }
  // Bind<&Output::HandleOutputLine>(): a static member or free function.
  template <auto F>
  static TMethod Bind() {
    TMethod m;
    m.code_ = [](void*, A... a) -> R { return F(std::forward<A>(a)...); };
    return m;
  }

  bool Assigned() const { return code_ != nullptr; }
  explicit operator bool() const { return Assigned(); }
  R operator()(A... a) const { return code_(data_, std::forward<A>(a)...); }
  bool operator==(const TMethod& o) const { return data_ == o.data_ && code_ == o.code_; }
  bool operator!=(const TMethod& o) const { return !(*this == o); }
  void* Data() const { return data_; }

  TRawMethod Raw() const { return {data_, reinterpret_cast<void (*)()>(code_), &typeid(TMethod)}; }
  static TMethod FromRaw(const TRawMethod& raw) {
    TMethod m;
    m.data_ = raw.data;
    m.code_ = reinterpret_cast<Thunk>(raw.code);
    return m;
  }

 private:
  void* data_ = nullptr;
  Thunk code_ = nullptr;
};

using TNotifyEvent = TMethod<void(TObject* Sender)>;
