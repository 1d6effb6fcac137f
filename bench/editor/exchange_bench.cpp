// Times Add Questions from Other Tools and Export to Other Tools in the real main window on
// the generated 100,000-question exam, in each format the build reads and writes of GIFT and
// Moodle XML, against qzm.exe making the same conversion: reading the file into an exam file
// (Add) and writing the format from the exam file (Export). Target: at most 1.5 x qzm's time.
#include <windows.h>

#include <commctrl.h>
#include <objbase.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "app/app_module.h"
#include "editor/main_editor.h"
#include "format/exam_file_writer.h"
#include "format/file_bytes.h"
#include "generated_exam.h"
#include "resources/resource_ids.h"

namespace quizmora {
namespace {

using Clock = std::chrono::steady_clock;
namespace fs = std::filesystem;

double secondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

// The file dialogs answered with the path and the entry of one format.
class ChosenFile : public FileDialogs {
 public:
  std::u16string path;
  std::size_t filter = 0;
  std::optional<std::u16string> chooseOpenPath() override { return std::nullopt; }
  std::optional<std::u16string> chooseSavePath() override { return std::nullopt; }
  std::optional<FileChoice> chooseFile(const FileRequest&) override {
    return FileChoice{path, filter};
  }
};

// The main window, its warnings answered Yes, so that everything is added and written.
class BenchEditor : public MainEditor {
 public:
  BenchEditor() { useFileDialogs(dialogs); }
  ~BenchEditor() override {
    if (hwnd()) DestroyWindow(hwnd());
  }
  MessageAnswer showMessage(const FormMessage& message) override {
    if (message.buttons == MessageButtons::Ok) {
      std::fprintf(stderr, "unexpected message box\n");
      std::exit(1);
    }
    return MessageAnswer::Yes;
  }
  int count() const { return document.questionCount(); }
  ChosenFile dialogs;
};

// The command, until the window has painted what it changed; seconds.
double timedCommand(HWND window, int id) {
  const auto start = Clock::now();
  SendMessageW(window, WM_COMMAND, MAKEWPARAM(id, 0), 0);
  UpdateWindow(window);
  RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  return secondsSince(start);
}

// qzm.exe convert <from> <to>, its output thrown away; seconds until it ended.
double timedQzm(const fs::path& from, const fs::path& to) {
  std::wstring line = L"\"" + fs::path(QZM_EXE).wstring() + L"\" convert \"" + from.wstring() +
                      L"\" \"" + to.wstring() + L"\"";
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE nul =
      CreateFileW(L"NUL", GENERIC_WRITE, FILE_SHARE_WRITE, &inherit, OPEN_EXISTING, 0, nullptr);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = nul;
  startup.hStdError = nul;
  PROCESS_INFORMATION process{};
  const auto start = Clock::now();
  if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                      &process)) {
    std::fprintf(stderr, "cannot start qzm.exe\n");
    std::exit(1);
  }
  WaitForSingleObject(process.hProcess, INFINITE);
  const double seconds = secondsSince(start);
  DWORD code = 1;
  GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  CloseHandle(nul);
  if (code != 0) {
    std::fprintf(stderr, "qzm.exe convert failed (%lu)\n", code);
    std::exit(1);
  }
  return seconds;
}

double median(std::vector<double> runs) {
  std::sort(runs.begin(), runs.end());
  return runs[runs.size() / 2];
}

int measured = 0;
int missed = 0;

void report(const char* what, double window, double qzm) {
  const bool met = window <= 1.5 * qzm;
  ++measured;
  missed += met ? 0 : 1;
  std::printf("%-34s window %6.2f s  qzm.exe %6.2f s  = %.2f x (target <= 1.5) %s\n", what, window,
              qzm, window / qzm, met ? "ok" : "MISSED");
  std::fflush(stdout);
}

std::size_t entryOf(const ExchangeChoices& choices, const ExamFormat& format) {
  return static_cast<std::size_t>(
      std::find(choices.formats.begin(), choices.formats.end(), &format) - choices.formats.begin());
}

void benchFormat(const ExamFormat& format, const fs::path& folder, const fs::path& examFile) {
  const std::string extension(format.extensions.front());
  const fs::path input = folder / ("qzm-exchange-in" + extension);
  const fs::path output = folder / ("qzm-exchange-out" + extension);
  const fs::path converted = folder / "qzm-exchange-converted.qzm";
  {
    InterchangeReport ignored;
    writeFileReplacing(input, format.write(generateExam(100000, kGeneratedExamSeed), ignored));
  }
  std::vector<double> add, exported, qzmAdd, qzmExport;
  for (int run = 0; run < 3; ++run) {
    BenchEditor editor;
    HWND window = editor.create(GetModuleHandleW(nullptr), IDD_MAINEDITOR);
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    editor.dialogs.path = input.u16string();
    editor.dialogs.filter = entryOf(formatsToAdd(), format);
    add.push_back(timedCommand(window, ID_FILE_ADD_FROM_TOOLS));
    if (editor.count() != 100000 && run == 0) {
      std::printf("  (%d of the 100,000 questions came in)\n", editor.count());
    }
    editor.dialogs.path = output.u16string();
    editor.dialogs.filter = entryOf(formatsToExport(), format);
    exported.push_back(timedCommand(window, ID_FILE_EXPORT_TO_TOOLS));
    fs::remove(output);
    qzmAdd.push_back(timedQzm(input, converted));
    qzmExport.push_back(timedQzm(examFile, output));
    fs::remove(output);
  }
  fs::remove(input);
  fs::remove(converted);
  const std::string name(format.dialogLabel);
  report(("Add 100,000 from " + name).c_str(), median(add), median(qzmAdd));
  report(("Export 100,000 to " + name).c_str(), median(exported), median(qzmExport));
}

}  // namespace
}  // namespace quizmora

int wmain() {
  using namespace quizmora;
  CoInitialize(nullptr);
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&controls);
  AppModule::instance().initialize(GetModuleHandleW(nullptr));
  const fs::path folder = fs::temp_directory_path();
  const fs::path examFile = folder / "qzm-exchange-exam.qzm";
  writeExamFile(examFile, composeExamText(generateExam(100000, kGeneratedExamSeed)));
  for (const char* name : {"gift", "moodle"}) {
    if (const ExamFormat* format = formatNamed(name)) {
      benchFormat(*format, folder, examFile);
    } else {
      std::printf("%-34s not in this build\n", name);
    }
  }
  fs::remove(examFile);
  AppModule::instance().terminate();
  CoUninitialize();
  std::printf("%d of %d targets met (median of 3 runs, wall time, qzm.exe's start included)\n",
              measured - missed, measured);
  return missed == 0 ? 0 : 1;
}
