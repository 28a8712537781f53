// Two-phase objects: the set-up that reaches the most derived class, failures, watching
// components that go first or last, and objects that free themselves when their component goes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ObjectFactory.h"

namespace {

std::vector<std::string> events;

// A base that sets itself up through a virtual call, as a control skinner does.
class TBase : public TManagedObject {
 public:
  explicit TBase(TComponent* watched) : watched_(watched) { events.push_back("base constructed"); }
  ~TBase() override { events.push_back("destroyed"); }
  void AfterConstruction() override {
    TManagedObject::AfterConstruction();
    Watch(watched_);
    AfterAttach();
  }
  TComponent* watched_;
  bool freeSelfWhenWatchedGoes = false;
  TBase* self = nullptr;

 protected:
  virtual void AfterAttach() { events.push_back("base set-up"); }
  void ComponentFreed(TComponent* c) override {
    events.push_back(std::string("freed ") + c->Name() + (c->ComponentState().Contains(csDestroying) ? " (whole)" : ""));
    if (c == watched_) watched_ = nullptr;
    if (freeSelfWhenWatchedGoes) FreeObject(self);
  }
};

class TDerived : public TBase {
 public:
  using TBase::TBase;
  std::string label = "derived ready";
  bool failSetUp = false;

 protected:
  void AfterAttach() override {
    events.push_back(label);  // a member of the derived class, initialised by now
    if (failSetUp) throw Exception("set-up failed");
  }
};

TComponent* Named(const char* name) {
  TComponent* c = Create<TComponent>(nullptr);
  c->SetName(name);
  return c;
}

TEST(ObjectFactory, TheSetUpRunsOnTheCompleteObject) {
  events.clear();
  TDerived* obj = NewObject<TDerived>(nullptr);
  EXPECT_EQ(events, (std::vector<std::string>{"base constructed", "derived ready"}));
  FreeObject(obj);
  EXPECT_EQ(obj, nullptr);
  EXPECT_EQ(events.back(), "destroyed");
  FreeObject(obj);  // null: nothing
}

TEST(ObjectFactory, AFailedSetUpFreesTheObjectAndPassesTheException) {
  events.clear();
  struct TFailing : TDerived {
    explicit TFailing(TComponent* c) : TDerived(c) { failSetUp = true; }
  };
  TComponent* watched = Named("Button1");
  EXPECT_THROW(NewObject<TFailing>(watched), Exception);
  EXPECT_EQ(events, (std::vector<std::string>{"base constructed", "derived ready", "destroyed"}));
  events.clear();
  watched->Free();  // no longer watched by the failed object
  EXPECT_TRUE(events.empty());
}

TEST(ObjectFactory, WatchedComponentsGoingFirstOrLast) {
  const struct {
    const char* name;
    bool componentFirst;
    bool freeSelf;
    std::vector<std::string> expected;  // after the set-up
  } cases[] = {
      {"component first", true, false, {"freed Button1 (whole)", "destroyed"}},
      {"component first, object frees itself", true, true, {"freed Button1 (whole)", "destroyed"}},
      {"object first", false, false, {"destroyed"}},
  };
  for (const auto& c : cases) {
    TComponent* watched = Named("Button1");
    TDerived* obj = NewObject<TDerived>(watched);
    obj->freeSelfWhenWatchedGoes = c.freeSelf;
    obj->self = obj;
    events.clear();
    if (c.componentFirst) {
      watched->Free();
      if (!c.freeSelf) {
        EXPECT_EQ(obj->watched_, nullptr) << c.name;
        FreeObject(obj);
      }
    } else {
      FreeObject(obj);
      watched->Free();
    }
    EXPECT_EQ(events, c.expected) << c.name;
  }
}

TEST(ObjectFactory, UnwatchedComponentsAreNotReported) {
  struct TWatching : TManagedObject {
    using TManagedObject::Unwatch;
    using TManagedObject::Watch;
    void ComponentFreed(TComponent*) override { ++reports; }
    int reports = 0;
  };
  TWatching* obj = NewObject<TWatching>();
  TComponent* kept = Named("Kept");
  TComponent* dropped = Named("Dropped");
  obj->Watch(kept);
  obj->Watch(dropped);
  obj->Unwatch(dropped);
  dropped->Free();
  EXPECT_EQ(obj->reports, 0);
  kept->Free();
  EXPECT_EQ(obj->reports, 1);
  FreeObject(obj);
}

}  // namespace
