#include "interchange/html_text.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>

#include "format/utf8_text.h"

namespace quizmora {

namespace {

// U+00A0 to U+00FF in order.
constexpr std::array<std::string_view, 96> kLatin1Entities = {
    "nbsp",   "iexcl",  "cent",   "pound",  "curren", "yen",    "brvbar", "sect",   "uml",
    "copy",   "ordf",   "laquo",  "not",    "shy",    "reg",    "macr",   "deg",    "plusmn",
    "sup2",   "sup3",   "acute",  "micro",  "para",   "middot", "cedil",  "sup1",   "ordm",
    "raquo",  "frac14", "frac12", "frac34", "iquest", "Agrave", "Aacute", "Acirc",  "Atilde",
    "Auml",   "Aring",  "AElig",  "Ccedil", "Egrave", "Eacute", "Ecirc",  "Euml",   "Igrave",
    "Iacute", "Icirc",  "Iuml",   "ETH",    "Ntilde", "Ograve", "Oacute", "Ocirc",  "Otilde",
    "Ouml",   "times",  "Oslash", "Ugrave", "Uacute", "Ucirc",  "Uuml",   "Yacute", "THORN",
    "szlig",  "agrave", "aacute", "acirc",  "atilde", "auml",   "aring",  "aelig",  "ccedil",
    "egrave", "eacute", "ecirc",  "euml",   "igrave", "iacute", "icirc",  "iuml",   "eth",
    "ntilde", "ograve", "oacute", "ocirc",  "otilde", "ouml",   "divide", "oslash", "ugrave",
    "uacute", "ucirc",  "uuml",   "yacute", "thorn",  "yuml"};

// U+0391 to U+03A9 (U+03A2 is unassigned) and U+03B1 to U+03C9.
constexpr std::array<std::string_view, 25> kGreekCapitals = {
    "Alpha", "Beta",   "Gamma",   "Delta", "Epsilon", "Zeta",    "Eta",  "Theta", "Iota",
    "Kappa", "Lambda", "Mu",      "Nu",    "Xi",      "Omicron", "Pi",   "Rho",   "",
    "Sigma", "Tau",    "Upsilon", "Phi",   "Chi",     "Psi",     "Omega"};
constexpr std::array<std::string_view, 25> kGreekSmall = {
    "alpha", "beta",   "gamma",   "delta", "epsilon", "zeta",    "eta",  "theta", "iota",
    "kappa", "lambda", "mu",      "nu",    "xi",      "omicron", "pi",   "rho",   "sigmaf",
    "sigma", "tau",    "upsilon", "phi",   "chi",     "psi",     "omega"};

struct NamedEntity {
  std::string_view name;
  char32_t codePoint;
};

// The entities a question text is likely to hold besides the Latin-1 and Greek ones:
// typography, arrows and the common mathematical signs.
constexpr NamedEntity kOtherEntities[] = {
    {"amp", 0x26},     {"lt", 0x3C},       {"gt", 0x3E},       {"quot", 0x22},
    {"apos", 0x27},    {"OElig", 0x152},   {"oelig", 0x153},   {"Scaron", 0x160},
    {"scaron", 0x161}, {"Yuml", 0x178},    {"fnof", 0x192},    {"circ", 0x2C6},
    {"tilde", 0x2DC},  {"ensp", 0x2002},   {"emsp", 0x2003},   {"thinsp", 0x2009},
    {"zwnj", 0x200C},  {"zwj", 0x200D},    {"ndash", 0x2013},  {"mdash", 0x2014},
    {"lsquo", 0x2018}, {"rsquo", 0x2019},  {"sbquo", 0x201A},  {"ldquo", 0x201C},
    {"rdquo", 0x201D}, {"bdquo", 0x201E},  {"dagger", 0x2020}, {"Dagger", 0x2021},
    {"bull", 0x2022},  {"hellip", 0x2026}, {"permil", 0x2030}, {"prime", 0x2032},
    {"Prime", 0x2033}, {"lsaquo", 0x2039}, {"rsaquo", 0x203A}, {"euro", 0x20AC},
    {"trade", 0x2122}, {"larr", 0x2190},   {"uarr", 0x2191},   {"rarr", 0x2192},
    {"darr", 0x2193},  {"harr", 0x2194},   {"forall", 0x2200}, {"part", 0x2202},
    {"exist", 0x2203}, {"empty", 0x2205},  {"nabla", 0x2207},  {"isin", 0x2208},
    {"prod", 0x220F},  {"sum", 0x2211},    {"minus", 0x2212},  {"radic", 0x221A},
    {"infin", 0x221E}, {"and", 0x2227},    {"or", 0x2228},     {"cap", 0x2229},
    {"cup", 0x222A},   {"int", 0x222B},    {"there4", 0x2234}, {"asymp", 0x2248},
    {"ne", 0x2260},    {"equiv", 0x2261},  {"le", 0x2264},     {"ge", 0x2265},
    {"sub", 0x2282},   {"sup", 0x2283},    {"sube", 0x2286},   {"supe", 0x2287}};

constexpr char32_t kReplacement = 0xFFFD;

char32_t namedEntity(std::string_view name) {
  for (std::size_t i = 0; i < kLatin1Entities.size(); ++i) {
    if (kLatin1Entities[i] == name) return static_cast<char32_t>(0xA0 + i);
  }
  for (std::size_t i = 0; i < kGreekCapitals.size(); ++i) {
    if (!name.empty() && kGreekCapitals[i] == name) return static_cast<char32_t>(0x391 + i);
    if (kGreekSmall[i] == name) return static_cast<char32_t>(0x3B1 + i);
  }
  for (const NamedEntity& entity : kOtherEntities) {
    if (entity.name == name) return entity.codePoint;
  }
  return 0;
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isHexDigit(char c) { return isDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }
bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// "&#N;" or "&#xN;": the code point, U+FFFD for one no text may hold; 0 when not a reference.
char32_t numericEntity(std::string_view body) {
  const bool hex = !body.empty() && (body[0] == 'x' || body[0] == 'X');
  std::string_view digits = hex ? body.substr(1) : body;
  if (digits.empty()) return 0;
  std::uint32_t value = 0;
  for (char c : digits) {
    if (hex ? !isHexDigit(c) : !isDigit(c)) return 0;
    const std::uint32_t digit = isDigit(c) ? static_cast<std::uint32_t>(c - '0')
                                           : static_cast<std::uint32_t>((c | 0x20) - 'a' + 10);
    value = std::min<std::uint32_t>(value * (hex ? 16u : 10u) + digit, 0x110000);
  }
  if (value == 0 || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return kReplacement;
  return value;
}

std::string utf8Of(char32_t codePoint) {
  std::u16string units;
  if (codePoint < 0x10000) {
    units.push_back(static_cast<char16_t>(codePoint));
  } else {
    units.push_back(static_cast<char16_t>(0xD800 + ((codePoint - 0x10000) >> 10)));
    units.push_back(static_cast<char16_t>(0xDC00 + ((codePoint - 0x10000) & 0x3FF)));
  }
  return utf16ToUtf8(units);
}

std::string lowered(std::string_view name) {
  std::string out(name);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

bool isBlock(std::string_view name) {
  static constexpr std::string_view kBlocks[] = {
      "address", "article", "aside",    "blockquote", "caption", "center", "dd",      "div",
      "dl",      "dt",      "fieldset", "figcaption", "figure",  "footer", "form",    "h1",
      "h2",      "h3",      "h4",       "h5",         "h6",      "header", "hr",      "legend",
      "li",      "main",    "nav",      "ol",         "p",       "pre",    "section", "table",
      "tbody",   "tfoot",   "thead",    "tr",         "ul"};
  return std::find(std::begin(kBlocks), std::end(kBlocks), name) != std::end(kBlocks);
}

bool isSkipped(std::string_view name) {
  return name == "script" || name == "style" || name == "head" || name == "title";
}

}  // namespace

void HtmlTextBuilder::flushPending() {
  const bool atLineStart = out_.text.empty() || out_.text.back() == '\n';
  if (pendingBreak_ && !atLineStart) {
    out_.text.push_back('\n');
  } else if (pendingSpace_ && !pendingBreak_ && !pendingHardBreak_ && !atLineStart) {
    out_.text.push_back(' ');
  }
  if (pendingHardBreak_) out_.text.push_back('\n');
  pendingBreak_ = false;
  pendingSpace_ = false;
  pendingHardBreak_ = false;
}

void HtmlTextBuilder::append(std::string_view data) {
  if (data.empty()) return;
  flushPending();
  out_.text.append(data);
}

// A <br> shows only when something follows it in its block, as in a browser: the last one
// before the end of a paragraph (or of the text) makes no empty line.
void HtmlTextBuilder::lineBreak() {
  if (pendingHardBreak_) flushPending();
  pendingHardBreak_ = true;
  pendingSpace_ = false;
}

void HtmlTextBuilder::blockBoundary() {
  pendingBreak_ = true;
  pendingSpace_ = false;
  pendingHardBreak_ = false;
}

void HtmlTextBuilder::text(std::string_view data, bool decodeEntities) {
  if (skipDepth_ > 0) return;
  std::size_t i = 0;
  while (i < data.size()) {
    // Everything up to the next line break or reference goes as it stands, in one piece;
    // spaces just before a line break belong to the break's run.
    std::size_t special = i;
    while (special < data.size() && data[special] != '\n' && data[special] != '\r' &&
           !(decodeEntities && data[special] == '&')) {
      ++special;
    }
    std::size_t plainEnd = special;
    if (special < data.size() && data[special] != '&') {
      while (plainEnd > i && (data[plainEnd - 1] == ' ' || data[plainEnd - 1] == '\t')) --plainEnd;
    }
    if (plainEnd > i) append(data.substr(i, plainEnd - i));
    i = plainEnd;
    if (i >= data.size()) break;
    if (isSpace(data[i])) {
      std::size_t end = i;
      while (end < data.size() && isSpace(data[end])) ++end;
      if (preDepth_ > 0) {
        for (std::size_t k = i; k < end; ++k) {
          if (data[k] == '\r' && k + 1 < end && data[k + 1] == '\n') continue;
          if (data[k] == '\r' || data[k] == '\n') {
            lineBreak();
          } else {
            append(data.substr(k, 1));
          }
        }
      } else {
        pendingSpace_ = true;
      }
      i = end;
      continue;
    }
    // An entity reference, or a lone ampersand.
    const std::size_t semicolon = data.find(';', i);
    if (semicolon != std::string_view::npos && semicolon - i <= 32 && semicolon > i + 1) {
      const std::string_view body = data.substr(i + 1, semicolon - i - 1);
      const char32_t codePoint = body[0] == '#' ? numericEntity(body.substr(1)) : namedEntity(body);
      if (codePoint != 0) {
        append(utf8Of(codePoint));
        i = semicolon + 1;
        continue;
      }
    }
    append("&");
    ++i;
  }
}

void HtmlTextBuilder::openTag(std::string_view rawName) {
  const std::string name = lowered(rawName);
  if (isSkipped(name)) {
    ++skipDepth_;
    return;
  }
  if (skipDepth_ > 0) return;
  if (name == "br") {
    lineBreak();
  } else if (name == "img" || name == "object") {
    ++out_.images;
  } else if (name == "td" || name == "th") {
    pendingSpace_ = true;
  } else if (isBlock(name)) {
    if (name == "pre") ++preDepth_;
    blockBoundary();
  }
}

void HtmlTextBuilder::closeTag(std::string_view rawName) {
  const std::string name = lowered(rawName);
  if (isSkipped(name)) {
    if (skipDepth_ > 0) --skipDepth_;
    return;
  }
  if (skipDepth_ > 0) return;
  if (isBlock(name)) {
    if (name == "pre" && preDepth_ > 0) --preDepth_;
    blockBoundary();
  }
}

HtmlText HtmlTextBuilder::finish() {
  HtmlText done = std::move(out_);
  *this = HtmlTextBuilder();
  return done;
}

HtmlText htmlToText(std::string_view html) {
  HtmlTextBuilder builder;
  std::size_t i = 0;
  while (i < html.size()) {
    const std::size_t open = html.find('<', i);
    if (open == std::string_view::npos) {
      builder.text(html.substr(i), true);
      break;
    }
    if (open > i) builder.text(html.substr(i, open - i), true);
    const std::string_view rest = html.substr(open);
    if (rest.starts_with("<!--")) {
      const std::size_t end = html.find("-->", open + 4);
      i = end == std::string_view::npos ? html.size() : end + 3;
      continue;
    }
    const bool closing = rest.size() > 1 && rest[1] == '/';
    const std::size_t nameStart = open + (closing ? 2 : 1);
    const bool declaration = rest.size() > 1 && (rest[1] == '!' || rest[1] == '?');
    if (!declaration && (nameStart >= html.size() || !isLetter(html[nameStart]))) {
      builder.text("<", false);  // a "<" that starts no tag is text
      i = open + 1;
      continue;
    }
    std::size_t nameEnd = nameStart;
    while (nameEnd < html.size() && !isSpace(html[nameEnd]) && html[nameEnd] != '>' &&
           html[nameEnd] != '/') {
      ++nameEnd;
    }
    // The end of the tag: the first ">" outside a quoted attribute value.
    std::size_t end = nameEnd;
    char quote = 0;
    while (end < html.size() && (quote != 0 || html[end] != '>')) {
      if (quote != 0 && html[end] == quote) {
        quote = 0;
      } else if (quote == 0 && (html[end] == '"' || html[end] == '\'')) {
        quote = html[end];
      }
      ++end;
    }
    i = end < html.size() ? end + 1 : html.size();
    if (declaration) continue;
    std::string_view name = html.substr(nameStart, nameEnd - nameStart);
    if (const std::size_t colon = name.find(':'); colon != std::string_view::npos) {
      name = name.substr(colon + 1);
    }
    if (closing) {
      builder.closeTag(name);
    } else {
      builder.openTag(name);
      const bool selfClosing = end < html.size() && end > nameEnd && html[end - 1] == '/';
      if (selfClosing && name != "br") {
        builder.closeTag(name);
      } else if (const std::string lower = lowered(name); lower == "script" || lower == "style") {
        // Raw text: a "<" in a script starts no tag; the content ends at its closing tag.
        const std::string rest = lowered(html.substr(i));
        const std::size_t close = rest.find("</" + lower);
        i = close == std::string::npos ? html.size() : i + close;
      }
    }
  }
  return builder.finish();
}

}  // namespace quizmora
