#include "editor/command_focus.h"

#include "resources/resource_ids.h"

namespace quizmora {

// The author types on after Add Answer (the next answer) and Add Question (the next
// question); Ctrl+G goes to the number box. Otherwise, or when that box cannot take it, the
// focus stays where it was while that control can still hold it; else the question box,
// where typing makes sense next.
int focusAfterCommand(int command, int focusedBefore,
                      const std::function<bool(int)>& canTakeFocus) {
  int wanted = 0;
  switch (command) {
    case IDC_ADD_ANSWER:
      wanted = IDC_ANSWER_TEXT;
      break;
    case IDC_ADD_QUESTION:
      wanted = IDC_QUESTION_TEXT;
      break;
    case ID_FOCUS_QUESTION_NUMBER:
      wanted = IDC_QUESTION_NUMBER;
      break;
    default:
      break;
  }
  for (int id : {wanted, focusedBefore, static_cast<int>(IDC_QUESTION_TEXT)}) {
    if (id != 0 && canTakeFocus(id)) return id;
  }
  return 0;
}

}  // namespace quizmora
