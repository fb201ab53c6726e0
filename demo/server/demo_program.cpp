// The demo product's programs, one source built once per role:
//
//   Product         VimzeeHome.exe, the installed program: says that it runs
//   LanguagePack    a language pack's installer (run with /s): registers its
//                   language under the product's key, as the installer's
//                   existing-installation check reads it
//   NewerInstaller  the "newer installer" a server may require: says that it
//                   was started and with what
//
// Each records how it was started under HKCU\<product key>\Demo\<role>
// ("CommandLine" and a "Runs" count), so scripts/demo can tell what ran.
#include <windows.h>

#ifndef VWI_DEMO_ROLE
#error "VWI_DEMO_ROLE names the program's role"
#endif
#ifndef VWI_DEMO_KEY
#error "VWI_DEMO_KEY names the product's registry key"
#endif

namespace {

void Record(const wchar_t* role) {
  wchar_t key[260] = VWI_DEMO_KEY L"\\Demo\\";
  lstrcatW(key, role);
  HKEY hkey = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, key, 0, nullptr, 0, KEY_READ | KEY_SET_VALUE, nullptr,
                      &hkey, nullptr) != ERROR_SUCCESS) {
    return;
  }
  const wchar_t* line = GetCommandLineW();
  RegSetValueExW(hkey, L"CommandLine", 0, REG_SZ, reinterpret_cast<const BYTE*>(line),
                 (lstrlenW(line) + 1) * sizeof(wchar_t));
  DWORD runs = 0;
  DWORD size = sizeof(runs);
  RegQueryValueExW(hkey, L"Runs", nullptr, nullptr, reinterpret_cast<BYTE*>(&runs), &size);
  ++runs;
  RegSetValueExW(hkey, L"Runs", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&runs), sizeof(runs));
  RegCloseKey(hkey);
}

#ifdef VWI_DEMO_LANGUAGE
// The language pack's own record: a sub-key named after its language below
// HKLM\<product key>\LanguagePacks, with the pack's version.
bool RegisterLanguage() {
  HKEY hkey = nullptr;
  if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, VWI_DEMO_KEY L"\\LanguagePacks\\" VWI_DEMO_LANGUAGE, 0,
                      nullptr, 0, KEY_SET_VALUE, nullptr, &hkey, nullptr) != ERROR_SUCCESS) {
    return false;
  }
  const wchar_t version[] = L"27.0.0.1204";
  const LONG written = RegSetValueExW(hkey, L"Version", 0, REG_SZ,
                                      reinterpret_cast<const BYTE*>(version), sizeof(version));
  RegCloseKey(hkey);
  return written == ERROR_SUCCESS;
}
#endif

}  // namespace

int wmain() {
  const wchar_t* role = VWI_DEMO_ROLE;
  Record(role);
#ifdef VWI_DEMO_LANGUAGE
  return RegisterLanguage() ? 0 : 1;
#else
  if (lstrcmpW(role, L"Product") == 0) {
    MessageBoxW(nullptr,
                L"Vimzee Home 27 is installed and running.\n\nThis is the demo product: it does "
                L"nothing more.",
                L"Vimzee Home 27", MB_OK | MB_ICONINFORMATION);
  } else {
    MessageBoxW(nullptr, GetCommandLineW(), L"Vimzee Home newer installer (demo)",
                MB_OK | MB_ICONINFORMATION);
  }
  return 0;
#endif
}
