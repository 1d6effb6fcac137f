// Entry point of Quizmora Builder: sets up the process, runs the main window until it asks
// to quit and tears down in reverse order. An exam named on the command line (a double click
// on a .qzm file) is opened once the window is shown; further arguments are ignored.
#include <windows.h>

#include <commctrl.h>
#include <objbase.h>

#include "app/app_module.h"
#include "app/run_application.h"
#include "app/startup_exam_path.h"

namespace {

// The thread's single-threaded COM apartment, joined first and left last.
class ComApartment {
 public:
  ComApartment() : joined_(SUCCEEDED(CoInitialize(nullptr))) {}
  ~ComApartment() {
    if (joined_) CoUninitialize();
  }
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;

 private:
  bool joined_;
};

// The process module from start-up to the end of shutdown.
class ModuleLifetime {
 public:
  explicit ModuleLifetime(HINSTANCE instance) {
    quizmora::AppModule::instance().initialize(instance);
  }
  ~ModuleLifetime() { quizmora::AppModule::instance().terminate(); }
  ModuleLifetime(const ModuleLifetime&) = delete;
  ModuleLifetime& operator=(const ModuleLifetime&) = delete;
};

// The show state the starting program asked for, else the default one.
int startupShowCommand() {
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  GetStartupInfoW(&startup);
  return (startup.dwFlags & STARTF_USESHOWWINDOW) ? startup.wShowWindow : SW_SHOWDEFAULT;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  ComApartment apartment;
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_COOL_CLASSES | ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);
  ModuleLifetime module(instance);
  return quizmora::runApplication(startupShowCommand(), quizmora::startupExamPath());
}
