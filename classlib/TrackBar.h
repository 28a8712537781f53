// The track bar and the up-down control: a position in a range, over the platform's controls.
#pragma once

#include <windows.h>

#include "Component.h"
#include "Controls.h"

DECLARE_ENUM(TTrackBarOrientation, trHorizontal, trVertical)
DECLARE_ENUM(TTickStyle, tsNone, tsAuto, tsManual)
DECLARE_ENUM(TTickMark, tmBottomRight, tmTopLeft, tmBoth)

// A TRACKBAR_CLASS window; the position lives in the control while it has one.
class TTrackBar : public TWinControl {
  DECLARE_CLASS(TTrackBar, TWinControl)
 public:
  explicit TTrackBar(TComponent* AOwner);
  TTrackBarOrientation Orientation() const { return orientation_; }
  void SetOrientation(TTrackBarOrientation Value);
  // tsAuto: a mark every Frequency positions; tsManual: the two end marks only.
  TTickStyle TickStyle() const { return tickStyle_; }
  void SetTickStyle(TTickStyle Value);
  TTickMark TickMarks() const { return tickMarks_; }
  void SetTickMarks(TTickMark Value);
  int32_t Min() const { return min_; }
  void SetMin(int32_t Value);
  int32_t Max() const { return max_; }
  void SetMax(int32_t Value);
  // Within Min and Max.
  int32_t Position();
  void SetPosition(int32_t Value);
  int32_t Frequency() const { return frequency_; }
  void SetFrequency(int32_t Value);

  // The position moved, by the user or by SetPosition.
  TNotifyEvent OnChange;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void InitializeWnd() override;
  void DestroyWnd() override;
  void WndProc(TMessage& Message) override;

 private:
  void SetRange();
  TTrackBarOrientation orientation_ = trHorizontal;
  TTickStyle tickStyle_ = tsAuto;
  TTickMark tickMarks_ = tmBottomRight;
  int32_t min_ = 0;
  int32_t max_ = 10;
  int32_t position_ = 0;  // while there is no window
  int32_t frequency_ = 1;
};

DECLARE_ENUM(TUDOrientation, udHorizontal, udVertical)

// An UPDOWN_CLASS pair of arrows; with an Associate, the buddy whose text shows the position.
class TCustomUpDown : public TWinControl {
  DECLARE_CLASS(TCustomUpDown, TWinControl)
 public:
  explicit TCustomUpDown(TComponent* AOwner);
  TUDOrientation Orientation() const { return orientation_; }
  void SetOrientation(TUDOrientation Value);
  int32_t Min() const { return min_; }
  void SetMin(int32_t Value);
  int32_t Max() const { return max_; }
  void SetMax(int32_t Value);
  int32_t Position();
  void SetPosition(int32_t Value);
  // The control moves to the right edge of its associate and writes the position into it.
  TWinControl* Associate() const { return associate_; }
  void SetAssociate(TWinControl* Value);

 protected:
  void CreateParams(TCreateParams& Params) override;
  void InitializeWnd() override;
  void DestroyWnd() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  TUDOrientation orientation_ = udVertical;
  int32_t min_ = 0;
  int32_t max_ = 100;
  int32_t position_ = 0;  // while there is no window
  TWinControl* associate_ = nullptr;
};

class TUpDown : public TCustomUpDown {
  DECLARE_CLASS(TUpDown, TCustomUpDown)
 public:
  using TCustomUpDown::TCustomUpDown;
};
