#include "app/command_line.h"

namespace quizmora {

namespace {

constexpr bool isBlank(char16_t unit) { return unit == u' ' || unit == u'\t'; }

// Reads one argument after the program name from `position`, which stands on its first
// unit, and leaves `position` just past it.
std::u16string readArgument(std::u16string_view line, std::size_t& position) {
  std::u16string argument;
  bool quoted = false;
  while (position < line.size()) {
    const char16_t unit = line[position];
    if (!quoted && isBlank(unit)) break;
    if (unit == u'\\') {
      std::size_t backslashes = 0;
      while (position < line.size() && line[position] == u'\\') {
        ++backslashes;
        ++position;
      }
      if (position < line.size() && line[position] == u'"') {
        argument.append(backslashes / 2, u'\\');
        if (backslashes % 2 == 1) {
          argument.push_back(u'"');
          ++position;
        }
      } else {
        argument.append(backslashes, u'\\');
      }
      continue;
    }
    if (unit == u'"') {
      // Two marks inside a quoted part: one literal mark, and the quoted part ends.
      if (quoted && position + 1 < line.size() && line[position + 1] == u'"') {
        argument.push_back(u'"');
        quoted = false;
        position += 2;
        continue;
      }
      quoted = !quoted;
      ++position;
      continue;
    }
    argument.push_back(unit);
    ++position;
  }
  return argument;
}

void skipBlanks(std::u16string_view line, std::size_t& position) {
  while (position < line.size() && isBlank(line[position])) ++position;
}

}  // namespace

std::vector<std::u16string> splitCommandLine(std::u16string_view commandLine) {
  std::vector<std::u16string> arguments;
  std::size_t position = 0;
  // The program name: quoted up to the next quotation mark, or up to the first blank.
  if (!commandLine.empty() && commandLine.front() == u'"') {
    const std::size_t close = commandLine.find(u'"', 1);
    const std::size_t end = close == std::u16string_view::npos ? commandLine.size() : close;
    arguments.emplace_back(commandLine.substr(1, end - 1));
    position = close == std::u16string_view::npos ? end : close + 1;
  } else {
    std::size_t end = 0;
    while (end < commandLine.size() && !isBlank(commandLine[end])) ++end;
    arguments.emplace_back(commandLine.substr(0, end));
    position = end;
  }
  for (skipBlanks(commandLine, position); position < commandLine.size();
       skipBlanks(commandLine, position)) {
    arguments.push_back(readArgument(commandLine, position));
  }
  return arguments;
}

std::optional<std::u16string> examPathFromCommandLine(std::u16string_view commandLine) {
  std::vector<std::u16string> arguments = splitCommandLine(commandLine);
  if (arguments.size() < 2 || arguments[1].empty()) return std::nullopt;
  return std::move(arguments[1]);
}

}  // namespace quizmora
