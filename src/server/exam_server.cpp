#include "server/exam_server.h"

#include <httplib.h>
#include <sys/socket.h>

#include <optional>
#include <string_view>
#include <utility>

#include "format/file_bytes.h"
#include "server/exam_name.h"
#include "server/exam_pages.h"
#include "server/exam_store.h"
#include "server/uploaded_exam.h"

namespace quizmora {
namespace {

constexpr const char* kTextType = "text/plain; charset=utf-8";
constexpr const char* kHtmlType = "text/html; charset=utf-8";
constexpr const char* kNamePattern = "([A-Za-z0-9_-]+)";

void answer(httplib::Response& res, int status, const std::string& reason) {
  res.status = status;
  res.set_content(reason + "\n", kTextType);
}

// Compares every byte of the key whatever the first difference, so that the time taken
// tells nothing about how much of a guess was right.
bool keyMatches(std::string_view given, std::string_view key) {
  unsigned difference = given.size() == key.size() ? 0U : 1U;
  for (std::size_t i = 0; i < key.size(); ++i) {
    const char other = i < given.size() ? given[i] : '\0';
    difference |= static_cast<unsigned char>(key[i] ^ other);
  }
  return difference == 0;
}

// A path as it may go into a log line: no control characters, not endless.
std::string loggable(std::string_view text) {
  std::string out(text.substr(0, 200));
  for (char& c : out) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '?';
  }
  return out;
}

std::string reasonOf(int status) {
  switch (status) {
    case 400:
      return "The request could not be read.";
    case 404:
      return "There is nothing at this address.";
    case 405:
      return "This address does not take that method.";
    case 413:
      return "The request is larger than the server takes.";
    case 414:
      return "The address is too long.";
    default:
      return "The server could not answer the request.";
  }
}

// What the program's form carries, gathered while the body streams in.
struct ReceivedForm {
  UploadFields fields;
  std::string fileBytes;
  int fileParts = 0;
  std::string* target = nullptr;  // where the current part's bytes go; null: dropped
  std::size_t held = 0;
  bool tooLarge = false;

  void beginPart(const httplib::MultipartFormData& part) {
    target = nullptr;
    if (part.name == "upload") {
      if (++fileParts == 1) {
        fields.fileName = part.filename;
        target = &fileBytes;
      }
    } else if (part.name == "Title") {
      target = &fields.title;
    } else if (part.name == "Author") {
      target = &fields.author;
    } else if (part.name == "Mail") {
      target = &fields.mail;
    } else if (part.name == "Web") {
      target = &fields.web;
    } else if (part.name == "Description") {
      target = &fields.description;
    }
  }
};

// Debian's library listens with room for 5 waiting connections: in a burst of clients the
// rest have their connection attempts dropped and retried only a second or more later.
// Listening again on the bound socket just makes the room larger.
class ListeningServer : public httplib::Server {
 public:
  void widenBacklog() { ::listen(svr_sock_, 1024); }
};

}  // namespace

struct ExamServer::Impl {
  ServerOptions options;
  ServerLog log;
  ExamStore store;
  ListeningServer http;

  Impl(ServerOptions givenOptions, ServerLog givenLog)
      : options(std::move(givenOptions)), log(std::move(givenLog)), store(options.folder) {}

  // Reads and drops the body of a request that is refused, so that the connection stays in
  // step. A form's body has to go through the form reader: the library reads any body of a
  // multipart request as parts.
  void dropBody(const httplib::Request& req, const httplib::ContentReader& read) {
    std::size_t held = 0;
    const auto count = [&](const char*, std::size_t size) {
      held += size;
      return held <= options.maxUpload;
    };
    if (req.is_multipart_form_data()) {
      read([](const httplib::MultipartFormData&) { return true; }, count);
    } else {
      read(count);
    }
  }

  void upload(const httplib::Request& req, httplib::Response& res,
              const httplib::ContentReader& read) {
    if (!options.uploadKey.empty() && !keyMatches(req.get_param_value("key"), options.uploadKey)) {
      dropBody(req, read);
      answer(res, 403, "The upload key is missing or wrong.");
      return;
    }
    if (!req.is_multipart_form_data()) {
      dropBody(req, read);
      answer(res, 400, "The upload must be a multipart form.");
      return;
    }
    ReceivedForm form;
    const bool complete = read(
        [&](const httplib::MultipartFormData& part) {
          form.beginPart(part);
          return true;
        },
        [&](const char* data, std::size_t size) {
          form.held += size;
          if (form.held > options.maxUpload) {
            form.tooLarge = true;
            return false;
          }
          if (form.target) form.target->append(data, size);
          return true;
        });
    if (form.tooLarge || res.status == 413) {
      answer(res, 413,
             "The upload is larger than " + std::to_string(options.maxUpload) + " bytes.");
      return;
    }
    if (!complete) {
      answer(res, 400, "The form could not be read: it is malformed or was cut short.");
      return;
    }
    if (form.fileParts != 1) {
      answer(res, 400, "The form must hold one exam file, in the field \"upload\".");
      return;
    }
    const std::optional<ExamDocument> exam = readUploadedExam(form.fileBytes);
    if (!exam) {
      answer(res, 422, "The file is not an exam.");
      return;
    }
    const std::optional<std::string> name = store.store(form.fields, form.fileBytes, *exam);
    if (!name) {
      answer(res, 500, "The exam could not be stored.");
      return;
    }
    answer(res, 200, "Stored as /exam/" + *name);
  }

  void examPage(const httplib::Request& req, httplib::Response& res) {
    const std::string name = req.matches[1];
    const std::optional<std::filesystem::path> file = store.examFile(name);
    if (!isExamName(name) || !file) {
      answer(res, 404, "There is no exam of that name.");
      return;
    }
    std::optional<ExamDocument> exam = readStoredExam(*file);
    if (!exam) {
      answer(res, 500, "The exam could not be read.");
      return;
    }
    auto writer = std::make_shared<ExamPageWriter>(std::move(*exam), name);
    res.set_chunked_content_provider(kHtmlType, [writer](std::size_t, httplib::DataSink& sink) {
      std::string piece;
      if (!writer->nextPiece(piece)) {
        sink.done();
        return true;
      }
      return sink.write(piece.data(), piece.size());
    });
  }

  void examFile(const httplib::Request& req, httplib::Response& res) {
    const std::string name = req.matches[1];
    const std::optional<std::filesystem::path> file = store.examFile(name);
    std::optional<std::string> bytes;
    if (isExamName(name) && file) bytes = readFileBytes(*file);
    if (!bytes) {
      answer(res, 404, "There is no exam of that name.");
      return;
    }
    res.set_header("Content-Disposition", "attachment; filename=\"" + name + ".qzm\"");
    res.set_content(std::move(*bytes), "application/octet-stream");
  }

  void route() {
    http.Get("/", [this](const httplib::Request&, httplib::Response& res) {
      res.set_content(listingPage(store.newestFirst()), kHtmlType);
    });
    http.Get(std::string("/exam/") + kNamePattern + "\\.qzm",
             [this](const httplib::Request& req, httplib::Response& res) { examFile(req, res); });
    http.Get(std::string("/exam/") + kNamePattern,
             [this](const httplib::Request& req, httplib::Response& res) { examPage(req, res); });
    http.Post("/upload", [this](const httplib::Request& req, httplib::Response& res,
                                const httplib::ContentReader& read) { upload(req, res, read); });
    http.set_error_handler([](const httplib::Request&, httplib::Response& res) {
      if (res.body.empty()) res.set_content(reasonOf(res.status) + "\n", kTextType);
    });
    http.set_exception_handler(
        [](const httplib::Request&, httplib::Response& res, const std::exception_ptr&) {
          answer(res, 500, "The server could not answer the request.");
        });
    http.set_logger([this](const httplib::Request& req, const httplib::Response& res) {
      // The query is left out: it may hold the upload key.
      log(utcTimestamp() + " " + req.remote_addr + " " + loggable(req.method) + " " +
          loggable(req.path) + " " + std::to_string(res.status));
    });
  }

  void configure() {
    // Nothing of a page comes from anywhere else, and nothing may: the inline style and
    // script are all a page runs.
    http.set_default_headers(
        {{"Content-Security-Policy",
          "default-src 'none'; style-src 'unsafe-inline'; script-src 'unsafe-inline'; "
          "base-uri 'none'; form-action 'none'"},
         {"X-Content-Type-Options", "nosniff"},
         {"Referrer-Policy", "no-referrer"}});
    const int threads = options.threads;
    http.new_task_queue = [threads] {
      return new httplib::ThreadPool(static_cast<size_t>(threads));
    };
    http.set_payload_max_length(options.maxUpload);
    http.set_read_timeout(options.timeoutSeconds, 0);
    http.set_write_timeout(options.timeoutSeconds, 0);
    // A page goes out in several writes: without this, each waits for the client's delayed
    // acknowledgement (some 40 ms).
    http.set_tcp_nodelay(true);
    // A worker serves one connection at a time; short keep-alive turns let the connections
    // waiting for a worker in, so that many clients are served by a few threads.
    http.set_keep_alive_timeout(2);
    http.set_keep_alive_max_count(20);
  }
};

ExamServer::ExamServer(ServerOptions options, ServerLog log)
    : impl_(std::make_unique<Impl>(std::move(options), std::move(log))) {}

ExamServer::~ExamServer() = default;

bool ExamServer::start(std::string& error) {
  if (!impl_->store.open(error)) return false;
  impl_->configure();
  impl_->route();
  const ServerOptions& options = impl_->options;
  bool bound = false;
  if (options.port == 0) {
    const int port = impl_->http.bind_to_any_port(options.bind);
    bound = port > 0;
    if (bound) impl_->options.port = port;
  } else {
    bound = impl_->http.bind_to_port(options.bind, options.port);
  }
  if (bound) impl_->http.widenBacklog();
  if (!bound) error = "cannot listen on " + options.bind + ":" + std::to_string(options.port);
  return bound;
}

int ExamServer::port() const { return impl_->options.port; }

bool ExamServer::run() { return impl_->http.listen_after_bind(); }

void ExamServer::stop() { impl_->http.stop(); }

}  // namespace quizmora
