#include "platform/win/win_registry.h"

#include "platform/win/unique_handle.h"
#include "platform/win/wide.h"

namespace vwi {
namespace {

class WinRegistryKey final : public IRegistryKey {
 public:
  explicit WinRegistryKey(UniqueHkey key) : key_(std::move(key)) {}

  std::optional<std::vector<uint8_t>> QueryValue(std::u16string_view name) const override {
    const std::wstring valueName = ToWide(name);
    // The value may grow between asking for its size and reading it: ask again then.
    for (int attempt = 0; attempt < 4; ++attempt) {
      DWORD size = 0;
      LONG status =
          RegQueryValueExW(key_.get(), valueName.c_str(), nullptr, nullptr, nullptr, &size);
      if (status != ERROR_SUCCESS) return std::nullopt;
      std::vector<uint8_t> data(size);
      status = RegQueryValueExW(key_.get(), valueName.c_str(), nullptr, nullptr,
                                size ? data.data() : nullptr, &size);
      if (status == ERROR_MORE_DATA) continue;
      if (status != ERROR_SUCCESS) return std::nullopt;
      data.resize(size);
      return data;
    }
    return std::nullopt;
  }

  std::optional<uint32_t> QueryNumber(std::u16string_view name) const override {
    DWORD value = 0;
    DWORD size = sizeof(value);
    const std::wstring valueName = ToWide(name);
    if (RegQueryValueExW(key_.get(), valueName.c_str(), nullptr, nullptr,
                         reinterpret_cast<BYTE*>(&value), &size) != ERROR_SUCCESS) {
      return std::nullopt;
    }
    return value;
  }

  int32_t SetValue(std::u16string_view name, uint32_t type,
                   const std::vector<uint8_t>& data) override {
    const std::wstring valueName = ToWide(name);
    return RegSetValueExW(key_.get(), valueName.c_str(), 0, type, data.data(),
                          static_cast<DWORD>(data.size()));
  }

  std::optional<std::u16string> SubKeyName(uint32_t index) const override {
    wchar_t name[256] = {};  // key names hold at most 255 characters
    if (RegEnumKeyW(key_.get(), index, name, 256) != ERROR_SUCCESS) return std::nullopt;
    return FromWide(name);
  }

 private:
  UniqueHkey key_;
};

}  // namespace

HKEY WinRegistry::RootKey(RegistryRoot root) {
  return root == RegistryRoot::kLocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
}

std::unique_ptr<IRegistryKey> WinRegistry::CreateKey(RegistryRoot root, std::u16string_view path,
                                                     uint32_t access) {
  UniqueHkey key;
  const std::wstring subKey = ToWide(path);
  if (RegCreateKeyExW(RootKey(root), subKey.c_str(), 0, nullptr, 0, access, nullptr, key.put(),
                      nullptr) != ERROR_SUCCESS) {
    return nullptr;
  }
  return std::make_unique<WinRegistryKey>(std::move(key));
}

std::unique_ptr<IRegistryKey> WinRegistry::OpenKey(RegistryRoot root, std::u16string_view path,
                                                   uint32_t access) {
  UniqueHkey key;
  const std::wstring subKey = ToWide(path);
  if (RegOpenKeyExW(RootKey(root), subKey.c_str(), 0, access, key.put()) != ERROR_SUCCESS) {
    return nullptr;
  }
  return std::make_unique<WinRegistryKey>(std::move(key));
}

int32_t WinRegistry::DeleteTree(RegistryRoot root, std::u16string_view path, uint32_t view) {
  view &= registry_access::kViewMask;
  const std::wstring subKey = ToWide(path);
  UniqueHkey key;
  LONG status = RegOpenKeyExW(RootKey(root), subKey.c_str(), 0, KEY_ALL_ACCESS | view, key.put());
  if (status != ERROR_SUCCESS) return status;
  status = RegDeleteTreeW(key.get(), nullptr);
  key.reset();
  if (status != ERROR_SUCCESS) return status;
  return RegDeleteKeyExW(RootKey(root), subKey.c_str(), view, 0);
}

IRegistry& SystemRegistry() {
  static WinRegistry registry;
  return registry;
}

}  // namespace vwi
