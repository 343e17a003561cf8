// The swap store: each user's latest body, handed to the partner. Depends on
// the C++ library only; knows nothing of HTTP.
#include "swap_store.h"

SwapStore::SwapStore(PartnerMap partners) {
  for (auto& entry : partners) slots_[entry.first].partner = std::move(entry.second);
}

SwapStore::Outcome SwapStore::swap(const std::string& user, std::string body,
                                   std::shared_ptr<const std::string>& partner_body) {
  // The copy is made before the lock; under it only pointers change hands.
  auto stored = std::make_shared<const std::string>(std::move(body));
  std::lock_guard<std::mutex> lock(mutex_);
  auto self = slots_.find(user);
  if (self == slots_.end()) return Outcome::UnknownUser;
  self->second.latest = std::move(stored);
  partner_body = slots_.at(self->second.partner).latest;
  return Outcome::Swapped;
}
