#pragma once
// Answers the message boxes and the folder picker that a command opens on the test's thread,
// in the order given, and records what each showed. A thread timer does the work, so it runs
// inside the boxes' own modal loops.

#include <windows.h>

#include <string>
#include <vector>

namespace quizmora::test {

struct ShownDialog {
  std::wstring caption;
  std::vector<std::wstring> texts;  // of the static controls, in child order
  HWND owner = nullptr;
  bool hasYesNo = false;
  bool isPicker = false;
};

class DialogAnswerer {
 public:
  // Each answer is a button (IDOK, IDYES, IDNO, IDCANCEL) for the next box, or, for a
  // picker, the folder to pick (empty: Cancel).
  struct Answer {
    int button = IDOK;
    std::wstring folder;
  };

  // `ignore`: a dialog of the test's own (the main window) that is never answered.
  DialogAnswerer(std::vector<Answer> answers, HWND ignore);
  ~DialogAnswerer();
  DialogAnswerer(const DialogAnswerer&) = delete;
  DialogAnswerer& operator=(const DialogAnswerer&) = delete;

  std::vector<ShownDialog> shown;
  std::size_t unanswered() const { return answers_.size() - next_; }

 private:
  static void CALLBACK onTimer(HWND, UINT, UINT_PTR, DWORD);
  void tick();

  std::vector<Answer> answers_;
  std::size_t next_ = 0;
  HWND ignore_;
  HWND picking_ = nullptr;  // a picker told its folder, waiting to be confirmed
  int pickingTicks_ = 0;
  UINT_PTR timer_ = 0;
};

}  // namespace quizmora::test
