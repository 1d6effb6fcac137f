#pragma once
// A small, lenient, event-driven tokenizer for the tag-structured text of exam files.
// It never stops on malformed input: whatever cannot be read as markup is delivered as
// plain characters. It is not an XML parser (no prolog, DOCTYPE, CDATA or namespaces).

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace quizmora {

// The text being parsed. The caller owns the units; the parser moves `position`.
struct MarkupInput {
  const char16_t* units = nullptr;
  std::size_t length = 0;
  std::size_t position = 0;
};

// The classic ELF hash over UTF-16 units, used by the attribute tables and the name pool.
std::uint32_t elfHash(std::u16string_view name);

inline constexpr std::size_t kAttributeBuckets = 36;

// Every distinct lower-cased attribute name is stored once for the whole program; entries
// are never removed. Elements refer to the pooled strings, so equal names share one string.
class AttributeNamePool {
 public:
  static AttributeNamePool& instance();

  // The pooled copy of `name` (already lower-cased), added on first use.
  const std::u16string* intern(std::u16string_view name);
  std::size_t size() const { return names_.size(); }

 private:
  AttributeNamePool();
  std::vector<std::unique_ptr<std::u16string>> names_;  // stable addresses
  std::vector<int> next_;                               // chain link per name, -1 ends
  int buckets_[kAttributeBuckets];
};

// Attributes of one element, in order of first appearance, with a 36-bucket hash index.
class AttributeTable {
 public:
  struct Pair {
    const std::u16string* name;  // pooled, lower case
    std::u16string value;
  };

  AttributeTable();

  // Lower-cases `name` (A-Z only); an existing name gets the new value in place.
  void insert(std::u16string_view name, std::u16string_view value);
  // The value of `name` (compared after lower-casing), or null.
  const std::u16string* find(std::u16string_view name) const;
  const std::vector<Pair>& pairs() const { return pairs_; }

 private:
  std::vector<Pair> pairs_;
  std::vector<int> next_;  // chain link per pair, -1 ends; chains are newest first
  int buckets_[kAttributeBuckets];
};

// One open element: its name as written in the start tag and its attributes.
struct MarkupElement {
  std::u16string name;
  AttributeTable attributes;
};

class MarkupParser {
 public:
  MarkupParser() = default;
  MarkupParser(const MarkupParser&) = delete;
  MarkupParser& operator=(const MarkupParser&) = delete;
  virtual ~MarkupParser();

  // Runs from input.position to the end, delivering events in input order. Returns false
  // only when the last unit of the input is "<" (which is then not delivered).
  bool parseMarkup(MarkupInput& input);

  // Open elements, innermost last. Elements left open by one run stay for the next.
  std::size_t openElementCount() const { return stack_.size(); }
  const MarkupElement& openElement(std::size_t i) const { return *stack_[i]; }

 protected:
  // The element passed in is owned by the parser and valid only during the call.
  virtual void onStartElement(const MarkupElement& element) = 0;
  // Called for each element as it is popped; it is still the top of the stack.
  virtual void onEndElement(const MarkupElement& element) = 0;
  virtual void onComment(std::u16string_view text) = 0;
  // One unit of character data, after reference decoding.
  virtual void onCharacter(char16_t unit) = 0;
  // Reads an end tag; the input position is on the "/". Returns whether it succeeded.
  virtual bool scanEndTag(MarkupInput& input);
  // A run of units read as they stand (no reference, no markup), in input order. The
  // default hands each unit to onCharacter; a handler that collects text may take the run
  // whole, which is much faster on large files.
  virtual void onCharacters(std::u16string_view run);

  // True while onCharacter delivers a unit the parser produced by decoding a reference.
  bool unitFromReference() const { return unitFromReference_; }

  // Pops the innermost element named `name` (ASCII case-insensitive) and every element
  // opened inside it, with an end event each. False when no open element has that name.
  bool closeElementByName(std::u16string_view name);

  // Drops every open element without events.
  void discardOpenElements();

 private:
  bool scanStartTag(MarkupInput& input);
  bool scanComment(MarkupInput& input);
  bool scanReference(MarkupInput& input, char16_t& unit);
  void deliver(char16_t unit, bool fromReference);
  std::unique_ptr<MarkupElement> newElement(std::u16string_view name);
  void recycle(std::unique_ptr<MarkupElement> element);
  void popElement();

  std::vector<std::unique_ptr<MarkupElement>> stack_;
  std::vector<std::unique_ptr<MarkupElement>> spare_;  // popped elements kept for reuse
  std::u16string token_;                               // scratch of the tag and comment scans
  std::u16string pendingName_;
  bool unitFromReference_ = false;
};

}  // namespace quizmora
