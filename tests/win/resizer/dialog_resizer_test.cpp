// The resize layout on a dialog laid out like the main window.
#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>

#include "common/canvas.h"
#include "common/message_pump.h"
#include "form_dialog.h"
#include "resources/resource_ids.h"

namespace quizmora::test {
namespace {

// How each edge of a control follows the client size: 0 stays, 1 follows.
struct EdgeRule {
  int left;  // with dx
  int top;   // with dy
  int right;
  int bottom;
};

// Every control of the form and where its edges go as the window grows.
const std::map<int, EdgeRule> kExpectedEdges = {{1000, {0, 1, 1, 1}},
                                                {1001, {1, 1, 1, 1}},
                                                {1002, {0, 0, 1, 1}},
                                                {1022, {1, 0, 1, 0}},
                                                {1019, {1, 0, 1, 0}},
                                                {1021, {1, 0, 1, 0}},
                                                {1003, {0, 0, 1, 0}},
                                                {1004, {0, 0, 1, 0}},
                                                {1007, {0, 0, 1, 1}},
                                                {1008, {0, 0, 1, 0}},
                                                {1009, {0, 0, 1, 1}},
                                                // Not in the table: they never move.
                                                {1010, {0, 0, 0, 0}},
                                                {1011, {0, 0, 0, 0}},
                                                {1014, {0, 0, 0, 0}},
                                                {1024, {0, 0, 0, 0}},
                                                {1016, {0, 0, 0, 0}},
                                                {1015, {0, 0, 0, 0}},
                                                {1017, {0, 0, 0, 0}},
                                                {1018, {0, 0, 0, 0}},
                                                {1012, {0, 0, 0, 0}},
                                                {1013, {0, 0, 0, 0}},
                                                {1005, {0, 0, 0, 0}},
                                                {1006, {0, 0, 0, 0}},
                                                {1025, {0, 0, 0, 0}},
                                                // The size grip keeps to the corner.
                                                {IDC_SIZE_GRIP, {1, 1, 1, 1}}};

class DialogResizerTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(form_.window(), nullptr);
    form_.show();
    start_ = form_.clientSize();
    for (const auto& [id, rule] : kExpectedEdges) startRects_[id] = form_.itemRect(id);
  }

  // Every control whose rectangle is not where the rules put it for the present client
  // size, as text.
  std::string misplaced() const {
    const SIZE now = form_.clientSize();
    const int dx = now.cx - start_.cx;
    const int dy = now.cy - start_.cy;
    std::ostringstream out;
    for (const auto& [id, rule] : kExpectedEdges) {
      const RECT& from = startRects_.at(id);
      const RECT expected{from.left + rule.left * dx, from.top + rule.top * dy,
                          from.right + rule.right * dx, from.bottom + rule.bottom * dy};
      const RECT got = form_.itemRect(id);
      if (!EqualRect(&got, &expected)) {
        out << id << ": (" << got.left << "," << got.top << "," << got.right << "," << got.bottom
            << ") expected (" << expected.left << "," << expected.top << "," << expected.right
            << "," << expected.bottom << ") ";
      }
    }
    return out.str();
  }

  void resizeBy(int width, int height) {
    RECT window{};
    GetWindowRect(form_.window(), &window);
    SetWindowPos(form_.window(), nullptr, 0, 0, window.right - window.left + width,
                 window.bottom - window.top + height, SWP_NOMOVE | SWP_NOZORDER);
    pumpFor(50);
  }

  SIZE windowSize() const {
    RECT window{};
    GetWindowRect(form_.window(), &window);
    return {window.right - window.left, window.bottom - window.top};
  }

  bool gripVisible() const { return IsWindowVisible(form_.item(IDC_SIZE_GRIP)) != FALSE; }

  FormDialog form_;
  SIZE start_{};
  std::map<int, RECT> startRects_;
};

TEST_F(DialogResizerTest, SetupMakesTheWindowResizable) {
  const LONG style = GetWindowLongW(form_.window(), GWL_STYLE);
  EXPECT_EQ(style & (WS_THICKFRAME | WS_CLIPCHILDREN), WS_THICKFRAME | WS_CLIPCHILDREN);
  const SIZE window = windowSize();
  EXPECT_EQ(form_.resizer().minTrackSize().cx, window.cx);
  EXPECT_EQ(form_.resizer().minTrackSize().cy, window.cy);
  EXPECT_EQ(form_.resizer().originalClientSize().cx, start_.cx);
  EXPECT_EQ(form_.resizer().originalClientSize().cy, start_.cy);
  // Group boxes stay see-through, so the dialog paints their insides.
  for (int id : {1002, 1004, 1007}) {
    EXPECT_TRUE(GetWindowLongW(form_.item(id), GWL_EXSTYLE) & WS_EX_TRANSPARENT) << id;
  }
}

TEST_F(DialogResizerTest, GripSitsInTheCornerAsTheFirstRow) {
  ASSERT_TRUE(form_.resizer().hasGrip());
  HWND grip = form_.item(IDC_SIZE_GRIP);
  ASSERT_NE(grip, nullptr);
  wchar_t className[32] = {};
  GetClassNameW(grip, className, 32);
  EXPECT_EQ(lstrcmpiW(className, L"ScrollBar"), 0);
  const LONG style = GetWindowLongW(grip, GWL_STYLE);
  const LONG expected = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | SBS_SIZEBOX | SBS_SIZEGRIP |
                        SBS_SIZEBOXBOTTOMRIGHTALIGN;
  EXPECT_EQ(style & expected, expected);
  const RECT rect = form_.itemRect(IDC_SIZE_GRIP);
  EXPECT_EQ(rect.right, start_.cx);
  EXPECT_EQ(rect.bottom, start_.cy);
  // The system's size-box size (Wine adds a pixel).
  EXPECT_GE(rect.right - rect.left, GetSystemMetrics(SM_CXVSCROLL));
  EXPECT_LE(rect.right - rect.left, GetSystemMetrics(SM_CXVSCROLL) + 1);
  EXPECT_GE(rect.bottom - rect.top, GetSystemMetrics(SM_CYHSCROLL));
  EXPECT_LE(rect.bottom - rect.top, GetSystemMetrics(SM_CYHSCROLL) + 1);

  const auto& entries = form_.resizer().entries();
  ASSERT_EQ(entries.size(), 12u);  // the grip and the eleven rows of the table
  EXPECT_EQ(entries[0].controlId, IDC_SIZE_GRIP);
  EXPECT_EQ(entries[0].flags, 0x401Cu);
  for (std::size_t i = 1; i < entries.size(); ++i) {
    EXPECT_EQ(entries[i].controlId, kFormRules[i - 1].controlId);
    EXPECT_EQ(entries[i].flags, kFormRules[i - 1].flags);
  }
}

TEST_F(DialogResizerTest, GrowingStretchesAndMovesByTheRules) {
  struct Step {
    int width;
    int height;
  } steps[] = {{120, 80}, {1, 1}, {0, 37}, {-60, -30}, {-61, -88}};
  for (const Step& step : steps) {
    resizeBy(step.width, step.height);
    EXPECT_EQ(misplaced(), "") << step.width << " x " << step.height;
    EXPECT_TRUE(gripVisible());
  }
  // Back at the start size, everything is where the template put it.
  EXPECT_EQ(form_.clientSize().cx, start_.cx);
  EXPECT_EQ(form_.clientSize().cy, start_.cy);
  for (const auto& [id, rect] : startRects_) {
    const RECT now = form_.itemRect(id);
    EXPECT_TRUE(EqualRect(&now, &rect)) << id;
  }
}

TEST_F(DialogResizerTest, MaximizeHidesTheGripRestoreShowsIt) {
  resizeBy(40, 30);
  ShowWindow(form_.window(), SW_MAXIMIZE);
  pumpFor(100);
  ASSERT_TRUE(IsZoomed(form_.window()));
  EXPECT_FALSE(gripVisible());
  EXPECT_GT(form_.clientSize().cx, start_.cx + 40);
  // The hidden grip still goes to the corner; everything else by the rules.
  EXPECT_EQ(misplaced(), "");

  ShowWindow(form_.window(), SW_RESTORE);
  pumpFor(100);
  EXPECT_TRUE(gripVisible());
  EXPECT_EQ(form_.clientSize().cx, start_.cx + 40);
  EXPECT_EQ(misplaced(), "");
}

TEST_F(DialogResizerTest, MinimizingMovesNothing) {
  resizeBy(30, 20);
  std::map<int, RECT> before;
  for (const auto& [id, rule] : kExpectedEdges) before[id] = form_.itemRect(id);
  ShowWindow(form_.window(), SW_MINIMIZE);
  pumpFor(100);
  ASSERT_TRUE(IsIconic(form_.window()));
  EXPECT_TRUE(gripVisible());
  for (const auto& [id, rect] : before) {
    const RECT now = form_.itemRect(id);
    EXPECT_TRUE(EqualRect(&now, &rect)) << id;
  }
  ShowWindow(form_.window(), SW_RESTORE);
  pumpFor(100);
  EXPECT_EQ(misplaced(), "");
}

TEST_F(DialogResizerTest, MinimizedSizeMessageIsIgnored) {
  resizeBy(30, 20);
  EXPECT_EQ(SendMessageW(form_.window(), WM_SIZE, SIZE_MINIMIZED, MAKELPARAM(0, 0)), 0);
  EXPECT_EQ(form_.resizer().onSize(SIZE_MINIMIZED, MAKELPARAM(0, 0)), 0);
  EXPECT_EQ(misplaced(), "");
  EXPECT_TRUE(gripVisible());
}

TEST_F(DialogResizerTest, CannotShrinkBelowTheStartSize) {
  const SIZE start = windowSize();
  resizeBy(-100, -100);
  EXPECT_EQ(windowSize().cx, start.cx);
  EXPECT_EQ(windowSize().cy, start.cy);
  resizeBy(50, -100);
  EXPECT_EQ(windowSize().cx, start.cx + 50);
  EXPECT_EQ(windowSize().cy, start.cy);

  MINMAXINFO info{};
  info.ptMinTrackSize = {1, 2};
  info.ptMaxTrackSize = {3000, 4000};
  EXPECT_EQ(form_.resizer().onGetMinMaxInfo(reinterpret_cast<LPARAM>(&info)), 0);
  EXPECT_EQ(info.ptMinTrackSize.x, start.cx);
  EXPECT_EQ(info.ptMinTrackSize.y, start.cy);
  EXPECT_EQ(info.ptMaxTrackSize.x, 3000);
}

TEST(DialogResizerBeforeSetup, LeavesTheMinimumAlone) {
  DialogResizer resizer;
  EXPECT_EQ(resizer.minTrackSize().cx, -1);
  EXPECT_EQ(resizer.minTrackSize().cy, -1);
  EXPECT_FALSE(resizer.hasGrip());
  MINMAXINFO info{};
  info.ptMinTrackSize = {11, 12};
  EXPECT_EQ(resizer.onGetMinMaxInfo(reinterpret_cast<LPARAM>(&info)), 0);
  EXPECT_EQ(info.ptMinTrackSize.x, 11);
  EXPECT_EQ(info.ptMinTrackSize.y, 12);
  EXPECT_EQ(resizer.onSize(SIZE_RESTORED, MAKELPARAM(500, 400)), 0);
}

struct ChildCount {
  int id;
  int found;
};

BOOL CALLBACK countChild(HWND child, LPARAM data) {
  auto* count = reinterpret_cast<ChildCount*>(data);
  if (GetDlgCtrlID(child) == count->id) ++count->found;
  return TRUE;
}

int countChildrenWithId(HWND parent, int id) {
  ChildCount count{id, 0};
  EnumChildWindows(parent, &countChild, reinterpret_cast<LPARAM>(&count));
  return count.found;
}

TEST_F(DialogResizerTest, SecondSetupKeepsOneGripInTheCorner) {
  resizeBy(50, 40);
  form_.resizer().setup(form_.window(), kFormRules);
  EXPECT_EQ(countChildrenWithId(form_.window(), IDC_SIZE_GRIP), 1);
  ASSERT_FALSE(form_.resizer().entries().empty());
  EXPECT_EQ(form_.resizer().entries()[0].controlId, IDC_SIZE_GRIP);
  resizeBy(30, 20);
  const RECT grip = form_.itemRect(IDC_SIZE_GRIP);
  EXPECT_EQ(grip.right, form_.clientSize().cx);
  EXPECT_EQ(grip.bottom, form_.clientSize().cy);
}

TEST(DialogResizerRules, ControlsTheDialogLacksAreLeftOut) {
  const ResizeRule rules[] = {{1000, kResizeSizeX | kResizeMoveY},
                              {4242, kResizeSizeX},
                              {1009, kResizeSizeX | kResizeSizeY},
                              {-1, 0},
                              {1003, kResizeSizeX}};
  FormDialog form(rules);
  const auto& entries = form.resizer().entries();
  ASSERT_EQ(entries.size(), 3u);
  EXPECT_EQ(entries[1].controlId, 1000);
  EXPECT_EQ(entries[2].controlId, 1009);
  // The question box was behind the end row: it keeps its width.
  const RECT question = form.itemRect(1003);
  form.show();
  SetWindowPos(form.window(), nullptr, 0, 0, 700, 700, SWP_NOMOVE | SWP_NOZORDER);
  pumpFor(50);
  const RECT after = form.itemRect(1003);
  EXPECT_TRUE(EqualRect(&question, &after));
}

// With WS_CLIPCHILDREN the insides of group boxes are easily left unpainted (black under
// Wine); every free spot inside them must show the dialog's face colour.
TEST_F(DialogResizerTest, NoUnpaintedAreasAfterGrowingOrMaximizing) {
  auto unpainted = [this](const char* label) {
    const SIZE client = form_.clientSize();
    Canvas canvas(client.cx, client.cy, RGB(255, 0, 255));
    canvas.copyFrom(form_.window());
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    // Free areas: right of the radio buttons in "Type", left of the answer list below
    // the delete-answer button in "Answer(s)".
    const RECT type = form_.itemRect(1004);
    const RECT flash = form_.itemRect(1025);
    const RECT answers = form_.itemRect(1007);
    const RECT list = form_.itemRect(1009);
    const RECT deleteAnswer = form_.itemRect(1013);
    const RECT spots[] = {
        {flash.right + 4, type.top + 12, type.right - 4, type.bottom - 4},
        {answers.left + 4, deleteAnswer.bottom + 4, list.left - 4, answers.bottom - 4}};
    int wrong = 0;
    for (const RECT& spot : spots) {
      for (int y = spot.top; y < spot.bottom; ++y) {
        for (int x = spot.left; x < spot.right; ++x) wrong += canvas.pixel(x, y) != face;
      }
    }
    const std::string name = std::string(QZM_TEST_OUTPUT_DIR) + "/resizer_" + label + ".bmp";
    CreateDirectoryA(QZM_TEST_OUTPUT_DIR, nullptr);
    canvas.save(std::wstring(name.begin(), name.end()));
    return wrong;
  };
  EXPECT_EQ(unpainted("start"), 0);
  resizeBy(200, 150);
  EXPECT_EQ(unpainted("grown"), 0);
  ShowWindow(form_.window(), SW_MAXIMIZE);
  pumpFor(150);
  EXPECT_EQ(unpainted("maximized"), 0);
  ShowWindow(form_.window(), SW_RESTORE);
  pumpFor(150);
  EXPECT_EQ(unpainted("restored"), 0);
}

}  // namespace
}  // namespace quizmora::test
