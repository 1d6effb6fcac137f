// Feeds arbitrary exam file content to the loader and checks that what it loads survives a
// save and a second load unchanged.
//
// Input layout: the first byte chooses how the rest is read.
//   bit 0 clear  current format: the rest as UTF-16LE units (a final odd byte is ignored)
//   bit 0 set    old format, and then
//     bit 1 clear  the rest as the bytes of an old file (through oldFormatBytesToText)
//     bit 1 set    the rest as UTF-16LE units, so units above U+00FF reach the 8-bit pass
//
// The invariant: with d = loadExam(x), loadExam(composeExamText(d)) gives d back with every
// isCorrect other than 1 turned into 0, and composing that again gives the same text.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "format/exam_file_io.h"
#include "format/exam_file_writer.h"
#include "model/exam_document.h"

namespace {

using quizmora::LoadedExam;

std::u16string unitsFromBytes(const std::uint8_t* data, std::size_t size) {
  std::u16string text(size / 2, u'\0');
  for (std::size_t i = 0; i < text.size(); ++i) {
    text[i] = static_cast<char16_t>(data[2 * i] | data[2 * i + 1] << 8);
  }
  return text;
}

// The file stores only "1" or "0".
LoadedExam withWrittenCorrectness(LoadedExam loaded) {
  for (quizmora::QuestionRecord& question : loaded.questions) {
    for (quizmora::AnswerRecord& answer : question.answers) {
      if (answer.isCorrect != 1) answer.isCorrect = 0;
    }
  }
  return loaded;
}

void require(bool holds, const char* what) {
  if (holds) return;
  std::fprintf(stderr, "round trip broken: %s\n", what);
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::uint8_t selector = data[0];
  const bool oldFormat = (selector & 1) != 0;
  const bool oldBytes = oldFormat && (selector & 2) == 0;
  const std::u16string text = oldBytes ? quizmora::oldFormatBytesToText(std::string_view(
                                             reinterpret_cast<const char*>(data + 1), size - 1))
                                       : unitsFromBytes(data + 1, size - 1);

  const LoadedExam loaded = quizmora::loadExam(text, oldFormat);
  const std::u16string composed = quizmora::composeExamText(quizmora::examDocumentOf(loaded));
  require(!composed.empty(), "composed text is empty");

  const LoadedExam expected = withWrittenCorrectness(loaded);
  const LoadedExam reloaded = quizmora::loadExam(composed, false);
  require(reloaded.title == expected.title, "title");
  require(reloaded.author == expected.author, "author");
  require(reloaded.mode == expected.mode, "mode");
  require(reloaded.questions.size() == expected.questions.size(), "question count");
  require(reloaded.questions == expected.questions, "questions");
  require(quizmora::composeExamText(quizmora::examDocumentOf(reloaded)) == composed, "second save");
  return 0;
}
