// The message form and the open dialog, driven from timers while their modal loops run.
#include "ControlsTesting.h"

#include <dlgs.h>
#include <gtest/gtest.h>

#include "Dialogs.h"
#include "StdCtrls.h"

namespace {

TMessageForm* ShownMessageForm() {
  for (int i = 0; i < Screen->FormCount(); ++i)
    if (auto* f = As<TMessageForm>(Screen->Forms(i)); f && f->Visible()) return f;
  return nullptr;
}

struct Seen {
  bool listed = false;
  std::string windowClass, caption, text, button;
  bool dialogFrame = false;
};
Seen seen;

void LookAndPressReturn() {
  TMessageForm* form = ShownMessageForm();
  if (!form) return Later(LookAndPressReturn);
  seen.listed = true;
  seen.windowClass = WindowClass(form->Handle());
  seen.caption = WindowText(form->Handle());
  seen.dialogFrame = GetWindowLongA(form->Handle(), GWL_EXSTYLE) & WS_EX_DLGMODALFRAME;
  if (auto* label = As<TLabel>(form->FindComponent("Message"))) seen.text = label->Caption();
  if (auto* ok = As<TButton>(form->FindComponent("OK"))) seen.button = WindowText(ok->Handle());
  PostMessageA(form->Handle(), WM_KEYDOWN, VK_RETURN, 0);
}

TEST(ShowMessage, ShowsAMessageFormListedInTheScreenUntilOkIsPressed) {
  Later(LookAndPressReturn);
  ShowMessage("You should set the input path.");
  EXPECT_TRUE(seen.listed);
  EXPECT_EQ(seen.windowClass, "TMessageForm");
  EXPECT_EQ(seen.caption, "Dialogs_test");  // no title: the program's name
  EXPECT_TRUE(seen.dialogFrame);
  EXPECT_EQ(seen.text, "You should set the input path.");
  EXPECT_EQ(seen.button, "OK");
  for (int i = 0; i < Screen->FormCount(); ++i) EXPECT_FALSE(Screen->Forms(i)->Is<TMessageForm>());
}

TEST(ShowMessage, TheFormIsSizedToItsTextAndCentred) {
  Application->SetTitle("DVD To 3GP Converter");
  TCustomForm* small = CreateMessageDialog("no vob file for conversion");
  TCustomForm* large = CreateMessageDialog(
      "You have to type the .3gp extension after the file name that you want to save after the conversion. "
      "Such as abc.3gp\nand a second line");
  EXPECT_EQ(small->Caption(), "DVD To 3GP Converter");
  EXPECT_EQ(small->BorderStyle(), bsDialog);
  EXPECT_GT(large->Width(), small->Width() + 200);
  EXPECT_GT(large->Height(), small->Height());
  for (TCustomForm* f : {small, large}) {
    auto* label = As<TLabel>(f->FindComponent("Message"));
    auto* ok = As<TButton>(f->FindComponent("OK"));
    ASSERT_TRUE(label && ok);
    EXPECT_LE(label->Left() + label->Width(), f->ClientWidth());
    EXPECT_LE(ok->Top() + ok->Height(), f->ClientHeight());
    EXPECT_GT(ok->Top(), label->Top() + label->Height());
    EXPECT_TRUE(ok->Default() && ok->Cancel());
    EXPECT_EQ(ok->ModalResult(), mrOk);
    f->Show();
    RECT r;
    GetWindowRect(f->Handle(), &r);
    RECT work;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_NEAR((r.left + r.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 2);
    f->Free();
  }
  Application->SetTitle("");
}

// Answers the shown message form with a key, or with a click on Yes when the key is 0.
WPARAM answerKey = 0;
void Answer() {
  TMessageForm* form = ShownMessageForm();
  if (!form) return Later(Answer);
  if (answerKey) PostMessageA(form->Handle(), WM_KEYDOWN, answerKey, 0);
  else As<TButton>(form->FindComponent("Yes"))->Click();
}

// A question: Yes and No side by side; No, the safe answer, takes Return and Escape. A "&" in the text
// shows as it stands.
TEST(MessageDlg, YesIsClickedNoAnswersReturnAndEscape) {
  const std::pair<WPARAM, TModalResult> cases[] = {{VK_RETURN, mrNo}, {VK_ESCAPE, mrNo}, {0, mrYes}};
  for (const auto& [key, result] : cases) {
    answerKey = key;
    Later(Answer);
    EXPECT_EQ(MessageDlg("D:\\out already holds 1.3gp.\nReplace it?", {mbYes, mbNo}), result) << key;
  }
  TCustomForm* question = CreateMessageDialog("Tom&Jerry", {mbYes, mbNo});
  TCustomForm* plain = CreateMessageDialog("TomJerry", {mbYes, mbNo});
  auto labelWidth = [](TCustomForm* f) { return As<TLabel>(f->FindComponent("Message"))->Width(); };
  EXPECT_GT(labelWidth(question), labelWidth(plain));
  auto* yes = As<TButton>(question->FindComponent("Yes"));
  auto* no = As<TButton>(question->FindComponent("No"));
  ASSERT_TRUE(yes && no);
  EXPECT_EQ(yes->Top(), no->Top());
  EXPECT_LT(yes->Left() + yes->Width(), no->Left());
  EXPECT_LE(no->Left() + no->Width(), question->ClientWidth());
  question->Free();
  plain->Free();
}

// Types a path into the open dialog's file name field and presses Open.
std::string pickPath;
bool picked = false;
BOOL CALLBACK FindDialog(HWND wnd, LPARAM found) {
  if (WindowClass(wnd) == "#32770" && IsWindowVisible(wnd)) *reinterpret_cast<HWND*>(found) = wnd;
  return TRUE;
}
void PickFile() {
  HWND dialog = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), FindDialog, reinterpret_cast<LPARAM>(&dialog));
  if (!dialog) return Later(PickFile);
  SetDlgItemTextA(dialog, cmb13, pickPath.c_str());
  SetDlgItemTextA(dialog, edt1, pickPath.c_str());
  picked = true;
  PostMessageA(dialog, WM_COMMAND, IDOK, 0);
}

TEST(OpenDialog, PickingAFileReturnsItsPathAndMakesItsFolderCurrent) {
  char temp[MAX_PATH];
  GetTempPathA(sizeof temp, temp);
  std::string folder = std::string(temp) + "opendialog_test";
  CreateDirectoryA(folder.c_str(), nullptr);
  pickPath = folder + "\\clip.avi";
  HANDLE file = CreateFileA(pickPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  CloseHandle(file);
  char before[MAX_PATH];
  GetCurrentDirectoryA(sizeof before, before);

  TOpenDialog dialog(nullptr);
  dialog.SetFilter("All Video Files(MPEG, VOB, ASF, SWF, RM, AVI, MOV, WMV)|*.mpg;*.mpeg;*.vob;*.asf;*.swf;*.rm;*.avi;*.mov;*.wmv");
  Later(PickFile);
  bool ok = dialog.Execute();
  EXPECT_TRUE(picked);
  EXPECT_TRUE(ok);
  EXPECT_EQ(dialog.FileName(), pickPath);
  char now[MAX_PATH];
  GetCurrentDirectoryA(sizeof now, now);
  EXPECT_STRCASEEQ(now, folder.c_str());

  SetCurrentDirectoryA(before);
  DeleteFileA(pickPath.c_str());
  RemoveDirectoryA(folder.c_str());
}

}  // namespace
