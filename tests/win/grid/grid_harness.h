#pragma once
// A dialog hosting a report-view list (id 1009) with an AnswerGrid on it, an edit box and a
// button, whose procedure does what the main window does for the grid: it reflects the
// list's notifications back to it and answers the grid's own codes. It records every grid
// notification (and button clicks) in order, and can be told to refuse -3002 or -3007.
// Input is driven as a user's would arrive: posted mouse, key and character messages with
// the queue pumped through IsDialogMessageW.

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "controls/answer_grid.h"
#include "controls/check_property.h"
#include "controls/text_property.h"

namespace quizmora::test {

inline constexpr int kListId = 1009;
inline constexpr int kEditId = 1008;
inline constexpr int kButtonId = 1012;
// Recorded for a click of the button, to see it in order with the grid's notifications.
inline constexpr int kButtonClicked = 1;

struct GridEvent {
  int code;
  GridProperty* property;
  std::u16string value;  // the property's value then: its text, "ticked" or "unticked"

  bool operator==(const GridEvent&) const = default;
};

// Counts property constructions and destructions.
struct PropertyCensus {
  int made = 0;
  int freed = 0;
};

class CountedText : public TextProperty {
 public:
  CountedText(PropertyCensus& census, std::u16string_view text);
  ~CountedText() override;

 private:
  PropertyCensus& census_;
};

class CountedCheck : public CheckProperty {
 public:
  CountedCheck(PropertyCensus& census, bool ticked);
  ~CountedCheck() override;

 private:
  PropertyCensus& census_;
};

// ASCII text as UTF-16.
std::u16string ascii(const char* text);

// The property's current value as recorded in GridEvent::value.
std::u16string valueOf(const GridProperty* property);

class GridHarness {
 public:
  GridHarness();
  ~GridHarness();
  GridHarness(const GridHarness&) = delete;
  GridHarness& operator=(const GridHarness&) = delete;

  // Appends a row "text" with a check box, as Add Answer does; the row index.
  int addAnswer(std::u16string_view text, bool ticked = false);
  // The same, with properties that count themselves in `census`.
  int addCountedAnswer(PropertyCensus& census, std::u16string_view text, bool ticked = false);

  void pump();
  // A press and release of the left button at the centre of a cell, delivered to the window
  // under that point (the list, or an editor lying over the cell).
  void clickCell(int row, int column);
  void doubleClickCell(int row, int column);
  // A press and release at a point in the list's client area.
  void clickList(POINT client);
  void clickWindow(HWND window);
  // A key press as the keyboard would send it to the focus window (characters included).
  void pressKey(UINT key, bool shift = false);
  // Characters typed into the focus window.
  void typeText(std::u16string_view text);

  std::u16string cellText(int row) const;
  bool cellTicked(int row) const;
  int listSelectedRow() const;
  std::u16string editorText() const;
  std::vector<GridEvent> takeEvents();
  // Only the notification codes, in order.
  std::vector<int> takeCodes();

  AnswerGrid& grid() { return grid_; }
  HWND dialog() const { return dialog_; }
  HWND list() const { return list_; }
  HWND edit() const { return edit_; }
  HWND button() const { return button_; }

  // Answers for -3002 and -3007.
  LRESULT refuseChanging = 0;
  LRESULT refuseClick = 0;
  // Run on -3003, after it was recorded, as the main window's rules run.
  std::function<void(GridProperty*)> onValueChanged;

 private:
  static INT_PTR CALLBACK dialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
  INT_PTR onNotify(WPARAM wParam, LPARAM lParam);
  void postClick(POINT screen, bool doubleClick);

  HWND dialog_ = nullptr;
  HWND list_ = nullptr;
  HWND edit_ = nullptr;
  HWND button_ = nullptr;
  AnswerGrid grid_;
  std::vector<GridEvent> events_;
};

// A GDI capture of a window's pixels.
class WindowPixels {
 public:
  explicit WindowPixels(HWND window);
  // The colour at a point of `window`'s client area (any window inside the captured one).
  COLORREF at(HWND window, int x, int y) const;
  bool saveBitmap(const std::wstring& path) const;

 private:
  HWND window_;
  RECT windowRect_{};
  int width_ = 0;
  int height_ = 0;
  std::vector<unsigned char> bits_;  // 32-bit BGRX rows, top-down
};

// Number of window properties of `window`.
int propertyCount(HWND window);

}  // namespace quizmora::test
