// Objects that are not components but are set up in two phases, and the components they watch.
//
//   T* obj = NewObject<T>(args...);   // T's constructor, then obj->AfterConstruction()
//   FreeObject(obj);                  // obj->BeforeDestruction(), the destructor; obj := nullptr
//
// NewObject constructs the most derived object first; only then does the virtual
// AfterConstruction run, so a base class may finish its set-up there through virtual calls that
// reach the descendants' overrides (a control skinner hooks its control in the constructor and
// calls its virtual AfterAttach from AfterConstruction). When AfterConstruction throws, the
// object is freed and the exception passes on. FreeObject is safe on null and on an object that
// is already being freed (a second call while the first runs does nothing).
//
// TManagedObject adds what such an object needs to outlive or be outlived by components: after
// Watch(C), ComponentFreed(C) runs when C is freed, while C is still whole (csDestroying set);
// the object may free itself there. Watching ends with Unwatch, or when the object is freed
// (from BeforeDestruction on, nothing more is called).
#pragma once

#include <type_traits>
#include <utility>

#include "Component.h"

class TManagedObject : public TObject {
  DECLARE_CLASS(TManagedObject, TObject)
 public:
  TManagedObject() = default;
  ~TManagedObject() override;
  TManagedObject(const TManagedObject&) = delete;
  TManagedObject& operator=(const TManagedObject&) = delete;
  void BeforeDestruction() override;
  // True from BeforeDestruction (or the destructor) on.
  bool Destroying() const { return destroying_; }

 protected:
  void Watch(TComponent* Component);
  void Unwatch(TComponent* Component);
  virtual void ComponentFreed(TComponent* Component) { (void)Component; }

 private:
  class TWatcher;
  void StopWatching();
  TWatcher* watcher_ = nullptr;
  bool destroying_ = false;
};

template <class T>
void FreeObject(T*& Obj) {
  T* obj = Obj;
  Obj = nullptr;
  if (!obj) return;
  if (auto* managed = As<TManagedObject>(obj); managed && managed->Destroying()) return;
  obj->Free();
}

template <class T, class... A>
T* NewObject(A&&... Args) {
  static_assert(std::is_base_of_v<TObject, T>, "NewObject makes objects of this library");
  T* obj = new T(std::forward<A>(Args)...);
  try {
    obj->AfterConstruction();
  } catch (...) {
    FreeObject(obj);
    throw;
  }
  return obj;
}
