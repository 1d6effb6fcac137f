#include "app/run_application.h"

#include <memory>

#include "app/app_module.h"
#include "editor/main_editor.h"
#include "resources/resource_ids.h"

namespace quizmora {

namespace {

int runMainWindow(int showCommand, int mainTemplateId,
                  const std::optional<std::u16string>& examPath) {
  AppModule& module = AppModule::instance();
  MessageLoop loop;
  bool registered = module.addMessageLoop(&loop);
  auto editor = std::make_unique<MainEditor>();
  HWND window = editor->create(module.instanceHandle(), mainTemplateId);
  int result = 0;
  if (window) {
    ShowWindow(window, showCommand);
    // A recovered exam takes the window; the one named on the command line waits its turn.
    const bool recovered = editor->startRecovery();
    if (examPath && !recovered) editor->openExamFromPath(*examPath);
    result = loop.run();
  }
  // Reverse order: the loop's registration, then the window object, then the loop.
  if (registered) module.removeMessageLoop();
  editor.reset();
  return result;
}

}  // namespace

int runApplication(int showCommand) { return runMainWindow(showCommand, IDD_MAINEDITOR, {}); }

int runApplication(int showCommand, int mainTemplateId) {
  return runMainWindow(showCommand, mainTemplateId, {});
}

int runApplication(int showCommand, const std::optional<std::u16string>& examPath) {
  return runMainWindow(showCommand, IDD_MAINEDITOR, examPath);
}

}  // namespace quizmora
