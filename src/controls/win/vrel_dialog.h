// The skinned dialog frame: a flat dark frame with a one-pixel border, a
// caption that can show the icon and title, and drawn caption buttons.
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "controls/caption_buttons.h"
#include "controls/keyboard_cues.h"
#include "platform/win/dialog.h"
#include "platform/win/unique_handle.h"
#include "theme/image_wrapper.h"

namespace vwi {

class CVrelDialog : public Dialog {
 public:
  explicit CVrelDialog(UINT templateId);

  // Paints the whole non-client area now. Call after changing
  // showIconAndTitle or a caption button's disabled flag.
  void RedrawFrame();

  // Draw the window icon and title in the caption; false at construction.
  bool showIconAndTitle = false;
  // The caption's icon (borrowed), loaded at the size the caption draws it
  // so it is not scaled; none: the window's large icon, scaled.
  HICON captionIcon = nullptr;

  // The caption buttons (Close, Maximize, Restore, Minimize) and their state.
  CaptionBar& captionButtons() { return captionBar_; }
  CaptionButton* captionButton(int id) { return captionBar_.Find(id); }

  // Whether the focus marks of the window's controls wait for the keyboard.
  bool FocusMarksHidden() const { return cues_.Hidden(); }
  // A key moved the focus or acted on it: the focus marks show from now on.
  void KeyboardUsed();

 protected:
  // Subclasses that override it call this first: it makes the caption
  // buttons and has the frame computed again.
  bool OnInitDialog() override;
  // Called after every size change with the new client rectangle.
  virtual void OnLayout(const RECT& /*client*/) {}
  // Moves the window, at its present size, to the centre of the work area
  // of the monitor that holds the pointer. Called once, before it shows;
  // later size changes keep the top-left corner where the user put it.
  void CentreOnPointerMonitor();

  std::optional<LRESULT> OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  std::optional<LRESULT> OnNcCalcSize(bool validRects, LPARAM lParam) override;
  bool OnNcPaint(HRGN) override;
  std::optional<LRESULT> OnNcActivate(bool, LPARAM) override { return TRUE; }
  bool OnNcMouseMove(UINT hitTest, POINT screen) override;
  bool OnNcMouseLeave() override;
  bool OnNcLButtonDown(UINT hitTest, POINT screen) override;
  bool OnNcLButtonUp(UINT hitTest, POINT screen) override;
  bool OnNcLButtonDblClk(UINT hitTest, POINT screen) override;
  bool OnSize(UINT type, int cx, int cy) override;
  std::optional<LRESULT> OnEraseBkgnd(HDC dc) override;

 private:
  // Sends the window the system command a click on the frame asked for.
  void Perform(CaptionCommand command);
  bool HasMaximizeStyle() const;
  Point ToWindowPoint(POINT screen) const;
  void CreateCaptionButtons();
  void ApplyWindowShape();
  void PaintFrame(HDC windowDc);
  void DrawCaptionButton(HDC dc, const CaptionButton& button, const Rect& caption);
  void DrawIconAndTitle(HDC dc, Rect caption);

  UniqueFont captionFont_;
  CaptionBar captionBar_;
  std::vector<std::shared_ptr<CImageWrapper>> glyphs_;  // keeps the borrowed bitmaps alive
  bool relayoutPending_ = false;
  KeyboardCues cues_;
};

}  // namespace vwi
