// The two external tools: the PNG tool and the encryption tool, run as child
// processes that the client waits for. Their results change nothing in the
// cycle; a change in them is only told on the terminal.
// Depends on: the platform's process calls.
#pragma once

#include <string>

namespace quillfern {

// The exact command lines.
std::string pngslim_command();
std::string encrypt_command(const std::string& key_material);
std::string decrypt_command(const std::string& key_material);

// Starts the command line and waits until the process has ended; its exit
// status, or -1 when it could not be started.
int run_command(const std::string& command_line);
void run_pngslim();
// key_material = the 48 characters of the key + a 16-character cycle token.
void encrypt_capture(const std::string& key_material);
void decrypt_received(const std::string& key_material);

}  // namespace quillfern
