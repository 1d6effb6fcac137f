#include "interchange/xml_text.h"

#include <cstddef>

#include "format/utf8_text.h"

namespace quizmora {

namespace {

bool isHigh(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool isLow(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

bool xmlCanHold(char16_t unit) {
  if (unit < 0x20) return unit == u'\t' || unit == u'\n' || unit == u'\r';
  return unit != 0xFFFE && unit != 0xFFFF;
}

bool isSpace(char16_t unit) {
  return unit == u' ' || unit == u'\t' || unit == u'\r' || unit == u'\n';
}

}  // namespace

std::string xmlSafeUtf8(std::u16string_view text, bool& dropped) {
  std::u16string clean;
  bool changed = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t unit = text[i];
    bool keep = xmlCanHold(unit);
    if (isHigh(unit)) {
      if (i + 1 < text.size() && isLow(text[i + 1])) {
        if (changed) clean.append(text.substr(i, 2));
        ++i;
        continue;
      }
      keep = false;
    } else if (isLow(unit)) {
      keep = false;
    }
    if (!keep && !changed) {
      clean.assign(text.substr(0, i));
      changed = true;
    }
    if (keep && changed) clean.push_back(unit);
  }
  if (changed) dropped = true;
  return utf16ToUtf8(changed ? std::u16string_view(clean) : text);
}

void appendXmlEscaped(std::string& out, std::string_view utf8, XmlBreaks breaks) {
  out.reserve(out.size() + utf8.size());
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    const char c = utf8[i];
    switch (c) {
      case '&':
        out.append("&amp;");
        break;
      case '<':
        out.append("&lt;");
        break;
      case '>':
        out.append("&gt;");
        break;
      case '"':
        if (breaks == XmlBreaks::Attribute) {
          out.append("&quot;");
        } else {
          out.push_back(c);
        }
        break;
      case '\t':
        if (breaks == XmlBreaks::Attribute) {
          out.append("&#9;");
        } else {
          out.push_back(c);
        }
        break;
      case '\r': {
        const bool pair = i + 1 < utf8.size() && utf8[i + 1] == '\n';
        if (breaks == XmlBreaks::Attribute) {
          out.append("&#13;");
        } else if (breaks == XmlBreaks::Markup) {
          out.append("<br/>");
          if (pair) ++i;
        } else if (pair) {
          out.push_back('\n');
          ++i;
        } else {
          out.append("&#13;");
        }
        break;
      }
      case '\n':
        if (breaks == XmlBreaks::Attribute) {
          out.append("&#10;");
        } else if (breaks == XmlBreaks::Markup) {
          out.append("<br/>");
        } else {
          out.push_back('\n');
        }
        break;
      default:
        out.push_back(c);
    }
  }
  // The last <br/> of a block shows nothing; a text that ends in a line break needs one more.
  if (breaks == XmlBreaks::Markup && !utf8.empty() &&
      (utf8.back() == '\n' || utf8.back() == '\r')) {
    out.append("<br/>");
  }
}

std::optional<std::u16string> modelText(std::string_view utf8) {
  std::optional<std::u16string> text = utf8ToUtf16(utf8);
  if (!text || text->find(u'\n') == std::u16string::npos) return text;
  std::u16string out;
  out.reserve(text->size() + text->size() / 32 + 2);
  for (std::size_t i = 0; i < text->size(); ++i) {
    const char16_t unit = (*text)[i];
    if (unit == u'\n' && (i == 0 || (*text)[i - 1] != u'\r')) out.push_back(u'\r');
    out.push_back(unit);
  }
  return out;
}

std::u16string questionName(std::u16string_view text, std::size_t limit) {
  std::u16string name;
  std::size_t characters = 0;
  bool pendingSpace = false;
  for (std::size_t i = 0; i < text.size() && characters < limit; ++i) {
    if (isSpace(text[i])) {
      pendingSpace = !name.empty();
      continue;
    }
    if (pendingSpace) {
      name.push_back(u' ');
      pendingSpace = false;
      if (++characters == limit) break;
    }
    name.push_back(text[i]);
    if (isHigh(text[i]) && i + 1 < text.size() && isLow(text[i + 1])) name.push_back(text[++i]);
    ++characters;
  }
  if (!name.empty() && name.back() == u' ') name.pop_back();
  return name;
}

}  // namespace quizmora
