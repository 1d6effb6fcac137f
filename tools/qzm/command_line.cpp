#include "command_line.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

#include <CLI/CLI.hpp>

#include "commands.h"
#ifdef QZM_HAVE_SERVER
#include "serve_command.h"
#endif

namespace quizmora {

namespace {

constexpr std::array kCommandNames = {
    "show",  "convert", "check", "formats",
#ifdef QZM_HAVE_SERVER
    "serve",
#endif
};

constexpr const char* kFooter =
    "Exit status: 0 success, 1 input cannot be opened or read, 2 output cannot be written,\n"
    "3 check found problems or convert --strict met a warning, 64 bad usage.";

struct Arguments {
  std::string input;
  std::string output;
  bool oldFormat = false;
  ConvertOptions convert;
  std::string seed;
};

CLI::App* addShow(CLI::App& app, Arguments& arguments) {
  CLI::App* command = app.add_subcommand("show", "Print the exam in FILE as one JSON object");
  command->add_option("FILE", arguments.input, "Exam file to read")->required();
  command->add_flag("--old", arguments.oldFormat, "Read FILE as an old 8-bit exam file");
  return command;
}

CLI::App* addConvert(CLI::App& app, Arguments& arguments) {
  CLI::App* command = app.add_subcommand(
      "convert",
      "Convert between exam files, JSON and other tools' formats, chosen by extension (see "
      "qzm formats)");
  command->add_option("IN", arguments.input, "File to read")->required();
  command->add_option("OUT", arguments.output, "File to write (replaced only when complete)")
      ->required();
  command->add_flag("--old", arguments.convert.oldFormat, "Read IN as an old 8-bit exam file");
  command->add_option("--from", arguments.convert.from, "Format of IN, whatever its extension");
  command->add_option("--to", arguments.convert.to, "Format of OUT, whatever its extension");
  command->add_flag("--key", arguments.convert.withKey,
                    "Write the printable sheet as the answer key (with --versions: add a key "
                    "page per version)");
  command
      ->add_option("--versions", arguments.convert.versions,
                   "Printable sheet: versions A, B, ... of the exam, N from 1 to 26")
      ->check(CLI::Range(1, 26));
  command
      ->add_option("--shuffle", arguments.convert.shuffle,
                   "What versions B, C, ... reorder: questions (the default), choices or both")
      ->check(CLI::IsMember({"questions", "choices", "both"}));
  command->add_option("--seed", arguments.seed,
                      "Seed of the shuffle (default: drawn from the exam; printed on each "
                      "version)");
  command->add_flag("--strict", arguments.convert.strict,
                    "Treat warnings as errors: exit 3 and write nothing");
  return command;
}

CLI::App* addFormats(CLI::App& app) {
  return app.add_subcommand("formats", "List the formats and what each keeps and loses");
}

CLI::App* addCheck(CLI::App& app, Arguments& arguments) {
  CLI::App* command = app.add_subcommand(
      "check", "List questions the editor would refuse, and unknown types and modes");
  command->add_option("FILE", arguments.input, "Exam file to check")->required();
  command->add_flag("--old", arguments.oldFormat, "Read FILE as an old 8-bit exam file");
  return command;
}

// The first argument that is not an option must name a command; say so plainly rather than
// with the parser's generic complaint.
bool reportMissingCommand(int argc, const char* const* argv, std::ostream& err) {
  if (argc < 2) {
    err << "qzm: missing command (show, convert, check or formats; see qzm --help)\n";
    return true;
  }
  const std::string_view first = argv[1];
  if (first.empty()) return false;
  if (first.front() == '-') {
    // Only --help is an option of the tool itself, and it does not fail.
    err << "qzm: unknown option '" << first << "' (see qzm --help)\n";
    return true;
  }
  if (std::find(kCommandNames.begin(), kCommandNames.end(), first) != kCommandNames.end()) {
    return false;
  }
  err << "qzm: unknown command '" << first
      << "' (show, convert, check or formats; see qzm --help)\n";
  return true;
}

// Arguments arrive as UTF-8 on every system (the Windows entry point converts its wide
// arguments); a path made from a plain string would be read in the ANSI code page there.
std::filesystem::path pathFromUtf8(const std::string& text) {
  return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

std::optional<std::uint64_t> seedOf(const std::string& text) {
  std::uint64_t seed = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, seed);
  if (text.empty() || error != std::errc() || stop != end) return std::nullopt;
  return seed;
}

std::string oneLine(std::string text) {
  std::replace(text.begin(), text.end(), '\n', ' ');
  return text;
}

}  // namespace

int runCommandLine(int argc, const char* const* argv, std::ostream& out, std::ostream& err) {
  CLI::App app{"Inspects and converts Quizmora Builder exam files.", "qzm"};
  app.footer(kFooter);
  app.require_subcommand(1);
  Arguments arguments;
  CLI::App* show = addShow(app, arguments);
  CLI::App* convert = addConvert(app, arguments);
  CLI::App* check = addCheck(app, arguments);
  CLI::App* formats = addFormats(app);
#ifdef QZM_HAVE_SERVER
  ServeArguments serveArguments;
  CLI::App* serve = addServe(app, serveArguments);
#endif

  try {
    app.parse(argc, argv);
  } catch (const CLI::Success& help) {
    return app.exit(help, out, err);
  } catch (const CLI::ParseError& error) {
    if (reportMissingCommand(argc, argv, err)) return kExitUsage;
    err << "qzm: " << oneLine(error.what()) << '\n';
    return kExitUsage;
  }

  const std::filesystem::path input = pathFromUtf8(arguments.input);
  if (show->parsed()) return runShow(input, arguments.oldFormat, out, err);
  if (convert->parsed()) {
    if (convert->count("--seed") > 0) {
      arguments.convert.seed = seedOf(arguments.seed);
      if (!arguments.convert.seed) {
        err << "qzm: --seed: '" << arguments.seed
            << "' is not a whole number from 0 to 18446744073709551615\n";
        return kExitUsage;
      }
    }
    return runConvert(input, pathFromUtf8(arguments.output), arguments.convert, err);
  }
  if (formats->parsed()) return runFormats(out, err);
  if (check->parsed()) return runCheck(input, arguments.oldFormat, out, err);
#ifdef QZM_HAVE_SERVER
  if (serve->parsed()) return runServe(serveArguments, err);
#endif
  err << "qzm: missing command (show, convert, check or formats; see qzm --help)\n";
  return kExitUsage;
}

}  // namespace quizmora
