#include "support/hostile_files.h"

#include <signal.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

namespace qv::test {

const std::vector<HostileKind>& AllHostileKinds() {
  static const std::vector<HostileKind> kinds = {HostileKind::kFifo, HostileKind::kFolder,
                                                 HostileKind::kSocket, HostileKind::kDevZero};
  return kinds;
}

std::string NameOf(HostileKind kind) {
  const char* names[] = {"FIFO", "folder", "socket", "/dev/zero"};  // in the order of the kinds
  return names[static_cast<int>(kind)];
}

bool MakeHostileFile(HostileKind kind, const std::string& path) {
  int result = -1;
  switch (kind) {
    case HostileKind::kFifo:
      result = mkfifo(path.c_str(), 0600);
      break;
    case HostileKind::kFolder:
      result = mkdir(path.c_str(), 0700);
      break;
    case HostileKind::kSocket: {
      sockaddr_un address{};
      address.sun_family = AF_UNIX;
      if (path.size() >= sizeof address.sun_path) {
        ADD_FAILURE() << path << ": too long for a socket";
        return false;
      }
      std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
      const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
      // The socket file stays after its descriptor is closed; nothing listens on it.
      result = fd < 0 ? -1 : bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
      if (fd >= 0) close(fd);
      break;
    }
    case HostileKind::kDevZero:
      result = symlink("/dev/zero", path.c_str());
      break;
  }
  if (result != 0)
    ADD_FAILURE() << "cannot make a " << NameOf(kind) << " at " << path << ": "
                  << std::strerror(errno);
  return result == 0;
}

std::string CallBounded(const std::function<std::string()>& call, unsigned seconds) {
  int channel[2];
  if (pipe(channel) != 0) return "<no pipe>";
  const pid_t pid = fork();
  if (pid < 0) {
    close(channel[0]);
    close(channel[1]);
    return "<no child>";
  }
  if (pid == 0) {
    close(channel[0]);
    signal(SIGALRM, SIG_DFL);
    alarm(seconds);
    const std::string answer = call();
    size_t done = 0;
    while (done < answer.size()) {
      const ssize_t n = write(channel[1], answer.data() + done, answer.size() - done);
      if (n <= 0) _exit(2);
      done += static_cast<size_t>(n);
    }
    _exit(0);  // no exit handlers: the parent's test state stays the parent's
  }
  close(channel[1]);
  std::string answer;
  char buffer[4096];
  for (;;) {
    const ssize_t n = read(channel[0], buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    answer.append(buffer, static_cast<size_t>(n));
  }
  close(channel[0]);
  int status = 0;
  while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  if (WIFSIGNALED(status)) {
    return WTERMSIG(status) == SIGALRM
               ? "<hung>"
               : "<ended by signal " + std::to_string(WTERMSIG(status)) + ">";
  }
  if (WIFEXITED(status) && WEXITSTATUS(status) != 0) {
    return "<exited with " + std::to_string(WEXITSTATUS(status)) + ">";
  }
  return answer;
}

}  // namespace qv::test
