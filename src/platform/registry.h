// The registry as the core sees it: a small interface over opened keys, with
// the Windows registry behind it in the program and an in-memory registry in
// native tests.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vwi {

enum class RegistryRoot { kLocalMachine, kCurrentUser };

// Access masks and view flags carry the Windows values so they pass to the
// API unchanged.
namespace registry_access {
inline constexpr uint32_t kRead = 0x20019;     // KEY_READ
inline constexpr uint32_t kSetValue = 0x0002;  // KEY_SET_VALUE
// KEY_READ | KEY_SET_VALUE | KEY_CREATE_SUB_KEY: what a writable key is opened with.
inline constexpr uint32_t kReadWrite = 0x2001F;
inline constexpr uint32_t kView64 = 0x0100;  // KEY_WOW64_64KEY
inline constexpr uint32_t kView32 = 0x0200;  // KEY_WOW64_32KEY
inline constexpr uint32_t kViewMask = kView64 | kView32;
}  // namespace registry_access

// Value types (the REG_ values).
namespace registry_type {
inline constexpr uint32_t kString = 1;  // REG_SZ
inline constexpr uint32_t kNumber = 4;  // REG_DWORD
}  // namespace registry_type

// Error codes returned by writes (Windows error numbers).
inline constexpr int32_t kRegistryOk = 0;
inline constexpr int32_t kRegistryCantWrite = 1013;  // ERROR_CANTWRITE
inline constexpr int32_t kRegistryNotFound = 2;      // ERROR_FILE_NOT_FOUND

// One opened key. Reads fail with an empty result; they never throw.
class IRegistryKey {
 public:
  virtual ~IRegistryKey() = default;
  // The value's data as stored, whatever its type; nothing when absent or unreadable.
  virtual std::optional<std::vector<uint8_t>> QueryValue(std::u16string_view name) const = 0;
  // The value read into a 4-byte number (type not examined; shorter data is
  // zero-extended); nothing when absent or longer than 4 bytes.
  virtual std::optional<uint32_t> QueryNumber(std::u16string_view name) const = 0;
  // Writes a value; 0 or the platform's error.
  virtual int32_t SetValue(std::u16string_view name, uint32_t type,
                           const std::vector<uint8_t>& data) = 0;
  // The name of the direct sub-key at `index`; nothing once the index is past the end.
  virtual std::optional<std::u16string> SubKeyName(uint32_t index) const = 0;
};

class IRegistry {
 public:
  virtual ~IRegistry() = default;
  // Creates the key (or opens it when it exists) with `access` (view flags
  // included); null when refused.
  virtual std::unique_ptr<IRegistryKey> CreateKey(RegistryRoot root, std::u16string_view path,
                                                  uint32_t access) = 0;
  // Opens an existing key with `access`; null when absent or refused.
  virtual std::unique_ptr<IRegistryKey> OpenKey(RegistryRoot root, std::u16string_view path,
                                                uint32_t access) = 0;
  // Deletes the key with all its sub-keys and values; 0 or the platform's error.
  virtual int32_t DeleteTree(RegistryRoot root, std::u16string_view path, uint32_t view) = 0;
};

// The registry of this process: the Windows registry in the Windows build, an
// empty in-memory registry in the native build.
IRegistry& SystemRegistry();

}  // namespace vwi
