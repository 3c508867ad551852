#include "dicelab.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sstream>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

constexpr const char* dicelab = "/usr/bin/dicelab";

double seconds(const timeval& t) {
    return double(t.tv_sec) + double(t.tv_usec) * 1e-6;
}

// Reads what the child prints until it closes its output or the time is up.
std::string read_until(int fd, Clock::time_point deadline) {
    std::string text;
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
    char buffer[65536];
    while (Clock::now() < deadline) {
        const ssize_t got = read(fd, buffer, sizeof buffer);
        if (got == 0) {
            break;
        }
        if (got > 0) {
            text.append(buffer, std::size_t(got));
        } else {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    }
    return text;
}

} // namespace

DicelabRun run_dicelab(const std::string& program, std::chrono::seconds limit, std::size_t memory) {
    DicelabRun run;
    if (access(dicelab, X_OK) != 0) {
        return run;
    }
    int in[2];
    int out[2];
    if (pipe(in) != 0 || pipe(out) != 0) {
        run.end = DicelabRun::End::failed;
        return run;
    }
    const Clock::time_point start = Clock::now();
    const pid_t child = fork();
    if (child == 0) {
        const rlimit cap{memory, memory};
        setrlimit(RLIMIT_AS, &cap);
        dup2(in[0], STDIN_FILENO);
        dup2(out[1], STDOUT_FILENO);
        close(in[1]);
        close(out[0]);
        execl(dicelab, dicelab, "-c", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(in[0]);
    close(out[1]);
    const std::string line = program + "\n";
    const bool written = write(in[1], line.data(), line.size()) == ssize_t(line.size());
    close(in[1]);
    const std::string printed = read_until(out[0], start + limit);
    close(out[0]);
    const bool in_time = Clock::now() < start + limit;
    if (!in_time) {
        kill(child, SIGKILL);
    }
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    run.wall_seconds = std::chrono::duration<double>(Clock::now() - start).count();
    run.cpu_seconds = seconds(usage.ru_utime) + seconds(usage.ru_stime);
    const bool ok = written && in_time && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    run.end = ok ? DicelabRun::End::finished
                 : (in_time ? DicelabRun::End::failed : DicelabRun::End::timed_out);
    std::istringstream lines(printed);
    long long total = 0;
    double probability = 0.0;
    while (ok && lines >> total >> probability) {
        run.p[total] = probability;
    }
    return run;
}
