#include "process_runner.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <csignal>
#include <fstream>
#include <iterator>

namespace quizmora::testing_support {

namespace {

std::string readWhole(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// In the child: only async-signal-safe calls until exec.
[[noreturn]] void execChild(const std::string& program, std::vector<char*>& argv,
                            const ProcessOptions& options, const std::string& outPath,
                            const std::string& errPath) {
  const int out = ::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  const int err = ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (out < 0 || err < 0 || ::dup2(out, 1) < 0 || ::dup2(err, 2) < 0 ||
      ::chdir(options.workingDirectory.c_str()) != 0) {
    ::_exit(127);
  }
  if (options.fileSizeLimit > 0) {
    // A write past the limit then fails with EFBIG instead of killing the program.
    ::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{static_cast<rlim_t>(options.fileSizeLimit),
                       static_cast<rlim_t>(options.fileSizeLimit)};
    ::setrlimit(RLIMIT_FSIZE, &limit);
  }
  ::execv(program.c_str(), argv.data());
  ::_exit(127);
}

}  // namespace

ProcessResult runProcess(const std::string& program, const std::vector<std::string>& arguments,
                         const ProcessOptions& options) {
  const std::filesystem::path captured = options.captureDirectory / "out";
  const std::string outPath =
      options.standardOutput.empty() ? captured.string() : options.standardOutput.string();
  const std::string errPath = (options.captureDirectory / "err").string();

  std::vector<std::string> all{program};
  all.insert(all.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (std::string& argument : all) argv.push_back(argument.data());
  argv.push_back(nullptr);

  ProcessResult result;
  const pid_t child = ::fork();
  if (child < 0) return result;
  if (child == 0) execChild(program, argv, options, outPath, errPath);

  int status = 0;
  if (::waitpid(child, &status, 0) != child) return result;
  if (WIFEXITED(status)) result.exitCode = WEXITSTATUS(status);
  if (options.standardOutput.empty()) result.out = readWhole(captured);
  result.err = readWhole(errPath);
  std::filesystem::remove(captured);
  std::filesystem::remove(errPath);
  return result;
}

}  // namespace quizmora::testing_support
