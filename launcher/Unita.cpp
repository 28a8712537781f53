#include "Unita.h"

#include <windows.h>
#include <shellapi.h>

#include "ExtractFolder.h"

Tmainform* mainform = nullptr;
std::string AppFolder;
bool PanelHoverSet = false;

DEFINE_COMPONENT(Tmainform, TForm, ({}),
                 ({Handler<&Tmainform::FormCreate>("FormCreate"),
                   Handler<&Tmainform::FormMouseMove>("FormMouseMove"),
                   Handler<&Tmainform::Panel1Click>("Panel1Click"),
                   Handler<&Tmainform::Panel1MouseDown>("Panel1MouseDown"),
                   Handler<&Tmainform::Panel1MouseMove>("Panel1MouseMove"),
                   Handler<&Tmainform::Panel1MouseUp>("Panel1MouseUp"),
                   Handler<&Tmainform::Panel2Click>("Panel2Click"),
                   Handler<&Tmainform::Panel2MouseDown>("Panel2MouseDown"),
                   Handler<&Tmainform::Panel2MouseMove>("Panel2MouseMove"),
                   Handler<&Tmainform::Panel2MouseUp>("Panel2MouseUp"),
                   Handler<&Tmainform::Panel3Click>("Panel3Click"),
                   Handler<&Tmainform::Panel3MouseDown>("Panel3MouseDown"),
                   Handler<&Tmainform::Panel3MouseMove>("Panel3MouseMove"),
                   Handler<&Tmainform::Panel3MouseUp>("Panel3MouseUp")}))

// Also runs when a read fails, after its components are gone: then the fields stay null.
void Tmainform::Loaded() {
  TForm::Loaded();
  zubSkinEngine1 = As<TzubSkinEngine>(FindComponent("zubSkinEngine1"));
  Panel1 = As<TPanel>(FindComponent("Panel1"));
  Panel3 = As<TPanel>(FindComponent("Panel3"));
  Panel2 = As<TPanel>(FindComponent("Panel2"));
  HelpRouter1 = As<THelpRouter>(FindComponent("HelpRouter1"));
}

void Tmainform::FormCreate(TObject*) {
  PanelHoverSet = false;
  AppFolder = ExtractFolder(Application->ExeName());
  Application->SetHelpFile(ExtractFolder(Application->ExeName()) + "quorra.chm");
}

// The shell starts it as a process of its own; a missing program leaves the launcher as it was.
void Tmainform::StartProgram(const std::string& ExeName) {
  ShellExecuteA(Handle(), "Open", (AppFolder + ExeName).c_str(), "homepagea", nullptr, SW_SHOW);
}

void Tmainform::Panel1Click(TObject*) { StartProgram("Corvale.exe"); }
void Tmainform::Panel3Click(TObject*) { StartProgram("Dunmarrow.exe"); }
void Tmainform::Panel2Click(TObject*) { StartProgram("Pimbrel.exe"); }

// Applied once per entry into a panel: a move over the form's own surface allows the next one.
void Tmainform::HoverLook(TPanel* Hovered) {
  if (PanelHoverSet) return;
  for (TPanel* panel : {Panel1, Panel2, Panel3}) {
    panel->SetBevelInner(panel == Hovered ? bvRaised : bvLowered);
    panel->SetBevelOuter(bvRaised);
  }
  PanelHoverSet = true;
}

void Tmainform::FormMouseMove(TObject*, TShiftState, int, int) { PanelHoverSet = false; }
void Tmainform::Panel1MouseMove(TObject*, TShiftState, int, int) { HoverLook(Panel1); }
void Tmainform::Panel2MouseMove(TObject*, TShiftState, int, int) { HoverLook(Panel2); }
void Tmainform::Panel3MouseMove(TObject*, TShiftState, int, int) { HoverLook(Panel3); }

void Tmainform::PressedLook(TPanel* Panel) {
  Panel->SetBevelInner(bvLowered);
  Panel->SetBevelOuter(bvLowered);
}

void Tmainform::ReleasedLook(TPanel* Panel) {
  Panel->SetBevelInner(bvRaised);
  Panel->SetBevelOuter(bvRaised);
}

void Tmainform::Panel1MouseDown(TObject*, TMouseButton, TShiftState, int, int) { PressedLook(Panel1); }
void Tmainform::Panel2MouseDown(TObject*, TMouseButton, TShiftState, int, int) { PressedLook(Panel2); }
void Tmainform::Panel3MouseDown(TObject*, TMouseButton, TShiftState, int, int) { PressedLook(Panel3); }
void Tmainform::Panel1MouseUp(TObject*, TMouseButton, TShiftState, int, int) { ReleasedLook(Panel1); }
void Tmainform::Panel2MouseUp(TObject*, TMouseButton, TShiftState, int, int) { ReleasedLook(Panel2); }
void Tmainform::Panel3MouseUp(TObject*, TMouseButton, TShiftState, int, int) { ReleasedLook(Panel3); }
