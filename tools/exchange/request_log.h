// One line on stdout per answered request.
#pragma once

#include <cstddef>
#include <string>

// "<local time> <method> <target> <status> in=<request body bytes> out=<reply body bytes>",
// written whole and flushed, whichever thread answers. Bytes of the method or
// target outside printable ASCII are written as %XX so that one request is
// always one line.
void log_request(const std::string& method, const std::string& target, int status, std::size_t in_bytes,
                 std::size_t out_bytes);

// A line of its own (start-up, shutdown), under the same lock.
void log_line(const std::string& text);
