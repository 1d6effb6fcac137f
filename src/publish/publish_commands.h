#pragma once
// The two publishing commands as the main window runs them: real boxes, picker and network,
// every box owned by `owner`.

#include <windows.h>

#include "model/exam_document.h"

namespace quizmora {

void uploadToWeb(HWND owner, const ExamDocument& document);
void uploadToHandheld(HWND owner, const ExamDocument& document);

}  // namespace quizmora
