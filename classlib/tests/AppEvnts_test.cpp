// Application events under Wine: what the loops hand to every instance, Handled, and instances
// that come and go inside a handler.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "AppEvnts.h"
#include "Forms.h"

namespace {

constexpr UINT kProbe = WM_APP + 41;

// The form that the probe message is posted to; it counts what reaches its WindowProc.
class TTargetForm : public TForm {
  DECLARE_CLASS(TTargetForm, TForm)
 public:
  explicit TTargetForm(TComponent* owner) : TForm(owner, true) {}
  int probes = 0;

 protected:
  void WndProc(TMessage& m) override {
    if (m.Msg == kProbe) ++probes;
    TForm::WndProc(m);
  }
};
DEFINE_COMPONENT(TTargetForm, TForm, ({}), ({}))

// Handlers by name, writing what they heard into one log.
struct Listener {
  std::string name;
  bool handle = false;
  bool freeSelf = false;
  Listener* createOnProbe = nullptr;  // a listener to start from inside this handler
  TApplicationEvents* events = nullptr;
  std::vector<std::string>* log = nullptr;
  TCustomForm* endModal = nullptr;

  void Start(std::vector<std::string>& into) {
    log = &into;
    events = Create<TApplicationEvents>(nullptr);
    events->OnMessage = TMessageEvent::Bind<&Listener::OnMessage>(this);
  }
  void Stop() { FreeAndNil(events); }
  void OnMessage(MSG& msg, bool& handled) {
    if (msg.message != kProbe) return;
    log->push_back(name + (handled ? " (handled)" : ""));
    if (handle) handled = true;
    if (endModal) endModal->SetModalResult(mrOk);
    if (createOnProbe) {
      createOnProbe->Start(*log);
      createOnProbe = nullptr;
    }
    if (freeSelf) Stop();
  }
};

struct LoopCase {
  const char* name;
  void (*run)(TTargetForm* target, Listener& newer);
};

TEST(ApplicationEvents, EveryLoopHandsEachMessageToEveryInstanceAndHandledStopsTheDispatch) {
  const LoopCase loops[] = {
      {"ProcessMessages", [](TTargetForm*, Listener&) { Application->ProcessMessages(); }},
      {"HandleMessage", [](TTargetForm*, Listener&) { Application->HandleMessage(); }},
      {"a modal loop",
       [](TTargetForm*, Listener& newer) {
         TForm* modal = Create<TForm>(nullptr, true);
         newer.endModal = modal;
         modal->ShowModal();
         newer.endModal = nullptr;
         modal->Free();
       }},
  };
  for (const LoopCase& loop : loops) {
    TTargetForm* target = Create<TTargetForm>(nullptr);
    std::vector<std::string> log;
    Listener older{"older"}, newer{"newer"};
    newer.handle = true;
    older.Start(log);
    newer.Start(log);
    PostMessageA(target->Handle(), kProbe, 0, 0);
    loop.run(target, newer);
    EXPECT_EQ(log, (std::vector<std::string>{"newer", "older (handled)"})) << loop.name;
    EXPECT_EQ(target->probes, 0) << loop.name;
    newer.Stop();
    PostMessageA(target->Handle(), kProbe, 0, 0);
    Application->ProcessMessages();
    EXPECT_EQ(target->probes, 1) << loop.name << ": without a handling instance the window has it";
    older.Stop();
    target->Free();
  }
}

TEST(ApplicationEvents, InstancesCreatedOrFreedInsideAHandler) {
  TTargetForm* target = Create<TTargetForm>(nullptr);
  std::vector<std::string> log;
  Listener first{"first"}, selfFreeing{"self-freeing"}, late{"late"};
  selfFreeing.freeSelf = true;
  selfFreeing.createOnProbe = &late;
  first.Start(log);
  selfFreeing.Start(log);
  PostMessageA(target->Handle(), kProbe, 0, 0);
  Application->ProcessMessages();
  EXPECT_EQ(log, (std::vector<std::string>{"self-freeing", "first"}));
  EXPECT_EQ(selfFreeing.events, nullptr);
  log.clear();
  PostMessageA(target->Handle(), kProbe, 0, 0);
  Application->ProcessMessages();
  EXPECT_EQ(log, (std::vector<std::string>{"late", "first"}));
  EXPECT_EQ(target->probes, 2);
  late.Stop();
  first.Stop();
  target->Free();
}

std::vector<std::string>* appLog;
void AppOnMessage(MSG& msg, bool& handled) {
  if (msg.message != kProbe) return;
  appLog->push_back("application");
  handled = true;
}

TEST(ApplicationEvents, ApplicationOnMessageComesFirst) {
  TTargetForm* target = Create<TTargetForm>(nullptr);
  std::vector<std::string> log;
  Listener component{"component"};
  component.Start(log);
  appLog = &log;
  Application->OnMessage = TMessageEvent::Bind<&AppOnMessage>();
  PostMessageA(target->Handle(), kProbe, 0, 0);
  Application->ProcessMessages();
  Application->OnMessage = nullptr;
  EXPECT_EQ(log, (std::vector<std::string>{"application", "component (handled)"}));
  EXPECT_EQ(target->probes, 0);
  component.Stop();
  target->Free();
}

}  // namespace
