// Each file operation of the one atomic writer made to fail in turn, for a new file and for
// one being replaced, through every caller that writes a file: Save As, `qzm convert` to each
// format and the copy to the handheld. A failed write leaves the old file byte for byte and
// no temporary file, and the caller says so.

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "commands.h"
#include "format/exam_file_writer.h"
#include "format/file_bytes.h"
#include "interchange/format_registry.h"
#include "publish/handheld_upload.h"
#include "support/fake_question_form.h"
#include "support/scripted_prompts.h"
#include "support/test_support.h"

namespace quizmora {
namespace {

namespace fs = std::filesystem;
using test::TempDir;

const std::error_code kDiskFull = std::make_error_code(std::errc::no_space_on_device);

// What the caller told the author: empty when it reported success.
using Caller = std::function<std::string(const fs::path& source, const fs::path& target)>;

struct CallerRow {
  std::string name, fileName;
  Caller write;
  std::string before, after;  // the failure told: before + target path + after
};

std::string saveAs(const fs::path&, const fs::path& target) {
  test::EditorBench bench;
  bench.document.questions = {test::choice(u"Capital of France?", {{u"Paris", 1}})};
  bench.dialogs.paths = {target.u16string()};
  if (bench.files.saveAs() != bench.form.shown.empty()) return "saved and told, or neither";
  if (bench.form.shown.empty()) return "";
  const FormMessage& told = bench.form.shown.back();
  const bool errorBox = told.icon == MessageIcon::Error && told.buttons == MessageButtons::Ok;
  return (errorBox ? "error: " : "") + test::printable(told.text);
}

std::string handheldCopy(const fs::path& source, const fs::path& target) {
  test::ScriptedPrompts prompts;
  prompts.folder = target.parent_path().u16string();
  prompts.answer = true;  // replace an existing copy
  uploadToHandheld(source.u16string(), prompts);
  const std::string& last = prompts.shown.back();
  return last.starts_with("information [OK]: The exam was copied") ? "" : last;
}

std::vector<CallerRow> callers() {
  std::vector<CallerRow> rows = {
      {"SaveAs", "exam.qzm", saveAs, "error: Cannot save the exam to ", ""},
      {"HandheldCopy", "exam.qzm", handheldCopy, "error [OK]: Cannot copy the exam to ", ""}};
  for (const ExamFormat& format : examFormats()) {
    if (!format.examFile && !format.write) continue;
    // Warnings about what the format cannot carry may come first: the failure is the end.
    auto convert = [&format](const fs::path& source, const fs::path& target) -> std::string {
      ConvertOptions options;
      options.to = std::string(format.name);
      std::ostringstream err;
      const int code = runConvert(source, target, options, err);
      const std::string said = err.str();
      const std::size_t line = said.rfind("qzm: cannot write");
      return code == kExitSuccess
                 ? ""
                 : std::to_string(code) + " " + said.substr(line == std::string::npos ? 0 : line);
    };
    rows.push_back({"Convert_" + std::string(format.name),
                    "out" + std::string(format.extensions.front()), convert, "2 qzm: cannot write ",
                    ": " + kDiskFull.message() + "\n"});
  }
  return rows;
}

enum class Outcome {
  Kept,     // reported; the old file (or no file) stands as before
  Written,  // the fault is on a path this write does not take: written as usual
  Renamed,  // the folder flush after the rename failed: reported, the new file in place
};

struct FaultRow {
  const char* name;
  std::set<FileStep> failing;
  Outcome whenNew, whenReplacing;
  int temporaryLeft = 0;
};

const FaultRow kFaults[] = {
    {"CreateTemporary", {FileStep::CreateTemporary}, Outcome::Kept, Outcome::Kept},
    {"Write", {FileStep::Write}, Outcome::Kept, Outcome::Kept},
    {"FlushToDisk", {FileStep::FlushToDisk}, Outcome::Kept, Outcome::Kept},
    {"Close", {FileStep::Close}, Outcome::Kept, Outcome::Kept},
    {"SetPermissions", {FileStep::SetPermissions}, Outcome::Written, Outcome::Kept},
    {"Rename", {FileStep::Rename}, Outcome::Kept, Outcome::Kept},
    {"FlushFolder", {FileStep::FlushFolder}, Outcome::Renamed, Outcome::Renamed},
    {"RemoveAfterSuccess", {FileStep::RemoveTemporary}, Outcome::Written, Outcome::Written},
    // The system refuses to remove it too: the leftover cannot be helped, the report can.
    {"RenameThenRemove",
     {FileStep::Rename, FileStep::RemoveTemporary},
     Outcome::Kept,
     Outcome::Kept,
     1},
};

class WriteFaults : public testing::Test {
 protected:
  void TearDown() override { setFileStepFault(nullptr); }
};

TEST_F(WriteFaults, EveryFailedStepKeepsTheOldFileAndIsReported) {
  const std::string kOld = "old exam, byte for byte\r\n";
  for (const CallerRow& caller : callers()) {
    for (const FaultRow& fault : kFaults) {
      for (const bool replacing : {false, true}) {
        SCOPED_TRACE(caller.name + " " + fault.name + (replacing ? " replacing" : " new"));
        TempDir dir;
        fs::create_directory(dir / u"in");
        fs::create_directory(dir / u"out");
        const fs::path source = dir / u"in" / u"exam.qzm";
        ExamDocument exam;
        exam.questions = {test::choice(u"Longest river?", {{u"Nile", 1}, {u"Po", 0}})};
        ASSERT_TRUE(writeExamFile(source, composeExamText(exam)));
        const fs::path target = dir.path() / "out" / caller.fileName;
        if (replacing) test::writeBytes(target, kOld);

        std::set<FileStep> failed;
        setFileStepFault([&](FileStep step) {
          if (!fault.failing.contains(step)) return std::error_code();
          failed.insert(step);
          return kDiskFull;
        });
        const std::string report = caller.write(source, target);
        setFileStepFault(nullptr);

        const Outcome outcome = replacing ? fault.whenReplacing : fault.whenNew;
        EXPECT_EQ(report, outcome == Outcome::Written
                              ? ""
                              : caller.before + target.string() + caller.after);
        if (outcome != Outcome::Written) {
          EXPECT_EQ(failed, fault.failing);
        }
        if (outcome == Outcome::Kept && replacing) {
          EXPECT_EQ(test::readBytes(target), kOld);
        } else if (outcome == Outcome::Kept) {
          EXPECT_FALSE(fs::exists(target));
        } else {
          const std::string written = test::readBytes(target);
          EXPECT_NE(written, kOld);
          EXPECT_FALSE(written.empty());
        }
        const bool targetStands = replacing || outcome != Outcome::Kept;
        EXPECT_EQ(std::distance(fs::directory_iterator(dir / u"out"), fs::directory_iterator()),
                  (targetStands ? 1 : 0) + fault.temporaryLeft);
      }
    }
  }
}

}  // namespace
}  // namespace quizmora
