// The swap cycle: photograph, scale, overlay, compress, encrypt, exchange,
// show, wait out the period.
// Depends on: the client's other parts; the exchange client is passed in.
#pragma once

namespace quillfern {

class exchange_client;

// Outgoing picture size for a resolution code.
struct picture_size {
  int width, height;
};
picture_size outgoing_size(int resolution);

// One cycle; false when the window was closed.
bool swap_cycle(exchange_client& client);

}  // namespace quillfern
