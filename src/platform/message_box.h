// Modal message boxes, behind an interface so that the core can ask the user
// a question and native tests can answer it.
#pragma once

#include <cstdint>
#include <string_view>

namespace vwi {

// The style bits and answers the installer uses; they carry the Windows
// values, so they pass to the API unchanged.
namespace message_box {
inline constexpr uint32_t kOk = 0x00000000;
inline constexpr uint32_t kOkCancel = 0x00000001;
inline constexpr uint32_t kYesNo = 0x00000004;
inline constexpr uint32_t kRetryCancel = 0x00000005;
inline constexpr uint32_t kIconError = 0x00000010;
inline constexpr uint32_t kIconWarning = 0x00000030;

inline constexpr int kAnswerOk = 1;
inline constexpr int kAnswerCancel = 2;
inline constexpr int kAnswerRetry = 4;
inline constexpr int kAnswerYes = 6;
inline constexpr int kAnswerNo = 7;
}  // namespace message_box

class IMessageBox {
 public:
  virtual ~IMessageBox() = default;
  // Shows `text` with `caption` and the style bits; returns the answer
  // (message_box::kAnswer...), or 0 when no box could be shown.
  virtual int Show(std::u16string_view text, std::u16string_view caption, uint32_t style) = 0;
};

}  // namespace vwi
