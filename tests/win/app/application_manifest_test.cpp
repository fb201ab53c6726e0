// The built program's application manifest: what Windows reads before the
// first instruction runs.
#include <windows.h>

#include <string>

#include <gtest/gtest.h>

namespace {

std::string ManifestOf(const wchar_t* program) {
  HMODULE module =
      LoadLibraryExW(program, nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  if (!module) return {};
  std::string text;
  if (HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24))) {
    if (HGLOBAL loaded = LoadResource(module, found)) {
      text.assign(static_cast<const char*>(LockResource(loaded)), SizeofResource(module, found));
    }
  }
  FreeLibrary(module);
  return text;
}

TEST(ApplicationManifest, DeclaresItsWindowsVersionsElevationAndDpiAwareness) {
  const std::string manifest = ManifestOf(VWI_INSTALLER_EXE);
  ASSERT_FALSE(manifest.empty());
  for (const char* id : {"{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",     // Windows 7
                         "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",     // Windows 8
                         "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",     // Windows 8.1
                         "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"}) {  // Windows 10 and 11
    EXPECT_NE(manifest.find(std::string("<supportedOS Id=\"") + id + "\"/>"), std::string::npos)
        << id;
  }
  EXPECT_NE(manifest.find("urn:schemas-microsoft-com:compatibility.v1"), std::string::npos);
  EXPECT_NE(manifest.find("level=\"requireAdministrator\""), std::string::npos);
  EXPECT_NE(manifest.find("<dpiAware"), std::string::npos);
  EXPECT_NE(manifest.find("Microsoft.Windows.Common-Controls"), std::string::npos);
}

}  // namespace
