// The skin switched off and on a hundred times over the gallery, maximised, and an MDI frame
// with three children, one minimised: every window comes back as it was each time, and no GDI or
// USER object is left over (counted as the skin benchmark counts them).
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <map>
#include <string>

#include "FormReader.h"
#include "Forms.h"
#include "SkinBench.h"
#include "Startup.h"
#include "ZUBSkinEngine.h"
#include "ZUBSkinUnits.h"

namespace {

// The main form, without a resource of its own.
class TSwitchFrame : public TForm {
 public:
  explicit TSwitchFrame(TComponent* owner) : TForm(owner, true) {}
};

// An MDI frame or child with a main menu of one item.
std::string MenuForm(const std::string& style, const std::string& caption, int width, int height) {
  return "object Form1: TForm\n  FormStyle = " + style + "\n  Left = 10\n  Top = 10\n  Width = " +
         std::to_string(width) + "\n  Height = " + std::to_string(height) +
         "\n  Menu = MainMenu1\n  object MainMenu1: TMainMenu\n    object Item1: TMenuItem\n      Caption = '" +
         caption + "'\n    end\n  end\nend\n";
}

std::string MenuText(HMENU menu) {
  std::string text;
  for (int i = 0; menu && i < GetMenuItemCount(menu); ++i) {
    char item[64] = {};
    GetMenuStringA(menu, static_cast<UINT>(i), item, sizeof item, MF_BYPOSITION);
    text += std::string(i ? "|" : "") + item;
  }
  return text;
}

// A window as a switch must give it back: class, text, style (its state among it), client size,
// menu; a child window's place in its parent too.
std::string WindowLine(HWND w) {
  char cls[64] = {}, text[64] = {}, line[512];
  GetClassNameA(w, cls, sizeof cls);
  GetWindowTextA(w, text, sizeof text);
  RECT c{}, r{};
  GetClientRect(w, &c);
  GetWindowRect(w, &r);
  const LONG_PTR style = GetWindowLongPtrA(w, GWL_STYLE);
  if (style & WS_CHILD) MapWindowPoints(nullptr, GetParent(w), reinterpret_cast<POINT*>(&r), 2);
  std::snprintf(line, sizeof line, "%s \"%s\" style %llx ex %llx client %ldx%ld", cls, text,
                static_cast<unsigned long long>(style),
                static_cast<unsigned long long>(GetWindowLongPtrA(w, GWL_EXSTYLE)), c.right, c.bottom);
  std::string result = line;
  if (style & WS_CHILD) return result + " at " + std::to_string(r.left) + "," + std::to_string(r.top);
  return result + " menu [" + MenuText(GetMenu(w)) + "]";
}

using Snapshot = std::map<HWND, std::string>;

BOOL CALLBACK AddWindow(HWND w, LPARAM to) {
  (*reinterpret_cast<Snapshot*>(to))[w] = WindowLine(w);
  return TRUE;
}

// Every window of this thread, top-level or not.
Snapshot Windows() {
  Application->ProcessMessages();
  Snapshot tops, all;
  EnumThreadWindows(GetCurrentThreadId(), AddWindow, reinterpret_cast<LPARAM>(&tops));
  for (const auto& top : tops) {
    all.insert(top);
    EnumChildWindows(top.first, AddWindow, reinterpret_cast<LPARAM>(&all));
  }
  return all;
}

Snapshot Forms() {
  Application->ProcessMessages();
  Snapshot forms;
  for (int i = 0; i < Screen->CustomFormCount(); ++i)
    AddWindow(Screen->CustomForms(i)->Handle(), reinterpret_cast<LPARAM>(&forms));
  return forms;
}

// The first window that differs, or empty.
std::string Difference(const Snapshot& was, const Snapshot& is) {
  for (const auto& [w, line] : was) {
    auto it = is.find(w);
    if (it == is.end()) return "gone: " + line;
    if (it->second != line) return "was: " + line + "\n is: " + it->second;
  }
  for (const auto& [w, line] : is)
    if (!was.count(w)) return "new: " + line;
  return "";
}

TEST(SkinSwitch, AHundredSwitchesGiveEveryWindowBackAndLeaveNoObjectBehind) {
  RegisterSkinUnits();
  InitializeUnits();

  TSwitchFrame* frame = nullptr;
  Application->CreateForm(frame);
  ReadComponentText(frame, MenuForm("fsMDIForm", "&Window", 640, 480));
  frame->Show();
  TForm* children[3] = {};
  for (TForm*& child : children) {
    child = Create<TForm>(nullptr, true);
    ReadComponentText(child, MenuForm("fsMDIChild", child == children[0] ? "&Document" : "&Picture", 220, 160));
  }
  children[2]->SetWindowState(wsMinimized);
  TForm* gallery = Create<TForm>(nullptr, true);
  ReadComponentText(gallery, LoadFormResource("GALLERY"));
  gallery->SetWindowState(wsMaximized);
  gallery->Show();
  const Snapshot before = Forms();
  std::string why;
  ASSERT_TRUE(skinbench::CountsFollowHandles(why)) << why;

  auto* engine = Create<TzubSkinEngine>(frame);
  engine->SetSkinFile(std::string(SKIN_SOURCE_DIR) + "/Fernwhistle.zub");
  engine->SetActive(true);
  engine->SkinWindow(frame->Handle());
  engine->SkinAllScreenForms();
  ASSERT_EQ(engine->FWindows.size(), 5u);

  // The first round takes what stays from then on; each later one must give back the same.
  engine->SetActive(false);
  const Snapshot plain = Windows();
  EXPECT_EQ(Difference(before, Forms()), "") << "the skin off gives each form back";
  engine->SetActive(true);
  const Snapshot skinned = Windows();
  const ObjectCount first = CountObjects();
  for (int round = 2; round <= 100; ++round) {
    engine->SetActive(false);
    const std::string off = Difference(plain, Windows());
    engine->SetActive(true);
    const std::string on = Difference(skinned, Windows());
    ASSERT_EQ(off + on, "") << "round " << round;
  }
  // A leak comes with every round; an object the platform makes once, late, on a loaded machine (seen:
  // one GDI object) is no leak.
  const ObjectCount last = CountObjects();
  EXPECT_LE(last.gdi, first.gdi + 2);
  EXPECT_LE(last.user, first.user + 2);

  // A child maximised while skinned still fills the frame once the skin goes.
  children[0]->SetWindowState(wsMaximized);
  engine->SetActive(false);
  Application->ProcessMessages();
  RECT child{}, area{};
  GetClientRect(children[0]->Handle(), &child);
  GetClientRect(frame->ClientHandle(), &area);
  EXPECT_TRUE(EqualRect(&child, &area)) << child.right << "x" << child.bottom << " in " << area.right << "x"
                                        << area.bottom;

  gallery->Free();
  while (frame->MDIChildCount() > 0) frame->MDIChildren(0)->Free();
  frame->Free();
  FinalizeUnits();
}

}  // namespace
