// The one Direct2D DC render target and DirectWrite factory that every
// control drawing with Direct2D shares. A render target holds much memory
// (under Wine about 250 MiB, whatever its size), so the controls bind this
// one to their own DC in turn, on the window thread, and never hold one.
#pragma once

#include <windows.h>
#include <d2d1.h>
#include <dwrite.h>

#include <functional>

namespace vwi::shared_drawing {

// Made on first use; null when Direct2D is unavailable (a later call tries
// again).
ID2D1DCRenderTarget* Target();
IDWriteFactory* TextFactory();

// Forgets the target after EndDraw asked for a new one
// (D2DERR_RECREATE_TARGET); the next Target() makes it.
void Recreate();

// Draws with the target in the client area of `client`.
using DrawFunction = std::function<void(ID2D1DCRenderTarget& target, const RECT& client)>;

// Answers a window's WM_PAINT with the shared target: binds it to the paint
// DC, clears to `back`, lets `draw` draw, and forgets a target that EndDraw
// asks to be made anew. Nothing is drawn without Direct2D.
void PaintWindow(HWND window, const D2D1_COLOR_F& back, const DrawFunction& draw);

}  // namespace vwi::shared_drawing
