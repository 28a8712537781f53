// The DVD converter's main form: DVD folder, .vob list, output folder, frame size, Convert.
#pragma once

#include <string>

#include "ComCtrls.h"
#include "Forms.h"
#include "TzubSkinEngine.h"
#include "GameInfo.h"
#include "Spin.h"
#include "StdCtrls.h"
#include "obvhelprouter.h"

class TForm1 : public TForm {
  DECLARE_CLASS(TForm1, TForm)
 public:
  using TForm::TForm;
  void Loaded() override;

  void FormCreate(TObject* Sender);
  void Button6Click(TObject* Sender);
  void Button7Click(TObject* Sender);
  void ToolButton1Click(TObject* Sender);
  void ToolButton2Click(TObject* Sender);
  void ToolButton3Click(TObject* Sender);
  void ToolButton4Click(TObject* Sender);
  void Button1Click(TObject* Sender);
  void Label7Click(TObject* Sender);

  void Edit1Exit(TObject* Sender);

  // Lists the folder the user picked, or after a cancel (Picked empty) the folder Edit1 names.
  void ChooseInputFolder(const std::string& Picked);
  // Lists the folder Edit1 names, or that folder's VIDEO_TS (nothing for an empty field); a folder
  // listed already keeps its rows and ticks.
  void ListFieldsFolder();
  void ListVobFiles(std::string Dir, TListView* List);
  bool AnyVobChecked();

  TLabel* Label7 = nullptr;
  TEdit* Edit1 = nullptr;
  TEdit* Edit2 = nullptr;
  TEdit* Edit3 = nullptr;
  TListView* ListView1 = nullptr;
  TSpinEdit* SpinEdit3 = nullptr;
  TSpinEdit* SpinEdit4 = nullptr;
  TListBox* ListBox1 = nullptr;
  TzubSkinEngine* zubSkinEngine1 = nullptr;
  THelpRouter* HelpRouter1 = nullptr;
  TGameInfo* GameInfo1 = nullptr;
};

// The folder browser: the chosen folder's path, or empty when the user cancels.
std::string BrowseForFolder(const std::string& Title);
// Tests replace the browser; null restores it.
using TFolderBrowser = std::string (*)(const std::string& Title);
void SetFolderBrowser(TFolderBrowser Browser);

// Unit state: one set per program.
extern TForm1* Form1;
extern bool IsNT;
extern std::string ProgramPath;  // with a trailing backslash
extern std::string ProgramDir;   // without it; a drive root keeps it
extern std::string VobFolder;
extern std::string InputFile;
extern std::string OutputFile;
