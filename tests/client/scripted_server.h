// A loopback server that answers every request with a script of raw bytes,
// for testing the client against servers that misbehave. One connection at
// a time, on a port the system chooses; it checks nothing about requests.
#pragma once

#include <atomic>
#include <functional>
#include <string>
#include <thread>

class ScriptedServer {
 public:
  // `script` gets the connection's socket once the whole request is read;
  // it writes whatever it likes and the server closes the connection.
  using Script = std::function<void(int fd)>;

  explicit ScriptedServer(Script script);
  ~ScriptedServer();
  ScriptedServer(const ScriptedServer&) = delete;
  ScriptedServer& operator=(const ScriptedServer&) = delete;

  int port() const { return port_; }

  // Writes all of `bytes`; false once the peer is gone.
  static bool send_bytes(int fd, const std::string& bytes);

 private:
  void serve();

  Script script_;
  int listener_ = -1;
  int port_ = 0;
  std::atomic<bool> stopping_{false};
  std::thread thread_;
};
