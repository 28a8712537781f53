// Labels, edits, memos, buttons and list boxes read from descriptions, checked in their windows.
#include <gtest/gtest.h>

#include <string>

#include "ControlsTesting.h"
#include "StdCtrls.h"

namespace {

TEST(Label, PaintsItsCaptionInItsFontAndSizesToIt) {
  TestForm t(R"(
  object Label7: TLabel
    Left = 24
    Top = 28
    Width = 33
    Height = 20
    Cursor = crHandPoint
    Caption = 'Help'
    Font.Color = clNavy
    Font.Height = -16
    Font.Style = [fsUnderline]
  end
  object Label1: TLabel
    Left = 24
    Top = 60
    Caption = 'Input DVD Directory:'
  end)");
  auto* help = t.Get<TLabel>("Label7");
  auto* input = t.Get<TLabel>("Label1");
  ASSERT_TRUE(help && input);
  EXPECT_TRUE(help->IsGraphic());
  EXPECT_EQ(help->Cursor(), crHandPoint);
  EXPECT_TRUE(help->Font()->Style().Contains(fsUnderline));
  EXPECT_GT(input->Width(), help->Width());  // sized to the caption
  EXPECT_GT(help->Height(), input->Height());  // and to the font

  auto picture = PaintedPicture(t.form);
  EXPECT_TRUE(HasColour(picture.get(), help->BoundsRect(), clNavy));
  EXPECT_TRUE(HasColour(picture.get(), input->BoundsRect(), clBlack));
  RECT beside{help->Left() + help->Width() + 2, help->Top(), help->Left() + help->Width() + 30, help->Top() + 10};
  EXPECT_FALSE(HasColour(picture.get(), beside, clNavy));

  help->SetCaption("");  // an empty caption paints nothing
  picture = PaintedPicture(t.form);
  EXPECT_FALSE(HasColour(picture.get(), RECT{24, 28, 60, 48}, clNavy));
}

TEST(Edit, WindowCarriesTextLimitAndStylesAndKeepsTypedTextWhenRecreated) {
  TestForm t(R"(
  object Edit3: TEdit
    Left = 80
    Top = 344
    Width = 129
    Height = 21
    MaxLength = 10
    TabOrder = 2
    Text = 'Edit3'
  end
  object Edit1: TEdit
    Left = 80
    Top = 10
    ReadOnly = True
    BorderStyle = bsNone
  end)");
  auto* edit = t.Get<TEdit>("Edit3");
  auto* readOnly = t.Get<TEdit>("Edit1");
  ASSERT_TRUE(edit && readOnly);
  HWND wnd = edit->Handle();
  EXPECT_EQ(WindowClass(wnd), "TEdit");
  EXPECT_EQ(WindowText(wnd), "Edit3");
  EXPECT_EQ(SendMessageA(wnd, EM_GETLIMITTEXT, 0, 0), 10);
  LONG style = GetWindowLongA(wnd, GWL_STYLE);
  EXPECT_EQ(style & (WS_CHILD | WS_CLIPSIBLINGS | WS_TABSTOP), WS_CHILD | WS_CLIPSIBLINGS | WS_TABSTOP);
  EXPECT_FALSE(style & WS_CLIPCHILDREN);
  EXPECT_TRUE(GetWindowLongA(wnd, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
  EXPECT_TRUE(GetWindowLongA(readOnly->Handle(), GWL_STYLE) & ES_READONLY);
  EXPECT_FALSE(GetWindowLongA(readOnly->Handle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);

  SetWindowTextA(wnd, "typed");  // as the user types
  EXPECT_EQ(edit->Text(), "typed");
  edit->SetBorderStyle(bsNone);
  EXPECT_NE(edit->Handle(), wnd);
  EXPECT_EQ(WindowText(edit->Handle()), "typed");
  EXPECT_EQ(SendMessageA(edit->Handle(), EM_GETLIMITTEXT, 0, 0), 10);
}

// A key or character as the keyboard delivers it to Target, through the application's loop.
void Press(HWND target, UINT msg, WPARAM key) {
  PostMessageA(target, msg, key, msg == WM_SYSCHAR ? 0x20000001 : 1);  // with Alt: the context bit
  Application->ProcessMessages();
}

// An edit entered from the keyboard selects its whole text; a click only places the caret.
TEST(Edit, EnteredByTabSelectsItsWholeText) {
  const struct {
    const char* what;
    const char* target;
    bool byTab;
    bool whole;
  } cases[] = {
      {"Tab", "object Edit1: TEdit\nText = '128'\nend", true, true},
      {"Tab without AutoSelect", "object Edit1: TEdit\nText = '128'\nAutoSelect = False\nend", true, false},
      {"Tab into a memo", "object Edit1: TMemo\nLines.Strings = ('128')\nend", true, false},
      {"a click", "object Edit1: TEdit\nText = '128'\nend", false, false},
  };
  for (const auto& c : cases) {
    TestForm t(std::string("object Button1: TButton\nend\n") + c.target);
    t.Show();
    HWND edit = t.Get<TWinControl>("Edit1")->Handle();
    ASSERT_TRUE(WaitUntil([&] { return GetFocus() == t.Get<TWinControl>("Button1")->Handle(); }, 5000)) << c.what;
    if (c.byTab) {
      Press(GetFocus(), WM_KEYDOWN, VK_TAB);
    } else {
      SendMessageA(edit, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 4));
      SendMessageA(edit, WM_LBUTTONUP, 0, MAKELPARAM(2, 4));
    }
    EXPECT_EQ(GetFocus(), edit) << c.what;
    DWORD start = 0, end = 0;
    SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start == 0 && end == 3, c.whole) << c.what << ": " << start << ".." << end;
  }
}

// The same edits of a memo's lines, on its window and without one, give the same text.
TEST(Memo, LinesAreTheWindowsLinesWithOrWithoutAWindow) {
  for (bool windowed : {true, false}) {
    SCOPED_TRACE(windowed ? "with a window" : "without a window");
    TestForm t(R"(
  object Memo1: TMemo
    Left = 16
    Top = 32
    Width = 441
    Height = 105
    Lines.Strings = (
      '')
  end)");
    auto* memo = t.Get<TMemo>("Memo1");
    ASSERT_TRUE(memo);
    if (windowed) memo->HandleNeeded();
    TStrings* lines = memo->Lines();
    EXPECT_EQ(lines->Count(), 1);
    EXPECT_EQ(lines->Text(), "\r\n");
    lines->Add("Starting..");
    lines->Add("frame=  120");
    EXPECT_EQ(memo->Text(), "\r\nStarting..\r\nframe=  120\r\n");
    EXPECT_EQ(lines->Count(), 3);
    EXPECT_EQ(lines->Strings(1), "Starting..");
    lines->Delete(0);
    lines->Insert(1, "fps=25");
    EXPECT_EQ(lines->Text(), "Starting..\r\nfps=25\r\nframe=  120\r\n");
    memo->SetText("no break at the end");
    lines->Add("next");
    EXPECT_EQ(lines->Text(), "no break at the end\r\nnext\r\n");
    EXPECT_THROW(lines->Strings(2), EStringListError);
    lines->Clear();
    EXPECT_EQ(lines->Count(), 0);
    if (windowed) {
      EXPECT_TRUE(GetWindowLongA(memo->Handle(), GWL_STYLE) & ES_MULTILINE);
      EXPECT_EQ(WindowText(memo->Handle()), "");
    }
  }
}

// Tab and Return pressed in a memo: typed into it, or left to the form.
TEST(Memo, KeepsTabAndReturnOnlyWhenItWantsThem) {
  const struct {
    const char* props;
    WPARAM key;
    const char* text;
    bool focusMovesOn;
    bool defaultPressed;
  } cases[] = {
      {"", VK_TAB, "", true, false},
      {"WantTabs = True", VK_TAB, "\t", false, false},
      {"", VK_RETURN, "\r\n", false, false},
      {"WantReturns = False", VK_RETURN, "", false, true},
  };
  for (const auto& c : cases) {
    TestForm t(std::string("object Memo1: TMemo\n") + c.props +
               "\nend\nobject Button1: TButton\nTop = 120\nDefault = True\nModalResult = 1\nend");
    t.Show();
    HWND memo = t.Get<TWinControl>("Memo1")->Handle();
    ASSERT_TRUE(WaitUntil([&] { return GetFocus() == memo; }, 5000));
    Press(memo, WM_KEYDOWN, c.key);
    const std::string what = std::string(c.props) + (c.key == VK_TAB ? " Tab" : " Return");
    EXPECT_EQ(WindowText(memo), c.text) << what;
    EXPECT_EQ(GetFocus() == t.Get<TWinControl>("Button1")->Handle(), c.focusMovesOn) << what;
    EXPECT_EQ(t.form->ModalResult() == mrOk, c.defaultPressed) << what;
  }
}

// A control of its own that asks for every key, Tab not named.
class TAllKeys : public TCustomControl {
 public:
  using TCustomControl::TCustomControl;

 protected:
  void WndProc(TMessage& m) override {
    if (m.Msg == WM_GETDLGCODE) m.Result = DLGC_WANTALLKEYS;
    else TCustomControl::WndProc(m);
  }
};

// The focused control is asked with the key's message, and keeps what it asks for.
TEST(Form, TheFocusedControlKeepsTheKeysItAsksForByTheirMessage) {
  const struct {
    const char* what;
    bool combo;  // else a control that asks for every key
    WPARAM key;
  } cases[] = {
      {"Return in a combo box whose list is dropped", true, VK_RETURN},
      {"Escape in a combo box whose list is dropped", true, VK_ESCAPE},
      {"Tab in a control that asks for every key", false, VK_TAB},
  };
  for (const auto& c : cases) {
    TestForm t("object ComboBox1: TComboBox\nStyle = csDropDownList\nItems.Strings = ('one'\n'two')\nend\n"
               "object Button1: TButton\nTop = 120\nDefault = True\nModalResult = 1\nend\n"
               "object Button2: TButton\nTop = 150\nCancel = True\nModalResult = 2\nend");
    TWinControl* target = t.Get<TWinControl>("ComboBox1");
    if (!c.combo) {
      target = Create<TAllKeys>(t.form);
      target->SetParent(t.form);
    }
    t.Show();
    target->SetFocus();
    ASSERT_TRUE(WaitUntil([&] { return GetFocus() == target->Handle(); }, 5000)) << c.what;
    if (c.combo) SendMessageA(target->Handle(), CB_SHOWDROPDOWN, TRUE, 0);
    Press(target->Handle(), WM_KEYDOWN, c.key);
    EXPECT_EQ(GetFocus(), target->Handle()) << c.what;
    EXPECT_EQ(t.form->ModalResult(), mrNone) << c.what;
    if (c.combo) {
      EXPECT_EQ(SendMessageA(target->Handle(), CB_GETDROPPEDSTATE, 0, 0), 0) << c.what << ": the list stays";
    }
  }
}

struct ClickCounter {
  void Clicked(TObject* sender) {
    ++clicks;
    last = sender;
  }
  int clicks = 0;
  TObject* last = nullptr;
};

TEST(Button, ClickedOnceByTheMouseAndModalResultEndsTheModalLoop) {
  TestForm t(R"(
  object Button2: TButton
    Left = 176
    Top = 216
    Width = 129
    Height = 33
    Caption = '&Done'
    ModalResult = 2
  end)");
  auto* button = t.Get<TButton>("Button2");
  ASSERT_TRUE(button);
  ClickCounter counter;
  button->OnClick = TNotifyEvent::Bind<&ClickCounter::Clicked>(&counter);
  EXPECT_EQ(WindowClass(button->Handle()), "TButton");
  EXPECT_EQ(WindowText(button->Handle()), "&Done");

  static HWND buttonWnd;
  buttonWnd = button->Handle();
  Later([] {
    SendMessageA(buttonWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageA(buttonWnd, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  });
  EXPECT_EQ(t.form->ShowModal(), mrCancel);
  EXPECT_EQ(counter.clicks, 1);  // the BUTTON's own click, not the library's as well
  EXPECT_EQ(counter.last, button);
}

TEST(Button, ReturnClicksTheDefaultButtonAndEscapeTheCancelButton) {
  struct Case {
    WPARAM key;
    TModalResult result;
  };
  for (Case c : {Case{VK_RETURN, mrOk}, Case{VK_ESCAPE, mrCancel}}) {
    TestForm t(R"(
  object ButtonOk: TButton
    Caption = 'OK'
    Default = True
    ModalResult = 1
  end
  object ButtonCancel: TButton
    Left = 100
    Caption = 'Cancel'
    Cancel = True
    ModalResult = 2
  end)");
    static HWND formWnd;
    static WPARAM key;
    formWnd = t.form->Handle();
    key = c.key;
    Later([] { PostMessageA(formWnd, WM_KEYDOWN, key, 0); });
    EXPECT_EQ(t.form->ShowModal(), c.result) << "key " << c.key;
    EXPECT_EQ(GetWindowLongA(t.Get<TButton>("ButtonOk")->Handle(), GWL_STYLE) & 0xF, BS_DEFPUSHBUTTON);
  }
}

// The character that a caption underlines presses its control: with Alt always, alone where the
// focused control takes no characters.
TEST(Button, MnemonicPressesTheControlWhoseCaptionUnderlinesIt) {
  const char body[] = R"(
  object Edit1: TEdit
  end
  object Button2: TButton
    Top = 30
    Caption = '&Done'
  end
  object Other: TButton
    Top = 60
    Caption = 'Other'
  end
  object Off: TButton
    Top = 90
    Caption = '&Off'
    Enabled = False
  end
  object Both: TButton
    Top = 120
    Caption = 'T&&C &Quit'
  end
  object CheckBox1: TCheckBox
    Top = 150
    Caption = '&Keep'
  end
  object RadioButton1: TRadioButton
    Top = 180
    Caption = '&Round'
  end)";
  const struct {
    const char* what;
    const char* focus;
    UINT msg;
    char key;
    const char* pressed;  // empty: none
    const char* typed;    // into the edit
  } cases[] = {
      {"Alt in an edit", "Edit1", WM_SYSCHAR, 'd', "Button2", ""},
      {"Alt, upper case", "Edit1", WM_SYSCHAR, 'D', "Button2", ""},
      {"alone in an edit", "Edit1", WM_CHAR, 'd', "", "d"},
      {"alone on a button", "Other", WM_CHAR, 'd', "Button2", ""},
      {"disabled", "Edit1", WM_SYSCHAR, 'o', "", ""},
      {"a doubled ampersand", "Edit1", WM_SYSCHAR, 'c', "", ""},
      {"after a doubled ampersand", "Edit1", WM_SYSCHAR, 'q', "Both", ""},
      {"check box", "Edit1", WM_SYSCHAR, 'k', "CheckBox1", ""},
      {"radio button", "Edit1", WM_SYSCHAR, 'r', "RadioButton1", ""},
  };
  for (const auto& c : cases) {
    TestForm t(body);
    ClickCounter counter;
    for (const char* name : {"Button2", "Other", "Off", "Both", "CheckBox1", "RadioButton1"})
      t.Get<TControl>(name)->OnClick = TNotifyEvent::Bind<&ClickCounter::Clicked>(&counter);
    t.Show();
    auto* focus = t.Get<TWinControl>(c.focus);
    focus->SetFocus();
    ASSERT_TRUE(WaitUntil([&] { return focus->Focused(); }, 5000)) << c.what;
    Press(focus->Handle(), c.msg, static_cast<unsigned char>(c.key));
    EXPECT_EQ(counter.clicks, *c.pressed ? 1 : 0) << c.what;
    if (*c.pressed) {
      EXPECT_EQ(counter.last, t.Get<TControl>(c.pressed)) << c.what;
    }
    EXPECT_EQ(WindowText(t.Get<TWinControl>("Edit1")->Handle()), c.typed) << c.what;
  }
}

TEST(ListBox, KeepsItsItemsAndSelectionWithoutAWindow) {
  TestForm t(R"(
  object ListBox1: TListBox
    Left = 16
    Top = 128
    Width = 121
    Height = 57
    Visible = False
    Items.Strings = (
      'C:\dvd\VTS_01_1.VOB'
      'C:\dvd\VTS_01_2.VOB')
  end)");
  auto* list = t.Get<TListBox>("ListBox1");
  ASSERT_TRUE(list);
  TStrings* items = list->Items();
  EXPECT_EQ(items->Count(), 2);
  HWND wnd = list->Handle();
  EXPECT_EQ(WindowClass(wnd), "TListBox");
  EXPECT_EQ(SendMessageA(wnd, LB_GETCOUNT, 0, 0), 2);
  items->AddObject("C:\\dvd\\VTS_02_1.VOB", list);
  EXPECT_EQ(SendMessageA(wnd, LB_GETCOUNT, 0, 0), 3);
  EXPECT_EQ(items->Strings(2), "C:\\dvd\\VTS_02_1.VOB");
  list->SetItemIndex(1);

  list->SetBorderStyle(bsNone);  // a new window: the items move out of the old one and into the new
  EXPECT_NE(list->Handle(), wnd);
  ASSERT_EQ(items->Count(), 3);
  EXPECT_EQ(items->Strings(0), "C:\\dvd\\VTS_01_1.VOB");
  EXPECT_EQ(items->Objects(2), list);
  EXPECT_EQ(list->ItemIndex(), 1);
  char text[64] = {};
  SendMessageA(list->Handle(), LB_GETTEXT, 1, reinterpret_cast<LPARAM>(text));
  EXPECT_STREQ(text, "C:\\dvd\\VTS_01_2.VOB");
  items->Clear();
  EXPECT_EQ(SendMessageA(list->Handle(), LB_GETCOUNT, 0, 0), 0);
}

}  // namespace
