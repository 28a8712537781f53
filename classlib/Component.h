// Persistent objects, components with owners, and collections.
#pragma once

#include <string>
#include <vector>

#include "SysUtils.h"
#include "TypInfo.h"

class TStream;
class TComponent;

class EComponentError : public Exception {
 public:
  using Exception::Exception;
  std::string ClassName() const override { return "EComponentError"; }
};

// Reading side of streaming: a class registers its unpublished (binary) properties here.
class TFiler {
 public:
  using TStreamProc = TMethod<void(TStream* Stream)>;
  virtual ~TFiler() = default;
  virtual void DefineBinaryProperty(const std::string& Name, TStreamProc ReadData, TStreamProc WriteData,
                                    bool HasData) = 0;
};

class TPersistent : public TObject {
  DECLARE_CLASS(TPersistent, TObject)
 public:
  // Copies Source into this object; raises EConvertError when the classes do not match.
  virtual void Assign(TPersistent* Source);
  virtual void DefineProperties(TFiler* Filer) { (void)Filer; }
  virtual TPersistent* GetOwner() { return nullptr; }

 protected:
  virtual void AssignTo(TPersistent* Dest);
};

DECLARE_ENUM(TOperation, opInsert, opRemove)
DECLARE_ENUM(TComponentStateItem, csLoading, csReading, csWriting, csDestroying, csDesigning, csAncestor,
             csUpdating, csFixups, csFreeNotification, csInline, csDesignInstance)
DECLARE_SET(TComponentState, TComponentStateItem)

class TComponent : public TPersistent {
  DECLARE_CLASS(TComponent, TPersistent)
 public:
  // Construction only records the owner; Create<T>() inserts the finished object into it.
  explicit TComponent(TComponent* AOwner);
  ~TComponent() override;

  void AfterConstruction() override;
  void BeforeDestruction() override;

  TComponent* Owner() const { return owner_; }
  int ComponentCount() const { return static_cast<int>(components_.size()); }
  TComponent* Components(int Index) const { return components_.at(Index); }
  int ComponentIndex() const;
  TComponent* FindComponent(const std::string& Name) const;

  const std::string& Name() const { return name_; }
  virtual void SetName(const std::string& Value);
  int32_t Tag() const { return tag_; }
  void SetTag(int32_t Value) { tag_ = Value; }
  TComponentState ComponentState() const { return state_; }
  // Where a designer placed a non-visual component: Left in the low word, Top in the high word.
  int32_t DesignInfo() const { return designInfo_; }
  void SetDesignInfo(int32_t Value) { designInfo_ = Value; }

  void InsertComponent(TComponent* AComponent);
  void RemoveComponent(TComponent* AComponent);
  void DestroyComponents();
  // Marks this component and everything it owns as being destroyed.
  void Destroying();
  // AComponent is told (Notification opRemove) when this component goes.
  void FreeNotification(TComponent* AComponent);
  void RemoveFreeNotification(TComponent* AComponent);

  // Form-resource reading: csLoading/csReading from before the first property until Loaded.
  void BeginLoading() { state_ += csLoading; state_ += csReading; }
  void EndReading() { state_ -= csReading; }
  // A read that failed: the component is no longer loading, and Loaded does not run.
  void CancelLoading() { state_ -= csReading; state_ -= csLoading; }
  virtual void Loaded() { state_ -= csLoading; }
  // Form reading: the component this one is written inside (a menu item's menu or item).
  // Controls take their window parent instead.
  virtual void SetParentComponent(TComponent* Value) { (void)Value; }
  TPersistent* GetOwner() override { return owner_; }

 protected:
  virtual void Notification(TComponent* AComponent, TOperation Operation);
  void SetDesigning(bool Value) { Value ? state_ += csDesigning : state_ -= csDesigning; }

 private:
  void Teardown();

  TComponent* owner_;
  bool inserted_ = false;
  std::string name_;
  int32_t tag_ = 0;
  int32_t designInfo_ = 0;
  TComponentState state_;
  std::vector<TComponent*> components_;
  std::vector<TComponent*> freeNotifies_;
};

// Two-phase creation: the most derived object is complete before its owner sees it.
template <class T, class... A>
T* Create(TComponent* owner, A&&... args) {
  T* obj = new T(owner, std::forward<A>(args)...);
  try {
    obj->AfterConstruction();
  } catch (...) {
    obj->Free();
    throw;
  }
  return obj;
}

// The component named Name that Owner owns, as a T; raises EReadError when there is none.
template <class T>
T* FindOwned(TComponent* owner, const char* name) {
  T* c = As<T>(owner->FindComponent(name));
  if (!c) throw EReadError(std::string("Component ") + name + " of class " + T::StaticClassName() + " not found");
  return c;
}

// Creates a component of a class known only by reference (form resources, skinner tables).
TComponent* CreateComponent(TClass cls, TComponent* owner);

template <class T>
void FreeAndNil(T*& obj) {
  T* o = obj;
  obj = nullptr;
  if (o) o->Free();
}

// ---------------------------------------------------------------------------------------------

class TCollection;

class TCollectionItem : public TPersistent {
  DECLARE_CLASS(TCollectionItem, TPersistent)
 public:
  explicit TCollectionItem(TCollection* Collection);
  ~TCollectionItem() override;
  TCollection* Collection() const { return collection_; }
  int Index() const;
  int ID() const { return id_; }
  TPersistent* GetOwner() override;

 protected:
  void Changed(bool AllItems);

 private:
  friend class TCollection;
  TCollection* collection_;
  int id_ = 0;
};

class TCollection : public TPersistent {
  DECLARE_CLASS(TCollection, TPersistent)
 public:
  using TItemFactory = TCollectionItem* (*)(TCollection*);
  explicit TCollection(TItemFactory NewItem);
  ~TCollection() override;

  TCollectionItem* Add();
  void Clear();
  void Delete(int Index);
  int Count() const { return static_cast<int>(items_.size()); }
  TCollectionItem* Items(int Index) const { return items_.at(Index); }
  void BeginUpdate() { ++updateCount_; }
  void EndUpdate();
  void Assign(TPersistent* Source) override;

 protected:
  // Called after items are added, removed or changed; Item is null when all changed.
  virtual void Update(TCollectionItem* Item) { (void)Item; }

 private:
  friend class TCollectionItem;
  void Changed();
  TItemFactory newItem_;
  std::vector<TCollectionItem*> items_;
  int nextId_ = 0;
  int updateCount_ = 0;
};

template <class T>
TCollectionItem* NewCollectionItem(TCollection* c) { return new T(c); }
