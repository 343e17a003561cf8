// Checks of the run folder at start-up, private file modes for the pictures of
// the screen, and their removal at exit. Uses std::filesystem and umask; the
// folder's layout itself is fixed by the client's file names.
// Depends on: terminal_report (what is missing is reported). Creates no folder and writes no log.

#include "Client/run_folder.h"

#include <sys/stat.h>

#include <filesystem>
#include <system_error>

#include "Client/terminal_report.h"

namespace quillfern {

namespace fs = std::filesystem;

std::string run_folder() {
  std::error_code error;
  const fs::path folder = fs::current_path(error);
  return error ? std::string(".") : folder.string();
}

void check_run_folder() {
  const struct {
    const char* path;
    bool folder;
    const char* without_it;
  } parts[] = {
      {"settings.txt", false, "the settings read as empty and the client ends"},
      {"logs", true, "no run log is written"},
      {"temp", true, "no picture can be sent or shown"},
      {"bin/pngslim", false, "the PNG tool cannot run"},
      {"bin/encfile", false, "the encryption tool cannot run"},
      {"font", true, "the chat line cannot be drawn"},
  };
  int missing = 0;
  for (const auto& part : parts) {
    std::error_code error;
    const bool present = part.folder ? fs::is_directory(part.path, error) : fs::is_regular_file(part.path, error);
    if (present) continue;
    report(std::string("no ") + part.path + (part.folder ? "/" : "") + " in " + run_folder() + ": " +
           part.without_it);
    ++missing;
  }
  if (missing != 0) report("start quillfern in its run folder (see the README, \"The run folder\")");
}

void keep_new_files_private() { ::umask(077); }

void remove_temporary_pictures() {
  for (const char* name : {"image1.bmp", "image2.png", "image3.png", "image4.enc", "image5.enc", "image6.png"}) {
    std::error_code error;
    fs::remove(fs::path("temp") / name, error);  // a file never written is no error
  }
}

}  // namespace quillfern
