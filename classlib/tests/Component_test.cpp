// Components: ownership, notifications, destruction order, class references and published tables.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Component.h"

namespace {

std::vector<std::string> journal;

class TProbe : public TComponent {
  DECLARE_CLASS(TProbe, TComponent)
 public:
  explicit TProbe(TComponent* owner) : TComponent(owner) {}
  ~TProbe() override { journal.push_back("destroy " + Name()); }
  void BeforeDestruction() override {
    journal.push_back("before " + Name() + (ComponentState().Contains(csDestroying) ? " destroying" : ""));
    TComponent::BeforeDestruction();
  }
  // A virtual called while the owner inserts: must reach this class.
  virtual std::string Kind() const { return "probe"; }
  int32_t Count() const { return count_; }
  void SetCount(int32_t v) { count_ = v; }
  TNotifyEvent OnPing;

 protected:
  void Notification(TComponent* c, TOperation op) override {
    TComponent::Notification(c, op);
    auto* p = As<TProbe>(c);
    journal.push_back(Name() + (op == opInsert ? " sees insert of " : " sees remove of ") +
                      (p ? p->Kind() + ":" + c->Name() : c->Name()));
  }

 private:
  int32_t count_ = 0;
};

class TSpecialProbe : public TProbe {
  DECLARE_CLASS(TSpecialProbe, TProbe)
 public:
  using TProbe::TProbe;
  std::string Kind() const override { return "special"; }
  void Ping(TObject*) { ++pings; }
  int pings = 0;
};

DEFINE_COMPONENT(TProbe, TComponent,
                 ({Prop<&TProbe::Count, &TProbe::SetCount>("Count"), Field<&TProbe::OnPing>("OnPing")}), ({}))
DEFINE_COMPONENT(TSpecialProbe, TProbe, ({}), ({Handler<&TSpecialProbe::Ping>("Ping")}))

template <class T>
T* Make(TComponent* owner, const std::string& name) {
  T* c = Create<T>(owner);
  c->SetName(name);
  return c;
}

class ComponentTest : public ::testing::Test {
 protected:
  void SetUp() override { journal.clear(); }
};

TEST_F(ComponentTest, OwnerListsItsComponentsInCreationOrder) {
  TProbe* owner = Make<TProbe>(nullptr, "owner");
  TProbe* a = Make<TProbe>(owner, "a");
  TProbe* b = Make<TProbe>(owner, "b");
  ASSERT_EQ(owner->ComponentCount(), 2);
  EXPECT_EQ(owner->Components(0), a);
  EXPECT_EQ(owner->Components(1), b);
  EXPECT_EQ(a->Owner(), owner);
  EXPECT_EQ(owner->FindComponent("B"), b);  // names match without regard to case
  EXPECT_EQ(b->ComponentIndex(), 1);
  owner->Free();
}

TEST_F(ComponentTest, InsertionReachesTheMostDerivedClassOfTheNewComponent) {
  TProbe* owner = Make<TProbe>(nullptr, "owner");
  Make<TProbe>(owner, "first");
  journal.clear();
  Create<TSpecialProbe>(owner);
  // The new component is complete when the owner and its components hear of it.
  EXPECT_EQ(journal, (std::vector<std::string>{"owner sees insert of special:", "first sees insert of special:"}));
  owner->Free();
}

TEST_F(ComponentTest, FreeMarksAllDestroyingThenFreesOwnedLastToFirstBeforeItself) {
  TProbe* owner = Make<TProbe>(nullptr, "owner");
  Make<TProbe>(owner, "a");
  Make<TProbe>(owner, "b");
  journal.clear();
  owner->Free();
  // The owned ones are already marked when their own destruction starts.
  EXPECT_EQ(journal, (std::vector<std::string>{"before owner", "before b destroying", "owner sees remove of probe:b",
                                                "a sees remove of probe:b", "destroy b", "before a destroying",
                                                "owner sees remove of probe:a", "destroy a", "destroy owner"}));
}

TEST_F(ComponentTest, FreedComponentLeavesItsOwnerAndOthersHearItWhileItIsWhole) {
  TProbe* owner = Make<TProbe>(nullptr, "owner");
  TProbe* a = Make<TSpecialProbe>(owner, "a");
  Make<TProbe>(owner, "b");
  journal.clear();
  a->Free();
  EXPECT_EQ(owner->ComponentCount(), 1);
  EXPECT_EQ(journal, (std::vector<std::string>{"before a", "owner sees remove of special:a",
                                                "b sees remove of special:a", "destroy a"}));
  owner->Free();
}

TEST_F(ComponentTest, FreeNotificationTellsAClientOutsideTheOwner) {
  TProbe* watcher = Make<TProbe>(nullptr, "watcher");
  TProbe* watched = Make<TProbe>(nullptr, "watched");
  watched->FreeNotification(watcher);
  journal.clear();
  watched->Free();
  EXPECT_NE(std::find(journal.begin(), journal.end(), "watcher sees remove of probe:watched"), journal.end());
  journal.clear();
  watcher->Free();  // no stale reference to the freed component is left behind
  EXPECT_EQ(journal, (std::vector<std::string>{"before watcher", "destroy watcher"}));
}

TEST_F(ComponentTest, DuplicateNameInOneOwnerIsRefused) {
  TProbe* owner = Make<TProbe>(nullptr, "owner");
  Make<TProbe>(owner, "a");
  TProbe* b = Make<TProbe>(owner, "b");
  EXPECT_THROW(b->SetName("A"), EComponentError);
  EXPECT_EQ(b->Name(), "b");
  owner->Free();
}

TEST_F(ComponentTest, DeleteWithoutFreeStillFreesOwnedAndLeavesOwner) {
  TProbe* owner = Make<TProbe>(nullptr, "owner");
  TProbe* mid = Make<TProbe>(owner, "mid");
  Make<TProbe>(mid, "leaf");
  delete mid;
  EXPECT_EQ(owner->ComponentCount(), 0);
  EXPECT_NE(std::find(journal.begin(), journal.end(), "destroy leaf"), journal.end());
  owner->Free();
}

TEST(ClassReference, AncestryNamesAndCreationByName) {
  TClass cls = FindClass("tspecialprobe");
  ASSERT_EQ(cls, TSpecialProbe::StaticClass());
  EXPECT_TRUE(cls->InheritsFrom(TProbe::StaticClass()));
  EXPECT_TRUE(cls->InheritsFrom(TComponent::StaticClass()));
  EXPECT_FALSE(TProbe::StaticClass()->InheritsFrom(cls));
  EXPECT_EQ(FindClass("TNoSuchClass"), nullptr);

  TComponent* obj = CreateComponent(cls, nullptr);
  EXPECT_EQ(obj->ClassName(), "TSpecialProbe");
  EXPECT_TRUE(obj->Is<TProbe>());
  EXPECT_EQ(As<TSpecialProbe>(obj)->Kind(), "special");
  obj->Free();
}

TEST(PublishedTable, PropertiesAreFoundThroughAncestorsAndSetByValue) {
  TSpecialProbe* p = Create<TSpecialProbe>(nullptr);
  const TPropInfo* count = GetPropInfo(p, "count");
  ASSERT_NE(count, nullptr);
  EXPECT_STREQ(count->type->name, "Integer");
  count->set(p, TValue::Int(7));
  EXPECT_EQ(p->Count(), 7);
  EXPECT_EQ(count->get(p).i, 7);
  const TPropInfo* name = GetPropInfo(p, "Name");
  ASSERT_NE(name, nullptr);
  EXPECT_EQ(name->type->kind, TTypeKind::String);
  EXPECT_EQ(GetPropInfo(p, "NoSuch"), nullptr);

  // A published handler binds to an event of the same signature.
  const TMethodInfo* ping = p->ClassType()->FindMethod("PING");
  ASSERT_NE(ping, nullptr);
  const TPropInfo* onPing = GetPropInfo(p, "OnPing");
  ASSERT_EQ(*ping->signature, *onPing->type->signature);
  onPing->set(p, TValue::Meth(ping->bind(p)));
  ASSERT_TRUE(p->OnPing.Assigned());
  p->OnPing(p);
  EXPECT_EQ(p->pings, 1);
  p->Free();
}

TEST(BoundMethod, UnassignedComparesAndCallsThroughItsObject) {
  TSpecialProbe a(nullptr), b(nullptr);
  TNotifyEvent none;
  EXPECT_FALSE(none.Assigned());
  auto pa = TNotifyEvent::Bind<&TSpecialProbe::Ping>(&a);
  auto pb = TNotifyEvent::Bind<&TSpecialProbe::Ping>(&b);
  EXPECT_TRUE(pa == TNotifyEvent::Bind<&TSpecialProbe::Ping>(&a));
  EXPECT_TRUE(pa != pb);
  pb(nullptr);
  EXPECT_EQ(a.pings, 0);
  EXPECT_EQ(b.pings, 1);
}

}  // namespace
