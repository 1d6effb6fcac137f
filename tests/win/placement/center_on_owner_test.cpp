// Where centerOnOwner puts real windows: over a visible owner, over the work area, inside
// a parent, and always kept within reach.
#include <windows.h>

#include <gtest/gtest.h>

#include "common/message_pump.h"
#include "dialogs/center_on_owner.h"

namespace quizmora::test {
namespace {

const wchar_t kClass[] = L"QuizmoraTestPlacement";

void registerClass() {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = DefWindowProcW;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kClass;
  RegisterClassExW(&windowClass);
}

// A window destroyed with the scope.
class TestWindow {
 public:
  TestWindow(DWORD style, RECT rect, HWND ownerOrParent) {
    registerClass();
    window_ = CreateWindowExW(0, kClass, L"Placement", style, rect.left, rect.top,
                              rect.right - rect.left, rect.bottom - rect.top, ownerOrParent,
                              nullptr, GetModuleHandleW(nullptr), nullptr);
    pumpMessages();
  }
  ~TestWindow() {
    DestroyWindow(window_);
    pumpMessages();
  }
  TestWindow(const TestWindow&) = delete;
  TestWindow& operator=(const TestWindow&) = delete;
  HWND get() const { return window_; }

 private:
  HWND window_ = nullptr;
};

RECT windowRect(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  return rect;
}

enum class OwnerState { kNone, kVisible, kHidden, kMinimized };

struct CentringCase {
  const char* name;
  OwnerState owner;
  RECT ownerRect;
  SIZE dialog;
  POINT expected;
};

class CenterOnOwnerTest : public testing::TestWithParam<CentringCase> {
 protected:
  void SetUp() override {
    RECT area{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    // The cases are worked out for the virtual display's 1280 x 1024 work area.
    if (area.left != 0 || area.top != 0 || area.right != 1280 || area.bottom != 1024) {
      GTEST_SKIP() << "work area is not 1280 x 1024";
    }
  }
};

TEST_P(CenterOnOwnerTest, PlacesTheDialog) {
  const CentringCase& test = GetParam();
  constexpr DWORD kOwnerStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
  const DWORD ownerVisible = test.owner == OwnerState::kHidden ? 0 : WS_VISIBLE;
  TestWindow owner(kOwnerStyle | ownerVisible, test.ownerRect, nullptr);
  if (test.owner == OwnerState::kMinimized) {
    ShowWindow(owner.get(), SW_MINIMIZE);
    pumpMessages();
    ASSERT_TRUE(IsIconic(owner.get()));
  }
  HWND ownerWindow = test.owner == OwnerState::kNone ? nullptr : owner.get();
  TestWindow dialog(WS_POPUP | WS_CAPTION | WS_VISIBLE,
                    {5, 7, 5 + test.dialog.cx, 7 + test.dialog.cy}, ownerWindow);
  SetForegroundWindow(owner.get());
  pumpMessages();
  HWND activeBefore = GetActiveWindow();

  centerOnOwner(dialog.get());
  pumpMessages();

  const RECT placed = windowRect(dialog.get());
  EXPECT_EQ(placed.left, test.expected.x);
  EXPECT_EQ(placed.top, test.expected.y);
  EXPECT_EQ(placed.right - placed.left, test.dialog.cx);
  EXPECT_EQ(placed.bottom - placed.top, test.dialog.cy);
  EXPECT_EQ(GetActiveWindow(), activeBefore);
}

INSTANTIATE_TEST_SUITE_P(
    Owners, CenterOnOwnerTest,
    testing::Values(
        CentringCase{"NoOwner", OwnerState::kNone, {100, 100, 600, 500}, {300, 200}, {490, 412}},
        CentringCase{
            "VisibleOwner", OwnerState::kVisible, {100, 100, 600, 500}, {300, 200}, {200, 200}},
        CentringCase{
            "HiddenOwner", OwnerState::kHidden, {100, 100, 600, 500}, {300, 200}, {490, 412}},
        CentringCase{
            "MinimizedOwner", OwnerState::kMinimized, {100, 100, 600, 500}, {300, 200}, {490, 412}},
        CentringCase{
            "OwnerOffLeft", OwnerState::kVisible, {-400, 100, 100, 500}, {300, 200}, {0, 200}},
        CentringCase{
            "OwnerOffRight", OwnerState::kVisible, {1100, 100, 1600, 500}, {300, 200}, {980, 200}},
        CentringCase{
            "OwnerOffTop", OwnerState::kVisible, {100, -300, 600, 100}, {300, 200}, {200, 0}},
        CentringCase{
            "OwnerOffBottom", OwnerState::kVisible, {100, 900, 600, 1300}, {300, 200}, {200, 824}},
        // Odd sizes: (101 + 600) / 2 - 301 / 2 = 350 - 150.
        CentringCase{
            "OddSizes", OwnerState::kVisible, {101, 100, 600, 501}, {301, 199}, {200, 201}},
        // Larger than the work area: the caption stays on the screen.
        CentringCase{"LargerThanTheArea", OwnerState::kNone, {0, 0, 10, 10}, {1400, 1100}, {0, 0}},
        CentringCase{"LargerOwnerFarRight",
                     OwnerState::kVisible,
                     {1180, 900, 1280, 1024},
                     {1400, 1100},
                     {0, 0}}),
    [](const testing::TestParamInfo<CentringCase>& info) { return std::string(info.param.name); });

TEST(CenterOnOwnerChild, CentresInTheParentsClientArea) {
  TestWindow parent(WS_POPUP | WS_VISIBLE, {50, 60, 450, 360}, nullptr);
  TestWindow child(WS_CHILD | WS_VISIBLE, {0, 0, 101, 51}, parent.get());
  centerOnOwner(child.get());
  RECT rect = windowRect(child.get());
  MapWindowPoints(nullptr, parent.get(), reinterpret_cast<POINT*>(&rect), 2);
  // (0 + 400) / 2 - 101 / 2 = 150, (0 + 300) / 2 - 51 / 2 = 125.
  EXPECT_EQ(rect.left, 150);
  EXPECT_EQ(rect.top, 125);
  EXPECT_EQ(rect.right - rect.left, 101);
  EXPECT_EQ(rect.bottom - rect.top, 51);
}

TEST(CenterOnOwnerChild, LargerThanTheParentKeepsItsTopLeftInside) {
  TestWindow parent(WS_POPUP | WS_VISIBLE, {50, 60, 250, 160}, nullptr);
  TestWindow child(WS_CHILD | WS_VISIBLE, {30, 30, 330, 230}, parent.get());
  centerOnOwner(child.get());
  RECT rect = windowRect(child.get());
  MapWindowPoints(nullptr, parent.get(), reinterpret_cast<POINT*>(&rect), 2);
  EXPECT_EQ(rect.left, 0);
  EXPECT_EQ(rect.top, 0);
}

}  // namespace
}  // namespace quizmora::test
