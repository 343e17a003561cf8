// The swap cycle: photograph, scale, overlay, compress, encrypt, exchange,
// show, wait out the period.
#pragma once

namespace httplib {
class Client;
}

namespace quillfern {

// Outgoing picture size for a resolution code.
struct picture_size {
  int width, height;
};
picture_size outgoing_size(int resolution);

// One cycle; false when the window was closed.
bool swap_cycle(httplib::Client& client);

}  // namespace quillfern
