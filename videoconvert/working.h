// The video converter's work form: one encoder job typed into a hidden shell, with progress.
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
  void EndOfJob();
  // "Error. Stopped" after the reason, if any, and before the encoder's last message; Done enabled.
  void JobFailed(const std::string& Reason);

  TMemo* Memo1 = nullptr;
  TProgressBar* ProgressBar1 = nullptr;
  TButton* Button2 = nullptr;
  TEdit* Edit1 = nullptr;
  TTimer* Timer1 = nullptr;
  TTimer* Timer2 = nullptr;  // stall check: no frame rate ten seconds after the job start
  TTimer* Timer3 = nullptr;  // stall check: thirty seconds without a line once the frame rate is known
  TJobWatch Watch;           // on Timer2 and Timer3

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;
};

// The output parser, bound to every runner's OnNewLine with no object behind it.
class Output : public TObject {
 public:
  static void HandleOutputLine(TObject* Sender, std::string NewLine, TOutputType OutputType);
};

// Work-unit state: one set per program, shared by every work form and every runner.
extern TworkForm* workForm;
extern TDosCommand* ShellRunner;  // the shell of the open work form, which owns it; null without one
extern int32_t ParseState;
extern int32_t DurationSeconds;
extern int32_t FrameRate;
extern int32_t FrameCount;
extern std::string PromptDir;
extern std::string InputDir;
extern std::string ShellDir;  // the folder the current shell was started in
