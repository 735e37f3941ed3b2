// Partial output files, renamed when the capture succeeds and removed when it does not.
#include "output_files.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <vector>

static std::vector<std::string> claimed;  // final names; their partial files exist
static volatile std::sig_atomic_t interrupt_received = 0;

std::string partial_path(const std::string& path)
{
    size_t slash = path.rfind('/');
    size_t dot = path.rfind('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash) || dot == slash + 1)
        return path + ".part";
    return path.substr(0, dot) + ".part" + path.substr(dot);
}

bool claim_output(const std::string& path, std::string* why)
{
    int file = open(partial_path(path).c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (file < 0) {
        *why = "cannot write " + path + ": " + std::strerror(errno);
        return false;
    }
    close(file);
    claimed.push_back(path);
    return true;
}

bool keep_outputs(std::string* why)
{
    for (const std::string& path : claimed)
        if (std::rename(partial_path(path).c_str(), path.c_str()) != 0) {
            *why = "cannot name " + path + ": " + std::strerror(errno);
            return false;
        }
    claimed.clear();
    return true;
}

void discard_outputs()
{
    for (const std::string& path : claimed)
        unlink(partial_path(path).c_str());
    claimed.clear();
}

static void note_interrupt(int) { interrupt_received = 1; }

void watch_for_interrupts()
{
    struct sigaction action {};
    action.sa_handler = note_interrupt;
    sigemptyset(&action.sa_mask);
    action.sa_flags = 0;  // no SA_RESTART: a blocked write or wait returns at once
    // A signal ignored from the start stays ignored, as for a job a script puts in the background.
    for (int signal_number : {SIGINT, SIGTERM, SIGHUP}) {
        struct sigaction previous {};
        sigaction(signal_number, nullptr, &previous);
        if (previous.sa_handler != SIG_IGN)
            sigaction(signal_number, &action, nullptr);
    }
    std::signal(SIGPIPE, SIG_IGN);
}

bool interrupted() { return interrupt_received != 0; }
