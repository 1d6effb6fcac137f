// The web upload against a stand-in for the HTTP layer that fails any one step: which box
// the author sees, which calls were made, and that the exam file and every handle are let
// go on each path, the file before the handles.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "publish/http_client.h"
#include "publish/web_uploader.h"
#include "support/scripted_prompts.h"
#include "support/test_support.h"

namespace quizmora {
namespace {

// Records each call by name; the call named in `failAt` fails.
class StepClient : public HttpClient {
 public:
  StepClient(std::string failAt, unsigned status, std::filesystem::path examFile)
      : failAt_(std::move(failAt)), status_(status), examFile_(std::move(examFile)) {}

  std::vector<std::string> calls;

  bool open(std::u16string_view) override { return step("open"); }
  void connect(std::u16string_view, std::uint16_t) override { step("connect"); }
  bool openRequest(std::u16string_view, std::u16string_view, std::u16string_view) override {
    return step("openRequest");
  }
  bool addHeader(std::u16string_view line, bool add) override {
    const bool contentType = line.rfind(u"Content-Type:", 0) == 0;
    EXPECT_EQ(add, !contentType) << test::printable(line);
    return step(contentType ? "addContentType" : "addHeader");
  }
  bool sendRequest(std::uint32_t) override { return step("sendRequest"); }
  bool write(const void*, std::uint32_t) override { return step("write"); }
  bool endRequest() override { return step("endRequest"); }
  unsigned statusCode() override {
    step("statusCode");
    return status_;
  }
  void close() override {
    // The exam file must be unmapped and closed by now: only then can it be opened alone.
    HANDLE alone = CreateFileW(examFile_.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
    calls.push_back(alone == INVALID_HANDLE_VALUE ? "close with the file still open" : "close");
    if (alone != INVALID_HANDLE_VALUE) CloseHandle(alone);
  }

 private:
  bool step(const std::string& name) {
    if (calls.empty() || calls.back() != name) calls.push_back(name);
    return name != failAt_;
  }
  std::string failAt_;
  unsigned status_;
  std::filesystem::path examFile_;
};

std::optional<std::u16string> noBoundary() { return std::nullopt; }

struct StepCase {
  const char* failAt;
  unsigned status;
  const char* error;  // the box after the confirmation; null: none
  std::vector<std::string> calls;
};

TEST(WebUploaderSteps, EachFailingStepShowsItsErrorAndReleasesEverything) {
  const std::string support = " Try again later or contact to support@quizmora.example";
  const std::vector<std::string> upToHeaders = {"open", "connect", "openRequest", "addContentType",
                                                "addHeader"};
  auto through = [&](std::vector<std::string> rest) {
    std::vector<std::string> calls = upToHeaders;
    calls.insert(calls.end(), rest.begin(), rest.end());
    return calls;
  };
  const StepCase cases[] = {
      {"open", 200, "Error#1! Cannot connect to web-site.", {"open", "close"}},
      {"openRequest",
       200,
       "Error#3! Cannot connect to web-site.",
       {"open", "connect", "openRequest", "close"}},
      {"addContentType",
       200,
       "Error#4! Cannot connect to web-site.",
       {"open", "connect", "openRequest", "addContentType", "close"}},
      // The four other header lines are a courtesy: the upload goes on without them.
      {"addHeader", 200, nullptr,
       through({"sendRequest", "write", "endRequest", "statusCode", "close"})},
      {"sendRequest", 200, "Error#6! Cannot send the exam to the web-site.",
       through({"sendRequest", "close"})},
      {"write", 200, "Error#6! Cannot send the exam to the web-site.",
       through({"sendRequest", "write", "close"})},
      {"endRequest", 200, "Error#6! Cannot send the exam to the web-site.",
       through({"sendRequest", "write", "endRequest", "close"})},
      {"", 400, "Error#7! The web-site refused the exam (HTTP status 400).",
       through({"sendRequest", "write", "endRequest", "statusCode", "close"})},
      {"", 399, nullptr, through({"sendRequest", "write", "endRequest", "statusCode", "close"})},
      {"", 0, "Error#6! Cannot send the exam to the web-site.",
       through({"sendRequest", "write", "endRequest", "statusCode", "close"})},
      // No unique id from the system: no guessable boundary is sent in its place.
      {"uniqueId",
       200,
       "Error#6! Cannot send the exam to the web-site.",
       {"open", "connect", "openRequest", "close"}},
  };
  test::TempDir dir;
  test::writeBytes(dir / u"exam.qzm", "exam");
  ExamDocument exam;
  exam.filePath = (dir / u"exam.qzm").u16string();
  exam.header.title = u"T";
  for (const StepCase& c : cases) {
    SCOPED_TRACE(std::string("failing: ") + c.failAt + " status " + std::to_string(c.status));
    StepClient http(c.failAt, c.status, dir / u"exam.qzm");
    test::ScriptedPrompts prompts;
    prompts.answer = true;
    const bool noUniqueId = std::string(c.failAt) == "uniqueId";
    WebUploader(http, prompts, noUniqueId ? noBoundary : makeBoundary)
        .upload(exam, UploadTarget{u"h", 80, u"/p"});

    EXPECT_EQ(http.calls, c.calls);
    std::vector<std::string> expected = {
        "question [Yes]: Do you really want to upload this file to Quizmora's web-site?"};
    if (c.error) expected.push_back(std::string("error [OK]: ") + c.error + support);
    EXPECT_EQ(prompts.shown, expected);
  }
}

}  // namespace
}  // namespace quizmora
