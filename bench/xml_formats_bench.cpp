// Moodle XML and QTI packages against the exam file: the generated 100,000-question exam
// written to a file and read back in each format, beside the same for a .qzm file (what
// `qzm convert` from .qzm to .qzm does), and the peak memory of each conversion.
//
// Speed is reported in questions per second. Peak memory is the most resident memory a
// fresh process holds while it converts one file into another (this program run again with
// --convert), less what the same process holds when it converts nothing; it is set against
// the larger of the two files.

#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "format/exam_file_io.h"
#include "format/exam_file_writer.h"
#include "generated_exam.h"
#include "interchange/moodle_xml.h"
#include "interchange/qti_package.h"

namespace quizmora {
namespace {

namespace fs = std::filesystem;

constexpr std::uint32_t kSeed = 20240607;
constexpr int kQuestions = 100000;

std::string readFile(const fs::path& path) {
  std::error_code error;
  const std::uintmax_t size = fs::file_size(path, error);
  std::string bytes(error ? 0 : static_cast<std::size_t>(size), '\0');
  std::ifstream in(path, std::ios::binary);
  in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  bytes.resize(static_cast<std::size_t>(in.gcount()));
  return bytes;
}

bool writeFile(const fs::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out.flush());
}

enum class Format { Qzm, Moodle, Qti };

const char* extension(Format format) {
  return format == Format::Qzm ? ".qzm" : format == Format::Moodle ? ".xml" : ".zip";
}

std::optional<ExamDocument> load(Format format, const fs::path& path) {
  if (format == Format::Qzm) {
    std::optional<std::u16string> text = readExamFileText(path);
    if (!text) return std::nullopt;
    return examDocumentOf(loadExam(*text, false));
  }
  const std::string bytes = readFile(path);
  InterchangeReport report;
  return format == Format::Moodle ? readMoodleXml(bytes, report) : readQtiPackage(bytes, report);
}

bool save(Format format, const ExamDocument& exam, const fs::path& path) {
  if (format == Format::Qzm) return writeExamFile(path, composeExamText(exam));
  InterchangeReport report;
  return writeFile(path, format == Format::Moodle ? writeMoodleXml(exam, report)
                                                  : writeQtiPackage(exam, report));
}

class Files {
 public:
  Files() {
    std::string pattern = (fs::temp_directory_path() / "qzm-xml-bench-XXXXXX").string();
    if (::mkdtemp(pattern.data())) folder_ = pattern;
    exam_ = generateExam(kQuestions, kSeed);
    for (Format format : {Format::Qzm, Format::Moodle, Format::Qti})
      save(format, exam_, of(format));
  }
  ~Files() {
    std::error_code ignored;
    if (!folder_.empty()) fs::remove_all(folder_, ignored);
  }
  fs::path of(Format format) const { return folder_ / (std::string("exam") + extension(format)); }
  fs::path scratch(Format format) const {
    return folder_ / (std::string("out") + extension(format));
  }
  const ExamDocument& exam() const { return exam_; }
  const fs::path& folder() const { return folder_; }

 private:
  fs::path folder_;
  ExamDocument exam_;
};

Files& files() {
  static Files instance;
  return instance;
}

// Written to a file and read back into a document, as one round of a conversion each way.
void roundTrip(benchmark::State& state, Format format) {
  const Files& corpus = files();
  for (auto _ : state) {
    if (!save(format, corpus.exam(), corpus.scratch(format))) {
      state.SkipWithError("the exam could not be written");
      break;
    }
    std::optional<ExamDocument> back = load(format, corpus.scratch(format));
    if (!back || back->questionCount() != kQuestions) {
      state.SkipWithError("the exam did not come back");
      break;
    }
    benchmark::DoNotOptimize(back);
  }
  state.SetItemsProcessed(state.iterations() * kQuestions);
  state.counters["file_MB"] = static_cast<double>(fs::file_size(corpus.of(format))) / 1e6;
}

void BM_QzmWriteRead(benchmark::State& state) { roundTrip(state, Format::Qzm); }
void BM_MoodleWriteRead(benchmark::State& state) { roundTrip(state, Format::Moodle); }
void BM_QtiWriteRead(benchmark::State& state) { roundTrip(state, Format::Qti); }

// The peak resident memory (bytes) of this program run again to convert `from` into `to`;
// the child reports its own high-water mark, which starts afresh at exec.
long childPeak(const fs::path& folder, const std::string& from, const std::string& to) {
  const std::string reportPath = (folder / "peak.txt").string();
  const pid_t child = ::fork();
  if (child == 0) {
    char self[] = "/proc/self/exe";
    char flag[] = "--convert";
    std::string a = from;
    std::string b = to;
    std::string c = reportPath;
    char* argv[] = {self, flag, a.data(), b.data(), c.data(), nullptr};
    ::execv(self, argv);
    ::_exit(127);
  }
  int status = 0;
  if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status) ||
      WEXITSTATUS(status) != 0) {
    return -1;
  }
  long peak = -1;
  std::ifstream(reportPath) >> peak;
  return peak;
}

// VmHWM of this process, in bytes.
long residentHighWaterMark() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("VmHWM:", 0) == 0) return std::stol(line.substr(6)) * 1024L;
  }
  return -1;
}

void peakOfConversion(benchmark::State& state, Format from, Format to) {
  const Files& corpus = files();
  long peak = 0;
  for (auto _ : state) {
    const long idle = childPeak(corpus.folder(), "-", "-");
    const long busy =
        childPeak(corpus.folder(), corpus.of(from).string(), corpus.scratch(to).string());
    if (idle < 0 || busy < 0) {
      state.SkipWithError("the conversion failed");
      break;
    }
    peak = busy - idle;
  }
  const double larger =
      static_cast<double>(std::max(fs::file_size(corpus.of(from)), fs::file_size(corpus.of(to))));
  state.counters["peak_MB"] = static_cast<double>(peak) / 1e6;
  state.counters["larger_file_MB"] = larger / 1e6;
  state.counters["peak_per_file"] = static_cast<double>(peak) / larger;
}

void BM_PeakQzmToMoodle(benchmark::State& s) { peakOfConversion(s, Format::Qzm, Format::Moodle); }
void BM_PeakMoodleToQzm(benchmark::State& s) { peakOfConversion(s, Format::Moodle, Format::Qzm); }
void BM_PeakQzmToQti(benchmark::State& s) { peakOfConversion(s, Format::Qzm, Format::Qti); }
void BM_PeakQtiToQzm(benchmark::State& s) { peakOfConversion(s, Format::Qti, Format::Qzm); }
void BM_PeakQzmToQzm(benchmark::State& s) { peakOfConversion(s, Format::Qzm, Format::Qzm); }

BENCHMARK(BM_QzmWriteRead)->Unit(benchmark::kMillisecond)->MinTime(2);
BENCHMARK(BM_MoodleWriteRead)->Unit(benchmark::kMillisecond)->MinTime(2);
BENCHMARK(BM_QtiWriteRead)->Unit(benchmark::kMillisecond)->MinTime(2);
BENCHMARK(BM_PeakQzmToQzm)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PeakQzmToMoodle)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PeakMoodleToQzm)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PeakQzmToQti)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PeakQtiToQzm)->Iterations(1)->Unit(benchmark::kMillisecond);

Format formatOf(const std::string& path) {
  if (path.ends_with(".xml")) return Format::Moodle;
  if (path.ends_with(".zip")) return Format::Qti;
  return Format::Qzm;
}

// --convert FROM TO REPORT: one conversion, for the peak memory measurement ("-" "-" does
// nothing); the peak resident memory goes to REPORT.
int convert(const std::string& from, const std::string& to, const std::string& report) {
  if (from != "-") {
    std::optional<ExamDocument> exam = load(formatOf(from), from);
    if (!exam || !save(formatOf(to), *exam, to)) return 1;
  }
  std::ofstream(report) << residentHighWaterMark();
  return 0;
}

}  // namespace
}  // namespace quizmora

int main(int argc, char** argv) {
  if (argc == 5 && std::strcmp(argv[1], "--convert") == 0) {
    return quizmora::convert(argv[2], argv[3], argv[4]);
  }
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
