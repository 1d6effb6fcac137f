#pragma once
// What an import or export of another tool's format could not carry over: warnings that let
// the conversion go on (a skipped question, a dropped image, a field the format has no place
// for), and the one error that stops it (input that does not parse).

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace quizmora {

struct InterchangeNote {
  int question = 0;  // number of the question concerned, from 1; 0 when none
  int line = 0;      // line (or item) of the input, from 1; 0 when none
  std::string text;  // UTF-8, without a trailing full stop
};

struct InterchangeReport {
  std::vector<InterchangeNote> warnings;
  std::optional<InterchangeNote> error;  // set by a reader that gave up

  void warn(int question, int line, std::string text) {
    warnings.push_back({question, line, std::move(text)});
  }
  void fail(int question, int line, std::string text) {
    error = InterchangeNote{question, line, std::move(text)};
  }
  bool failed() const { return error.has_value(); }
};

}  // namespace quizmora
