// QTI 2.1 packages: the interactions each kind becomes, texts that must come back exactly,
// random exams out and back, every written file valid against the QTI and content-packaging
// schemas, a platform's own package coming in, and packages that are refused.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <pugixml.hpp>

#include "interchange/qti_package.h"
#include "interchange/zip_archive.h"
#include "random_exam.h"
#include "support/interchange_support.h"
#include "support/test_support.h"

namespace quizmora {
namespace {

namespace fs = std::filesystem;

QuestionRecord question(QuestionType type, std::u16string text, std::vector<AnswerRecord> answers) {
  return QuestionRecord{type, std::move(text), std::move(answers)};
}

std::map<std::string, std::string> unpacked(const std::string& zipBytes) {
  std::string error;
  std::optional<ZipReader> zip = ZipReader::open(zipBytes, error);
  EXPECT_TRUE(zip) << error;
  std::map<std::string, std::string> files;
  if (!zip) return files;
  for (const std::string& name : zip->names()) {
    EXPECT_EQ(zip->read(name, files[name], std::size_t{1} << 30), ZipReader::Status::Ok) << name;
  }
  return files;
}

std::string packed(const std::map<std::string, std::string>& files) {
  ZipWriter zip;
  for (const auto& [name, content] : files) EXPECT_TRUE(zip.add(name, content)) << name;
  return zip.finish().value_or("");
}

std::map<std::string, std::string> folderFiles(const fs::path& folder) {
  std::map<std::string, std::string> files;
  for (const fs::directory_entry& entry : fs::recursive_directory_iterator(folder)) {
    if (!entry.is_regular_file()) continue;
    files[fs::relative(entry.path(), folder).generic_string()] = test::readBytes(entry.path());
  }
  return files;
}

std::vector<std::string> notes(const InterchangeReport& report) {
  std::vector<std::string> texts;
  for (const InterchangeNote& note : report.warnings) {
    texts.push_back("q" + std::to_string(note.question) + " " + note.text);
  }
  return texts;
}

ExamDocument roundTrip(const ExamDocument& exam, InterchangeReport& report) {
  const std::string bytes = writeQtiPackage(exam, report);
  std::optional<ExamDocument> back = readQtiPackage(bytes, report);
  EXPECT_TRUE(back) << (report.error ? report.error->text : "");
  return back.value_or(ExamDocument());
}

TEST(QtiPackage, EachKindBecomesItsInteraction) {
  struct Case {
    QuestionRecord question;
    const char* interaction;
    const char* maxChoices;  // "" when the attribute is not there
    const char* cardinality;
    const char* baseType;
    std::vector<std::string> correct;
  };
  const Case cases[] = {
      {question(QuestionType::OneChoice, u"Q", {{u"a", 0}, {u"b", 1}}),
       "choiceInteraction",
       "1",
       "single",
       "identifier",
       {"choice2"}},
      {question(QuestionType::MultipleChoice, u"Q", {{u"a", 1}, {u"b", 0}, {u"c", 1}}),
       "choiceInteraction",
       "0",
       "multiple",
       "identifier",
       {"choice1", "choice3"}},
      {question(QuestionType::MultipleChoice, u"Q", {{u"a", 0}}),
       "choiceInteraction",
       "0",
       "multiple",
       "identifier",
       {}},
      {question(QuestionType::FlashCard, u"Front", {{u"Back", 1}}),
       "textEntryInteraction",
       "",
       "single",
       "string",
       {"Back"}},
      {question(QuestionType::FlashCard, u"Front", {{u"", 1}}),
       "textEntryInteraction",
       "",
       "single",
       "string",
       {}},
      {question(static_cast<QuestionType>(9), u"Odd", {{u"x", 0}}),
       "textEntryInteraction",
       "",
       "single",
       "string",
       {"x"}},
  };
  for (const Case& c : cases) {
    ExamDocument exam;
    exam.questions = {c.question};
    InterchangeReport report;
    const std::map<std::string, std::string> files = unpacked(writeQtiPackage(exam, report));
    ASSERT_EQ(files.size(), 3u);
    const std::string& itemXml = files.at("items/item1.xml");
    SCOPED_TRACE(itemXml);
    pugi::xml_document item;
    ASSERT_TRUE(item.load_string(itemXml.c_str()));
    const pugi::xml_node root = item.child("assessmentItem");
    const pugi::xml_node declaration = root.child("responseDeclaration");
    EXPECT_STREQ(declaration.attribute("cardinality").value(), c.cardinality);
    EXPECT_STREQ(declaration.attribute("baseType").value(), c.baseType);
    std::vector<std::string> correct;
    for (pugi::xml_node value : declaration.child("correctResponse").children("value")) {
      correct.emplace_back(value.child_value());
    }
    EXPECT_EQ(correct, c.correct);
    const pugi::xml_node interaction = root.child("itemBody").find_node([](pugi::xml_node node) {
      return std::string_view(node.name()).ends_with("Interaction");
    });
    EXPECT_STREQ(interaction.name(), c.interaction);
    EXPECT_STREQ(interaction.attribute("maxChoices").value(), c.maxChoices);
  }
}

// Every special text in every place, a hundred answers, then random exams: out and back equal.
TEST(QtiPackage, SpecialAndRandomExamsComeBack) {
  QuestionRecord many = question(QuestionType::MultipleChoice, u"Which are even?", {});
  for (int i = 0; i < 100; ++i) {
    many.appendAnswer(
        {u"\u6F22 " + std::u16string(static_cast<std::size_t>(i % 4), u'<'), i % 2 == 0 ? 1 : 0});
  }
  ExamDocument hundred;
  hundred.questions = {many};
  for (std::uint32_t seed = 0; seed <= 201; ++seed) {
    const ExamDocument exam = seed == 0   ? test::specialTextsExam()
                              : seed == 1 ? hundred
                                          : test::randomExam(seed);
    InterchangeReport report;
    ASSERT_EQ(roundTrip(exam, report), exam) << "seed " << seed;
    EXPECT_TRUE(report.warnings.empty()) << "seed " << seed;
  }
}

TEST(QtiPackage, WhatDoesNotGoOutIsNamed) {
  ExamDocument exam;
  exam.header.title = u"T\u0002";
  exam.header.mode = ExamMode::LearningOnly;
  exam.questions = {question(QuestionType::OneChoice, u"no answers", {}),
                    question(QuestionType::FlashCard, u"card", {{u"back", 1}, {u"row", 0}})};
  InterchangeReport report;
  const std::optional<ExamDocument> back = readQtiPackage(writeQtiPackage(exam, report), report);
  EXPECT_EQ(notes(report), (std::vector<std::string>{
                               "q0 the exam mode is not kept",
                               "q0 characters XML cannot hold were left out of the title or author",
                               "q1 a choice question without answers cannot be written; left out",
                               "q2 1 answer after the back of the flash card left out",
                           }));
  ASSERT_TRUE(back);
  EXPECT_EQ(back->header.title, u"T");
  EXPECT_EQ(back->questions, std::vector<QuestionRecord>{
                                 question(QuestionType::FlashCard, u"card", {{u"back", 1}})});
}

// Every file of written packages against the schemas, as a platform's importer would check.
TEST(QtiPackage, WrittenFilesAreValid) {
  if (std::system("xmllint --version >/dev/null 2>&1") != 0) {
    GTEST_SKIP() << "xmllint is missing (Debian package libxml2-utils): schemas not checked";
  }
  const fs::path schemas = fs::path(QZM_TEST_DATA_DIR) / "qti";
  ExamDocument rich = test::randomExam(7);
  for (const std::u16string& text : test::specialTexts()) {
    rich.questions.push_back(question(QuestionType::OneChoice, text, {{text, 1}, {text, 0}}));
    rich.questions.push_back(question(QuestionType::FlashCard, text, {{text, 1}}));
  }
  rich.header.author = u"Ada; Lovelace, \\ \r\nLondon";
  const ExamDocument exams[] = {ExamDocument(), rich};
  for (const ExamDocument& exam : exams) {
    InterchangeReport report;
    test::TempDir folder;
    std::string items;
    for (const auto& [name, content] : unpacked(writeQtiPackage(exam, report))) {
      const fs::path path = folder.path() / name;
      fs::create_directories(path.parent_path());
      test::writeBytes(path, content);
      if (name != "imsmanifest.xml") items += " '" + path.string() + "'";
    }
    const std::string lint = "xmllint --noout --nonet --schema '";
    const std::string quiet = " 2>&1 | grep -v ' validates$'";
    EXPECT_EQ(std::system((lint + (schemas / "qtiv2p1_manifest_local.xsd").string() + "' '" +
                           (folder.path() / "imsmanifest.xml").string() + "' >/dev/null 2>&1")
                              .c_str()),
              0)
        << "imsmanifest.xml fails to validate";
    EXPECT_EQ(std::system(
                  (lint + (schemas / "imsqti_v2p1.xsd").string() + "'" + items + " >/dev/null 2>&1")
                      .c_str()),
              0)
        << "an item or the test fails to validate; run: " << lint
        << (schemas / "imsqti_v2p1.xsd").string() << "'" << items << quiet;
  }
}

TEST(QtiPackage, PlatformPackageComesIn) {
  const std::string bytes = packed(folderFiles(fs::path(QZM_TEST_DATA_DIR) / "qti_export"));
  InterchangeReport report;
  const std::optional<ExamDocument> exam = readQtiPackage(bytes, report);
  ASSERT_TRUE(exam) << report.error->text;
  ExamDocument expected;
  expected.header.title = u"Geography & Maps \u2013 Unit 3";
  expected.header.author = u"Jos\u00E9 Mart\u00EDn, Science Department";
  expected.questions = {
      question(QuestionType::OneChoice, u"Look at the map.\r\nWhat is the capital of Portugal?",
               {{u"Porto", 0}, {u"Lisboa\u00A0/ Lisbon", 1}, {u"Coimbra", 0}}),
      question(QuestionType::MultipleChoice,
               u"Which rivers flow into the\r\nNorth Sea or the Black Sea?",
               {{u"Rhine", 1}, {u"Po", 0}, {u"Danube", 1}}),
      question(QuestionType::FlashCard, u"The colours of the flag of France:",
               {{u"red, white and blue", 1}}),
      question(QuestionType::FlashCard, u"Why do rivers meander?\r\nGive two reasons.", {{u"", 1}}),
  };
  EXPECT_EQ(*exam, expected);
  EXPECT_EQ(notes(report),
            (std::vector<std::string>{
                "q1 content/items/capital.xml: image left out",
                "q0 content/items/matching.xml: matchInteraction item left out (no such kind here)",
                "q0 content/items/spelling.xml: an item of 2 interactions; left out",
                "q0 content/items/missing.xml is missing from the package; left out",
            }));
}

TEST(QtiPackage, BrokenPackagesAreRefused) {
  const std::string item =
      "<assessmentItem><itemBody><choiceInteraction maxChoices=\"1\"><simpleChoice "
      "identifier=\"a\">x</simpleChoice></choiceInteraction></itemBody></assessmentItem>";
  const std::string manifest =
      "<manifest><resources><resource type=\"imsqti_item_xmlv2p1\" href=\"i.xml\"/>"
      "</resources></manifest>";
  struct Case {
    std::string bytes;
    const char* error;
  };
  const Case cases[] = {
      {"", "not a zip archive: the file is empty"},
      {"PK\x03\x04 truncated", "not a zip archive: Not a zip archive"},
      {packed({{"i.xml", item}}), "not a content package: the zip holds no imsmanifest.xml"},
      {packed({{"a/imsmanifest.xml", manifest}, {"b/imsmanifest.xml", manifest}}),
       "not a content package: the zip holds no imsmanifest.xml"},
      {packed({{"imsmanifest.xml", "<manifest>\n<resources>\n</manifest>"}}),
       "imsmanifest.xml, line 3: not well-formed XML: Start-end tags mismatch"},
      {packed({{"imsmanifest.xml", "<package/>"}}),
       "imsmanifest.xml: not a content package manifest"},
      {packed({{"imsmanifest.xml", manifest}, {"i.xml", "<assessmentItem>\n<itemBody>"}}),
       "i.xml, line 2: not well-formed XML: Start-end tags mismatch"},
      {packed({{"imsmanifest.xml", manifest},
               {"i.xml",
                "<assessmentItem title=\"\xFF\"><itemBody><p>\xC3\x28</p>"
                "<extendedTextInteraction/></itemBody></assessmentItem>"}}),
       "i.xml: a text that is not valid UTF-8"},
  };
  for (const Case& c : cases) {
    InterchangeReport report;
    EXPECT_FALSE(readQtiPackage(c.bytes, report)) << c.error;
    ASSERT_TRUE(report.error) << c.error;
    EXPECT_EQ(report.error->text, c.error);
  }
  // The same item read well, found through a manifest in the one folder the zip holds.
  InterchangeReport report;
  const std::optional<ExamDocument> nested =
      readQtiPackage(packed({{"pkg/imsmanifest.xml", manifest}, {"pkg/i.xml", item}}), report);
  ASSERT_TRUE(nested);
  EXPECT_EQ(nested->questions,
            std::vector<QuestionRecord>{question(QuestionType::OneChoice, u"", {{u"x", 0}})});
}

}  // namespace
}  // namespace quizmora
