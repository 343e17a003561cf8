// quillfern-exchange [--listen ADDR] [--port N] [--pairs FILE]: the exchange
// server the clients swap their pictures through. Listens on 127.0.0.1:26001
// with pairs.txt of the working directory unless told otherwise; --port 0
// picks a free port. The first line on stdout says where it listens, then
// one line per request. SIGINT or SIGTERM end it cleanly with status 0.
#include <pthread.h>
#include <signal.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <thread>

#include "pairs_file.h"
#include "request_log.h"
#include "swap_server.h"

namespace {

struct ServerOptions {
  std::string address = "127.0.0.1";
  int port = 26001;  // 0 picks a free port
  std::string pairs_file = "pairs.txt";
};

int usage() {
  std::fprintf(stderr, "usage: quillfern-exchange [--listen ADDR] [--port N] [--pairs FILE]\n");
  return 2;
}

bool parse_port(const char* text, int& port) {
  char* end = nullptr;
  long value = std::strtol(text, &end, 10);
  if (end == text || *end != '\0' || value < 0 || value > 65535) return false;
  port = static_cast<int>(value);
  return true;
}

bool parse_options(int argc, char** argv, ServerOptions& options) {
  for (int i = 1; i < argc; i += 2) {
    const std::string name = argv[i];
    if (i + 1 >= argc) return false;
    if (name == "--listen") {
      options.address = argv[i + 1];
    } else if (name == "--pairs") {
      options.pairs_file = argv[i + 1];
    } else if (name != "--port" || !parse_port(argv[i + 1], options.port)) {
      return false;
    }
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
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

  // Signals are taken by one waiting thread; every other thread, the pool's
  // included, inherits the blocked mask. A peer that goes away mid-reply must
  // not end the server.
  signal(SIGPIPE, SIG_IGN);
  sigset_t stop_signals;
  sigemptyset(&stop_signals);
  sigaddset(&stop_signals, SIGINT);
  sigaddset(&stop_signals, SIGTERM);
  pthread_sigmask(SIG_BLOCK, &stop_signals, nullptr);

  SwapStore store(std::move(partners));
  SwapServer server(store);
  const int port = server.bind(options.address, options.port);
  if (port < 0) {
    std::fprintf(stderr, "quillfern-exchange: cannot listen on %s port %d\n", options.address.c_str(),
                 options.port);
    return 1;
  }
  log_line("listening on " + options.address + " port " + std::to_string(port));

  // A signal may come before the accept loop runs, when stop() has nothing to
  // stop yet: the stopper keeps asking until serving has ended.
  std::atomic<bool> finished{false};
  std::thread stopper([&server, &finished, stop_signals] {
    int received = 0;
    sigwait(&stop_signals, &received);
    while (!finished) {
      server.stop();
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
  });
  const bool served = server.serve();
  finished = true;
  pthread_kill(stopper.native_handle(), SIGTERM);
  stopper.join();
  log_line("stopped");
  return served ? 0 : 1;
}
