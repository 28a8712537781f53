#include "Unit1.h"

#include "Dialogs.h"
#include "JobText.h"
#include "Pelvardi_filelib.h"
#include "SysUtils.h"
#include "working.h"

TForm1* Form1 = nullptr;
bool IsNT = false;
std::string ProgramPath;
std::string ProgramDir;

DEFINE_COMPONENT(TForm1, TForm, ({}),
                 ({Handler<&TForm1::FormCreate>("FormCreate"), Handler<&TForm1::SpeedButton1Click>("SpeedButton1Click"),
                   Handler<&TForm1::Button1Click>("Button1Click"), Handler<&TForm1::Label7Click>("Label7Click")}))

bool HasThreeGpExtension(const std::string& Name) {
  return Name.size() >= 4 && UpperCase(Name.substr(Name.size() - 4)) == ".3GP";
}

void TForm1::Loaded() {
  TForm::Loaded();
  zubSkinEngine1 = FindOwned<TzubSkinEngine>(this, "zubSkinEngine1");
  Edit1 = FindOwned<TEdit>(this, "Edit1");
  Edit2 = FindOwned<TEdit>(this, "Edit2");
  SpinEdit3 = FindOwned<TSpinEdit>(this, "SpinEdit3");
  SpinEdit4 = FindOwned<TSpinEdit>(this, "SpinEdit4");
  OpenDialog1 = FindOwned<TOpenDialog>(this, "OpenDialog1");
  HelpRouter1 = FindOwned<THelpRouter>(this, "HelpRouter1");
  GameInfo1 = FindOwned<TGameInfo>(this, "GameInfo1");
}

void TForm1::FormCreate(TObject*) {
  IsNT = UpperCase(GameInfo1->OSPlatform()).find("NT") != std::string::npos;
  ProgramPath = GetFilePath(Application->ExeName());
  ProgramDir = GetFileDir(Application->ExeName());
  Application->SetHelpFile(ProgramPath + "quorra.chm");
}

void TForm1::SpeedButton1Click(TObject*) {
  if (OpenDialog1->Execute()) Edit1->SetText(OpenDialog1->FileName());
}

void TForm1::Button1Click(TObject*) {
  if (!HasThreeGpExtension(Edit2->Text()))
    return ShowMessage(
        "You have to type the .3gp extension after the file name that you want to save after the conversion. "
        "Such as abc.3gp");
  const std::string output = PathInFolder(Edit2->Text(), GetCurrentDir());  // where the next shell starts
  if (FileExists(output) &&
      MessageDlg(ReplaceQuestion(GetFileDir(output), {ExtractFileName(output)}), {mbYes, mbNo}) != mrYes)
    return;
  workForm = Create<TworkForm>(Application);
  workForm->ShowModal();
  workForm->Release();
  workForm = nullptr;
}

void TForm1::Label7Click(TObject*) { HelpRouter1->ShowHelpContents(); }
