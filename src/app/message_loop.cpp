#include <algorithm>

#include "app/app_module.h"

namespace quizmora {

void MessageLoop::addMessageFilter(MessageFilter* filter) { filters_.push_back(filter); }

void MessageLoop::removeMessageFilter(MessageFilter* filter) {
  filters_.erase(std::remove(filters_.begin(), filters_.end(), filter), filters_.end());
}

void MessageLoop::addIdleHandler(IdleHandler* handler) { idleHandlers_.push_back(handler); }

void MessageLoop::removeIdleHandler(IdleHandler* handler) {
  idleHandlers_.erase(std::remove(idleHandlers_.begin(), idleHandlers_.end(), handler),
                      idleHandlers_.end());
}

int MessageLoop::run() {
  bool idle = true;
  int idleCount = 0;
  for (;;) {
    while (idle && !PeekMessageW(&message_, nullptr, 0, 0, PM_NOREMOVE)) {
      if (!onIdle(idleCount++)) idle = false;
    }
    BOOL got = GetMessageW(&message_, nullptr, 0, 0);
    if (got == -1) continue;  // an error result is skipped; the loop goes on
    if (!got) return static_cast<int>(message_.wParam);
    if (!preTranslateMessage(&message_)) {
      TranslateMessage(&message_);
      DispatchMessageW(&message_);
    }
    if (isIdleMessage(message_)) {
      idle = true;
      idleCount = 0;
    }
  }
}

bool MessageLoop::isIdleMessage(const MSG& message) {
  switch (message.message) {
    case WM_MOUSEMOVE:
    case WM_NCMOUSEMOVE:
    case WM_PAINT:
    case 0x0118:  // the system timer that blinks the caret
      return false;
    default:
      return true;
  }
}

bool MessageLoop::onIdle(int /*idleCount*/) {
  // Copy: a handler may unregister itself.
  std::vector<IdleHandler*> handlers = idleHandlers_;
  for (IdleHandler* handler : handlers) handler->onIdle();
  return false;
}

bool MessageLoop::preTranslateMessage(MSG* message) {
  std::vector<MessageFilter*> filters = filters_;
  for (auto it = filters.rbegin(); it != filters.rend(); ++it) {
    if ((*it)->preTranslateMessage(message)) return true;
  }
  return false;
}

}  // namespace quizmora
