// Upload to the handheld: the exam file copied into a chosen folder under its own name, with
// the author asked before an older copy is replaced and told how the copy went.
#include "publish/handheld_upload.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/scripted_prompts.h"
#include "support/test_support.h"

namespace quizmora {
namespace {

using test::printable;

std::vector<std::filesystem::path> filesIn(const std::filesystem::path& folder) {
  std::vector<std::filesystem::path> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    names.push_back(entry.path().filename());
  }
  return names;
}

enum class Before { Nothing, OlderCopy, DirectoryOfThatName };

struct HandheldCase {
  const char* name;
  bool saved;                         // the exam has a file
  bool sourceExists;                  // ... and it is still there
  const char* folder;                 // relative to the test folder; null: the picker is cancelled
  Before before;                      // what the chosen folder holds under the exam's name
  bool replace;                       // the answer to the replace question
  std::vector<std::string> expected;  // with $T for the full path of the copy
  const char* copyAfter;              // the copy's content afterwards; null: no file there
};

const std::string kPicker = "picker: Choose the handheld folder to copy the exam to";
const std::string kReplace = "warning [No]: $T already exists.\\nDo you want to replace it?";
const std::string kCopied = "information [OK]: The exam was copied to $T";
const std::string kFailed = "error [OK]: Cannot copy the exam to $T";

TEST(UploadToHandheld, CopiesTheSavedExamIntoTheChosenFolder) {
  const HandheldCase cases[] = {
      {"no file yet",
       false,
       false,
       "device",
       Before::Nothing,
       false,
       {"information [OK]: You need to save currect quizzes to the file before uploading"},
       nullptr},
      {"picker cancelled", true, true, nullptr, Before::Nothing, false, {kPicker}, nullptr},
      {"new copy", true, true, "device", Before::Nothing, false, {kPicker, kCopied}, "NEW"},
      {"older copy replaced",
       true,
       true,
       "device",
       Before::OlderCopy,
       true,
       {kPicker, kReplace, kCopied},
       "NEW"},
      {"older copy kept",
       true,
       true,
       "device",
       Before::OlderCopy,
       false,
       {kPicker, kReplace},
       "OLD"},
      {"the folder holds a directory of that name",
       true,
       true,
       "device",
       Before::DirectoryOfThatName,
       true,
       {kPicker, kFailed},
       nullptr},
      {"folder no longer there",
       true,
       true,
       "gone",
       Before::Nothing,
       false,
       {kPicker, kFailed},
       nullptr},
      {"exam file deleted since it was saved",
       true,
       false,
       "device",
       Before::OlderCopy,
       true,
       {kPicker, kReplace, kFailed},
       "OLD"},
  };
  for (const HandheldCase& c : cases) {
    SCOPED_TRACE(c.name);
    test::TempDir dir;
    const std::filesystem::path source = dir / u"Pr\u00fcfung 1.qzm";
    if (c.sourceExists) test::writeBytes(source, "NEW");
    std::filesystem::create_directory(dir / u"device");
    const std::filesystem::path target = dir / u"device" / source.filename().u16string();
    if (c.before == Before::OlderCopy) test::writeBytes(target, "OLD");
    if (c.before == Before::DirectoryOfThatName) std::filesystem::create_directory(target);

    test::ScriptedPrompts prompts;
    if (c.folder) prompts.folder = (dir.path() / c.folder).u16string();
    prompts.answer = c.replace;
    uploadToHandheld(c.saved ? source.u16string() : std::u16string(), prompts);

    const std::filesystem::path shownTarget =
        dir.path() / (c.folder ? c.folder : "") / source.filename();
    std::vector<std::string> expected;
    for (std::string line : c.expected) {
      if (auto at = line.find("$T"); at != std::string::npos) {
        line.replace(at, 2, printable(shownTarget.u16string()));
      }
      expected.push_back(line);
    }
    EXPECT_EQ(prompts.shown, expected);
    if (c.copyAfter) {
      EXPECT_EQ(test::readBytes(target), c.copyAfter);
    } else {
      EXPECT_FALSE(std::filesystem::is_regular_file(target));
    }
    // Nothing half-written is left beside the copy, and the exam itself is untouched.
    const std::size_t expectedEntries = c.before == Before::Nothing && !c.copyAfter ? 0 : 1;
    EXPECT_EQ(filesIn(dir / u"device").size(), expectedEntries);
    if (c.sourceExists) {
      EXPECT_EQ(test::readBytes(source), "NEW");
    }
  }
}

}  // namespace
}  // namespace quizmora
