// The link's pointer: the pointing hand and the address's tooltip over the text wherever the
// static aligns it, the arrow and no tooltip beside it; and the hand's own shape.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "common/message_pump.h"
#include "controls/hyper_link_label.h"
#include "dialog_pump.h"

namespace quizmora::test {
namespace {

const wchar_t kHostClass[] = L"QuizmoraTestLinkHost";

HWND createHost() {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = DefWindowProcW;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kHostClass;
  RegisterClassExW(&windowClass);
  return CreateWindowExW(0, kHostClass, L"Link host", WS_POPUP | WS_CAPTION | WS_VISIBLE, 200, 200,
                         400, 120, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
}

enum class At { kText, kBeside };

struct PointerCase {
  const char* name;
  DWORD alignment;  // SS_LEFT, SS_CENTER or SS_RIGHT
  At at;
  bool overLink;  // hand cursor and tooltip expected
};

class LinkPointerTest : public testing::TestWithParam<PointerCase> {
 protected:
  void TearDown() override {
    DestroyWindow(host);
    pumpMessages();
  }
  HWND host = nullptr;
  HyperLinkLabel link;
};

TEST_P(LinkPointerTest, HandAndTooltipOnlyOverTheText) {
  const PointerCase& test = GetParam();
  host = createHost();
  ASSERT_NE(host, nullptr);
  HWND control = CreateWindowExW(0, L"Static", L"Link", WS_CHILD | WS_VISIBLE | test.alignment, 10,
                                 10, 300, 20, host, nullptr, GetModuleHandleW(nullptr), nullptr);
  link.setUrl(u"http://www.quizmora.example/");
  ASSERT_TRUE(link.attach(control));
  SetForegroundWindow(host);
  pumpMessages();

  const RECT text = link.linkRect();
  const int middleY = (text.top + text.bottom) / 2;
  // Beside: the empty side of the control, 3 pixels from its edge.
  const POINT point = test.at == At::kText        ? POINT{(text.left + text.right) / 2, middleY}
                      : test.alignment == SS_LEFT ? POINT{297, middleY}
                                                  : POINT{3, middleY};
  ASSERT_EQ(PtInRect(&text, point) != FALSE, test.at == At::kText);
  POINT screen = point;
  ClientToScreen(control, &screen);
  SetCursorPos(screen.x, screen.y);
  // What the system sends as the pointer arrives.
  SendMessageW(control, WM_SETCURSOR, reinterpret_cast<WPARAM>(control),
               MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  PostMessageW(control, WM_MOUSEMOVE, 0, clientPoint(point));
  pumpFor(50);
  EXPECT_EQ(GetCursor() == link.cursor(), test.overLink);
  pumpFor(1500);  // the tooltip's usual delay
  EXPECT_EQ(IsWindowVisible(link.tooltip()) != FALSE, test.overLink);
}

INSTANTIATE_TEST_SUITE_P(Alignments, LinkPointerTest,
                         testing::Values(PointerCase{"LeftText", SS_LEFT, At::kText, true},
                                         PointerCase{"LeftBeside", SS_LEFT, At::kBeside, false},
                                         PointerCase{"CentreBeside", SS_CENTER, At::kBeside, false},
                                         PointerCase{"RightBeside", SS_RIGHT, At::kBeside, false}),
                         [](const testing::TestParamInfo<PointerCase>& info) {
                           return std::string(info.param.name);
                         });

// The hand is a 32 x 32 monochrome cursor (one mask holding both bit planes) whose hot spot,
// where a click lands, is the tip of the index finger.
TEST(LinkCursorTest, HotSpotOnTheFingerTip) {
  HWND host = createHost();
  HWND control = CreateWindowExW(0, L"Static", L"x", WS_CHILD, 0, 0, 20, 20, host, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
  HyperLinkLabel link;
  ASSERT_TRUE(link.attach(control));
  ICONINFO info{};
  ASSERT_TRUE(GetIconInfo(link.cursor(), &info));
  BITMAP mask{};
  GetObjectW(info.hbmMask, sizeof(mask), &mask);
  EXPECT_EQ(info.xHotspot, 5u);
  EXPECT_EQ(info.yHotspot, 0u);
  EXPECT_EQ(info.hbmColor, nullptr);
  EXPECT_EQ(mask.bmWidth, 32);
  EXPECT_EQ(mask.bmHeight, 64);
  DeleteObject(info.hbmMask);
  DestroyWindow(host);
}

}  // namespace
}  // namespace quizmora::test
