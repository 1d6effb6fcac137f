#pragma once
// The single-line editor the grid opens over a text cell: a superclass of the system edit
// control. It never closes itself: Enter and Escape move the focus to the grid, and losing
// the focus reports a commit (text changed, no Escape) or a cancel to the grid, which then
// closes it. The object deletes itself when its window is finally destroyed.

#include <windows.h>

#include "app/app_module.h"

namespace quizmora {

class InplacePropertyEdit : public WindowObject {
 public:
  static constexpr const wchar_t* kClassName = L"Quizmora_InplacePropertyEdit";

  InplacePropertyEdit(const InplacePropertyEdit&) = delete;
  InplacePropertyEdit& operator=(const InplacePropertyEdit&) = delete;

  // Registers the window class once per process; true when it is registered.
  static bool registerClass();
  // A visible editor child of `parent` over `rect` holding `text`; null on failure.
  static HWND create(HWND parent, const RECT& rect, const wchar_t* text);
  // The editor object of `window`, or null.
  static InplacePropertyEdit* fromWindow(HWND window);

  bool cancelFlag() const { return cancelFlag_; }

 private:
  InplacePropertyEdit() = default;
  ~InplacePropertyEdit() override = default;

  void bindWindow(HWND window) override;
  static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static WNDPROC editProc();

  LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT callEditProc(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT onCreate(WPARAM wParam, LPARAM lParam);
  LRESULT onKeyDown(WPARAM key, LPARAM lParam);
  LRESULT onKillFocus(WPARAM wParam, LPARAM lParam);
  bool caretAtStart() const;
  bool caretAtEnd() const;
  void postNavigate(WPARAM key);

  HWND window_ = nullptr;
  WNDPROC editProc_ = nullptr;
  bool cancelFlag_ = false;
};

}  // namespace quizmora
