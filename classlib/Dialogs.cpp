#include "Dialogs.h"

#include <commdlg.h>

#include <algorithm>
#include <vector>

#include "StdCtrls.h"

DEFINE_COMPONENT(TOpenDialog, TComponent,
                 ({Prop<&TOpenDialog::FileName, &TOpenDialog::SetFileName>("FileName"),
                   Prop<&TOpenDialog::Filter, &TOpenDialog::SetFilter>("Filter"),
                   Prop<&TOpenDialog::InitialDir, &TOpenDialog::SetInitialDir>("InitialDir"),
                   Prop<&TOpenDialog::Title, &TOpenDialog::SetTitle>("Title")}),
                 ({}))

bool TOpenDialog::Execute() {
  // The platform wants the filter's parts separated by NULs and ended by two.
  std::string filter = filter_;
  std::replace(filter.begin(), filter.end(), '|', '\0');
  filter.append(2, '\0');
  std::vector<char> file(MAX_PATH * 4, '\0');
  fileName_.copy(file.data(), std::min(fileName_.size(), file.size() - 1));

  OPENFILENAMEA ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = GetActiveWindow();
  if (!ofn.hwndOwner && Application->MainForm() && Application->MainForm()->HandleAllocated())
    ofn.hwndOwner = Application->MainForm()->Handle();
  ofn.lpstrFilter = filter_.empty() ? nullptr : filter.c_str();
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = file.data();
  ofn.nMaxFile = static_cast<DWORD>(file.size());
  ofn.lpstrInitialDir = initialDir_.empty() ? nullptr : initialDir_.c_str();
  ofn.lpstrTitle = title_.empty() ? nullptr : title_.c_str();
  ofn.Flags = OFN_HIDEREADONLY | OFN_ENABLESIZING | OFN_EXPLORER;
  if (!GetOpenFileNameA(&ofn)) return false;
  fileName_ = file.data();
  // Without OFN_NOCHANGEDIR the picked file's folder becomes current; the dialog does so only when
  // the user browsed there, not for a typed path, so it is done here for every way of picking.
  if (ofn.nFileOffset > 0) SetCurrentDirectoryA(fileName_.substr(0, ofn.nFileOffset).c_str());
  return true;
}

// ---------------------------------------------------------------------------------------------

DEFINE_CLASS(TMessageForm, TForm, ({}))

namespace {
// The application's title, or the program's file name without its extension.
std::string MessageCaption() {
  if (!Application->Title().empty()) return Application->Title();
  std::string name = Application->ExeName();
  name = name.substr(name.find_last_of("\\/") + 1);
  if (size_t dot = name.rfind('.'); dot != std::string::npos) name.resize(dot);
  return name;
}
}  // namespace

TCustomForm* CreateMessageDialog(const std::string& Msg, TMsgDlgButtons Buttons) {
  constexpr int kMargin = 12, kGap = 16, kSpacing = 8, kButtonWidth = 75, kButtonHeight = 25;
  static const struct {
    TMsgDlgBtn kind;
    const char* name;
    const char* caption;
    TModalResult result;
  } kButtons[] = {{mbYes, "Yes", "&Yes", mrYes}, {mbNo, "No", "&No", mrNo}, {mbOK, "OK", "OK", mrOk}};
  auto* form = Create<TMessageForm>(Application);
  try {
    form->SetBorderStyle(bsDialog);
    form->SetPosition(poScreenCenter);
    form->SetCaption(MessageCaption());

    auto* label = Create<TLabel>(form);
    label->SetName("Message");
    label->SetParent(form);
    label->SetShowAccelChar(false);  // paths and names keep their "&"
    label->SetCaption(Msg);
    label->SetBounds(kMargin, kMargin, label->Width(), label->Height());

    std::vector<TButton*> buttons;
    for (const auto& b : kButtons) {
      if (!Buttons.Contains(b.kind)) continue;
      auto* button = Create<TButton>(form);
      button->SetName(b.name);
      button->SetParent(form);
      button->SetCaption(b.caption);
      button->SetModalResult(b.result);
      buttons.push_back(button);
    }
    // The last button is the safe answer: OK alone, or No.
    TButton* answer = buttons.back();
    answer->SetDefault(true);
    answer->SetCancel(true);
    form->SetActiveControl(answer);

    const int row = static_cast<int>(buttons.size()) * (kButtonWidth + kSpacing) - kSpacing;
    const int width = std::max(label->Width(), row) + 2 * kMargin;
    const int top = label->Top() + label->Height() + kGap;
    for (size_t i = 0; i < buttons.size(); ++i)
      buttons[i]->SetBounds((width - row) / 2 + static_cast<int>(i) * (kButtonWidth + kSpacing), top, kButtonWidth,
                            kButtonHeight);
    form->SetClientWidth(width);
    form->SetClientHeight(top + kButtonHeight + kMargin);
  } catch (...) {
    form->Free();
    throw;
  }
  return form;
}

TModalResult MessageDlg(const std::string& Msg, TMsgDlgButtons Buttons) {
  TCustomForm* form = CreateMessageDialog(Msg, Buttons);
  TModalResult result = mrNone;
  try {
    result = form->ShowModal();
  } catch (...) {
    form->Free();
    throw;
  }
  form->Free();
  return result;
}

void ShowMessage(const std::string& Msg) { MessageDlg(Msg, {mbOK}); }
