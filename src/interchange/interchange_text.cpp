#include "interchange/interchange_text.h"

#include <array>
#include <cstdint>

#include "format/utf8_text.h"

namespace quizmora {
namespace {

bool isHtmlSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f'; }

char lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }

bool startsWithNoCase(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    if (lower(text[i]) != prefix[i]) return false;
  }
  return true;
}

// Whether an HTML name is `lowerName`, in any case.
bool isName(std::string_view name, std::string_view lowerName) {
  return name.size() == lowerName.size() && startsWithNoCase(name, lowerName);
}

void appendUtf8(std::string& out, std::uint32_t code) {
  if (code == 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) code = 0xFFFD;
  if (code < 0x80) {
    out.push_back(static_cast<char>(code));
  } else if (code < 0x800) {
    out.push_back(static_cast<char>(0xC0 | code >> 6));
    out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
  } else if (code < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | code >> 12));
    out.push_back(static_cast<char>(0x80 | (code >> 6 & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | code >> 18));
    out.push_back(static_cast<char>(0x80 | (code >> 12 & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (code >> 6 & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
  }
}

// The named references that learning platforms' editors actually write; any other is left
// as it stands.
struct NamedEntity {
  std::string_view name;
  std::uint32_t code;
};
constexpr std::array<NamedEntity, 16> kEntities = {{
    {"amp", '&'},
    {"lt", '<'},
    {"gt", '>'},
    {"quot", '"'},
    {"apos", '\''},
    {"nbsp", ' '},
    {"ndash", 0x2013},
    {"mdash", 0x2014},
    {"hellip", 0x2026},
    {"laquo", 0xAB},
    {"raquo", 0xBB},
    {"copy", 0xA9},
    {"reg", 0xAE},
    {"euro", 0x20AC},
    {"lsquo", 0x2018},
    {"rsquo", 0x2019},
}};

// Decodes the reference at `html` (which starts with '&') onto `out`; returns the length
// consumed, or 0 when it is not one we know (the '&' is then plain text).
std::size_t decodeReference(std::string_view html, std::string& out) {
  const std::size_t end = html.find(';');
  if (end == std::string_view::npos || end < 2 || end > 12) return 0;
  const std::string_view body = html.substr(1, end - 1);
  if (body[0] == '#') {
    const bool hex = body.size() > 1 && (body[1] == 'x' || body[1] == 'X');
    const std::string_view digits = body.substr(hex ? 2 : 1);
    if (digits.empty()) return 0;
    std::uint32_t code = 0;
    for (char c : digits) {
      std::uint32_t digit;
      if (c >= '0' && c <= '9') {
        digit = static_cast<std::uint32_t>(c - '0');
      } else if (hex && lower(c) >= 'a' && lower(c) <= 'f') {
        digit = static_cast<std::uint32_t>(lower(c) - 'a' + 10);
      } else {
        return 0;
      }
      code = code * (hex ? 16 : 10) + digit;
      if (code > 0x10FFFF) code = 0x110000;  // stays out of range without overflowing
    }
    appendUtf8(out, code);
    return end + 1;
  }
  for (const NamedEntity& entity : kEntities) {
    if (body == entity.name) {
      appendUtf8(out, entity.code);
      return end + 1;
    }
  }
  return 0;
}

// Tags whose end (or, for <br>, whose appearance) breaks the line.
constexpr std::array<std::string_view, 15> kBlockTags = {"p",          "div", "li", "h1", "h2",
                                                         "h3",         "h4",  "h5", "h6", "tr",
                                                         "blockquote", "pre", "ul", "ol", "table"};

std::string_view tagName(std::string_view tag) {
  std::size_t end = 0;
  while (end < tag.size() && !isHtmlSpace(tag[end]) && tag[end] != '>' && tag[end] != '/') ++end;
  return tag.substr(0, end);
}

bool isBlockTag(std::string_view name) {
  for (std::string_view block : kBlockTags) {
    if (isName(name, block)) return true;
  }
  return false;
}

// Collects text with HTML's white-space rule: runs become one space, none at a line's ends.
class PlainTextBuilder {
 public:
  void text(char c) {
    if (isHtmlSpace(c)) {
      pendingSpace_ = true;
      return;
    }
    if (pendingSpace_ && !out_.empty() && out_.back() != '\n') out_.push_back(' ');
    pendingSpace_ = false;
    out_.push_back(c);
  }
  void decoded(std::string_view units) {
    for (char c : units) {
      // A decoded space (&nbsp;) is kept where it stands.
      if (pendingSpace_ && !out_.empty() && out_.back() != '\n') out_.push_back(' ');
      pendingSpace_ = false;
      out_.push_back(c);
    }
  }
  void lineBreak() {
    pendingSpace_ = false;
    out_.push_back('\n');
  }
  std::string finish() {
    // No blank lines at either end; several block ends in a row give one break each.
    std::size_t first = out_.find_first_not_of('\n');
    if (first == std::string::npos) return {};
    std::size_t last = out_.find_last_not_of('\n');
    return out_.substr(first, last - first + 1);
  }

 private:
  std::string out_;
  bool pendingSpace_ = false;
};

}  // namespace

std::string_view withoutByteOrderMark(std::string_view bytes) {
  if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
  return bytes;
}

std::optional<std::u16string> importedText(std::string_view utf8) {
  std::optional<std::u16string> units = utf8ToUtf16(utf8);
  if (!units) return std::nullopt;
  std::u16string& text = *units;
  if (text.find_first_of(std::u16string_view(u"\r\n\0", 3)) == std::u16string::npos) {
    return units;
  }
  std::u16string out;
  out.reserve(text.size() + 8);
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t unit = text[i];
    if (unit == u'\0') return std::nullopt;
    if (unit == u'\r' || unit == u'\n') {
      out += u"\r\n";
      if (unit == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
    } else {
      out.push_back(unit);
    }
  }
  return out;
}

std::string exportedText(std::u16string_view text, std::string_view lineBreak) {
  std::string utf8 = utf16ToUtf8(text);
  if (utf8.find_first_of("\r\n") == std::string::npos) return utf8;
  std::string out;
  out.reserve(utf8.size() + 8);
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    const char c = utf8[i];
    if (c == '\r' || c == '\n') {
      out += lineBreak;
      if (c == '\r' && i + 1 < utf8.size() && utf8[i + 1] == '\n') ++i;
    } else {
      out.push_back(c);
    }
  }
  return out;
}

bool hasLineBreak(std::u16string_view text) {
  return text.find_first_of(u"\r\n") != std::u16string_view::npos;
}

bool hasOuterSpace(std::u16string_view text) {
  auto space = [](char16_t unit) {
    return unit == u' ' || unit == u'\t' || unit == u'\r' || unit == u'\n';
  };
  return !text.empty() && (space(text.front()) || space(text.back()));
}

PlainText htmlToPlainText(std::string_view html) {
  PlainText result;
  PlainTextBuilder builder;
  std::size_t i = 0;
  while (i < html.size()) {
    const char c = html[i];
    if (c == '&') {
      std::string decoded;
      if (const std::size_t used = decodeReference(html.substr(i), decoded)) {
        builder.decoded(decoded);
        i += used;
        continue;
      }
      builder.text(c);
      ++i;
      continue;
    }
    if (c != '<') {
      builder.text(c);
      ++i;
      continue;
    }
    const std::string_view rest = html.substr(i + 1);
    if (rest.substr(0, 3) == "!--") {
      const std::size_t end = html.find("-->", i + 4);
      i = end == std::string_view::npos ? html.size() : end + 3;
      continue;
    }
    const bool closing = !rest.empty() && rest[0] == '/';
    const std::string_view name = tagName(rest.substr(closing ? 1 : 0));
    const char first = name.empty() ? '\0' : lower(name.front());
    if (first < 'a' || first > 'z') {  // "a < b", "<3": not a tag
      builder.text(c);
      ++i;
      continue;
    }
    const std::size_t end = html.find('>', i);
    if (end == std::string_view::npos) break;  // a cut-off tag at the end shows nothing
    i = end + 1;
    if (!closing && (isName(name, "script") || isName(name, "style"))) {
      const std::string closer = isName(name, "script") ? "</script" : "</style";
      std::size_t close = i;
      while (close < html.size() && !startsWithNoCase(html.substr(close), closer)) ++close;
      const std::size_t closeEnd = html.find('>', close);
      i = closeEnd == std::string_view::npos ? html.size() : closeEnd + 1;
      continue;
    }
    if (isName(name, "br")) {
      builder.lineBreak();
    } else if (isName(name, "img")) {
      result.droppedImage = true;
    } else if (closing && isBlockTag(name)) {
      builder.lineBreak();
    }
  }
  result.text = builder.finish();
  return result;
}

std::string escapeHtml(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size() + utf8.size() / 8);
  for (char c : utf8) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      case '\'':
        out += "&#39;";
        break;
      default:
        out.push_back(c);
    }
  }
  return out;
}

void warnUnkeptHeader(const ExamDocument& exam, InterchangeReport& report, bool keepsTitle,
                      bool keepsAuthor) {
  if (!keepsTitle && !exam.header.title.empty()) report.warn(0, 0, "the title is not kept");
  if (!keepsAuthor && !exam.header.author.empty()) report.warn(0, 0, "the author is not kept");
  if (exam.header.mode != ExamMode::AnyMode) {
    report.warn(
        0, 0,
        "the exam mode " + std::to_string(static_cast<int>(exam.header.mode)) + " is not kept");
  }
}

std::string_view questionKindName(QuestionType type) {
  switch (type) {
    case QuestionType::OneChoice:
      return "one choice";
    case QuestionType::MultipleChoice:
      return "multiple choice";
    case QuestionType::FlashCard:
      return "flash card";
  }
  return "unknown type";
}

std::string choiceLabel(std::size_t index) {
  std::string label;
  ++index;
  while (index > 0) {
    --index;
    label.insert(label.begin(), static_cast<char>('A' + index % 26));
    index /= 26;
  }
  return label;
}

std::string_view trimmed(std::string_view text) {
  auto space = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
  while (!text.empty() && space(text.front())) text.remove_prefix(1);
  while (!text.empty() && space(text.back())) text.remove_suffix(1);
  return text;
}

}  // namespace quizmora
