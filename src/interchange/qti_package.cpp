// Writing QTI 2.1 packages. Reading is in qti_package_reader.cpp.
#include "interchange/qti_package.h"

#include <algorithm>
#include <vector>

#include "interchange/xml_export.h"
#include "interchange/xml_text.h"
#include "interchange/zip_archive.h"

namespace quizmora {

namespace {

constexpr std::string_view kXmlDeclaration = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
constexpr std::string_view kQtiRoot =
    " xmlns=\"http://www.imsglobal.org/xsd/imsqti_v2p1\""
    " xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\""
    " xsi:schemaLocation=\"http://www.imsglobal.org/xsd/imsqti_v2p1"
    " http://www.imsglobal.org/xsd/qti/qtiv2p1/imsqti_v2p1.xsd\"";
constexpr std::string_view kTestFile = "assessment.xml";

std::string itemFile(int number) { return "items/item" + std::to_string(number) + ".xml"; }

void appendAttribute(std::string& out, std::string_view name, std::string_view utf8) {
  out.append(" ").append(name).append("=\"");
  appendXmlEscaped(out, utf8, XmlBreaks::Attribute);
  out.push_back('"');
}

// A vCard property value: backslash, comma and semicolon escaped, line breaks as "\n".
std::string vcardValue(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\\' || c == ',' || c == ';') {
      out.push_back('\\');
      out.push_back(c);
    } else if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
      out.append("\\n");
      ++i;
    } else if (c == '\n') {
      out.append("\\n");
    } else {
      out.push_back(c);
    }
  }
  return out;
}

std::string itemXml(const ExportedQuestion& question, int number, std::string_view title) {
  std::string out;
  out.reserve(question.text.size() * 2 + 1024);
  out.append(kXmlDeclaration).append("<assessmentItem").append(kQtiRoot);
  appendAttribute(out, "identifier", "item" + std::to_string(number));
  appendAttribute(out, "title", title);
  out.append(" adaptive=\"false\" timeDependent=\"false\">\n");

  const bool card = question.kind == QuestionType::FlashCard;
  const bool single = question.kind != QuestionType::MultipleChoice;
  out.append("  <responseDeclaration identifier=\"RESPONSE\" cardinality=\"")
      .append(single ? "single" : "multiple")
      .append("\" baseType=\"")
      .append(card ? "string" : "identifier")
      .append("\">\n");
  std::string values;
  if (card) {
    if (!question.answers[0].text.empty()) {
      values.append("      <value>");
      appendXmlEscaped(values, question.answers[0].text, XmlBreaks::Attribute);
      values.append("</value>\n");
    }
  } else {
    for (std::size_t i = 0; i < question.answers.size(); ++i) {
      if (!question.answers[i].correct) continue;
      values.append("      <value>choice").append(std::to_string(i + 1)).append("</value>\n");
    }
  }
  if (!values.empty()) {
    out.append("    <correctResponse>\n").append(values).append("    </correctResponse>\n");
  }
  out.append("  </responseDeclaration>\n");
  out.append(
      "  <outcomeDeclaration identifier=\"SCORE\" cardinality=\"single\" baseType=\"float\"/>\n");
  out.append("  <itemBody>\n");
  if (card) {
    out.append("    <p>");
    appendXmlEscaped(out, question.text, XmlBreaks::Markup);
    out.append("</p>\n    <p><textEntryInteraction responseIdentifier=\"RESPONSE\"/></p>\n");
  } else {
    out.append(
           "    <choiceInteraction responseIdentifier=\"RESPONSE\" shuffle=\"false\" maxChoices=\"")
        .append(single ? "1" : "0")
        .append("\">\n");
    if (!question.text.empty()) {
      out.append("      <prompt>");
      appendXmlEscaped(out, question.text, XmlBreaks::Markup);
      out.append("</prompt>\n");
    }
    for (std::size_t i = 0; i < question.answers.size(); ++i) {
      out.append("      <simpleChoice identifier=\"choice")
          .append(std::to_string(i + 1))
          .append("\">");
      appendXmlEscaped(out, question.answers[i].text, XmlBreaks::Markup);
      out.append("</simpleChoice>\n");
    }
    out.append("    </choiceInteraction>\n");
  }
  out.append("  </itemBody>\n");
  out.append(
      "  <responseProcessing"
      " template=\"http://www.imsglobal.org/question/qti_v2p1/rptemplates/match_correct\"/>\n");
  out.append("</assessmentItem>\n");
  return out;
}

std::string testXml(std::string_view title, const std::vector<int>& items) {
  std::string out;
  out.reserve(items.size() * 64 + 1024);
  out.append(kXmlDeclaration).append("<assessmentTest").append(kQtiRoot);
  out.append(" identifier=\"test\"");
  appendAttribute(out, "title", title);
  out.append(
      ">\n  <testPart identifier=\"part1\" navigationMode=\"nonlinear\""
      " submissionMode=\"simultaneous\">\n");
  out.append(
      "    <assessmentSection identifier=\"section1\" title=\"Questions\" visible=\"true\">\n");
  for (int number : items) {
    out.append("      <assessmentItemRef identifier=\"item")
        .append(std::to_string(number))
        .append("\" href=\"")
        .append(itemFile(number))
        .append("\"/>\n");
  }
  out.append("    </assessmentSection>\n  </testPart>\n</assessmentTest>\n");
  return out;
}

void appendLangString(std::string& out, std::string_view utf8) {
  out.append("<imsmd:langstring xml:lang=\"x-none\">");
  appendXmlEscaped(out, utf8, XmlBreaks::Attribute);
  out.append("</imsmd:langstring>");
}

std::string manifestXml(std::string_view title, std::string_view author,
                        const std::vector<int>& items) {
  std::string out;
  out.reserve(items.size() * 200 + 2048);
  out.append(kXmlDeclaration);
  out.append(
      "<manifest xmlns=\"http://www.imsglobal.org/xsd/imscp_v1p1\""
      " xmlns:imsmd=\"http://www.imsglobal.org/xsd/imsmd_v1p2\""
      " xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\""
      " xsi:schemaLocation=\"http://www.imsglobal.org/xsd/imscp_v1p1"
      " http://www.imsglobal.org/xsd/imscp_v1p1.xsd"
      " http://www.imsglobal.org/xsd/imsmd_v1p2 http://www.imsglobal.org/xsd/imsmd_v1p2p4.xsd\""
      " identifier=\"MANIFEST\">\n");
  out.append(
      "  <metadata>\n    <schema>QTIv2.1 Package</schema>\n"
      "    <schemaversion>1.0.0</schemaversion>\n    <imsmd:lom>\n");
  out.append("      <imsmd:general><imsmd:title>");
  appendLangString(out, title);
  out.append("</imsmd:title></imsmd:general>\n");
  if (!author.empty()) {
    out.append("      <imsmd:lifecycle><imsmd:contribute><imsmd:role><imsmd:source>");
    appendLangString(out, "LOMv1.0");
    out.append("</imsmd:source><imsmd:value>");
    appendLangString(out, "Author");
    out.append("</imsmd:value></imsmd:role><imsmd:centity><imsmd:vcard>");
    const std::string name = vcardValue(author);
    std::string card = "BEGIN:VCARD\nVERSION:3.0\nFN:" + name + "\nN:" + name + ";;;;\nEND:VCARD";
    appendXmlEscaped(out, card, XmlBreaks::Text);
    out.append("</imsmd:vcard></imsmd:centity></imsmd:contribute></imsmd:lifecycle>\n");
  }
  out.append("    </imsmd:lom>\n  </metadata>\n  <organizations/>\n  <resources>\n");
  out.append("    <resource identifier=\"TEST\" type=\"imsqti_test_xmlv2p1\" href=\"")
      .append(kTestFile)
      .append("\">\n      <file href=\"")
      .append(kTestFile)
      .append("\"/>\n");
  for (int number : items) {
    out.append("      <dependency identifierref=\"ITEM")
        .append(std::to_string(number))
        .append("\"/>\n");
  }
  out.append("    </resource>\n");
  for (int number : items) {
    const std::string file = itemFile(number);
    out.append("    <resource identifier=\"ITEM")
        .append(std::to_string(number))
        .append("\" type=\"imsqti_item_xmlv2p1\" href=\"")
        .append(file)
        .append("\">\n      <file href=\"")
        .append(file)
        .append("\"/>\n    </resource>\n");
  }
  out.append("  </resources>\n</manifest>\n");
  return out;
}

// More than the package will take: every unit of text as three bytes of UTF-8 with room for
// escaping, and the markup of an item, its entries in the manifest, the test and the zip.
std::size_t packageSizeBound(const ExamDocument& exam) {
  std::size_t bytes = 8192 + exam.header.title.size() * 24 + exam.header.author.size() * 12;
  for (const QuestionRecord& question : exam.questions) {
    bytes += 4096 + question.text.size() * 8;
    for (const AnswerRecord& answer : question.answers) bytes += 128 + answer.text.size() * 8;
  }
  return bytes;
}

}  // namespace

std::string writeQtiPackage(const ExamDocument& exam, InterchangeReport& report) {
  const std::size_t firstNote = report.warnings.size();
  noteLostHeader(exam.header, true, report);
  bool dropped = false;
  const std::string title = xmlSafeUtf8(exam.header.title, dropped);
  const std::string author = xmlSafeUtf8(exam.header.author, dropped);
  if (dropped) report.warn(0, 0, "characters XML cannot hold were left out of the title or author");

  std::vector<int> items;
  items.reserve(exam.questions.size());
  int number = 0;
  for (const QuestionRecord& source : exam.questions) {
    ++number;
    const bool choice =
        source.type == QuestionType::OneChoice || source.type == QuestionType::MultipleChoice;
    if (choice && source.answers.empty()) {
      report.warn(number, 0, "a choice question without answers cannot be written; left out");
      continue;
    }
    items.push_back(number);
  }
  ZipWriter zip;
  zip.reserve(packageSizeBound(exam));
  bool added = zip.add("imsmanifest.xml", manifestXml(title, author, items)) &&
               zip.add(std::string(kTestFile), testXml(title, items));
  // Each item is made when the archive takes it in, and let go once written.
  for (int item : items) {
    const QuestionRecord& source = exam.questions[static_cast<std::size_t>(item - 1)];
    added = added && zip.add(itemFile(item), [&source, item, &report] {
      const ExportedQuestion question = exportedQuestion(source, item, report);
      bool ignored = false;
      std::string name = xmlSafeUtf8(questionName(source.text), ignored);
      if (name.empty()) name = "Question " + std::to_string(item);
      return itemXml(question, item, name);
    });
  }
  std::optional<std::string> bytes = added ? zip.finish() : std::nullopt;
  if (!bytes) {
    report.fail(0, 0, "the package could not be built");
    return {};
  }
  // Items were made after the questions left out were named: keep the notes in question order.
  std::stable_sort(
      report.warnings.begin() + static_cast<std::ptrdiff_t>(firstNote), report.warnings.end(),
      [](const InterchangeNote& a, const InterchangeNote& b) { return a.question < b.question; });
  return std::move(*bytes);
}

}  // namespace quizmora
