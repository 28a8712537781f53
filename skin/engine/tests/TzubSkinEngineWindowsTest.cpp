// The engine's list of skinned windows, with a stand-in for the window skinners.
#include <gtest/gtest.h>

#include <set>

#include "EngineTesting.h"

namespace {

std::set<HWND> ListedHandles(TzubSkinEngine* engine) {
  std::set<HWND> handles;
  for (TzubSkinWindow* w : engine->FWindows) handles.insert(w->GetHandle());
  return handles;
}

TForm* NewForm(int tag = 0) {
  TForm* form = Create<TForm>(nullptr, true);
  form->SetTag(tag);
  return form;
}

}  // namespace

TEST(SkinEngineWindows, OneObjectPerWindowAndUnskinningFreesIt) {
  UseTestSkinWindows use;
  EngineForm f;
  TForm* other = NewForm();
  f.engine->SkinWindowEx(other->Handle(), true);
  f.engine->SkinWindowEx(other->Handle(), false);
  f.engine->SkinWindow(f.form->Handle());
  ASSERT_EQ(TTestSkinWindow::Created().size(), 2u);
  EXPECT_TRUE(TTestSkinWindow::Created()[0]->IsDialog);
  EXPECT_FALSE(TTestSkinWindow::Created()[1]->IsDialog);

  f.engine->UnskinWindow(reinterpret_cast<HWND>(0x1234));
  f.engine->UnskinWindow(other->Handle());
  ASSERT_EQ(TTestSkinWindow::Freed().size(), 1u);
  EXPECT_TRUE(TTestSkinWindow::Freed()[0].unskinning);
  EXPECT_FALSE(f.engine->FUnskinning);
  EXPECT_EQ(ListedHandles(f.engine), std::set<HWND>{f.form->Handle()});
  other->Free();
}

// A form whose window says it is skinned, by another engine.
struct SkinnedElsewhere {
  explicit SkinnedElsewhere(TControl* c) : own(c->WindowProc) { c->WindowProc = TWndMethod::Bind<&SkinnedElsewhere::Proc>(this); }
  void Proc(TMessage& m) {
    if (m.Msg == ZM_ISSKINNED) m.Result = 1;
    else own(m);
  }
  TWndMethod own;
};

TEST(SkinEngineWindows, AllScreenFormsButDisabledOnesAndBackToTheOwnForm) {
  UseTestSkinWindows use;
  EngineForm f;
  TForm* disabled = NewForm(9999);
  TForm* plain = NewForm();
  TForm* skinned = NewForm();
  TForm* elsewhere = NewForm();
  SkinnedElsewhere says(elsewhere);
  f.engine->SkinWindow(skinned->Handle());
  f.engine->SkinAllScreenForms();
  EXPECT_EQ(ListedHandles(f.engine), (std::set<HWND>{f.form->Handle(), plain->Handle(), skinned->Handle()}));
  EXPECT_EQ(TTestSkinWindow::Created().size(), 3u);

  f.engine->UnskinOtherForms();
  EXPECT_EQ(ListedHandles(f.engine), std::set<HWND>{f.form->Handle()});
  for (TForm* form : {disabled, plain, skinned, elsewhere}) form->Free();
}

TEST(SkinEngineWindows, ActiveSwitchesEveryWindowAndALoadKeepsTheEngineState) {
  UseTestSkinWindows use;
  TempSkinFile skin("windows.zub", BasicSkin());
  EngineForm f;
  TForm* second = NewForm();
  TForm* hidden = NewForm();
  f.form->Show();
  second->Show();
  f.engine->SkinWindow(f.form->Handle());
  f.engine->SkinWindow(second->Handle());
  f.engine->SkinWindow(hidden->Handle());
  auto skinnedStates = [&] {
    std::vector<bool> states;
    for (TzubSkinWindow* w : f.engine->FWindows) states.push_back(w->Skinned);
    return states;
  };
  f.engine->SetActive(true);
  EXPECT_EQ(skinnedStates(), std::vector<bool>(3, false)) << "no skin loaded: nothing to switch on";

  f.engine->SetSkinFile(skin.path);
  f.engine->SetActive(true);
  EXPECT_EQ(skinnedStates(), std::vector<bool>(3, true));

  SetActiveWindow(second->Handle());
  f.engine->SetSkinFile(skin.path);
  EXPECT_EQ(skinnedStates(), std::vector<bool>(3, true));
  EXPECT_TRUE(IsWindowVisible(f.form->Handle()) && IsWindowVisible(second->Handle()));
  EXPECT_FALSE(IsWindowVisible(hidden->Handle()));
  EXPECT_EQ(GetActiveWindow(), f.form->Handle());

  f.engine->SetActive(false);
  f.engine->SetSkinFile(skin.path);
  EXPECT_EQ(skinnedStates(), std::vector<bool>(3, false)) << "a load while inactive leaves them plain";
  second->Free();
  hidden->Free();
}

TEST(SkinEngineWindows, TheEngineFreesItsWindowsBeforeItsCaches) {
  UseTestSkinWindows use;
  TForm* other = NewForm();
  {
    EngineForm f;
    f.engine->SkinWindow(f.form->Handle());
    f.engine->SkinWindow(other->Handle());
  }
  ASSERT_EQ(TTestSkinWindow::Freed().size(), 2u);
  for (const auto& freed : TTestSkinWindow::Freed()) EXPECT_TRUE(freed.cachesAlive);
  other->Free();
}

TEST(SkinEngineWindows, AFreedWindowIsNoLongerTheSystemMenuWindow) {
  UseTestSkinWindows use;
  EngineForm f;
  TForm* dialog = NewForm();
  f.engine->SkinWindowEx(dialog->Handle(), true);
  f.engine->FSystemMenuWindow = f.engine->FWindows[0];
  f.engine->UnskinWindow(dialog->Handle());
  EXPECT_EQ(f.engine->FSystemMenuWindow, nullptr);
  f.engine->GetSystemMenu()->Items()->Items(3)->Click();  // a late click reaches nothing
  MSG msg;
  EXPECT_FALSE(PeekMessageA(&msg, dialog->Handle(), WM_SYSCOMMAND, WM_SYSCOMMAND, PM_REMOVE));
  dialog->Free();
}
