// A program whose units, forms and components write their start-up and destruction into the
// log file named by the first argument; "fail" as the second makes one unit's start-up throw.
#include <cstdio>
#include <string>

#include "Forms.h"
#include "ObjectCount.h"
#include "Startup.h"

namespace {

std::string logPath;

void Log(const std::string& line) {
  if (FILE* f = std::fopen(logPath.c_str(), "a")) {
    std::fputs((line + "\n").c_str(), f);
    std::fclose(f);
  }
}

class TLogged : public TComponent {
 public:
  using TComponent::TComponent;
  void BeforeDestruction() override {
    Log("free " + Name());
    TComponent::BeforeDestruction();
  }
};

class TLogForm : public TForm {
 public:
  explicit TLogForm(TComponent* owner) : TForm(owner, true) {}
  void BeforeDestruction() override {
    Log("free " + Name());
    TForm::BeforeDestruction();
  }
  void Own(const char* name) { Create<TLogged>(this)->SetName(name); }
  // The main form ends the loop as soon as it is shown.
  void CloseAtOnce(TObject*) { PostMessageA(Handle(), WM_CLOSE, 0, 0); }
};

HWND appWindow = nullptr;
HICON appIcon = nullptr;
ObjectCount withApplication;  // as the application object starts to go

// Sees the application object and the screen go.
class TWatcher : public TComponent {
 public:
  using TComponent::TComponent;
  void Notification(TComponent* AComponent, TOperation Operation) override {
    if (Operation == opRemove && AComponent == Application) {
      Log("free Application");
      withApplication = CountObjects();
    }
    if (Operation == opRemove && AComponent == Screen) Log("free Screen");
    TComponent::Notification(AComponent, Operation);
  }
};

// The application's window and icon are gone, and the process holds fewer objects: the two in
// USER, the icon's images in GDI.
void FinishEngine() {
  const ObjectCount now = CountObjects();
  ICONINFO info{};
  const bool iconStands = GetIconInfo(appIcon, &info);
  if (iconStands) {
    DeleteObject(info.hbmMask);
    DeleteObject(info.hbmColor);
  }
  const bool givenBack = now.user <= withApplication.user - 2 && now.gdi < withApplication.gdi;
  Log(std::string("finish ZUBSkinEngine, application ") + (Application || Screen ? "stands" : "freed") +
      ", its window " + (IsWindow(appWindow) ? "stands" : "gone") + ", its icon " + (iconStands ? "stands" : "gone") +
      (givenBack ? ", objects given back" : ", objects GDI " + std::to_string(now.gdi - withApplication.gdi) +
                                                " USER " + std::to_string(now.user - withApplication.user)));
}

// Registered out of their order: the levels decide.
const TUnitRegistration engine("ZUBSkinEngine", ulSkinEngine, [] { Log("start ZUBSkinEngine"); }, FinishEngine);
const TUnitRegistration stdWnd("ZUBSkinStdWnd", ulSkinWindowClasses, [] { Log("start ZUBSkinStdWnd"); },
                               [] { Log("finish ZUBSkinStdWnd"); });
const TUnitRegistration utils("ZUBSkinUtils", ulSkinUtils, [] { Log("start ZUBSkinUtils"); },
                              [] { Log("finish ZUBSkinUtils"); });
const TUnitRegistration reader("ZUBSkinReader", ulSkinReader, [] { Log("start ZUBSkinReader"); },
                               [] { Log("finish ZUBSkinReader"); });

bool failStdCtrl = false;

void StartStdCtrl() {
  Log("start ZUBSkinStdCtrl");
  if (failStdCtrl) throw Exception("control-class table failed");
}

void OnException(TObject*, const Exception& e) { Log("error: " + e.Message()); }

struct AtExit {
  ~AtExit() { Log("static destruction"); }
} atExit;

TLogForm* MainForm = nullptr;
TLogForm* Form2 = nullptr;

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  logPath = argv[1];
  failStdCtrl = argc > 2 && std::string(argv[2]) == "fail";
  RegisterUnit("ZUBSkinStdCtrl", ulSkinControlClasses, StartStdCtrl, [] { Log("finish ZUBSkinStdCtrl"); });
  Application->OnException = TExceptionEvent::Bind<&OnException>();
  TWatcher watcher(nullptr);
  Application->FreeNotification(&watcher);
  Screen->FreeNotification(&watcher);
  const int result = RunProgram([] {
    Log("application initialised");
    Application->Initialize();
    appWindow = Application->Handle();
    appIcon = Application->Icon()->Handle();
    Application->CreateForm(MainForm);
    MainForm->SetName("MainForm");
    MainForm->Own("Engine1");
    Application->CreateForm(Form2);
    Form2->SetName("Form2");
    Form2->Own("Skinner2");
    Create<TLogForm>(nullptr)->SetName("Loose");
    MainForm->OnShow = TNotifyEvent::Bind<&TLogForm::CloseAtOnce>(MainForm);
    Application->Run();
    Log("loop ended");
  });
  Log("exit " + std::to_string(result));
  return result;
}
