// The size a received picture declares, read before it is decoded, so that
// a hostile partner cannot make the client decode a giant picture.
// Depends on nothing but the C++ library (and the platform's path rule).
#pragma once

namespace quillfern {

// Partners send at most 1600x900; anything above this many pixels a side is refused.
constexpr unsigned received_side_limit = 4096;

// True when the file is a PNG whose header declares a width or height above
// `limit`. Files that are not PNGs answer false: the loader refuses them.
bool png_larger_than(const char* path, unsigned limit);

}  // namespace quillfern
