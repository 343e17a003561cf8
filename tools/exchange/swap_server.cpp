// The swap route on libmicrohttpd: the library's callbacks, refusals from the
// request head, the body budget, replies sent from the stored bodies.
// Depends on: libmicrohttpd, the swap store, the request log and the
// connection deadlines; reads no file.
#include "swap_server.h"

#include <fcntl.h>
#include <microhttpd.h>
#include <netdb.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <thread>

#include "pairs_file.h"

struct SwapServer::Pending {
  std::string method;
  std::string target;
  std::string body;
  std::size_t reserved = 0;  // of the server's body budget
  int status = 0;            // once answered
  std::size_t in_bytes = 0;  // of a whole body
  std::size_t out_bytes = 0;
};

namespace {

const std::string kSwapPrefix = "/v1/swap/";
constexpr std::size_t kTokenSize = 16;
constexpr std::size_t kMaxBody = 32u << 20;
// All bodies being received at once, so that many large uploads cannot
// exhaust memory between them.
constexpr std::size_t kBodyBudget = 512u << 20;
// Request line and headers must fit; the library answers 414 or 431 beyond.
constexpr std::size_t kConnectionMemory = 32u << 10;
constexpr unsigned kConnectionsPerAddress = 64;
constexpr unsigned kMaxConnections = 4096;
constexpr unsigned kMaxThreads = 4;

bool is_swap_path(const std::string& path) {
  return path.size() > kSwapPrefix.size() && path.compare(0, kSwapPrefix.size(), kSwapPrefix) == 0;
}

bool valid_body(const std::string& body) {
  return body.size() >= kTokenSize && std::all_of(body.end() - kTokenSize, body.end(), [](char c) {
           return std::isxdigit(static_cast<unsigned char>(c)) != 0;
         });
}

bool has_header(MHD_Connection* connection, const char* name) {
  return MHD_lookup_connection_value(connection, MHD_HEADER_KIND, name) != nullptr;
}

int count_header(MHD_Connection* connection, const char* name) {
  struct Count {
    const char* name;
    int n;
  } count{name, 0};
  MHD_get_connection_values(
      connection, MHD_HEADER_KIND,
      [](void* cls, MHD_ValueKind, const char* key, const char*) {
        Count* c = static_cast<Count*>(cls);
        c->n += strcasecmp(key, c->name) == 0;
        return MHD_YES;
      },
      &count);
  return count.n;
}

// The number of connections the descriptor limit allows, after raising the
// soft limit as far as the hard one lets it.
unsigned connection_limit() {
  rlimit files{};
  if (getrlimit(RLIMIT_NOFILE, &files) != 0) return 256;
  if (files.rlim_cur < files.rlim_max) {
    files.rlim_cur = std::min<rlim_t>(files.rlim_max, kMaxConnections + 256);
    setrlimit(RLIMIT_NOFILE, &files);
    getrlimit(RLIMIT_NOFILE, &files);
  }
  return static_cast<unsigned>(std::min<rlim_t>(kMaxConnections, files.rlim_cur > 320 ? files.rlim_cur - 64 : 256));
}

// A non-blocking listening socket with a full backlog, or -1.
int listen_on(const std::string& address, int port, int& bound_port) {
  addrinfo hints{};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_STREAM;
  hints.ai_flags = AI_PASSIVE;
  addrinfo* found = nullptr;
  if (getaddrinfo(address.c_str(), std::to_string(port).c_str(), &hints, &found) != 0) return -1;
  int fd = socket(found->ai_family, found->ai_socktype | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
  const int on = 1;
  if (fd >= 0 && (setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on) != 0 ||
                  bind(fd, found->ai_addr, found->ai_addrlen) != 0 || listen(fd, SOMAXCONN) != 0)) {
    close(fd);
    fd = -1;
  }
  freeaddrinfo(found);
  if (fd < 0) return -1;
  sockaddr_storage local{};
  socklen_t length = sizeof local;
  if (getsockname(fd, reinterpret_cast<sockaddr*>(&local), &length) != 0) {
    close(fd);
    return -1;
  }
  bound_port = ntohs(local.ss_family == AF_INET6 ? reinterpret_cast<sockaddr_in6*>(&local)->sin6_port
                                                 : reinterpret_cast<sockaddr_in*>(&local)->sin_port);
  return fd;
}

}  // namespace

// The library's C callbacks, each handing over to the server.
struct ServerCallbacks {
  static MHD_Result request(void* cls, MHD_Connection* connection, const char* url, const char* method,
                            const char*, const char* upload_data, std::size_t* upload_size, void** request_state) {
    SwapServer& server = *static_cast<SwapServer*>(cls);
    auto* pending = static_cast<SwapServer::Pending*>(*request_state);
    if (pending == nullptr) {
      // The head has arrived: refuse now, before any of the body is read.
      pending = new SwapServer::Pending{method, url, {}, 0, 0, 0, 0};
      *request_state = pending;
      return static_cast<MHD_Result>(server.refusal(connection, *pending));
    }
    if (*upload_size != 0) {
      pending->body.append(upload_data, *upload_size);
      *upload_size = 0;
      return MHD_YES;
    }
    if (pending->status != 0) return MHD_YES;
    return static_cast<MHD_Result>(server.answer_request(connection, *pending));
  }

  static void completed(void* cls, MHD_Connection* connection, void** request_state, MHD_RequestTerminationCode) {
    static_cast<SwapServer*>(cls)->completed(connection, static_cast<SwapServer::Pending*>(*request_state));
    *request_state = nullptr;
  }

  static void connection(void* cls, MHD_Connection* connection, void** socket_state,
                         MHD_ConnectionNotificationCode code) {
    ConnectionDeadlines& deadlines = static_cast<SwapServer*>(cls)->deadlines_;
    if (code == MHD_CONNECTION_NOTIFY_STARTED) {
      const MHD_ConnectionInfo* info = MHD_get_connection_info(connection, MHD_CONNECTION_INFO_CONNECTION_FD);
      *socket_state = deadlines.opened(info->connect_fd);
    } else if (*socket_state != nullptr) {
      deadlines.closed(static_cast<ConnectionDeadlines::Entry*>(*socket_state));
      *socket_state = nullptr;
    }
  }

  // Paths are kept as sent; the swap route decodes the user name itself, so
  // that "%00" and other bytes a C string cannot hold survive.
  static std::size_t keep_escapes(void*, MHD_Connection*, char* text) { return std::strlen(text); }
};

SwapServer::SwapServer(SwapStore& store, RequestLog& log, ServerLimits limits)
    : store_(store), log_(log), limits_(limits), deadlines_(limits.whole_request) {}

SwapServer::~SwapServer() {
  if (daemon_) MHD_stop_daemon(daemon_);
}

int SwapServer::start(const std::string& address, int port) {
  int bound_port = -1;
  const int listener = listen_on(address, port, bound_port);
  if (listener < 0) return -1;
  const unsigned threads = std::clamp(std::thread::hardware_concurrency(), 1u, kMaxThreads);
  daemon_ = MHD_start_daemon(
      MHD_USE_INTERNAL_POLLING_THREAD | MHD_USE_POLL, 0, nullptr, nullptr, &ServerCallbacks::request, this,
      MHD_OPTION_LISTEN_SOCKET, listener, MHD_OPTION_THREAD_POOL_SIZE, threads, MHD_OPTION_CONNECTION_LIMIT,
      connection_limit(), MHD_OPTION_PER_IP_CONNECTION_LIMIT, kConnectionsPerAddress,
      MHD_OPTION_CONNECTION_MEMORY_LIMIT, kConnectionMemory, MHD_OPTION_CONNECTION_TIMEOUT,
      static_cast<unsigned>(limits_.idle.count()), MHD_OPTION_STRICT_FOR_CLIENT, 1, MHD_OPTION_NOTIFY_COMPLETED,
      &ServerCallbacks::completed, this, MHD_OPTION_NOTIFY_CONNECTION, &ServerCallbacks::connection, this,
      MHD_OPTION_UNESCAPE_CALLBACK, &ServerCallbacks::keep_escapes, nullptr, MHD_OPTION_END);
  if (!daemon_) {
    close(listener);
    return -1;
  }
  return bound_port;
}

bool SwapServer::reserve_body(std::size_t size) {
  std::size_t now = buffered_.load();
  do {
    if (now + size > kBodyBudget) return false;
  } while (!buffered_.compare_exchange_weak(now, now + size));
  return true;
}

int SwapServer::refusal(MHD_Connection* connection, Pending& pending) {
  if (!is_swap_path(pending.target)) return reply(connection, pending, 404);
  if (pending.method != "PATCH") return reply(connection, pending, 405);
  if (has_header(connection, MHD_HTTP_HEADER_TRANSFER_ENCODING)) return reply(connection, pending, 411);
  if (has_header(connection, MHD_HTTP_HEADER_CONTENT_ENCODING)) return reply(connection, pending, 415);
  // Ranges of a reply would let one request multiply the partner's body.
  if (has_header(connection, MHD_HTTP_HEADER_RANGE)) return reply(connection, pending, 416);
  const int lengths = count_header(connection, MHD_HTTP_HEADER_CONTENT_LENGTH);
  if (lengths == 0) return reply(connection, pending, 411);
  if (lengths > 1) return reply(connection, pending, 400);
  // The library has checked that the value is a plain decimal number.
  const unsigned long long length =
      std::strtoull(MHD_lookup_connection_value(connection, MHD_HEADER_KIND, MHD_HTTP_HEADER_CONTENT_LENGTH), nullptr, 10);
  if (length > kMaxBody) return reply(connection, pending, 413);
  if (!reserve_body(length)) return reply(connection, pending, 503);
  pending.reserved = length;
  pending.body.reserve(length);
  return MHD_YES;
}

int SwapServer::answer_request(MHD_Connection* connection, Pending& pending) {
  pending.in_bytes = pending.body.size();
  if (!valid_body(pending.body)) return reply(connection, pending, 400);
  std::shared_ptr<const std::string> partner_body;
  const std::string user = percent_decode(pending.target.substr(kSwapPrefix.size()));
  if (store_.swap(user, std::move(pending.body), partner_body) == SwapStore::Outcome::UnknownUser)
    return reply(connection, pending, 201);
  return reply(connection, pending, 200, std::move(partner_body));
}

int SwapServer::reply(MHD_Connection* connection, Pending& pending, int status,
                      std::shared_ptr<const std::string> body) {
  MHD_Response* response;
  if (body && !body->empty()) {
    // The reply is sent straight from the stored body, which it keeps alive.
    auto* held = new std::shared_ptr<const std::string>(std::move(body));
    response = MHD_create_response_from_buffer_with_free_callback_cls(
        (*held)->size(), const_cast<char*>((*held)->data()), [](void* cls) { delete static_cast<std::shared_ptr<const std::string>*>(cls); },
        held);
    pending.out_bytes = (*held)->size();
  } else {
    response = MHD_create_response_from_buffer(0, nullptr, MHD_RESPMEM_PERSISTENT);
  }
  if (!response) return MHD_NO;
  if (status == 200) MHD_add_response_header(response, MHD_HTTP_HEADER_CONTENT_TYPE, "application/octet-stream");
  if (status == 405) MHD_add_response_header(response, MHD_HTTP_HEADER_ALLOW, "PATCH");
  // After a refusal nothing more is read from the connection: bytes that
  // follow a refused request are never taken for another request.
  if (status != 200 && status != 201) MHD_add_response_header(response, MHD_HTTP_HEADER_CONNECTION, "close");
  const MHD_Result queued = MHD_queue_response(connection, static_cast<unsigned>(status), response);
  MHD_destroy_response(response);
  pending.status = status;
  return queued;
}

void SwapServer::completed(MHD_Connection* connection, Pending* pending) {
  if (pending == nullptr) return;
  log_.request(pending->method, pending->target, pending->status, pending->in_bytes, pending->out_bytes);
  buffered_ -= pending->reserved;
  delete pending;
  const MHD_ConnectionInfo* info = MHD_get_connection_info(connection, MHD_CONNECTION_INFO_SOCKET_CONTEXT);
  if (info && info->socket_context) deadlines_.restart(static_cast<ConnectionDeadlines::Entry*>(info->socket_context));
}
