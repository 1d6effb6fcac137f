// The tokenizer's events for well-formed and malformed input, one table per construct.
#include "format/markup_parser.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/test_support.h"

namespace quizmora {
namespace {

using test::printable;

// Records events as short strings. Consecutive characters are merged: "t:" for units read
// as they stand, "r:" for units decoded from a reference.
class RecordingParser : public MarkupParser {
 public:
  std::vector<std::string> events;

  using MarkupParser::closeElementByName;

 protected:
  void onStartElement(const MarkupElement& element) override {
    std::string event = "start " + printable(element.name);
    if (!element.attributes.pairs().empty()) {
      event += " {";
      bool first = true;
      for (const auto& pair : element.attributes.pairs()) {
        if (!first) event += ",";
        event += printable(*pair.name) + "=" + printable(pair.value);
        first = false;
      }
      event += "}";
    }
    events.push_back(event);
  }
  void onEndElement(const MarkupElement& element) override {
    events.push_back("end " + printable(element.name));
  }
  void onComment(std::u16string_view text) override {
    events.push_back("comment " + printable(text));
  }
  void onCharacter(char16_t unit) override {
    const std::string prefix = unitFromReference() ? "r:" : "t:";
    std::string text = printable(std::u16string_view(&unit, 1));
    if (!events.empty() && events.back().rfind(prefix, 0) == 0) {
      events.back() += text;
    } else {
      events.push_back(prefix + text);
    }
  }
};

struct ParseCase {
  std::u16string input;
  std::vector<std::string> events;
  bool result = true;
};

void PrintTo(const ParseCase& c, std::ostream* out) { *out << '"' << printable(c.input) << '"'; }

std::vector<std::string> parse(RecordingParser& parser, std::u16string_view text,
                               bool* result = nullptr) {
  MarkupInput input{text.data(), text.size(), 0};
  bool ok = parser.parseMarkup(input);
  if (result) *result = ok;
  EXPECT_EQ(input.position, text.size());
  return parser.events;
}

class ParseTable : public testing::TestWithParam<ParseCase> {};

TEST_P(ParseTable, DeliversTheExpectedEvents) {
  RecordingParser parser;
  bool result = false;
  EXPECT_EQ(parse(parser, GetParam().input, &result), GetParam().events);
  EXPECT_EQ(result, GetParam().result);
}

// Plain text, the final "<", and "<" that starts nothing.
INSTANTIATE_TEST_SUITE_P(
    Text, ParseTable,
    testing::Values(ParseCase{u"", {}}, ParseCase{u"plain text\r\n\t", {"t:plain text\\r\\n\\t"}},
                    ParseCase{u"1 < 2", {"t:1 < 2"}}, ParseCase{u"<", {}, false},
                    ParseCase{u"abc<", {"t:abc"}, false}, ParseCase{u"<a><", {"start a"}, false},
                    ParseCase{u"<1>", {"t:<1>"}}, ParseCase{u"<?xml?>", {"t:<?xml?>"}},
                    ParseCase{u"<\u00e9>", {"t:<\\u00E9>"}}, ParseCase{u"x>y", {"t:x>y"}}));

// Every cell of the start-tag state table that can be reached.
INSTANTIATE_TEST_SUITE_P(
    StartTagName, ParseTable,
    testing::Values(ParseCase{u"<abc>", {"start abc"}}, ParseCase{u"<a >", {"start a"}},
                    ParseCase{u"<a\tb\r\n>", {"start a {b=}"}},
                    ParseCase{u"<a/>", {"start a", "end a"}}, ParseCase{u"<a\"b>", {"t:<a\"b>"}},
                    ParseCase{u"<a<b>x", {"t:<a", "start b", "t:x"}},
                    ParseCase{u"<a=b>", {"t:<a=b>"}}, ParseCase{u"<ab", {"t:<ab"}},
                    ParseCase{u"<a\u00e9\u4e2d>", {"start a\\u00E9\\u4E2D"}}));

INSTANTIATE_TEST_SUITE_P(StartTagBetweenAttributes, ParseTable,
                         testing::Values(ParseCase{u"<a  b=1>", {"start a {b=1}"}},
                                         ParseCase{u"<a \"x\">", {"t:<a \"x\">"}},
                                         ParseCase{u"<a />", {"start a", "end a"}},
                                         ParseCase{u"<a <b>", {"t:<a ", "start b"}},
                                         ParseCase{u"<a =1>", {"t:<a =1>"}},
                                         ParseCase{u"<a b =1>", {"start a {b=1}"}},
                                         ParseCase{u"<a b >", {"start a {b=}"}},
                                         ParseCase{u"<a b", {"t:<a b"}}));

INSTANTIATE_TEST_SUITE_P(
    StartTagAttributeName, ParseTable,
    testing::Values(
        // A valueless attribute followed by another is lost; one before ">" survives.
        ParseCase{u"<a b c>", {"start a {c=}"}}, ParseCase{u"<a b\"c=1>", {"start a {bc=1}"}},
        ParseCase{u"<a b/>", {"t:<a b/>"}}, ParseCase{u"<a b<c>", {"t:<a b", "start c"}},
        ParseCase{u"<a b=1>", {"start a {b=1}"}}, ParseCase{u"<a b>", {"start a {b=}"}},
        ParseCase{u"<a Bc=1>", {"start a {bc=1}"}}));

INSTANTIATE_TEST_SUITE_P(
    StartTagAfterEquals, ParseTable,
    testing::Values(ParseCase{u"<a b= 1>", {"start a {b=1}"}},
                    ParseCase{u"<a b=\"x y\">", {"start a {b=x y}"}},
                    ParseCase{u"<a b=/>", {"t:<a b=/>"}},
                    ParseCase{u"<a b=<c>", {"t:<a b=", "start c"}},
                    ParseCase{u"<a b==1>", {"t:<a b==1>"}},
                    // ">" right after "=" replaces the pending name by the empty token.
                    ParseCase{u"<a b=>", {"start a {=}"}}, ParseCase{u"<a b=", {"t:<a b="}}));

INSTANTIATE_TEST_SUITE_P(
    StartTagValues, ParseTable,
    testing::Values(
        ParseCase{u"<a b=\"<>/= '\">", {"start a {b=<>/= '}"}},
        ParseCase{u"<a b=\"&amp;\">", {"start a {b=&amp;}"}},
        ParseCase{u"<a b=\"\">", {"start a {b=}"}},
        ParseCase{u"<a b=\"1\"c=\"2\">", {"start a {b=1,c=2}"}},
        ParseCase{u"<a b=\"x", {"t:<a b=\"x"}}, ParseCase{u"<a b='x'>", {"start a {b='x'}"}},
        ParseCase{u"<a b=1 c=2>", {"start a {b=1,c=2}"}}, ParseCase{u"<a b=1\">", {"t:<a b=1\">"}},
        ParseCase{u"<a b=1/>", {"t:<a b=1/>"}}, ParseCase{u"<a b=1<c>", {"t:<a b=1", "start c"}},
        ParseCase{u"<a b=1=>", {"t:<a b=1=>"}}, ParseCase{u"<a b=1", {"t:<a b=1"}},
        // A name seen again keeps its first place and takes the new value.
        ParseCase{u"<a b=1 c=2 B=3>", {"start a {b=3,c=2}"}},
        ParseCase{u"<a B=\"1\" d>", {"start a {b=1,d=}"}}));

INSTANTIATE_TEST_SUITE_P(
    StartTagSelfClosing, ParseTable,
    testing::Values(ParseCase{u"<a / x=\"y\">", {"start a", "end a"}},
                    ParseCase{u"<a b />", {"start a {b=}", "end a"}},
                    ParseCase{u"<a b=1 />", {"start a {b=1}", "end a"}},
                    ParseCase{u"<a//>", {"t:<a//>"}}, ParseCase{u"<a/<b>", {"t:<a/", "start b"}},
                    ParseCase{u"<a/", {"t:<a/"}},
                    ParseCase{u"<x><a/>y</x>", {"start x", "start a", "end a", "t:y", "end x"}}));

INSTANTIATE_TEST_SUITE_P(
    EndTags, ParseTable,
    testing::Values(ParseCase{u"<a>x</A>", {"start a", "t:x", "end a"}},
                    ParseCase{u"<a><b>x</a>", {"start a", "start b", "t:x", "end b", "end a"}},
                    ParseCase{u"<a><b></b></a>", {"start a", "start b", "end b", "end a"}},
                    ParseCase{u"<a>x</a >", {"start a", "t:x</a >"}},
                    ParseCase{u"</a>", {"t:</a>"}}, ParseCase{u"<a></>", {"start a", "t:</>"}},
                    ParseCase{u"<a></a", {"start a", "t:</a"}},
                    ParseCase{u"<a></a\n>", {"start a", "t:</a\\n>"}},
                    ParseCase{u"<a></a\r>", {"start a", "t:</a\\r>"}},
                    ParseCase{u"<a></a\">", {"start a", "t:</a\">"}},
                    ParseCase{u"<a></a/>", {"start a", "t:</a/>"}},
                    ParseCase{u"<a></a=>", {"start a", "t:</a=>"}},
                    ParseCase{u"<a></a<b>", {"start a", "t:</a", "start b"}},
                    // A tab is part of the name, so this end tag names "a\t", which is not open.
                    ParseCase{u"<a></a\t>", {"start a", "t:</a\\t>"}},
                    ParseCase{u"<a><b></c></a>",
                              {"start a", "start b", "t:</c>", "end b", "end a"}},
                    // Only ASCII letters match without regard to case.
                    ParseCase{u"<a\u00c9></a\u00e9>", {"start a\\u00C9", "t:</a\\u00E9>"}},
                    ParseCase{u"<a><a>x</a>", {"start a", "start a", "t:x", "end a"}}));

INSTANTIATE_TEST_SUITE_P(
    Comments, ParseTable,
    testing::Values(
        ParseCase{u"<!-- x -->", {"comment  x "}}, ParseCase{u"<!---->", {"t:<!---->"}},
        ParseCase{u"<!--->-->", {"comment >"}}, ParseCase{u"<!-->-->", {"comment >"}},
        ParseCase{u"<!--a--->", {"comment a-"}}, ParseCase{u"<!--a-b-->", {"comment a-b"}},
        ParseCase{u"<!--a--b-->", {"comment a--b"}}, ParseCase{u"<!--a->-->", {"comment a->"}},
        ParseCase{u"<!--<a>&lt;-->", {"comment <a>&lt;"}}, ParseCase{u"<!--x", {"t:<!--x"}},
        ParseCase{u"<!--x--", {"t:<!--x--"}}, ParseCase{u"<!-x-->", {"t:<!-x-->"}},
        ParseCase{u"<!>", {"t:<!>"}}, ParseCase{u"<!DOCTYPE x>", {"t:<!DOCTYPE x>"}},
        ParseCase{u"<![CDATA[x]]>", {"t:<![CDATA[x]]>"}}));

INSTANTIATE_TEST_SUITE_P(
    References, ParseTable,
    testing::Values(
        ParseCase{u"&lt;&#65;&#x42;&amp;", {"r:<AB&"}}, ParseCase{u"&quot;&apos;&gt;", {"r:\"'>"}},
        ParseCase{u"&#a;", {"t:&#a;"}}, ParseCase{u"&#d;", {"t:&#d;"}},
        ParseCase{u"&unknown;", {"t:&unknown;"}}, ParseCase{u"&LT;", {"t:&LT;"}},
        ParseCase{u"&lt", {"r:<"}}, ParseCase{u"&amp", {"r:&"}}, ParseCase{u"&lt x", {"t:&lt x"}},
        ParseCase{u"&", {"t:&"}}, ParseCase{u"&;", {"t:&;"}}, ParseCase{u"&a;", {"t:&a;"}},
        ParseCase{u"&#;", {"t:&#;"}}, ParseCase{u"&#9;", {"r:\\t"}},
        ParseCase{u"&#10;&#13;", {"r:\\n\\r"}}, ParseCase{u"&# 65;", {"r:A"}},
        ParseCase{u"&#+65;", {"r:A"}}, ParseCase{u"&#65 ;", {"t:&#65 ;"}},
        ParseCase{u"&#-1;", {"r:\\uFFFF"}}, ParseCase{u"&#X41;", {"t:&#X41;"}},
        ParseCase{u"&#x0x41;", {"r:A"}}, ParseCase{u"&#x0x;", {"t:&#x0x;"}},
        ParseCase{u"&#xffFF;", {"r:\\uFFFF"}}, ParseCase{u"&#x10041;", {"r:A"}},
        ParseCase{u"&#65537;", {"r:\\u0001"}}, ParseCase{u"&#x1F600;", {"r:\\uF600"}},
        // Eleven units of name are allowed, a twelfth is not.
        ParseCase{u"&#1234567890;", {"r:\\u02D2"}}, ParseCase{u"&#9999999999;", {"r:\\uFFFF"}},
        ParseCase{u"&#12345678901;", {"t:&#12345678901;"}},
        ParseCase{u"&abcdefghijk;", {"t:&abcdefghijk;"}},
        ParseCase{u"&abcdefghijkl;", {"t:&abcdefghijkl;"}}, ParseCase{u"&&lt;", {"t:&", "r:<"}},
        ParseCase{u"a&b<c>", {"t:a&b", "start c"}}));

// References that would yield U+0000 are read as text: a NUL would cut the text short.
INSTANTIATE_TEST_SUITE_P(ReferencesToNul, ParseTable,
                         testing::Values(ParseCase{u"&#0;", {"t:&#0;"}},
                                         ParseCase{u"&#x0;", {"t:&#x0;"}},
                                         ParseCase{u"&#x;", {"t:&#x;"}},
                                         ParseCase{u"&#65536;", {"t:&#65536;"}},
                                         ParseCase{u"&#x10000;", {"t:&#x10000;"}},
                                         ParseCase{u"&#-65536;", {"t:&#-65536;"}}));

TEST(MarkupParser, OpenElementsStayForTheNextRun) {
  RecordingParser parser;
  parse(parser, u"<a><b>");
  EXPECT_EQ(parser.openElementCount(), 2u);
  parser.events.clear();
  EXPECT_EQ(parse(parser, u"x</A>"), (std::vector<std::string>{"t:x", "end b", "end a"}));
  EXPECT_EQ(parser.openElementCount(), 0u);
}

TEST(MarkupParser, ParsingStartsAtTheInputPosition) {
  RecordingParser parser;
  std::u16string text = u"<a>skip<b>";
  MarkupInput input{text.data(), text.size(), 7};
  EXPECT_TRUE(parser.parseMarkup(input));
  EXPECT_EQ(parser.events, (std::vector<std::string>{"start b"}));
}

TEST(MarkupParser, ElementsAreOnTheStackDuringTheirEvents) {
  class StackWatcher : public MarkupParser {
   public:
    std::vector<std::size_t> depths;

   protected:
    void onStartElement(const MarkupElement& e) override {
      depths.push_back(openElementCount());
      EXPECT_EQ(&openElement(openElementCount() - 1), &e);
    }
    void onEndElement(const MarkupElement& e) override {
      depths.push_back(openElementCount());
      EXPECT_EQ(&openElement(openElementCount() - 1), &e);
    }
    void onComment(std::u16string_view) override {}
    void onCharacter(char16_t) override {}
  } parser;
  std::u16string text = u"<a><b/><c>";
  MarkupInput input{text.data(), text.size(), 0};
  parser.parseMarkup(input);
  EXPECT_EQ(parser.depths, (std::vector<std::size_t>{1, 2, 2, 2}));
}

TEST(MarkupParser, ADerivedClassMayReplaceTheEndTagScan) {
  // A scanner that accepts nothing turns every end tag into text.
  class NoEndTags : public RecordingParser {
   protected:
    bool scanEndTag(MarkupInput&) override { return false; }
  } parser;
  EXPECT_EQ(parse(parser, u"<a>x</a>"), (std::vector<std::string>{"start a", "t:x</a>"}));
}

// A handler that takes plain text in runs sees the same events, in the same order, as one
// that takes it unit by unit; a run never holds markup or a reference.
TEST(MarkupParser, TextRunsMatchUnitByUnitDelivery) {
  class RunRecorder : public RecordingParser {
   public:
    std::size_t runs = 0;

   protected:
    void onCharacters(std::u16string_view run) override {
      ++runs;
      EXPECT_FALSE(run.empty());
      EXPECT_EQ(run.find_first_of(u"<&"), std::u16string_view::npos) << printable(run);
      EXPECT_FALSE(unitFromReference());
      for (char16_t unit : run) onCharacter(unit);
    }
  };
  const std::u16string inputs[] = {
      u"plain",
      u"a&amp;b&lt;c&#65;d",
      u"<q>first line\r\nsecond</q>tail",
      u"x < y & z > w",
      u"<a>1<!--c-->2<b/>3</a>4",
      u"&unknown;text&#xZ;more",
      u"\u00e9\u4e2d\xd83d\xde00<",
  };
  for (const auto& text : inputs) {
    RecordingParser byUnit;
    RunRecorder byRun;
    bool unitResult = false;
    bool runResult = false;
    EXPECT_EQ(parse(byRun, text, &runResult), parse(byUnit, text, &unitResult)) << printable(text);
    EXPECT_EQ(runResult, unitResult);
    EXPECT_GT(byRun.runs, 0u) << printable(text);
  }
}

TEST(MarkupParser, CloseByNameReportsWhetherAnElementWasFound) {
  RecordingParser parser;
  parse(parser, u"<a><b><c>");
  parser.events.clear();
  EXPECT_FALSE(parser.closeElementByName(u"x"));
  EXPECT_TRUE(parser.closeElementByName(u"B"));
  EXPECT_EQ(parser.events, (std::vector<std::string>{"end c", "end b"}));
  EXPECT_EQ(parser.openElementCount(), 1u);
}

TEST(ElfHash, MatchesTheClassicFunction) {
  struct Case {
    std::u16string name;
    std::uint32_t hash;
  };
  const Case cases[] = {
      {u"", 0x0},
      {u"a", 0x61},
      {u"ab", 0x672},
      {u"item", 0x70abd},
      {u"isCorrect", 0xa69fbd4},
      {u"abcdefghijklmnop", 0xbb9a310},  // long enough to fold the top bits
      {u"\u00e9\u4e2d\U0001F600", 0x6b1ed0},
  };
  for (const Case& c : cases) EXPECT_EQ(elfHash(c.name), c.hash) << printable(c.name);
}

TEST(AttributeTable, NamesAreLowerCasedAndFoundWithoutRegardToCase) {
  AttributeTable table;
  table.insert(u"Name", u"1");
  table.insert(u"other", u"2");
  table.insert(u"NAME", u"3");
  ASSERT_EQ(table.pairs().size(), 2u);
  EXPECT_EQ(*table.pairs()[0].name, u"name");
  EXPECT_EQ(table.pairs()[0].value, u"3");
  ASSERT_NE(table.find(u"nAmE"), nullptr);
  EXPECT_EQ(*table.find(u"nAmE"), u"3");
  EXPECT_EQ(table.find(u"missing"), nullptr);
}

TEST(AttributeTable, ManyNamesInOneBucketAreAllKept) {
  // 37 names cover every bucket at least once and share one bucket at least twice.
  AttributeTable table;
  for (int i = 0; i < 100; ++i) {
    std::u16string name = u"n" + std::u16string(1, static_cast<char16_t>(u'0' + i % 10)) +
                          std::u16string(1, static_cast<char16_t>(u'a' + i / 10));
    table.insert(name, name);
  }
  ASSERT_EQ(table.pairs().size(), 100u);
  for (const auto& pair : table.pairs()) {
    ASSERT_NE(table.find(*pair.name), nullptr);
    EXPECT_EQ(*table.find(*pair.name), *pair.name);
  }
}

TEST(AttributeNamePool, EqualNamesShareOneString) {
  AttributeTable first;
  AttributeTable second;
  first.insert(u"Pooled-Name", u"x");
  second.insert(u"pooled-name", u"y");
  const std::size_t size = AttributeNamePool::instance().size();
  second.insert(u"POOLED-NAME", u"z");
  EXPECT_EQ(first.pairs()[0].name, second.pairs()[0].name);
  EXPECT_EQ(AttributeNamePool::instance().size(), size);
  EXPECT_EQ(AttributeNamePool::instance().intern(u"pooled-name"), first.pairs()[0].name);
}

}  // namespace
}  // namespace quizmora
