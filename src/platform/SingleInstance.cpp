#include "platform/SingleInstance.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>
#include <cstring>
#include <functional>

namespace {

// The abstract socket address (leading zero byte): per user, keyed by class and title.
socklen_t MakeAddress(const std::string& windowClass, const std::string& title, sockaddr_un& address) {
  std::memset(&address, 0, sizeof address);
  address.sun_family = AF_UNIX;
  const size_t key = std::hash<std::string>{}(windowClass + '\n' + title);
  std::string name = "zel-" + std::to_string(getuid()) + "-" + std::to_string(key);
  std::memcpy(address.sun_path + 1, name.data(), name.size());
  return static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + name.size());
}

void AskToRaise(const sockaddr_un& address, socklen_t length) {
  int s = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (s < 0) return;
  if (connect(s, reinterpret_cast<const sockaddr*>(&address), length) == 0) {
    const char request[] = "raise";
    (void)!write(s, request, sizeof request - 1);
  }
  close(s);
}

}  // namespace

CSingleInstance::~CSingleInstance() { Release(); }

bool CSingleInstance::Acquire(const std::string& windowClass, const std::string& title) {
  Release();
  sockaddr_un address;
  const socklen_t length = MakeAddress(windowClass, title, address);
  int s = socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
  if (s < 0) return true;  // no sockets: run without the single-instance rule
  if (bind(s, reinterpret_cast<const sockaddr*>(&address), length) != 0) {
    const bool taken = errno == EADDRINUSE;
    close(s);
    if (!taken) return true;
    AskToRaise(address, length);
    return false;
  }
  listen(s, 4);
  listener = s;
  return true;
}

bool CSingleInstance::TakeRaiseRequest() {
  if (listener < 0) return false;
  bool raised = false;
  for (;;) {
    int client = accept4(listener, nullptr, nullptr, SOCK_CLOEXEC);
    if (client < 0) break;
    raised = true;
    close(client);
  }
  return raised;
}

void CSingleInstance::Release() {
  if (listener >= 0) close(listener);
  listener = -1;
}
