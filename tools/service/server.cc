// The only translation unit of the service that includes Beast.
#include "tools/service/server.h"

#include <atomic>
#include <chrono>
#include <deque>
#include <fstream>
#include <future>
#include <map>
#include <thread>
#include <utility>
#include <vector>

#include <boost/asio/ip/tcp.hpp>
#include <boost/asio/post.hpp>
#include <boost/beast/core.hpp>
#include <boost/beast/http.hpp>
#include <boost/beast/websocket.hpp>

#include "tools/device/confined_path.h"
#include "tools/service/main_thread.h"
#include "tools/service/page_session.h"

namespace ferrowyn {
namespace {

namespace beast = boost::beast;
namespace http = beast::http;
namespace websocket = beast::websocket;
namespace net = boost::asio;
using tcp = net::ip::tcp;
using error_code = beast::error_code;

constexpr char kSocketPath[] = "/plugin";
constexpr char kEchoPath[] = "/echo";
// How long Stop waits for connections to close before it cuts them.
constexpr auto kStopPatience = std::chrono::seconds(1);
constexpr std::size_t kMaxStaticFile = 16 << 20;
// Bytes queued for a page above which its next message is not read until
// the page has taken some: a page that never reads cannot make the service
// hold its answers without end.
constexpr std::size_t kMaxOutbox = 1 << 20;

class ServerImpl;

// One WebSocket page connection, on the network thread.
class PageConnection : public std::enable_shared_from_this<PageConnection> {
 public:
  // An echo connection sends every message back from the network thread
  // and has no session.
  PageConnection(beast::tcp_stream stream, ServerImpl* server, int id, bool echo)
      : ws_(std::move(stream)), server_(server), id_(id), echo_(echo) {}

  void Accept(http::request<http::string_body> request);
  void ReadNext();
  void Queue(std::string message);
  // Closes once everything queued is written.
  void Close(websocket::close_code code);

 private:
  void OnRead(error_code error);
  void WriteNext();

  websocket::stream<beast::tcp_stream> ws_;
  ServerImpl* server_;
  int id_;
  bool echo_;
  beast::flat_buffer buffer_;
  std::deque<std::string> outbox_;
  std::size_t outbox_bytes_ = 0;
  bool read_waiting_ = false;  // a read deferred until the outbox drains
  bool writing_ = false;
  bool closing_ = false;
  bool close_sent_ = false;
  websocket::close_code close_code_ = websocket::close_code::normal;
};

// One plain HTTP connection: static files, or the upgrade to a page
// connection after the origin, host and connection-limit checks.
class HttpConnection : public std::enable_shared_from_this<HttpConnection> {
 public:
  HttpConnection(tcp::socket socket, ServerImpl* server) : stream_(std::move(socket)), server_(server) {}
  void ReadNext();

 private:
  void OnRead(error_code error);
  void Respond(http::status status, std::string body, const char* type = "text/plain");
  void ServeFile(const std::string& target);

  beast::tcp_stream stream_;
  ServerImpl* server_;
  beast::flat_buffer buffer_;
  std::optional<http::request_parser<http::string_body>> parser_;
  http::response<http::string_body> response_;
};

class ServerImpl final : public Server {
 public:
  ServerImpl(const ServiceConfig& config, const hostsim::PluginExports& plugin, Platform::ThreadId main)
      : config_(config), plugin_(plugin), main_(main), acceptor_(ioc_) {}
  ~ServerImpl() override { Stop(); }

  bool Listen(std::string* error) {
    error_code ec;
    const auto address = net::ip::make_address(config_.address, ec);
    if (ec) return Fail(error, "bad address " + config_.address);
    const tcp::endpoint endpoint(address, static_cast<unsigned short>(config_.port));
    acceptor_.open(endpoint.protocol(), ec);
    if (!ec) acceptor_.set_option(net::socket_base::reuse_address(true), ec);
    if (!ec) acceptor_.bind(endpoint, ec);
    if (!ec) acceptor_.listen(net::socket_base::max_listen_connections, ec);
    if (ec) return Fail(error, ec.message());
    AcceptNext();
    thread_ = std::thread([this] {
      ioc_.run();
      drained_.set_value();
    });
    return true;
  }

  void Stop() override {
    if (!thread_.joinable()) return;
    main_.Shut();
    net::post(ioc_, [this] {
      error_code ignored;
      acceptor_.close(ignored);
      for (auto& [id, connection] : connections_) connection->Close(websocket::close_code::going_away);
    });
    if (drained_.get_future().wait_for(kStopPatience) != std::future_status::ready) ioc_.stop();
    thread_.join();
    connections_.clear();
    main_.DropUnrun();
    // On the main thread: the sessions release their adapters here.
    sessions_.clear();
  }

  const ServiceConfig& config() const { return config_; }
  bool HasRoom() const { return connections_.size() < config_.max_connections; }

  // --- Network thread.
  void Upgrade(beast::tcp_stream stream, http::request<http::string_body> request, bool echo) {
    const int id = next_id_++;
    auto connection = std::make_shared<PageConnection>(std::move(stream), this, id, echo);
    connections_[id] = connection;
    connection->Accept(std::move(request));
  }
  void Opened(int id) {
    if (!ToMain([this, id] { OpenSession(id); })) Closed(id);
  }
  void Received(int id, std::string text) {
    if (!ToMain([this, id, text = std::move(text)] { HandleOnMain(id, text); })) Closed(id);
  }
  void Closed(int id) {
    connections_.erase(id);
    ToMain([this, id] { sessions_.erase(id); });
  }

 private:
  static bool Fail(std::string* error, const std::string& reason) {
    if (error != nullptr) *error = reason;
    return false;
  }

  void AcceptNext() {
    acceptor_.async_accept(ioc_, [this](error_code ec, tcp::socket socket) {
      if (ec) {
        if (acceptor_.is_open()) AcceptNext();
        return;
      }
      std::make_shared<HttpConnection>(std::move(socket), this)->ReadNext();
      AcceptNext();
    });
  }

  bool ToMain(std::function<void()> work) { return main_.Post(std::move(work)); }

  // To the network thread: a message for a connection, or the next read.
  void ToConnection(int id, std::function<void(PageConnection&)> work) {
    net::post(ioc_, [this, id, work = std::move(work)] {
      auto found = connections_.find(id);
      if (found != connections_.end()) work(*found->second);
    });
  }

  // --- Main thread.
  // A session sends only while it opens or handles a message, and one runs
  // at a time, so its messages are gathered here and cross to the network
  // thread together.
  void OpenSession(int id) {
    auto send = [this](const std::string& message) { outgoing_.push_back(message); };
    sessions_[id] = std::make_unique<PageSession>(plugin_, config_, send);
    SendAndReadNext(id);
  }
  void HandleOnMain(int id, const std::string& text) {
    auto session = sessions_.find(id);
    if (session == sessions_.end()) return;
    session->second->Handle(text);
    SendAndReadNext(id);
  }
  // Queues what the session sent, in order, then (one message at a time per
  // page) reads the page's next message: one task for the network thread.
  void SendAndReadNext(int id) {
    ToConnection(id, [messages = std::move(outgoing_)](PageConnection& connection) mutable {
      for (std::string& message : messages) connection.Queue(std::move(message));
      connection.ReadNext();
    });
    outgoing_.clear();
  }

  ServiceConfig config_;
  hostsim::PluginExports plugin_;
  MainThread main_;
  net::io_context ioc_{1};
  tcp::acceptor acceptor_;
  std::thread thread_;
  std::promise<void> drained_;
  int next_id_ = 1;
  std::map<int, std::shared_ptr<PageConnection>> connections_;  // network thread
  std::map<int, std::unique_ptr<PageSession>> sessions_;      // main thread
  std::vector<std::string> outgoing_;                         // main thread
};

// --- PageConnection.

void PageConnection::Accept(http::request<http::string_body> request) {
  beast::get_lowest_layer(ws_).expires_never();
  const ServiceConfig& config = server_->config();
  ws_.set_option(websocket::stream_base::timeout{config.handshake_timeout, config.idle_timeout, false});
  ws_.read_message_max(config.max_message);
  ws_.text(true);
  ws_.async_accept(request, [self = shared_from_this()](error_code ec) {
    if (ec) return self->server_->Closed(self->id_);
    if (self->echo_) return self->ReadNext();
    self->server_->Opened(self->id_);
  });
}

void PageConnection::ReadNext() {
  if (closing_) return;
  if (outbox_bytes_ > kMaxOutbox) {
    read_waiting_ = true;
    return;
  }
  ws_.async_read(buffer_, [self = shared_from_this()](error_code ec, std::size_t) { self->OnRead(ec); });
}

void PageConnection::OnRead(error_code error) {
  if (error) {
    // Beast has answered a message over the limit with close code 1009 and
    // an idle page with a closed socket; either way the session ends.
    closing_ = true;
    server_->Closed(id_);
    return;
  }
  if (!ws_.got_text()) {
    // The page protocol is text; a binary message is no call to answer.
    buffer_.consume(buffer_.size());
    Close(websocket::close_code::unknown_data);
    return server_->Closed(id_);
  }
  std::string text = beast::buffers_to_string(buffer_.data());
  buffer_.consume(buffer_.size());
  if (echo_) {
    Queue(std::move(text));
    return ReadNext();
  }
  server_->Received(id_, std::move(text));
}

void PageConnection::Queue(std::string message) {
  if (close_sent_) return;
  outbox_bytes_ += message.size();
  outbox_.push_back(std::move(message));
  if (!writing_) WriteNext();
}

void PageConnection::WriteNext() {
  if (outbox_.empty()) {
    writing_ = false;
    if (closing_ && !close_sent_) {
      close_sent_ = true;
      ws_.async_close(close_code_, [self = shared_from_this()](error_code) {});
    }
    return;
  }
  writing_ = true;
  ws_.async_write(net::buffer(outbox_.front()), [self = shared_from_this()](error_code ec, std::size_t) {
    self->outbox_bytes_ -= self->outbox_.front().size();
    self->outbox_.pop_front();
    if (ec) {
      // The page is gone.  Its session ends here too: a read held back for
      // the outbox would never learn of it.
      self->outbox_.clear();
      self->outbox_bytes_ = 0;
      self->close_sent_ = true;
      self->writing_ = false;
      self->closing_ = true;
      self->server_->Closed(self->id_);
      return;
    }
    if (self->read_waiting_ && self->outbox_bytes_ <= kMaxOutbox) {
      self->read_waiting_ = false;
      self->ReadNext();
    }
    self->WriteNext();
  });
}

void PageConnection::Close(websocket::close_code code) {
  closing_ = true;
  close_code_ = code;
  if (!writing_) WriteNext();
}

// --- HttpConnection.

const char* ContentType(const std::filesystem::path& path) {
  static const std::map<std::string, const char*> types = {
      {".html", "text/html; charset=utf-8"}, {".js", "text/javascript"}, {".css", "text/css"},
      {".json", "application/json"},         {".png", "image/png"},      {".svg", "image/svg+xml"},
      {".jpg", "image/jpeg"},                {".ico", "image/x-icon"},
  };
  auto found = types.find(path.extension().string());
  return found == types.end() ? "application/octet-stream" : found->second;
}

void HttpConnection::ReadNext() {
  parser_.emplace();
  parser_->header_limit(8 * 1024);
  parser_->body_limit(64 * 1024);
  stream_.expires_after(server_->config().handshake_timeout);
  http::async_read(stream_, buffer_, *parser_,
                   [self = shared_from_this()](error_code ec, std::size_t) { self->OnRead(ec); });
}

void HttpConnection::Respond(http::status status, std::string body, const char* type) {
  const auto& request = parser_->get();
  response_ = http::response<http::string_body>(status, request.version());
  response_.set(http::field::content_type, type);
  response_.set(http::field::cache_control, "no-store");
  response_.keep_alive(request.keep_alive() && status == http::status::ok);
  const std::size_t length = body.size();
  response_.body() = request.method() == http::verb::head ? std::string() : std::move(body);
  response_.content_length(length);
  http::async_write(stream_, response_, [self = shared_from_this()](error_code ec, std::size_t) {
    if (!ec && self->response_.keep_alive()) return self->ReadNext();
    error_code ignored;
    self->stream_.socket().shutdown(tcp::socket::shutdown_send, ignored);
  });
}

void HttpConnection::OnRead(error_code error) {
  if (error) return;  // closed, timed out or malformed: drop the connection
  auto& request = parser_->get();
  const ServiceConfig& config = server_->config();
  if (!HostAllowed(config, std::string(request[http::field::host]))) {
    return Respond(http::status::forbidden, "unknown host\n");
  }
  const std::string target(request.target());
  const std::string path = target.substr(0, target.find('?'));
  if (websocket::is_upgrade(request)) {
    const bool echo = config.bench_echo && path == kEchoPath;
    if (path != kSocketPath && !echo) return Respond(http::status::not_found, "no such endpoint\n");
    if (!OriginAllowed(config, std::string(request[http::field::origin]))) {
      return Respond(http::status::forbidden, "origin not allowed\n");
    }
    if (!server_->HasRoom()) return Respond(http::status::service_unavailable, "too many connections\n");
    return server_->Upgrade(std::move(stream_), parser_->release(), echo);
  }
  if (path == kSocketPath) return Respond(http::status::upgrade_required, "WebSocket only\n");
  if (request.method() != http::verb::get && request.method() != http::verb::head) {
    return Respond(http::status::method_not_allowed, "GET only\n");
  }
  ServeFile(path);
}

void HttpConnection::ServeFile(const std::string& target) {
  const std::string relative = target == "/" ? "index.html" : target.substr(1);
  std::optional<std::filesystem::path> file = device::ConfinePath(server_->config().web_dir, relative);
  std::error_code error;
  if (!file || target.empty() || target[0] != '/' || !std::filesystem::is_regular_file(*file, error) ||
      std::filesystem::file_size(*file, error) > kMaxStaticFile) {
    return Respond(http::status::not_found, "not found\n");
  }
  std::ifstream in(*file, std::ios::binary);
  std::string body((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  Respond(http::status::ok, std::move(body), ContentType(*file));
}

}  // namespace

std::unique_ptr<Server> Server::Start(const ServiceConfig& config, const hostsim::PluginExports& plugin,
                                      Platform::ThreadId main, std::string* error) {
  auto server = std::make_unique<ServerImpl>(config, plugin, main);
  if (!server->Listen(error)) return nullptr;
  return server;
}

}  // namespace ferrowyn
