#include "swap_server.h"

#include <sys/socket.h>

#include <algorithm>
#include <cctype>

#include "request_log.h"

namespace {

const std::string kSwapPrefix = "/v1/swap/";
constexpr std::size_t kTokenSize = 16;
constexpr std::size_t kMaxBody = 32u << 20;
// Handlers match paths with std::regex, whose matching recurses per
// character: paths are bounded well below where that could exhaust a stack.
constexpr std::size_t kMaxPath = 1024;
constexpr int kThreads = 16;
constexpr time_t kTimeoutSeconds = 5;
// Matches any path, new lines included.
const std::string kAnyPath = R"([\s\S]*)";

bool is_swap_path(const std::string& path) {
  return path.size() > kSwapPrefix.size() && path.compare(0, kSwapPrefix.size(), kSwapPrefix) == 0;
}

bool valid_body(const std::string& body) {
  return body.size() >= kTokenSize && std::all_of(body.end() - kTokenSize, body.end(), [](char c) {
           return std::isxdigit(static_cast<unsigned char>(c)) != 0;
         });
}

void refuse(httplib::Response& response, int status) {
  response.status = status;
  if (status == 405) response.set_header("Allow", "PATCH");
}

const char* const kRoutedMethods[] = {"GET", "HEAD", "POST", "PUT", "PATCH", "DELETE", "OPTIONS"};

bool carries_body(const std::string& method) {
  return method == "POST" || method == "PUT" || method == "PATCH" || method == "DELETE";
}

// The status of a request refused from its request line and headers alone,
// or 0 when its body may be read and routed.
int early_status(const httplib::Request& request) {
  const bool routed = std::any_of(std::begin(kRoutedMethods), std::end(kRoutedMethods),
                                  [&](const char* m) { return request.method == m; });
  const bool unbounded = request.has_header("Transfer-Encoding") ||
                         (carries_body(request.method) && !request.has_header("Content-Length"));
  const bool encoded = request.has_header("Content-Encoding");
  if (request.path.size() > kMaxPath) return 414;
  if (routed && !unbounded && !encoded) return 0;
  if (!is_swap_path(request.path)) return 404;
  if (request.method != "PATCH") return 405;
  return encoded ? 415 : 411;
}

}  // namespace

SwapServer::SwapServer(SwapStore& store) : store_(store) {
  http_.new_task_queue = [] { return new httplib::ThreadPool(kThreads); };
  http_.set_read_timeout(kTimeoutSeconds, 0);
  http_.set_write_timeout(kTimeoutSeconds, 0);
  http_.set_keep_alive_timeout(kTimeoutSeconds);
  http_.set_payload_max_length(kMaxBody);
  http_.set_tcp_nodelay(true);

  // Requests answered before any body is read: those whose body could not be
  // bounded (the library reads chunked, unsized and compressed bodies whole,
  // past the payload limit), methods without a route, overlong paths.
  http_.set_pre_routing_handler([](const httplib::Request& request, httplib::Response& response) {
    const int status = early_status(request);
    if (status == 0) return httplib::Server::HandlerResponse::Unhandled;
    refuse(response, status);
    return httplib::Server::HandlerResponse::Handled;
  });

  auto handler = [this](const httplib::Request& request, httplib::Response& response) { answer(request, response); };
  http_.Get(kAnyPath, handler);
  http_.Post(kAnyPath, handler);
  http_.Put(kAnyPath, handler);
  http_.Patch(kAnyPath, handler);
  http_.Delete(kAnyPath, handler);
  http_.Options(kAnyPath, handler);

  http_.set_exception_handler([](const httplib::Request&, httplib::Response& response, std::exception_ptr) {
    response.status = 500;
    response.body.clear();
  });
  http_.set_logger([](const httplib::Request& request, const httplib::Response& response) {
    log_request(request.method, request.target, response.status, request.body.size(), response.body.size());
  });
}

bool SwapServer::Http::widen_backlog() { return ::listen(svr_sock_, SOMAXCONN) == 0; }

int SwapServer::bind(const std::string& address, int port) {
  const int bound = port == 0 ? http_.bind_to_any_port(address) : http_.bind_to_port(address, port) ? port : -1;
  return bound >= 0 && http_.widen_backlog() ? bound : -1;
}

bool SwapServer::serve() { return http_.listen_after_bind(); }

void SwapServer::answer(const httplib::Request& request, httplib::Response& response) {
  // Range requests are refused: ranges of a reply would let one request
  // multiply the partner's body.
  const int status = !is_swap_path(request.path)     ? 404
                     : request.method != "PATCH"     ? 405
                     : request.has_header("Range")   ? 416
                     : !valid_body(request.body)     ? 400
                                                     : 0;
  if (status != 0) return refuse(response, status);
  std::shared_ptr<const std::string> partner_body;
  if (store_.swap(request.path.substr(kSwapPrefix.size()), request.body, partner_body) ==
      SwapStore::Outcome::UnknownUser) {
    response.status = 201;
    return;
  }
  response.status = 200;
  response.set_content(partner_body ? *partner_body : std::string(), "application/octet-stream");
}
