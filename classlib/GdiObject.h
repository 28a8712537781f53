// Owners of GDI handles: each Create*/Get*/Select* here has its Delete*/Release*/restore in a
// destructor, so no path out of a drawing routine (an exception included) leaks one.
#pragma once

#include <windows.h>

#include <utility>

// A pen, brush, font, bitmap or region made by a Create* call; DeleteObject when it goes.
template <class H>
class GdiObject {
 public:
  GdiObject() = default;
  explicit GdiObject(H handle) : handle_(handle) {}
  GdiObject(GdiObject&& other) noexcept : handle_(other.release()) {}
  GdiObject& operator=(GdiObject&& other) noexcept {
    reset(other.release());
    return *this;
  }
  GdiObject(const GdiObject&) = delete;
  GdiObject& operator=(const GdiObject&) = delete;
  ~GdiObject() { reset(); }

  H get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }
  H release() { return std::exchange(handle_, nullptr); }
  void reset(H handle = nullptr) {
    if (handle_) DeleteObject(handle_);
    handle_ = handle;
  }

 private:
  H handle_ = nullptr;
};

// The device context of a window's client area, or of the screen for a null window.
class DeviceContext {
 public:
  explicit DeviceContext(HWND wnd = nullptr) : wnd_(wnd), dc_(GetDC(wnd)) {}
  DeviceContext(const DeviceContext&) = delete;
  DeviceContext& operator=(const DeviceContext&) = delete;
  ~DeviceContext() {
    if (dc_) ReleaseDC(wnd_, dc_);
  }
  HDC get() const { return dc_; }

 private:
  HWND wnd_;
  HDC dc_;
};

// A memory device context compatible with the screen (or with another DC).
class MemoryDC {
 public:
  explicit MemoryDC(HDC compatible = nullptr) : dc_(CreateCompatibleDC(compatible)) {}
  MemoryDC(const MemoryDC&) = delete;
  MemoryDC& operator=(const MemoryDC&) = delete;
  ~MemoryDC() {
    if (dc_) DeleteDC(dc_);
  }
  HDC get() const { return dc_; }

 private:
  HDC dc_;
};

// An object selected into a DC for one scope; the DC's previous object comes back at its end.
class SelectedObject {
 public:
  SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
  SelectedObject(const SelectedObject&) = delete;
  SelectedObject& operator=(const SelectedObject&) = delete;
  ~SelectedObject() {
    if (old_) SelectObject(dc_, old_);
  }

 private:
  HDC dc_;
  HGDIOBJ old_;
};

// An icon or cursor made by LoadImage (not shared), CreateIconFromResourceEx or CopyIcon.
class IconHandle {
 public:
  IconHandle() = default;
  explicit IconHandle(HICON icon) : icon_(icon) {}
  IconHandle(IconHandle&& other) noexcept : icon_(other.release()) {}
  IconHandle& operator=(IconHandle&& other) noexcept {
    reset(other.release());
    return *this;
  }
  IconHandle(const IconHandle&) = delete;
  IconHandle& operator=(const IconHandle&) = delete;
  ~IconHandle() { reset(); }

  HICON get() const { return icon_; }
  explicit operator bool() const { return icon_ != nullptr; }
  HICON release() { return std::exchange(icon_, nullptr); }
  void reset(HICON icon = nullptr) {
    if (icon_) DestroyIcon(icon_);
    icon_ = icon;
  }

 private:
  HICON icon_ = nullptr;
};
