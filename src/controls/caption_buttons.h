// The skinned frame's caption buttons: their geometry, state colours, hit
// testing and the mouse rules that turn clicks into window commands.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "platform/geometry.h"
#include "res/resource_ids.h"
#include "theme/dpi_scaling.h"
#include "theme/image_wrapper.h"
#include "theme/theme_palette.h"

namespace vwi {

enum CaptionButtonId {
  kCaptionClose = 0,
  kCaptionMaximize = 1,
  kCaptionRestore = 2,
  kCaptionMinimize = 3
};

// The PNG base id of each button's glyph, by identifier.
constexpr std::array<int, 4> kCaptionGlyphBase = {IDB_CLOSE_GLYPH, IDB_MAXIMIZE_GLYPH,
                                                  IDB_RESTORE_GLYPH, IDB_MINIMIZE_GLYPH};

struct CaptionButton {
  int id = 0;
  NativeBitmap bitmap = nullptr;  // borrowed from the shared glyph image
  int imageWidth = 0;
  int imageHeight = 0;
  int frameCount = 1;
  int horizontalFrames = 1;
  ColorRef normalColor = 0;
  ColorRef hoverColor = 0;
  ColorRef pressedColor = 0;
  bool visible = false;
  Rect rect;       // window coordinates
  Rect imageRect;  // the glyph frame, centred in rect
  bool hover = false;
  bool pressed = false;
  bool hot = false;
  bool disabled = false;

  // The box colour for the current state.
  ColorRef BoxColor() const;
  // The constant alpha the glyph is blended with: faded while disabled.
  int GlyphAlpha() const { return disabled ? 50 : 255; }
};

// What a click or double click on the frame asks the window to do: a system
// command, with the Windows value (SC_CLOSE and so on) so that it passes to
// the window unchanged.
enum class CaptionCommand : uint32_t {
  kNone = 0,
  kClose = 0xF060,
  kMinimize = 0xF020,
  kMaximize = 0xF030,
  kRestore = 0xF120
};

// The buttons of one frame and the non-client mouse state between events.
class CaptionBar {
 public:
  // Makes the four buttons in the order Close, Maximize, Restore, Minimize.
  // `glyphs` holds each button's image by identifier (null: no glyph). Without
  // the maximised bit in the window's style, Maximize and Restore get empty
  // rectangles so they are never drawn or hit.
  void Create(const DpiScale& dpi, const ThemePalette& palette,
              const std::array<const CImageWrapper*, 4>& glyphs, bool maximizeStyle);

  std::vector<CaptionButton>& buttons() { return buttons_; }
  const std::vector<CaptionButton>& buttons() const { return buttons_; }
  CaptionButton* Find(int id);

  // Maximize shows while the window is not maximised, Restore while it is.
  void SetMaximized(bool maximized);

  // Places the buttons at the top right of `rect` (window coordinates).
  void Layout(Rect rect, const DpiScale& dpi);

  // The first visible, enabled button containing `p` (window coordinates), or -1.
  int HitTest(Point p) const;
  void ClearStates();

  struct MoveResult {
    bool repaint = false;
    bool runDefault = false;
  };
  // The mouse moved over the non-client area.
  MoveResult OnMouseMove(Point p);
  // The mouse left the non-client area; true when the frame must be repainted.
  bool OnMouseLeave();

  struct DownResult {
    bool repaint = false;
    bool passToPlatform = false;  // moving or sizing the window
  };
  // The left button went down; `hitCode` is the platform's own hit-test code.
  DownResult OnLeftDown(Point p, int hitCode);

  struct UpResult {
    bool repaint = false;
    CaptionCommand command = CaptionCommand::kNone;
  };
  UpResult OnLeftUp(Point p, bool maximizeStyle);

  CaptionCommand OnDoubleClick(Point p, bool maximizeStyle, bool maximized) const;

  bool nonClientTracking = false;
  bool nonClientPressed = false;

 private:
  // The id of the first visible hot button, or -1.
  int HotButton() const;

  std::vector<CaptionButton> buttons_;
};

// Platform hit-test codes the frame cares about.
constexpr int kHitCaption = 2;
constexpr int kHitLeft = 10;
constexpr int kHitBottomRight = 17;

}  // namespace vwi
