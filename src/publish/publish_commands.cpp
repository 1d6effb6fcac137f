#include "publish/publish_commands.h"

#include "publish/handheld_upload.h"
#include "publish/web_uploader.h"
#include "publish/window_prompts.h"
#include "publish/wininet_client.h"

namespace quizmora {

void uploadToWeb(HWND owner, const ExamDocument& document) {
  WindowPrompts prompts(owner);
  WinInetClient http;
  WebUploader(http, prompts).upload(document, uploadTargetFromEnvironment());
}

void uploadToHandheld(HWND owner, const ExamDocument& document) {
  WindowPrompts prompts(owner);
  uploadToHandheld(document.filePath, prompts);
}

}  // namespace quizmora
