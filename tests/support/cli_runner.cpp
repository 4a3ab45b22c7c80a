#include "support/cli_runner.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <cstring>

namespace tessaro::test {

CliResult RunProgram(const std::string& program, const std::vector<std::string>& args,
                     const std::string& input, const std::string& home) {
  int in_pipe[2], out_pipe[2], err_pipe[2];
  CliResult result;
  if (pipe(in_pipe) || pipe(out_pipe) || pipe(err_pipe)) return result;
  pid_t pid = fork();
  if (pid == 0) {
    dup2(in_pipe[0], 0);
    dup2(out_pipe[1], 1);
    dup2(err_pipe[1], 2);
    for (int fd : {in_pipe[0], in_pipe[1], out_pipe[0], out_pipe[1], err_pipe[0], err_pipe[1]}) close(fd);
    if (!home.empty()) setenv("TESSARO_HOME", home.c_str(), 1);
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    execv(program.c_str(), argv.data());
    _exit(127);
  }
  close(in_pipe[0]);
  close(out_pipe[1]);
  close(err_pipe[1]);
  signal(SIGPIPE, SIG_IGN);

  // Feed stdin and drain both outputs together so no pipe can fill up and stall the child.
  size_t written = 0;
  int in_fd = in_pipe[1];
  if (input.empty()) {
    close(in_fd);
    in_fd = -1;
  }
  bool out_open = true, err_open = true;
  char buffer[4096];
  while (out_open || err_open) {
    pollfd fds[3];
    int n = 0;
    if (out_open) fds[n++] = {out_pipe[0], POLLIN, 0};
    if (err_open) fds[n++] = {err_pipe[0], POLLIN, 0};
    if (in_fd >= 0) fds[n++] = {in_fd, POLLOUT, 0};
    if (poll(fds, n, -1) < 0) break;
    for (int k = 0; k < n; ++k) {
      if (!fds[k].revents) continue;
      if (fds[k].fd == in_fd) {
        ssize_t w = write(in_fd, input.data() + written, input.size() - written);
        if (w > 0) written += static_cast<size_t>(w);
        if (w < 0 || written == input.size()) {
          close(in_fd);
          in_fd = -1;
        }
        continue;
      }
      ssize_t r = read(fds[k].fd, buffer, sizeof buffer);
      std::string& sink = fds[k].fd == out_pipe[0] ? result.out : result.err;
      if (r > 0) {
        sink.append(buffer, static_cast<size_t>(r));
      } else {
        (fds[k].fd == out_pipe[0] ? out_open : err_open) = false;
      }
    }
  }
  if (in_fd >= 0) close(in_fd);
  close(out_pipe[0]);
  close(err_pipe[0]);
  int status = 0;
  waitpid(pid, &status, 0);
  result.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  return result;
}

}  // namespace tessaro::test
