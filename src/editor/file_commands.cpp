#include "editor/file_commands.h"

#include <filesystem>
#include <new>
#include <system_error>
#include <utility>

#include "format/exam_file_io.h"
#include "format/exam_file_writer.h"
#include "format/file_bytes.h"

namespace quizmora {
namespace {

constexpr char16_t kCaption[] = u"Quizmora Builder";
constexpr std::u16string_view kExtension = u".qzm";

FormMessage errorMessage(std::u16string text) {
  return {std::move(text), kCaption, MessageIcon::Error, MessageButtons::Ok};
}

bool fileExists(const std::u16string& path) {
  std::error_code error;
  return std::filesystem::exists(std::filesystem::path(path), error);
}

// ".html" or ".htm" in any case, as Windows matches names.
bool hasPageExtension(std::u16string_view path) {
  std::u16string lowered(path.substr(path.size() > 5 ? path.size() - 5 : 0));
  for (char16_t& unit : lowered) {
    if (unit >= u'A' && unit <= u'Z') unit = static_cast<char16_t>(unit + 32);
  }
  return lowered.ends_with(u".html") || lowered.ends_with(u".htm");
}

}  // namespace

FileCommands::FileCommands(EditorState state, QuestionForm& form, QuestionEditor& questions,
                           FileDialogs& dialogs)
    : state_(state), form_(form), questions_(questions), dialogs_(&dialogs) {}

bool FileCommands::save() {
  const std::u16string& path = state_.document.filePath;
  if (!pathIsExamFile_ || path.empty()) return saveAs();
  return writeTo(path, composeExamText(state_.document));
}

bool FileCommands::saveAs() {
  const std::u16string text = composeExamText(state_.document);
  if (text.empty()) return false;
  std::optional<std::u16string> chosen = dialogs_->chooseSavePath();
  if (!chosen) return false;
  const bool complete = !chosen->ends_with(kExtension);
  std::optional<std::u16string> path = withExtension(std::move(*chosen), complete, kExtension);
  return path && writeTo(*path, text);
}

bool FileCommands::writeTo(const std::u16string& path, const std::u16string& text) {
  if (!writeExamFile(std::filesystem::path(path), text)) {
    form_.showMessage(errorMessage(u"Cannot save the exam to " + path));
    return false;
  }
  state_.document.filePath = path;
  pathIsExamFile_ = true;
  state_.examChanged = false;
  return true;
}

std::optional<std::u16string> FileCommands::withExtension(std::u16string path, bool complete,
                                                          std::u16string_view extension) {
  if (!complete) return path;
  path += extension;
  if (fileExists(path)) {
    const FormMessage replace{path + u" already exists.\nDo you want to replace it?", kCaption,
                              MessageIcon::Warning, MessageButtons::YesNo};
    if (form_.showMessage(replace) != MessageAnswer::Yes) return std::nullopt;
  }
  return path;
}

std::optional<std::u16string> FileCommands::savePage(std::string_view bytes,
                                                     const std::u16string& defaultName) {
  const FileRequest request{
      true,
      {},
      {{u"Web Pages (*.html)", u"*.html;*.htm"}, {u"All Files (*.*)", u"*.*"}},
      defaultName};
  std::optional<FileChoice> chosen = dialogs_->chooseFile(request);
  if (!chosen) return std::nullopt;
  const bool complete = !hasPageExtension(chosen->path);
  std::optional<std::u16string> path = withExtension(std::move(chosen->path), complete, u".html");
  if (!path) return std::nullopt;
  if (!writeFileReplacing(std::filesystem::path(*path), bytes)) {
    form_.showMessage(errorMessage(u"Cannot save the page to " + *path));
    return std::nullopt;
  }
  return path;
}

std::u16string FileCommands::pageName() const {
  const std::u16string& path = state_.document.filePath;
  const std::u16string name =
      path.empty() ? u"exam" : std::filesystem::path(path).stem().u16string();
  return (name.empty() ? u"exam" : name) + u".html";
}

bool FileCommands::confirmDiscard() {
  if (!state_.examChanged) return true;
  const FormMessage question{u"The exam has changes that are not saved.\nDo you want to save them?",
                             kCaption, MessageIcon::Warning, MessageButtons::YesNoCancel};
  switch (form_.showMessage(question)) {
    case MessageAnswer::Yes:
      return save();
    case MessageAnswer::No:
      return true;
    default:
      return false;
  }
}

bool FileCommands::open() {
  if (!confirmDiscard()) return false;
  std::optional<std::u16string> path = dialogs_->chooseOpenPath();
  return path && openExamFromPath(*path);
}

bool FileCommands::importOld() {
  if (!confirmDiscard()) return false;
  std::optional<std::u16string> path = dialogs_->chooseOpenPath();
  return path && importFromPath(*path);
}

void FileCommands::newExam() {
  if (!confirmDiscard()) return;
  questions_.newExam();
  pathIsExamFile_ = false;
}

bool FileCommands::openExamFromPath(const std::u16string& path) { return load(path, false); }

bool FileCommands::importFromPath(const std::u16string& path) { return load(path, true); }

// The file is read whole before anything changes, so one that cannot be read leaves the
// exam and the form as they were.
bool FileCommands::load(const std::u16string& path, bool oldFormat) {
  LoadedExam loaded;
  {
    const std::filesystem::path file(path);
    bool read = false;
    // A file too large for memory cannot be opened either; the exam shown stays.
    try {
      std::optional<std::u16string> text =
          oldFormat ? readOldExamFileText(file) : readExamFileText(file);
      if (text) loaded = loadExam(*text, oldFormat);
      read = text.has_value();
    } catch (const std::bad_alloc&) {
      read = false;
    }
    if (!read) {
      form_.showMessage(errorMessage(u"Cannot open the file " + path));
      return false;
    }
  }  // the file text goes before the form is filled
  ExamDocument& document = state_.document;
  questions_.clearForm();
  document.questions = std::move(loaded.questions);
  questions_.showTotal();
  state_.currentIndex = 0;
  document.header.title = std::move(loaded.title);
  document.header.author = std::move(loaded.author);
  // An old file has no mode: the exam keeps the one it had.
  if (!oldFormat) document.header.mode = static_cast<ExamMode>(loaded.mode);
  showFirstQuestion();
  document.filePath = path;
  // An old file keeps its layout: the first Save of an imported exam asks for a new name.
  pathIsExamFile_ = !oldFormat;
  state_.examChanged = false;
  return true;
}

void FileCommands::setSaveTarget(std::u16string path, bool examFile) {
  state_.document.filePath = std::move(path);
  pathIsExamFile_ = examFile;
}

void FileCommands::adoptExam(ExamDocument exam, bool examFile) {
  questions_.clearForm();
  state_.document = std::move(exam);
  pathIsExamFile_ = examFile && !state_.document.filePath.empty();
  if (!pathIsExamFile_) state_.document.filePath.clear();
  questions_.showTotal();
  state_.currentIndex = 0;
  showFirstQuestion();
}

void FileCommands::showFirstQuestion() {
  questions_.showQuestion(0);
  if (state_.document.questions.empty()) {
    // Nothing to step to, delete, update or copy in an empty exam.
    for (FormControl control :
         {FormControl::PrevQuestion, FormControl::NextQuestion, FormControl::DeleteQuestion,
          FormControl::UpdateQuestion, FormControl::CopyQuestion}) {
      form_.setEnabled(control, false);
    }
  }
}

}  // namespace quizmora
