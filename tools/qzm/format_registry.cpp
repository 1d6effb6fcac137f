#include "format_registry.h"

#include "exam_json.h"
#include "interchange/aiken_format.h"
#include "interchange/gift_format.h"
#include "interchange/html_sheet.h"
#include "interchange/tsv_format.h"
#ifdef QZM_HAVE_CSV
#include "interchange/csv_format.h"
#endif
#ifdef QZM_HAVE_XML_FORMATS
#include "interchange/moodle_xml.h"
#include "interchange/qti_package.h"
#endif

namespace quizmora {
namespace {

std::optional<ExamDocument> readJson(std::string_view bytes, InterchangeReport& report) {
  JsonExamResult result = examFromJson(bytes);
  if (!result.ok()) {
    report.fail(0, 0, result.error);
    return std::nullopt;
  }
  return std::move(result.document);
}

std::string writeJson(const ExamDocument& exam, InterchangeReport&) {
  return examToJson(exam).dump(2) + "\n";
}

std::string writeSheet(const ExamDocument& exam, InterchangeReport& report) {
  return writeHtmlSheet(exam, false, report);
}

std::string writeSheetWithKey(const ExamDocument& exam, InterchangeReport& report) {
  return writeHtmlSheet(exam, true, report);
}

std::vector<ExamFormat> makeFormats() {
  std::vector<ExamFormat> formats;
  formats.push_back({"qzm",
                     {".qzm"},
                     "Quizmora Builder exam file",
                     true,
                     nullptr,
                     nullptr,
                     nullptr,
                     "everything the editor saves",
                     "nothing"});
  formats.push_back({"json",
                     {".json"},
                     "the exam as JSON",
                     false,
                     readJson,
                     writeJson,
                     nullptr,
                     "everything an exam file holds",
                     "nothing"});
  formats.push_back(
      {"gift",
       {".gift", ".txt"},
       "GIFT, the question-bank text format of learning platforms",
       false,
       readGift,
       writeGift,
       nullptr,
       "one choice, multiple choice (shared weights), flash cards (short answers; essays in), "
       "title and author (as comments)",
       "the mode; spaces around texts; line breaks in title and author; a one choice question "
       "with no wrong or no correct answer; a choice question with a single answer (skipped); "
       "in: matching, numerical and description items, categories, names, feedback, images; "
       "HTML becomes plain text"});
  formats.push_back({"aiken",
                     {".txt"},
                     "Aiken, the simplest question import format",
                     false,
                     readAiken,
                     writeAiken,
                     nullptr,
                     "choice questions with exactly one correct answer and at most 26 answers",
                     "flash cards, other choice questions, line breaks, title, author, mode"});
#ifdef QZM_HAVE_CSV
  formats.push_back({"csv",
                     {".csv"},
                     "a spreadsheet, one row per question",
                     false,
                     readCsv,
                     writeCsv,
                     nullptr,
                     "every question, answer and correct mark",
                     "title, author, mode"});
#endif
#ifdef QZM_HAVE_XML_FORMATS
  formats.push_back(
      {"moodle",
       {".xml"},
       "Moodle XML, the learning platform's question export",
       false,
       readMoodleXml,
       writeMoodleXml,
       nullptr,
       "one choice, multiple choice (shared fractions), flash cards (short answers; essays in), "
       "the title (as a leading category)",
       "author, mode; in: true/false becomes one choice \"True\"/\"False\", further accepted "
       "answers, other question kinds, names, feedback, penalties, further categories, "
       "images; HTML becomes plain text"});
  formats.push_back(
      {"qti",
       {".zip"},
       "a QTI 2.1 content package (one item per question)",
       false,
       readQtiPackage,
       writeQtiPackage,
       nullptr,
       "one choice, multiple choice, flash cards (text entry; extended text in), title, author",
       "the mode; in: other interactions, items with several interactions, images; XHTML "
       "becomes plain text"});
#endif
  formats.push_back({"tsv",
                     {".tsv"},
                     "tab-separated flash cards for flash-card programs",
                     false,
                     readTsv,
                     writeTsv,
                     nullptr,
                     "flash cards, the title (as the deck)",
                     "choice questions become cards (choices on the front, the correct ones on "
                     "the back); author, mode; in: tags and fields after the back"});
  formats.push_back({"html",
                     {".html", ".htm"},
                     "a printable sheet (--key: the answer key)",
                     false,
                     nullptr,
                     writeSheet,
                     writeSheetWithKey,
                     "title, author, every question and answer; with --key the correct ones",
                     "the mode; written only"});
  return formats;
}

std::string lowered(std::string text) {
  for (char& c : text) c = c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
  return text;
}

}  // namespace

const std::vector<ExamFormat>& examFormats() {
  static const std::vector<ExamFormat> formats = makeFormats();
  return formats;
}

const ExamFormat* formatNamed(std::string_view name) {
  const std::string wanted = lowered(std::string(name));
  for (const ExamFormat& format : examFormats()) {
    if (format.name == wanted) return &format;
  }
  return nullptr;
}

std::vector<const ExamFormat*> formatsForExtension(const std::filesystem::path& path) {
  const std::string extension = lowered(path.extension().string());
  std::vector<const ExamFormat*> found;
  for (const ExamFormat& format : examFormats()) {
    for (std::string_view known : format.extensions) {
      if (known == extension) found.push_back(&format);
    }
  }
  return found;
}

std::string formatNames() {
  std::string names;
  for (const ExamFormat& format : examFormats()) {
    if (!names.empty()) names += ", ";
    names += format.name;
  }
  return names;
}

}  // namespace quizmora
