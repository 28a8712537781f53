#include "working.h"

#include <windows.h>

#include "JobText.h"
#include "Pelvardi_filelib.h"
#include "ShellLine.h"
#include "SysUtils.h"
#include "Unit1.h"

TworkForm* workForm = nullptr;
TDosCommand* ShellRunner = nullptr;
int32_t FileIndex = 0;
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

namespace {
int JobCount() { return Form1->ListBox1->Items()->Count(); }
}  // namespace

void TworkForm::Loaded() {
  TForm::Loaded();
  Memo1 = FindOwned<TMemo>(this, "Memo1");
  Label3 = FindOwned<TLabel>(this, "Label3");
  ProgressBar1 = FindOwned<TProgressBar>(this, "ProgressBar1");
  ProgressBar2 = FindOwned<TProgressBar>(this, "ProgressBar2");
  Button2 = FindOwned<TButton>(this, "Button2");
  Timer1 = FindOwned<TTimer>(this, "Timer1");
  Timer2 = FindOwned<TTimer>(this, "Timer2");
  Timer3 = FindOwned<TTimer>(this, "Timer3");
  Watch = TJobWatch(Timer2, Timer3);
}

namespace {
TNewLineEvent Parser() { return TNewLineEvent::Bind<&Output::HandleOutputLine>(); }
}  // namespace

void TworkForm::FormCreate(TObject*) {
  Form1->zubSkinEngine1->SkinAllScreenForms();
  ParseState = 0;  // until job 1 starts, the new shell's first prompt ends nothing
  ShellRunner = StartShell(this, IsNT, Parser(), ShellDir);
}

// Closing the form ends its shell, and with it the job in progress, whose partial output goes.
void TworkForm::FormClose(TObject*, TCloseAction&) { Watch.Close(ParseState, ShellRunner); }

void TworkForm::Notification(TComponent* AComponent, TOperation Operation) {
  TForm::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == ShellRunner) ShellRunner = nullptr;
}

void TworkForm::FormShow(TObject*) {
  Memo1->Lines()->Clear();
  Timer1->SetEnabled(true);
  Button2->SetEnabled(false);
  FileIndex = 1;
  ProgressBar2->SetMax(JobCount());
}

void TworkForm::Timer1Timer(TObject*) {
  Timer1->SetEnabled(false);
  Memo1->Lines()->Clear();
  StartNextFile();
}

void TworkForm::Button2Click(TObject*) {}

void TworkForm::StartNextFile() {
  // Before anything that lets messages through: an earlier job's stall check must not fall due here.
  Watch.Start();
  ProgressBar2->SetPosition(FileIndex);
  Application->ProcessMessages();
  ParseState = 1;
  Button2->SetEnabled(false);
  SetStatus("Converting to iPod video ..");
  Memo1->Repaint();
  InputFile = Form1->ListBox1->Items()->Strings(FileIndex - 1);
  OutputFile = JobOutputFile(Form1->Edit2->Text(), FileIndex);
  AddLog("Converting " + InputFile + " to 3gp video: ");
  AddLog(">>" + OutputFile);
  std::string line = EncoderCommandLine(ProgramPath + "zov.exe", InputFile, Form1->SpinEdit3->Value(),
                                        Form1->SpinEdit4->Value(), OutputFile);
  for (const std::string& path : {ProgramPath + "zov.exe", InputFile, OutputFile})
    if (std::string problem = ShellPathProblem(path); !problem.empty()) return NextJobAfterFailure(problem);
  InputDir = GetFileDir(InputFile);
  PromptDir = ProgramDir;
  try {
    ChDir(ProgramDir);
  } catch (const Exception& e) {
    return NextJobAfterFailure(FolderChangeMessage(ProgramDir, e.Message()));
  }
  Application->ProcessMessages();
  Form1->Edit3->SetText(line);
  std::string sent = ReadBackWindowText(Form1->Edit3->Handle());
  if (sent.size() > kShellLineLimit) return NextJobAfterFailure(LineTooLongMessage(sent.size()));
  if (!ShellRunner) ShellRunner = StartShell(this, IsNT, Parser(), ShellDir);  // the stalled one is gone
  Watch.Sent(OutputFile, ShellDir);
  ShellRunner->SendLine(sent, true);
}

void TworkForm::EndOfJob() {
  Watch.Stop();
  std::string problem = Watch.OutputProblem();
  if (!problem.empty()) return NextJobAfterFailure(problem);
  Button2->SetEnabled(true);
  ProgressBar1->SetPosition(100);
  NextJob();
}

// Reason (if any), "Error. Stopped" and the encoder's last message go to the log, as the status line
// goes to the next job at once.
void TworkForm::NextJobAfterFailure(const std::string& Reason) {
  Watch.Stop();
  if (!Reason.empty()) AddLog(Reason);
  SetStatus("Error. Stopped");
  AddLog("Error. Stopped");
  if (!Watch.LastMessage().empty()) AddLog(Watch.LastMessage());
  Button2->SetEnabled(true);
  NextJob();
}

void TworkForm::NextJob() {
  ++FileIndex;
  if (JobCount() >= FileIndex)
    StartNextFile();
  else
    ParseState = 0;  // the batch is over: later prompts end nothing
}

// A stalled job's shell is gone with its encoder: the next job gets a fresh one.
void TworkForm::Timer2Timer(TObject*) {
  if (Watch.Stalled(Timer2, ParseState, ShellRunner)) NextJobAfterFailure("");
}

void TworkForm::Timer3Timer(TObject*) {
  if (Watch.Stalled(Timer3, ParseState, ShellRunner)) NextJobAfterFailure("");
}

void Output::HandleOutputLine(TObject* Sender, std::string NewLine, TOutputType) {
  try {
    // Shells of earlier work forms still print; only the current one speaks for the job.
    if (Sender != ShellRunner || !workForm) return;
    if (IsMessageLine(NewLine, {PromptDir, InputDir, ShellDir})) workForm->Watch.Heard(NewLine);
    JobLine meaning = ReadJobLine({ParseState, DurationSeconds, FrameRate, FrameCount}, NewLine,
                                  {PromptDir, InputDir, ShellDir});
    switch (meaning.kind) {
      case JobLine::FrameRateKnown:
        workForm->ProgressBar1->SetMin(0);
        break;
      case JobLine::EndOfJob:
        workForm->EndOfJob();
        break;
      case JobLine::Progress:
        SetStatus(NewLine);
        if (meaning.position) workForm->ProgressBar1->SetPosition(*meaning.position);
        break;
      case JobLine::Nothing:
        break;
    }
    workForm->Watch.Took(ParseState, meaning.kind);
  } catch (...) {
    // A line that cannot be handled changes nothing more.
  }
}

void AddLog(const std::string& Text) {
  try {
    if (workForm) workForm->Memo1->Lines()->Add(Text);
  } catch (...) {
  }
}

void SetStatus(const std::string& Text) {
  try {
    if (workForm) workForm->Label3->SetCaption(Text);
  } catch (...) {
  }
}
