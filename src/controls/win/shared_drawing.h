// The one Direct2D DC render target and DirectWrite factory that every
// control drawing with Direct2D shares. A render target holds much memory
// (under Wine about 250 MiB, whatever its size), so the controls bind this
// one to their own DC in turn, on the window thread, and never hold one.
#pragma once

#include <d2d1.h>
#include <dwrite.h>

namespace vwi::shared_drawing {

// Made on first use; null when Direct2D is unavailable (a later call tries
// again).
ID2D1DCRenderTarget* Target();
IDWriteFactory* TextFactory();

// Forgets the target after EndDraw asked for a new one
// (D2DERR_RECREATE_TARGET); the next Target() makes it.
void Recreate();

}  // namespace vwi::shared_drawing
