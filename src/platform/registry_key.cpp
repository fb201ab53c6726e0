#include "platform/registry_key.h"

namespace vwi {

bool RegistryKey::Open(RegistryRoot root, std::u16string_view path, uint32_t view) {
  Close();
  path_ = path;
  view &= registry_access::kViewMask;
  key_ = registry_->CreateKey(root, path, registry_access::kReadWrite | view);
  if (key_) {
    writable_ = true;
    return true;
  }
  key_ = registry_->OpenKey(root, path, registry_access::kRead | view);
  return key_ != nullptr;
}

bool RegistryKey::OpenForRead(RegistryRoot root, std::u16string_view path, uint32_t view) {
  Close();
  path_ = path;
  key_ =
      registry_->OpenKey(root, path, registry_access::kRead | (view & registry_access::kViewMask));
  return key_ != nullptr;
}

std::optional<std::vector<uint8_t>> RegistryKey::QueryRaw(std::u16string_view name) const {
  if (!key_) return std::nullopt;
  return key_->QueryValue(name);
}

std::optional<std::u16string> RegistryKey::QueryString(std::u16string_view name) const {
  const auto data = QueryRaw(name);
  if (!data) return std::nullopt;
  // The stored data need not end in a NUL, nor hold an even number of bytes:
  // take whole units only, and stop at the first NUL.
  std::u16string text;
  text.reserve(data->size() / 2);
  for (size_t i = 0; i + 1 < data->size(); i += 2) {
    const char16_t unit = static_cast<char16_t>((*data)[i] | ((*data)[i + 1] << 8));
    if (unit == 0) break;
    text.push_back(unit);
  }
  return text;
}

std::optional<uint32_t> RegistryKey::QueryNumber(std::u16string_view name) const {
  if (!key_) return std::nullopt;
  return key_->QueryNumber(name);
}

int32_t RegistryKey::SetString(std::u16string_view name, std::u16string_view text) {
  if (!key_ || !writable_) return kRegistryCantWrite;
  std::vector<uint8_t> data;
  data.reserve((text.size() + 1) * 2);
  for (const char16_t unit : text) {
    data.push_back(static_cast<uint8_t>(unit & 0xFF));
    data.push_back(static_cast<uint8_t>(unit >> 8));
  }
  data.push_back(0);
  data.push_back(0);
  return key_->SetValue(name, registry_type::kString, data);
}

int32_t RegistryKey::SetNumber(std::u16string_view name, uint32_t value) {
  if (!key_ || !writable_) return kRegistryCantWrite;
  const std::vector<uint8_t> data = {static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8),
                                     static_cast<uint8_t>(value >> 16),
                                     static_cast<uint8_t>(value >> 24)};
  return key_->SetValue(name, registry_type::kNumber, data);
}

void RegistryKey::EnumSubKeys(std::vector<std::u16string>& list) const {
  if (!key_) return;
  for (uint32_t index = 0;; ++index) {
    auto name = key_->SubKeyName(index);
    if (!name) break;
    list.push_back(std::move(*name));
  }
}

void RegistryKey::Close() {
  key_.reset();
  writable_ = false;
}

}  // namespace vwi
