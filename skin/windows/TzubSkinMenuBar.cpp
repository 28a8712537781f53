#include "TzubSkinMenuBar.h"

#include "TzubSkinWindowVCL.h"

DEFINE_CLASS(TzubSkinMenuBar, TToolBar, ({}))

void TzubSkinMenuBar::SetFormSkinner(TzubSkinWindowVCL* Value) {
  FormSkinner = Value;
  if (Value) Value->FreeNotification(this);
}

void TzubSkinMenuBar::Notification(TComponent* AComponent, TOperation Operation) {
  TToolBar::Notification(AComponent, Operation);
  if (!AComponent) return;
  if (Operation == opRemove && FormSkinner && AComponent == FormSkinner) {
    FormSkinner = nullptr;
    OnCustomDrawButton = {};
  }
  if (Operation == opInsert && AComponent->Owner() == this)
    if (auto* popup = As<TPopupMenu>(AComponent)) popup->OnPopup = TNotifyEvent::Bind<&TzubSkinMenuBar::DropDownPopup>(this);
}

void TzubSkinMenuBar::DropDownPopup(TObject* Sender) {
  auto* popup = As<TPopupMenu>(Sender);
  if (popup && FormSkinner && FormSkinner->ShownMenu) popup->SetAutoHotkeys(FormSkinner->ShownMenu->AutoHotkeys());
}
