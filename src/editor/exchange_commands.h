#pragma once
// The exam to and from the formats of other tools, from the File menu: Add Questions from
// Other Tools, Export to Other Tools and the printable sheets. They read and write through
// the one list of formats qzm uses, offer whatever formats the build has, and show before
// anything is added or written what a format could not carry.

#include <optional>
#include <string>
#include <vector>

#include "editor/file_commands.h"
#include "editor/question_editor.h"
#include "editor/question_form.h"
#include "interchange/format_registry.h"

namespace quizmora {

// What one of the exchange dialogs offers: its filter entries and, entry by entry, the
// format each stands for (nullptr: "All exam formats", the file's name and content decide).
struct ExchangeChoices {
  std::vector<FileFilter> filters;
  std::vector<const ExamFormat*> formats;
};

// The formats questions can be added from, after a first "All exam formats" entry.
ExchangeChoices formatsToAdd();
// The formats the exam can be exported to, Moodle XML first.
ExchangeChoices formatsToExport();

class ExchangeCommands {
 public:
  // All references must outlive this; the dialogs are those `files` uses at the time.
  ExchangeCommands(EditorState state, QuestionForm& form, QuestionEditor& questions,
                   FileCommands& files);

  // True when questions were added to the exam.
  bool addQuestions();
  // True when the file was written. The exam's changed flag and file path stay as they were.
  bool exportExam();
  // The page written, for the window to open; nullopt when cancelled or not written.
  std::optional<std::u16string> printSheet(bool withKey);

 private:
  bool refuse(const std::u16string& what, const std::u16string& path, const std::string& reason);
  // True when there is nothing to warn about, or the author answered Yes to `question`.
  bool acceptWarnings(const InterchangeReport& report, const std::u16string& question);

  EditorState state_;
  QuestionForm& form_;
  QuestionEditor& questions_;
  FileCommands& files_;
};

// The warning box's text: at most 15 summarized lines, "…and N more", then `question`.
std::u16string warningText(const InterchangeReport& report, const std::u16string& question);

}  // namespace quizmora
