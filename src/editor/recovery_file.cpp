#include "editor/recovery_file.h"

#include <algorithm>
#include <charconv>
#include <new>
#include <string>
#include <system_error>

#include "format/exam_file_io.h"
#include "format/exam_file_writer.h"

namespace quizmora {
namespace {

namespace fs = std::filesystem;

constexpr std::u16string_view kFirstLine = u"Quizmora Builder recovery 1";
constexpr std::u16string_view kLineEnd = u"\r\n";
constexpr std::u16string_view kOwner = u"Owner: ";
constexpr std::u16string_view kPath = u"Path: ";
constexpr std::u16string_view kEmail = u"E-mail: ";
constexpr std::u16string_view kWeb = u"Web: ";
constexpr std::u16string_view kDescription = u"Description: ";

std::u16string widened(const std::string& narrow) { return {narrow.begin(), narrow.end()}; }

// A header value on one line: backslash, CR and LF as \\, \r and \n.
std::u16string escaped(std::u16string_view value) {
  std::u16string out;
  for (char16_t unit : value) {
    if (unit == u'\\') {
      out += u"\\\\";
    } else if (unit == u'\r') {
      out += u"\\r";
    } else if (unit == u'\n') {
      out += u"\\n";
    } else {
      out += unit;
    }
  }
  return out;
}

std::optional<std::u16string> unescaped(std::u16string_view value) {
  std::u16string out;
  for (std::size_t i = 0; i < value.size(); ++i) {
    if (value[i] != u'\\') {
      out += value[i];
      continue;
    }
    if (++i == value.size()) return std::nullopt;
    switch (value[i]) {
      case u'\\':
        out += u'\\';
        break;
      case u'r':
        out += u'\r';
        break;
      case u'n':
        out += u'\n';
        break;
      default:
        return std::nullopt;
    }
  }
  return out;
}

template <typename Number>
bool parseNumber(std::string_view text, Number& value) {
  if (text.empty()) return false;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size();
}

// "<id> <started>" in ASCII digits.
std::optional<ProcessIdentity> parseOwner(std::u16string_view text) {
  std::string narrow;
  for (char16_t unit : text) {
    if (unit > 0x7F) return std::nullopt;
    narrow += static_cast<char>(unit);
  }
  const std::size_t gap = narrow.find(' ');
  ProcessIdentity owner;
  if (gap == std::string::npos || !parseNumber(std::string_view(narrow).substr(0, gap), owner.id) ||
      !parseNumber(std::string_view(narrow).substr(gap + 1), owner.started)) {
    return std::nullopt;
  }
  return owner;
}

// Reads the header line by line; each take() checks the line's start and returns the rest.
class HeaderReader {
 public:
  explicit HeaderReader(std::u16string_view text) : text_(text) {}
  std::optional<std::u16string_view> take(std::u16string_view start) {
    const std::size_t end = text_.find(kLineEnd);
    if (end == std::u16string_view::npos || !text_.substr(0, end).starts_with(start)) {
      return std::nullopt;
    }
    std::u16string_view line = text_.substr(start.size(), end - start.size());
    text_.remove_prefix(end + kLineEnd.size());
    return line;
  }
  std::optional<std::u16string> takeValue(std::u16string_view start) {
    const auto line = take(start);
    return line ? unescaped(*line) : std::nullopt;
  }
  std::u16string_view rest() const { return text_; }

 private:
  std::u16string_view text_;
};

std::u16string ownerText(ProcessIdentity owner) {
  return widened(std::to_string(owner.id) + " " + std::to_string(owner.started));
}

}  // namespace

std::u16string composeRecoveryText(const ExamDocument& exam, bool pathIsExamFile,
                                   ProcessIdentity owner) {
  std::u16string header(kFirstLine);
  auto line = [&header](std::u16string_view start, std::u16string_view value) {
    header += kLineEnd;
    header += start;
    header += value;
  };
  line(kOwner, ownerText(owner));
  line(kPath, pathIsExamFile ? escaped(exam.filePath) : std::u16string());
  line(kEmail, escaped(exam.header.email));
  line(kWeb, escaped(exam.header.web));
  line(kDescription, escaped(exam.header.description));
  header += kLineEnd;
  header += kLineEnd;
  // The exam's text is usually made with room to spare (for its numbers): the header then
  // goes in front of it in place, rather than the whole text being copied once more.
  std::u16string text = composeExamText(exam);
  text.insert(0, header);
  return text;
}

std::optional<RecoveredExam> parseRecoveryText(std::u16string_view text) {
  HeaderReader header(text);
  const auto first = header.take(kFirstLine);
  const auto owner = header.take(kOwner);
  if (!first || !first->empty() || !owner) return std::nullopt;
  RecoveredExam recovered;
  const auto identity = parseOwner(*owner);
  auto path = header.takeValue(kPath);
  auto email = header.takeValue(kEmail);
  auto web = header.takeValue(kWeb);
  auto description = header.takeValue(kDescription);
  const auto blank = header.take(u"");
  if (!identity || !path || !email || !web || !description || !blank || !blank->empty()) {
    return std::nullopt;
  }
  recovered.owner = *identity;
  recovered.exam = examDocumentOf(loadExam(header.rest(), false));
  recovered.exam.filePath = std::move(*path);
  recovered.pathIsExamFile = !recovered.exam.filePath.empty();
  recovered.exam.header.email = std::move(*email);
  recovered.exam.header.web = std::move(*web);
  recovered.exam.header.description = std::move(*description);
  return recovered;
}

fs::path recoveryFileName(ProcessIdentity owner) {
  std::string name("exam-");
  name += std::to_string(owner.id);
  name += '-';
  name += std::to_string(owner.started);
  name += ".qzr";
  return name;
}

std::optional<ProcessIdentity> recoveryFileOwner(const fs::path& path) {
  if (path.extension() != ".qzr") return std::nullopt;
  const std::u16string stem = path.stem().u16string();
  constexpr std::u16string_view kStart = u"exam-";
  if (!stem.starts_with(kStart)) return std::nullopt;
  std::u16string owner = stem.substr(kStart.size());
  const std::size_t dash = owner.find(u'-');
  if (dash == std::u16string::npos) return std::nullopt;
  owner[dash] = u' ';
  return parseOwner(owner);
}

std::vector<fs::path> leftRecoveryFiles(
    const fs::path& folder, const std::function<bool(const ProcessIdentity&)>& isRunning) {
  std::vector<std::pair<fs::file_time_type, fs::path>> found;
  std::error_code error;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    const fs::path& path = it->path();
    const auto owner = recoveryFileOwner(path.filename());
    if (!owner || !it->is_regular_file(error) || isRunning(*owner)) continue;
    found.emplace_back(fs::last_write_time(path, error), path);
  }
  std::sort(found.begin(), found.end());
  std::vector<fs::path> paths;
  for (auto& entry : found) paths.push_back(std::move(entry.second));
  return paths;
}

// A file too large for memory cannot be read either: the program starts all the same.
std::optional<RecoveredExam> readRecoveryFile(const fs::path& path) {
  try {
    const std::optional<std::u16string> text = readExamFileText(path);
    return text ? parseRecoveryText(*text) : std::nullopt;
  } catch (const std::bad_alloc&) {
    return std::nullopt;
  }
}

std::optional<fs::path> keepAside(const fs::path& path) {
  std::error_code error;
  for (int n = 0; n < 100; ++n) {
    // Appended piece by piece: GCC 12 warns falsely (-Wrestrict) about "." + a number.
    std::string suffix(".");
    if (n > 0) {
      suffix += std::to_string(n);
      suffix += '.';
    }
    suffix += "unreadable";
    fs::path aside = path;
    aside += suffix;
    if (fs::exists(aside, error)) continue;
    fs::rename(path, aside, error);
    return error ? std::nullopt : std::optional<fs::path>(aside);
  }
  return std::nullopt;
}

}  // namespace quizmora
