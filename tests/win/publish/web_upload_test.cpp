// The web upload through WinINet to a server on 127.0.0.1 run by the test: what arrives
// (request line, every header line, length, body bytes) and every way it can fail.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <optional>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "app/win_text.h"
#include "format/exam_file_writer.h"
#include "publish/loopback_server.h"
#include "publish/web_uploader.h"
#include "publish/wininet_client.h"
#include "support/scripted_prompts.h"
#include "support/test_support.h"

namespace quizmora {
namespace {

const std::string kConfirm =
    "question [Yes]: Do you really want to upload this file to Quizmora's web-site?";
const std::string kSupport = " Try again later or contact to support@quizmora.example";

class WebUploadTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    // Requests to the test's own server go straight to it, whatever proxy the machine names.
    _wputenv(L"http_proxy=");
    _wputenv(L"HTTP_PROXY=");
    _wputenv(L"no_proxy=127.0.0.1,localhost");
  }
  void SetUp() override { useUrl(server.url()); }
  void TearDown() override { SetEnvironmentVariableW(L"QUIZMORA_UPLOAD_URL", nullptr); }

  static void useUrl(const std::wstring& url) {
    SetEnvironmentVariableW(L"QUIZMORA_UPLOAD_URL", url.c_str());
  }

  // An exam whose file on disk holds `bytes`.
  ExamDocument savedExam(const std::u16string& name, const std::string& bytes) {
    ExamDocument exam;
    exam.filePath = (dir / name).u16string();
    test::writeBytes(dir / name, bytes);
    return exam;
  }

  void upload(const ExamDocument& exam) {
    WinInetClient http;
    WebUploader(http, prompts).upload(exam, uploadTargetFromEnvironment());
  }

  test::TempDir dir;
  test::ScriptedPrompts prompts;
  test::LoopbackServer server;
};

// The whole form as it must arrive: the text around the file, the file's own bytes between.
std::string expectedBody(const ExamDocument& exam, const std::string& fileBytes,
                         const std::string& boundary) {
  const UploadBody body =
      buildUploadBody(exam.header, exam.filePath, std::u16string(boundary.begin(), boundary.end()));
  std::string text = body.pieces[0] + fileBytes;
  for (std::size_t i = 1; i < body.pieces.size(); ++i) text += body.pieces[i];
  return text;
}

std::string boundaryOf(const test::ReceivedRequest& request) {
  const std::string type = request.header("Content-Type");
  const std::string prefix = "multipart/form-data; boundary=";
  return type.rfind(prefix, 0) == 0 ? type.substr(prefix.size()) : std::string();
}

struct SentCase {
  const char* name;
  ExamHeader header;
  std::u16string fileName;
  std::string fileBytes;
};

std::string examFileBytes() {
  ExamDocument exam;
  exam.header.title = u"Capitals";
  exam.appendQuestion({QuestionType::OneChoice, u"Capital of France?", {{u"Paris", 1}}});
  return test::littleEndianBytes(composeExamText(exam));
}

std::string largeFileBytes() {
  std::string bytes(1048576 + 4097, '\0');
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i * 7 % 253);
  return bytes;
}

TEST_F(WebUploadTest, TheServerReceivesTheExamAndItsDetailsWhole) {
  const SentCase cases[] = {
      {"saved exam",
       {u"Capitals", u"Ann", u"ann@example.org", u"http://example.org/", u"Europe", {}},
       u"capitals.qzm",
       examFileBytes()},
      {"empty header fields", {}, u"capitals.qzm", examFileBytes()},
      {"imported old file, sent as it is",
       {u"Alt", u"Bob", {}, {}, {}, {}},
       u"old exam.txt",
       "<Exam>\r\n<Author>Bob</Author>\r\n<Title>Caf\xe9</Title>\r\n</Exam>\x1a"},
      {"larger than the announced limit",
       {u"Big", {}, {}, {}, {}, {}},
       u"big.qzm",
       largeFileBytes()},
      {"names outside ASCII",
       {u"Pr\u00fcfung", u"\u5f20", {}, {}, {}, {}},
       u"Pr\u00fcfung.qzm",
       examFileBytes()},
  };
  const std::string port = std::to_string(server.port());
  std::set<std::string> boundaries;  // every upload makes its own
  for (const SentCase& c : cases) {
    SCOPED_TRACE(c.name);
    ExamDocument exam = savedExam(c.fileName, c.fileBytes);
    exam.header = c.header;
    prompts = {};
    prompts.answer = true;
    const std::size_t before = server.requests().size();
    upload(exam);

    EXPECT_EQ(prompts.shown, std::vector<std::string>{kConfirm});  // success is silent
    const std::vector<test::ReceivedRequest> requests = server.requests();
    ASSERT_EQ(requests.size(), before + 1);
    const test::ReceivedRequest& request = requests.back();
    EXPECT_EQ(request.requestLine, "POST /olvan/quizmora/uploadqz.php HTTP/1.0");
    const std::string boundary = boundaryOf(request);
    EXPECT_TRUE(std::regex_match(
        boundary, std::regex("-{32}[0-9a-f]{8}-[0-9a-f]{4}-[0-9a-f]{4}-[0-9a-f]{4}-[0-9a-f]{12}")))
        << boundary;
    EXPECT_TRUE(boundaries.insert(boundary).second) << "boundary used twice: " << boundary;
    const std::pair<const char*, std::string> headers[] = {
        {"Host", "127.0.0.1:" + port},
        {"User-Agent", "QuizmoraBuilder"},
        {"Content-Length", std::to_string(request.body.size())},
        {"Accept",
         "image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, application/vnd.ms-powerpoint, "
         "application/vnd.ms-excel, application/msword, application/x-shockwave-flash, */*"},
        {"Referer", "http://127.0.0.1:" + port + "/olvan/quizmora/uploadqz.php"},
        {"Accept-Encoding", ""},
        {"Accept-Language", "en-ca"},
        // Added by WinINet for the kept-alive connection the request asks for.
        {"Connection", "Keep-Alive"},
    };
    for (const auto& [name, value] : headers) EXPECT_EQ(request.header(name), value) << name;
    EXPECT_EQ(request.headerLines.size(), std::size(headers) + 1)  // and Content-Type
        << testing::PrintToString(request.headerLines);
    const std::string expected = expectedBody(exam, c.fileBytes, boundary);
    EXPECT_EQ(request.body.size(), expected.size());
    EXPECT_TRUE(request.body == expected) << "the body differs from the form";
  }
}

enum class Setup { SavedFile, MissingFile, EmptyFile };

struct FailureCase {
  const char* name;
  Setup setup;
  bool answer;      // to the confirmation
  const char* url;  // null: the test's server; "closed": a port nothing listens on
  int status;       // what the server answers
  std::vector<std::string> expected;  // with $P for the exam's path
  std::size_t requestsReceived;
};

TEST_F(WebUploadTest, FailuresAreShownAndNothingIsSentThatShouldNotBe) {
  const std::string readError = "error [OK]: Error#5! Cannot read the exam file $P";
  const FailureCase cases[] = {
      {"No at the confirmation", Setup::SavedFile, false, nullptr, 200, {kConfirm}, 0},
      {"file deleted since it was saved",
       Setup::MissingFile,
       true,
       nullptr,
       200,
       {kConfirm, readError},
       0},
      {"empty file", Setup::EmptyFile, true, nullptr, 200, {kConfirm, readError}, 0},
      {"connection refused",
       Setup::SavedFile,
       true,
       "closed",
       200,
       {kConfirm, "error [OK]: Error#6! Cannot send the exam to the web-site." + kSupport},
       0},
      {"server error",
       Setup::SavedFile,
       true,
       nullptr,
       500,
       {kConfirm,
        "error [OK]: Error#7! The web-site refused the exam (HTTP status 500)." + kSupport},
       1},
      {"address setting that is not http",
       Setup::SavedFile,
       true,
       "ftp://127.0.0.1/x",
       200,
       {kConfirm, "error [OK]: Error#1! Cannot connect to web-site." + kSupport},
       0},
  };
  for (const FailureCase& c : cases) {
    SCOPED_TRACE(c.name);
    test::LoopbackServer own(c.status);
    if (!c.url) {
      useUrl(own.url());
    } else if (std::string(c.url) == "closed") {
      useUrl(L"http://127.0.0.1:" + std::to_wstring(test::LoopbackServer::closedPort()) + L"/p");
    } else {
      useUrl(std::wstring(c.url, c.url + std::strlen(c.url)));
    }
    ExamDocument exam;
    if (c.setup == Setup::SavedFile) exam = savedExam(u"exam.qzm", examFileBytes());
    if (c.setup == Setup::EmptyFile) exam = savedExam(u"empty.qzm", "");
    if (c.setup == Setup::MissingFile) exam.filePath = (dir / u"gone.qzm").u16string();
    prompts = {};
    prompts.answer = c.answer;
    upload(exam);

    std::vector<std::string> expected;
    for (std::string line : c.expected) {
      if (auto at = line.find("$P"); at != std::string::npos) {
        line.replace(at, 2, test::printable(exam.filePath));
      }
      expected.push_back(line);
    }
    EXPECT_EQ(prompts.shown, expected);
    EXPECT_EQ(own.requests().size(), c.requestsReceived);
    EXPECT_EQ(own.connections(), static_cast<int>(c.requestsReceived));
  }
  EXPECT_EQ(server.connections(), 0);
}

// The package's UPLOADURL lands in HKLM; the variable, when set, still wins.
TEST_F(WebUploadTest, TheComputersAddressIsTakenWhenTheVariableIsNotSet) {
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, kUploadUrlKey, 0, nullptr, 0,
                            KEY_SET_VALUE | KEY_WOW64_64KEY, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  const struct {
    const wchar_t* machine;  // null: no value
    const wchar_t* variable;
    std::optional<UploadTarget> expected;
  } cases[] = {
      {L"http://school:8080/upload?key=k", nullptr,
       UploadTarget{u"school", 8080, u"/upload?key=k"}},
      {L"http://school:8080/upload", L"http://127.0.0.1:9/p", UploadTarget{u"127.0.0.1", 9, u"/p"}},
      {L"ftp://school/upload", nullptr, std::nullopt},
      {nullptr, nullptr, defaultUploadTarget()},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.machine ? test::printable(fromWide(c.machine)) : "no value");
    if (c.machine) {
      RegSetValueExW(key, kUploadUrlValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(c.machine),
                     static_cast<DWORD>((wcslen(c.machine) + 1) * sizeof(wchar_t)));
    } else {
      RegDeleteValueW(key, kUploadUrlValue);
    }
    SetEnvironmentVariableW(L"QUIZMORA_UPLOAD_URL", c.variable);
    EXPECT_EQ(uploadTargetFromEnvironment(), c.expected);
  }
  RegCloseKey(key);
}

}  // namespace
}  // namespace quizmora
