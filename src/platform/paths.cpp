#include "platform/paths.h"

namespace vwi {

std::u16string FolderOf(std::u16string_view path) {
  const size_t cut = path.rfind(u'\\');
  return cut == std::u16string_view::npos ? std::u16string()
                                          : std::u16string(path.substr(0, cut + 1));
}

std::u16string_view FileNameOf(std::u16string_view path) {
  const size_t slash = path.find_last_of(u"\\/");
  return slash == std::u16string_view::npos ? path : path.substr(slash + 1);
}

std::u16string WithoutTrailingBackslash(std::u16string folder) {
  if (!folder.empty() && folder.back() == u'\\') folder.pop_back();
  return folder;
}

std::u16string JoinPath(std::u16string folder, std::u16string_view name) {
  std::u16string path = WithoutTrailingBackslash(std::move(folder));
  path += u'\\';
  path += name;
  return path;
}

std::u16string ParentFolder(const std::u16string& folder) {
  const size_t cut = folder.rfind(u'\\');
  if (cut == std::u16string::npos || cut + 1 == folder.size()) return {};
  if (cut == 2 && folder[1] == u':') return folder.substr(0, 3);
  return folder.substr(0, cut);
}

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

}  // namespace vwi
