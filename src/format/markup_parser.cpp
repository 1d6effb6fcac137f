#include "format/markup_parser.h"

#include <algorithm>
#include <cstring>

namespace quizmora {
namespace {

constexpr bool isAsciiLetter(char16_t c) {
  return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
}

constexpr char16_t asciiLower(char16_t c) {
  return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + (u'a' - u'A')) : c;
}

bool equalsIgnoringAsciiCase(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (asciiLower(a[i]) != asciiLower(b[i])) return false;
  }
  return true;
}

std::u16string lowerCased(std::u16string_view name) {
  std::u16string lower(name);
  for (char16_t& c : lower) c = asciiLower(c);
  return lower;
}

std::size_t bucketOf(std::u16string_view name) { return elfHash(name) % kAttributeBuckets; }

// Character classes of the start-tag scanner.
enum class TagClass { Space, Quote, Slash, Less, Equals, Greater, Other };

constexpr TagClass tagClassOf(char16_t c) {
  switch (c) {
    case u'\t':
    case u'\n':
    case u'\r':
    case u' ':
      return TagClass::Space;
    case u'"':
      return TagClass::Quote;
    case u'/':
      return TagClass::Slash;
    case u'<':
      return TagClass::Less;
    case u'=':
      return TagClass::Equals;
    case u'>':
      return TagClass::Greater;
    default:
      return TagClass::Other;
  }
}

constexpr bool isStrtolSpace(char16_t c) {
  return c == u' ' || c == u'\t' || c == u'\n' || c == u'\v' || c == u'\f' || c == u'\r';
}

constexpr int digitValue(char16_t c, int base) {
  int value = 99;
  if (c >= u'0' && c <= u'9')
    value = c - u'0';
  else if (c >= u'a' && c <= u'z')
    value = c - u'a' + 10;
  else if (c >= u'A' && c <= u'Z')
    value = c - u'A' + 10;
  return value < base ? value : -1;
}

// The numeric part of "&#..." read the way a C library reads a signed 32-bit long: leading
// white space, a sign, for base 16 an optional "0x", digits; saturating on overflow.
// Succeeds only when every unit of `text` was used.
bool parseLong32(std::u16string_view text, int base, std::int32_t& result) {
  std::size_t i = 0;
  while (i < text.size() && isStrtolSpace(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) negative = text[i++] == u'-';
  if (base == 16 && i + 1 < text.size() && text[i] == u'0' &&
      (text[i + 1] == u'x' || text[i + 1] == u'X') && i + 2 < text.size() &&
      digitValue(text[i + 2], 16) >= 0) {
    i += 2;
  }
  std::size_t firstDigit = i;
  std::int64_t magnitude = 0;
  const std::int64_t limit = negative ? 2147483648LL : 2147483647LL;
  for (; i < text.size(); ++i) {
    int digit = digitValue(text[i], base);
    if (digit < 0) break;
    magnitude = std::min<std::int64_t>(magnitude * base + digit, limit);
  }
  if (i == firstDigit) {  // no digits: nothing counts as used
    result = 0;
    return text.empty();
  }
  result = static_cast<std::int32_t>(negative ? -magnitude : magnitude);
  return i == text.size();
}

constexpr std::size_t kMaxReferenceName = 11;

}  // namespace

std::uint32_t elfHash(std::u16string_view name) {
  std::uint32_t h = 0;
  for (char16_t unit : name) {
    h = (h << 4) + unit;
    std::uint32_t top = h & 0xF0000000u;
    if (top != 0) h ^= top >> 24;
    h &= ~top;
  }
  return h;
}

// ---- attribute name pool ----------------------------------------------------------------

AttributeNamePool& AttributeNamePool::instance() {
  static AttributeNamePool pool;
  return pool;
}

AttributeNamePool::AttributeNamePool() { std::fill(std::begin(buckets_), std::end(buckets_), -1); }

const std::u16string* AttributeNamePool::intern(std::u16string_view name) {
  std::size_t bucket = bucketOf(name);
  for (int i = buckets_[bucket]; i >= 0; i = next_[static_cast<std::size_t>(i)]) {
    if (*names_[static_cast<std::size_t>(i)] == name)
      return names_[static_cast<std::size_t>(i)].get();
  }
  names_.push_back(std::make_unique<std::u16string>(name));
  next_.push_back(buckets_[bucket]);
  buckets_[bucket] = static_cast<int>(names_.size() - 1);
  return names_.back().get();
}

// ---- attribute table ----------------------------------------------------------------------

AttributeTable::AttributeTable() { std::fill(std::begin(buckets_), std::end(buckets_), -1); }

void AttributeTable::insert(std::u16string_view name, std::u16string_view value) {
  std::u16string lower = lowerCased(name);
  std::size_t bucket = bucketOf(lower);
  for (int i = buckets_[bucket]; i >= 0; i = next_[static_cast<std::size_t>(i)]) {
    Pair& pair = pairs_[static_cast<std::size_t>(i)];
    if (*pair.name == lower) {
      pair.value.assign(value);
      return;
    }
  }
  pairs_.push_back(Pair{AttributeNamePool::instance().intern(lower), std::u16string(value)});
  next_.push_back(buckets_[bucket]);
  buckets_[bucket] = static_cast<int>(pairs_.size() - 1);
}

const std::u16string* AttributeTable::find(std::u16string_view name) const {
  std::u16string lower = lowerCased(name);
  for (int i = buckets_[bucketOf(lower)]; i >= 0; i = next_[static_cast<std::size_t>(i)]) {
    const Pair& pair = pairs_[static_cast<std::size_t>(i)];
    if (*pair.name == lower) return &pair.value;
  }
  return nullptr;
}

// ---- parser ---------------------------------------------------------------------------------

MarkupParser::~MarkupParser() = default;

void MarkupParser::deliver(char16_t unit, bool fromReference) {
  unitFromReference_ = fromReference;
  onCharacter(unit);
  unitFromReference_ = false;
}

bool MarkupParser::parseMarkup(MarkupInput& input) {
  while (input.position < input.length) {
    char16_t unit = input.units[input.position++];
    if (unit == u'<') {
      if (input.position >= input.length) return false;
      const std::size_t afterLess = input.position;
      char16_t next = input.units[afterLess];
      bool scanned = false;
      if (next == u'!') {
        scanned = scanComment(input);
      } else if (next == u'/') {
        scanned = scanEndTag(input);
      } else if (isAsciiLetter(next)) {
        scanned = scanStartTag(input);
      }
      if (!scanned) {
        input.position = afterLess;
        deliver(u'<', false);
      }
    } else if (unit == u'&') {
      const std::size_t afterAmpersand = input.position;
      char16_t decoded = 0;
      if (scanReference(input, decoded)) {
        deliver(decoded, true);
      } else {
        input.position = afterAmpersand;
        deliver(u'&', false);
      }
    } else {
      // Everything up to the next "<" or "&" is plain text: hand it over in one piece.
      const std::size_t start = input.position - 1;
      std::size_t end = input.position;
      while (end < input.length && input.units[end] != u'<' && input.units[end] != u'&') ++end;
      input.position = end;
      onCharacters(std::u16string_view(input.units + start, end - start));
    }
  }
  return true;
}

void MarkupParser::onCharacters(std::u16string_view run) {
  for (char16_t unit : run) onCharacter(unit);
}

std::unique_ptr<MarkupElement> MarkupParser::newElement(std::u16string_view name) {
  std::unique_ptr<MarkupElement> element;
  if (spare_.empty()) {
    element = std::make_unique<MarkupElement>();
  } else {
    element = std::move(spare_.back());
    spare_.pop_back();
  }
  element->name.assign(name);
  return element;
}

void MarkupParser::recycle(std::unique_ptr<MarkupElement> element) {
  // Elements of a tag-heavy file are created and dropped by the million; keep a few plain
  // ones for reuse. An element that held attributes is simply destroyed.
  if (spare_.size() < 16 && element->attributes.pairs().empty())
    spare_.push_back(std::move(element));
}

void MarkupParser::popElement() {
  std::unique_ptr<MarkupElement> top = std::move(stack_.back());
  stack_.pop_back();
  recycle(std::move(top));
}

bool MarkupParser::scanStartTag(MarkupInput& input) {
  enum class State { InName, Between, AttributeName, AfterEquals, Quoted, Unquoted, SelfClosing };
  State state = State::InName;
  std::u16string& token = token_;
  std::u16string& pendingName = pendingName_;
  token.clear();
  pendingName.clear();
  bool pushed = false;

  auto push = [&] {
    stack_.push_back(newElement(token));
    pushed = true;
  };
  auto add = [&](std::u16string_view value) {
    stack_.back()->attributes.insert(pendingName, value);
  };
  auto fail = [&] {
    if (pushed) popElement();  // no event: the tag never started
    return false;
  };
  auto start = [&] {
    onStartElement(*stack_.back());
    return true;
  };

  while (input.position < input.length) {
    const char16_t c = input.units[input.position++];
    const TagClass cls = tagClassOf(c);
    switch (state) {
      case State::InName:
        switch (cls) {
          case TagClass::Space:
            push();
            token.clear();
            state = State::Between;
            break;
          case TagClass::Slash:
            push();
            token.clear();
            state = State::SelfClosing;
            break;
          case TagClass::Greater:
            push();
            token.clear();
            return start();
          case TagClass::Other:
            token.push_back(c);
            break;
          default:
            return fail();
        }
        break;
      case State::Between:
        switch (cls) {
          case TagClass::Space:
            break;
          case TagClass::Slash:
            state = State::SelfClosing;
            break;
          case TagClass::Equals:
            if (pendingName.empty()) return fail();
            state = State::AfterEquals;
            break;
          case TagClass::Greater:
            if (!pendingName.empty()) {
              add(u"");
              pendingName.clear();
            }
            return start();
          case TagClass::Other:
            token.assign(1, c);
            state = State::AttributeName;
            break;
          default:
            return fail();
        }
        break;
      case State::AttributeName:
        switch (cls) {
          case TagClass::Space:
            pendingName = token;
            token.clear();
            state = State::Between;
            break;
          case TagClass::Quote:
            break;
          case TagClass::Equals:
            pendingName = token;
            token.clear();
            state = State::AfterEquals;
            break;
          case TagClass::Greater:
            pendingName = token;
            add(u"");
            pendingName.clear();
            return start();
          case TagClass::Other:
            token.push_back(c);
            break;
          default:
            return fail();
        }
        break;
      case State::AfterEquals:
        switch (cls) {
          case TagClass::Space:
            break;
          case TagClass::Quote:
            token.clear();
            state = State::Quoted;
            break;
          case TagClass::Greater:
            pendingName = token;  // the token is empty here
            add(u"");
            pendingName.clear();
            return start();
          case TagClass::Other:
            token.assign(1, c);
            state = State::Unquoted;
            break;
          default:
            return fail();
        }
        break;
      case State::Quoted:
        if (cls == TagClass::Quote) {
          add(token);
          token.clear();
          pendingName.clear();
          state = State::Between;
        } else {
          token.push_back(c);
        }
        break;
      case State::Unquoted:
        switch (cls) {
          case TagClass::Space:
            add(token);
            token.clear();
            pendingName.clear();
            state = State::Between;
            break;
          case TagClass::Greater:
            add(token);
            token.clear();
            pendingName.clear();
            return start();
          case TagClass::Other:
            token.push_back(c);
            break;
          default:
            return fail();
        }
        break;
      case State::SelfClosing:
        switch (cls) {
          case TagClass::Slash:
          case TagClass::Less:
            return fail();
          case TagClass::Greater: {
            if (!pendingName.empty()) {
              add(u"");
              pendingName.clear();
            }
            start();
            // Copy the name: closing destroys the element that holds it.
            token.assign(stack_.back()->name);
            closeElementByName(token);
            return true;
          }
          default:
            break;  // everything else between "/" and ">" is ignored
        }
        break;
    }
  }
  return fail();  // the input ended inside the tag
}

bool MarkupParser::scanEndTag(MarkupInput& input) {
  ++input.position;  // the "/"
  const std::size_t nameStart = input.position;
  while (input.position < input.length) {
    const char16_t c = input.units[input.position];
    switch (c) {
      case u'>': {
        std::u16string_view name(input.units + nameStart, input.position - nameStart);
        ++input.position;
        return closeElementByName(name);
      }
      case u'\n':
      case u'\r':
      case u' ':
      case u'"':
      case u'/':
      case u'<':
      case u'=':
        return false;
      default:
        ++input.position;
        break;
    }
  }
  return false;
}

bool MarkupParser::closeElementByName(std::u16string_view name) {
  std::size_t found = stack_.size();
  while (found > 0) {
    if (equalsIgnoringAsciiCase(stack_[found - 1]->name, name)) break;
    --found;
  }
  if (found == 0) return false;
  const std::size_t target = found - 1;
  while (stack_.size() > target) {
    onEndElement(*stack_.back());
    popElement();
  }
  return true;
}

void MarkupParser::discardOpenElements() {
  while (!stack_.empty()) popElement();
}

bool MarkupParser::scanComment(MarkupInput& input) {
  ++input.position;  // the "!"
  std::u16string& text = token_;
  text.clear();
  int state = 0;
  while (input.position < input.length) {
    const char16_t c = input.units[input.position++];
    const bool dash = c == u'-';
    const bool greater = c == u'>';
    switch (state) {
      case 0:
      case 1:
        if (!dash) return false;
        ++state;
        break;
      case 2:  // just inside "<!--": a dash here is not part of the text
        if (!dash) text.push_back(c);
        state = 3;
        break;
      case 3:
        text.push_back(c);
        if (dash) state = 4;
        break;
      case 4:
        text.push_back(c);
        state = dash ? 5 : 3;
        break;
      case 5:
        if (greater) {
          text.resize(text.size() - 2);  // the "--" before ">"
          onComment(text);
          return true;
        }
        text.push_back(c);
        if (!dash) state = 3;
        break;
    }
  }
  return false;
}

bool MarkupParser::scanReference(MarkupInput& input, char16_t& unit) {
  const char16_t* name = input.units + input.position;
  std::size_t length = 0;
  while (input.position < input.length) {
    const char16_t c = input.units[input.position];
    if (c == u';') {
      ++input.position;
      break;
    }
    if (length == kMaxReferenceName) return false;
    ++length;
    ++input.position;
  }
  if (length < 2) return false;

  std::u16string_view text(name, length);
  if (text[0] == u'#') {
    std::int32_t value = 0;
    const bool hex = text[1] == u'x';
    if (!parseLong32(text.substr(hex ? 2 : 1), hex ? 16 : 10, value)) return false;
    unit = static_cast<char16_t>(static_cast<std::uint32_t>(value) & 0xFFFFu);
    // A reference to U+0000 would end every text it lands in: read it as text instead.
    return unit != 0;
  }
  if (text == u"lt")
    unit = u'<';
  else if (text == u"gt")
    unit = u'>';
  else if (text == u"amp")
    unit = u'&';
  else if (text == u"quot")
    unit = u'"';
  else if (text == u"apos")
    unit = u'\'';
  else
    return false;
  return true;
}

}  // namespace quizmora
