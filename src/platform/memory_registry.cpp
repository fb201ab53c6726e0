#include "platform/memory_registry.h"

#include "platform/text.h"

namespace vwi {
namespace {

std::vector<std::u16string> SplitPath(std::u16string_view path) {
  std::vector<std::u16string> parts;
  size_t begin = 0;
  while (begin <= path.size()) {
    size_t end = path.find(u'\\', begin);
    if (end == std::u16string_view::npos) end = path.size();
    if (end > begin) parts.emplace_back(path.substr(begin, end - begin));
    begin = end + 1;
  }
  return parts;
}

std::u16string RootName(RegistryRoot root, uint32_t view) {
  std::u16string name = root == RegistryRoot::kLocalMachine ? u"hklm" : u"hkcu";
  if (view & registry_access::kView32) name += u"32";
  return name;
}

std::u16string Normalised(std::u16string_view path) {
  std::u16string joined;
  for (const auto& part : SplitPath(path)) joined += AsciiLower(part) + u'\\';
  return joined;
}

}  // namespace

// A key refers to its node by path, so a key deleted while open only makes
// later operations fail, as with the Windows registry.
class MemoryRegistryKey final : public IRegistryKey {
 public:
  MemoryRegistryKey(MemoryRegistry& registry, RegistryRoot root, std::u16string path,
                    uint32_t access)
      : registry_(registry), root_(root), path_(std::move(path)), access_(access) {}

  std::optional<std::vector<uint8_t>> QueryValue(std::u16string_view name) const override {
    const auto* node = Target();
    if (!node) return std::nullopt;
    const auto it = node->values.find(AsciiLower(name));
    if (it == node->values.end()) return std::nullopt;
    return it->second.data;
  }

  std::optional<uint32_t> QueryNumber(std::u16string_view name) const override {
    const auto data = QueryValue(name);
    if (!data || data->size() > 4) return std::nullopt;
    uint32_t value = 0;
    for (size_t i = 0; i < data->size(); ++i) value |= uint32_t{(*data)[i]} << (8 * i);
    return value;
  }

  int32_t SetValue(std::u16string_view name, uint32_t type,
                   const std::vector<uint8_t>& data) override {
    auto* node = Target();
    if (!node) return kRegistryNotFound;
    if ((access_ & registry_access::kSetValue) == 0) return 5;  // ERROR_ACCESS_DENIED
    node->values[AsciiLower(name)] = MemoryRegistry::Value{type, data};
    return kRegistryOk;
  }

  std::optional<std::u16string> SubKeyName(uint32_t index) const override {
    const auto* node = Target();
    if (!node || index >= node->children.size()) return std::nullopt;
    auto it = node->children.begin();
    std::advance(it, index);
    return it->second->name;
  }

 private:
  MemoryRegistry::Node* Target() const {
    return registry_.Find(root_, path_, access_ & registry_access::kViewMask);
  }

  MemoryRegistry& registry_;
  RegistryRoot root_;
  std::u16string path_;
  uint32_t access_;
};

std::u16string MemoryRegistry::KeyId(RegistryRoot root, std::u16string_view path) {
  return RootName(root, 0) + u'\\' + Normalised(path);
}

bool MemoryRegistry::Denied(const std::set<std::u16string>& set, RegistryRoot root,
                            std::u16string_view path) const {
  const std::u16string id = KeyId(root, path);
  for (const auto& denied : set) {
    if (id.compare(0, denied.size(), denied) == 0) return true;
  }
  return false;
}

void MemoryRegistry::DenyWrite(RegistryRoot root, std::u16string_view path) {
  denyWrite_.insert(KeyId(root, path));
}

void MemoryRegistry::DenyAll(RegistryRoot root, std::u16string_view path) {
  denyAll_.insert(KeyId(root, path));
}

MemoryRegistry::Node* MemoryRegistry::Find(RegistryRoot root, std::u16string_view path,
                                           uint32_t view) const {
  const auto top = roots_.find(RootName(root, view));
  if (top == roots_.end()) return nullptr;
  Node* node = top->second.get();
  for (const auto& part : SplitPath(path)) {
    const auto it = node->children.find(AsciiLower(part));
    if (it == node->children.end()) return nullptr;
    node = it->second.get();
  }
  return node;
}

MemoryRegistry::Node* MemoryRegistry::Make(RegistryRoot root, std::u16string_view path,
                                           uint32_t view) {
  auto& top = roots_[RootName(root, view)];
  if (!top) top = std::make_unique<Node>();
  Node* node = top.get();
  for (const auto& part : SplitPath(path)) {
    auto& child = node->children[AsciiLower(part)];
    if (!child) {
      child = std::make_unique<Node>();
      child->name = part;
    }
    node = child.get();
  }
  return node;
}

std::unique_ptr<IRegistryKey> MemoryRegistry::CreateKey(RegistryRoot root, std::u16string_view path,
                                                        uint32_t access) {
  requests_.push_back({true, root, std::u16string(path), access});
  if (Denied(denyAll_, root, path) || Denied(denyWrite_, root, path)) return nullptr;
  Make(root, path, access & registry_access::kViewMask);
  return std::make_unique<MemoryRegistryKey>(*this, root, std::u16string(path), access);
}

std::unique_ptr<IRegistryKey> MemoryRegistry::OpenKey(RegistryRoot root, std::u16string_view path,
                                                      uint32_t access) {
  requests_.push_back({false, root, std::u16string(path), access});
  if (Denied(denyAll_, root, path)) return nullptr;
  if ((access & registry_access::kSetValue) && Denied(denyWrite_, root, path)) return nullptr;
  if (!Find(root, path, access & registry_access::kViewMask)) return nullptr;
  return std::make_unique<MemoryRegistryKey>(*this, root, std::u16string(path), access);
}

int32_t MemoryRegistry::DeleteTree(RegistryRoot root, std::u16string_view path, uint32_t view) {
  auto parts = SplitPath(path);
  if (parts.empty()) return kRegistryNotFound;
  const std::u16string last = AsciiLower(parts.back());
  parts.pop_back();
  std::u16string parentPath;
  for (const auto& part : parts) parentPath += part + u'\\';
  Node* parent = Find(root, parentPath, view);
  if (!parent || parent->children.erase(last) == 0) return kRegistryNotFound;
  return kRegistryOk;
}

void MemoryRegistry::PutValue(RegistryRoot root, std::u16string_view path, std::u16string_view name,
                              Value value, uint32_t view) {
  Make(root, path, view)->values[AsciiLower(name)] = std::move(value);
}

void MemoryRegistry::PutString(RegistryRoot root, std::u16string_view path,
                               std::u16string_view name, std::u16string_view text, uint32_t view) {
  Value value{registry_type::kString, {}};
  for (const char16_t unit : text) {
    value.data.push_back(static_cast<uint8_t>(unit & 0xFF));
    value.data.push_back(static_cast<uint8_t>(unit >> 8));
  }
  value.data.insert(value.data.end(), {0, 0});
  PutValue(root, path, name, std::move(value), view);
}

void MemoryRegistry::PutNumber(RegistryRoot root, std::u16string_view path,
                               std::u16string_view name, uint32_t number, uint32_t view) {
  PutValue(root, path, name,
           Value{registry_type::kNumber,
                 {static_cast<uint8_t>(number), static_cast<uint8_t>(number >> 8),
                  static_cast<uint8_t>(number >> 16), static_cast<uint8_t>(number >> 24)}},
           view);
}

void MemoryRegistry::PutKey(RegistryRoot root, std::u16string_view path, uint32_t view) {
  Make(root, path, view);
}

bool MemoryRegistry::HasKey(RegistryRoot root, std::u16string_view path, uint32_t view) const {
  return Find(root, path, view) != nullptr;
}

std::optional<MemoryRegistry::Value> MemoryRegistry::GetValue(RegistryRoot root,
                                                              std::u16string_view path,
                                                              std::u16string_view name,
                                                              uint32_t view) const {
  const Node* node = Find(root, path, view);
  if (!node) return std::nullopt;
  const auto it = node->values.find(AsciiLower(name));
  if (it == node->values.end()) return std::nullopt;
  return it->second;
}

}  // namespace vwi
