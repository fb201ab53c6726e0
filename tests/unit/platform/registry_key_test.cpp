#include "platform/registry_key.h"

#include <gtest/gtest.h>

#include "platform/memory_registry.h"

namespace vwi {
namespace {

constexpr auto kHklm = RegistryRoot::kLocalMachine;
constexpr auto kHkcu = RegistryRoot::kCurrentUser;

TEST(RegistryKey, OpenCreatesTheKeyWithReadWriteAccess) {
  MemoryRegistry registry;
  RegistryKey key(registry);
  ASSERT_TRUE(key.Open(kHklm, u"SOFTWARE\\Orvanta\\Test", registry_access::kView64));
  EXPECT_TRUE(key.writable());
  EXPECT_EQ(key.path(), u"SOFTWARE\\Orvanta\\Test");
  EXPECT_TRUE(registry.HasKey(kHklm, u"software\\orvanta\\test"));
  ASSERT_EQ(registry.requests().size(), 1u);
  EXPECT_TRUE(registry.requests()[0].create);
  EXPECT_EQ(registry.requests()[0].access, 0x2011Fu);
}

TEST(RegistryKey, FallsBackToReadOnlyWhenWritingIsRefused) {
  MemoryRegistry registry;
  registry.PutString(kHklm, u"SOFTWARE\\Locked", u"exe", u"C:\\a.exe");
  registry.DenyWrite(kHklm, u"SOFTWARE\\Locked");
  RegistryKey key(registry);
  ASSERT_TRUE(key.Open(kHklm, u"SOFTWARE\\Locked"));
  EXPECT_FALSE(key.writable());
  EXPECT_EQ(key.QueryString(u"exe"), u"C:\\a.exe");
  EXPECT_EQ(key.SetString(u"exe", u"x"), kRegistryCantWrite);
  EXPECT_EQ(key.SetNumber(u"n", 1), kRegistryCantWrite);
  ASSERT_EQ(registry.requests().size(), 2u);
  EXPECT_EQ(registry.requests()[1].access, 0x20019u);
  EXPECT_FALSE(registry.requests()[1].create);
  EXPECT_EQ(registry.GetValue(kHklm, u"SOFTWARE\\Locked", u"exe")->data.size(), 18u);
}

TEST(RegistryKey, EverythingFailsQuietlyWhenTheKeyCannotBeOpened) {
  MemoryRegistry registry;
  registry.DenyAll(kHkcu, u"SOFTWARE\\Hidden");
  RegistryKey key(registry);
  EXPECT_FALSE(key.Open(kHkcu, u"SOFTWARE\\Hidden\\Below"));
  EXPECT_FALSE(key.IsOpen());
  EXPECT_EQ(key.QueryString(u"x"), std::nullopt);
  EXPECT_EQ(key.QueryNumber(u"x"), std::nullopt);
  EXPECT_EQ(key.SetString(u"x", u"y"), kRegistryCantWrite);
  std::vector<std::u16string> names;
  key.EnumSubKeys(names);
  EXPECT_TRUE(names.empty());
}

TEST(RegistryKey, OpenForReadNeverCreates) {
  MemoryRegistry registry;
  RegistryKey key(registry);
  EXPECT_FALSE(key.OpenForRead(kHklm, u"SOFTWARE\\Absent"));
  EXPECT_FALSE(registry.HasKey(kHklm, u"SOFTWARE\\Absent"));
}

TEST(RegistryKey, StringsAreWrittenWithTheirNulAndReadBackToTheFirstNul) {
  MemoryRegistry registry;
  RegistryKey key(registry);
  ASSERT_TRUE(key.Open(kHkcu, u"SOFTWARE\\T"));
  EXPECT_EQ(key.SetString(u"InstallDir", u"C:\\Program Files\\Orvanta\\"), 0);
  const auto stored = registry.GetValue(kHkcu, u"SOFTWARE\\T", u"installdir");
  ASSERT_TRUE(stored);
  EXPECT_EQ(stored->type, registry_type::kString);
  EXPECT_EQ(stored->data.size(), (25u + 1) * 2);
  EXPECT_EQ(stored->data[stored->data.size() - 1], 0);
  EXPECT_EQ(key.QueryString(u"INSTALLDIR"), u"C:\\Program Files\\Orvanta\\");

  // Data without a NUL, with an odd byte, or with text after a NUL.
  registry.PutValue(kHkcu, u"SOFTWARE\\T", u"raw", {registry_type::kString, {'a', 0, 'b', 0, 'c'}});
  EXPECT_EQ(key.QueryString(u"raw"), u"ab");
  registry.PutValue(kHkcu, u"SOFTWARE\\T", u"two",
                    {registry_type::kString, {'a', 0, 0, 0, 'b', 0}});
  EXPECT_EQ(key.QueryString(u"two"), u"a");
  registry.PutValue(kHkcu, u"SOFTWARE\\T", u"empty", {registry_type::kString, {}});
  EXPECT_EQ(key.QueryString(u"empty"), u"");
  EXPECT_EQ(key.QueryString(u"absent"), std::nullopt);
}

TEST(RegistryKey, NumbersAreFourBytes) {
  MemoryRegistry registry;
  RegistryKey key(registry);
  ASSERT_TRUE(key.Open(kHklm, u"SOFTWARE\\T\\LanguagePacks"));
  EXPECT_EQ(key.SetNumber(u"InitialLangID", 1031), 0);
  EXPECT_EQ(registry.GetValue(kHklm, u"SOFTWARE\\T\\LanguagePacks", u"InitialLangID")->data,
            (std::vector<uint8_t>{0x07, 0x04, 0, 0}));
  EXPECT_EQ(key.QueryNumber(u"InitialLangID"), 1031u);
  // The type is not examined: a short string reads as its bytes.
  key.SetString(u"s", u"1");
  EXPECT_EQ(key.QueryNumber(u"s"), 0x31u);
  key.SetString(u"long", u"1031");
  EXPECT_EQ(key.QueryNumber(u"long"), std::nullopt);
}

TEST(RegistryKey, EnumeratesDirectSubKeys) {
  MemoryRegistry registry;
  registry.PutKey(kHklm, u"SOFTWARE\\P\\LanguagePacks\\1031");
  registry.PutKey(kHklm, u"SOFTWARE\\P\\LanguagePacks\\1036\\Deeper");
  RegistryKey key(registry);
  ASSERT_TRUE(key.Open(kHklm, u"SOFTWARE\\P\\LanguagePacks"));
  std::vector<std::u16string> names{u"kept"};
  key.EnumSubKeys(names);
  EXPECT_EQ(names, (std::vector<std::u16string>{u"kept", u"1031", u"1036"}));
}

TEST(RegistryKey, ViewsAreSeparateAndCloseReleases) {
  MemoryRegistry registry;
  registry.PutString(kHklm, u"SOFTWARE\\V", u"pv", u"32", registry_access::kView32);
  RegistryKey key(registry);
  ASSERT_TRUE(key.OpenForRead(kHklm, u"SOFTWARE\\V", registry_access::kView32));
  EXPECT_EQ(key.QueryString(u"pv"), u"32");
  EXPECT_FALSE(RegistryKey(registry).OpenForRead(kHklm, u"SOFTWARE\\V"));
  key.Close();
  EXPECT_FALSE(key.IsOpen());
  EXPECT_EQ(key.QueryString(u"pv"), std::nullopt);
}

}  // namespace
}  // namespace vwi
