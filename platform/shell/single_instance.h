// One running program per user: the first start holds a lock file and listens on a local socket;
// a later start finds the lock held, hands its command line to the first over the socket and
// ends. The first raises its main window and acts on the arguments.
//
// Bytes on the socket: DWORD count, then per argument DWORD length and the UTF-8 bytes (all
// little-endian). A message larger than kMaxMessage is refused.
#pragma once

#include <QLocalServer>
#include <QLockFile>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class CWinApp;

namespace shell {

class SingleInstance {
 public:
  static constexpr size_t kMaxMessage = 64 * 1024;

  // `name` tells programs apart ("LumoKAL"); the lock lives in the system's temporary folder and
  // both lock and socket names carry the user's id.
  explicit SingleInstance(std::string name);
  ~SingleInstance();

  // True when this process is the first: it then holds the lock and listens; the handler gets
  // the arguments of every later start.
  bool acquire(std::function<void(const std::vector<std::string>& arguments)> handler);
  // Hands the arguments (UTF-8) to the first process; true when it took them.
  bool hand_over(const std::vector<std::string>& arguments, int timeout_ms = 3000) const;

  const std::string& server_name() const { return server_name_; }

  // Decodes one message; false for malformed bytes.
  static bool decode(const std::string& bytes, std::vector<std::string>& arguments);
  static std::string encode(const std::vector<std::string>& arguments);

 private:
  std::string name_;
  std::string server_name_;
  std::unique_ptr<QLockFile> lock_;
  std::unique_ptr<QLocalServer> server_;
};

// The application's single start: the first process keeps `instance` and, for each later start,
// brings its main window forward (restored when minimised) and opens the files it was given
// (arguments that are not switches). A later process hands over its arguments and gets false:
// it should end.
bool start_single_instance(CWinApp& app, SingleInstance& instance, const std::vector<std::string>& arguments);
// What the first process does with a later start's arguments.
void on_second_start(CWinApp& app, const std::vector<std::string>& arguments);

}  // namespace shell
