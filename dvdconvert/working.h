// The DVD converter's work form: the batch driver that types one encoder command line per job
// into a hidden shell and turns what the shell and the encoder print into progress.
#pragma once

#include <string>

#include "ComCtrls.h"
#include "DosCommand.h"
#include "Forms.h"
#include "JobWatch.h"
#include "StdCtrls.h"
#include "Timer.h"

class TworkForm : public TForm {
  DECLARE_CLASS(TworkForm, TForm)
 public:
  using TForm::TForm;
  void Loaded() override;

  void FormCreate(TObject* Sender);
  void FormShow(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void Timer1Timer(TObject* Sender);
  void Timer2Timer(TObject* Sender);
  void Timer3Timer(TObject* Sender);
  void Button2Click(TObject* Sender);
  void StartNextFile();
  void EndOfJob();

  TMemo* Memo1 = nullptr;
  TLabel* Label3 = nullptr;
  TProgressBar* ProgressBar1 = nullptr;
  TProgressBar* ProgressBar2 = nullptr;
  TButton* Button2 = nullptr;
  TTimer* Timer1 = nullptr;
  TTimer* Timer2 = nullptr;  // stall check: no frame rate ten seconds after the job start
  TTimer* Timer3 = nullptr;  // stall check: thirty seconds without a line once the frame rate is known
  TJobWatch Watch;           // on Timer2 and Timer3

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  void NextJobAfterFailure(const std::string& Reason);
  void NextJob();
};

// The output parser, bound to every runner's OnNewLine with no object behind it.
class Output : public TObject {
 public:
  static void HandleOutputLine(TObject* Sender, std::string NewLine, TOutputType OutputType);
};

void AddLog(const std::string& Text);
void SetStatus(const std::string& Text);

// Work-unit state: one set per program, shared by every work form and every runner.
extern TworkForm* workForm;
extern TDosCommand* ShellRunner;  // the shell of the open work form, which owns it; null without one
extern int32_t FileIndex;
extern int32_t ParseState;
extern int32_t DurationSeconds;
extern int32_t FrameRate;
extern int32_t FrameCount;
extern std::string PromptDir;
extern std::string InputDir;
extern std::string ShellDir;  // the folder the current shell was started in
