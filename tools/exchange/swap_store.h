// The latest body of every paired user, kept in memory.
// Depends on the C++ library only; knows nothing of HTTP. Thread-safe.
#pragma once

#include <memory>
#include <mutex>
#include <string>

#include "pairs_file.h"

class SwapStore {
 public:
  explicit SwapStore(PartnerMap partners);

  enum class Outcome { Swapped, UnknownUser };

  // Keeps `body` as `user`'s latest and gives the partner's latest (null when
  // the partner has sent nothing yet). Unknown users store nothing.
  Outcome swap(const std::string& user, std::string body, std::shared_ptr<const std::string>& partner_body);

 private:
  struct Slot {
    std::string partner;
    std::shared_ptr<const std::string> latest;
  };
  std::mutex mutex_;
  std::map<std::string, Slot> slots_;
};
