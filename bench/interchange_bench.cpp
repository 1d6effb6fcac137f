// The other tools' formats on the generated 100,000-question exam: each written to a file and
// read back, against `qzm convert` from exam file to exam file; and the peak heap of a
// conversion each way, against the larger of the two files. The conversions take the steps
// qzm convert takes: read the input whole, parse it, drop the input, write the output whole.

#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "format/exam_file_io.h"
#include "format/exam_file_writer.h"
#include "format/file_bytes.h"
#include "generated_exam.h"
#include "heap_counter.h"
#include "interchange/aiken_format.h"
#include "interchange/csv_format.h"
#include "interchange/gift_format.h"
#include "interchange/html_sheet.h"
#include "interchange/tsv_format.h"

namespace quizmora {
namespace {

namespace fs = std::filesystem;

constexpr int kQuestions = 100000;

using Reader = std::optional<ExamDocument> (*)(std::string_view, InterchangeReport&);
using Writer = std::string (*)(const ExamDocument&, InterchangeReport&);

std::string writeSheet(const ExamDocument& exam, InterchangeReport& report) {
  return writeHtmlSheet(exam, true, report);
}

struct Format {
  const char* name;
  Reader read;  // nullptr: written only
  Writer write;
};

const Format kFormats[] = {{"gift", readGift, writeGift},
                           {"aiken", readAiken, writeAiken},
                           {"csv", readCsv, writeCsv},
                           {"tsv", readTsv, writeTsv},
                           {"html", nullptr, writeSheet}};

// The exam, its exam file and a folder for the outputs, made once.
struct Setup {
  Setup() {
    std::string pattern = (fs::temp_directory_path() / "qzm-interchange-bench-XXXXXX").string();
    if (::mkdtemp(pattern.data())) folder = pattern;
    document = generateExam(kQuestions, kGeneratedExamSeed);
    examPath = folder / "exam.qzm";
    writeExamFile(examPath, composeExamText(document));
  }
  ~Setup() {
    std::error_code ignored;
    fs::remove_all(folder, ignored);
  }
  fs::path folder;
  ExamDocument document;
  fs::path examPath;
};

Setup& setup() {
  static Setup instance;
  return instance;
}

std::optional<ExamDocument> loadExamFile(const fs::path& path) {
  std::optional<std::u16string> text = readExamFileText(path);
  if (!text) return std::nullopt;
  return examDocumentOf(loadExam(*text, false));
}

std::optional<ExamDocument> readFormatFile(const Format& format, const fs::path& path) {
  std::optional<std::string> bytes = readFileBytes(path);
  if (!bytes) return std::nullopt;
  InterchangeReport report;
  return format.read(*bytes, report);
}

bool writeFormatFile(const Format& format, const fs::path& path, const ExamDocument& exam) {
  InterchangeReport report;
  return writeFileReplacing(path, format.write(exam, report));
}

void setQuestionRate(benchmark::State& state) {
  state.SetItemsProcessed(state.iterations() * kQuestions);
}

// qzm convert exam.qzm copy.qzm.
void BM_ConvertExamFile(benchmark::State& state) {
  const fs::path out = setup().folder / "copy.qzm";
  for (auto _ : state) {
    std::optional<ExamDocument> exam = loadExamFile(setup().examPath);
    if (!exam || !writeExamFile(out, composeExamText(*exam))) {
      state.SkipWithError("the exam file did not convert");
      break;
    }
  }
  setQuestionRate(state);
}

// The exam written in the format and read back from the file.
void BM_FormatWriteRead(benchmark::State& state, const Format* format) {
  const fs::path path = setup().folder / (std::string("exam.") + format->name);
  for (auto _ : state) {
    if (!writeFormatFile(*format, path, setup().document)) {
      state.SkipWithError("the file was not written");
      break;
    }
    if (format->read) {
      std::optional<ExamDocument> back = readFormatFile(*format, path);
      if (!back) {
        state.SkipWithError("the file was not read back");
        break;
      }
      benchmark::DoNotOptimize(back);
    }
  }
  setQuestionRate(state);
  state.counters["format_MB"] = static_cast<double>(fs::file_size(path)) / 1e6;
}

void reportPeak(benchmark::State& state, std::size_t peak, const fs::path& a, const fs::path& b) {
  const auto larger = static_cast<double>(std::max(fs::file_size(a), fs::file_size(b)));
  state.counters["peak_MB"] = static_cast<double>(peak) / 1e6;
  state.counters["peak_per_file"] = static_cast<double>(peak) / larger;
}

// qzm convert exam.qzm exam.<format>.
void BM_ConvertOutPeakMemory(benchmark::State& state, const Format* format) {
  const fs::path out = setup().folder / (std::string("out.") + format->name);
  std::size_t peak = 0;
  for (auto _ : state) {
    HeapMeasurement measurement;
    {
      std::optional<ExamDocument> exam = loadExamFile(setup().examPath);
      InterchangeReport report;
      std::string bytes = format->write(*exam, report);
      exam.reset();
      writeFileReplacing(out, bytes);
    }
    peak = measurement.peakBytes();
  }
  reportPeak(state, peak, setup().examPath, out);
}

// qzm convert exam.<format> back.qzm.
void BM_ConvertInPeakMemory(benchmark::State& state, const Format* format) {
  const fs::path in = setup().folder / (std::string("in.") + format->name);
  const fs::path out = setup().folder / "back.qzm";
  writeFormatFile(*format, in, setup().document);
  std::size_t peak = 0;
  for (auto _ : state) {
    HeapMeasurement measurement;
    {
      std::optional<ExamDocument> exam = readFormatFile(*format, in);
      writeExamFile(out, composeExamText(*exam));
    }
    peak = measurement.peakBytes();
  }
  reportPeak(state, peak, in, out);
}

const bool kRegistered = [] {
  benchmark::RegisterBenchmark("BM_ConvertExamFile", BM_ConvertExamFile)
      ->Unit(benchmark::kMillisecond);
  for (const Format& format : kFormats) {
    const std::string name = format.name;
    benchmark::RegisterBenchmark(("BM_FormatWriteRead_" + name).c_str(), BM_FormatWriteRead, &format)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(("BM_ConvertOutPeakMemory_" + name).c_str(),
                                 BM_ConvertOutPeakMemory, &format)
        ->Iterations(1)
        ->Unit(benchmark::kMillisecond);
    if (format.read) {
      benchmark::RegisterBenchmark(("BM_ConvertInPeakMemory_" + name).c_str(),
                                   BM_ConvertInPeakMemory, &format)
          ->Iterations(1)
          ->Unit(benchmark::kMillisecond);
    }
  }
  return true;
}();

}  // namespace
}  // namespace quizmora
