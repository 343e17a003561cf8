// The exchange: sends "temp\image4.enc" plus the token, logs the reply,
// evaluates it into the three error flags, and shows a black, red or the
// partner's decrypted picture.
// Depends on: the bounded exchange client, the tools (decryption), the run
// log and terminal report; never decodes a picture larger than partners send.

#include "Client/exchange.h"

#include <httplib.h>

#include <chrono>
#include <fstream>
#include <iterator>

#include "Client/client_state.h"
#include "Client/picture_size.h"
#include "Client/run_log.h"
#include "Client/settings.h"
#include "Client/terminal_report.h"
#include "Client/token.h"
#include "Client/tools.h"

namespace quillfern {
namespace {

// No picture of ours comes near this; a reply beyond it is not read on.
constexpr size_t reply_limit = 64u << 20;
constexpr size_t sent_file_limit = 64u << 20;

// The bytes of a file; empty when it is missing, unreadable or too large.
std::string read_whole_file(const char* path) {
  std::ifstream file(platform::posix_path(path), std::ios::binary | std::ios::ate);
  if (!file) return {};
  const std::streamoff size = file.tellg();
  if (size <= 0 || size_t(size) > sent_file_limit) return {};
  std::string bytes(size_t(size), '\0');
  file.seekg(0);
  if (!file.read(bytes.data(), size)) return {};
  return bytes;
}

frond::IMAGE* filled_picture(frond::argb_color colour) {
  frond::IMAGE* picture = frond::newimage(1280, 720);
  frond::setfillcolor(colour, picture);
  frond::frond_fillrect(0, 0, 1280, 720, picture);
  return picture;
}

void replace_received(frond::IMAGE* picture) {
  frond::delimage(received_image);
  received_image = picture;
}

// Why no reply came, in words for the terminal.
std::string transport_problem(httplib::Error error) {
  switch (error) {
    case httplib::Error::Connection: return "no connection (is the server running and listening on that address?)";
    case httplib::Error::ConnectionTimeout: return "no connection within 5 seconds";
    case httplib::Error::Read: return "no reply within 5 seconds, or the connection broke";
    case httplib::Error::Write: return "the picture could not be sent within 5 seconds";
    default: return httplib::to_string(error);
  }
}

// The exchange's problem in words for the terminal; empty when it worked.
std::string describe_problem(const reply_outcome& outcome, const httplib::Result& result, bool too_large) {
  const std::string server = settings.server + ":" + std::to_string(EXCHANGE_PORT);
  if (outcome.network_error) {
    if (too_large) return "the reply from " + server + " is too large; it was dropped";
    if (!result) return "cannot exchange with " + server + ": " + transport_problem(result.error());
    return server + " answered with HTTP status " + std::to_string(result->status);
  }
  if (outcome.user_not_found) return server + " does not know the user \"" + settings.user + "\" (see its pairs file)";
  if (outcome.file_invalid) return "the partner's picture could not be read (is key= the same on both sides?)";
  return {};
}

std::string last_exchange_problem;

}  // namespace

std::string swap_path(const std::string& user) {
  static const char hex[] = "0123456789ABCDEF";
  std::string path = "/v1/swap/";
  for (unsigned char c : user) {
    const bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
                       c == '.' || c == '_' || c == '~';
    if (plain) {
      path += char(c);
    } else {
      path += '%';
      path += hex[c >> 4];
      path += hex[c & 15];
    }
  }
  return path;
}

reply_outcome evaluate_reply(bool replied, int status, const std::string& body) {
  reply_outcome outcome;
  if (!replied || (status != 200 && status != 201)) {
    outcome.network_error = true;
    return outcome;
  }
  if (status == 201) {
    outcome.user_not_found = true;
    return outcome;
  }
  if (body.empty()) {
    outcome.step = reply_outcome::show_black;
    return outcome;
  }
  if (body.size() <= 16) {
    outcome.file_invalid = true;
    return outcome;
  }
  std::string token = body.substr(body.size() - 16);
  if (!is_hex(token)) {
    outcome.file_invalid = true;
    return outcome;
  }
  outcome.step = reply_outcome::decrypt_partner;
  outcome.partner_token = token;
  outcome.partner_picture = body.substr(0, body.size() - 16);
  return outcome;
}

std::unique_ptr<exchange_client> make_http_client() {
  return std::make_unique<exchange_client>(settings.server, EXCHANGE_PORT, exchange_limits{}, frond::isrunning);
}

double exchange(exchange_client& client, const std::string& token) {
  // A missing file sends the token alone rather than reaching the library's
  // own file reader, which cannot report a missing file.
  httplib::Request request;
  request.method = "PATCH";
  request.path = swap_path(settings.user);
  request.body = read_whole_file("temp\\image4.enc") + token;
  std::string reply;
  bool too_large = false;
  request.content_receiver = [&](const char* data, size_t length, uint64_t, uint64_t) {
    if (reply.size() + length > reply_limit) return !(too_large = true);
    reply.append(data, length);
    return true;
  };
  const httplib::Result result = client.send_bounded(request);
  const bool replied = result && !too_large;
  const int status = replied ? result->status : 0;
  if (replied)
    write_log_line("Status: " + std::to_string(status) + ", Sent Size: " + std::to_string(request.body.size()) +
                   ", Received Size: " + std::to_string(reply.size()) + " at " + current_timestamp() + ".");

  reply_outcome outcome = evaluate_reply(replied, status, reply);
  double decode_seconds = 0;
  if (outcome.step == reply_outcome::show_black) {
    lock_state();
    replace_received(filled_picture(0xFF000000));
    unlock_state();
  } else if (outcome.step == reply_outcome::decrypt_partner) {
    // Made anew rather than emptied: ext4 writes an emptied file out to disk
    // when it is closed, which costs milliseconds.
    DeleteFileA("temp\\image5.enc");
    {
      std::ofstream file(platform::posix_path("temp\\image5.enc"), std::ios::binary | std::ios::trunc);
      file.write(outcome.partner_picture.data(), std::streamsize(outcome.partner_picture.size()));
    }
    // A picture that does not decrypt must not leave an older one to load.
    DeleteFileA("temp\\image6.png");
    decrypt_received(settings.key + outcome.partner_token);
    lock_state();
    const auto start = std::chrono::steady_clock::now();
    if (png_larger_than("temp\\image6.png", received_side_limit) ||
        frond::getimage_pngfile(received_image, "temp\\image6.png") != 0)
      outcome.file_invalid = true;
    else if (token_says_chat(outcome.partner_token))
      new_chat = 1;
    decode_seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    unlock_state();
  }
  report_change(last_exchange_problem, describe_problem(outcome, result, too_large),
                "the exchange with " + settings.server + " works again");
  network_error = outcome.network_error;
  file_invalid = outcome.file_invalid;
  user_not_found = outcome.user_not_found;

  lock_state();
  if (outcome.network_error || outcome.file_invalid || outcome.user_not_found)
    replace_received(filled_picture(0xFFFF0000));
  unlock_state();
  return decode_seconds;
}

}  // namespace quillfern
