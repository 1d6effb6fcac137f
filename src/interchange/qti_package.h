#pragma once
// IMS QTI 2.1 content packages: a zip with imsmanifest.xml, one assessmentItem file per
// question and one assessmentTest that lists them in order and carries the exam's title
// (the author is in the manifest's metadata). One choice is a choiceInteraction with
// maxChoices 1, multiple choice one with maxChoices 0, both with their correctResponse; a
// flash card is a textEntryInteraction whose correctResponse is the back. What comes in
// besides: an extendedTextInteraction as a flash card with an empty back, XHTML as plain
// text. Items of other kinds are skipped with a warning naming the item file.

#include <optional>
#include <string>
#include <string_view>

#include "interchange/interchange_report.h"
#include "model/exam_document.h"

namespace quizmora {

// nullopt, with report.error set, when the bytes are not a zip, the zip holds no
// imsmanifest.xml, or one of its XML files does not parse.
std::optional<ExamDocument> readQtiPackage(std::string_view zipBytes, InterchangeReport& report);

// The zip's bytes; empty (with report.error set) only when the archive could not be built.
std::string writeQtiPackage(const ExamDocument& exam, InterchangeReport& report);

}  // namespace quizmora
