// Printed versions of an exam: what each version and key holds, read back from the page; the
// choices that keep their place; how evenly versions spread orders and correct letters.

#include "interchange/exam_versions.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <regex>
#include <set>

#include "interchange/html_sheet.h"
#include "interchange/interchange_text.h"
#include "support/interchange_support.h"

namespace quizmora {
namespace {

TEST(ChoiceReference, EnglishPhrasesAndCapitalLetters) {
  const std::pair<std::u16string, ChoiceReference> cases[] = {
      {u"All of the above", ChoiceReference::ByPlace},
      {u"none of the above.", ChoiceReference::ByPlace},
      {u"NONE OF THE ANSWERS ABOVE", ChoiceReference::ByPlace},
      {u"Neither of the below", ChoiceReference::ByPlace},
      {u"A and C", ChoiceReference::ByLetter},
      {u"Both A and B", ChoiceReference::ByLetter},
      {u"A, B and C", ChoiceReference::ByLetter},
      {u"Neither B nor D", ChoiceReference::ByLetter},
      {u"Only (A) & (D) are correct", ChoiceReference::ByLetter},
      {u"Above the clouds", ChoiceReference::None},
      {u"All of these", ChoiceReference::None},
      {u"a and b", ChoiceReference::None},
      {u"A", ChoiceReference::None},
      {u"Vitamin A and B", ChoiceReference::None},
      {u"All are mammals, as the sentence above says", ChoiceReference::None},
      {u"Toutes les r\u00E9ponses ci-dessus", ChoiceReference::None},
      {u"", ChoiceReference::None},
  };
  for (const auto& [text, expected] : cases) {
    EXPECT_EQ(choiceReference(text), expected) << exportedText(text, "\n");
  }
}

// ---- the page, read back ------------------------------------------------------------------

struct PrintedQuestion {
  std::string text;
  std::vector<std::string> choices;  // in printed order
};

struct PrintedPage {
  std::vector<std::vector<PrintedQuestion>> versions;
  std::vector<std::vector<std::string>> keys;  // per version, "number. entry" a question
  std::vector<std::vector<int>> numbers;       // per row, version A's number under B, C, ...
};

PrintedPage readPage(const std::string& page) {
  static const std::regex part(
      R"(<section class="(version|key|numbers)|class="qtext">([^<]*)</span>|)"
      R"(<span class="letter">([A-Z]+)</span><span class="ctext">([^<]*)</span>|)"
      R"(<li><b>(\d+)\.</b> ([^<]*)</li>|<tr><th>\d+</th>((?:<td>\d+</td>)*)</tr>)");
  PrintedPage read;
  for (auto it = std::sregex_iterator(page.begin(), page.end(), part); it != std::sregex_iterator();
       ++it) {
    const std::smatch& m = *it;
    if (m[1] == "version") {
      read.versions.emplace_back();
    } else if (m[1] == "key") {
      read.keys.emplace_back();
    } else if (m[2].matched) {
      read.versions.back().push_back({m[2], {}});
    } else if (m[3].matched) {
      std::vector<std::string>& choices = read.versions.back().back().choices;
      EXPECT_EQ(m[3].str(), choiceLabel(choices.size()));
      choices.push_back(m[4]);
    } else if (m[5].matched) {
      read.keys.back().push_back(m[5].str() + ". " + m[6].str());
    } else if (m[7].matched) {
      std::vector<int>& row = read.numbers.emplace_back();
      const std::string cells = m[7];
      static const std::regex cell(R"(\d+)");
      for (auto c = std::sregex_iterator(cells.begin(), cells.end(), cell);
           c != std::sregex_iterator(); ++c) {
        row.push_back(std::stoi(c->str()));
      }
    }
  }
  return read;
}

// A correct choice's text ends in "*", so the key each version needs can be read off it.
ExamDocument versionsExam() {
  return test::examOf(
      {test::oneChoice(u"Q1", {{u"a", 0}, {u"b*", 1}, {u"c", 0}, {u"d", 0}}),
       test::multipleChoice(u"Q2", {{u"a*", 1}, {u"b", 0}, {u"c*", 1}, {u"d", 0}, {u"e", 0}}),
       test::flashCard(u"Q3", u"back 3"),
       test::oneChoice(u"Q4", {{u"x", 0}, {u"y*", 1}, {u"z", 0}, {u"All of the above", 0}}),
       test::multipleChoice(u"Q5", {{u"p*", 1}, {u"q*", 1}, {u"Both A and B*", 1}}),
       test::oneChoice(u"Q6",
                       {{u"m", 0}, {u"n*", 1}, {u"None of the above", 0}, {u"o", 0}, {u"r", 0}})},
      u"Versions", u"Teacher");
}

struct VersionsCase {
  int count;
  ShuffleKind shuffle;
  std::uint64_t seed;
};

// Every version holds the exam's questions and choices, each once; the pinned choices stay
// (Q4's last, all of Q5's, Q6's middle one with m and n above it); each key matches its
// version and the number table the orders; a seed gives the same bytes again, another seed
// another page.
TEST(ExamVersions, EachVersionHoldsTheExamAndItsKeyMatches) {
  const VersionsCase cases[] = {{1, ShuffleKind::Both, 0},
                                {2, ShuffleKind::Questions, 1},
                                {3, ShuffleKind::Choices, 123},
                                {4, ShuffleKind::Both, 7},
                                {26, ShuffleKind::Both, 18446744073709551615u}};
  const ExamDocument exam = versionsExam();
  std::vector<std::string> examTexts;
  std::vector<std::vector<std::string>> examChoices;
  for (const QuestionRecord& question : exam.questions) {
    examTexts.push_back(exportedText(question.text, "\n"));
    std::vector<std::string>& choices = examChoices.emplace_back();
    if (!isChoiceQuestion(question)) continue;
    for (const AnswerRecord& answer : question.answers) {
      choices.push_back(exportedText(answer.text, "\n"));
    }
  }
  for (const VersionsCase& c : cases) {
    SCOPED_TRACE(testing::Message()
                 << c.count << " versions, " << shuffleKindName(c.shuffle) << ", seed " << c.seed);
    InterchangeReport report;
    const std::string page = writeHtmlVersions(exam, {c.count, c.shuffle, c.seed, true}, report);
    EXPECT_EQ(page, writeHtmlVersions(exam, {c.count, c.shuffle, c.seed, true}, report));
    if (c.count > 1) {
      EXPECT_NE(page, writeHtmlVersions(exam, {c.count, c.shuffle, c.seed + 1, true}, report));
    }
    EXPECT_NE(page.find("seed " + std::to_string(c.seed) + "</p>"), std::string::npos);
    const PrintedPage read = readPage(page);
    ASSERT_EQ(read.versions.size(), static_cast<std::size_t>(c.count));
    ASSERT_EQ(read.keys.size(), read.versions.size());
    const bool table = c.count > 1 && c.shuffle != ShuffleKind::Choices;
    ASSERT_EQ(read.numbers.size(), table ? exam.questions.size() : 0u);

    for (std::size_t v = 0; v < read.versions.size(); ++v) {
      std::vector<std::string> order;
      for (const PrintedQuestion& printed : read.versions[v]) order.push_back(printed.text);
      EXPECT_TRUE(
          std::is_permutation(order.begin(), order.end(), examTexts.begin(), examTexts.end()));
      if (v == 0 || c.shuffle == ShuffleKind::Choices) {
        EXPECT_EQ(order, examTexts);
      }
      ASSERT_EQ(read.keys[v].size(), order.size());
      for (std::size_t k = 0; k < order.size(); ++k) {
        const std::vector<std::string>& choices = read.versions[v][k].choices;
        const std::size_t p = static_cast<std::size_t>(order[k][1] - '1');
        SCOPED_TRACE(order[k]);
        ASSERT_TRUE(std::is_permutation(choices.begin(), choices.end(), examChoices[p].begin(),
                                        examChoices[p].end()));
        if (v == 0 || c.shuffle == ShuffleKind::Questions || p == 4) {
          EXPECT_EQ(choices, examChoices[p]);
        }
        if (p == 3) {
          EXPECT_EQ(choices[3], "All of the above");
        }
        if (p == 5) {
          EXPECT_EQ(choices[2], "None of the above");
          EXPECT_EQ(std::set<std::string>(choices.begin(), choices.begin() + 2),
                    (std::set<std::string>{"m", "n*"}));
        }
        std::string correct = p == 2 ? "back 3" : "";
        for (std::size_t i = 0; i < choices.size(); ++i) {
          if (choices[i].ends_with('*')) correct += (correct.empty() ? "" : ", ") + choiceLabel(i);
        }
        EXPECT_EQ(read.keys[v][k], std::to_string(k + 1) + ". " + correct);
        if (table && v > 0) {
          EXPECT_EQ(read.numbers[k][v - 1], static_cast<int>(p + 1));
        }
      }
    }
  }
}

// ---- distribution -------------------------------------------------------------------------

ExamDocument fourChoiceExam(int questions) {
  std::vector<QuestionRecord> list;
  for (int q = 0; q < questions; ++q) {
    list.push_back(test::oneChoice(u"Q", {{u"right", 1}, {u"b", 0}, {u"c", 0}, {u"d", 0}}));
  }
  return test::examOf(list);
}

TEST(ExamVersions, NoTwoVersionsShareAnOrderWhileOrdersLast) {
  struct Case {
    int questions;
    int count;
    ShuffleKind shuffle;
    std::size_t distinct;  // the versions, or every order the exam has
  };
  const Case cases[] = {{4, 26, ShuffleKind::Questions, 24},
                        {5, 26, ShuffleKind::Both, 26},
                        {1, 24, ShuffleKind::Choices, 24},
                        {4, 26, ShuffleKind::Choices, 26}};
  for (const Case& c : cases) {
    const ExamDocument exam = fourChoiceExam(c.questions);
    for (std::uint64_t seed = 0; seed < 40; ++seed) {
      const std::vector<ExamVersion> versions = makeExamVersions(exam, c.count, c.shuffle, seed);
      ASSERT_EQ(versions.size(), static_cast<std::size_t>(c.count));
      std::set<std::vector<std::size_t>> questionOrders;
      std::set<std::vector<std::vector<std::size_t>>> choiceOrders;
      for (const ExamVersion& version : versions) {
        questionOrders.insert(version.questionOrder);
        choiceOrders.insert(version.choiceOrder);
      }
      EXPECT_EQ(c.shuffle == ShuffleKind::Choices ? choiceOrders.size() : questionOrders.size(),
                c.distinct)
          << c.questions << " questions, " << c.count << " versions, seed " << seed;
    }
  }
}

// Across many seeds the correct choice of a 4-choice question lands on each letter about a
// quarter of the time in versions B, C and D.
TEST(ExamVersions, CorrectChoiceFallsOnEveryLetterAlike) {
  const ExamDocument exam = fourChoiceExam(8);
  for (ShuffleKind shuffle : {ShuffleKind::Choices, ShuffleKind::Both}) {
    std::map<std::size_t, int> letters;
    int total = 0;
    for (std::uint64_t seed = 0; seed < 1000; ++seed) {
      const std::vector<ExamVersion> versions = makeExamVersions(exam, 4, shuffle, seed);
      for (std::size_t v = 1; v < versions.size(); ++v) {
        for (const std::vector<std::size_t>& order : versions[v].choiceOrder) {
          ++letters[static_cast<std::size_t>(std::find(order.begin(), order.end(), 0u) -
                                             order.begin())];
          ++total;
        }
      }
    }
    ASSERT_EQ(letters.size(), 4u);
    for (const auto& [letter, times] : letters) {
      EXPECT_NEAR(static_cast<double>(times) / total, 0.25, 0.01) << choiceLabel(letter);
    }
  }
}

}  // namespace
}  // namespace quizmora
