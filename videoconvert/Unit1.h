// The video converter's main form: input file, output name, frame size, Convert.
#pragma once

#include <string>

#include "Buttons.h"
#include "Dialogs.h"
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
  void SpeedButton1Click(TObject* Sender);
  void Button1Click(TObject* Sender);
  void Label7Click(TObject* Sender);

  TEdit* Edit1 = nullptr;
  TEdit* Edit2 = nullptr;
  TSpinEdit* SpinEdit3 = nullptr;
  TSpinEdit* SpinEdit4 = nullptr;
  TOpenDialog* OpenDialog1 = nullptr;
  TzubSkinEngine* zubSkinEngine1 = nullptr;
  THelpRouter* HelpRouter1 = nullptr;
  TGameInfo* GameInfo1 = nullptr;
};

// The output name ends in ".3gp" in any letter case.
bool HasThreeGpExtension(const std::string& Name);

extern TForm1* Form1;
extern bool IsNT;
extern std::string ProgramPath;  // with a trailing backslash
extern std::string ProgramDir;   // without it; a drive root keeps it
