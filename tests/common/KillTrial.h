// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One kill -9 trial: a child process runs work, which never returns, and is killed with
// SIGKILL at a random moment once it has started; the test then looks at what it left.
#include <chrono>
#include <csignal>
#include <random>
#include <sys/wait.h>
#include <unistd.h>

namespace drivo::test {

// work(int ready) must write one byte to ready when it starts. False when the trial could not
// be run.
template <typename Work> bool KillTrial(Work work, std::mt19937& random, int maxMicroseconds) {
    int ready[2];
    if (pipe(ready) != 0)
        return false;
    const pid_t child = fork();
    if (child == 0)
        work(ready[1]);
    char started = 0;
    const bool running = child > 0 && read(ready[0], &started, 1) == 1;
    close(ready[0]);
    close(ready[1]);
    // Any moment is a valid one: the outcome must not depend on where the kill lands.
    const auto until =
        std::chrono::steady_clock::now() +
        std::chrono::microseconds(std::uniform_int_distribution<int>(0, maxMicroseconds)(random));
    while (std::chrono::steady_clock::now() < until) {
    }
    int status = 0;
    return running && kill(child, SIGKILL) == 0 && waitpid(child, &status, 0) == child;
}

} // namespace drivo::test
