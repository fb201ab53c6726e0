// Small GDI drawing helpers shared by the skinned controls.
#pragma once

#include <windows.h>

#include "platform/geometry.h"
#include "theme/theme_palette.h"

namespace vwi {

inline RECT ToRECT(const Rect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }
inline Rect FromRECT(const RECT& r) { return Rect{r.left, r.top, r.right, r.bottom}; }

// Fills `rect` with a solid colour.
void FillSolid(HDC dc, const Rect& rect, ColorRef color);

// Whether `control` draws its focus mark: it has the focus, and its window
// shows focus marks (not until the keyboard is used there, unless the user
// asked for them always; see KeyboardCues).
bool ShowsFocusMark(HWND control);

// A one-pixel rectangle outline, not filled.
void FrameSolid(HDC dc, const Rect& rect, ColorRef color);

// Blends the `width` x `height` part at (srcX, srcY) of a premultiplied 32-bit
// bitmap onto `dc` at (x, y) with per-pixel alpha and a constant alpha on top.
// Draws nothing without a bitmap.
void BlendBitmap(HDC dc, HBITMAP bitmap, int srcX, int srcY, int width, int height, int x, int y,
                 int constantAlpha = 255);

}  // namespace vwi
