#pragma once
// Exam text on its way into and out of XML: what XML 1.0 cannot carry, escaping with the
// line-break form each place needs, and the short names the formats give a question.

#include <optional>
#include <string>
#include <string_view>

namespace quizmora {

// The text as UTF-8 without what XML 1.0 cannot hold (control characters other than tab,
// line feed and carriage return, U+FFFE, U+FFFF, a surrogate without its partner). `dropped`
// is set when anything was taken out, so the writer can say which question lost it.
std::string xmlSafeUtf8(std::u16string_view text, bool& dropped);

// How line breaks of the text are written.
enum class XmlBreaks {
  Text,       // element content: CR LF and LF as a line feed, a lone CR as &#13;
  Attribute,  // CR, LF and tab as references, so attribute normalisation keeps them
  Markup,     // XHTML content: every line break as <br/> (and one more after a final one)
};

// Appends UTF-8 text escaped for XML: & < > always (so "]]>" cannot appear), quotation
// marks in attributes.
void appendXmlEscaped(std::string& out, std::string_view utf8, XmlBreaks breaks);

// UTF-8 read from XML as exam text: line feeds become CR LF, the editor's line break; a
// CR LF stays as it is. nullopt when the bytes are not valid UTF-8.
std::optional<std::u16string> modelText(std::string_view utf8);

// A one-line name for a question: whitespace runs as single spaces, trimmed, at most
// `limit` characters (a surrogate pair counts as one and is never split).
std::u16string questionName(std::u16string_view text, std::size_t limit = 60);

}  // namespace quizmora
