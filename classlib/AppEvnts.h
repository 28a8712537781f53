// Application events as a component: every instance hears each message that the application's
// loops take from the queue.
#pragma once

#include <windows.h>

#include "Forms.h"

// Each message that the main loop, a modal loop or ProcessMessages takes from the queue goes,
// before it is translated and dispatched, first to Application->OnMessage, then to the OnMessage
// of every instance, the newest first. Every instance hears every message; one that sets Handled
// keeps the message from being dispatched. An instance may be created or freed inside a handler
// (its own included): one created there first hears the next message, one freed there is not
// called again.
class TApplicationEvents : public TComponent {
  DECLARE_CLASS(TApplicationEvents, TComponent)
 public:
  explicit TApplicationEvents(TComponent* AOwner);
  ~TApplicationEvents() override;
  void BeforeDestruction() override;

  TMessageEvent OnMessage;

 private:
  void Leave();
};
