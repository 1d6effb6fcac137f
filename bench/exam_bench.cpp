// Load and save speed of exam files, side by side with pugixml's DOM parse of the same
// bytes, and the peak heap of loading the largest exam.
//
// Every benchmark takes the number of questions as its argument; throughput is reported in
// bytes of the exam file per second, whatever the benchmark does with them.

#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <optional>
#include <pugixml.hpp>
#include <string>

#include "format/exam_file_io.h"
#include "format/exam_file_writer.h"
#include "generated_exam.h"
#include "heap_counter.h"

namespace quizmora {
namespace {

namespace fs = std::filesystem;

constexpr std::uint32_t kSeed = kGeneratedExamSeed;
constexpr int kLargestExam = 100000;

std::string littleEndianBytes(std::u16string_view text) {
  std::string bytes(text.size() * 2, '\0');
  for (std::size_t i = 0; i < text.size(); ++i) {
    bytes[2 * i] = static_cast<char>(text[i] & 0xFF);
    bytes[2 * i + 1] = static_cast<char>(text[i] >> 8);
  }
  return bytes;
}

// pugixml takes "&#a;" and "&#d;" for malformed references; give it their decimal forms.
std::u16string withDecimalLineBreaks(std::u16string text) {
  for (const auto& [from, to] :
       {std::pair<std::u16string_view, std::u16string_view>{u"&#a;", u"&#10;"},
        {u"&#d;", u"&#13;"}}) {
    std::u16string out;
    out.reserve(text.size() + text.size() / 16);
    std::size_t start = 0;
    for (std::size_t at = text.find(from); at != std::u16string::npos;
         at = text.find(from, start)) {
      out.append(text, start, at - start);
      out.append(to);
      start = at + from.size();
    }
    out.append(text, start, std::u16string::npos);
    text = std::move(out);
  }
  return text;
}

void writeFile(const fs::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// One generated exam, on disk in both forms and in memory.
struct Corpus {
  ExamDocument document;
  std::u16string text;    // the exam file's units
  std::string pugiBytes;  // the same with decimal line-break references
  fs::path examPath;
  fs::path pugiPath;
  fs::path savePath;
  std::int64_t fileBytes = 0;
};

class Corpora {
 public:
  Corpora() {
    std::string pattern = (fs::temp_directory_path() / "qzm-bench-XXXXXX").string();
    if (::mkdtemp(pattern.data())) folder_ = pattern;
  }
  ~Corpora() {
    std::error_code ignored;
    if (!folder_.empty()) fs::remove_all(folder_, ignored);
  }

  const Corpus& get(int questions) {
    std::unique_ptr<Corpus>& slot = corpora_[questions];
    if (!slot) slot = make(questions);
    return *slot;
  }

 private:
  std::unique_ptr<Corpus> make(int questions) {
    auto corpus = std::make_unique<Corpus>();
    corpus->document = generateExam(questions, kSeed);
    corpus->text = composeExamText(corpus->document);
    corpus->pugiBytes = littleEndianBytes(withDecimalLineBreaks(corpus->text));
    const std::string name = std::to_string(questions);
    corpus->examPath = folder_ / (name + ".qzm");
    corpus->pugiPath = folder_ / (name + ".xml");
    corpus->savePath = folder_ / (name + "-saved.qzm");
    writeFile(corpus->examPath, littleEndianBytes(corpus->text));
    writeFile(corpus->pugiPath, corpus->pugiBytes);
    corpus->fileBytes = static_cast<std::int64_t>(corpus->text.size() * 2);
    return corpus;
  }

  fs::path folder_;
  std::map<int, std::unique_ptr<Corpus>> corpora_;
};

Corpora& corpora() {
  static Corpora instance;
  return instance;
}

const Corpus& corpusFor(const benchmark::State& state) {
  return corpora().get(static_cast<int>(state.range(0)));
}

std::optional<ExamDocument> loadExamFile(const fs::path& path) {
  std::optional<std::u16string> text = readExamFileText(path);
  if (!text) return std::nullopt;
  return examDocumentOf(loadExam(*text, false));
}

void setFileThroughput(benchmark::State& state, const Corpus& corpus) {
  state.SetBytesProcessed(state.iterations() * corpus.fileBytes);
  state.counters["file_MB"] = static_cast<double>(corpus.fileBytes) / 1e6;
}

// Read the file and load it into a document.
void BM_Load(benchmark::State& state) {
  const Corpus& corpus = corpusFor(state);
  for (auto _ : state) {
    std::optional<ExamDocument> document = loadExamFile(corpus.examPath);
    if (!document || document->questionCount() != state.range(0)) {
      state.SkipWithError("the exam did not load");
      break;
    }
    benchmark::DoNotOptimize(document);
  }
  setFileThroughput(state, corpus);
}

// The loader alone, on units already in memory.
void BM_LoadFromMemory(benchmark::State& state) {
  const Corpus& corpus = corpusFor(state);
  for (auto _ : state) {
    LoadedExam loaded = loadExam(corpus.text, false);
    benchmark::DoNotOptimize(loaded);
  }
  setFileThroughput(state, corpus);
}

void BM_PugixmlLoadFile(benchmark::State& state) {
  const Corpus& corpus = corpusFor(state);
  for (auto _ : state) {
    pugi::xml_document document;
    const pugi::xml_parse_result result =
        document.load_file(corpus.pugiPath.c_str(), pugi::parse_default, pugi::encoding_utf16_le);
    if (!result) {
      state.SkipWithError(result.description());
      break;
    }
    benchmark::DoNotOptimize(document);
  }
  setFileThroughput(state, corpus);
}

void BM_PugixmlParse(benchmark::State& state) {
  const Corpus& corpus = corpusFor(state);
  for (auto _ : state) {
    pugi::xml_document document;
    const pugi::xml_parse_result result =
        document.load_buffer(corpus.pugiBytes.data(), corpus.pugiBytes.size(), pugi::parse_default,
                             pugi::encoding_utf16_le);
    if (!result) {
      state.SkipWithError(result.description());
      break;
    }
    benchmark::DoNotOptimize(document);
  }
  setFileThroughput(state, corpus);
}

// Compose and write, as Save As does.
void BM_Save(benchmark::State& state) {
  const Corpus& corpus = corpusFor(state);
  for (auto _ : state) {
    if (!writeExamFile(corpus.savePath, composeExamText(corpus.document))) {
      state.SkipWithError("the exam could not be written");
      break;
    }
  }
  setFileThroughput(state, corpus);
}

void BM_Compose(benchmark::State& state) {
  const Corpus& corpus = corpusFor(state);
  for (auto _ : state) {
    std::u16string text = composeExamText(corpus.document);
    benchmark::DoNotOptimize(text);
  }
  setFileThroughput(state, corpus);
}

void reportPeak(benchmark::State& state, const Corpus& corpus, std::size_t peak) {
  state.counters["file_MB"] = static_cast<double>(corpus.fileBytes) / 1e6;
  state.counters["peak_MB"] = static_cast<double>(peak) / 1e6;
  state.counters["peak_per_file"] =
      static_cast<double>(peak) / static_cast<double>(corpus.fileBytes);
}

// Heap held at the worst moment of reading the file and loading it, the finished document
// and the file's units included.
void BM_LoadPeakMemory(benchmark::State& state) {
  const Corpus& corpus = corpusFor(state);
  std::size_t peak = 0;
  for (auto _ : state) {
    HeapMeasurement measurement;
    {
      std::optional<ExamDocument> document = loadExamFile(corpus.examPath);
      benchmark::DoNotOptimize(document);
    }
    peak = measurement.peakBytes();
  }
  reportPeak(state, corpus, peak);
}

void BM_PugixmlPeakMemory(benchmark::State& state) {
  const Corpus& corpus = corpusFor(state);
  std::size_t peak = 0;
  for (auto _ : state) {
    HeapMeasurement measurement;
    {
      pugi::xml_document document;
      document.load_file(corpus.pugiPath.c_str(), pugi::parse_default, pugi::encoding_utf16_le);
      benchmark::DoNotOptimize(document);
    }
    peak = measurement.peakBytes();
  }
  reportPeak(state, corpus, peak);
}

void examSizes(benchmark::internal::Benchmark* benchmark) {
  benchmark->Arg(1000)->Arg(10000)->Arg(kLargestExam)->Unit(benchmark::kMillisecond);
}

BENCHMARK(BM_Load)->Apply(examSizes);
BENCHMARK(BM_PugixmlLoadFile)->Apply(examSizes);
BENCHMARK(BM_LoadFromMemory)->Apply(examSizes);
BENCHMARK(BM_PugixmlParse)->Apply(examSizes);
BENCHMARK(BM_Save)->Apply(examSizes);
BENCHMARK(BM_Compose)->Apply(examSizes);
BENCHMARK(BM_LoadPeakMemory)->Arg(kLargestExam)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PugixmlPeakMemory)->Arg(kLargestExam)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quizmora

int main(int argc, char** argv) {
  // pugixml allocates through malloc; route it through the counter too, so its peak compares.
  pugi::set_memory_management_functions(quizmora::countedAllocate, quizmora::countedDeallocate);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
