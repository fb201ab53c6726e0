// The installation folder's checks and creation against the file system.
#pragma once

#include "wizard/install_folder.h"

namespace vwi {

class WinFolderSystem final : public IFolderSystem {
 public:
  bool IsExistingFolder(const std::u16string& path) override;
  bool Exists(const std::u16string& path) override;
  bool CreateFolder(const std::u16string& path) override;
};

}  // namespace vwi
