// Skinned application forms under Wine, read from form descriptions with a skin of solid
// colours: the client size through skin on, off and on, the control walk, unskinning one form,
// the main form's first showing, maximising, restyling, the MDI child-menu notice.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "EngineTesting.h"
#include "FormReader.h"
#include "StdCtrls.h"
#include "TestLoop.h"
#include "TzubSkinButton.h"
#include "TzubSkinWindowVCL.h"

namespace {

constexpr int32_t kBack = 0x204060;

std::string SkinHex() {
  return Hex(BuildSkin({Img("TitleBarLeftImage", 0x0000C0, 10, 31), Img("FormLeftBorderImage", 0x00C000, 5, 20),
                        Img("FormBottomBorderImage", 0xC00000, 20, 6), Int("FormBackgroundColor", kBack),
                        Int("FormRoundCornerInt", 8), Int("FormMinWidthInt", 150),
                        Img("ButtonImage", 0x808080, 30, 20)}));
}

std::string EngineText(const std::string& extra = "") {
  return "  object zubSkinEngine1: TzubSkinEngine\n    Active = True\n    DisabledTag = 9999\n" + extra +
         "    SkinData = {" + SkinHex() + "}\n  end\n";
}

// A form description: 300 x 200 client, a button, optionally a main menu.
std::string FormText(const std::string& cls, const std::string& props, bool menu, bool engine) {
  std::string t = "object Form1: " + cls + "\n" + props + "  ClientWidth = 300\n  ClientHeight = 200\n  Color = clWhite\n";
  if (menu) t += "  Menu = MainMenu1\n  object MainMenu1: TMainMenu\n    object File1: TMenuItem\n      Caption = 'File'\n    end\n  end\n";
  t += "  object Button1: TButton\n    Left = 8\n    Top = 8\n    Width = 75\n    Height = 25\n    Caption = 'OK'\n  end\n";
  t += "  object Button2: TButton\n    Left = 8\n    Top = 40\n    Width = 75\n    Height = 25\n    Tag = 9999\n  end\n";
  if (engine) t += EngineText();
  return t + "end\n";
}

TForm* ReadForm(const std::string& props, bool menu, bool engine = true) {
  TForm* form = Create<TForm>(nullptr, true);
  ReadComponentText(form, FormText("TForm", props, menu, engine));
  return form;
}

TzubSkinEngine* EngineOf(TComponent* form) { return As<TzubSkinEngine>(form->FindComponent("zubSkinEngine1")); }

TzubSkinWindowVCL* SkinnerOf(TzubSkinEngine* engine, TCustomForm* form) {
  for (TzubSkinWindow* w : engine->FWindows)
    if (auto* vcl = As<TzubSkinWindowVCL>(w); vcl && vcl->Form == form) return vcl;
  return nullptr;
}

SIZE ClientSize(TWinControl* c) {
  RECT r{};
  GetClientRect(c->Handle(), &r);
  return {r.right, r.bottom};
}
bool SysMenu(TWinControl* c) { return (GetWindowLongPtrA(c->Handle(), GWL_STYLE) & WS_SYSMENU) != 0; }
LRESULT IsSkinned(TWinControl* c) { return SendMessageA(c->Handle(), ZM_ISSKINNED, 0, 0); }

class SkinnedForm : public ::testing::Test {
 protected:
  void SetUp() override {
    ZUBSkinEngineInitialization();
    RegisterSkinControlClasses({{TButton::StaticClass(), &NewSkinControlVCL<TzubSkinButton>}});
  }
  void TearDown() override { ZUBSkinEngineFinalization(); }
};

// ---- The client size and the system menu through skin on, off and on ----

TEST_F(SkinnedForm, ClientSizeAndSystemMenuSurviveSkinOnOffOn) {
  const struct {
    const char* props;
    bool menu;
    bool sysMenu;
  } cases[] = {{"  BorderStyle = bsSingle\n", false, true},         {"  BorderStyle = bsSizeable\n", true, true},
               {"  BorderStyle = bsDialog\n", false, true},         {"  BorderStyle = bsToolWindow\n", true, true},
               {"  BorderStyle = bsSingle\n  BorderIcons = []\n", true, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.props) + (c.menu ? " with a menu" : ""));
    TForm* form = ReadForm(c.props, c.menu);
    TzubSkinEngine* engine = EngineOf(form);
    for (bool on : {true, false, true}) {
      engine->SetActive(on);
      EXPECT_EQ(ClientSize(form).cx, 300) << on;
      // The menu bar, shown while skinned, adds its height.
      EXPECT_EQ(ClientSize(form).cy, 200 + SendMessageA(form->Handle(), ZM_GETMENUBARHEIGHT, 0, 0)) << on;
      EXPECT_EQ(SysMenu(form), !on && c.sysMenu) << on;
      EXPECT_EQ(GetMenu(form->Handle()) != nullptr, !on && c.menu) << on;
      EXPECT_EQ(form->Color(), on ? TColor(kBack) : clWhite) << on;
    }
    form->Free();
  }
}

TEST_F(SkinnedForm, TheSkinnedFormHasRoundedTopCorners) {
  TForm* form = ReadForm("  BorderStyle = bsSingle\n", false);
  GdiObject<HRGN> region(CreateRectRgn(0, 0, 0, 0));
  ASSERT_NE(GetWindowRgn(form->Handle(), region.get()), ERROR);
  EXPECT_FALSE(PtInRegion(region.get(), 0, 0));
  EXPECT_TRUE(PtInRegion(region.get(), 8, 8));
  form->Free();
}

// ---- The walk ----

class TzubOwnButton : public TButton {
  DECLARE_CLASS(TzubOwnButton, TButton)
 public:
  using TButton::TButton;
};
DEFINE_CLASS(TzubOwnButton, TButton, ({}))

TEST_F(SkinnedForm, TheWalkSkipsByTagClassNameParentAndSkinnedState) {
  TForm* form = ReadForm("", false);
  TzubSkinEngine* engine = EngineOf(form);
  TzubSkinWindowVCL* skinner = SkinnerOf(engine, form);
  ASSERT_NE(skinner, nullptr);
  auto* b1 = As<TButton>(form->FindComponent("Button1"));
  auto* b2 = As<TButton>(form->FindComponent("Button2"));
  EXPECT_EQ(IsSkinned(b1), 1);
  EXPECT_EQ(IsSkinned(b2), 0) << "Tag 9999";
  EXPECT_EQ(skinner->ControlSkinners.size(), 1u);

  auto make = [&](TWinControl* parent, int tag) {
    TButton* b = Create<TButton>(form);
    b->SetParent(parent);
    b->SetTag(tag);
    return b;
  };
  TButton* later = make(form, 0);
  EXPECT_EQ(IsSkinned(later), 0) << "added after the walk";

  TButton* own = Create<TzubOwnButton>(form);
  own->SetParent(form);
  TButton* orphan = make(nullptr, 0);
  TForm* named = Create<TForm>(form, true);
  named->SetName("Inner");
  named->SetParent(form);
  TButton* inner = Create<TButton>(named);
  inner->SetParent(named);
  TForm* unnamed = Create<TForm>(form, true);
  unnamed->SetParent(form);
  TButton* hidden = Create<TButton>(unnamed);
  hidden->SetParent(unnamed);
  const size_t before = skinner->ControlSkinners.size();
  for (TControl* c : std::initializer_list<TControl*>{later, later, own, orphan, named, unnamed}) skinner->SkinControl(c);
  EXPECT_EQ(skinner->ControlSkinners.size(), before + 2) << "the later button once, the named form's button";
  EXPECT_EQ(IsSkinned(inner), 1);
  EXPECT_EQ(IsSkinned(hidden), 0);
  EXPECT_EQ(named->Color(), TColor(kBack));

  engine->DisabledTag = 0;  // excludes nothing, in the walk and in the messages
  TButton* zero = make(form, 0);
  skinner->SkinControl(zero);
  EXPECT_EQ(IsSkinned(zero), 1);
  form->Free();
}

TEST_F(SkinnedForm, ControlsGetTheirProcedureBackAndAFreedControlLeavesTheList) {
  TForm* form = ReadForm("", false);
  TzubSkinWindowVCL* skinner = SkinnerOf(EngineOf(form), form);
  TButton* b = Create<TButton>(form);
  b->SetParent(form);
  const TWndMethod own = b->WindowProc;
  skinner->SkinControl(b);
  ASSERT_EQ(IsSkinned(b), 1);
  skinner->UnskinControl(skinner->ControlSkinners.back());  // on the engine's own form
  EXPECT_TRUE(b->WindowProc == own);
  EXPECT_EQ(IsSkinned(b), 0);

  skinner->SkinControl(b);
  b->Free();
  for (TzubSkinControl* s : skinner->ControlSkinners) {
    if (auto* vcl = As<TzubSkinControlVCL>(s)) {
      EXPECT_NE(vcl->Control, static_cast<TControl*>(b));
    }
  }
  EngineOf(form)->SetActive(false);  // the list is walked without the freed control
  EngineOf(form)->SetActive(true);
  form->Free();
}

// ---- Unskinning one form on purpose ----

TEST_F(SkinnedForm, AnUnskinnedSecondFormGetsItsOwnBackButNotTheAuthorsConstraints) {
  TForm* main = ReadForm("", false);
  TzubSkinEngine* engine = EngineOf(main);
  TForm* second = ReadForm("  Constraints.MinWidth = 222\n", true, false);
  engine->SkinAllScreenForms();
  ASSERT_EQ(IsSkinned(second), 1);
  EXPECT_EQ(second->Constraints()->MinWidth(), 222);
  EXPECT_EQ(second->Constraints()->MinHeight(), 6 + SendMessageA(second->Handle(), ZM_GETMENUBARHEIGHT, 0, 0));

  engine->SetSkinAllForms(false);
  EXPECT_EQ(IsSkinned(second), 0);
  EXPECT_NE(GetMenu(second->Handle()), nullptr);
  EXPECT_TRUE(SysMenu(second));
  EXPECT_EQ(ClientSize(second).cx, 300);
  EXPECT_EQ(ClientSize(second).cy, 200);
  EXPECT_EQ(second->Constraints()->MinWidth(), 222);
  EXPECT_EQ(second->Constraints()->MinHeight(), 0);
  EXPECT_EQ(second->Color(), clWhite);
  second->Free();
  main->Free();
}

// ---- Maximising, restyling ----

TEST_F(SkinnedForm, AMaximisedFormFillsItsMonitorsWorkAreaGrownBy4) {
  // A fixed border: the platform alone maximises it less far.
  TForm* form = ReadForm("  BorderStyle = bsSingle\n", false);
  ShowWindow(form->Handle(), SW_SHOWMAXIMIZED);
  MONITORINFO info{};
  info.cbSize = sizeof info;
  GetMonitorInfoA(MonitorFromWindow(form->Handle(), MONITOR_DEFAULTTONEAREST), &info);
  RECT want = info.rcWork;
  want.bottom -= 1;
  InflateRect(&want, 4, 4);
  RECT r{};
  GetWindowRect(form->Handle(), &r);
  EXPECT_EQ((std::vector<LONG>{r.left, r.top, r.right, r.bottom}),
            (std::vector<LONG>{want.left, want.top, want.right, want.bottom}));
  form->Free();
}

TEST_F(SkinnedForm, RestyledFormsKeepTheSkinsFrame) {
  TForm* form = ReadForm("  BorderStyle = bsSingle\n", false);
  TzubSkinWindowVCL* skinner = SkinnerOf(EngineOf(form), form);
  const struct {
    TFormBorderStyle style;
    bool title;
  } cases[] = {{bsSizeable, true}, {bsNone, false}, {bsDialog, true}};
  for (const auto& c : cases) {
    form->SetBorderStyle(c.style);
    EXPECT_FALSE(SysMenu(form)) << c.style;
    EXPECT_EQ(skinner->TitleBarVisible, c.title) << c.style;
    EXPECT_EQ(skinner->BorderVisible, c.title) << c.style;
    EXPECT_EQ(IsSkinned(form), 1);
  }
  form->Free();
}

// The platform's system menu and close box come back by the form's border icons: also after an
// icon set while skinned (restyled in place) and after a change made while the engine was off.
TEST_F(SkinnedForm, TheSystemMenuComesBackByTheFormsBorderIcons) {
  const struct {
    const char* what;
    const char* icons;
    bool setIcon;
    TBorderIcons whileOff;
    bool sysMenu;
  } cases[] = {{"icon set while skinned", "[biSystemMenu]", true, {biSystemMenu}, true},
               {"added while off", "[]", false, {biSystemMenu}, true},
               {"taken while off", "[biSystemMenu]", false, {}, false}};
  for (const auto& c : cases) {
    TForm* form = ReadForm(std::string("  BorderStyle = bsSingle\n  BorderIcons = ") + c.icons + "\n", false);
    TzubSkinEngine* engine = EngineOf(form);
    if (c.setIcon) form->Icon()->SetHandle(CopyIcon(LoadIcon(nullptr, IDI_APPLICATION)));
    engine->SetActive(false);
    form->SetBorderIcons(c.whileOff);
    engine->SetActive(true);
    engine->SetActive(false);
    EXPECT_EQ(SysMenu(form), c.sysMenu) << c.what;
    form->Free();
  }
}

// ---- The main form's first showing ----

class TVclMainForm : public TForm {
  DECLARE_CLASS(TVclMainForm, TForm)
 public:
  explicit TVclMainForm(TComponent* AOwner) : TForm(AOwner, true) {}
};
DEFINE_CLASS(TVclMainForm, TForm, ({}))

TEST_F(SkinnedForm, TheMainFormsFirstShowingSkinsTheOtherFormsOnce) {
  TVclMainForm* main = nullptr;
  Application->CreateForm(main);
  ASSERT_EQ(Application->MainForm(), main);
  ReadComponentText(main, FormText("TVclMainForm", "", false, true));
  TzubSkinEngine* engine = EngineOf(main);
  TForm* hidden = ReadForm("", false, false);
  ASSERT_EQ(IsSkinned(hidden), 0);
  main->Show();
  EXPECT_EQ(IsSkinned(hidden), 1);
  engine->UnskinWindow(hidden->Handle());
  main->Hide();
  main->Show();
  EXPECT_EQ(IsSkinned(hidden), 0) << "once only";
  hidden->Free();
  main->Free();
}

// ---- The MDI child-menu notice ----

TEST_F(SkinnedForm, TheChildMenuNoticeTakesOnlyMenusOfItsOwnChildren) {
  TForm* form = ReadForm("  FormStyle = fsMDIForm\n", false);
  TzubSkinWindowVCL* skinner = SkinnerOf(EngineOf(form), form);
  TMainMenu* foreign = Create<TMainMenu>(form);
  SendMessageA(form->Handle(), ZM_MDICHILDMENU, 0, reinterpret_cast<LPARAM>(foreign));
  EXPECT_EQ(skinner->ChildMenu, nullptr);
  SendMessageA(form->Handle(), ZM_MDICHILDMENU, 0, 0x12345678);
  EXPECT_EQ(skinner->ChildMenu, nullptr);
  form->Free();
}

}  // namespace
