// GDI state as scope objects: painting, selected objects and a memory DC that
// copies itself back, so no path leaves a DC changed.
#pragma once

#include <windows.h>

namespace vwi {

// BeginPaint/EndPaint.
class PaintScope {
 public:
  explicit PaintScope(HWND window) : window_(window) { dc_ = BeginPaint(window, &paint_); }
  PaintScope(const PaintScope&) = delete;
  PaintScope& operator=(const PaintScope&) = delete;
  ~PaintScope() { EndPaint(window_, &paint_); }
  HDC dc() const { return dc_; }
  const RECT& dirty() const { return paint_.rcPaint; }

 private:
  HWND window_;
  PAINTSTRUCT paint_{};
  HDC dc_;
};

// GetDC/ReleaseDC (or GetWindowDC with `wholeWindow`).
class WindowDc {
 public:
  explicit WindowDc(HWND window, bool wholeWindow = false)
      : window_(window), dc_(wholeWindow ? GetWindowDC(window) : GetDC(window)) {}
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  ~WindowDc() {
    if (dc_) ReleaseDC(window_, dc_);
  }
  HDC dc() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

// SelectObject and its restore.
class SelectScope {
 public:
  SelectScope(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
  SelectScope(const SelectScope&) = delete;
  SelectScope& operator=(const SelectScope&) = delete;
  ~SelectScope() {
    if (previous_ && previous_ != HGDI_ERROR) SelectObject(dc_, previous_);
  }

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

// A compatible memory DC the size of `rect`; drawing goes there and is copied
// to the target in one BitBlt when the scope ends (double buffering). Its
// coordinates are the target's: the origin is moved to rect's corner.
class MemoryDc {
 public:
  MemoryDc(HDC target, const RECT& rect)
      : target_(target),
        rect_(rect),
        dc_(CreateCompatibleDC(target)),
        bitmap_(CreateCompatibleBitmap(target, Width(), Height())) {
    if (dc_ && bitmap_) {
      previous_ = SelectObject(dc_, bitmap_);
      SetWindowOrgEx(dc_, rect_.left, rect_.top, nullptr);
    }
  }
  MemoryDc(const MemoryDc&) = delete;
  MemoryDc& operator=(const MemoryDc&) = delete;
  ~MemoryDc() {
    if (dc_ && bitmap_) {
      BitBlt(target_, rect_.left, rect_.top, Width(), Height(), dc_, rect_.left, rect_.top,
             SRCCOPY);
      SelectObject(dc_, previous_);
    }
    if (bitmap_) DeleteObject(bitmap_);
    if (dc_) DeleteDC(dc_);
  }
  // The DC to draw into: the memory DC, or the target itself when no buffer
  // could be made.
  HDC dc() const { return dc_ && bitmap_ ? dc_ : target_; }

 private:
  int Width() const { return rect_.right - rect_.left; }
  int Height() const { return rect_.bottom - rect_.top; }

  HDC target_;
  RECT rect_;
  HDC dc_;
  HBITMAP bitmap_;
  HGDIOBJ previous_ = nullptr;
};

}  // namespace vwi
