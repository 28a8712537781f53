// The gallery: one form that places a control of every class, read, shown and photographed; and
// the class tree checked against the skin engine's 24 registration rows.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "ComCtrls.h"
#include "ControlsTesting.h"
#include "Screenshot.h"

namespace {

// The control classes the skin engine registers skinners for, in the order of its table.
const char* const kRows[24] = {
    "TCustomControl", "TCustomFrame",     "TScrollBox",     "TToolBar",       "TStatusBar",
    "TDateTimePicker", "TCustomTreeView", "TCustomUpDown",  "TCustomHotKey",  "TProgressBar",
    "TTrackBar",      "TCustomTabControl", "TCustomGrid",   "TSpeedButton",   "TCustomPanel",
    "TCustomGroupBox", "TScrollBar",      "TCustomListBox", "TCustomListView", "TRadioButton",
    "TCustomComboBox", "TCustomCheckBox", "TCustomEdit",    "TButton"};

struct Ancestry {
  const char* name;
  std::set<int> rows;  // the rows (from 1) whose class this class is or inherits from
  bool placed;         // the gallery holds one
};

// As the original class library builds its tree: the last of the rows is the one that wins.
const Ancestry kClasses[] = {
    {"TCustomControl", {1}, false},
    {"TCustomFrame", {2}, false},
    {"TFrame", {2}, true},
    {"TScrollBox", {3}, true},
    {"TToolWindow", {}, false},
    {"TToolBar", {4}, true},
    {"TToolButton", {}, true},
    {"TStatusBar", {5}, true},
    {"TCommonCalendar", {}, false},
    {"TDateTimePicker", {6}, true},
    {"TCustomTreeView", {7}, false},
    {"TTreeView", {7}, true},
    {"TCustomUpDown", {8}, false},
    {"TUpDown", {8}, true},
    {"TCustomHotKey", {9}, false},
    {"THotKey", {9}, true},
    {"TProgressBar", {10}, true},
    {"TTrackBar", {11}, true},
    {"TCustomTabControl", {12}, false},
    {"TTabControl", {12}, true},
    {"TPageControl", {12}, true},
    {"TTabSheet", {}, true},
    {"TCustomGrid", {1, 13}, false},
    {"TDrawGrid", {1, 13}, true},
    {"TStringGrid", {1, 13}, true},
    {"TSpeedButton", {14}, true},
    {"TCustomPanel", {1, 15}, false},
    {"TPanel", {1, 15}, true},
    {"TCustomGroupBox", {1, 16}, false},
    {"TGroupBox", {1, 16}, true},
    {"TCustomRadioGroup", {1, 16}, false},
    {"TRadioGroup", {1, 16}, true},
    {"TGroupButton", {20}, false},
    {"TScrollBar", {17}, true},
    {"TCustomListBox", {18}, false},
    {"TListBox", {18}, true},
    {"TCustomListView", {19}, false},
    {"TListView", {19}, true},
    {"TButtonControl", {}, false},
    {"TRadioButton", {20}, true},
    {"TCustomComboBox", {21}, false},
    {"TComboBox", {21}, true},
    {"TCustomCheckBox", {22}, false},
    {"TCheckBox", {22}, true},
    {"TCustomEdit", {23}, false},
    {"TEdit", {23}, true},
    {"TCustomMemo", {23}, false},
    {"TMemo", {23}, true},
    {"TCustomMaskEdit", {23}, false},
    {"TMaskEdit", {23}, true},
    {"TSpinEdit", {23}, true},
    {"TSpinButton", {}, false},
    {"TButton", {24}, true},
    {"TBitBtn", {24}, true},
    {"TCustomLabel", {}, false},
    {"TLabel", {}, true},
    {"TNotebook", {1}, true},
    {"TPage", {1}, true},
    {"TCustomControlBar", {1}, false},
    {"TControlBar", {1}, true},
    {"TScrollingWinControl", {}, false},
    {"TCustomForm", {}, false},
    {"TForm", {}, false},
    {"TGraphicControl", {}, false},
    {"TWinControl", {}, false},
};

TEST(Gallery, EveryClassAnswersTheRowsOfItsAncestry) {
  TClass rows[24];
  for (int r = 0; r < 24; ++r) {
    rows[r] = FindClass(kRows[r]);
    ASSERT_NE(rows[r], nullptr) << kRows[r];
  }
  for (const Ancestry& a : kClasses) {
    TClass cls = FindClass(a.name);
    ASSERT_NE(cls, nullptr) << a.name << " is not a class of its own";
    for (int r = 0; r < 24; ++r)
      EXPECT_EQ(cls->InheritsFrom(rows[r]), a.rows.count(r + 1) == 1) << a.name << " against " << kRows[r];
  }
}

TEST(Gallery, OneControlOfEveryClassIsReadShownAndPhotographed) {
  TForm* form = Create<TForm>(nullptr, true);
  struct Free {
    TForm* f;
    ~Free() { f->Free(); }
  } freeForm{form};
  ReadComponentText(form, LoadFormResource("GALLERY"));
  std::set<std::string> present;
  for (int i = 0; i < form->ComponentCount(); ++i) present.insert(form->Components(i)->ClassName());
  for (const Ancestry& a : kClasses)
    if (a.placed) {
      EXPECT_TRUE(present.count(a.name)) << "the gallery has no " << a.name;
    }
  for (const char* programs : {"TMainMenu", "TPopupMenu", "TMenuItem", "TTimer", "TOpenDialog"})
    EXPECT_TRUE(present.count(programs)) << "the gallery has no " << programs;

  HTREEITEM root = FindOwned<TTreeView>(form, "TreeView1")->AddItem(nullptr, "Tree view");
  FindOwned<TTreeView>(form, "TreeView1")->AddItem(root, "Child");
  TListItem* item = FindOwned<TListView>(form, "ListView1")->Items()->Add();
  item->SetCaption("VTS_01_1.VOB");
  item->SubItems()->Add("1 GB");
  form->Show();
  UpdateWindow(form->Handle());
  WaitUntil([] { return false; }, 200);

  // Every windowed control shows, but the pages that are not in front.
  for (int i = 0; i < form->ComponentCount(); ++i) {
    auto* w = As<TWinControl>(form->Components(i));
    if (!w || !w->Visible()) continue;
    EXPECT_TRUE(IsWindowVisible(w->Handle())) << w->Name();
  }
  EXPECT_FALSE(IsWindowVisible(FindOwned<TTabSheet>(form, "TabSheet2")->Handle()));

  SaveScreenshot(form->Handle(), "gallery");
  if (const char* shots = std::getenv("SUITE_SHOTS")) {
    EXPECT_NE(GetFileAttributesA((std::string(shots) + "/gallery.bmp").c_str()), INVALID_FILE_ATTRIBUTES);
  }
}

}  // namespace
