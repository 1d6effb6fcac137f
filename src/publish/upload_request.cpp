#include "publish/upload_request.h"

#include <string>

#include "format/utf8_text.h"

namespace quizmora {
namespace {

constexpr std::u16string_view kDefaultHost = u"upload.quizmora.example";
constexpr std::u16string_view kUploadPath = u"/olvan/quizmora/uploadqz.php";
constexpr std::string_view kCrLf = "\r\n";

std::u16string widen(std::string_view ascii) { return std::u16string(ascii.begin(), ascii.end()); }

char16_t lowered(char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c; }

bool startsWithNoCase(std::u16string_view text, std::u16string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    if (lowered(text[i]) != lowered(prefix[i])) return false;
  }
  return true;
}

bool isHostCharacter(char16_t c) {
  return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') ||
         c == u'.' || c == u'-';
}

// 1-65535 written in decimal digits only.
std::optional<std::uint16_t> parsePort(std::u16string_view digits) {
  if (digits.empty() || digits.size() > 5) return std::nullopt;
  std::uint32_t value = 0;
  for (char16_t c : digits) {
    if (c < u'0' || c > u'9') return std::nullopt;
    value = value * 10 + static_cast<std::uint32_t>(c - u'0');
  }
  if (value == 0 || value > 65535) return std::nullopt;
  return static_cast<std::uint16_t>(value);
}

// "--" B CR LF, the delimiter that opens every part.
std::string delimiter(const std::string& boundary) { return "--" + boundary + std::string(kCrLf); }

// A part's header line and the blank line after it.
std::string disposition(std::string_view name) {
  return "Content-Disposition: form-data; name=\"" + std::string(name) + "\"\r\n\r\n";
}

// A text field: its header, its value and the delimiter of the next part.
std::string field(std::string_view name, std::u16string_view value, const std::string& boundary) {
  return disposition(name) + utf16ToUtf8(value) + std::string(kCrLf) + delimiter(boundary);
}

std::u16string withSupport(std::u16string text) {
  text += u" Try again later or contact to ";
  text += kSupportAddress;
  return text;
}

}  // namespace

UploadTarget defaultUploadTarget() {
  return {std::u16string(kDefaultHost), 80, std::u16string(kUploadPath)};
}

std::optional<UploadTarget> parseUploadUrl(std::u16string_view url) {
  constexpr std::u16string_view kScheme = u"http://";
  if (!startsWithNoCase(url, kScheme)) return std::nullopt;
  url.remove_prefix(kScheme.size());
  const std::size_t slash = url.find(u'/');
  std::u16string_view authority = url.substr(0, slash);
  UploadTarget target;
  target.path = slash == std::u16string_view::npos ? u"/" : std::u16string(url.substr(slash));
  for (char16_t c : target.path) {
    if (c <= u' ' || c == 0x7F) return std::nullopt;  // would break the request line
  }
  const std::size_t colon = authority.find(u':');
  if (colon != std::u16string_view::npos) {
    std::optional<std::uint16_t> port = parsePort(authority.substr(colon + 1));
    if (!port) return std::nullopt;
    target.port = *port;
    authority = authority.substr(0, colon);
  }
  if (authority.empty()) return std::nullopt;
  for (char16_t c : authority) {
    if (!isHostCharacter(c)) return std::nullopt;
  }
  target.host = std::u16string(authority);
  return target;
}

std::array<std::u16string, 5> uploadHeaderLines(const UploadTarget& target,
                                                std::u16string_view boundary) {
  std::u16string referer = u"Referer: http://" + target.host;
  // Appended in two steps: GCC 12's Release build misreads u":" + a temporary as an
  // overlapping copy (-Wrestrict) and stops the build.
  if (target.port != 80) {
    referer += u':';
    referer += widen(std::to_string(target.port));
  }
  referer += target.path + u"\r\n";
  return {
      u"Content-Type: multipart/form-data; boundary=" + std::u16string(boundary) + u"\r\n",
      u"Accept: image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, "
      u"application/vnd.ms-powerpoint, application/vnd.ms-excel, application/msword, "
      u"application/x-shockwave-flash, */*\r\n",
      referer,
      u"Accept-Encoding:\r\n",
      u"Accept-Language: en-ca\r\n",
  };
}

std::uint64_t UploadBody::totalLength(std::uint64_t fileSize) const {
  std::uint64_t total = fileSize;
  for (const std::string& piece : pieces) total += piece.size();
  return total;
}

UploadBody buildUploadBody(const ExamHeader& header, std::u16string_view filePath,
                           std::u16string_view boundary) {
  const std::string b = utf16ToUtf8(boundary);
  UploadBody body;
  body.pieces[0] = delimiter(b) + disposition("MAX_FILE_SIZE") + "1048576\r\n" + delimiter(b) +
                   "Content-Disposition: form-data; name=\"upload\"; filename=\"" +
                   utf16ToUtf8(filePath) + "\"\r\nContent-Type: text/xml\r\n\r\n";
  body.pieces[1] = std::string(kCrLf) + delimiter(b) + field("Title", header.title, b);
  body.pieces[2] = field("Author", header.author, b);
  body.pieces[3] = field("Mail", header.email, b);
  body.pieces[4] = field("Web", header.web, b);
  body.pieces[5] = field("Description", header.description, b);
  body.pieces[6] = disposition("submit") + "Submit\r\n--" + b + "--\r\n";
  return body;
}

std::u16string connectErrorText(int number) {
  return withSupport(u"Error#" + widen(std::to_string(number)) + u"! Cannot connect to web-site.");
}

std::u16string readErrorText(std::u16string_view filePath) {
  return u"Error#5! Cannot read the exam file " + std::u16string(filePath);
}

std::u16string sendErrorText() {
  return withSupport(u"Error#6! Cannot send the exam to the web-site.");
}

std::u16string refusedErrorText(unsigned status) {
  return withSupport(u"Error#7! The web-site refused the exam (HTTP status " +
                     widen(std::to_string(status)) + u").");
}

}  // namespace quizmora
