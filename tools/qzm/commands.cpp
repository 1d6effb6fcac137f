#include "commands.h"

#include <algorithm>
#include <optional>
#include <ostream>
#include <string>
#include <utility>

#include "byte_file.h"
#include "exam_check.h"
#include "exam_json.h"
#include "format/exam_file_io.h"
#include "format/exam_file_writer.h"

namespace quizmora {

namespace {

// JSON readers and writers choose by extension, without regard to case.
bool hasJsonExtension(const std::filesystem::path& path) {
  std::string extension = path.extension().string();
  std::transform(extension.begin(), extension.end(), extension.begin(), [](unsigned char c) {
    return static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
  });
  return extension == ".json";
}

int fail(std::ostream& err, const std::string& message, int code) {
  err << "qzm: " << message << '\n';
  return code;
}

std::optional<ExamDocument> loadExamFile(const std::filesystem::path& path, bool oldFormat,
                                         std::ostream& err) {
  std::optional<std::u16string> text =
      oldFormat ? readOldExamFileText(path) : readExamFileText(path);
  if (!text) {
    fail(err, "cannot open " + path.string(), kExitUnreadableInput);
    return std::nullopt;
  }
  return examDocumentOf(loadExam(*text, oldFormat));
}

std::optional<ExamDocument> loadJsonFile(const std::filesystem::path& path, std::ostream& err) {
  std::optional<std::string> bytes = readFileBytes(path);
  if (!bytes) {
    fail(err, "cannot open " + path.string(), kExitUnreadableInput);
    return std::nullopt;
  }
  JsonExamResult result = examFromJson(*bytes);
  if (!result.ok()) {
    fail(err, "cannot read " + path.string() + ": " + result.error, kExitUnreadableInput);
    return std::nullopt;
  }
  return std::move(result.document);
}

std::string jsonText(const ExamDocument& document) { return examToJson(document).dump(2) + "\n"; }

bool writeOutput(const std::filesystem::path& path, const ExamDocument& document) {
  if (hasJsonExtension(path)) return writeFileReplacing(path, jsonText(document));
  return writeExamFile(path, composeExamText(document));
}

}  // namespace

int runShow(const std::filesystem::path& file, bool oldFormat, std::ostream& out,
            std::ostream& err) {
  std::optional<ExamDocument> document = loadExamFile(file, oldFormat, err);
  if (!document) return kExitUnreadableInput;
  out << jsonText(*document) << std::flush;
  if (!out) return fail(err, "cannot write to standard output", kExitUnwritableOutput);
  return kExitSuccess;
}

int runConvert(const std::filesystem::path& input, const std::filesystem::path& output,
               bool oldFormat, std::ostream& err) {
  const bool jsonInput = hasJsonExtension(input);
  if (jsonInput && oldFormat) {
    return fail(err, "--old applies to exam files, not to " + input.string(), kExitUsage);
  }
  std::optional<ExamDocument> document =
      jsonInput ? loadJsonFile(input, err) : loadExamFile(input, oldFormat, err);
  if (!document) return kExitUnreadableInput;
  if (!writeOutput(output, *document)) {
    return fail(err, "cannot write " + output.string(), kExitUnwritableOutput);
  }
  return kExitSuccess;
}

int runCheck(const std::filesystem::path& file, bool oldFormat, std::ostream& out,
             std::ostream& err) {
  std::optional<ExamDocument> document = loadExamFile(file, oldFormat, err);
  if (!document) return kExitUnreadableInput;
  const std::vector<std::string> problems = examProblems(*document);
  for (const std::string& problem : problems) out << problem << '\n';
  out << std::flush;
  if (!out) return fail(err, "cannot write to standard output", kExitUnwritableOutput);
  return problems.empty() ? kExitSuccess : kExitProblemsFound;
}

}  // namespace quizmora
