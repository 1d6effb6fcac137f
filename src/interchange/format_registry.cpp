#include "interchange/format_registry.h"

#include "interchange/aiken_format.h"
#include "interchange/exam_json.h"
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
                     "nothing",
                     ""});
  formats.push_back({"json",
                     {".json"},
                     "the exam as JSON",
                     false,
                     readJson,
                     writeJson,
                     nullptr,
                     "everything an exam file holds",
                     "nothing",
                     "JSON"});
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
       "HTML becomes plain text",
       "GIFT"});
  formats.push_back({"aiken",
                     {".txt"},
                     "Aiken, the simplest question import format",
                     false,
                     readAiken,
                     writeAiken,
                     nullptr,
                     "choice questions with exactly one correct answer and at most 26 answers",
                     "flash cards, other choice questions, line breaks, title, author, mode",
                     "Aiken"});
#ifdef QZM_HAVE_CSV
  formats.push_back({"csv",
                     {".csv"},
                     "a spreadsheet, one row per question",
                     false,
                     readCsv,
                     writeCsv,
                     nullptr,
                     "every question, answer and correct mark",
                     "title, author, mode",
                     "CSV"});
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
       "images; HTML becomes plain text",
       "Moodle XML"});
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
       "becomes plain text",
       "QTI 2.1 package"});
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
                     "the back); author, mode; in: tags and fields after the back",
                     "TSV"});
  formats.push_back({"html",
                     {".html", ".htm"},
                     "a printable sheet (--key: the answer key)",
                     false,
                     nullptr,
                     writeSheet,
                     writeSheetWithKey,
                     "title, author, every question and answer; with --key the correct ones",
                     "the mode; written only",
                     ""});
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

// A line starting "ANSWER:" (any case, after blanks) is what only Aiken has; without one
// the file is not read twice.
const ExamFormat& giftOrAikenByContent(std::string_view bytes) {
  const ExamFormat& gift = *formatNamed("gift");
  const ExamFormat& aiken = *formatNamed("aiken");
  bool answerLine = false;
  for (std::size_t start = 0; start < bytes.size() && !answerLine;) {
    std::size_t end = bytes.find('\n', start);
    if (end == std::string_view::npos) end = bytes.size();
    std::string_view line = bytes.substr(start, end - start);
    const std::size_t text = line.find_first_not_of(" \t");
    answerLine =
        text != std::string_view::npos && lowered(std::string(line.substr(text, 7))) == "answer:";
    start = end + 1;
  }
  if (!answerLine) return gift;
  InterchangeReport scratch;
  return aiken.read(bytes, scratch) ? aiken : gift;
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
