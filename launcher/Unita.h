// The launcher's main form: three large panels, each starting a program from the launcher's folder.
#pragma once

#include <string>

#include "Controls.h"
#include "ExtCtrls.h"
#include "Forms.h"
#include "TzubSkinEngine.h"
#include "obvhelprouter.h"

class Tmainform : public TForm {
  DECLARE_CLASS(Tmainform, TForm)
 public:
  using TForm::TForm;

  // Created by the form resource.
  TPanel* Panel1 = nullptr;  // the video converter
  TPanel* Panel3 = nullptr;  // the DVD converter
  TPanel* Panel2 = nullptr;  // the slideshow maker, hidden
  TzubSkinEngine* zubSkinEngine1 = nullptr;
  THelpRouter* HelpRouter1 = nullptr;

  void FormCreate(TObject* Sender);
  void FormMouseMove(TObject* Sender, TShiftState Shift, int X, int Y);
  void Panel1Click(TObject* Sender);
  void Panel1MouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void Panel1MouseMove(TObject* Sender, TShiftState Shift, int X, int Y);
  void Panel1MouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void Panel2Click(TObject* Sender);
  void Panel2MouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void Panel2MouseMove(TObject* Sender, TShiftState Shift, int X, int Y);
  void Panel2MouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void Panel3Click(TObject* Sender);
  void Panel3MouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void Panel3MouseMove(TObject* Sender, TShiftState Shift, int X, int Y);
  void Panel3MouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);

 protected:
  // Binds the fields above to the components the resource created.
  void Loaded() override;

 private:
  void StartProgram(const std::string& ExeName);
  void HoverLook(TPanel* Hovered);
  static void PressedLook(TPanel* Panel);
  static void ReleasedLook(TPanel* Panel);
};

// The main form.
extern Tmainform* mainform;
// The launcher's folder with a trailing backslash: the converters are started from here.
extern std::string AppFolder;
// The hover look has been applied since the pointer last moved over the form's own surface.
extern bool PanelHoverSet;
