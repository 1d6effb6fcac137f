// The exam server through real connections on 127.0.0.1: the program's upload request byte
// for byte, every refusal and what it leaves in the folder, the names uploads are kept
// under, and what the pages show of texts full of markup characters.
#include "server/exam_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <chrono>
#include <mutex>
#include <set>
#include <thread>

#include "format/exam_file_writer.h"
#include "format/utf8_text.h"
#include "publish/upload_request.h"
#include "server/exam_name.h"
#include "support/test_support.h"

namespace quizmora {
namespace {

constexpr const char* kKey = "s3cret key";
constexpr std::size_t kMaxUpload = 64 * 1024;
const std::u16string kBoundary =
    u"--------------------------------0f1e2d3c-4b5a-6978-8796-a5b4c3d2e1f0";

ExamDocument sampleExam(std::u16string title) {
  ExamDocument exam;
  exam.header.title = std::move(title);
  exam.header.author = u"Ann Lee";
  exam.questions = {
      {QuestionType::OneChoice, u"2 < 3 & \"4\" > 'x'?", {{u"<b>yes</b>", 1}, {u"no &amp;", 0}}},
      {QuestionType::MultipleChoice,
       u"</script><script>alert(1)</script>",
       {{u"a\r\nb", 1}, {u"\u00e9\u4e2d\U0001F600", 1}, {u"c", 0}}},
      {QuestionType::FlashCard, u"Front \u2028 side", {{u"Back & side", 1}}},
  };
  return exam;
}

std::string examBytes(const ExamDocument& exam) {
  return test::littleEndianBytes(composeExamText(exam));
}

struct Reply {
  int status = 0;
  std::string body;
};

int connectTo(int port) {
  const int socket = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<std::uint16_t>(port));
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  EXPECT_EQ(::connect(socket, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  return socket;
}

void sendAll(int socket, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t sent = ::send(socket, bytes.data(), bytes.size(), MSG_NOSIGNAL);
    if (sent <= 0) return;  // the server may answer and close before taking everything
    bytes.remove_prefix(static_cast<std::size_t>(sent));
  }
}

// Sends `request` on a fresh connection and reads the answer to its end.
Reply roundTrip(int port, std::string_view request) {
  const int socket = connectTo(port);
  sendAll(socket, request);
  std::string text;
  char buffer[16384];
  for (ssize_t got; (got = ::recv(socket, buffer, sizeof buffer, 0)) > 0;) {
    text.append(buffer, static_cast<std::size_t>(got));
  }
  ::close(socket);
  Reply reply;
  if (text.size() > 12) reply.status = std::stoi(text.substr(9, 3));
  const std::size_t bodyStart = text.find("\r\n\r\n");
  if (bodyStart != std::string::npos) reply.body = text.substr(bodyStart + 4);
  if (text.find("Transfer-Encoding: chunked") != std::string::npos) {
    std::string joined;  // the pages come in chunks: hex size CR LF data CR LF
    for (std::size_t at = 0; at < reply.body.size();) {
      const std::size_t lineEnd = reply.body.find("\r\n", at);
      const std::size_t size = std::stoul(reply.body.substr(at, lineEnd - at), nullptr, 16);
      joined += reply.body.substr(lineEnd + 2, size);
      at = lineEnd + 2 + size + 2;
      if (size == 0) break;
    }
    reply.body = joined;
  }
  return reply;
}

Reply get(int port, const std::string& path) {
  return roundTrip(port,
                   "GET " + path + " HTTP/1.1\r\nHost: 127.0.0.1\r\nConnection: close\r\n\r\n");
}

// The request as the program sends it: WinINet's request line and its three headers, the
// program's own five header lines, then the body pieces around the file's bytes.
std::string programRequest(int port, const std::string& query, const ExamHeader& header,
                           const std::u16string& filePath, std::string_view file) {
  const UploadTarget target{u"127.0.0.1", static_cast<std::uint16_t>(port),
                            u"/upload" + std::u16string(query.begin(), query.end())};
  const UploadBody body = buildUploadBody(header, filePath, kBoundary);
  std::string request = "POST " + utf16ToUtf8(target.path) +
                        " HTTP/1.0\r\nHost: 127.0.0.1:" + std::to_string(port) +
                        "\r\nUser-Agent: QuizmoraBuilder\r\n" +
                        "Content-Length: " + std::to_string(body.totalLength(file.size())) + "\r\n";
  for (const std::u16string& line : uploadHeaderLines(target, kBoundary))
    request += utf16ToUtf8(line);
  request += "\r\n" + body.pieces[0] + std::string(file);
  for (std::size_t i = 1; i < body.pieces.size(); ++i) request += body.pieces[i];
  return request;
}

class ExamServerTest : public ::testing::Test {
 protected:
  void SetUp() override { start(); }
  void TearDown() override { stop(); }

  void start() {
    ServerOptions options;
    options.port = 0;
    options.folder = folder_.path() / "exams";
    options.uploadKey = kKey;
    options.maxUpload = kMaxUpload;
    options.threads = 4;
    options.timeoutSeconds = 2;
    server_ = std::make_unique<ExamServer>(options, [this](const std::string& line) {
      std::lock_guard lock(logLock_);
      log_.push_back(line);
    });
    std::string error;
    ASSERT_TRUE(server_->start(error)) << error;
    thread_ = std::thread([this] { server_->run(); });
  }

  void stop() {
    server_->stop();
    thread_.join();
  }

  int port() const { return server_->port(); }
  std::filesystem::path exams() const { return folder_.path() / "exams"; }

  Reply upload(const std::u16string& filePath, std::string_view file,
               const std::string& query = "?key=s3cret%20key",
               const ExamHeader& header = sampleExam(u"Capitals").header) {
    return roundTrip(port(), programRequest(port(), query, header, filePath, file));
  }

  std::set<std::string> folderContents() const {
    std::set<std::string> names;
    for (const auto& item : std::filesystem::directory_iterator(exams())) {
      names.insert(item.path().filename().string());
    }
    return names;
  }

  std::vector<std::string> logLines() {
    std::lock_guard lock(logLock_);
    return log_;
  }

  test::TempDir folder_;
  std::unique_ptr<ExamServer> server_;
  std::thread thread_;
  std::mutex logLock_;
  std::vector<std::string> log_;
};

struct UploadCase {
  const char* what;
  std::u16string filePath;
  std::string file;
  std::string query;
  int status;
  std::string storedAs;  // empty: the folder stays as it was
};

TEST_F(ExamServerTest, UploadsAreStoredUnderSafeNamesOrRefusedLeavingTheFolderAsItWas) {
  const std::string exam = examBytes(sampleExam(u"Capitals"));
  const std::string oldLayout =
      "<EXAM>\r\n<Title>Alt</Title><Item><Question>Q</Question>"
      "<Type>0</Type></Item></EXAM>";
  const std::string key = "?key=s3cret%20key";
  const UploadCase cases[] = {
      {"the program's exam", u"C:\\Exams\\capitals.qzm", exam, key, 200, "capitals"},
      {"an old 8-bit exam after an Import", u"C:\\Old\\Alt Pr\u00fcfung.QZM", oldLayout, key, 200,
       "Alt_Pr_fung"},
      {"a path that climbs out", u"..\\..\\..\\etc\\passwd", exam, key, 200, "passwd"},
      {"forward slashes and dots", u"/tmp/../x/..", exam, key, 200, "exam"},
      {"a device name", u"C:\\con.qzm", exam, key, 200, "exam_con"},
      {"a very long name", std::u16string(300, u'a') + u".qzm", exam, key, 200,
       std::string(kExamNameLength, 'a')},
      {"no key", u"C:\\k.qzm", exam, "", 403, ""},
      {"a wrong key", u"C:\\k.qzm", exam, "?key=s3cret", 403, ""},
      {"a key one byte longer", u"C:\\k.qzm", exam, "?key=s3cret%20key!", 403, ""},
      {"plain text", u"C:\\notes.qzm", "hello, world", key, 422, ""},
      {"a web page", u"C:\\page.qzm", "<html><body>x</body></html>", key, 422, ""},
      {"an exam cut short", u"C:\\cut.qzm", exam.substr(0, exam.size() / 2), key, 422, ""},
      {"an empty file", u"C:\\empty.qzm", "", key, 422, ""},
      {"over the size limit", u"C:\\big.qzm", std::string(kMaxUpload, 'x'), key, 413, ""},
  };
  for (const UploadCase& c : cases) {
    SCOPED_TRACE(c.what);
    const std::set<std::string> before = folderContents();
    const Reply reply = upload(c.filePath, c.file, c.query);
    EXPECT_EQ(reply.status, c.status) << reply.body;
    EXPECT_EQ(std::count(reply.body.begin(), reply.body.end(), '\n'), 1) << reply.body;
    std::set<std::string> expected = before;
    if (!c.storedAs.empty()) {
      EXPECT_EQ(reply.body, "Stored as /exam/" + c.storedAs + "\n");
      expected.insert({c.storedAs + ".qzm", c.storedAs + ".json"});
      EXPECT_EQ(test::readBytes(exams() / (c.storedAs + ".qzm")), c.file);
    }
    EXPECT_EQ(folderContents(), expected);
  }
  // One line per request, and the key never in the log.
  const std::vector<std::string> lines = logLines();
  EXPECT_EQ(lines.size(), std::size(cases));
  for (const std::string& line : lines) EXPECT_EQ(line.find("s3cret"), std::string::npos) << line;
}

TEST_F(ExamServerTest, MalformedFormsAndCutConnectionsStoreNothing) {
  const std::string exam = examBytes(sampleExam(u"Capitals"));
  const std::string full = programRequest(port(), "?key=s3cret%20key", {}, u"C:\\a.qzm", exam);
  const std::string headers = full.substr(0, full.find("\r\n\r\n") + 4);
  const std::string body = full.substr(headers.size());
  auto replaced = [](std::string text, const std::string& from, const std::string& to) {
    return text.replace(text.find(from), from.size(), to);
  };
  const struct {
    const char* what;
    std::string request;
    int status;
  } cases[] = {
      {"not a form",
       replaced(headers, "multipart/form-data", "application/x-www-form-urlencoded") + body, 400},
      {"no file part", replaced(full, "name=\"upload\"", "name=\"other\""), 400},
      {"no closing delimiter", replaced(full, utf16ToUtf8(kBoundary) + "--", "x"), 400},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(roundTrip(port(), c.request).status, c.status);
  }
  // The body stops halfway and the client goes away.
  const int socket = connectTo(port());
  sendAll(socket, headers + body.substr(0, body.size() / 2));
  ::close(socket);
  for (int wait = 0; wait < 100 && logLines().size() < std::size(cases) + 1; ++wait) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  ASSERT_EQ(logLines().size(), std::size(cases) + 1);
  EXPECT_NE(logLines().back().find(" 400"), std::string::npos) << logLines().back();
  EXPECT_TRUE(folderContents().empty());
}

TEST_F(ExamServerTest, OneNameIsReplacedByTheSameExamAndNumberedForAnother) {
  const ExamDocument first = sampleExam(u"Capitals");
  ExamDocument changed = first;
  changed.questions.pop_back();
  ExamHeader otherTeacher = first.header;
  otherTeacher.author = u"Bo Chen";
  const std::string key = "?key=s3cret%20key";
  EXPECT_EQ(upload(u"C:\\quiz.qzm", examBytes(first), key, first.header).body,
            "Stored as /exam/quiz\n");
  EXPECT_EQ(upload(u"D:\\other\\quiz.qzm", examBytes(changed), key, first.header).body,
            "Stored as /exam/quiz\n");
  EXPECT_EQ(upload(u"C:\\quiz.qzm", examBytes(first), key, otherTeacher).body,
            "Stored as /exam/quiz-2\n");
  EXPECT_EQ(test::readBytes(exams() / "quiz.qzm"), examBytes(changed));
  EXPECT_EQ(folderContents(),
            (std::set<std::string>{"quiz.qzm", "quiz.json", "quiz-2.qzm", "quiz-2.json"}));

  // The listing comes back from the records after a restart, newest first.
  stop();
  start();
  const std::string listing = get(port(), "/").body;
  const std::size_t second = listing.find("href=\"/exam/quiz-2\"");
  const std::size_t firstAt = listing.find("href=\"/exam/quiz\"");
  ASSERT_NE(second, std::string::npos);
  ASSERT_NE(firstAt, std::string::npos);
  EXPECT_LT(second, firstAt);
  EXPECT_NE(listing.find("2 questions"), std::string::npos);
  const nlohmann::json record = nlohmann::json::parse(test::readBytes(exams() / "quiz-2.json"));
  EXPECT_EQ(record["fileName"], "C:\\quiz.qzm");
  EXPECT_EQ(record["form"]["Author"], "Bo Chen");
}

TEST_F(ExamServerTest, PagesShowEveryTextAsText) {
  const ExamDocument exam = sampleExam(u"<i>Capitals</i> & \"more\"");
  const std::string bytes = examBytes(exam);
  ASSERT_EQ(upload(u"C:\\markup.qzm", bytes, "?key=s3cret%20key", exam.header).status, 200);

  const std::string listing = get(port(), "/").body;
  EXPECT_NE(listing.find("&lt;i&gt;Capitals&lt;/i&gt; &amp; &quot;more&quot;"), std::string::npos);
  EXPECT_NE(listing.find("Ann Lee &middot; 3 questions"), std::string::npos);

  const Reply page = get(port(), "/exam/markup");
  ASSERT_EQ(page.status, 200);
  EXPECT_EQ(page.body.find("<i>"), std::string::npos);
  EXPECT_EQ(page.body.find("alert(1)</script>"), std::string::npos);
  EXPECT_NE(page.body.find("<title>&lt;i&gt;Capitals"), std::string::npos);
  // The page's data is the exam, every text exactly as it was written.
  const std::string open = "<script id=\"exam-data\" type=\"application/json\">";
  const std::size_t start = page.body.find(open) + open.size();
  const nlohmann::json data =
      nlohmann::json::parse(page.body.substr(start, page.body.find("</script>", start) - start));
  EXPECT_EQ(data["title"], utf16ToUtf8(exam.header.title));
  ASSERT_EQ(data["questions"].size(), exam.questions.size());
  for (std::size_t i = 0; i < exam.questions.size(); ++i) {
    const QuestionRecord& question = exam.questions[i];
    const nlohmann::json& shown = data["questions"][i];
    EXPECT_EQ(shown["type"], static_cast<int>(question.type));
    EXPECT_EQ(shown["text"], utf16ToUtf8(question.text));
    ASSERT_EQ(shown["answers"].size(), question.answers.size());
    for (std::size_t j = 0; j < question.answers.size(); ++j) {
      EXPECT_EQ(shown["answers"][j]["text"], utf16ToUtf8(question.answers[j].text));
      EXPECT_EQ(shown["answers"][j]["correct"], question.answers[j].correct());
    }
  }

  EXPECT_EQ(get(port(), "/exam/markup.qzm").body, bytes);
  for (const char* missing :
       {"/exam/nothing", "/exam/..%2Fexams%2Fmarkup", "/exam/markup.json", "/exam/con"}) {
    SCOPED_TRACE(missing);
    EXPECT_EQ(get(port(), missing).status, 404);
  }
}

}  // namespace
}  // namespace quizmora
