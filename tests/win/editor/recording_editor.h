#pragma once
// A main editor whose command handlers record their names instead of acting, with its
// state opened up for the tests.

#include <windows.h>

#include <string>
#include <vector>

#include "editor/main_editor.h"
#include "resources/resource_ids.h"

namespace quizmora {

class RecordingEditor : public MainEditor {
 public:
  ~RecordingEditor() override {
    if (hwnd()) DestroyWindow(hwnd());
  }

  HWND create() { return MainEditor::create(GetModuleHandleW(nullptr), IDD_MAINEDITOR); }

  std::vector<std::string> handled;  // handler names, in call order
  int idleCalls = 0;
  int filterCalls = 0;
  int lastValueChangedCode = 0;

  bool onIdle() override {
    ++idleCalls;
    return MainEditor::onIdle();
  }
  bool preTranslateMessage(MSG* message) override {
    ++filterCalls;
    return MainEditor::preTranslateMessage(message);
  }

  const ExamDocument& exam() const { return document; }
  int current() const { return currentIndex; }
  int ticked() const { return tickedCount; }
  const QuestionRecord& clipboard() const { return clipboardQuestion; }
  const AnswerGrid& grid() const { return answerGrid; }
  const IconButton& button(int index) const { return iconButtons[static_cast<size_t>(index)]; }
  const DialogResizer& layout() const { return resizer; }

 protected:
  void onPrevQuestion() override { handled.push_back("onPrevQuestion"); }
  void onNextQuestion() override { handled.push_back("onNextQuestion"); }
  void onAddAnswer() override { handled.push_back("onAddAnswer"); }
  void onDeleteAnswer() override { handled.push_back("onDeleteAnswer"); }
  void onAddQuestion() override { handled.push_back("onAddQuestion"); }
  void onUpdateQuestion() override { handled.push_back("onUpdateQuestion"); }
  void onDeleteQuestion() override { handled.push_back("onDeleteQuestion"); }
  void onCleanFields() override { handled.push_back("onCleanFields"); }
  void onCopyQuestion() override { handled.push_back("onCopyQuestion"); }
  void onPasteQuestion() override { handled.push_back("onPasteQuestion"); }
  void onGotoQuestion() override { handled.push_back("onGotoQuestion"); }
  void onTypeChanged() override { handled.push_back("onTypeChanged"); }
  void onNewExam() override { handled.push_back("onNewExam"); }
  void onOpen() override { handled.push_back("onOpen"); }
  void onSave() override { handled.push_back("onSave"); }
  void onSaveAs() override { handled.push_back("onSaveAs"); }
  void onImportOld() override { handled.push_back("onImportOld"); }
  void onSettings() override { handled.push_back("onSettings"); }
  void onUploadWeb() override { handled.push_back("onUploadWeb"); }
  void onUploadPocketPc() override { handled.push_back("onUploadPocketPc"); }
  void onAbout() override { handled.push_back("onAbout"); }
  void onFocusQuestionNumber() override { handled.push_back("onFocusQuestionNumber"); }
  void onGridValueChanged(const GridNotify& notify) override {
    handled.push_back("onGridValueChanged");
    lastValueChangedCode = static_cast<int>(notify.header.code);
  }
};

}  // namespace quizmora
