// One opened registry key: created (or opened) with write access when that is
// granted, read-only otherwise. Every operation on a key that could not be
// opened fails quietly, so callers simply get their defaults.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/registry.h"

namespace vwi {

class RegistryKey {
 public:
  explicit RegistryKey(IRegistry& registry = SystemRegistry()) : registry_(&registry) {}
  RegistryKey(const RegistryKey&) = delete;
  RegistryKey& operator=(const RegistryKey&) = delete;
  RegistryKey(RegistryKey&&) noexcept = default;
  RegistryKey& operator=(RegistryKey&&) noexcept = default;
  ~RegistryKey() = default;

  // Creates or opens `path` with read, set-value and create-sub-key access
  // (plus `view`, a registry_access::kView flag or 0); when that is refused,
  // opens it read-only. Returns whether the key is open.
  bool Open(RegistryRoot root, std::u16string_view path, uint32_t view = 0);
  // Opens an existing key for reading only; never creates it.
  bool OpenForRead(RegistryRoot root, std::u16string_view path, uint32_t view = 0);

  bool IsOpen() const { return key_ != nullptr; }
  bool writable() const { return writable_; }
  const std::u16string& path() const { return path_; }

  // The value as text up to its first NUL (type not examined); nothing when
  // absent, unreadable or the key is closed.
  std::optional<std::u16string> QueryString(std::u16string_view name) const;
  // The value as a 4-byte number; nothing when absent, unreadable or closed.
  std::optional<uint32_t> QueryNumber(std::u16string_view name) const;
  // The value's raw data; nothing when absent, unreadable or closed.
  std::optional<std::vector<uint8_t>> QueryRaw(std::u16string_view name) const;

  // Writes REG_SZ data of (length + 1) * 2 bytes, the terminating NUL
  // included. 0 on success, the platform's error otherwise, and
  // kRegistryCantWrite without trying when the key is not writable.
  int32_t SetString(std::u16string_view name, std::u16string_view text);
  // Writes a REG_DWORD; results as SetString.
  int32_t SetNumber(std::u16string_view name, uint32_t value);

  // Appends the name of every direct sub-key, index 0 upwards until the
  // enumeration fails.
  void EnumSubKeys(std::vector<std::u16string>& list) const;

  // Closes the key; also done by the destructor.
  void Close();

 private:
  IRegistry* registry_;
  std::unique_ptr<IRegistryKey> key_;
  bool writable_ = false;
  std::u16string path_;
};

}  // namespace vwi
