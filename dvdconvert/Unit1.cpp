#include "Unit1.h"

#include <shlobj.h>

#include "Dialogs.h"
#include "JobText.h"
#include "Pelvardi_filelib.h"
#include "ShellLine.h"
#include "SysUtils.h"
#include "working.h"

TForm1* Form1 = nullptr;
bool IsNT = false;
std::string ProgramPath;
std::string ProgramDir;
std::string VobFolder;
std::string InputFile;
std::string OutputFile;

DEFINE_COMPONENT(TForm1, TForm, ({}),
                 ({Handler<&TForm1::FormCreate>("FormCreate"), Handler<&TForm1::Button6Click>("Button6Click"),
                   Handler<&TForm1::Button7Click>("Button7Click"),
                   Handler<&TForm1::ToolButton1Click>("ToolButton1Click"),
                   Handler<&TForm1::ToolButton2Click>("ToolButton2Click"),
                   Handler<&TForm1::ToolButton3Click>("ToolButton3Click"),
                   Handler<&TForm1::ToolButton4Click>("ToolButton4Click"),
                   Handler<&TForm1::Button1Click>("Button1Click"), Handler<&TForm1::Label7Click>("Label7Click"),
                   Handler<&TForm1::Edit1Exit>("Edit1Exit")}))

namespace {
TFolderBrowser folderBrowser = BrowseForFolder;
}

void SetFolderBrowser(TFolderBrowser Browser) { folderBrowser = Browser ? Browser : BrowseForFolder; }

std::string BrowseForFolder(const std::string& Title) {
  BROWSEINFOA info{};
  info.hwndOwner = Application->Handle();
  info.lpszTitle = Title.c_str();
  info.ulFlags = BIF_RETURNONLYFSDIRS;
  HWND from = GetActiveWindow();
  // The browser is modal to its owner only: keep the program's other windows out of reach too.
  std::vector<HWND> disabled;
  for (int i = 0; i < Screen->CustomFormCount(); ++i) {
    TCustomForm* f = Screen->CustomForms(i);
    if (f->HandleAllocated() && IsWindowEnabled(f->Handle())) {
      disabled.push_back(f->Handle());
      EnableWindow(f->Handle(), FALSE);
    }
  }
  char path[MAX_PATH] = {};
  PIDLIST_ABSOLUTE list = SHBrowseForFolderA(&info);
  if (list) {
    if (!SHGetPathFromIDListA(list, path)) path[0] = '\0';
    CoTaskMemFree(list);
  }
  for (HWND w : disabled) EnableWindow(w, TRUE);
  // The closed browser leaves the activation with its hidden owner.
  if (from && IsWindow(from)) SetActiveWindow(from);
  return path;
}

void TForm1::Loaded() {
  TForm::Loaded();
  zubSkinEngine1 = FindOwned<TzubSkinEngine>(this, "zubSkinEngine1");
  Label7 = FindOwned<TLabel>(this, "Label7");
  Edit1 = FindOwned<TEdit>(this, "Edit1");
  Edit2 = FindOwned<TEdit>(this, "Edit2");
  Edit3 = FindOwned<TEdit>(this, "Edit3");
  ListView1 = FindOwned<TListView>(this, "ListView1");
  SpinEdit3 = FindOwned<TSpinEdit>(this, "SpinEdit3");
  SpinEdit4 = FindOwned<TSpinEdit>(this, "SpinEdit4");
  ListBox1 = FindOwned<TListBox>(this, "ListBox1");
  HelpRouter1 = FindOwned<THelpRouter>(this, "HelpRouter1");
  GameInfo1 = FindOwned<TGameInfo>(this, "GameInfo1");
}

void TForm1::FormCreate(TObject*) {
  IsNT = UpperCase(GameInfo1->OSPlatform()).find("NT") != std::string::npos;
  ProgramPath = GetFilePath(Application->ExeName());
  ProgramDir = GetFileDir(Application->ExeName());
  Application->SetHelpFile(GetFilePath(Application->ExeName()) + "quorra.chm");
}

namespace {
// The folder browser's pick, or "" after a cancel or a pick that cannot reach the shell (said in a box).
std::string PickFolder() {
  std::string picked = folderBrowser("Select Directory");
  if (ReachesShellUnchanged(picked)) return picked;
  ShowMessage(FolderNameMessage(picked));
  return "";
}
}  // namespace

void TForm1::Button6Click(TObject*) { ChooseInputFolder(PickFolder()); }

void TForm1::Edit1Exit(TObject*) { ListFieldsFolder(); }

void TForm1::ChooseInputFolder(const std::string& Picked) {
  if (!Picked.empty()) Edit1->SetText(Picked);
  if (!Edit1->Text().empty()) ListFieldsFolder();  // after a cancel, the folder the field names
}

void TForm1::ListFieldsFolder() {
  const std::string folder = Edit1->Text();
  std::string dir;
  if (!Trim(folder).empty()) {
    bool root = folder.size() >= 2 && folder.compare(folder.size() - 2, 2, ":\\") == 0;
    std::string candidate = folder + (root ? "VIDEO_TS" : "\\VIDEO_TS");
    dir = IncludeTrailingBackslash(DirectoryExists(candidate) ? candidate : folder);
  }
  if (UpperCase(dir) == UpperCase(VobFolder)) return;  // listed already: the ticks stay
  if (dir.empty())
    ListView1->Items()->Clear();
  else
    ListVobFiles(dir, ListView1);
  VobFolder = dir;
}

void TForm1::ListVobFiles(std::string Dir, TListView* List) {
  List->Items()->BeginUpdate();
  List->Items()->Clear();
  if (Dir.empty() || Dir.back() != '\\') Dir += '\\';
  TSearchRec found;
  if (FindFirst(Dir + "*.vob", faReadOnly | faHidden | faSysFile | faArchive, found) == 0) {
    do {
      TListItem* item = List->Items()->Add();
      item->SetCaption(found.Name);
      item->SubItems()->Add(IntToStr(found.Size));
    } while (FindNext(found) == 0);
    FindClose(found);
  }
  List->Items()->EndUpdate();
}

bool TForm1::AnyVobChecked() {
  for (int i = 0; i < ListView1->Items()->Count(); ++i)
    if (ListView1->Items()->Item(i)->Checked()) return true;
  return false;
}

void TForm1::Button7Click(TObject*) {
  std::string picked = PickFolder();
  if (!picked.empty()) Edit2->SetText(picked);
}

void TForm1::ToolButton1Click(TObject*) {
  try {
    if (TListItem* row = ListView1->Selected()) row->SetChecked(true);
  } catch (...) {
  }
}

void TForm1::ToolButton2Click(TObject*) {
  try {
    if (TListItem* row = ListView1->Selected()) row->SetChecked(false);
  } catch (...) {
  }
}

void TForm1::ToolButton4Click(TObject*) {
  for (int i = 0; i < ListView1->Items()->Count(); ++i) ListView1->Items()->Item(i)->SetChecked(true);
}

void TForm1::ToolButton3Click(TObject*) {
  for (int i = 0; i < ListView1->Items()->Count(); ++i) ListView1->Items()->Item(i)->SetChecked(false);
}

void TForm1::Button1Click(TObject*) {
  ListFieldsFolder();
  if (Trim(Edit1->Text()).empty()) return ShowMessage("You should set the input path.");
  if (ListView1->Items()->Count() == 0) return ShowMessage("no vob file for conversion");
  if (!AnyVobChecked()) return ShowMessage("You should select at least 1 .vob file");
  if (Trim(Edit2->Text()).empty()) return ShowMessage("You should set the output path.");

  ListBox1->Items()->Clear();
  for (int i = 0; i < ListView1->Items()->Count(); ++i) {
    TListItem* item = ListView1->Items()->Item(i);
    if (item->Checked()) ListBox1->Items()->Add(VobFolder + item->Caption());
  }
  std::vector<std::string> existing;
  for (int n = 1; n <= ListBox1->Items()->Count(); ++n) {
    const std::string name = IntToStr(n) + ".3gp";
    if (FileExists(JobOutputFile(Edit2->Text(), n))) existing.push_back(name);
  }
  if (!existing.empty() && MessageDlg(ReplaceQuestion(Edit2->Text(), existing), {mbYes, mbNo}) != mrYes) return;
  workForm = Create<TworkForm>(Application);
  workForm->ShowModal();
  workForm->Release();
  workForm = nullptr;
}

void TForm1::Label7Click(TObject*) { HelpRouter1->ShowHelpContents(); }
