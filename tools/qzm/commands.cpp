#include "commands.h"

#include <optional>
#include <ostream>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

#include "exam_check.h"
#include "format/exam_file_io.h"
#include "format/exam_file_writer.h"
#include "format/file_bytes.h"
#include "interchange/exam_json.h"
#include "interchange/format_registry.h"
#include "interchange/html_sheet.h"
#include "interchange/warning_summary.h"

namespace quizmora {

namespace {

int fail(std::ostream& err, const std::string& message, int code) {
  err << "qzm: " << message << '\n';
  return code;
}

// "cannot open exam.qzm: No such file or directory": the file and the system's reason.
int failOn(std::ostream& err, const char* what, const std::filesystem::path& path,
           const std::error_code& reason, int code) {
  return fail(err, std::string(what) + " " + path.string() + ": " + systemReason(reason), code);
}

std::optional<ExamDocument> loadExamFile(const std::filesystem::path& path, bool oldFormat,
                                         std::ostream& err) {
  std::error_code reason;
  std::optional<std::u16string> text =
      oldFormat ? readOldExamFileText(path, &reason) : readExamFileText(path, &reason);
  if (!text) {
    failOn(err, "cannot open", path, reason, kExitUnreadableInput);
    return std::nullopt;
  }
  return examDocumentOf(loadExam(*text, oldFormat));
}

std::string jsonText(const ExamDocument& document) { return examToJson(document).dump(2) + "\n"; }

// Each kind of warning once; the number of lines printed.
std::size_t printWarnings(const InterchangeReport& report, std::ostream& err) {
  const std::vector<std::string> lines = summarizedWarnings(report);
  for (const std::string& line : lines) err << "warning: " << line << '\n';
  return lines.size();
}

// The format a file is in or is to be in: named by --from/--to, else by the extension, else
// the exam file. `role` is "--from" or "--to".
const ExamFormat* chooseFormat(const std::filesystem::path& path, const std::string& named,
                               const char* role, std::ostream& err) {
  if (!named.empty()) {
    const ExamFormat* format = formatNamed(named);
    if (!format) {
      fail(err, "unknown format '" + named + "' for " + role + " (" + formatNames() + ")",
           kExitUsage);
    }
    return format;
  }
  const std::vector<const ExamFormat*> formats = formatsForExtension(path);
  if (formats.size() > 1) {
    std::string names;
    for (const ExamFormat* format : formats) {
      if (!names.empty()) names += " or ";
      names += format->name;
    }
    fail(err, path.string() + " may be " + names + ": name the format with " + role, kExitUsage);
    return nullptr;
  }
  if (!formats.empty()) return formats.front();
  // A name without an extension is an exam file, as qzm always took it; an output with an
  // extension no format has would be an exam file under a name that says otherwise.
  const std::string extension = path.extension().string();
  if (!extension.empty() && std::string_view(role) == "--to") {
    fail(err,
         "unknown extension '" + extension + "' for " + path.string() + " (" + formatNames() +
             "): name the format with " + role,
         kExitUsage);
    return nullptr;
  }
  return formatNamed("qzm");
}

std::optional<ExamDocument> readInput(const std::filesystem::path& path, const ExamFormat& format,
                                      bool oldFormat, InterchangeReport& report,
                                      std::ostream& err) {
  if (format.examFile) return loadExamFile(path, oldFormat, err);
  std::error_code reason;
  std::optional<std::string> bytes = readFileBytes(path, &reason);
  if (!bytes) {
    failOn(err, "cannot open", path, reason, kExitUnreadableInput);
    return std::nullopt;
  }
  std::optional<ExamDocument> document = format.read(*bytes, report);
  if (!document) {
    const InterchangeNote note = report.error.value_or(InterchangeNote{0, 0, "not readable"});
    fail(err, "cannot read " + path.string() + ": " + noteText(note), kExitUnreadableInput);
  }
  return document;
}

}  // namespace

int runShow(const std::filesystem::path& file, bool oldFormat, std::ostream& out,
            std::ostream& err) {
  std::optional<ExamDocument> document = loadExamFile(file, oldFormat, err);
  if (!document) return kExitUnreadableInput;
  out << jsonText(*document) << std::flush;
  if (!out) return fail(err, "cannot write to standard output", kExitUnwritableOutput);
  return kExitSuccess;
}

int runConvert(const std::filesystem::path& input, const std::filesystem::path& output,
               const ConvertOptions& options, std::ostream& err) {
  // --old reads the old layout of the exam file, whatever the name (often .txt).
  const std::vector<const ExamFormat*> named = formatsForExtension(input);
  const bool otherFormatNamed = options.from.empty() && named.size() == 1 && !named[0]->examFile;
  const ExamFormat* from = options.oldFormat && options.from.empty() && !otherFormatNamed
                               ? formatNamed("qzm")
                               : chooseFormat(input, options.from, "--from", err);
  if (!from) return kExitUsage;
  if (options.oldFormat && !from->examFile) {
    return fail(err, "--old applies to exam files, not to " + input.string(), kExitUsage);
  }
  const ExamFormat* to = chooseFormat(output, options.to, "--to", err);
  if (!to) return kExitUsage;
  if (!from->examFile && !from->read) {
    return fail(err, "qzm cannot read " + std::string(from->name) + " files", kExitUsage);
  }
  if (options.withKey && !to->writeWithKey) {
    return fail(err, "--key applies to the printable sheet (html), not to " + std::string(to->name),
                kExitUsage);
  }

  if (options.versions == 0 && (!options.shuffle.empty() || options.seed)) {
    return fail(err, "--shuffle and --seed apply with --versions", kExitUsage);
  }
  if (options.versions > 0 && to->name != "html") {
    return fail(err,
                "--versions applies to the printable sheet (html), not to " + std::string(to->name),
                kExitUsage);
  }

  InterchangeReport report;
  std::optional<ExamDocument> document = readInput(input, *from, options.oldFormat, report, err);
  if (!document) return kExitUnreadableInput;

  // The exam file is written from its UTF-16 units; every other format as bytes.
  std::u16string examText;
  std::string bytes;
  if (to->examFile) {
    examText = composeExamText(*document);
  } else if (options.versions > 0) {
    const SheetVersions versions{options.versions,
                                 shuffleKindNamed(options.shuffle).value_or(ShuffleKind::Questions),
                                 options.seed, options.withKey};
    bytes = writeHtmlVersions(*document, versions, report);
  } else {
    bytes = (options.withKey ? to->writeWithKey : to->write)(*document, report);
  }
  document.reset();  // only the output is needed from here on
  const std::size_t warnings = printWarnings(report, err);
  // A writer that could not make its output at all (a package that cannot be built).
  if (report.failed()) {
    return fail(err, "cannot write " + output.string() + ": " + report.error->text,
                kExitUnwritableOutput);
  }
  if (options.strict && warnings > 0) {
    return fail(err,
                std::to_string(warnings) + (warnings == 1 ? " warning" : " warnings") +
                    " with --strict: nothing written",
                kExitProblemsFound);
  }
  std::error_code reason;
  const bool written = to->examFile ? writeExamFile(output, examText, &reason)
                                    : writeFileReplacing(output, bytes, &reason);
  if (!written) return failOn(err, "cannot write", output, reason, kExitUnwritableOutput);
  return kExitSuccess;
}

int runFormats(std::ostream& out, std::ostream& err) {
  for (const ExamFormat& format : examFormats()) {
    std::string extensions;
    for (std::string_view extension : format.extensions) {
      if (!extensions.empty()) extensions += ' ';
      extensions += extension;
    }
    const bool readable = format.examFile || format.read;
    const bool writable = format.examFile || format.write;
    out << format.name << "  (" << extensions << ")  " << format.description << "; "
        << (readable && writable ? "read and written"
            : readable           ? "read only"
                                 : "written only")
        << "\n  keeps: " << format.keeps << "\n  loses: " << format.loses << '\n';
  }
  out << "A .txt file is GIFT or Aiken: name the format with --from or --to.\n" << std::flush;
  if (!out) return fail(err, "cannot write to standard output", kExitUnwritableOutput);
  return kExitSuccess;
}

int runCheck(const std::filesystem::path& file, bool oldFormat, std::ostream& out,
             std::ostream& err) {
  std::optional<ExamDocument> document = loadExamFile(file, oldFormat, err);
  if (!document) return kExitUnreadableInput;
  const std::vector<std::string> problems = examProblems(*document);
  for (const std::string& problem : problems) out << problem << '\n';
  out << std::flush;
  if (!out) return fail(err, "cannot write to standard output", kExitUnwritableOutput);
  return problems.empty() ? kExitSuccess : kExitProblemsFound;
}

}  // namespace quizmora
