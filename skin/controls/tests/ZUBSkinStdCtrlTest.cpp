// The 24 rows: which skinner CreateControlSkinner picks for every control of the gallery form.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <string>

#include "FormReader.h"
#include "Screenshot.h"
#include "Spin.h"
#include "Startup.h"
#include "StdCtrlTesting.h"
#include "ZUBSkinRegistry.h"

namespace {

// Every control of the gallery, by class; children of controls included (the spin edit's button,
// the radio group's buttons, the tool bar's buttons, the pages' contents).
const std::map<std::string, std::string> kSkinnerOfClass = {
    {"TFrame", "TzubSkinFrame"},
    {"TScrollBox", "TzubSkinScrollWinControl"},
    {"TToolBar", "TzubSkinToolBar"},
    {"TToolButton", ""},
    {"TStatusBar", "TzubSkinStatusBar"},
    {"TDateTimePicker", "TzubSkinExtComboboxLikeControl"},
    {"TTreeView", "TzubSkinScrollWinControl"},
    {"TUpDown", "TzubSkinUpDown"},
    {"THotKey", "TzubSkinBorderWinControl"},
    {"TProgressBar", "TzubSkinProgressBar"},
    {"TTrackBar", "TzubSkinTrackBar"},
    {"TTabControl", "TzubSkinTabControl"},
    {"TPageControl", "TzubSkinTabControl"},
    {"TTabSheet", ""},
    {"TDrawGrid", "TzubSkinGrid"},
    {"TStringGrid", "TzubSkinGrid"},
    {"TSpeedButton", "TzubSkinSpeedButton"},
    {"TPanel", "TzubSkinPanel"},
    {"TGroupBox", "TzubSkinGroupBox"},
    {"TRadioGroup", "TzubSkinGroupBox"},
    {"TGroupButton", "TzubSkinRadioButton"},
    {"TScrollBar", "TzubSkinScrollBar"},
    {"TListBox", "TzubSkinScrollWinControl"},
    {"TListView", "TzubSkinScrollWinControl"},
    {"TRadioButton", "TzubSkinRadioButton"},
    {"TComboBox", "TzubSkinComboBox"},
    {"TCheckBox", "TzubSkinCheckBox"},
    {"TEdit", "TzubSkinScrollWinControl"},
    {"TMemo", "TzubSkinScrollWinControl"},
    {"TMaskEdit", "TzubSkinScrollWinControl"},
    {"TSpinEdit", "TzubSkinScrollWinControl"},
    {"TSpinButton", ""},
    {"TButton", "TzubSkinButton"},
    {"TBitBtn", "TzubSkinButton"},
    {"TLabel", ""},
    {"TNotebook", "TzubSkinScrollWinControl"},
    {"TPage", "TzubSkinScrollWinControl"},
    {"TControlBar", "TzubSkinScrollWinControl"},
};

void Walk(TWinControl* parent, std::vector<TControl*>& out) {
  for (int i = 0; i < parent->ControlCount(); ++i) {
    out.push_back(parent->Controls(i));
    if (auto* w = As<TWinControl>(parent->Controls(i))) Walk(w, out);
  }
}

std::string Picked(TControl* control, TzubSkinWindow* window) {
  TzubSkinControlVCL* s = CreateControlSkinner(control, window);
  const std::string name = s ? s->ClassName() : "";
  ReleaseSkinControl(s);
  return name;
}

TEST(StdCtrlRows, EveryGalleryControlGetsTheSkinnerOfTheLastRowItInheritsFrom) {
  InitializeUnits();  // the unit's start-up appends the rows
  const size_t rows = SkinControlClassTable.size();
  RegisterStdCtrlSkinners();  // once, however often entered
  EXPECT_EQ(SkinControlClassTable.size(), rows);
  ASSERT_GE(rows, 24u);

  stdctrl::SkinnedForm s;
  TForm* gallery = Create<TForm>(nullptr, true);
  ReadComponentText(gallery, LoadFormResource("GALLERY"));
  std::vector<TControl*> controls;
  Walk(gallery, controls);
  std::set<std::string> seen;
  for (TControl* c : controls) {
    auto row = kSkinnerOfClass.find(c->ClassName());
    if (row == kSkinnerOfClass.end()) {
      ADD_FAILURE() << "the table has no line for " << c->ClassName();
      continue;
    }
    seen.insert(row->first);
    EXPECT_EQ(Picked(c, s.window), row->second) << c->Name() << ": " << c->ClassName();
  }
  for (const auto& row : kSkinnerOfClass) EXPECT_TRUE(seen.count(row.first)) << "the gallery shows no " << row.first;

  // A row appended later wins for its class and its descendants.
  SkinControlClassTable.push_back({TCustomEdit::StaticClass(), NewSkinControlVCL<TzubSkinPanel>});
  EXPECT_EQ(Picked(FindOwned<TControl>(gallery, "Memo1"), s.window), "TzubSkinPanel");
  SkinControlClassTable.pop_back();
  gallery->Free();
}

// The gallery photographed plain, then skinned with our skin by the form skinner, which hands
// every control to the skinner of its row. For people to look at.
TEST(StdCtrlRows, TheGalleryPhotographedPlainAndSkinned) {
  InitializeUnits();
  TForm* gallery = Create<TForm>(nullptr, true);
  ReadComponentText(gallery, LoadFormResource("GALLERY"));
  auto* engine = Create<TzubSkinEngine>(gallery);
  gallery->Show();
  UpdateWindow(gallery->Handle());
  WaitUntil([] { return false; }, 200);
  SaveScreenshot(gallery->Handle(), "gallery-plain");

  engine->SetSkinFile(std::string(SOURCE_DIR) + "/skin/Fernwhistle.zub");
  engine->SetActive(true);
  ASSERT_TRUE(engine->IsSkinning());
  engine->SkinWindow(gallery->Handle());
  ASSERT_EQ(engine->FWindows.size(), 1u);
  std::set<std::string> skinners;
  for (TzubSkinControl* s : engine->FWindows[0]->ControlSkinners)
    if (s) skinners.insert(s->ClassName());
  for (const auto& row : kSkinnerOfClass) {
    if (!row.second.empty()) {
      EXPECT_TRUE(skinners.count(row.second)) << "no " << row.second << " on the gallery";
    }
  }
  WaitUntil([] { return false; }, 200);
  SaveScreenshot(gallery->Handle(), "gallery-skinned");
  gallery->Free();
}

// The control classes the three programs' forms place get the skinners the gallery's get.
TEST(StdCtrlRows, EveryControlClassOfTheProgramsFormsIsServed) {
  InitializeUnits();
  stdctrl::SkinnedForm s;
  const std::regex object(R"(object \w+: (T\w+))");
  for (const char* form : {"dvdconvert/Unit1.form", "dvdconvert/working.form", "videoconvert/Unit1.form",
                           "videoconvert/working.form", "launcher/Unita.form"}) {
    std::ifstream in(std::string(SOURCE_DIR) + "/" + form);
    ASSERT_TRUE(in) << form;
    std::string line;
    while (std::getline(in, line)) {
      std::smatch m;
      if (!std::regex_search(line, m, object)) continue;
      TClass cls = FindClass(m[1]);
      if (!cls || !cls->InheritsFrom(TControl::StaticClass()) || cls->InheritsFrom(TCustomForm::StaticClass())) continue;
      auto row = kSkinnerOfClass.find(m[1]);
      ASSERT_NE(row, kSkinnerOfClass.end()) << form << ": " << m[1];
      auto* control = static_cast<TControl*>(CreateComponent(cls, s.f.form));
      EXPECT_EQ(Picked(control, s.window), row->second) << form << ": " << m[1];
      control->Free();
    }
  }
}

}  // namespace
