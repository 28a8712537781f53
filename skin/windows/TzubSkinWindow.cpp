#include "TzubSkinWindow.h"

#include <windowsx.h>

#include <algorithm>

#include "Graphics.h"
#include "Menus.h"
#include "TzubSkinEngine.h"
#include "TzubSkinWindowVCL.h"
#include "TzubSkinWindowWnd.h"
#include "ZUBSkinMessages.h"
#include "ZUBSkinUtils.h"

using namespace zubskin;

DEFINE_CLASS(TzubSkinWindow, TComponent, ({}))

namespace {

// The class library's messages: a form frees itself, a control's text changed.
constexpr UINT kCmRelease = 0xB021;
constexpr UINT kCmTextChanged = 0xB012;
constexpr UINT kFrameChanged = SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED;

RECT ToRect(const SkinRect& r) { return {r.left, r.top, r.right, r.bottom}; }

RECT WindowRect(HWND h) {
  RECT r{};
  GetWindowRect(h, &r);
  return r;
}

}  // namespace

TzubSkinWindow::TzubSkinWindow(TComponent* AOwner, HWND Handle, bool IsDialog, TzubSkinEngine* Engine)
    : TComponent(AOwner), Engine(Engine), IsDialog(IsDialog), Skinned(Engine && Engine->IsSkinning()),
      firstHandle_(Handle) {}

void TzubSkinWindow::AfterConstruction() {
  TComponent::AfterConstruction();
  AttachWindow(firstHandle_);
  SkinChildControls();
  SetSkinned(Skinned);
}

void TzubSkinWindow::BeforeDestruction() {
  Destroying = true;
  if (Engine) {
    auto& list = Engine->FWindows;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
  }
  SetSkinned(false);
  UnskinChildControls();
  DetachWindow();
  TComponent::BeforeDestruction();
}

TzubSkinWindow::~TzubSkinWindow() {
  if (!Engine) return;
  auto& list = Engine->FWindows;
  list.erase(std::remove(list.begin(), list.end(), this), list.end());
  if (Engine->FSystemMenuWindow == this) Engine->FSystemMenuWindow = nullptr;
}

void TzubSkinWindow::SetSkinned(bool Value) {
  Skinned = Value;
  if (FirstSkinDone) {
    ApplySkinState();
    if (Value) UpdateRegion();
  } else if (IsWindowVisible(GetHandle()) || SkinBeforeFirstPaint()) {
    DoFirstSkin();
  }
}

void TzubSkinWindow::DoFirstSkin() {
  SaveWindowState();
  FirstSkinDone = true;
  SetSkinned(Skinned);
}

void TzubSkinWindow::SetTitleBarVisible(bool Value) {
  TitleBarVisible = Value;
  SetWindowPos(GetHandle(), nullptr, 0, 0, 0, 0, kFrameChanged);
  PaintNonClient();
}

void TzubSkinWindow::SetBorderVisible(bool Value) {
  BorderVisible = Value;
  SetWindowPos(GetHandle(), nullptr, 0, 0, 0, 0, kFrameChanged);
  PaintNonClient();
}

// ---- Commands and the system menu ----

void TzubSkinWindow::DoClose() { PostMessageA(GetHandle(), WM_SYSCOMMAND, SC_CLOSE, 0); }
void TzubSkinWindow::DoMinimize() { PostMessageA(GetHandle(), WM_SYSCOMMAND, SC_MINIMIZE, 0); }
void TzubSkinWindow::DoHelp() { PostMessageA(GetHandle(), WM_SYSCOMMAND, SC_CONTEXTHELP, 0); }

void TzubSkinWindow::DoMaximizeRestore() {
  HWND h = GetHandle();
  if (IsZoomed(h) || IsIconic(h))
    PostMessageA(h, WM_SYSCOMMAND, SC_RESTORE, 0);
  else if (MaximizeEnabled)
    PostMessageA(h, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
}

void TzubSkinWindow::ShowSystemMenuAtIcon() {
  POINT p{0, 0};
  ClientToScreen(GetHandle(), &p);
  ShowSystemMenuAt({std::max<LONG>(p.x, 0), p.y});
}

void TzubSkinWindow::ShowSystemMenuAt(POINT Point) {
  if (!Engine) return;
  Engine->FSystemMenuWindow = this;
  if (TPopupMenu* menu = Engine->GetSystemMenu()) menu->Popup(Point.x, Point.y);
}

// ---- Small queries ----

std::string TzubSkinWindow::GetCaptionText() {
  char text[260] = {};
  GetWindowTextA(GetHandle(), text, sizeof text);
  return text;
}

int TzubSkinWindow::GetWindowWidth() {
  const RECT r = WindowRect(GetHandle());
  return r.right - r.left;
}

int TzubSkinWindow::GetWindowHeight() {
  const RECT r = WindowRect(GetHandle());
  return r.bottom - r.top;
}

int TzubSkinWindow::GetTitleBarHeight() { return TitleBarVisible && Engine ? Engine->FTitleBarHeight : 0; }

int TzubSkinWindow::BorderWidth() const { return Engine ? std::max(Engine->FBorderWidth, 0) : 0; }

FrameMetrics TzubSkinWindow::Metrics() {
  FrameMetrics m;
  m.titleBarHeight = GetTitleBarHeight();
  m.borderWidth = Engine->FBorderWidth;
  m.bottomBorderHeight = Engine->FBottomBorderHeight;
  m.captionHeight = CaptionHeight;
  m.borderVisible = BorderVisible;
  return m;
}

// ---- The message handler ----

void TzubSkinWindow::SkinWndProc(TMessage& Message) {
  if (!FirstSkinDone && !SkinBeforeFirstPaint() && Message.Msg == WM_PAINT) DoFirstSkin();
  if (Message.Msg == 0) return;
  // Unskinned, the platform computes and paints the frame again.
  if (!Engine || !Engine->IsSkinning() || (FirstSkinDone && !Skinned)) {
    // The window's end reaches the skinner all the same: a foreign window's skinner goes with it.
    if (Message.Msg == WM_DESTROY && !BeforeDefaultMessage(Message)) return;
    CallPrevWndProc(Message);
    return;
  }

  switch (Message.Msg) {
    case WM_NCPAINT:
      PaintNonClient();
      return;
    case WM_NCLBUTTONDOWN:
      ButtonPressed = true;
      PaintNonClient();
      PressedButton = HotButton;
      // A maximised window is not dragged; a press on a caption button starts no move.
      if (Message.WParam == HTCAPTION && (HotButton != ceNone || IsZoomed(GetHandle()))) Message.WParam = HTNOWHERE;
      break;
    case WM_NCLBUTTONDBLCLK:
      PaintNonClient();
      if (HotButton == ceNone && Message.WParam == HTCAPTION) {
        DoMaximizeRestore();
        ButtonPressed = false;
        PaintNonClient();
        return;
      }
      if (HotButton == ceSystemIcon) {
        DoClose();
        ButtonPressed = false;
        return;
      }
      Message.WParam = HTNOWHERE;
      break;
    case WM_CTLCOLORDLG:
      Message.Result = reinterpret_cast<LRESULT>(Engine->FBackgroundBrush);
      return;
    case WM_NCRBUTTONDOWN:
    case WM_NCRBUTTONUP:
      if (Message.WParam != HTCAPTION) break;
      AnswerCaptionRightClick(Message);
      return;
    case WM_SYSCOMMAND:
      // Alt+Space, from whatever control has the focus: the skin's menu in place of the
      // platform's, at the title's top-left corner.
      if ((Message.WParam & 0xFFF0) == SC_KEYMENU && Message.LParam == VK_SPACE) {
        const RECT window = WindowRect(GetHandle());
        ShowSystemMenuAt({window.left + TitleOffsetX(Engine->FRightBorderImage != nullptr, BorderWidth()), window.top});
        Message.Result = 0;
        return;
      }
      break;
  }

  if (!BeforeDefaultMessage(Message)) return;
  CallPrevWndProc(Message);
  switch (Message.Msg) {
    case kCmRelease:
    case WM_DESTROY:
    case WM_COMMAND:
    case WM_SYSCOMMAND:
    case WM_ACTIVATEAPP:
      return;  // the skinner may be gone
  }
  AfterDefaultMessage(Message);

  switch (Message.Msg) {
    case WM_NCCALCSIZE:
      HandleNcCalcSize(Message);
      break;
    case WM_NCHITTEST:
      HandleNcHitTest(Message);
      break;
    case WM_NCACTIVATE:
      Active = Message.WParam != 0;
      PaintNonClient();
      break;
    case WM_NCLBUTTONUP: {
      ButtonPressed = false;
      PaintNonClient();
      const int32_t pressed = std::exchange(PressedButton, ceNone);
      if (HotButton != pressed) break;  // pressed on another element, or on none
      switch (HotButton) {
        case ceSystemIcon: ShowSystemMenuAtIcon(); break;
        case ceClose: DoClose(); break;
        case ceMaximize: DoMaximizeRestore(); break;
        case ceMinimize: DoMinimize(); break;
        case ceHelp: DoHelp(); break;
      }
      break;
    }
    case WM_LBUTTONUP:
      PressedButton = ceNone;
      break;
    case WM_NCLBUTTONDOWN:
      // A move or size loop ran until the button came up, and no button-up message follows.
      if (Message.WParam != HTNOWHERE) {
        ButtonPressed = false;
        PressedButton = ceNone;
        PaintNonClient();
      }
      break;
    case WM_NCMOUSEMOVE:
      if (Message.WParam != HTCAPTION) break;
      if (ButtonPressed) {
        PaintNonClient();
        if (HotButton == ceNone) ButtonPressed = false;
      }
      PaintNonClient();
      if (HotButton != ceNone) {
        // The pointer may leave the button for the client area or another window, where no
        // frame message comes: the frame is painted again when it leaves.
        TRACKMOUSEEVENT leave{sizeof leave, TME_LEAVE | TME_NONCLIENT, GetHandle(), 0};
        TrackMouseEvent(&leave);
      }
      break;
    case WM_NCMOUSELEAVE:
      if (HotButton != ceNone) PaintNonClient();
      break;
    case WM_ACTIVATE:
      Active = LOWORD(Message.WParam) != WA_INACTIVE;
      PaintNonClient();
      break;
    case WM_SETTEXT:
    case WM_SETICON:  // the platform paints its own caption on these too
    case kCmTextChanged:
      PaintNonClient();
      break;
    case ZM_GETACTIVESTATE:
      Message.Result = Active ? kSkinActiveStateActive : kSkinActiveStateInactive;
      break;
    case ZM_GETMENUBARHEIGHT:
      Message.Result = GetMenuBarHeight();
      break;
    case ZM_ISSKINNED:
      Message.Result = 1;
      break;
  }
}

// The platform's own answer would open its window menu. As the platform's, the skin's system
// menu opens on the release over the free title, at the pointer.
void TzubSkinWindow::AnswerCaptionRightClick(TMessage& Message) {
  Message.Result = 0;
  PaintNonClient();
  if (Message.Msg == WM_NCRBUTTONDOWN) {
    rightPressed_ = true;
    return;
  }
  if (std::exchange(rightPressed_, false) && HotButton == ceNone)
    ShowSystemMenuAt({GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)});
}

void TzubSkinWindow::HandleNcCalcSize(TMessage& Message) {
  if (IsDialog && !FirstSkinDone) return;
  if (Message.WParam == 0) {
    Message.Result = 0;
    return;
  }
  auto* params = reinterpret_cast<NCCALCSIZE_PARAMS*>(Message.LParam);
  const WINDOWPOS* pos = params->lppos;
  const SkinRect window{pos->x, pos->y, pos->x + pos->cx, pos->y + pos->cy};
  const RECT& prev = params->rgrc[0];
  const bool mdiMaximized = IsMDIChild() && IsZoomed(GetHandle());
  const RECT client =
      ToRect(SkinClientRect(window, {prev.left, prev.top, prev.right, prev.bottom}, Metrics(), mdiMaximized));
  params->rgrc[0] = client;
  params->rgrc[1] = client;
  Message.Result = WVR_REDRAW;
}

// The platform knows nothing of a title bar higher than its caption and answers nowhere below
// its caption, where such clicks are dropped: the title bar is caption all the way down.
void TzubSkinWindow::HandleNcHitTest(TMessage& Message) {
  if (Message.Result != HTNOWHERE || !TitleBarVisible) return;
  HWND h = GetHandle();
  const RECT window = WindowRect(h);
  POINT origin{0, 0};
  ClientToScreen(h, &origin);
  const int x = GET_X_LPARAM(Message.LParam), y = GET_Y_LPARAM(Message.LParam);
  const int titleBottom = std::min<int>(window.top + std::max(GetTitleBarHeight(), CaptionHeight), origin.y);
  if (x >= window.left && x < window.right && y >= window.top && y < titleBottom) Message.Result = HTCAPTION;
}

// ---- Painting ----

void TzubSkinWindow::PaintNonClient() {
  if (!Engine || !Engine->IsSkinning()) return;
  HWND h = GetHandle();
  HDC dc = GetWindowDC(h);
  if (!dc) return;
  struct Release {
    HWND h;
    HDC dc;
    ~Release() { ReleaseDC(h, dc); }
  } release{h, dc};
  PaintNonClient(dc);
}

void TzubSkinWindow::PaintNonClient(HDC DC) {
  if (!Engine || !Engine->IsSkinning()) return;
  HWND h = GetHandle();
  bool drawnMinimized = false;
  if (TitleBarVisible && !(IsMDIChild() && IsZoomed(h))) PaintTitleBar(DC, drawnMinimized);
  if (BorderVisible && !drawnMinimized) PaintBorders(DC);
}

HICON TzubSkinWindow::TitleIcon() {
  if (HICON own = GetIconHandle()) return own;
  // The program's icon, made once per skinner rather than at every paint.
  if (!appIcon_)
    appIcon_.reset(static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), "MAINICON", IMAGE_ICON, 16, 16, 0)));
  return appIcon_.get();
}

void TzubSkinWindow::PaintTitleBar(HDC dc, bool& drawnMinimized) {
  HWND h = GetHandle();
  const RECT window = WindowRect(h);
  const int wd = window.right - window.left, ht = window.bottom - window.top;
  const int bw = BorderWidth();
  const bool hasRightBorder = Engine->FRightBorderImage != nullptr;
  const int titleX = TitleOffsetX(hasRightBorder, bw);
  const int titleW = hasRightBorder ? wd : wd - 2 * bw;
  const int titleH = std::max(GetTitleBarHeight(), static_cast<int>(CaptionHeight));
  if (titleW <= 0 || titleH <= 0) return;
  const bool minimized = IsIconic(h);

  TBitmap title;
  title.SetSize(titleW, titleH);
  TCanvas* canvas = title.Canvas();
  TBitmap image;
  if (minimized && Engine->GetSkinBitmap("TitleBarMinimizedImage", &image)) {
    canvas->StretchDraw({0, 0, wd, ht}, &image);
    drawnMinimized = true;
  } else {
    TBitmap right, left, client;
    Engine->GetSkinBitmap("TitleBarRightImage", &right);
    const int r = titleW - right.Width();
    canvas->Draw(r, 0, &right);
    Engine->GetSkinBitmap("TitleBarLeftImage", &left);
    if (CutTitleLeft(left.Width(), r, minimized || IsDialog)) {
      const int w = left.Width();
      left.Canvas()->CopyRect({25, 0, 50, left.Height()}, left.Canvas(), {w - 25, 0, w, left.Height()});
      left.SetWidth(50);
    }
    canvas->Draw(0, 0, &left);
    const int l = left.Width();
    Engine->GetSkinBitmap("TitleBarClientImage", &client);
    if (r > l) canvas->StretchDraw({l, 0, r, client.Height()}, &client);
    if (client.Height() < titleH) {
      const RECT rest = BorderVisible ? RECT{bw, client.Height(), titleW - bw, titleH}
                                      : RECT{0, client.Height(), titleW, titleH};
      FillRectColor(canvas, rest, Engine->GetFormBackgroundColor());
    }
  }

  // The cursor in title-bitmap coordinates: from the window origin and where the bitmap lies.
  POINT cursor{};
  GetCursorPos(&cursor);
  const SkinPoint hit{cursor.x - window.left - titleX, cursor.y - window.top};
  HotButton = ceNone;
  MaximizeEnabled = MaximizeShown = MinimizeShown = CloseShown = false;

  TBitmap slice;
  Engine->GetSkinBitmap("TitleBarButtonImage", &slice, 18, 1);
  const bool transparent = Engine->GetSkinBool("TitleBarButtonTransparentBool");
  CaptionInput in;
  in.titleWidth = titleW;
  in.sliceWidth = slice.Width();
  in.sliceHeight = slice.Height();
  in.buttonTop = Engine->GetSkinInt("TitleBarButtonTopInt");
  in.leftOffset = Engine->GetSkinInt("TitleBarButtonLeftOffsetInt");
  in.rightOffset = Engine->GetSkinInt("TitleBarButtonRightOffsetInt");
  in.minimized = minimized;
  in.maximized = IsZoomed(h) != 0;
  in.systemIcon = HasSystemIcon();
  in.close = HasCloseButton();
  in.maximize = HasMaximizeButton();
  in.minimize = HasMinimizeButton();
  in.help = HasHelpButton();
  const CaptionLayout layout = LayoutCaption(in);
  HotButton = CaptionElementAt(layout, hit);

  if (layout.hasIcon)
    if (HICON icon = TitleIcon())
      DrawIconEx(canvas->Handle(), layout.iconBox.left, layout.iconBox.top, icon, 16, 16, 0, nullptr, DI_NORMAL);
  for (const CaptionButton& b : layout.buttons) {
    switch (b.element) {
      case ceClose: CloseShown = true; break;
      case ceMaximize: MaximizeEnabled = MaximizeShown = true; break;
      case ceMinimize: MinimizeShown = true; break;
      default: break;
    }
    const int index = CaptionButtonSlice(b, static_cast<CaptionElement>(HotButton), ButtonPressed);
    Engine->GetSkinBitmap("TitleBarButtonImage", &slice, 18, index);
    slice.SetTransparent(transparent);
    canvas->Draw(b.box.left, b.box.top, &slice);
  }

  // The caption in its own font, cut to the room between the icon and the buttons.
  TFont* font = canvas->Font();
  font->SetName("Tahoma");
  font->SetStyle(TFontStyles{fsBold});
  font->SetColor(Active ? TColor(Engine->FTitleFontColor) : clInactiveCaption);
  const std::string caption = EllipsizeText(canvas, GetCaptionText(), layout.captionRight - layout.captionLeft);
  canvas->Brush()->SetStyle(bsClear);
  const int top = layout.buttonTop + (16 - canvas->TextHeight("H")) / 2;
  canvas->TextOut(layout.captionLeft, top, caption);

  BitBlt(dc, titleX, 0, titleW, titleH, canvas->Handle(), 0, 0, SRCCOPY);
}

void TzubSkinWindow::PaintBorders(HDC dc) {
  const int wd = GetWindowWidth(), ht = GetWindowHeight();
  const int bw = BorderWidth();
  const int bottomH = Engine->FBottomBorderHeight != 0 ? Engine->FBottomBorderHeight : bw;
  const TColor borderColor = Engine->GetSkinInt("FormBorderColor");
  TCanvas canvas;
  canvas.SetHandle(dc);
  struct Give {
    TCanvas& c;
    ~Give() { c.SetHandle(nullptr); }
  } give{canvas};

  TBitmap image;
  RECT left{0, 0, bw, ht};
  if (Engine->GetSkinBitmap("FormLeftBorderImage", &image)) {
    left.top += Engine->FTitleBarHeight;
    left.bottom -= Engine->FBottomBorderHeight;
    canvas.StretchDraw(left, &image);
  } else {
    FillRectColor(&canvas, left, borderColor);
  }
  RECT right{wd - bw, 0, wd, ht};
  if (Engine->FRightBorderImage) {
    right.top += Engine->FTitleBarHeight;
    right.bottom -= Engine->FBottomBorderHeight;
    canvas.StretchDraw(right, Engine->FRightBorderImage.get());
  } else {
    FillRectColor(&canvas, right, borderColor);
  }
  const RECT bottom{0, ht - bottomH, wd, ht};
  TBitmap bottomImage;
  if (Engine->GetSkinBitmap("FormBottomBorderImage", &bottomImage)) {
    TBitmap strip;
    strip.SetSize(wd, bottomImage.Height());
    DrawThreePartHorz(&bottomImage, strip.Canvas(), {0, 0, wd, bottomImage.Height()}, false);
    canvas.Draw(bottom.left, bottom.top, &strip);
  } else {
    FillRectColor(&canvas, bottom, borderColor);
  }

  // The non-client border is at least 4 wide: the rest is the form's background.
  if (bw >= kMinFrameBorder) return;
  const int m = GetMenuBarHeight(), t = GetTitleBarHeight();
  const TColor background = Engine->GetFormBackgroundColor();
  FillRectColor(&canvas, {bw, m + t, 4, ht - bw}, background);
  FillRectColor(&canvas, {bw, ht - 4, wd - bw, ht - bw}, background);
  FillRectColor(&canvas, {wd - 4, m + t, wd - bw, ht - bw}, background);
  if (m != 0) {
    const TColor menuBar = Engine->GetMenuBarColor();
    FillRectColor(&canvas, {bw, t, 4, m + t}, menuBar);
    FillRectColor(&canvas, {wd - 4, t, wd - bw, m + t}, menuBar);
  }
}

// ---- The region ----

HRGN CreateSkinWindowRegion(int Width, int Height, int Round, int BottomRound) {
  const int r = std::max(Round, 0), rb = std::max(BottomRound, 0);
  const int half = Height / 2;
  auto join = [](HRGN into, HRGN part) {
    CombineRgn(into, into, part, RGN_OR);
    DeleteObject(part);
  };
  HRGN top = CreateRoundRectRgn(0, 0, Width + 1, half + 1, r, r);
  join(top, CreateRectRgn(0, half - 2 * r, 2 * r, half));
  join(top, CreateRectRgn(Width - 2 * r, half - 2 * r, Width, half));
  HRGN bottom = CreateRoundRectRgn(0, half, Width + 1, Height + 1, rb, rb);
  join(bottom, CreateRectRgn(0, half, 2 * rb, half + 2 * rb));
  join(bottom, CreateRectRgn(Width - 2 * rb, half, Width, half + 2 * rb));
  join(top, bottom);
  return top;
}

void TzubSkinWindow::UpdateRegion() {
  if (IsWindows95() || !CanUseRegion() || !Engine) return;
  GdiObject<HRGN> region(CreateSkinWindowRegion(GetWindowWidth(), GetWindowHeight(),
                                                Engine->GetSkinInt("FormRoundCornerInt"),
                                                Engine->GetSkinInt("FormBottomRoundCornerInt")));
  if (Engine->ComponentState().Contains(csDesigning)) return;  // deleted with the holder
  if (SetWindowRgn(GetHandle(), region.get(), TRUE)) region.release();  // the system's now
}

TzubSkinWindow* NewSkinWindow(HWND Handle, bool IsDialog, TzubSkinEngine* Engine) {
  if (TCustomForm* form = FindFormByHandle(Handle)) {
    // The engine's own form's skinner is the engine's to free, not the form's.
    TComponent* owner = Engine && Engine->Owner() == form ? nullptr : form;
    return Create<TzubSkinWindowVCL>(owner, Handle, IsDialog, Engine);
  }
  return Create<TzubSkinWindowWnd>(nullptr, Handle, IsDialog, Engine);
}
