// Shared main of the GUI test programs: the same process set-up as the program itself
// (COM apartment, common controls, the module), then GoogleTest.
#include <windows.h>

#include <commctrl.h>
#include <objbase.h>

#include <gtest/gtest.h>

#include "app/app_module.h"

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  CoInitialize(nullptr);
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_COOL_CLASSES | ICC_BAR_CLASSES |
                                                      ICC_LISTVIEW_CLASSES | ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  quizmora::AppModule::instance().initialize(GetModuleHandleW(nullptr));
  int result = RUN_ALL_TESTS();
  quizmora::AppModule::instance().terminate();
  CoUninitialize();
  return result;
}
