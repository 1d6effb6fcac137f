// Nothing the grid creates outlives it: GDI objects, windows and window properties.
#include <gtest/gtest.h>

#include <windows.h>

#include "grid_harness.h"

namespace quizmora::test {
namespace {

// Live GDI objects of the process. Wine reports none through GetGuiResources; there a
// handle whose high word is zero names a table slot of any generation, so the live slots
// can be counted directly.
int gdiObjectCount() {
  DWORD reported = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  if (reported) return static_cast<int>(reported);
  int live = 0;
  for (ULONG_PTR slot = 1; slot < 0x10000; ++slot) {
    if (GetObjectType(reinterpret_cast<HGDIOBJ>(slot))) ++live;
  }
  return live;
}

BOOL CALLBACK countWindow(HWND window, LPARAM count) {
  ++*reinterpret_cast<int*>(count);
  EnumChildWindows(window, &countWindow, count);
  return TRUE;
}

// Live USER objects; where they are not reported, the windows of this thread.
int userObjectCount() {
  DWORD reported = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
  if (reported) return static_cast<int>(reported);
  int windows = 0;
  EnumThreadWindows(GetCurrentThreadId(), &countWindow, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

// Everything a user does with the grid, painting included.
void useTheGrid() {
  PropertyCensus census;
  {
    GridHarness harness;
    for (int row = 0; row < 6; ++row) harness.addCountedAnswer(census, u"answer", row % 3 == 0);
    int listProperties = propertyCount(harness.list());
    int dialogProperties = propertyCount(harness.dialog());

    harness.clickCell(1, 0);
    harness.typeText(u"typed");
    harness.pressKey(VK_TAB);
    harness.pressKey(VK_SPACE);
    harness.doubleClickCell(2, 1);
    harness.clickCell(3, 0);
    harness.pressKey(VK_DOWN);
    harness.clickWindow(harness.button());
    harness.clickCell(4, 0);
    harness.pressKey(VK_ESCAPE);
    harness.pressKey(VK_DELETE);
    harness.clickCell(0, 1);
    SendMessageW(harness.list(), WM_WININICHANGE, 0, 0);
    EnableWindow(harness.list(), FALSE);
    WindowPixels disabled(harness.dialog());
    EnableWindow(harness.list(), TRUE);
    SetFocus(harness.list());
    WindowPixels enabled(harness.dialog());
    harness.grid().deleteSelectedRow();
    harness.grid().deleteAllRows();
    harness.addCountedAnswer(census, u"left for the end");
    harness.clickCell(0, 0);

    EXPECT_EQ(propertyCount(harness.list()), listProperties);
    EXPECT_EQ(propertyCount(harness.dialog()), dialogProperties);
    EXPECT_NE(GlobalFindAtomW(L"Quizmora.SubclassedControl"), 0);
  }
  EXPECT_EQ(census.freed, census.made);
  EXPECT_EQ(GlobalFindAtomW(L"Quizmora.SubclassedControl"), 0);
}

TEST(GridResourcesTest, NothingOutlivesARun) {
  useTheGrid();  // the first run fills the system's caches
  int gdiBefore = gdiObjectCount();
  int userBefore = userObjectCount();
  ASSERT_GT(gdiBefore, 0);
  for (int run = 0; run < 3; ++run) useTheGrid();
  EXPECT_EQ(gdiObjectCount(), gdiBefore);
  EXPECT_EQ(userObjectCount(), userBefore);
}

TEST(GridResourcesTest, TheCountsSeeALeak) {
  // The counting itself: one font and one window more must show.
  int gdiBefore = gdiObjectCount();
  int userBefore = userObjectCount();
  HFONT font = CreateFontW(12, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, L"Tahoma");
  HWND window =
      CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  EXPECT_EQ(gdiObjectCount(), gdiBefore + 1);
  EXPECT_GT(userObjectCount(), userBefore);
  DestroyWindow(window);
  DeleteObject(font);
  EXPECT_EQ(gdiObjectCount(), gdiBefore);
}

}  // namespace
}  // namespace quizmora::test
