// Controls: the windowless TControl and graphic controls, and TWinControl, a real window.
// Every message of a control goes through its replaceable WindowProc.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "Component.h"
#include "Graphics.h"

class TCanvas;
class TWinControl;

// The library's own notification messages.
constexpr UINT CM_BASE = 0xB000;
constexpr UINT CM_ACTIVATE = CM_BASE + 0, CM_DEACTIVATE = CM_BASE + 1, CM_GOTFOCUS = CM_BASE + 2,
               CM_LOSTFOCUS = CM_BASE + 3, CM_CANCELMODE = CM_BASE + 4, CM_DIALOGKEY = CM_BASE + 5,
               CM_DIALOGCHAR = CM_BASE + 6, CM_FOCUSCHANGED = CM_BASE + 7, CM_PARENTFONTCHANGED = CM_BASE + 8,
               CM_PARENTCOLORCHANGED = CM_BASE + 9, CM_HITTEST = CM_BASE + 10, CM_VISIBLECHANGED = CM_BASE + 11,
               CM_ENABLEDCHANGED = CM_BASE + 12, CM_COLORCHANGED = CM_BASE + 13, CM_FONTCHANGED = CM_BASE + 14,
               CM_CURSORCHANGED = CM_BASE + 15, CM_TEXTCHANGED = CM_BASE + 18, CM_MOUSEENTER = CM_BASE + 19,
               CM_MOUSELEAVE = CM_BASE + 20, CM_ENTER = CM_BASE + 26, CM_EXIT = CM_BASE + 27,
               CM_RELEASE = CM_BASE + 33, CM_SHOWINGCHANGED = CM_BASE + 34, CM_RECREATEWND = CM_BASE + 51;
// CM_FOCUSCHANGED (LParam: the control) goes to the top control of a window that gets the focus;
// a form answers, when it is another than the one it last focused, with CM_EXIT to that one and
// CM_ENTER to the control.
// CM_DIALOGCHAR (WParam: a character) asks each control in turn whether the character is its
// mnemonic; the one that takes it answers 1.
// CM_RECREATEWND goes through a window's WindowProc whenever a change of style makes its window
// anew (WParam 0: the default handling destroys and creates the window) or restyles it in place
// (WParam 1: done already, nothing more to do), so that whoever replaced WindowProc can restyle
// the window again after the default handling.
// Notifications a parent receives for a child are reflected to the child as CN_BASE + message.
constexpr UINT CN_BASE = 0xBC00;
constexpr UINT CN_COMMAND = CN_BASE + WM_COMMAND, CN_NOTIFY = CN_BASE + WM_NOTIFY,
               CN_HSCROLL = CN_BASE + WM_HSCROLL, CN_VSCROLL = CN_BASE + WM_VSCROLL,
               CN_DRAWITEM = CN_BASE + WM_DRAWITEM, CN_CTLCOLOREDIT = CN_BASE + WM_CTLCOLOREDIT,
               CN_CTLCOLORSTATIC = CN_BASE + WM_CTLCOLORSTATIC, CN_CTLCOLORBTN = CN_BASE + WM_CTLCOLORBTN,
               CN_CTLCOLORLISTBOX = CN_BASE + WM_CTLCOLORLISTBOX, CN_KEYDOWN = CN_BASE + WM_KEYDOWN;

struct TMessage {
  UINT Msg;
  WPARAM WParam;
  LPARAM LParam;
  LRESULT Result;
};
DECLARE_EVENT_TYPE(TWndMethod, void(TMessage& Message))

DECLARE_ENUM(TMouseButton, mbLeft, mbRight, mbMiddle)
DECLARE_ENUM(TShiftStateItem, ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble)
DECLARE_SET(TShiftState, TShiftStateItem)
DECLARE_EVENT_TYPE(TMouseEvent, void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y))
DECLARE_EVENT_TYPE(TMouseMoveEvent, void(TObject* Sender, TShiftState Shift, int X, int Y))
DECLARE_EVENT_TYPE(TKeyEvent, void(TObject* Sender, uint16_t& Key, TShiftState Shift))
DECLARE_EVENT_TYPE(TKeyPressEvent, void(TObject* Sender, char& Key))

DECLARE_ENUM(TAlign, alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom)
DECLARE_ENUM(TBiDiMode, bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly)
DECLARE_ENUM(TAnchorKind, akLeft, akTop, akRight, akBottom)
DECLARE_SET(TAnchors, TAnchorKind)

// Cursors: crDefault 0, the standard ones negative, as the screen object maps them.
struct TCursor {
  int32_t value = 0;
  constexpr TCursor() = default;
  constexpr TCursor(int32_t v) : value(v) {}
  constexpr operator int32_t() const { return value; }
};
constexpr TCursor crDefault = 0, crNone = -1, crArrow = -2, crCross = -3, crIBeam = -4, crSize = -22,
                  crSizeNESW = -6, crSizeNS = -7, crSizeNWSE = -8, crSizeWE = -9, crUpArrow = -10,
                  crHourGlass = -11, crNo = -18, crAppStart = -19, crHelp = -20, crHandPoint = -21,
                  crSizeAll = -22;
extern const TIdentMapEntry CursorIdents[];
DECLARE_INT_TYPE(TCursor, CursorIdents)
HCURSOR CursorHandle(TCursor Cursor);

// Mouse messages carry signed client coordinates.
inline int MessageX(LPARAM lp) { return static_cast<short>(LOWORD(lp)); }
inline int MessageY(LPARAM lp) { return static_cast<short>(HIWORD(lp)); }
TShiftState KeysToShiftState(WPARAM Keys);
// Whether Key is the mnemonic of Caption: the character after a single "&", in any letter case.
bool IsAccel(UINT Key, const std::string& Caption);

class TControl;

// The size limits of a control in pixels; 0 is no limit. A maximum set below the minimum lowers
// the minimum, and the other way round. The control applies them at once.
class TSizeConstraints : public TPersistent {
  DECLARE_CLASS(TSizeConstraints, TPersistent)
 public:
  explicit TSizeConstraints(TControl* Control) : control_(Control) {}
  int32_t MinWidth() const { return minWidth_; }
  int32_t MinHeight() const { return minHeight_; }
  int32_t MaxWidth() const { return maxWidth_; }
  int32_t MaxHeight() const { return maxHeight_; }
  void SetMinWidth(int32_t Value);
  void SetMinHeight(int32_t Value);
  void SetMaxWidth(int32_t Value);
  void SetMaxHeight(int32_t Value);
  void Assign(TPersistent* Source) override;
  TPersistent* GetOwner() override;
  // Width and Height brought within the limits.
  void Apply(int32_t& Width, int32_t& Height) const;

 private:
  void Changed();
  TControl* control_;
  int32_t minWidth_ = 0, minHeight_ = 0, maxWidth_ = 0, maxHeight_ = 0;
};

class TControl : public TComponent {
  DECLARE_CLASS(TControl, TComponent)
 public:
  explicit TControl(TComponent* AOwner);
  ~TControl() override;
  void BeforeDestruction() override;

  // Every message goes through WindowProc; by default it is the virtual WndProc.
  TWndMethod WindowProc;
  virtual void WndProc(TMessage& Message);
  LRESULT Perform(UINT Msg, WPARAM WParam = 0, LPARAM LParam = 0);
  // What happens to a message that WndProc passes on.
  virtual void DefaultHandler(TMessage& Message);

  TWinControl* Parent() const { return parent_; }
  virtual void SetParent(TWinControl* AParent);

  int32_t Left() const { return left_; }
  int32_t Top() const { return top_; }
  int32_t Width() const { return width_; }
  int32_t Height() const { return height_; }
  void SetLeft(int32_t Value) { SetBounds(Value, top_, width_, height_); }
  void SetTop(int32_t Value) { SetBounds(left_, Value, width_, height_); }
  void SetWidth(int32_t Value) { SetBounds(left_, top_, Value, height_); }
  void SetHeight(int32_t Value) { SetBounds(left_, top_, width_, Value); }
  // Nothing happens when nothing changes.
  virtual void SetBounds(int32_t ALeft, int32_t ATop, int32_t AWidth, int32_t AHeight);
  RECT BoundsRect() const { return {left_, top_, left_ + width_, top_ + height_}; }
  virtual RECT ClientRect();
  int32_t ClientWidth() { RECT r = ClientRect(); return r.right - r.left; }
  int32_t ClientHeight() { RECT r = ClientRect(); return r.bottom - r.top; }
  virtual void SetClientWidth(int32_t Value);
  virtual void SetClientHeight(int32_t Value);
  // An aligned control fills its side of what its parent's client area has left, in the
  // order top, bottom, left, right, client; its anchors follow the side it is aligned to.
  TAlign Align() const { return align_; }
  void SetAlign(TAlign Value);
  // The parent's edges that a control not aligned keeps its distance to when the parent is
  // resized; with neither edge of a direction its centre keeps its proportion.
  TAnchors Anchors() const { return anchors_; }
  void SetAnchors(TAnchors Value);
  // Applied by SetBounds; forms also give them to the platform (WM_GETMINMAXINFO).
  TSizeConstraints* Constraints() const { return constraints_; }
  void SetConstraints(TSizeConstraints* Value) { constraints_->Assign(Value); }

  bool Visible() const { return visible_; }
  void SetVisible(bool Value);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  bool Enabled() const { return enabled_; }
  virtual void SetEnabled(bool Value);
  // Visible, and every parent up to a top-level window visible too.
  bool Showing() const;

  std::string Caption() { return GetText(); }
  void SetCaption(std::string Value) { SetText(std::move(Value)); }
  std::string Text() { return GetText(); }
  void SetTextProp(std::string Value) { SetText(std::move(Value)); }
  virtual std::string GetText();
  virtual void SetText(std::string Value);

  TColor Color() const { return color_; }
  void SetColor(TColor Value);
  bool ParentColor() const { return parentColor_; }
  void SetParentColor(bool Value);
  bool ParentFont() const { return parentFont_; }
  void SetParentFont(bool Value);
  TFont* Font() const { return font_; }
  TCursor Cursor() const { return cursor_; }
  void SetCursor(TCursor Value);

  // Right to left: only where BiDiMode says so (no locale is consulted). A control with
  // ParentBiDiMode takes its parent's mode, now and when the parent's changes.
  TBiDiMode BiDiMode() const { return biDiMode_; }
  void SetBiDiMode(TBiDiMode Value);
  bool ParentBiDiMode() const { return parentBiDiMode_; }
  void SetParentBiDiMode(bool Value);
  bool UseRightToLeftAlignment() const { return biDiMode_ == bdRightToLeft; }
  bool UseRightToLeftReading() const { return biDiMode_ != bdLeftToRight; }
  // DrawText flags for this control's mode: DT_RTLREADING for right-to-left reading, and with
  // right-to-left alignment left and right swapped (a centred text stays centred).
  UINT DrawTextBiDiModeFlags(UINT Flags) const;
  UINT DrawTextBiDiModeFlagsReadingOnly() const { return UseRightToLeftReading() ? DT_RTLREADING : 0; }

  virtual void Invalidate();
  void Repaint();
  virtual void Update();
  void Refresh() { Repaint(); }
  void BringToFront();
  void SendToBack();
  POINT ClientToScreen(POINT P);
  POINT ScreenToClient(POINT P);
  // Client coordinates of this control inside its parent window's client area.
  POINT ClientOrigin();

  TNotifyEvent OnClick;
  TMouseEvent OnMouseDown;
  TMouseMoveEvent OnMouseMove;
  TMouseEvent OnMouseUp;
  TNotifyEvent OnDblClick;

  virtual void Click();
  bool IsGraphic() const { return isGraphic_; }

 protected:
  virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual void MouseMove(TShiftState Shift, int X, int Y);
  virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
  // The control's area was moved or resized; windows move their HWND here.
  virtual void BoundsChanged() {}
  virtual void FontChanged();
  void FontChangedThunk(TObject*) { FontChanged(); }
  // For controls that start hidden (forms), before any window exists.
  void SetVisibleField(bool Value) { visible_ = Value; }
  void Loaded() override;

  // Mouse clicks: a control that is clicked with the left button while it keeps capture.
  bool clicked_ = false;
  bool clickEvents_ = true;  // WM_LBUTTONUP inside after a down calls Click
  bool isGraphic_ = false;

 private:
  friend class TWinControl;
  friend class TSizeConstraints;
  // Anchors: the distances kept, measured against the parent's client size of the moment.
  void UpdateAnchorRules();
  void AnchorMove(POINT ParentSize);
  void ConstraintsChanged();
  void RequestAlign();

  TWinControl* parent_ = nullptr;
  int32_t left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  TAlign align_ = alNone;
  TAnchors anchors_ = {akLeft, akTop};
  POINT anchorRules_{0, 0};
  POINT originalParentSize_{0, 0};  // (0, 0): left and top anchors only, nothing to keep
  bool anchorMove_ = false;         // the parent is placing this control
  TSizeConstraints* constraints_;
  bool visible_ = true;
  bool enabled_ = true;
  std::string text_;
  TColor color_ = clBtnFace;
  bool parentColor_ = false;
  bool parentFont_ = true;
  TFont* font_;
  TCursor cursor_ = crDefault;
  TBiDiMode biDiMode_ = bdLeftToRight;
  bool parentBiDiMode_ = true;
};

// A windowless control, painted and fed mouse messages by its parent window.
class TGraphicControl : public TControl {
  DECLARE_CLASS(TGraphicControl, TControl)
 public:
  explicit TGraphicControl(TComponent* AOwner);
  ~TGraphicControl() override;
  TCanvas* Canvas() const { return canvas_; }

 protected:
  void WndProc(TMessage& Message) override;
  virtual void Paint() {}

 private:
  TCanvas* canvas_;
};

struct TCreateParams {
  std::string Caption;
  DWORD Style = 0;
  DWORD ExStyle = 0;
  int X = 0, Y = 0, Width = 0, Height = 0;
  HWND WndParent = nullptr;
  WNDCLASSA WindowClass{};
  std::string WinClassName;
  std::string SystemClass;  // the platform class this library class is built on, if any
};

// A control that is a real window, created on demand.
class TWinControl : public TControl {
  DECLARE_CLASS(TWinControl, TControl)
 public:
  explicit TWinControl(TComponent* AOwner);
  ~TWinControl() override;
  void BeforeDestruction() override;

  HWND Handle();
  bool HandleAllocated() const { return handle_ != nullptr; }
  void HandleNeeded() { Handle(); }
  // A parent window for a control with no parent control (a foreign window, a dialog).
  HWND ParentWindow() const { return parentWindow_; }
  void SetParentWindow(HWND Value);

  int ControlCount() const { return static_cast<int>(controls_.size()); }
  TControl* Controls(int Index) const { return controls_.at(Index); }
  void InsertControl(TControl* AControl);
  void RemoveControl(TControl* AControl);
  // The child control at a client point: graphic controls first (they lie on top), visible only.
  TControl* ControlAtPos(POINT Pos, bool AllowDisabled = false);

  bool TabStop() const { return tabStop_; }
  void SetTabStop(bool Value);
  int32_t TabOrder() const;
  void SetTabOrder(int32_t Value);
  virtual bool CanFocus();
  bool Focused();
  virtual void SetFocus();
  // The first control in tab order, children's children included, that is a tab stop and can
  // take the focus; null when none.
  TWinControl* FirstTabControl();

  RECT ClientRect() override;
  void Invalidate() override;
  void Update() override;
  std::string GetText() override;
  void SetText(std::string Value) override;
  void DefaultHandler(TMessage& Message) override;
  // The window procedure the HWND had before this object took it over.
  WNDPROC DefWndProc() const { return defWndProc_; }

  // The library control behind a window of this library, or null.
  static TWinControl* FromHandle(HWND Wnd);

  // The focus has moved from this control to another of its form (CM_EXIT).
  TNotifyEvent OnExit;
  virtual void DestroyHandle();
  // Re-creates the window, keeping the control's state (after a style change), through
  // CM_RECREATEWND; nothing while there is no window.
  void RecreateWnd();
  // Places the aligned children, then the anchored ones, in the client area.
  void Realign();

 protected:
  virtual void CreateParams(TCreateParams& Params);
  virtual void CreateWnd();
  virtual void CreateHandle();
  // After the HWND exists: push the control's state into it (text, font, items...).
  virtual void CreateWindowHandle(const TCreateParams& Params);
  virtual void InitializeWnd() {}
  // Before the HWND goes: pull state that lives only in the window.
  virtual void DestroyWnd();
  void WndProc(TMessage& Message) override;
  void BoundsChanged() override;
  void FontChanged() override;
  virtual void PaintWindow(HDC DC);
  // Lays the children out in Rect (the client area); a descendant may place more in what is left.
  virtual void AlignControls(RECT& Rect);
  void Loaded() override;
  // Destroys the window (DestroyHandle's last step).
  virtual void DestroyWindowHandle();
  // Paints the graphic children on DC, which shows this window's client area.
  void PaintControls(HDC DC);
  // The HWND of the parent this window is created in.
  HWND ParentHandle();
  void SetWindowStyle(DWORD Style, bool On);

  HBRUSH BrushHandle();
  bool ownPaint_ = false;  // WM_PAINT painted by PaintWindow rather than the platform class

 private:
  friend class TControl;
  friend LRESULT CALLBACK InitWndProc(HWND, UINT, WPARAM, LPARAM);
  friend LRESULT CALLBACK ControlWndProc(HWND, UINT, WPARAM, LPARAM);
  void AttachHandle(HWND Wnd);
  void MainWndProc(TMessage& Message);
  bool ReflectNotification(TMessage& Message);
  void RouteMouse(TMessage& Message);

  HWND handle_ = nullptr;
  HWND parentWindow_ = nullptr;
  WNDPROC defWndProc_ = nullptr;
  std::vector<TControl*> controls_;  // child controls, graphic and windowed, in z order from the bottom
  bool tabStop_ = false;
  HBRUSH brush_ = nullptr;
  TColor brushColor_ = clNone;
  bool destroyingHandle_ = false;
  int aligning_ = 0;
  bool realignAgain_ = false;
};

// A window with a canvas of its own and a virtual Paint.
class TCustomControl : public TWinControl {
  DECLARE_CLASS(TCustomControl, TWinControl)
 public:
  explicit TCustomControl(TComponent* AOwner);
  ~TCustomControl() override;
  TCanvas* Canvas() const { return canvas_; }

 protected:
  void PaintWindow(HDC DC) override;
  virtual void Paint() {}

 private:
  TCanvas* canvas_;
};

// A canvas on a control outside its paint cycle. A windowed control gives its own DC; a graphic
// control its parent's, moved to the control's origin and clipped to its bounds. The DC is taken
// at the first drawing call and given back by FreeHandle, by a change of control, or at the end.
class TControlCanvas : public TCanvas {
  DECLARE_CLASS(TControlCanvas, TCanvas)
 public:
  TControlCanvas() = default;
  ~TControlCanvas() override { FreeHandle(); }
  TControl* Control() const { return control_; }
  void SetControl(TControl* Value);
  void FreeHandle() override;

 protected:
  void CreateHandle() override;

 private:
  TControl* control_ = nullptr;
  HWND window_ = nullptr;
  HDC ownDC_ = nullptr;
  int savedDC_ = 0;
};

// The control the mouse is over (graphic or windowed), for CM_MOUSEENTER / CM_MOUSELEAVE.
TControl* MouseControl();
// The control that holds the mouse capture (a graphic control captures through its parent).
TControl* CaptureControl();
void SetCaptureControl(TControl* Control);
// Keeps MouseControl() in step: sends CM_MOUSELEAVE to the old control and CM_MOUSEENTER to the new.
void UpdateMouseControl(TControl* Control);
