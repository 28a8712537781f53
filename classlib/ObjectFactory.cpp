#include "ObjectFactory.h"

// The component that stands in for a TManagedObject in the free notifications of the
// components it watches.
class TManagedObject::TWatcher : public TComponent {
 public:
  TWatcher(TComponent* AOwner, TManagedObject* Client) : TComponent(AOwner), client_(Client) {}

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override {
    TComponent::Notification(AComponent, Operation);
    // The client may free itself, and this watcher with it: nothing after the call.
    if (Operation == opRemove && !client_->destroying_) client_->ComponentFreed(AComponent);
  }

 private:
  TManagedObject* client_;
};

DEFINE_CLASS(TManagedObject, TObject, ({}))

TManagedObject::~TManagedObject() {
  destroying_ = true;
  StopWatching();
}

void TManagedObject::BeforeDestruction() {
  destroying_ = true;
  StopWatching();
}

void TManagedObject::Watch(TComponent* Component) {
  if (!Component || destroying_) return;
  if (!watcher_) watcher_ = Create<TWatcher>(nullptr, this);
  watcher_->FreeNotification(Component);
}

void TManagedObject::Unwatch(TComponent* Component) {
  if (!Component || !watcher_) return;
  watcher_->RemoveFreeNotification(Component);
  Component->RemoveFreeNotification(watcher_);
}

void TManagedObject::StopWatching() { FreeAndNil(watcher_); }
