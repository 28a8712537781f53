// The launcher's form under Wine: its resource, the hover and pressed looks driven by mouse
// messages, and clicks that really start programs through the shell.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "LaunchFolder.h"
#include "TestLoop.h"
#include "Unita.h"
#include "ZUBSkinMessages.h"

namespace {

LPARAM At(int x, int y) { return MAKELPARAM(x, y); }

class LauncherForm : public ::testing::Test {
 protected:
  void SetUp() override {
    form = Create<Tmainform>(Application);
    ASSERT_EQ(form->Position(), poDesktopCenter);
    // Shown in the screen's quarter away from the real pointer, which the platform does not let
    // a test move: then only the test's own messages move the pointer over the form.
    POINT pointer;
    GetCursorPos(&pointer);
    form->SetPosition(poDesigned);
    const int margin = 8;
    form->SetLeft(pointer.x < Screen->Width() / 2 ? Screen->Width() - form->Width() - margin : margin);
    form->SetTop(pointer.y < Screen->Height() / 2 ? Screen->Height() - form->Height() - margin : margin);
    form->Show();
    Application->ProcessMessages();
  }
  void TearDown() override { form->Free(); }

  // A move, a press or a release at client point (x, y) of a control's window.
  static void Mouse(TWinControl* control, UINT msg, int x = 10, int y = 10) {
    SendMessageA(control->Handle(), msg, msg == WM_LBUTTONDOWN ? MK_LBUTTON : 0, At(x, y));
  }
  static void Click(TWinControl* panel) {
    Mouse(panel, WM_LBUTTONDOWN);
    Mouse(panel, WM_LBUTTONUP);
  }
  // Inner and outer bevel of a panel, in one comparable value.
  static std::pair<TPanelBevel, TPanelBevel> Look(TPanel* panel) { return {panel->BevelInner(), panel->BevelOuter()}; }

  Tmainform* form = nullptr;
};

const std::pair<TPanelBevel, TPanelBevel> Raised{bvRaised, bvRaised}, Lowered{bvLowered, bvLowered},
    Sunk{bvLowered, bvRaised};  // Sunk: the look of a panel the pointer is not over

TEST_F(LauncherForm, ResourceGivesTheWindowAndItsPanels) {
  char cls[64] = {};
  GetClassNameA(form->Handle(), cls, sizeof cls);
  EXPECT_STREQ(cls, "Tmainform");
  EXPECT_EQ(form->Name(), "mainform");
  EXPECT_EQ(form->Caption(), "Fernwhistle Pro For 3GP 1.0 beta");
  EXPECT_EQ(form->BorderStyle(), bsDialog);
  EXPECT_EQ(SendMessageA(form->Handle(), ZM_ISSKINNED, 0, 0), 1);
  RECT client;
  GetClientRect(form->Handle(), &client);
  EXPECT_EQ(client.right, 364);
  EXPECT_EQ(client.bottom, 221);
  EXPECT_EQ(form->Color(), form->zubSkinEngine1->GetFormBackgroundColor()) << "white, until the skin paints it";
  EXPECT_EQ(form->Font()->Name(), "MS Sans Serif");
  EXPECT_EQ(form->Font()->Height(), -11);

  struct Row {
    TPanel* panel;
    RECT bounds;
    const char* caption;
    bool visible;
  };
  const Row rows[] = {{form->Panel1, {64, 24, 297, 89}, "3GP Video converter", true},
                      {form->Panel3, {64, 96, 297, 161}, "DVD To 3GP Converter", true},
                      {form->Panel2, {56, 176, 289, 241}, "3GP Photo Slideshow Maker", false}};
  for (const Row& row : rows) {
    ASSERT_NE(row.panel, nullptr) << row.caption;
    SCOPED_TRACE(row.caption);
    EXPECT_EQ(row.panel->Parent(), form);
    const RECT b = row.panel->BoundsRect();
    EXPECT_EQ(b.left, row.bounds.left);
    EXPECT_EQ(b.top, row.bounds.top);
    EXPECT_EQ(b.right, row.bounds.right);
    EXPECT_EQ(b.bottom, row.bounds.bottom);
    EXPECT_EQ(row.panel->Caption(), row.caption);
    EXPECT_EQ(row.panel->Visible(), row.visible);
    EXPECT_EQ(row.panel->Cursor(), crHandPoint);
    EXPECT_TRUE(row.panel->Font()->Style().Contains(fsBold));
  }

  ASSERT_NE(form->HelpRouter1, nullptr);
  EXPECT_EQ(form->HelpRouter1->HelpType(), htHTMLhelp);
  EXPECT_EQ(form->HelpRouter1->CHMPopupTopics(), "CSHelp.txt");
  EXPECT_FALSE(form->HelpRouter1->ValidateID());
}

TEST_F(LauncherForm, CreationTakesTheFolderOfTheProgramAndItsHelpFile) {
  EXPECT_EQ(AppFolder, ExeFolder());
  EXPECT_EQ(Application->HelpFile(), ExeFolder() + "quorra.chm");
  EXPECT_FALSE(PanelHoverSet);
}

TEST_F(LauncherForm, AtStartTheFirstPanelIsRaisedAndTheSecondSunk) {
  EXPECT_EQ(Look(form->Panel1), Raised);
  EXPECT_EQ(Look(form->Panel3), Sunk);
}

TEST_F(LauncherForm, HoverFollowsThePointerAcrossTheGapButNotStraightBack) {
  Mouse(form->Panel3, WM_MOUSEMOVE);
  EXPECT_EQ(Look(form->Panel1), Sunk);
  EXPECT_EQ(Look(form->Panel2), Sunk);  // the hidden panel takes the look as well
  EXPECT_EQ(Look(form->Panel3), Raised);

  Mouse(form->Panel3, WM_MOUSEMOVE, 100, 50);
  Mouse(form, WM_MOUSEMOVE, 100, 92);  // the gap between the panels is the form's own surface
  Mouse(form->Panel1, WM_MOUSEMOVE, 100, 60);
  EXPECT_EQ(Look(form->Panel1), Raised);
  EXPECT_EQ(Look(form->Panel3), Sunk);

  Mouse(form, WM_MOUSEMOVE, 100, 92);
  Mouse(form->Panel3, WM_MOUSEMOVE, 100, 5);
  EXPECT_EQ(Look(form->Panel1), Sunk);
  EXPECT_EQ(Look(form->Panel3), Raised);

  // Straight back without a move over the form: the look stays as it was.
  Mouse(form->Panel1, WM_MOUSEMOVE, 100, 60);
  EXPECT_EQ(Look(form->Panel1), Sunk);
  EXPECT_EQ(Look(form->Panel3), Raised);
  EXPECT_TRUE(PanelHoverSet);
}

TEST_F(LauncherForm, PressingSinksOnlyThePressedPanelAndTheClickLeavesItRaised) {
  TempFolder empty;  // nothing there to start
  AppFolder = empty.Path();
  struct Row {
    TPanel* pressed;
    TPanel* other;
  };
  for (const Row& row : {Row{form->Panel1, form->Panel3}, Row{form->Panel3, form->Panel1}}) {
    SCOPED_TRACE(row.pressed->Name());
    Mouse(form, WM_MOUSEMOVE, 5, 5);
    Mouse(row.other, WM_MOUSEMOVE);  // hovering the other panel sinks this one
    ASSERT_EQ(Look(row.pressed), Sunk);

    Mouse(row.pressed, WM_LBUTTONDOWN);
    EXPECT_EQ(Look(row.pressed), Lowered);
    EXPECT_EQ(Look(row.other), Raised);
    Mouse(row.pressed, WM_LBUTTONUP);
    EXPECT_EQ(Look(row.pressed), Raised);
    EXPECT_EQ(Look(row.other), Raised);
    EXPECT_TRUE(PanelHoverSet);  // pressing leaves the hover state alone
  }
}

TEST_F(LauncherForm, ClickStartsTheProgramFromTheLauncherFolderWithItsParameter) {
  TempFolder folder;
  folder.AddRecorder("Corvale.exe");
  folder.AddRecorder("Dunmarrow.exe");
  folder.AddRecorder("Pimbrel.exe");
  AppFolder = folder.Path();
  struct Row {
    TPanel* panel;
    const char* program;
  };
  for (const Row& row : {Row{form->Panel1, "Corvale"}, Row{form->Panel3, "Dunmarrow"}, Row{form->Panel2, "Pimbrel"}}) {
    SCOPED_TRACE(row.program);
    Click(row.panel);
    const Record r = WaitForRecord(folder.Path() + row.program + ".args");
    EXPECT_NE(r.commandLine.find(folder.Path() + row.program + ".exe"), std::string::npos) << r.commandLine;
    EXPECT_EQ(r.commandLine.substr(r.commandLine.find_last_not_of(' ') - 8, 9), "homepagea") << r.commandLine;
    EXPECT_EQ(r.folder, CurrentFolder());  // no folder of its own: it inherits the launcher's
  }
}

TEST_F(LauncherForm, MissingProgramLeavesTheLauncherAsItWas) {
  TempFolder empty;
  AppFolder = empty.Path();
  Click(form->Panel3);
  Application->ProcessMessages();
  EXPECT_TRUE(IsWindowVisible(form->Handle()));
  EXPECT_FALSE(Application->Terminated());
  EXPECT_EQ(Look(form->Panel3), Raised);
  EXPECT_EQ(AppFolder, empty.Path());
  EXPECT_EQ(GetWindow(form->Handle(), GW_ENABLEDPOPUP), nullptr);  // no message box of its own
}

// The window as the user sees it, into SUITE_SHOTS (a Unix path) as launcher.bmp.
TEST_F(LauncherForm, Screenshot) {
  RedrawWindow(form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  RECT r;
  GetWindowRect(form->Handle(), &r);
  TBitmap shot;
  shot.SetSize(r.right - r.left, r.bottom - r.top);
  // From the screen, as the user sees it, frame included.
  auto capture = [&] {
    HDC screen = GetDC(nullptr);
    BitBlt(shot.Canvas()->Handle(), 0, 0, shot.Width(), shot.Height(), screen, r.left, r.top, SRCCOPY);
    ReleaseDC(nullptr, screen);
  };

  // The colour at a client point of the form.
  auto at = [&](int x, int y) {
    POINT p{x, y};
    ClientToScreen(form->Handle(), &p);
    const uint8_t* px = shot.ScanLine(p.y - r.top) + 3 * (p.x - r.left);
    return RGB(px[2], px[1], px[0]);
  };
  // The repaint reaches the screen a little later under a loaded desktop.
  const COLORREF surface = ColorToRGB(form->zubSkinEngine1->GetFormBackgroundColor());
  WaitUntil([&] {
    capture();
    return at(4, 4) == surface;
  });
  EXPECT_EQ(at(4, 4), surface);  // the skin's surface
  // The top row of each inner bevel, just inside the outer one: lit when raised, shaded when lowered.
  EXPECT_EQ(at(150, 25), ColorToRGB(clBtnHighlight));
  EXPECT_EQ(at(150, 97), ColorToRGB(clBtnShadow));

  if (const char* shots = getenv("SUITE_SHOTS")) {
    std::string path = std::string("Z:") + shots + "/launcher.bmp";
    for (char& c : path) if (c == '/') c = '\\';
    shot.SaveToFile(path);
  }
}

}  // namespace
