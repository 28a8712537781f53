#include "AppEvnts.h"

#include <algorithm>
#include <vector>

namespace {

// The live instances, oldest first: one list for the program, as there is one application.
// While messages are handed out an instance that goes leaves a null behind, swept afterwards.
struct Listeners {
  std::vector<TApplicationEvents*> list;
  int dispatching = 0;
};

Listeners& All() {
  static Listeners listeners;
  return listeners;
}

}  // namespace

void DispatchApplicationEvents(MSG& Msg, bool& Handled) {
  Listeners& all = All();
  ++all.dispatching;
  try {
    // Instances created by a handler are appended, beyond the ones this message reaches.
    for (size_t i = all.list.size(); i-- > 0;) {
      TApplicationEvents* events = all.list[i];
      if (events && events->OnMessage) events->OnMessage(Msg, Handled);
    }
  } catch (...) {
    --all.dispatching;
    throw;
  }
  if (--all.dispatching == 0) all.list.erase(std::remove(all.list.begin(), all.list.end(), nullptr), all.list.end());
}

DEFINE_COMPONENT(TApplicationEvents, TComponent, ({Field<&TApplicationEvents::OnMessage>("OnMessage")}), ({}))

TApplicationEvents::TApplicationEvents(TComponent* AOwner) : TComponent(AOwner) { All().list.push_back(this); }

TApplicationEvents::~TApplicationEvents() { Leave(); }

void TApplicationEvents::BeforeDestruction() {
  Leave();
  TComponent::BeforeDestruction();
}

void TApplicationEvents::Leave() {
  Listeners& all = All();
  auto it = std::find(all.list.begin(), all.list.end(), this);
  if (it == all.list.end()) return;
  if (all.dispatching) *it = nullptr;
  else all.list.erase(it);
}
