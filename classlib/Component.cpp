#include "Component.h"

#include <algorithm>
#include <strings.h>

#include "SysUtils.h"

DEFINE_CLASS(TPersistent, TObject, ({}))

void TPersistent::Assign(TPersistent* Source) {
  if (Source) Source->AssignTo(this);
  else AssignTo(this);
}

void TPersistent::AssignTo(TPersistent* Dest) {
  std::string from = "nil";
  if (Dest != this) from = ClassName();
  throw EConvertError("Cannot assign a " + from + " to a " + Dest->ClassName());
}

DEFINE_CLASS(TComponent, TPersistent,
             ({Prop<&TComponent::Name, &TComponent::SetName>("Name"),
               Prop<&TComponent::Tag, &TComponent::SetTag>("Tag")}))

TComponent::TComponent(TComponent* AOwner) : owner_(AOwner) {}

TComponent::~TComponent() {
  if (!state_.Contains(csDestroying)) {
    // Deleted directly rather than through Free: run the same steps, as far as C++ allows.
    Destroying();
    Teardown();
  }
}

void TComponent::AfterConstruction() {
  if (owner_ && !inserted_) owner_->InsertComponent(this);
}

void TComponent::BeforeDestruction() {
  if (!state_.Contains(csDestroying)) Destroying();
  Teardown();
}

void TComponent::Teardown() {
  while (!freeNotifies_.empty()) {
    TComponent* client = freeNotifies_.back();
    freeNotifies_.pop_back();
    client->RemoveFreeNotification(this);
    client->Notification(this, opRemove);
  }
  DestroyComponents();
  if (owner_ && inserted_) owner_->RemoveComponent(this);
}

void TComponent::Destroying() {
  if (state_.Contains(csDestroying)) return;
  state_ += csDestroying;
  for (TComponent* c : components_) c->Destroying();
}

void TComponent::DestroyComponents() {
  while (!components_.empty()) {
    TComponent* c = components_.back();
    c->Free();  // removes itself from this list
    if (!components_.empty() && components_.back() == c) components_.pop_back();
  }
}

int TComponent::ComponentIndex() const {
  if (!owner_) return -1;
  auto& list = owner_->components_;
  auto it = std::find(list.begin(), list.end(), this);
  return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

TComponent* TComponent::FindComponent(const std::string& Name) const {
  if (Name.empty()) return nullptr;
  for (TComponent* c : components_)
    if (strcasecmp(c->name_.c_str(), Name.c_str()) == 0) return c;
  return nullptr;
}

void TComponent::SetName(const std::string& Value) {
  if (Value == name_) return;
  if (owner_ && !Value.empty()) {
    TComponent* other = owner_->FindComponent(Value);
    if (other && other != this) throw EComponentError("A component named " + Value + " already exists");
  }
  name_ = Value;
}

void TComponent::InsertComponent(TComponent* AComponent) {
  if (!AComponent->name_.empty() && FindComponent(AComponent->name_))
    throw EComponentError("A component named " + AComponent->name_ + " already exists");
  std::vector<TComponent*> before = components_;
  components_.push_back(AComponent);
  AComponent->owner_ = this;
  AComponent->inserted_ = true;
  Notification(AComponent, opInsert);  // this owner itself
  for (TComponent* c : before) c->Notification(AComponent, opInsert);
}

void TComponent::RemoveComponent(TComponent* AComponent) {
  // Everyone is told while the removed component is still whole.
  Notification(AComponent, opRemove);
  std::vector<TComponent*> others = components_;
  for (TComponent* c : others)
    if (c != AComponent) c->Notification(AComponent, opRemove);
  components_.erase(std::remove(components_.begin(), components_.end(), AComponent), components_.end());
  AComponent->inserted_ = false;
  AComponent->owner_ = nullptr;
}

void TComponent::Notification(TComponent* AComponent, TOperation Operation) {
  if (Operation == opRemove && AComponent) RemoveFreeNotification(AComponent);
}

void TComponent::FreeNotification(TComponent* AComponent) {
  if (!AComponent || AComponent == this) return;
  if (std::find(freeNotifies_.begin(), freeNotifies_.end(), AComponent) == freeNotifies_.end()) {
    freeNotifies_.push_back(AComponent);
    AComponent->FreeNotification(this);  // both sides learn of each other's end
  }
}

void TComponent::RemoveFreeNotification(TComponent* AComponent) {
  freeNotifies_.erase(std::remove(freeNotifies_.begin(), freeNotifies_.end(), AComponent), freeNotifies_.end());
}

TComponent* CreateComponent(TClass cls, TComponent* owner) {
  if (!cls->create) throw EInvalidOperation(std::string("Cannot create an instance of ") + cls->name);
  TComponent* obj = cls->create(owner);
  try {
    obj->AfterConstruction();
  } catch (...) {
    obj->Free();
    throw;
  }
  return obj;
}

// ---------------------------------------------------------------------------------------------

DEFINE_CLASS(TCollectionItem, TPersistent, ({}))

TCollectionItem::TCollectionItem(TCollection* Collection) : collection_(Collection) {}

TCollectionItem::~TCollectionItem() {
  if (collection_) {
    auto& items = collection_->items_;
    items.erase(std::remove(items.begin(), items.end(), this), items.end());
    collection_->Changed();
  }
}

int TCollectionItem::Index() const {
  if (!collection_) return -1;
  auto& items = collection_->items_;
  auto it = std::find(items.begin(), items.end(), this);
  return it == items.end() ? -1 : static_cast<int>(it - items.begin());
}

TPersistent* TCollectionItem::GetOwner() { return collection_; }

void TCollectionItem::Changed(bool AllItems) {
  if (collection_ && collection_->updateCount_ == 0) collection_->Update(AllItems ? nullptr : this);
}

DEFINE_CLASS(TCollection, TPersistent, ({}))

TCollection::TCollection(TItemFactory NewItem) : newItem_(NewItem) {}

TCollection::~TCollection() {
  ++updateCount_;  // no Update calls while the items go
  Clear();
}

TCollectionItem* TCollection::Add() {
  TCollectionItem* item = newItem_(this);
  item->id_ = nextId_++;
  items_.push_back(item);
  Changed();
  return item;
}

void TCollection::Clear() {
  if (items_.empty()) return;
  BeginUpdate();
  while (!items_.empty()) items_.back()->Free();
  EndUpdate();
}

void TCollection::Delete(int Index) { items_.at(Index)->Free(); }

void TCollection::EndUpdate() {
  if (updateCount_ > 0 && --updateCount_ == 0) Changed();
}

void TCollection::Changed() {
  if (updateCount_ == 0) Update(nullptr);
}

void TCollection::Assign(TPersistent* Source) {
  auto* src = As<TCollection>(Source);
  if (!src) return TPersistent::Assign(Source);
  if (src == this) return;  // clearing first would empty both
  BeginUpdate();
  Clear();
  for (TCollectionItem* item : src->items_) Add()->Assign(item);
  EndUpdate();
}
