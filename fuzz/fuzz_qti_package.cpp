// Feeds arbitrary input to the QTI package reader. What it reads must survive being written
// and read again unchanged (line breaks aside: XHTML has one kind), unless the writer named
// what it left out.
//
// Input layout: the first byte chooses what the rest is.
//   0  the bytes of a zip
//   1  one item file, packed with a manifest that lists it
//   2  a manifest, packed with one item it may list as i.xml

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "interchange/qti_package.h"
#include "interchange/zip_archive.h"
#include "interchange_round_trip.h"

namespace {

constexpr std::string_view kManifest =
    "<manifest><resources><resource type=\"imsqti_item_xmlv2p1\" href=\"i.xml\"/></resources>"
    "</manifest>";
constexpr std::string_view kItem =
    "<assessmentItem><responseDeclaration identifier=\"R\"><correctResponse><value>a</value>"
    "</correctResponse></responseDeclaration><itemBody><choiceInteraction "
    "responseIdentifier=\"R\" maxChoices=\"1\"><prompt>Q</prompt><simpleChoice "
    "identifier=\"a\">A</simpleChoice></choiceInteraction></itemBody></assessmentItem>";

std::string packed(std::string_view manifest, std::string_view item) {
  quizmora::ZipWriter zip;
  zip.add("imsmanifest.xml", std::string(manifest));
  zip.add("i.xml", std::string(item));
  return zip.finish().value_or("");
}

// XHTML knows one line break; a lone CR goes out as one.
void breaksAsCrLf(std::u16string& text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == u'\r' && (i + 1 == text.size() || text[i + 1] != u'\n'))
      text.insert(i + 1, 1, u'\n');
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::string_view rest(reinterpret_cast<const char*>(data + 1), size - 1);
  std::string bytes;
  switch (data[0] % 3) {
    case 0:
      bytes = rest;
      break;
    case 1:
      bytes = packed(kManifest, rest);
      break;
    default:
      bytes = packed(rest, kItem);
      break;
  }
  quizmora::InterchangeReport report;
  std::optional<quizmora::ExamDocument> exam = quizmora::readQtiPackage(bytes, report);
  quizmora::fuzzing::require(exam.has_value() != report.failed(), "result and report disagree");
  if (!exam) return 0;
  breaksAsCrLf(exam->header.title);
  breaksAsCrLf(exam->header.author);
  for (quizmora::QuestionRecord& question : exam->questions) {
    breaksAsCrLf(question.text);
    for (quizmora::AnswerRecord& answer : question.answers) breaksAsCrLf(answer.text);
  }
  quizmora::fuzzing::checkWrittenReadsBack(*exam, quizmora::readQtiPackage,
                                           quizmora::writeQtiPackage);
  return 0;
}
