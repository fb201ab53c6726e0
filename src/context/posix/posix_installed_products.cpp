#include "context/existing_installation.h"
#include "context/installed_products.h"

namespace vwi {
namespace {

class NoInstalledProducts final : public IInstalledProducts {
 public:
  uint32_t QueryVersionString(const std::u16string&, std::u16string&) override {
    return kInstallerUnknownProduct;
  }
};

// Off Windows there is no one to show a box to.
class NoMessageBox final : public IMessageBox {
 public:
  int Show(std::u16string_view, std::u16string_view, uint32_t) override { return 0; }
};

}  // namespace

IInstalledProducts& SystemInstalledProducts() {
  static NoInstalledProducts products;
  return products;
}

IMessageBox& ProbeMessageBox() {
  static NoMessageBox box;
  return box;
}

}  // namespace vwi
