#include "wizard/install_folder.h"

#include "platform/text.h"

namespace vwi {

bool IsRelativePath(const std::u16string& path) {
  if (!path.empty() && path[0] == u'\\') return false;
  return !(path.size() >= 2 && path[1] == u':');
}

std::vector<std::u16string> FolderChain(const std::u16string& path) {
  std::vector<std::u16string> parts;
  for (size_t start = 0; start <= path.size();) {
    size_t end = path.find(u'\\', start);
    if (end == std::u16string::npos) end = path.size();
    if (end > start) parts.push_back(path.substr(start, end - start));
    start = end + 1;
  }

  std::vector<std::u16string> chain;
  std::u16string built;
  size_t first = 0;
  if (path.rfind(u"\\\\", 0) == 0 && !parts.empty()) {
    // A network path: the server alone is no folder.
    built = u"\\\\" + parts[0];
    first = 1;
  }
  for (size_t i = first; i < parts.size(); ++i) {
    if (!built.empty() || path[0] == u'\\') built += u'\\';
    built += parts[i];
    if (built.back() != u':') chain.push_back(built);
  }
  return chain;
}

bool PrepareInstallFolder(const std::u16string& folder, IFolderSystem& folders) {
  const std::u16string path = WithoutTrailingBackslash(folder);
  if (path.empty() || IsRelativePath(path) || path.size() > kMaxInstallFolderLength) return false;
  if (folders.IsExistingFolder(path)) return true;
  const std::vector<std::u16string> chain = FolderChain(path);
  for (const std::u16string& part : chain) {
    if (folders.Exists(part)) {
      // A file where a folder should be: nothing can be installed below it.
      if (!folders.IsExistingFolder(part)) return false;
    } else if (!folders.CreateFolder(part)) {
      return false;
    }
  }
  // With nothing to make (a drive, a bare "\\server") the path itself must be a folder.
  return !chain.empty();
}

FolderValidation ValidateInstallFolder(const std::u16string& text, bool accepted,
                                       IFolderSystem& folders) {
  FolderValidation validation{FolderCheck::kUnavailable, WithoutTrailingBackslash(text)};
  if (!accepted) {
    validation.result = FolderCheck::kNotAccepted;
    return validation;
  }
  if (PrepareInstallFolder(validation.path, folders)) validation.result = FolderCheck::kAccepted;
  return validation;
}

std::u16string BrowseStartFolder(std::u16string fullPath, IFolderSystem& folders) {
  if (fullPath.size() >= 2 && fullPath.back() == u'\\' && fullPath[fullPath.size() - 2] != u':') {
    fullPath.pop_back();
  }
  while (!fullPath.empty() && !folders.Exists(fullPath)) {
    const size_t cut = fullPath.rfind(u'\\');
    if (cut == std::u16string::npos) break;
    fullPath.resize(cut);
  }
  return fullPath;
}

std::u16string ProductProgramPath(const std::u16string& installFolder,
                                  const std::u16string& mainExecutable) {
  return WithoutTrailingBackslash(installFolder) + u"\\" + mainExecutable;
}

}  // namespace vwi
