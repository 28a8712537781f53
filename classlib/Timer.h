// The timer component: OnTimer every Interval milliseconds, through the message loop of the thread
// that created the timer.
#pragma once

#include <atomic>
#include <cstdint>

#include "Component.h"

class EOutOfResources : public EOutOfMemory {
 public:
  using EOutOfMemory::EOutOfMemory;
  std::string ClassName() const override { return "EOutOfResources"; }
};

// Runs while Enabled, Interval > 0, OnTimer assigned and not loading. Enabling an enabled timer
// keeps its schedule; a new Interval or OnTimer starts the count again. Enabled and Interval may be
// set from any thread (the change reaches the timer's own thread through its message queue);
// OnTimer only on the timer's own thread.
class TTimer : public TComponent {
  DECLARE_CLASS(TTimer, TComponent)
 public:
  explicit TTimer(TComponent* AOwner);
  ~TTimer() override;
  void Loaded() override;

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool Value);
  uint32_t Interval() const { return interval_; }
  void SetInterval(uint32_t Value);
  TNotifyEvent OnTimer() const { return onTimer_; }
  void SetOnTimer(TNotifyEvent Value);

 private:
  static LRESULT CALLBACK WindowProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam);
  void UpdateTimer();
  void StartSystemTimer();
  void StopSystemTimer();

  HWND window_;      // the creating thread's timer window
  DWORD threadId_;   // the creating thread
  uint32_t serial_;  // never reused, so a late message cannot reach a newer timer
  UINT_PTR timerId_ = 0;  // the running system timer; 0 when stopped
  std::atomic<bool> enabled_{true};
  std::atomic<uint32_t> interval_{1000};
  TNotifyEvent onTimer_;
};
