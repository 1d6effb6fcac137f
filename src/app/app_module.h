#pragma once
// The process module and the message loop of the user-interface thread.

#include <windows.h>

#include <map>
#include <vector>

namespace quizmora {

class MessageLoop;

// Lets a window object be linked to its system window by the window's first message.
class WindowObject {
 public:
  virtual ~WindowObject() = default;
  // Called once, with the first message the new window receives.
  virtual void bindWindow(HWND window) = 0;
};

// One per process, alive from start-up to the end of shutdown.
class AppModule {
 public:
  static AppModule& instance();

  // Start-up step 3: instance handle, lock, main thread, empty thread-to-loop map.
  void initialize(HINSTANCE instance);
  // Shutdown: deletes the map and releases the lock.
  void terminate();
  bool initialized() const { return initialized_; }

  HINSTANCE instanceHandle() const { return instance_; }
  DWORD mainThreadId() const { return mainThreadId_; }

  bool addMessageLoop(MessageLoop* loop);  // for the calling thread
  bool removeMessageLoop();                // for the calling thread
  MessageLoop* messageLoopOfThread(DWORD threadId) const;

  // Window binding: put `object` at the front of the list of windows being created by the
  // calling thread, just before the creating call.
  void addCreatingWindow(WindowObject* object);
  // Takes the most recently added object of the calling thread off the list, or null.
  WindowObject* takeCreatingWindow();
  // Takes `object` off the list if it is still there (its window was never created).
  void removeCreatingWindow(WindowObject* object);

  void lock();
  void unlock();

 private:
  AppModule() = default;
  struct Creating {
    WindowObject* object;
    DWORD threadId;
  };
  bool initialized_ = false;
  HINSTANCE instance_ = nullptr;
  DWORD mainThreadId_ = 0;
  CRITICAL_SECTION lock_{};
  std::map<DWORD, MessageLoop*>* loops_ = nullptr;
  std::vector<Creating> creating_;  // front = most recent
};

// Holds the module lock for a scope.
class ModuleLock {
 public:
  ModuleLock() { AppModule::instance().lock(); }
  ~ModuleLock() { AppModule::instance().unlock(); }
  ModuleLock(const ModuleLock&) = delete;
  ModuleLock& operator=(const ModuleLock&) = delete;
};

class MessageFilter {
 public:
  virtual ~MessageFilter() = default;
  // True when the message has been fully handled.
  virtual bool preTranslateMessage(MSG* message) = 0;
};

class IdleHandler {
 public:
  virtual ~IdleHandler() = default;
  virtual bool onIdle() = 0;  // the result is ignored
};

class MessageLoop {
 public:
  void addMessageFilter(MessageFilter* filter);
  void removeMessageFilter(MessageFilter* filter);
  void addIdleHandler(IdleHandler* handler);
  void removeIdleHandler(IdleHandler* handler);

  // Runs until the quit message; returns its parameter.
  int run();

  // Messages after which idle handlers do not run again: mouse moves, paints and the
  // caret-blink timer.
  static bool isIdleMessage(const MSG& message);

  const MSG& currentMessage() const { return message_; }

 private:
  bool onIdle(int idleCount);
  bool preTranslateMessage(MSG* message);

  MSG message_{};
  std::vector<MessageFilter*> filters_;
  std::vector<IdleHandler*> idleHandlers_;
};

}  // namespace quizmora
