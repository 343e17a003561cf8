// The exchange: sends "temp\image4.enc" plus the token, logs the reply,
// evaluates it into the three error flags, and shows a black, red or the
// partner's decrypted picture.

#include "Client/exchange.h"

#include <httplib.h>

#include <fstream>
#include <iterator>

#include "Client/client_state.h"
#include "Client/picture_size.h"
#include "Client/run_log.h"
#include "Client/settings.h"
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

std::unique_ptr<httplib::Client> make_http_client() {
  auto client = std::make_unique<httplib::Client>(settings.server, EXCHANGE_PORT);
  client->set_connection_timeout(0, 5000000);
  client->set_read_timeout(5, 0);
  client->set_write_timeout(5, 0);
  client->set_tcp_nodelay(true);
  client->set_url_encode(false);  // the path is encoded already
  return client;
}

void exchange(httplib::Client& client, const std::string& token) {
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
  const httplib::Result result = client.send(request);
  const bool replied = result && !too_large;
  const int status = replied ? result->status : 0;
  if (replied)
    write_log_line("Status: " + std::to_string(status) + ", Sent Size: " + std::to_string(request.body.size()) +
                   ", Received Size: " + std::to_string(reply.size()) + " at " + current_timestamp() + ".");

  reply_outcome outcome = evaluate_reply(replied, status, reply);
  if (outcome.step == reply_outcome::show_black) {
    lock_state();
    replace_received(filled_picture(0xFF000000));
    unlock_state();
  } else if (outcome.step == reply_outcome::decrypt_partner) {
    {
      std::ofstream file(platform::posix_path("temp\\image5.enc"), std::ios::binary | std::ios::trunc);
      file.write(outcome.partner_picture.data(), std::streamsize(outcome.partner_picture.size()));
    }
    decrypt_received(settings.key + outcome.partner_token);
    lock_state();
    if (png_larger_than("temp\\image6.png", received_side_limit) ||
        frond::getimage_pngfile(received_image, "temp\\image6.png") != 0)
      outcome.file_invalid = true;
    else if (token_says_chat(outcome.partner_token))
      new_chat = 1;
    unlock_state();
  }
  network_error = outcome.network_error;
  file_invalid = outcome.file_invalid;
  user_not_found = outcome.user_not_found;

  lock_state();
  if (outcome.network_error || outcome.file_invalid || outcome.user_not_found)
    replace_received(filled_picture(0xFFFF0000));
  unlock_state();
}

}  // namespace quillfern
