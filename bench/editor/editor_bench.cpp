// Times the editor's commands in the real main window: opening the largest exam until its
// first question is on screen, Add and Delete Question at both ends of it, Prev and Next
// between questions of 1,000 answers, and the memory the opened exam takes.
#include <windows.h>

#include <commctrl.h>
#include <objbase.h>
#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "app/app_module.h"
#include "editor/main_editor.h"
#include "format/exam_file_writer.h"
#include "generated_exam.h"
#include "resources/resource_ids.h"

namespace quizmora {
namespace {

using Clock = std::chrono::steady_clock;

double millisecondsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// This thread's processor time (user and kernel) in milliseconds: on a shared machine the
// wall time also counts the waits for a processor.
double cpuMilliseconds() {
  FILETIME created, exited, kernel, user;
  GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user);
  auto ms = [](const FILETIME& t) {
    return static_cast<double>((static_cast<unsigned long long>(t.dwHighDateTime) << 32) |
                               t.dwLowDateTime) /
           1e4;
  };
  return ms(kernel) + ms(user);
}

double privateMegabytes() {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
  return static_cast<double>(counters.PagefileUsage) / 1e6;
}

void pump() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

// The main window with its questions answered No, so nothing waits for a person.
class BenchEditor : public MainEditor {
 public:
  ~BenchEditor() override {
    if (hwnd()) DestroyWindow(hwnd());
  }
  MessageAnswer showMessage(const FormMessage& message) override {
    return message.buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::No;
  }
  int count() const { return document.questionCount(); }
};

int missed = 0;
int measured = 0;

// A measurement: the median and worst wall time of the runs and the processor time per run;
// the target is judged on the median wall time.
void report(const char* what, std::vector<double> wall, double cpuPerRun, double limit,
            const char* unit) {
  std::sort(wall.begin(), wall.end());
  const double median = wall[wall.size() / 2];
  const bool met = median < limit;
  ++measured;
  missed += met ? 0 : 1;
  std::printf("%-48s median %9.2f %-2s worst %9.2f  cpu %9.2f  (target < %g) %s\n", what, median,
              unit, wall.back(), cpuPerRun, limit, met ? "ok" : "MISSED");
  std::fflush(stdout);
}

// One command, until the window has painted what it changed; milliseconds.
double timed(HWND window, int id) {
  const auto start = Clock::now();
  SendMessageW(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
  UpdateWindow(window);
  RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  return millisecondsSince(start);
}

void writeExam(const std::filesystem::path& path, const ExamDocument& exam) {
  if (!writeExamFile(path, composeExamText(exam))) {
    std::fprintf(stderr, "cannot write %s\n", path.string().c_str());
    std::exit(1);
  }
}

void goToFirst(HWND window) {
  SetDlgItemTextW(window, IDC_QUESTION_NUMBER, L"1");
  SendMessageW(window, WM_COMMAND, IDC_GOTO_QUESTION, 0);
}

// Delete Question 1 taken back and done again.
void benchUndo(BenchEditor& editor, HWND window) {
  std::vector<double> undo, redo;
  double cpuUndo = 0, cpuRedo = 0;
  for (int i = 0; i < 10; ++i) {
    goToFirst(window);
    SendMessageW(window, WM_COMMAND, IDC_DELETE_QUESTION, 0);
    double c = cpuMilliseconds();
    undo.push_back(timed(window, ID_EDIT_UNDO));
    cpuUndo += (cpuMilliseconds() - c) / 10;
    c = cpuMilliseconds();
    redo.push_back(timed(window, ID_EDIT_REDO));
    cpuRedo += (cpuMilliseconds() - c) / 10;
  }
  std::printf("(%d questions left)\n", editor.count());
  report("Undo Delete Question 1 of 100,000", undo, cpuUndo, 50, "ms");
  report("Redo Delete Question 1 of 100,000", redo, cpuRedo, 50, "ms");
}

// Prev and Next, alternately, for three seconds with the queue pumped between them.
// `cpu` gains this thread's processor time per command.
std::vector<double> stepForThreeSeconds(HWND window, double& cpu) {
  std::vector<double> times;
  const double startCpu = cpuMilliseconds();
  for (const auto start = Clock::now(); millisecondsSince(start) < 3000; Sleep(20)) {
    times.push_back(timed(window, times.size() % 2 ? IDC_PREV_QUESTION : IDC_NEXT_QUESTION));
    pump();
  }
  cpu += (cpuMilliseconds() - startCpu) / static_cast<double>(times.size());
  return times;
}

// The recovery copy of the whole exam: the window's share is the command that starts it (a
// new keeper writes its first change at once) and the slices its timer gathers, then how
// fast the window answers while the copy's thread composes and writes it, against the same
// commands with no copy under way.
void benchRecovery(BenchEditor& editor, HWND window) {
  const auto folder = std::filesystem::temp_directory_path() / "qzm-editor-bench-recovery";
  SetEnvironmentVariableW(L"QUIZMORA_RECOVERY_DIR", folder.wstring().c_str());
  goToFirst(window);
  double cpuQuiet = 0, cpuWriting = 0, cpuHandOver = 0;
  const std::vector<double> quiet = stepForThreeSeconds(window, cpuQuiet);
  std::vector<double> handOver, writing;
  for (int i = 0; i < 5; ++i) {
    editor.startRecovery();
    goToFirst(window);
    const double c = cpuMilliseconds();
    handOver.push_back(timed(window, ID_EDIT_MOVE_DOWN));
    cpuHandOver += (cpuMilliseconds() - c) / 5;
    const std::vector<double> times = stepForThreeSeconds(window, cpuWriting);
    writing.insert(writing.end(), times.begin(), times.end());
  }
  report("Move Question Down of 100,000, copy started", handOver, cpuHandOver, 100, "ms");
  report("Prev/Next, no copy under way", quiet, cpuQuiet, 100, "ms");
  report("Prev/Next while the copy is gathered and written", writing, cpuWriting / 5, 100, "ms");
  std::error_code error;
  std::filesystem::remove_all(folder, error);
}

void benchLargeExam(const std::filesystem::path& file) {
  {
    writeExam(file, generateExam(100000, 7));
  }  // the generated exam is gone before the window measures its own memory
  const double fileMegabytes = static_cast<double>(std::filesystem::file_size(file)) / 1e6;
  BenchEditor editor;
  HWND window = editor.create(GetModuleHandleW(nullptr), IDD_MAINEDITOR);
  ShowWindow(window, SW_SHOW);
  pump();
  const double before = privateMegabytes();
  const double cpu = cpuMilliseconds();
  const auto start = Clock::now();
  editor.openExamFromPath(file.u16string());
  UpdateWindow(window);
  RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  const double seconds = millisecondsSince(start) / 1000;
  report("Open 100,000 questions until question 1 shows", {seconds},
         (cpuMilliseconds() - cpu) / 1000, 1.0, "s");
  const double held = privateMegabytes() - before;
  std::printf(
      "exam file %.1f MB; memory held after opening %.1f MB = %.2f x the file "
      "(target <= 3) %s\n",
      fileMegabytes, held, held / fileMegabytes, held <= 3 * fileMegabytes ? "ok" : "MISSED");
  ++measured;
  missed += held <= 3 * fileMegabytes ? 0 : 1;

  std::vector<double> addFirst, addLast, deleteFirst, deleteLast;
  double cpuAddFirst = 0, cpuAddLast = 0, cpuDeleteFirst = 0, cpuDeleteLast = 0;
  for (int i = 0; i < 10; ++i) {
    // Shown at question 1, Add appends a copy of the form; Delete at 1 removes the first.
    SetDlgItemTextW(window, IDC_QUESTION_NUMBER, L"1");
    SendMessageW(window, WM_COMMAND, IDC_GOTO_QUESTION, 0);
    double caddFirst = cpuMilliseconds();
    addFirst.push_back(timed(window, IDC_ADD_QUESTION));
    cpuAddFirst += (cpuMilliseconds() - caddFirst) / 10;
    SetDlgItemTextW(window, IDC_QUESTION_NUMBER, L"1");
    SendMessageW(window, WM_COMMAND, IDC_GOTO_QUESTION, 0);
    double cdeleteFirst = cpuMilliseconds();
    deleteFirst.push_back(timed(window, IDC_DELETE_QUESTION));
    cpuDeleteFirst += (cpuMilliseconds() - cdeleteFirst) / 10;
    // At the last question: Add appends after it, Delete removes it.
    SetDlgItemTextW(window, IDC_QUESTION_NUMBER, std::to_wstring(editor.count()).c_str());
    SendMessageW(window, WM_COMMAND, IDC_GOTO_QUESTION, 0);
    double caddLast = cpuMilliseconds();
    addLast.push_back(timed(window, IDC_ADD_QUESTION));
    cpuAddLast += (cpuMilliseconds() - caddLast) / 10;
    SetDlgItemTextW(window, IDC_QUESTION_NUMBER, std::to_wstring(editor.count()).c_str());
    SendMessageW(window, WM_COMMAND, IDC_GOTO_QUESTION, 0);
    double cdeleteLast = cpuMilliseconds();
    deleteLast.push_back(timed(window, IDC_DELETE_QUESTION));
    cpuDeleteLast += (cpuMilliseconds() - cdeleteLast) / 10;
  }
  report("Add Question showing question 1 of 100,000", addFirst, cpuAddFirst, 10, "ms");
  report("Add Question showing the last of 100,000", addLast, cpuAddLast, 10, "ms");
  report("Delete Question 1 of 100,000", deleteFirst, cpuDeleteFirst, 10, "ms");
  report("Delete the last of 100,000", deleteLast, cpuDeleteLast, 10, "ms");
  benchUndo(editor, window);
  benchRecovery(editor, window);
}

void benchLongQuestions(const std::filesystem::path& file) {
  ExamDocument exam;
  for (int q = 0; q < 2; ++q) {
    QuestionRecord question{QuestionType::MultipleChoice, u"Question with 1,000 answers", {}};
    for (int a = 0; a < 1000; ++a) {
      question.answers.push_back({u"Answer number " + std::u16string(1, u'A' + a % 26), a % 2});
    }
    exam.questions.push_back(question);
  }
  writeExam(file, exam);
  BenchEditor editor;
  HWND window = editor.create(GetModuleHandleW(nullptr), IDD_MAINEDITOR);
  ShowWindow(window, SW_SHOW);
  editor.openExamFromPath(file.u16string());
  pump();
  std::vector<double> next, prev;
  double cpuNext = 0, cpuPrev = 0;
  for (int i = 0; i < 10; ++i) {
    double c = cpuMilliseconds();
    next.push_back(timed(window, IDC_NEXT_QUESTION));
    cpuNext += (cpuMilliseconds() - c) / 10;
    c = cpuMilliseconds();
    prev.push_back(timed(window, IDC_PREV_QUESTION));
    cpuPrev += (cpuMilliseconds() - c) / 10;
    pump();
  }
  report("Next between questions of 1,000 answers", next, cpuNext, 50, "ms");
  report("Prev between questions of 1,000 answers", prev, cpuPrev, 50, "ms");
}

}  // namespace
}  // namespace quizmora

int wmain() {
  CoInitialize(nullptr);
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&controls);
  quizmora::AppModule::instance().initialize(GetModuleHandleW(nullptr));
  const auto folder = std::filesystem::temp_directory_path();
  quizmora::benchLargeExam(folder / "qzm-editor-bench-large.qzm");
  quizmora::benchLongQuestions(folder / "qzm-editor-bench-long.qzm");
  std::filesystem::remove(folder / "qzm-editor-bench-large.qzm");
  std::filesystem::remove(folder / "qzm-editor-bench-long.qzm");
  quizmora::AppModule::instance().terminate();
  CoUninitialize();
  std::printf("%d of %d targets met (wall time; cpu = this thread's processor time per run)\n",
              quizmora::measured - quizmora::missed, quizmora::measured);
  return quizmora::missed == 0 ? 0 : 1;
}
