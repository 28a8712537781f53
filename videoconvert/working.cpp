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
                   Handler<&TworkForm::Timer3Timer>("Timer3Timer"), Handler<&TworkForm::Button2Click>("Button2Click"),
                   Handler<&TworkForm::FormClose>("FormClose")}))

void TworkForm::Loaded() {
  TForm::Loaded();
  Memo1 = FindOwned<TMemo>(this, "Memo1");
  ProgressBar1 = FindOwned<TProgressBar>(this, "ProgressBar1");
  Button2 = FindOwned<TButton>(this, "Button2");
  Edit1 = FindOwned<TEdit>(this, "Edit1");
  Timer1 = FindOwned<TTimer>(this, "Timer1");
  Timer2 = FindOwned<TTimer>(this, "Timer2");
  Timer3 = FindOwned<TTimer>(this, "Timer3");
  Watch = TJobWatch(Timer2, Timer3);
}

void TworkForm::FormCreate(TObject*) {
  Form1->zubSkinEngine1->SkinAllScreenForms();
  ParseState = 0;  // until the job starts, the new shell's first prompt ends nothing
  ShellRunner = StartShell(this, IsNT, TNewLineEvent::Bind<&Output::HandleOutputLine>(), ShellDir);
}

// Closing the form ends its shell, and with it the job in progress, whose partial output goes.
void TworkForm::FormClose(TObject*, TCloseAction&) { Watch.Close(ParseState, ShellRunner); }

void TworkForm::Notification(TComponent* AComponent, TOperation Operation) {
  TForm::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == ShellRunner) ShellRunner = nullptr;
}

void TworkForm::FormShow(TObject*) {
  Timer1->SetEnabled(true);
  Button2->SetEnabled(false);
}

void TworkForm::Button2Click(TObject*) {}

void TworkForm::Timer1Timer(TObject*) {
  Timer1->SetEnabled(false);
  Watch.Start();  // before anything that lets messages through
  Memo1->Lines()->Clear();
  Application->ProcessMessages();
  ParseState = 1;
  Button2->SetEnabled(false);
  Memo1->Lines()->Add("Converting to 3gp video ..");
  Memo1->Repaint();
  std::string input = Form1->Edit1->Text();
  std::string line = EncoderCommandLine(ProgramPath + "zov.exe", input, Form1->SpinEdit3->Value(),
                                        Form1->SpinEdit4->Value(), Form1->Edit2->Text());
  for (const std::string& path : {ProgramPath + "zov.exe", input, Form1->Edit2->Text()})
    if (std::string problem = ShellPathProblem(path); !problem.empty()) return JobFailed(problem);
  InputDir = GetFileDir(input);
  PromptDir = ProgramDir;
  try {
    ChDir(ProgramDir);
  } catch (const Exception& e) {
    return JobFailed(FolderChangeMessage(ProgramDir, e.Message()));
  }
  Application->ProcessMessages();
  Edit1->SetText(line);
  std::string sent = ReadBackWindowText(Edit1->Handle());
  if (sent.size() > kShellLineLimit) return JobFailed(LineTooLongMessage(sent.size()));
  Watch.Sent(Form1->Edit2->Text(), ShellDir);
  ShellRunner->SendLine(sent, true);
}

// A stalled job's shell is gone with its encoder.
void TworkForm::Timer2Timer(TObject*) {
  if (Watch.Stalled(Timer2, ParseState, ShellRunner)) JobFailed("");
}

void TworkForm::Timer3Timer(TObject*) {
  if (Watch.Stalled(Timer3, ParseState, ShellRunner)) JobFailed("");
}

void TworkForm::JobFailed(const std::string& Reason) {
  Watch.Stop();
  ParseState = 0;
  if (!Reason.empty()) Memo1->Lines()->Add(Reason);
  Memo1->Lines()->Add("Error. Stopped");
  if (!Watch.LastMessage().empty()) Memo1->Lines()->Add(Watch.LastMessage());
  Button2->SetEnabled(true);
}

void TworkForm::EndOfJob() {
  Watch.Stop();
  std::string problem = Watch.OutputProblem();
  if (!problem.empty()) return JobFailed(problem);
  ParseState = 0;  // the job is over: later prompts end nothing
  Button2->SetEnabled(true);
  ProgressBar1->SetPosition(100);
}

void Output::HandleOutputLine(TObject* Sender, std::string NewLine, TOutputType) {
  // Shells of earlier work forms still print; only the current one speaks for the job.
  if (Sender != ShellRunner || !workForm) return;
  if (IsMessageLine(NewLine, {PromptDir, InputDir, ShellDir})) workForm->Watch.Heard(NewLine);
  JobLine meaning =
      ReadJobLine({ParseState, DurationSeconds, FrameRate, FrameCount}, NewLine, {PromptDir, InputDir, ShellDir});
  switch (meaning.kind) {
    case JobLine::FrameRateKnown:
      workForm->ProgressBar1->SetMin(0);
      break;
    case JobLine::EndOfJob:
      workForm->EndOfJob();
      break;
    case JobLine::Progress:
      workForm->Memo1->Lines()->Add(NewLine);
      if (meaning.position) workForm->ProgressBar1->SetPosition(*meaning.position);
      break;
    case JobLine::Nothing:
      break;
  }
  workForm->Watch.Took(ParseState, meaning.kind);
}
