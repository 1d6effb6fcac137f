// The web upload's request without a network: the body byte for byte, its declared length,
// the header lines, the address override and the error texts.
#include "publish/upload_request.h"

#include <gtest/gtest.h>

#include <string>

namespace quizmora {
namespace {

// The pieces joined in the order they are written, with the file's place marked.
std::string wireText(const UploadBody& body) {
  std::string text = body.pieces[0] + "<FILE>";
  for (std::size_t i = 1; i < body.pieces.size(); ++i) text += body.pieces[i];
  return text;
}

// The fixed parts of every body, around the field values.
std::string expectedBody(const std::string& path, const std::string& title,
                         const std::string& author, const std::string& mail, const std::string& web,
                         const std::string& description) {
  return "--BND\r\n"
         "Content-Disposition: form-data; name=\"MAX_FILE_SIZE\"\r\n\r\n"
         "1048576\r\n"
         "--BND\r\n"
         "Content-Disposition: form-data; name=\"upload\"; filename=\"" +
         path +
         "\"\r\n"
         "Content-Type: text/xml\r\n\r\n"
         "<FILE>\r\n"
         "--BND\r\n"
         "Content-Disposition: form-data; name=\"Title\"\r\n\r\n" +
         title +
         "\r\n--BND\r\n"
         "Content-Disposition: form-data; name=\"Author\"\r\n\r\n" +
         author +
         "\r\n--BND\r\n"
         "Content-Disposition: form-data; name=\"Mail\"\r\n\r\n" +
         mail +
         "\r\n--BND\r\n"
         "Content-Disposition: form-data; name=\"Web\"\r\n\r\n" +
         web +
         "\r\n--BND\r\n"
         "Content-Disposition: form-data; name=\"Description\"\r\n\r\n" +
         description +
         "\r\n--BND\r\n"
         "Content-Disposition: form-data; name=\"submit\"\r\n\r\n"
         "Submit\r\n"
         "--BND--\r\n";
}

struct BodyCase {
  const char* name;
  ExamHeader header;
  std::u16string path;
  std::string expected;
};

TEST(BuildUploadBody, IsTheFormByteForByte) {
  const BodyCase cases[] = {
      {"saved exam",
       {u"Capitals", u"Ann Lee", u"ann@example.org", u"http://example.org/", u"Europe", {}},
       u"C:\\Exams\\capitals.qzm",
       expectedBody("C:\\Exams\\capitals.qzm", "Capitals", "Ann Lee", "ann@example.org",
                    "http://example.org/", "Europe")},
      {"empty fields", {}, u"Z:\\a.qzm", expectedBody("Z:\\a.qzm", "", "", "", "", "")},
      {"text outside ASCII as UTF-8",
       {u"Pr\u00fcfung", u"\u5f20\u4f1f", u"z\u00f6e@example.org", u"", u"\U0001F600 \u20ac", {}},
       u"C:\\Pr\u00fcfungen\\\u00c4rger.qzm",
       expectedBody("C:\\Pr\xc3\xbc"
                    "fungen\\\xc3\x84rger.qzm",
                    "Pr\xc3\xbc"
                    "fung",
                    "\xe5\xbc\xa0\xe4\xbc\x9f",
                    "z\xc3\xb6"
                    "e@example.org",
                    "", "\xf0\x9f\x98\x80 \xe2\x82\xac")},
      {"line breaks and quotes go in as they are",
       {u"a \"b\"", u"x", u"", u"", u"line 1\r\nline 2", {}},
       u"\\\\server\\share\\q.qzm",
       expectedBody("\\\\server\\share\\q.qzm", "a \"b\"", "x", "", "", "line 1\r\nline 2")},
  };
  for (const BodyCase& c : cases) {
    SCOPED_TRACE(c.name);
    const UploadBody body = buildUploadBody(c.header, c.path, u"BND");
    EXPECT_EQ(wireText(body), c.expected);
    // The declared length counts bytes, not characters: the body without the marker plus
    // the file, whatever the file's size.
    const std::uint64_t textBytes = c.expected.size() - std::string("<FILE>").size();
    EXPECT_EQ(body.totalLength(0), textBytes);
    EXPECT_EQ(body.totalLength(1048577), textBytes + 1048577);
  }
}

// The Windows suite checks every line as it arrives; here, the product's own address, which a
// test server cannot stand in for.
TEST(UploadHeaderLines, NameTheProductsUploadPageWithoutDefaultPort) {
  EXPECT_EQ(uploadHeaderLines(defaultUploadTarget(), u"B")[2],
            u"Referer: http://upload.quizmora.example/olvan/quizmora/uploadqz.php\r\n");
}

struct UrlCase {
  std::u16string url;
  std::optional<UploadTarget> expected;
};

TEST(ParseUploadUrl, TakesHostPortAndPath) {
  const UrlCase cases[] = {
      {u"http://127.0.0.1:8080/olvan/up.php", UploadTarget{u"127.0.0.1", 8080, u"/olvan/up.php"}},
      {u"HTTP://Exams.Example-1.org/a?b=c", UploadTarget{u"Exams.Example-1.org", 80, u"/a?b=c"}},
      {u"http://localhost", UploadTarget{u"localhost", 80, u"/"}},
      {u"http://h:65535/", UploadTarget{u"h", 65535, u"/"}},
      {u"https://h/p", std::nullopt},
      {u"127.0.0.1:80/p", std::nullopt},
      {u"http:///p", std::nullopt},
      {u"http://h:/p", std::nullopt},
      {u"http://h:0/p", std::nullopt},
      {u"http://h:65536/p", std::nullopt},
      {u"http://h:8o/p", std::nullopt},
      {u"http://user@h/p", std::nullopt},
      {u"http://h/a b", std::nullopt},
      {u"http://h/a\r\nX: y", std::nullopt},
  };
  for (const UrlCase& c : cases) {
    SCOPED_TRACE(std::string(c.url.begin(), c.url.end()));
    EXPECT_EQ(parseUploadUrl(c.url), c.expected);
  }
}

}  // namespace
}  // namespace quizmora
