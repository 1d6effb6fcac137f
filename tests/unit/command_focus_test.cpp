// Where the focus goes after a command: the command's own box, the control that held it,
// the question box, or the first control in tab order.
#include <gtest/gtest.h>

#include <set>

#include "editor/command_focus.h"
#include "resources/resource_ids.h"

namespace quizmora {
namespace {

TEST(CommandFocus, KeepsAControlThatCanHoldItElseTheQuestionBox) {
  struct Case {
    int command;
    int focusedBefore;
    std::set<int> cannotTakeFocus;
    int expected;
  };
  const Case cases[] = {
      {IDC_ADD_ANSWER, IDC_ADD_ANSWER, {}, IDC_ANSWER_TEXT},
      {IDC_ADD_ANSWER, IDC_QUESTION_TEXT, {}, IDC_ANSWER_TEXT},
      {IDC_ADD_QUESTION, IDC_ADD_QUESTION, {IDC_ADD_QUESTION}, IDC_QUESTION_TEXT},
      {ID_FOCUS_QUESTION_NUMBER, IDC_ANSWER_LIST, {}, IDC_QUESTION_NUMBER},
      {IDC_NEXT_QUESTION, IDC_NEXT_QUESTION, {}, IDC_NEXT_QUESTION},
      {IDC_PREV_QUESTION, IDC_PREV_QUESTION, {IDC_PREV_QUESTION}, IDC_QUESTION_TEXT},
      {IDC_TYPE_FLASH_CARD, IDC_ANSWER_LIST, {IDC_ANSWER_LIST}, IDC_QUESTION_TEXT},
      {ID_FILE_OPEN, 0, {}, IDC_QUESTION_TEXT},
      // A box the command wants that cannot take the focus: the usual way.
      {IDC_ADD_ANSWER, IDC_ADD_ANSWER, {IDC_ANSWER_TEXT}, IDC_ADD_ANSWER},
      // Not even the question box: the first control in tab order (0).
      {IDC_DELETE_QUESTION, IDC_DELETE_QUESTION, {IDC_DELETE_QUESTION, IDC_QUESTION_TEXT}, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.command << " from " << c.focusedBefore);
    EXPECT_EQ(focusAfterCommand(c.command, c.focusedBefore,
                                [&](int id) { return !c.cannotTakeFocus.contains(id); }),
              c.expected);
  }
}

}  // namespace
}  // namespace quizmora
