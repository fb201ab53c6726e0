#include "platform/registry_key.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "platform/win/unique_handle.h"

namespace vwi {
namespace {

// Every test works below a key of its own and deletes it afterwards.
class RegistryKeyTest : public ::testing::Test {
 protected:
  static constexpr char16_t kBase[] = u"SOFTWARE\\Orvanta\\VwiTest\\RegistryKey";
  void TearDown() override {
    SystemRegistry().DeleteTree(RegistryRoot::kCurrentUser, kBase, 0);
    SystemRegistry().DeleteTree(RegistryRoot::kLocalMachine, kBase, 0);
    SystemRegistry().DeleteTree(RegistryRoot::kLocalMachine, kBase, registry_access::kView32);
  }
};

TEST_F(RegistryKeyTest, CreatesWritesAndReadsBack) {
  RegistryKey key;
  ASSERT_TRUE(key.Open(RegistryRoot::kLocalMachine, kBase));
  EXPECT_TRUE(key.writable());
  EXPECT_EQ(key.SetString(u"exe", u"C:\\Program Files\\Orvanta\\Product.exe"), 0);
  EXPECT_EQ(key.SetNumber(u"InitialLangID", 1031), 0);
  EXPECT_EQ(key.QueryString(u"EXE"), u"C:\\Program Files\\Orvanta\\Product.exe");
  EXPECT_EQ(key.QueryNumber(u"InitialLangID"), 1031u);
  EXPECT_EQ(key.QueryString(u"absent"), std::nullopt);
  EXPECT_EQ(key.QueryNumber(u"exe"), std::nullopt);  // longer than 4 bytes

  // What the API sees: REG_SZ with its NUL, REG_DWORD of 4 bytes.
  HKEY raw = nullptr;
  ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Orvanta\\VwiTest\\RegistryKey", 0,
                          KEY_READ, &raw),
            ERROR_SUCCESS);
  UniqueHkey owner(raw);
  DWORD type = 0, size = 0;
  ASSERT_EQ(RegQueryValueExW(raw, L"exe", nullptr, &type, nullptr, &size), ERROR_SUCCESS);
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(size, (36u + 1) * 2);
  ASSERT_EQ(RegQueryValueExW(raw, L"InitialLangID", nullptr, &type, nullptr, &size), ERROR_SUCCESS);
  EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
  EXPECT_EQ(size, 4u);
}

TEST_F(RegistryKeyTest, ReadsStringsWithoutTerminator) {
  RegistryKey key;
  ASSERT_TRUE(key.Open(RegistryRoot::kCurrentUser, kBase));
  HKEY raw = nullptr;
  ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, L"SOFTWARE\\Orvanta\\VwiTest\\RegistryKey", 0,
                          KEY_SET_VALUE, &raw),
            ERROR_SUCCESS);
  UniqueHkey owner(raw);
  const wchar_t text[] = L"abc";
  ASSERT_EQ(RegSetValueExW(raw, L"bare", 0, REG_SZ, reinterpret_cast<const BYTE*>(text), 6),
            ERROR_SUCCESS);
  ASSERT_EQ(RegSetValueExW(raw, L"odd", 0, REG_BINARY, reinterpret_cast<const BYTE*>(text), 5),
            ERROR_SUCCESS);
  EXPECT_EQ(key.QueryString(u"bare"), u"abc");
  EXPECT_EQ(key.QueryString(u"odd"), u"ab");
}

TEST_F(RegistryKeyTest, EnumeratesSubKeysAndViewsAreSeparate) {
  const std::u16string base(kBase);
  for (const auto* name : {u"1031", u"1036", u"xx"}) {
    RegistryKey child;
    ASSERT_TRUE(child.Open(RegistryRoot::kLocalMachine, base + u"\\LanguagePacks\\" + name));
  }
  RegistryKey packs;
  ASSERT_TRUE(packs.OpenForRead(RegistryRoot::kLocalMachine, base + u"\\LanguagePacks"));
  EXPECT_FALSE(packs.writable());
  std::vector<std::u16string> names;
  packs.EnumSubKeys(names);
  EXPECT_EQ(names, (std::vector<std::u16string>{u"1031", u"1036", u"xx"}));

  RegistryKey view32;
  ASSERT_TRUE(view32.Open(RegistryRoot::kLocalMachine, base, registry_access::kView32));
  EXPECT_EQ(view32.SetString(u"pv", u"32-bit"), 0);
  RegistryKey view64;
  ASSERT_TRUE(view64.OpenForRead(RegistryRoot::kLocalMachine, base, registry_access::kView64));
  EXPECT_EQ(view64.QueryString(u"pv"), std::nullopt);
  RegistryKey wow;
  ASSERT_TRUE(wow.OpenForRead(RegistryRoot::kLocalMachine,
                              u"SOFTWARE\\WOW6432Node\\Orvanta\\VwiTest\\RegistryKey"));
  EXPECT_EQ(wow.QueryString(u"pv"), u"32-bit");
}

TEST_F(RegistryKeyTest, OpenForReadOfAnAbsentKeyFailsAndCreatesNothing) {
  RegistryKey key;
  EXPECT_FALSE(key.OpenForRead(RegistryRoot::kCurrentUser, std::u16string(kBase) + u"\\None"));
  EXPECT_EQ(key.SetString(u"a", u"b"), kRegistryCantWrite);
  RegistryKey probe;
  EXPECT_FALSE(probe.OpenForRead(RegistryRoot::kCurrentUser, std::u16string(kBase) + u"\\None"));
}

}  // namespace
}  // namespace vwi
