#pragma once
// Small pieces both XML readers use over pugixml.

#include <algorithm>
#include <cstddef>
#include <pugixml.hpp>
#include <string>
#include <string_view>

namespace quizmora {

// All character data directly inside an element (text and CDATA sections together, as a
// platform may split a text between them).
inline std::string elementText(pugi::xml_node element) {
  std::string text;
  for (pugi::xml_node child = element.first_child(); child; child = child.next_sibling()) {
    if (child.type() == pugi::node_pcdata || child.type() == pugi::node_cdata) {
      text.append(child.value());
    }
  }
  return text;
}

// Element name without its namespace prefix.
inline std::string_view localName(pugi::xml_node element) {
  std::string_view name = element.name();
  const std::size_t colon = name.find(':');
  return colon == std::string_view::npos ? name : name.substr(colon + 1);
}

// Line numbers of byte offsets into a document, for offsets asked in increasing order
// (a smaller one starts the count again).
class LineCounter {
 public:
  explicit LineCounter(std::string_view bytes) : bytes_(bytes) {}
  int lineAt(std::ptrdiff_t offset) {
    const std::size_t target =
        offset < 0 ? 0 : std::min(static_cast<std::size_t>(offset), bytes_.size());
    if (target < position_) {
      position_ = 0;
      line_ = 1;
    }
    for (; position_ < target; ++position_) {
      if (bytes_[position_] == '\n') ++line_;
    }
    return line_;
  }

 private:
  std::string_view bytes_;
  std::size_t position_ = 0;
  int line_ = 1;
};

}  // namespace quizmora
