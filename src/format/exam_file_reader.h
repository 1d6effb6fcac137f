#pragma once
// Reading exam files: the markup parser's events become questions and answers.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "format/markup_parser.h"
#include "model/exam_document.h"

namespace quizmora {

// The second decoding pass over Question and Text contents: the "&#" forms the parser left
// as they are ("&#a;", "&#d;", and digits, "a" and "d" in general) become the unit they
// name. A form containing a unit listed in `decodedUnits` (positions of units the parser
// produced by decoding a reference, ascending) is the author's own text and stays as it is.
// A form whose value is 0 is read as text. With `oldFormat` the pass runs on 8-bit units:
// the value is taken modulo 256; units above U+00FF pass through unchanged.
std::u16string decodeTextReferences(std::u16string_view text, bool oldFormat,
                                    const std::vector<std::size_t>& decodedUnits = {});

// Integer value of a Mode or Type text: leading white space, an optional sign, decimal
// digits up to the first other unit; no digits gives 0; saturates at the 32-bit range.
std::int32_t integerValueOf(std::u16string_view text);

class ExamFileReader final : public MarkupParser {
 public:
  // Finished questions are appended to `questions` (the document's own list).
  explicit ExamFileReader(std::vector<QuestionRecord>& questions);
  ~ExamFileReader() override;

  // What the caller does before each load: empty element name, text, question list,
  // author and title; mode 0.
  void reset();

  // Loads the whole file content. Reading stops at the first U+0000. Every load starts
  // with no open elements and a fresh pending question and answer. Afterwards the question
  // list and each answer list hold the reverse of their file order, so that a load of
  // composeExamText(d) gives back d's questions. Returns the parser's result.
  bool loadExamText(std::u16string_view text, bool oldFormat);

  bool oldFormat() const { return oldFormat_; }
  std::int32_t mode() const { return mode_; }
  const std::u16string& author() const { return author_; }
  const std::u16string& title() const { return title_; }
  std::vector<QuestionRecord>& questions() { return questions_; }

 protected:
  void onStartElement(const MarkupElement& element) override;
  void onEndElement(const MarkupElement& element) override;
  void onComment(std::u16string_view text) override;
  void onCharacter(char16_t unit) override;
  void onCharacters(std::u16string_view run) override;

 private:
  void setElementName(const std::u16string& name);
  void resetPendingQuestion();
  void resetPendingAnswer();
  void clearText();
  std::u16string decodedText() const;  // text_ after the second decoding pass

  bool oldFormat_ = false;
  std::int32_t mode_ = 0;
  std::u16string elementName_;
  std::u16string text_;
  std::vector<std::size_t> decodedUnits_;  // positions in text_ that came from references
  bool ampersandInText_ = false;
  QuestionRecord pendingQuestion_;
  AnswerRecord pendingAnswer_;
  std::u16string author_;
  std::u16string title_;
  std::vector<QuestionRecord>& questions_;
  std::size_t loadStart_ = 0;
};

}  // namespace quizmora
