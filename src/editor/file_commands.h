#pragma once
// Moving the exam between memory and disk: Save, Save As, Open, Import from the old format, and
// the question about unsaved changes that guards every command that would throw the exam
// away. The file choosers sit behind FileDialogs so that tests can answer them.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "editor/question_editor.h"
#include "editor/question_form.h"

namespace quizmora {

// One kind of file a dialog lists: "GIFT (*.gift;*.txt)" showing "*.gift;*.txt".
struct FileFilter {
  std::u16string label;
  std::u16string patterns;
  friend bool operator==(const FileFilter&, const FileFilter&) = default;
};

// A dialog for another kind of file than the exam file.
struct FileRequest {
  bool save = false;                // the Save dialog, else the Open dialog
  std::u16string title;             // empty: the system's own
  std::vector<FileFilter> filters;  // the first is selected at first
  std::u16string defaultName;       // in the name box at first
};

struct FileChoice {
  std::u16string path;
  std::size_t filter = 0;  // the entry of the request's filters selected at the end
};

class FileDialogs {
 public:
  virtual ~FileDialogs() = default;
  // The chosen full path, or nullopt when the dialog was cancelled.
  virtual std::optional<std::u16string> chooseOpenPath() = 0;
  virtual std::optional<std::u16string> chooseSavePath() = 0;
  virtual std::optional<FileChoice> chooseFile(const FileRequest& request) = 0;
};

class FileCommands {
 public:
  // `dialogs` may be replaced later with useDialogs; all references must outlive this.
  FileCommands(EditorState state, QuestionForm& form, QuestionEditor& questions,
               FileDialogs& dialogs);

  void useDialogs(FileDialogs& dialogs) { dialogs_ = &dialogs; }
  FileDialogs& dialogs() const { return *dialogs_; }

  // True when the exam was written. Save writes to the exam file it was opened from or last
  // saved as; an exam without one (new, or imported from an old file, which must keep its
  // layout) goes through Save As.
  bool save();
  bool saveAs();
  // The menu commands: ask about unsaved changes, then for the file. True when loaded.
  bool open();
  bool importOld();
  void newExam();
  // Loads the exam at `path` as Open does once its dialog returned the path. Nothing
  // changes, and the failure is shown, when the file cannot be read.
  bool openExamFromPath(const std::u16string& path);
  bool importFromPath(const std::u16string& path);

  // Asks where to save a printable page, offering `defaultName`, and writes `bytes` there,
  // ".html" added to a name without ".html" or ".htm". The path written, or nullopt when the
  // author cancelled or the page could not be written (which is shown).
  std::optional<std::u16string> savePage(std::string_view bytes, const std::u16string& defaultName);
  // A page's name to offer: the exam file's name, else "exam", with ".html".
  std::u16string pageName() const;

  // `path` with `extension` appended when `complete`. The dialog's own overwrite question
  // covered the name as typed; a completed name that names another existing file is asked
  // about here. nullopt when the author keeps that file.
  std::optional<std::u16string> withExtension(std::u16string path, bool complete,
                                              std::u16string_view extension);

  // Whether Save may write over the exam's filePath; setSaveTarget sets both.
  bool pathIsExamFile() const { return pathIsExamFile_; }
  void setSaveTarget(std::u16string path, bool examFile);
  // Replaces the exam with `exam` (its filePath the Save target when `examFile`) and shows
  // it from question 1, as Open does.
  void adoptExam(ExamDocument exam, bool examFile);

  // Before a command throws away an exam with unsaved changes: asks whether to save them.
  // True when the command may go on (no changes, No, or Yes and the exam was saved).
  bool confirmDiscard();

 private:
  bool load(const std::u16string& path, bool oldFormat);
  void showFirstQuestion();
  // Writes the exam's `text` to `path`; false, with the failure shown, when it could not be.
  bool writeTo(const std::u16string& path, const std::u16string& text);

  EditorState state_;
  QuestionForm& form_;
  QuestionEditor& questions_;
  FileDialogs* dialogs_;
  // Whether the document's filePath names an exam file that Save may write over.
  bool pathIsExamFile_ = false;
};

}  // namespace quizmora
