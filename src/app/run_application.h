#pragma once
// The program's run: the thread's message loop and the main window, from creation to the
// quit request.

#include <windows.h>

#include <optional>
#include <string>

namespace quizmora {

// Creates the loop and the main editor window, shows the window with `showCommand`, runs the
// loop and returns its exit code: 1 after Exit, 2 after Esc or the close box, 0 when the
// main window cannot be created (nothing is shown then). AppModule must be initialised.
int runApplication(int showCommand);
// The same with the main window built from dialog resource `mainTemplateId`.
int runApplication(int showCommand, int mainTemplateId);
// The same, opening `examPath` once the window is shown, exactly as Open would (a file that
// cannot be opened is reported and leaves the empty exam).
int runApplication(int showCommand, const std::optional<std::u16string>& examPath);

}  // namespace quizmora
