#include "TzubSkinEngine.h"

#include <algorithm>

#include "Forms.h"
#include "Streams.h"
#include "SysUtils.h"
#include "TzubSkinWindow.h"
#include "ZUBSkinHook.h"
#include "ZUBSkinMessages.h"
#include "ZUBSkinStoredSkin.h"
#include "ZUBSkinUtils.h"

TzubSkinWindowFactory SkinWindowFactory = &NewSkinWindow;

DEFINE_COMPONENT(TzubSkinEngine, TComponent,
                 ({Prop<&TzubSkinEngine::Active, &TzubSkinEngine::SetActive>("Active"),
                   Prop<&TzubSkinEngine::Ready, &TzubSkinEngine::SetReady>("Ready"),
                   Prop<&TzubSkinEngine::SkinFile, &TzubSkinEngine::SetSkinFile>("SkinFile"),
                   Prop<&TzubSkinEngine::ResSysMenuMin, &TzubSkinEngine::SetResSysMenuMin>("ResSysMenuMin"),
                   Prop<&TzubSkinEngine::ResSysMenuMax, &TzubSkinEngine::SetResSysMenuMax>("ResSysMenuMax"),
                   Prop<&TzubSkinEngine::ResSysMenuClose, &TzubSkinEngine::SetResSysMenuClose>("ResSysMenuClose"),
                   Field<&TzubSkinEngine::DisabledTag>("DisabledTag"),
                   Prop<&TzubSkinEngine::GetDrawScrollBar, &TzubSkinEngine::SetDrawScrollBar>("DrawScrollBar"),
                   Prop<&TzubSkinEngine::Version, &TzubSkinEngine::SetVersion>("Version"),
                   Prop<&TzubSkinEngine::BuiltIn, &TzubSkinEngine::SetBuiltIn>("BuiltIn"),
                   Field<&TzubSkinEngine::SkinDialogs>("SkinDialogs"),
                   Prop<&TzubSkinEngine::SkinAllForms, &TzubSkinEngine::SetSkinAllForms>("SkinAllForms"),
                   Prop<&TzubSkinEngine::AdditionalBuiltInSkins, &TzubSkinEngine::SetAdditionalBuiltInSkins>(
                       "AdditionalBuiltInSkins"),
                   Field<&TzubSkinEngine::OnSkinChanged>("OnSkinChanged")}),
                 ({}))

namespace {

TCustomForm* CheckedOwnerForm(TComponent* owner) {
  auto* form = As<TCustomForm>(owner);
  if (!form) throw Exception("Must be placed on a Form");
  return form;
}

std::string FolderOf(UINT (WINAPI* get)(LPSTR, UINT)) {
  char buffer[MAX_PATH] = {};
  UINT n = get(buffer, MAX_PATH);
  return n > 0 && n < MAX_PATH ? IncludeTrailingBackslash(std::string(buffer, n)) : std::string();
}

std::string ProgramFolder() {
  char buffer[MAX_PATH] = {};
  DWORD n = GetModuleFileNameA(nullptr, buffer, MAX_PATH);
  return n > 0 && n < MAX_PATH ? ExtractFilePath(std::string(buffer, n)) : std::string();
}

}  // namespace

TzubSkinEngine::TzubSkinEngine(TComponent* AOwner) : TComponent(CheckedOwnerForm(AOwner)) {
  FReader = std::make_unique<TzubSkinReader>();
  FReader->OnLoaded = TNotifyEvent::Bind<&TzubSkinEngine::SkinLoaded>(this);
  FCurrentReader = FReader.get();
  FScrollBtnRes = std::make_unique<TzubSkinScrollBtnRes>();
  FAdditionalBuiltInSkins = std::make_unique<TzubSkinCollection>(this);

  FSystemMenu = Create<TPopupMenu>(nullptr);
  FSystemMenu->SetAutoHotkeys(maManual);
  FSystemMenu->OnPopup = TNotifyEvent::Bind<&TzubSkinEngine::SystemMenuPopup>(this);
  const struct {
    const std::string& caption;
    TNotifyEvent click;
  } items[] = {{FResSysMenuMin, TNotifyEvent::Bind<&TzubSkinEngine::SystemMenuMinimizeClick>(this)},
               {FResSysMenuMax, TNotifyEvent::Bind<&TzubSkinEngine::SystemMenuMaximizeClick>(this)},
               {"-", nullptr},
               {FResSysMenuClose, TNotifyEvent::Bind<&TzubSkinEngine::SystemMenuCloseClick>(this)}};
  for (const auto& entry : items) {
    TMenuItem* item = Create<TMenuItem>(nullptr);
    item->SetCaption(entry.caption);
    item->OnClick = entry.click;
    FSystemMenu->Items()->Add(item);
  }
  SkinMenu(FSystemMenu);
}

// Hooked only once whole: a designing engine says so after its constructor.
void TzubSkinEngine::AfterConstruction() {
  TComponent::AfterConstruction();
  if (!SkinHookHandle && !Designing()) InstallSkinHook(this);
}

TzubSkinEngine::~TzubSkinEngine() {
  RemoveSkinHook(this);  // only when it is this engine's
  // The windows first: unskinning repaints them through the caches.
  while (!FWindows.empty()) {
    TzubSkinWindow* window = FWindows.front();
    window->Free();
    if (!FWindows.empty() && FWindows.front() == window) FWindows.erase(FWindows.begin());
  }
  FSystemMenuWindow = nullptr;
  FScrollBtnRes.reset();
  FRightBorderImage.reset();
  FCurrentReader = nullptr;
  FReader.reset();
  FreeAndNil(FSystemMenu);
  FAdditionalBuiltInSkins.reset();
  if (FBackgroundBrush) DeleteObject(FBackgroundBrush);
  FBackgroundBrush = nullptr;
}

bool TzubSkinEngine::Ready() const { return FCurrentReader && FCurrentReader->IsLoaded(); }

bool TzubSkinEngine::IsSkinning() const { return FActive && Ready() && !Designing(); }

bool TzubSkinEngine::LoadingOrDesigning() const {
  return ComponentState().Contains(csDesigning) || ComponentState().Contains(csLoading);
}

// ---- Lookups ---------------------------------------------------------------------------------

bool TzubSkinEngine::GetSkinBitmap(const std::string& Name, TBitmap* Bitmap, int Count, int Index) const {
  if (!FCurrentReader) return false;
  if (Count != 0 && Index != 0) return FCurrentReader->GetBitmapPiece(Name, Bitmap, Count, Index);
  return FCurrentReader->GetBitmap(Name, Bitmap);
}

int32_t TzubSkinEngine::GetSkinInt(const std::string& Name) const {
  return FCurrentReader ? FCurrentReader->GetInt(Name) : -1;
}

bool TzubSkinEngine::GetSkinBool(const std::string& Name) const {
  return FCurrentReader && FCurrentReader->GetBool(Name);
}

int32_t TzubSkinEngine::GetFormBackgroundColor() const { return GetSkinInt("FormBackgroundColor"); }

int32_t TzubSkinEngine::GetMenuBarColor() const {
  const int32_t own = GetSkinInt("MenuMenuBarColor");
  if (own != -1) return own;
  switch (GetSkinInt("ControlFontColor")) {
    case 0x20000:
    case 0x50000:
      return 0xAC5B3B;
    case 0x30000:
      return 0x996733;
    default:
      return GetFormBackgroundColor();
  }
}

int32_t TzubSkinEngine::GetTitleFontColor() const {
  const int32_t own = GetSkinInt("TitleBarFontColor");
  if (own != -1) return own;
  switch (GetSkinInt("ControlFontColor")) {
    case 0x10000:
    case 0x30000:
    case 0x40000:
    case 0x50000:
      return 0x000000;
    default:
      return 0xFFFFFF;
  }
}

TPopupMenu* TzubSkinEngine::GetSystemMenu() const { return FSystemMenu; }

// ---- Loading a skin --------------------------------------------------------------------------

void TzubSkinEngine::SetSkinFile(std::string Value) {
  const std::string name = ExtractFileName(Value);
  std::string found;
  for (const std::string& candidate : {Value, ProgramFolder() + name, FolderOf(&GetWindowsDirectoryA) + name,
                                       FolderOf(&GetSystemDirectoryA) + name}) {
    if (!candidate.empty() && FileExists(candidate)) {
      found = candidate;
      break;
    }
  }
  if (found.empty()) return;
  // A fresh reader, swapped in only when the file was read: a bad file keeps the old skin.
  auto fresh = std::make_unique<TzubSkinReader>();
  try {
    if (!fresh->LoadFromFile(found)) return;
  } catch (const std::exception&) {
    return;
  }
  fresh->OnLoaded = TNotifyEvent::Bind<&TzubSkinEngine::SkinLoaded>(this);
  FReader = std::move(fresh);
  FCurrentReader = FReader.get();
  FSkinFile = found;
  SkinLoaded(FReader.get());
}

void TzubSkinEngine::SkinLoaded(TObject* Sender) {
  (void)Sender;
  TBitmap image;
  FTitleBarHeight = GetSkinBitmap("TitleBarLeftImage", &image) ? image.Height() : 0;

  TBitmap border;
  if (GetSkinBitmap("FormLeftBorderImage", &border)) {
    FBorderWidth = border.Width();
    auto right = std::make_unique<TBitmap>();
    right->SetSize(border.Width(), border.Height());
    right->Canvas()->Draw(0, 0, &border);
    zubskin::RotateBitmap180(right.get());
    FRightBorderImage = std::move(right);
  } else {
    FBorderWidth = GetSkinInt("FormBorderWidthInt");
    FRightBorderImage.reset();
  }

  TBitmap bottom;
  FBottomBorderHeight = GetSkinBitmap("FormBottomBorderImage", &bottom) ? bottom.Height() : 0;
  FTitleFontColor = GetTitleFontColor();

  if (FBackgroundBrush) DeleteObject(FBackgroundBrush);
  FBackgroundBrush = CreateSolidBrush(ColorToRGB(GetFormBackgroundColor()));
  FScrollBtnRes->SetReader(FCurrentReader);

  // Each window is taken through its plain look and back to what the engine's state asks for.
  // The first window, the engine's own form, ends up active when it was shown.
  const size_t count = FWindows.size();
  HWND activate = nullptr;
  for (size_t i = 0; i < count && i < FWindows.size(); ++i) {
    TzubSkinWindow* window = FWindows[i];
    const HWND handle = window->GetHandle();
    const bool visible = IsWindowVisible(handle);
    ShowWindow(handle, SW_HIDE);
    window->SetSkinned(false);
    if (IsSkinning()) window->SetSkinned(true);
    if (visible) {
      ShowWindow(handle, SW_SHOW);
      if (i == 0) activate = handle;
    }
  }
  if (activate) SetActiveWindow(activate);
  if (OnSkinChanged) OnSkinChanged(this);
}

void TzubSkinEngine::DefineProperties(TFiler* Filer) {
  TComponent::DefineProperties(Filer);
  Filer->DefineBinaryProperty("SkinData", TFiler::TStreamProc::Bind<&TzubSkinEngine::ReadSkinData>(this),
                              TFiler::TStreamProc::Bind<&TzubSkinEngine::WriteSkinData>(this),
                              FBuiltIn && FileExists(FSkinFile));
}

void TzubSkinEngine::ReadSkinData(TStream* Stream) {
  const std::vector<uint8_t> bytes = zubskin::ReadStreamBytes(Stream);
  const std::string remembered = FSkinFile;
  // The temporary name never stays in SkinFile; a skin that cannot be stored or read is ignored.
  zubskin::LoadThroughTempFile(bytes, [this](const std::string& name) { SetSkinFile(name); });
  FSkinFile = remembered;
}

void TzubSkinEngine::WriteSkinData(TStream* Stream) { zubskin::CopyFileToStream(FSkinFile, Stream); }

// ---- Properties ------------------------------------------------------------------------------

void TzubSkinEngine::SetActive(bool Value) {
  FActive = Value;
  if (Designing()) return;
  const std::vector<TzubSkinWindow*> windows = FWindows;
  for (TzubSkinWindow* window : windows) window->SetSkinned(IsSkinning());  // no skin, no skinned look
}

void TzubSkinEngine::SetSystemMenuCaption(int Index, const std::string& Caption) {
  if (FSystemMenu && FSystemMenu->Items()->Count() > Index) FSystemMenu->Items()->Items(Index)->SetCaption(Caption);
}

void TzubSkinEngine::SetResSysMenuMin(std::string Value) {
  SetSystemMenuCaption(0, Value);
  FResSysMenuMin = std::move(Value);
}

void TzubSkinEngine::SetResSysMenuMax(std::string Value) {
  SetSystemMenuCaption(1, Value);
  FResSysMenuMax = std::move(Value);
}

void TzubSkinEngine::SetResSysMenuClose(std::string Value) {
  SetSystemMenuCaption(3, Value);
  FResSysMenuClose = std::move(Value);
}

void TzubSkinEngine::SetBuiltIn(bool Value) {
  const bool loading = ComponentState().Contains(csLoading);
  if (!Designing() && !loading) throw Exception("BuiltIn property only can be specified at design time!");
  if (Value && !loading && !FileExists(FSkinFile)) throw Exception("Please specify the SkinFile property first!");
  FBuiltIn = Value;
}

void TzubSkinEngine::SetSkinAllForms(bool Value) {
  FSkinAllForms = Value;
  if (LoadingOrDesigning()) return;
  if (Value) SkinAllScreenForms();
  else UnskinOtherForms();
}

void TzubSkinEngine::SetAdditionalBuiltInSkins(TzubSkinCollection* Value) { FAdditionalBuiltInSkins->Assign(Value); }

// ---- The window list -------------------------------------------------------------------------

void TzubSkinEngine::SkinWindow(HWND Handle) { SkinWindowEx(Handle, false); }

void TzubSkinEngine::SkinWindowEx(HWND Handle, bool IsDialog) {
  for (TzubSkinWindow* window : FWindows)
    if (window->GetHandle() == Handle) return;
  if (TzubSkinWindow* window = SkinWindowFactory(Handle, IsDialog, this)) FWindows.push_back(window);
}

void TzubSkinEngine::UnskinWindow(HWND Handle) {
  auto it = std::find_if(FWindows.begin(), FWindows.end(), [Handle](TzubSkinWindow* w) { return w->GetHandle() == Handle; });
  if (it == FWindows.end()) return;
  TzubSkinWindow* window = *it;
  FUnskinning = true;
  try {
    window->Free();
  } catch (...) {
    FUnskinning = false;
    throw;
  }
  FUnskinning = false;
  FWindows.erase(std::remove(FWindows.begin(), FWindows.end(), window), FWindows.end());
}

void TzubSkinEngine::SkinAllScreenForms() {
  if (!Screen) return;
  for (int i = 0; i < Screen->CustomFormCount(); ++i) {
    TCustomForm* form = Screen->CustomForms(i);
    if (form->Tag() == DisabledTag) continue;
    const HWND handle = form->Handle();
    if (SendMessageA(handle, ZM_ISSKINNED, 0, 0) == 0) SkinWindowEx(handle, false);
  }
}

void TzubSkinEngine::UnskinOtherForms() {
  const HWND own = static_cast<TCustomForm*>(Owner())->Handle();
  std::vector<HWND> others;
  for (TzubSkinWindow* window : FWindows)
    if (window->GetHandle() != own) others.push_back(window->GetHandle());
  for (HWND handle : others) UnskinWindow(handle);
}

void TzubSkinEngine::Loaded() {
  TComponent::Loaded();
  if (!Designing() && Owner()) SkinWindowEx(static_cast<TCustomForm*>(Owner())->Handle(), false);
}

void TzubSkinEngine::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Designing() || !AComponent) return;
  if (Operation == opInsert) {
    if (auto* menu = As<TMenu>(AComponent)) {
      if (IsSkinning()) SkinMenu(menu);
    } else if (auto* item = As<TMenuItem>(AComponent)) {
      if (IsSkinning()) SkinMenuItem(item);
    } else if (AComponent != this && AComponent->Is<TzubSkinEngine>()) {
      throw Exception("One form can only catch one TzubSkinEngine!");
    }
  } else if (auto* menu = As<TMenu>(AComponent)) {
    UnskinMenu(menu);
  }
}
