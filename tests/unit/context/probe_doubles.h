// Stand-ins for the Windows Installer and the message box in probe tests.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "context/installed_products.h"
#include "platform/message_box.h"

namespace vwi::test {

class FakeInstalledProducts final : public IInstalledProducts {
 public:
  // Installed products by code; a code mapped to an error number fails with it.
  std::map<std::u16string, std::u16string> versions;
  std::map<std::u16string, uint32_t> errors;
  std::vector<std::u16string> asked;

  uint32_t QueryVersionString(const std::u16string& code, std::u16string& version) override {
    asked.push_back(code);
    if (const auto it = errors.find(code); it != errors.end()) return it->second;
    const auto it = versions.find(code);
    if (it == versions.end())
      return code.empty() ? kInstallerBadParameter : kInstallerUnknownProduct;
    if (it->second.size() >= 260) return kInstallerMoreData;
    version = it->second;
    return 0;
  }
};

class RecordingMessageBox final : public IMessageBox {
 public:
  struct Shown {
    std::u16string text;
    std::u16string caption;
    uint32_t style;
  };
  std::vector<Shown> shown;

  int Show(std::u16string_view text, std::u16string_view caption, uint32_t style) override {
    shown.push_back({std::u16string(text), std::u16string(caption), style});
    return message_box::kAnswerOk;
  }
};

}  // namespace vwi::test
