#pragma once
// What the end-to-end suites of qzm share: a fresh folder per test in which the built program
// runs, and the bytes of files in and out.

#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "format/exam_file_writer.h"
#include "model/exam_document.h"
#include "process_runner.h"

namespace quizmora {

namespace fs = std::filesystem;
using testing_support::ProcessOptions;
using testing_support::ProcessResult;

inline std::string utf16le(std::u16string_view text) {
  std::string bytes;
  for (char16_t unit : text) {
    bytes.push_back(static_cast<char>(unit & 0xFF));
    bytes.push_back(static_cast<char>(unit >> 8));
  }
  return bytes;
}

inline std::string examFileBytes(const ExamDocument& document) {
  return utf16le(composeExamText(document));
}

inline std::string readBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void writeBytes(const fs::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary);
  out << bytes;
}

// A fresh folder per test: "files" is where the program runs, captures sit beside it.
class QzmTest {
 protected:
  QzmTest() {
    std::string pattern = (fs::temp_directory_path() / "qzm-cli-XXXXXX").string();
    if (::mkdtemp(pattern.data())) root_ = pattern;
    fs::create_directory(files());
  }
  ~QzmTest() {
    std::error_code ignored;
    if (!root_.empty()) fs::remove_all(root_, ignored);
  }

  fs::path files() const { return root_ / "files"; }
  fs::path file(const std::string& name) const { return files() / name; }

  ProcessResult qzm(const std::vector<std::string>& arguments, ProcessOptions options = {}) {
    options.workingDirectory = files();
    options.captureDirectory = root_;
    return testing_support::runProcess(QZM_EXECUTABLE, arguments, options);
  }

  std::vector<std::string> fileNames() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(files())) {
      names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }

 private:
  fs::path root_;
};

// Output and error stream of a failed run: nothing on stdout, one "qzm: " line on stderr.
inline void expectOneErrorLine(const ProcessResult& result, const std::string& start) {
  EXPECT_EQ(result.out, "");
  ASSERT_FALSE(result.err.empty());
  EXPECT_EQ(result.err.rfind(start, 0), 0u) << result.err;
  EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
  EXPECT_EQ(result.err.back(), '\n');
}

}  // namespace quizmora
