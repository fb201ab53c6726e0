#include <windows.h>

#include <gtest/gtest.h>

#include <set>

namespace vwi {
namespace {

#pragma pack(push, 2)
// An icon group's directory entry, as resource files store it.
struct IconEntry {
  BYTE width;
  BYTE height;
  BYTE colours;
  BYTE reserved;
  WORD planes;
  WORD bitCount;
  DWORD bytes;
  WORD id;
};
#pragma pack(pop)

// The program icon draws at every scale from an image of its own size: the
// shell's sizes, the caption's 18 px and the headline's 64 px at 100, 125,
// 150 and 200 %.
TEST(ProgramIcon, HoldsAnImageForEverySizeItIsDrawnAt) {
  HMODULE program = LoadLibraryExW(VWI_INSTALLER_EXE, nullptr,
                                   LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  ASSERT_TRUE(program);
  HRSRC found = FindResourceW(program, MAKEINTRESOURCEW(101), MAKEINTRESOURCEW(14));  // group icon
  ASSERT_TRUE(found);
  auto* directory = static_cast<BYTE*>(LockResource(LoadResource(program, found)));
  ASSERT_TRUE(directory);
  const WORD count = reinterpret_cast<const WORD*>(directory)[2];
  const auto* entries = reinterpret_cast<const IconEntry*>(directory + 6);
  std::set<int> sizes;
  for (WORD i = 0; i < count; ++i) sizes.insert(entries[i].width == 0 ? 256 : entries[i].width);
  for (int size : {16, 24, 32, 48, 256, 18, 22, 27, 36, 64, 80, 96, 128}) {
    EXPECT_TRUE(sizes.count(size)) << size << " px";
    // The platform's choice for that size is that image, not a neighbour.
    const int id = LookupIconIdFromDirectoryEx(directory, TRUE, size, size, LR_DEFAULTCOLOR);
    HRSRC image = FindResourceW(program, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(3));  // icon
    ASSERT_TRUE(image) << size << " px";
    HICON icon = CreateIconFromResourceEx(
        static_cast<BYTE*>(LockResource(LoadResource(program, image))),
        SizeofResource(program, image), TRUE, 0x00030000, size, size, LR_DEFAULTCOLOR);
    ASSERT_TRUE(icon) << size << " px";
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(icon, &info));
    BITMAP bitmap{};
    GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof(bitmap), &bitmap);
    EXPECT_EQ(bitmap.bmWidth, size);
    if (info.hbmColor) DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    DestroyIcon(icon);
  }
  FreeLibrary(program);
}

}  // namespace
}  // namespace vwi
