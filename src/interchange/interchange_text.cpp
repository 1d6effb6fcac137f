#include "interchange/interchange_text.h"

#include "format/utf8_text.h"

namespace quizmora {
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
