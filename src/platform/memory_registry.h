// An in-memory registry: the native build's system registry and the test
// double of the registry for native tests. Key paths and value names compare
// without regard to ASCII case, as in the Windows registry; the 32-bit view is
// kept apart from the default (64-bit) one.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "platform/registry.h"

namespace vwi {

class MemoryRegistry final : public IRegistry {
 public:
  struct Value {
    uint32_t type = 0;
    std::vector<uint8_t> data;
  };
  // One call of CreateKey or OpenKey, for tests that check the access asked for.
  struct Request {
    bool create = false;
    RegistryRoot root = RegistryRoot::kLocalMachine;
    std::u16string path;
    uint32_t access = 0;
  };

  std::unique_ptr<IRegistryKey> CreateKey(RegistryRoot root, std::u16string_view path,
                                          uint32_t access) override;
  std::unique_ptr<IRegistryKey> OpenKey(RegistryRoot root, std::u16string_view path,
                                        uint32_t access) override;
  int32_t DeleteTree(RegistryRoot root, std::u16string_view path, uint32_t view) override;

  // Test set-up: values written directly, creating the key and its parents.
  void PutString(RegistryRoot root, std::u16string_view path, std::u16string_view name,
                 std::u16string_view text, uint32_t view = 0);
  void PutNumber(RegistryRoot root, std::u16string_view path, std::u16string_view name,
                 uint32_t value, uint32_t view = 0);
  void PutValue(RegistryRoot root, std::u16string_view path, std::u16string_view name, Value value,
                uint32_t view = 0);
  void PutKey(RegistryRoot root, std::u16string_view path, uint32_t view = 0);

  // Test inspection.
  bool HasKey(RegistryRoot root, std::u16string_view path, uint32_t view = 0) const;
  std::optional<Value> GetValue(RegistryRoot root, std::u16string_view path,
                                std::u16string_view name, uint32_t view = 0) const;

  // Keys (with everything below them) for which write access is refused, or
  // every access.
  void DenyWrite(RegistryRoot root, std::u16string_view path);
  void DenyAll(RegistryRoot root, std::u16string_view path);

  const std::vector<Request>& requests() const { return requests_; }

  struct Node {
    std::u16string name;                                       // as first written
    std::map<std::u16string, Value> values;                    // by lower-cased name
    std::map<std::u16string, std::unique_ptr<Node>> children;  // by lower-cased name
  };

 private:
  static std::u16string KeyId(RegistryRoot root, std::u16string_view path);
  Node* Find(RegistryRoot root, std::u16string_view path, uint32_t view) const;
  Node* Make(RegistryRoot root, std::u16string_view path, uint32_t view);
  bool Denied(const std::set<std::u16string>& set, RegistryRoot root,
              std::u16string_view path) const;

  std::map<std::u16string, std::unique_ptr<Node>> roots_;  // by root and view
  friend class MemoryRegistryKey;
  std::set<std::u16string> denyWrite_;
  std::set<std::u16string> denyAll_;
  std::vector<Request> requests_;
};

}  // namespace vwi
