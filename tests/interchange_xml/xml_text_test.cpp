// The text helpers under both XML formats: HTML to plain text, XML-safe text, question names.
#include <gtest/gtest.h>

#include "interchange/html_text.h"
#include "interchange/xml_text.h"
#include "support/test_support.h"

namespace quizmora {
namespace {

TEST(HtmlToText, Table) {
  struct Case {
    const char* html;
    const char* text;
    int images;
  };
  const Case cases[] = {
      {"plain", "plain", 0},
      {"<p>one</p><p>two</p>", "one\ntwo", 0},
      {"a<br>b<br/>c<BR />d", "a\nb\nc\nd", 0},
      {"a<br><br>b", "a\n\nb", 0},
      {"<br>lead", "\nlead", 0},
      {"<p>line<br></p>end<br>", "line\nend", 0},
      {"a<br><br>", "a\n", 0},
      {"<ul>\n  <li>x</li>\n  <li>y</li>\n</ul>\n", "x\ny", 0},
      {"<div><p>deep</p></div>after", "deep\nafter", 0},
      {"\n   indented\n   source text\n", "indented source text", 0},
      {"kept  two\tspaces ", "kept  two\tspaces ", 0},
      {"<pre>a\n  b</pre>", "a\n  b", 0},
      {"&lt;tag&gt; &amp; &quot;q&quot; &apos;", "<tag> & \"q\" '", 0},
      {"caf&eacute; &Auml; &szlig; &yuml;", "caf\xC3\xA9 \xC3\x84 \xC3\x9F \xC3\xBF", 0},
      {"&alpha;&Omega;&ndash;&euro;", "\xCE\xB1\xCE\xA9\xE2\x80\x93\xE2\x82\xAC", 0},
      {"&#233;&#xE9;&#X1F600;", "\xC3\xA9\xC3\xA9\xF0\x9F\x98\x80", 0},
      {"&#0;&#xD800;&#99999999;", "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD", 0},
      {"&unknown; & &;", "&unknown; & &;", 0},
      {"&nbsp;", "\xC2\xA0", 0},
      {"a < b and c<3", "a < b and c<3", 0},
      {"<!-- note --><p>x</p><!-- open", "x", 0},
      {"<script>if (a<b) x();</script><style>p{}</style>shown", "shown", 0},
      {"<img src=\"a.png\" alt=\"a > b\">pic<img src='b.png'/>", "pic", 2},
      {"<p title=\"x>y\">quoted</p>", "quoted", 0},
      {"<table><tr><td>a</td><td>b</td></tr></table>", "a b", 0},
      {"<unclosed", "", 0},
      {"<svg:g>name</svg:g><?php x ?><!DOCTYPE html>", "name", 0},
      {"", "", 0},
  };
  for (const Case& c : cases) {
    const HtmlText result = htmlToText(c.html);
    EXPECT_EQ(result.text, c.text) << c.html;
    EXPECT_EQ(result.images, c.images) << c.html;
  }
}

TEST(XmlText, CharactersXmlCannotHoldAreLeftOut) {
  struct Case {
    std::u16string text;
    const char* utf8;
    bool dropped;
  };
  const Case cases[] = {
      {u"tab\t lf\n cr\r", "tab\t lf\n cr\r", false},
      {u"a\u0001b\u001Fc", "abc", true},
      {u"x\uFFFEy\uFFFF", "xy", true},
      {u"\U0001F600", "\xF0\x9F\x98\x80", false},
      {std::u16string(u"a") + char16_t(0xD800) + u"b", "ab", true},
      {std::u16string(u"a") + char16_t(0xDC00), "a", true},
      {std::u16string(1, char16_t(0xDBFF)), "", true},
  };
  for (const Case& c : cases) {
    bool dropped = false;
    EXPECT_EQ(xmlSafeUtf8(c.text, dropped), c.utf8) << test::printable(c.text);
    EXPECT_EQ(dropped, c.dropped) << test::printable(c.text);
  }
}

TEST(XmlText, EscapingPerPlace) {
  struct Case {
    const char* text;
    XmlBreaks breaks;
    const char* xml;
  };
  const Case cases[] = {
      {"<&>]]>\"'", XmlBreaks::Text, "&lt;&amp;&gt;]]&gt;\"'"},
      {"a\r\nb\nc\rd\te", XmlBreaks::Text, "a\nb\nc&#13;d\te"},
      {"a\r\nb\"\t", XmlBreaks::Attribute, "a&#13;&#10;b&quot;&#9;"},
      {"a\r\nb\nc\rd", XmlBreaks::Markup, "a<br/>b<br/>c<br/>d"},
      {"a\r\n", XmlBreaks::Markup, "a<br/><br/>"},
  };
  for (const Case& c : cases) {
    std::string out;
    appendXmlEscaped(out, c.text, c.breaks);
    EXPECT_EQ(out, c.xml) << c.text;
  }
}

TEST(XmlText, ModelTextMakesLineBreaksCrLf) {
  EXPECT_EQ(modelText("a\nb\r\nc\rd\n"), u"a\r\nb\r\nc\rd\r\n");
  EXPECT_EQ(modelText("\xC3\x28"), std::nullopt);
}

TEST(XmlText, QuestionNames) {
  struct Case {
    std::u16string text;
    std::size_t limit;
    std::u16string name;
  };
  const Case cases[] = {
      {u"  What is\r\n\tthe  capital? ", 60, u"What is the capital?"},
      {u"abcdef", 3, u"abc"},
      {u"ab cdef", 3, u"ab"},
      {u"\U0001F600\U0001F600\U0001F600", 2, u"\U0001F600\U0001F600"},
      {u"", 60, u""},
      {std::u16string(100, u'x'), 60, std::u16string(60, u'x')},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(questionName(c.text, c.limit), c.name) << test::printable(c.text);
  }
}

}  // namespace
}  // namespace quizmora
