#include "controls/caption_buttons.h"

namespace vwi {

ColorRef CaptionButton::BoxColor() const {
  if (disabled) return normalColor;
  if (pressed) return pressedColor;
  if (hover) return hoverColor;
  return normalColor;
}

void CaptionBar::Create(const DpiScale& dpi, const ThemePalette& palette,
                        const std::array<const CImageWrapper*, 4>& glyphs, bool maximizeStyle) {
  buttons_.clear();
  const int box = dpi.X(30), boxHeight = dpi.Y(30);
  for (int id = 0; id < 4; ++id) {
    CaptionButton b;
    b.id = id;
    b.normalColor = palette.frameBackground;
    b.hoverColor = id == kCaptionClose ? palette.closeHover : palette.captionButtonHover;
    b.pressedColor = id == kCaptionClose ? palette.closePressed : palette.captionButtonPressed;
    b.visible = id != kCaptionRestore;
    if (const CImageWrapper* glyph = glyphs[id]) {
      b.bitmap = glyph->bitmap;
      b.imageWidth = glyph->width;
      b.imageHeight = glyph->height;
    }
    b.rect = {0, 0, box, boxHeight};
    const Size frame =
        StripFrameSize(b.imageWidth, b.imageHeight, b.frameCount, b.horizontalFrames);
    const int left = (box - frame.width) / 2, top = (boxHeight - frame.height) / 2;
    b.imageRect = {left, top, left + frame.width, top + frame.height};
    if (!maximizeStyle && (id == kCaptionMaximize || id == kCaptionRestore)) {
      b.rect = {};
      b.imageRect = {};
    }
    buttons_.push_back(b);
  }
}

CaptionButton* CaptionBar::Find(int id) {
  for (CaptionButton& b : buttons_) {
    if (b.id == id) return &b;
  }
  return nullptr;
}

void CaptionBar::SetMaximized(bool maximized) {
  if (CaptionButton* b = Find(kCaptionMaximize)) b->visible = !maximized;
  if (CaptionButton* b = Find(kCaptionRestore)) b->visible = maximized;
}

void CaptionBar::Layout(Rect rect, const DpiScale& dpi) {
  rect = {rect.left + dpi.X(1), rect.top + dpi.Y(1), rect.right - dpi.X(1), rect.bottom - dpi.Y(1)};
  auto place = [&](CaptionButton* b, int right) {
    if (!b) return right;
    const int w = b->rect.Width(), h = b->rect.Height();
    const Rect image = b->imageRect.Offset(-b->rect.left, -b->rect.top);
    b->rect = {right - w, rect.top, right, rect.top + h};
    b->imageRect = image.Offset(b->rect.left, b->rect.top);
    if (w == 0 && h == 0) b->imageRect = {};  // an absent button stays empty
    return right - w;
  };
  const int closeLeft = place(Find(kCaptionClose), rect.right);
  const int maximizeLeft = place(Find(kCaptionMaximize), closeLeft);
  place(Find(kCaptionRestore), closeLeft);
  place(Find(kCaptionMinimize), maximizeLeft);
}

int CaptionBar::HitTest(Point p) const {
  for (const CaptionButton& b : buttons_) {
    if (b.visible && !b.disabled && b.rect.Contains(p)) return b.id;
  }
  return -1;
}

void CaptionBar::ClearStates() {
  for (CaptionButton& b : buttons_) {
    if (b.visible) b.hot = false;
    b.hover = false;
    b.pressed = false;
  }
}

int CaptionBar::HotButton() const {
  for (const CaptionButton& b : buttons_) {
    if (b.visible && b.hot) return b.id;
  }
  return -1;
}

CaptionBar::MoveResult CaptionBar::OnMouseMove(Point p) {
  const int hit = HitTest(p);
  if (hit < 0) {
    ClearStates();
    return {true, false};
  }
  if (HotButton() == hit) return {false, true};
  ClearStates();
  CaptionButton* b = Find(hit);
  if (b->visible) b->hot = true;
  b->hover = true;
  return {true, true};
}

bool CaptionBar::OnMouseLeave() {
  nonClientTracking = false;
  if (nonClientPressed) return false;
  ClearStates();
  return true;
}

CaptionBar::DownResult CaptionBar::OnLeftDown(Point p, int hitCode) {
  ClearStates();
  const int hit = HitTest(p);
  if (hit >= 0) {
    nonClientPressed = true;
    CaptionButton* b = Find(hit);
    if (b->visible) b->hot = true;
    b->pressed = true;
    return {true, false};
  }
  const bool moveOrSize =
      hitCode == kHitCaption || (hitCode >= kHitLeft && hitCode <= kHitBottomRight);
  return {true, moveOrSize};
}

CaptionBar::UpResult CaptionBar::OnLeftUp(Point p, bool maximizeStyle) {
  nonClientPressed = false;
  UpResult result;
  const int hit = HitTest(p);
  if (hit >= 0 && HotButton() == hit) {
    switch (hit) {
      case kCaptionClose:
        result.command = CaptionCommand::kClose;
        break;
      case kCaptionMinimize:
        result.command = CaptionCommand::kMinimize;
        break;
      case kCaptionMaximize:
        if (maximizeStyle) result.command = CaptionCommand::kMaximize;
        break;
      case kCaptionRestore:
        if (maximizeStyle) result.command = CaptionCommand::kRestore;
        break;
    }
  }
  // Every release ends the press, wherever it happens, so no button keeps a
  // pressed or hot look.
  ClearStates();
  result.repaint = true;
  return result;
}

CaptionCommand CaptionBar::OnDoubleClick(Point p, bool maximizeStyle, bool maximized) const {
  if (!maximizeStyle || HitTest(p) >= 0) return CaptionCommand::kNone;
  return maximized ? CaptionCommand::kRestore : CaptionCommand::kMaximize;
}

}  // namespace vwi
