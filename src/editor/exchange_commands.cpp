#include "editor/exchange_commands.h"

#include <algorithm>
#include <filesystem>
#include <new>
#include <string_view>
#include <system_error>
#include <utility>

#include "format/file_bytes.h"
#include "format/utf8_text.h"
#include "interchange/html_sheet.h"
#include "interchange/warning_summary.h"

namespace quizmora {
namespace {

constexpr char16_t kCaption[] = u"Quizmora Builder";
constexpr std::size_t kWarningLines = 15;

// The dialogs' orders: adding lists the text formats first, as "All exam formats" names
// their patterns; exporting offers the learning platforms' own packages first.
constexpr std::string_view kAddOrder[] = {"gift", "aiken", "moodle", "qti", "csv", "tsv", "json"};
constexpr std::string_view kExportOrder[] = {"moodle", "qti", "gift", "aiken",
                                             "csv",    "tsv", "json"};

// Messages of the formats and of the system are UTF-8; a byte that is not shows as itself.
std::u16string fromUtf8(std::string_view text) {
  return utf8ToUtf16(text).value_or(std::u16string(text.begin(), text.end()));
}

std::u16string patternsOf(const ExamFormat& format) {
  std::u16string patterns;
  for (std::string_view extension : format.extensions) {
    if (!patterns.empty()) patterns += u';';
    patterns += u"*" + fromUtf8(extension);
  }
  return patterns;
}

template <std::size_t N>
ExchangeChoices choicesOf(const std::string_view (&order)[N], bool writing) {
  ExchangeChoices choices;
  for (std::string_view name : order) {
    const ExamFormat* format = formatNamed(name);
    if (!format || format->dialogLabel.empty() ||
        !(writing ? format->write != nullptr : format->read != nullptr)) {
      continue;  // not in this build
    }
    const std::u16string patterns = patternsOf(*format);
    choices.filters.push_back({fromUtf8(format->dialogLabel) + u" (" + patterns + u")", patterns});
    choices.formats.push_back(format);
  }
  return choices;
}

// Whether `path` ends with one of the format's extensions, in any case.
bool hasExtensionOf(std::u16string_view path, const ExamFormat& format) {
  for (std::string_view extension : format.extensions) {
    if (path.size() < extension.size()) continue;
    const std::u16string_view end = path.substr(path.size() - extension.size());
    if (std::equal(end.begin(), end.end(), extension.begin(), [](char16_t unit, char wanted) {
          return (unit >= u'A' && unit <= u'Z' ? unit + 32 : unit) == wanted;
        })) {
      return true;
    }
  }
  return false;
}

// Under "All exam formats": the one format offered for the file's extension, else (a .txt
// file, or a name no format has) its content decides between GIFT and Aiken.
const ExamFormat& formatOfFile(const std::u16string& path, std::string_view bytes,
                               const std::vector<const ExamFormat*>& offered) {
  const ExamFormat* found = nullptr;
  int matches = 0;
  for (const ExamFormat* format : formatsForExtension(std::filesystem::path(path))) {
    if (std::find(offered.begin(), offered.end(), format) == offered.end()) continue;
    found = format;
    ++matches;
  }
  return matches == 1 ? *found : giftOrAikenByContent(bytes);
}

// The window shows that it is busy while this lives.
class BusyForm {
 public:
  explicit BusyForm(QuestionForm& form) : form_(form) { form_.setBusy(true); }
  ~BusyForm() { form_.setBusy(false); }
  BusyForm(const BusyForm&) = delete;
  BusyForm& operator=(const BusyForm&) = delete;

 private:
  QuestionForm& form_;
};

}  // namespace

ExchangeChoices formatsToAdd() {
  ExchangeChoices choices = choicesOf(kAddOrder, false);
  std::vector<std::u16string> patterns;  // each once: GIFT and Aiken both read .txt
  std::u16string all;
  for (const ExamFormat* format : choices.formats) {
    for (std::string_view extension : format->extensions) {
      std::u16string pattern = u"*" + fromUtf8(extension);
      if (std::find(patterns.begin(), patterns.end(), pattern) != patterns.end()) continue;
      all += (all.empty() ? u"" : u";") + pattern;
      patterns.push_back(std::move(pattern));
    }
  }
  choices.filters.insert(choices.filters.begin(), {u"All exam formats", all});
  choices.formats.insert(choices.formats.begin(), nullptr);
  return choices;
}

ExchangeChoices formatsToExport() { return choicesOf(kExportOrder, true); }

std::u16string warningText(const InterchangeReport& report, const std::u16string& question) {
  const std::vector<std::string> lines = summarizedWarnings(report);
  std::u16string text;
  const std::size_t shown = std::min(lines.size(), kWarningLines);
  for (std::size_t i = 0; i < shown; ++i) text += fromUtf8(lines[i]) + u"\n";
  if (lines.size() > shown) {
    text += u"\u2026and " + fromUtf8(std::to_string(lines.size() - shown)) + u" more\n";
  }
  return text + u"\n" + question;
}

ExchangeCommands::ExchangeCommands(EditorState state, QuestionForm& form, QuestionEditor& questions,
                                   FileCommands& files)
    : state_(state), form_(form), questions_(questions), files_(files) {}

bool ExchangeCommands::refuse(const std::u16string& what, const std::u16string& path,
                              const std::string& reason) {
  form_.showMessage(
      {what + path + u":\n" + fromUtf8(reason), kCaption, MessageIcon::Error, MessageButtons::Ok});
  return false;
}

bool ExchangeCommands::acceptWarnings(const InterchangeReport& report,
                                      const std::u16string& question) {
  if (report.warnings.empty()) return true;
  const FormMessage box{warningText(report, question), kCaption, MessageIcon::Warning,
                        MessageButtons::YesNo};
  return form_.showMessage(box) == MessageAnswer::Yes;
}

bool ExchangeCommands::addQuestions() {
  static constexpr char16_t kCannotAdd[] = u"Cannot add the questions from ";
  if (!questions_.savePrompt()) return false;
  const ExchangeChoices offered = formatsToAdd();
  std::optional<FileChoice> chosen =
      files_.dialogs().chooseFile({false, u"Add Questions from Other Tools", offered.filters, {}});
  if (!chosen) return false;
  const std::u16string& path = chosen->path;
  InterchangeReport report;
  std::optional<ExamDocument> added;
  std::string failure;  // why nothing came in
  {
    BusyForm busy(form_);
    try {
      std::error_code reason;
      const std::optional<std::string> bytes = readFileBytes(std::filesystem::path(path), &reason);
      const ExamFormat* format =
          chosen->filter < offered.formats.size() ? offered.formats[chosen->filter] : nullptr;
      if (!bytes) {
        failure = systemReason(reason);
      } else {
        if (!format) format = &formatOfFile(path, *bytes, offered.formats);
        added = format->read(*bytes, report);
        if (!added) {
          failure = noteText(report.error.value_or(InterchangeNote{0, 0, "not readable"}));
        }
      }
    } catch (const std::bad_alloc&) {
      // A file too large for memory: the exam stays as it was.
      added.reset();
      failure = systemReason(std::make_error_code(std::errc::not_enough_memory));
    }
  }
  if (!added) return refuse(kCannotAdd, path, failure);
  if (!acceptWarnings(report, u"Add the questions anyway?")) return false;
  if (added->questions.empty()) {
    form_.showMessage({u"There are no questions to add in " + path + u".", kCaption,
                       MessageIcon::Information, MessageButtons::Ok});
    return false;
  }
  BusyForm busy(form_);
  questions_.addQuestions(std::move(*added));
  return true;
}

bool ExchangeCommands::exportExam() {
  static constexpr char16_t kCannotExport[] = u"Cannot export the exam to ";
  const ExchangeChoices offered = formatsToExport();
  const std::u16string& examPath = state_.document.filePath;
  const std::u16string name =
      examPath.empty() ? u"" : std::filesystem::path(examPath).stem().u16string();
  std::optional<FileChoice> chosen =
      files_.dialogs().chooseFile({true, u"Export to Other Tools", offered.filters, name});
  if (!chosen || chosen->filter >= offered.formats.size()) return false;
  const ExamFormat& format = *offered.formats[chosen->filter];
  const bool complete = !hasExtensionOf(chosen->path, format);
  const std::optional<std::u16string> path =
      files_.withExtension(std::move(chosen->path), complete, fromUtf8(format.extensions.front()));
  if (!path) return false;
  InterchangeReport report;
  std::string bytes;
  try {
    BusyForm busy(form_);
    bytes = format.write(state_.document, report);
  } catch (const std::bad_alloc&) {
    return refuse(kCannotExport, *path,
                  systemReason(std::make_error_code(std::errc::not_enough_memory)));
  }
  // A writer that could not make its output at all (a package that cannot be built).
  if (report.failed()) return refuse(kCannotExport, *path, noteText(*report.error));
  if (!acceptWarnings(report, u"Export anyway?")) return false;
  std::error_code reason;
  bool written = false;
  {
    BusyForm busy(form_);
    written = writeFileReplacing(std::filesystem::path(*path), bytes, &reason);
  }
  return written || refuse(kCannotExport, *path, systemReason(reason));
}

// What the sheet leaves out (the mode, a flash card's further answers) is no news to the
// author who wrote the exam: nothing is asked before the page is saved.
std::optional<std::u16string> ExchangeCommands::printSheet(bool withKey) {
  InterchangeReport unshown;
  std::string page;
  {
    BusyForm busy(form_);
    page = writeHtmlSheet(state_.document, withKey, unshown);
  }
  return files_.savePage(page, files_.pageName());
}

}  // namespace quizmora
