#include "ZUBSkinStdCtrl.h"

#include "Buttons.h"
#include "ComCtrls.h"
#include "ExtCtrls.h"
#include "Forms.h"
#include "Frames.h"
#include "Grids.h"
#include "StdCtrls.h"
#include "TzubSkinButton.h"
#include "TzubSkinExtComboboxLikeControl.h"
#include "TzubSkinScrollWinControl.h"
#include "ZUBSkinRegistry.h"

DEFINE_CLASS(TzubSkinPanel, TzubSkinControlVCL, ({}))
DEFINE_CLASS(TzubSkinFrame, TzubSkinControlVCL, ({}))

void RegisterStdCtrlSkinners() {
  static bool done = false;
  if (done) return;
  done = true;
  // A priority order, highest last: the table is searched from its last row.
  const std::vector<TzubSkinControlRegistration> rows = {
      {TCustomControl::StaticClass(), NewSkinControlVCL<TzubSkinScrollWinControl>},
      {TCustomFrame::StaticClass(), NewSkinControlVCL<TzubSkinFrame>},
      {TScrollBox::StaticClass(), NewSkinControlVCL<TzubSkinScrollWinControl>},
      {TToolBar::StaticClass(), NewSkinControlVCL<TzubSkinToolBar>},
      {TStatusBar::StaticClass(), NewSkinControlVCL<TzubSkinStatusBar>},
      {TDateTimePicker::StaticClass(), NewSkinControlVCL<TzubSkinExtComboboxLikeControl>},
      {TCustomTreeView::StaticClass(), NewSkinControlVCL<TzubSkinScrollWinControl>},
      {TCustomUpDown::StaticClass(), NewSkinControlVCL<TzubSkinUpDown>},
      {TCustomHotKey::StaticClass(), NewSkinControlVCL<TzubSkinBorderWinControl>},
      {TProgressBar::StaticClass(), NewSkinControlVCL<TzubSkinProgressBar>},
      {TTrackBar::StaticClass(), NewSkinControlVCL<TzubSkinTrackBar>},
      {TCustomTabControl::StaticClass(), NewSkinControlVCL<TzubSkinTabControl>},
      {TCustomGrid::StaticClass(), NewSkinControlVCL<TzubSkinGrid>},
      {TSpeedButton::StaticClass(), NewSkinControlVCL<TzubSkinSpeedButton>},
      {TCustomPanel::StaticClass(), NewSkinControlVCL<TzubSkinPanel>},
      {TCustomGroupBox::StaticClass(), NewSkinControlVCL<TzubSkinGroupBox>},
      {TScrollBar::StaticClass(), NewSkinControlVCL<TzubSkinScrollBar>},
      {TCustomListBox::StaticClass(), NewSkinControlVCL<TzubSkinScrollWinControl>},
      {TCustomListView::StaticClass(), NewSkinControlVCL<TzubSkinScrollWinControl>},
      {TRadioButton::StaticClass(), NewSkinControlVCL<TzubSkinRadioButton>},
      {TCustomComboBox::StaticClass(), NewSkinControlVCL<TzubSkinComboBox>},
      {TCustomCheckBox::StaticClass(), NewSkinControlVCL<TzubSkinCheckBox>},
      {TCustomEdit::StaticClass(), NewSkinControlVCL<TzubSkinScrollWinControl>},
      {TButton::StaticClass(), NewSkinControlVCL<TzubSkinButton>},
  };
  RegisterSkinControlClasses(rows);
}
