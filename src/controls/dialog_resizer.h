#pragma once
// Keeps a resizable dialog's controls in place as the window changes size: stretching and
// moving them by a table of rules, a size grip in the bottom-right corner, and a minimum
// size equal to the window's size at set-up.

#include <windows.h>

#include <vector>

#include "controls/resize_layout.h"

namespace quizmora {

class DialogResizer {
 public:
  // Makes `dialog` resizable and records where its controls are now. `rules` (not kept) is
  // ended by {-1, 0}; controls the dialog lacks are left out.
  void setup(HWND dialog, const ResizeRule* rules);

  // WM_SIZE: wParam is the size type, lParam the new client width and height. Result 0.
  LRESULT onSize(WPARAM sizeType, LPARAM clientSize);
  // WM_GETMINMAXINFO: lParam points to the MINMAXINFO to fill. Result 0.
  LRESULT onGetMinMaxInfo(LPARAM minMaxInfo);
  // The window moves to a display of another DPI, where a length of `setUp` pixels at set-up
  // is now `now` (per axis): the set-up rectangles, client size and minimum size are scaled
  // from their values at set-up, so the next WM_SIZE lays out against them and a window
  // back at its first DPI is laid out exactly as before.
  void rescale(SIZE setUp, SIZE now);

  bool hasGrip() const { return hasGrip_; }
  // The window's outer size at set-up; -1, -1 before.
  SIZE minTrackSize() const { return minTrackSize_; }
  // The client size at set-up.
  SIZE originalClientSize() const { return clientSize_; }
  // The working table; with a grip, its row comes first.
  const std::vector<ResizeEntry>& entries() const { return entries_; }

 private:
  void makeResizable() const;
  void addGrip();
  void fitGripToDpi(HWND grip) const;
  void addControl(int controlId, std::uint32_t flags);
  void placeEntry(const ResizeEntry& entry, int dx, int dy) const;
  bool controlRect(HWND control, LayoutRect& rect) const;

  HWND dialog_ = nullptr;  // not owned
  std::vector<ResizeEntry> entries_;
  std::vector<LayoutRect> setUpRects_;  // each entry's rectangle at set-up
  SIZE clientSize_{0, 0};
  SIZE minTrackSize_{-1, -1};
  SIZE setUpClientSize_{0, 0};
  SIZE setUpMinTrackSize_{-1, -1};
  bool hasGrip_ = false;
};

}  // namespace quizmora
