#include "working.h"

#include "JobText.h"
#include "Pelvardi_filelib.h"
#include "ShellLine.h"
#include "SysUtils.h"
#include "Unit1.h"

TworkForm* workForm = nullptr;
TDosCommand* ShellRunner = nullptr;
int32_t ParseState = 0;
int32_t DurationSeconds = 0;
int32_t FrameRate = 0;
int32_t FrameCount = 0;
std::string PromptDir;
std::string InputDir;
std::string ShellDir;

DEFINE_COMPONENT(TworkForm, TForm, ({}),
                 ({Handler<&TworkForm::FormCreate>("FormCreate"), Handler<&TworkForm::FormShow>("FormShow"),
                   Handler<&TworkForm::Timer1Timer>("Timer1Timer"), Handler<&TworkForm::Timer2Timer>("Timer2Timer"),
                   Handler<&TworkForm::Button2Click>("Button2Click")}))

void TworkForm::Loaded() {
  TForm::Loaded();
  Memo1 = FindOwned<TMemo>(this, "Memo1");
  ProgressBar1 = FindOwned<TProgressBar>(this, "ProgressBar1");
  Button2 = FindOwned<TButton>(this, "Button2");
  Edit1 = FindOwned<TEdit>(this, "Edit1");
  Timer1 = FindOwned<TTimer>(this, "Timer1");
  Timer2 = FindOwned<TTimer>(this, "Timer2");
}

void TworkForm::FormCreate(TObject*) {
  Form1->zubSkinEngine1->SkinAllScreenForms();
  ShellRunner = StartShell(IsNT, TNewLineEvent::Bind<&Output::HandleOutputLine>(), ShellDir);
}

void TworkForm::FormShow(TObject*) {
  Timer1->SetEnabled(true);
  Button2->SetEnabled(false);
}

void TworkForm::Button2Click(TObject*) {}

void TworkForm::Timer1Timer(TObject*) {
  Timer1->SetEnabled(false);
  Memo1->Lines()->Clear();
  Application->ProcessMessages();
  ParseState = 1;
  Button2->SetEnabled(false);
  Memo1->Lines()->Add("Converting to 3gp video ..");
  Memo1->Repaint();
  std::string input = Form1->Edit1->Text();
  std::string line = EncoderCommandLine(ProgramPath + "zov.exe", input, Form1->SpinEdit3->Value(),
                                        Form1->SpinEdit4->Value(), Form1->Edit2->Text());
  InputDir = GetFileDir(input);
  PromptDir = ProgramDir;
  ChDir(ProgramDir);
  Application->ProcessMessages();
  Edit1->SetText(line);
  // A fresh ten seconds for this job, also while an earlier job's timer still runs.
  Timer2->SetEnabled(false);
  Timer2->SetEnabled(true);
  std::string sent = ReadBackWindowText(Edit1->Handle());
  if (sent.size() > kShellLineLimit) {
    Timer2->SetEnabled(false);
    Memo1->Lines()->Add(LineTooLongMessage(sent.size()));
    Memo1->Lines()->Add("Error. Stopped");
    Button2->SetEnabled(true);
    return;
  }
  ShellRunner->SendLine(sent, true);
}

void TworkForm::Timer2Timer(TObject*) {
  Timer2->SetEnabled(false);
  if (ParseState >= 3) return;
  Memo1->Lines()->Add("Error. Stopped");
  Button2->SetEnabled(true);
}

void Output::HandleOutputLine(TObject* Sender, std::string NewLine, TOutputType) {
  // Shells of earlier work forms still print; only the current one speaks for the job.
  if (Sender != ShellRunner || !workForm) return;
  JobLine meaning =
      ReadJobLine({ParseState, DurationSeconds, FrameRate, FrameCount}, NewLine, {PromptDir, InputDir, ShellDir});
  switch (meaning.kind) {
    case JobLine::FrameRateKnown:
      workForm->ProgressBar1->SetMin(0);
      break;
    case JobLine::EndOfJob:
      workForm->Button2->SetEnabled(true);
      workForm->ProgressBar1->SetPosition(100);
      break;
    case JobLine::Progress:
      workForm->Memo1->Lines()->Add(NewLine);
      if (meaning.position) workForm->ProgressBar1->SetPosition(*meaning.position);
      break;
    case JobLine::Nothing:
      break;
  }
}
