// quillfern-exchange [--listen ADDR] [--port N] [--pairs FILE] [--deadline S]:
// the exchange server the clients swap their pictures through. Listens on
// 127.0.0.1:26001 with pairs.txt of the working directory unless told
// otherwise; --port 0 picks a free port; --deadline is the most seconds one
// request may take (20). The first line on stdout says where it listens,
// then one line per request. SIGINT or SIGTERM end it with status 0 within
// a second, whatever its clients are doing.
// Depends on: pairs_file, request_log, swap_server, common/tool_usage and POSIX signals. Serves no request
// itself (swap_server.h).
#include <pthread.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>

#include "common/tool_usage.h"
#include "pairs_file.h"
#include "request_log.h"
#include "swap_server.h"

namespace {

struct ServerOptions {
  std::string address = "127.0.0.1";
  int port = 26001;  // 0 picks a free port
  std::string pairs_file = "pairs.txt";
  ServerLimits limits;
};

const char usage_text[] =
    "usage: quillfern-exchange [--listen ADDR] [--port N] [--pairs FILE] [--deadline SECONDS]\n"
    "The exchange server: each client's PATCH /v1/swap/<user> stores its picture and\n"
    "is answered with the latest picture of the user's partner. Pictures are kept in\n"
    "memory only; users are not authenticated.\n"
    "  --listen ADDR  the address to listen on (default 127.0.0.1, this machine only;\n"
    "                 0.0.0.0 for every interface)\n"
    "  --port N       the port (default 26001, the one the clients use; 0 picks a free one)\n"
    "  --pairs FILE   who sees whom, one pair of user names a line (default pairs.txt in\n"
    "                 the working folder)\n"
    "  --deadline S   the most seconds one request may take (default 20)\n"
    "  --help         this text\n"
    "  --version      the version\n"
    "The first line on stdout says where it listens, then one line per request.\n"
    "SIGINT or SIGTERM end it with status 0 within a second.\n";

int usage() {
  std::fputs(usage_text, stderr);
  return 2;
}

bool parse_number(const char* text, long low, long high, long& number) {
  char* end = nullptr;
  const long value = std::strtol(text, &end, 10);
  if (end == text || *end != '\0' || value < low || value > high) return false;
  number = value;
  return true;
}

bool parse_options(int argc, char** argv, ServerOptions& options) {
  for (int i = 1; i < argc; i += 2) {
    const std::string name = argv[i];
    if (i + 1 >= argc) return false;
    long number = 0;
    if (name == "--listen") {
      options.address = argv[i + 1];
    } else if (name == "--pairs") {
      options.pairs_file = argv[i + 1];
    } else if (name == "--port" && parse_number(argv[i + 1], 0, 65535, number)) {
      options.port = static_cast<int>(number);
    } else if (name == "--deadline" && parse_number(argv[i + 1], 1, 3600, number)) {
      options.limits.whole_request = std::chrono::seconds(number);
    } else {
      return false;
    }
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  const int answered = answer_help_or_version(argc, argv, "quillfern-exchange", usage_text);
  if (answered >= 0) return answered;
  ServerOptions options;
  if (!parse_options(argc, argv, options)) return usage();

  PartnerMap partners;
  std::ifstream pairs(options.pairs_file);
  std::string error;
  if (!pairs) {
    std::fprintf(stderr, "quillfern-exchange: cannot read %s\n", options.pairs_file.c_str());
    return 1;
  }
  if (!read_pairs(pairs, partners, error)) {
    std::fprintf(stderr, "quillfern-exchange: %s: %s\n", options.pairs_file.c_str(), error.c_str());
    return 1;
  }

  // The stop signals are taken by this thread alone: every thread started
  // below inherits the blocked mask. A peer that goes away mid-reply must not
  // end the server.
  signal(SIGPIPE, SIG_IGN);
  sigset_t stop_signals;
  sigemptyset(&stop_signals);
  sigaddset(&stop_signals, SIGINT);
  sigaddset(&stop_signals, SIGTERM);
  pthread_sigmask(SIG_BLOCK, &stop_signals, nullptr);

  // The server is never torn down connection by connection: the process
  // ends, and the kernel closes every connection at once. (The library's
  // own teardown of connections caught mid-request is not safe in the
  // packaged version: it crashed on connections a peer had just reset.)
  RequestLog log(STDOUT_FILENO);
  SwapStore store(std::move(partners));
  SwapServer server(store, log, options.limits);
  errno = 0;
  const int port = server.start(options.address, options.port);
  if (port < 0) {
    const int reason = errno;  // the failing bind's or listen's, if the system gave one
    std::fprintf(stderr, "quillfern-exchange: cannot listen on %s port %d: %s\n", options.address.c_str(),
                 options.port, reason != 0 ? std::strerror(reason) : "not a local address of this machine");
    return 1;
  }
  log.line("listening on " + options.address + " port " + std::to_string(port));
  int received = 0;
  sigwait(&stop_signals, &received);
  log.line("stopped");
  log.finish();  // writes what the reader takes within half a second
  _exit(0);
}
