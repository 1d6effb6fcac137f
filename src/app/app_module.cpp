#include "app/app_module.h"

#include <algorithm>

namespace quizmora {

AppModule& AppModule::instance() {
  static AppModule module;
  return module;
}

void AppModule::initialize(HINSTANCE instance) {
  if (initialized_) return;
  instance_ = instance;
  InitializeCriticalSection(&lock_);
  mainThreadId_ = GetCurrentThreadId();
  loops_ = new std::map<DWORD, MessageLoop*>();
  initialized_ = true;
}

void AppModule::terminate() {
  if (!initialized_) return;
  delete loops_;
  loops_ = nullptr;
  creating_.clear();
  DeleteCriticalSection(&lock_);
  initialized_ = false;
}

bool AppModule::addMessageLoop(MessageLoop* loop) {
  if (!loops_ || !loop) return false;
  ModuleLock guard;
  return loops_->emplace(GetCurrentThreadId(), loop).second;
}

bool AppModule::removeMessageLoop() {
  if (!loops_) return false;
  ModuleLock guard;
  return loops_->erase(GetCurrentThreadId()) == 1;
}

MessageLoop* AppModule::messageLoopOfThread(DWORD threadId) const {
  if (!loops_) return nullptr;
  auto found = loops_->find(threadId);
  return found == loops_->end() ? nullptr : found->second;
}

void AppModule::addCreatingWindow(WindowObject* object) {
  ModuleLock guard;
  creating_.insert(creating_.begin(), Creating{object, GetCurrentThreadId()});
}

WindowObject* AppModule::takeCreatingWindow() {
  ModuleLock guard;
  DWORD thread = GetCurrentThreadId();
  auto found = std::find_if(creating_.begin(), creating_.end(),
                            [thread](const Creating& c) { return c.threadId == thread; });
  if (found == creating_.end()) return nullptr;
  WindowObject* object = found->object;
  creating_.erase(found);
  return object;
}

void AppModule::removeCreatingWindow(WindowObject* object) {
  ModuleLock guard;
  std::erase_if(creating_, [object](const Creating& c) { return c.object == object; });
}

void AppModule::lock() {
  if (initialized_) EnterCriticalSection(&lock_);
}

void AppModule::unlock() {
  if (initialized_) LeaveCriticalSection(&lock_);
}

}  // namespace quizmora
