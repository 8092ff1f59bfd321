#include "PseudoTerminal.h"

#include <csignal>

#include <poll.h>
#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

namespace launchtest {

void PseudoTerminalTest::TearDown() {
    if (child > 0 && waitpid(child, nullptr, WNOHANG) == 0) {
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
    }
    if (master >= 0)
        close(master);
}

void PseudoTerminalTest::startOnTerminal(const std::vector<std::string>& argv) {
    std::vector<std::string> storage = argv;
    std::vector<char*> pointers;
    for (std::string& argument : storage)
        pointers.push_back(argument.data());
    pointers.push_back(nullptr);
    child = forkpty(&master, nullptr, nullptr, nullptr);
    ASSERT_GE(child, 0);
    if (child == 0) {
        execv(pointers[0], pointers.data());
        _exit(126);
    }
}

bool PseudoTerminalTest::readUntil(const std::string& text) {
    return waitUntil([&] {
        drain();
        return output.find(text) != std::string::npos;
    });
}

void PseudoTerminalTest::drain() {
    pollfd ready{master, POLLIN, 0};
    char buffer[4096];
    while (poll(&ready, 1, 0) > 0 && (ready.revents & POLLIN)) {
        const ssize_t got = read(master, buffer, sizeof buffer);
        if (got <= 0)
            return;
        output.append(buffer, static_cast<std::size_t>(got));
    }
}

int PseudoTerminalTest::waitForExit(std::chrono::seconds bound) {
    int status = 0;
    const bool ended = waitUntil(
        [&] {
            drain();
            return waitpid(child, &status, WNOHANG) == child;
        },
        bound);
    if (!ended)
        return -1;
    child = 0;
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

} // namespace launchtest
