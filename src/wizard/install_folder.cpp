#include "wizard/install_folder.h"

#include "platform/paths.h"

namespace vwi {

bool PrepareInstallFolder(const std::u16string& folder, ISystemServices& folders) {
  const std::u16string path = WithoutTrailingBackslash(folder);
  if (path.empty() || IsRelativePath(path) || path.size() > kMaxInstallFolderLength) return false;
  if (folders.IsFolder(path)) return true;
  const std::vector<std::u16string> chain = FolderChain(path);
  for (const std::u16string& part : chain) {
    if (folders.PathExists(part)) {
      // A file where a folder should be: nothing can be installed below it.
      if (!folders.IsFolder(part)) return false;
    } else if (!folders.CreateFolder(part)) {
      return false;
    }
  }
  // With nothing to make (a drive, a bare "\\server") the path itself must be a folder.
  return !chain.empty();
}

FolderValidation ValidateInstallFolder(const std::u16string& text, bool accepted,
                                       ISystemServices& folders) {
  FolderValidation validation{FolderCheck::kUnavailable, WithoutTrailingBackslash(text)};
  if (!accepted) {
    validation.result = FolderCheck::kNotAccepted;
    return validation;
  }
  if (PrepareInstallFolder(validation.path, folders)) validation.result = FolderCheck::kAccepted;
  return validation;
}

std::u16string BrowseStartFolder(std::u16string fullPath, ISystemServices& folders) {
  if (fullPath.size() >= 2 && fullPath.back() == u'\\' && fullPath[fullPath.size() - 2] != u':') {
    fullPath.pop_back();
  }
  while (!fullPath.empty() && !folders.PathExists(fullPath)) {
    const size_t cut = fullPath.rfind(u'\\');
    if (cut == std::u16string::npos) break;
    fullPath.resize(cut);
  }
  return fullPath;
}

std::u16string ProductProgramPath(const std::u16string& installFolder,
                                  const std::u16string& mainExecutable) {
  return JoinPath(installFolder, mainExecutable);
}

}  // namespace vwi
