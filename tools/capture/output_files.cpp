// Outputs under temporary names, renamed when the capture succeeds and removed when it does not.
#include "output_files.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

// An output claimed: its own name (a link followed) and the temporary name it is written under; for
// frames, the temporary folder inside the frames' folder.
struct Claim {
    std::string path;
    std::string temporary;
    bool frames = false;
    bool made_folder = false;  // the frames' folder was made by this capture
    bool overwrite = false;    // earlier frames in the folder are removed when the new ones are kept
};

static std::vector<Claim> claims;
static volatile std::sig_atomic_t interrupt_received = 0;

static constexpr const char* part_tag = ".part-XXXXXX";
static constexpr size_t frame_name_digits = 6;
static constexpr const char* frame_extension = ".png";

static std::string cannot(const std::string& what, const std::string& path, int error)
{
    return "cannot " + what + " " + path + ": " + std::strerror(error);
}

// "dir/name.ext" → "dir/name.part-XXXXXX.ext": the extension stays last, for ffmpeg to choose the
// container by.
static std::string temporary_pattern(const std::string& path, int* suffix_length)
{
    size_t name_start = path.rfind('/') + 1;  // 0 without a slash
    size_t dot = path.rfind('.');
    if (dot == std::string::npos || dot <= name_start) {
        *suffix_length = 0;
        return path + part_tag;
    }
    *suffix_length = int(path.size() - dot);
    return path.substr(0, dot) + part_tag + path.substr(dot);
}

// The permissions a new file gets from the process's umask.
static mode_t new_file_mode()
{
    mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

std::string claim_file(const std::string& path, std::string* why)
{
    if (path.empty() || path.back() == '/') {
        *why = "cannot write '" + path + "': not a file name";
        return "";
    }
    std::string target = path;
    mode_t mode = new_file_mode();
    struct stat status;
    if (lstat(path.c_str(), &status) == 0) {
        char* resolved = S_ISLNK(status.st_mode) ? realpath(path.c_str(), nullptr) : nullptr;
        if (S_ISLNK(status.st_mode) && (!resolved || stat(resolved, &status) != 0)) {
            std::free(resolved);
            *why = "cannot write " + path + ": a link to nothing";
            return "";
        }
        if (resolved)
            target = resolved;
        std::free(resolved);
        if (!S_ISREG(status.st_mode)) {
            *why = "cannot write " + path + ": " + (S_ISDIR(status.st_mode) ? "a folder" : "not a regular file");
            return "";
        }
        mode = status.st_mode & 07777;
    } else if (errno != ENOENT) {
        *why = cannot("write", path, errno);
        return "";
    }
    int suffix_length = 0;
    std::string temporary = temporary_pattern(target, &suffix_length);
    int file = mkstemps(temporary.data(), suffix_length);
    if (file < 0) {
        *why = cannot("write", path, errno);
        return "";
    }
    fchmod(file, mode);
    close(file);
    claims.push_back({target, temporary});
    return temporary;
}

static bool is_frame_name(const std::string& name)
{
    return name.size() == frame_name_digits + std::strlen(frame_extension)
        && name.find_first_not_of("0123456789") == frame_name_digits
        && name.compare(frame_name_digits, std::string::npos, frame_extension) == 0;
}

// The names in a folder, without "." and "..", frames only when asked.
static std::vector<std::string> names_in(const std::string& folder, bool frames_only)
{
    std::vector<std::string> names;
    if (DIR* listing = opendir(folder.c_str())) {
        while (dirent* entry = readdir(listing)) {
            std::string name = entry->d_name;
            if (name != "." && name != ".." && (!frames_only || is_frame_name(name)))
                names.push_back(name);
        }
        closedir(listing);
    }
    return names;
}

std::string claim_frame_folder(const std::string& path, bool overwrite, std::string* why)
{
    std::string folder = path;
    while (folder.size() > 1 && folder.back() == '/')
        folder.pop_back();
    struct stat status;
    bool made = false;
    if (stat(folder.c_str(), &status) == 0) {
        if (!S_ISDIR(status.st_mode)) {
            *why = "cannot write frames in " + path + ": not a folder";
            return "";
        }
        if (!overwrite && !names_in(folder, true).empty()) {
            *why = path + " holds frames of an earlier capture: give --overwrite to replace them";
            return "";
        }
    } else if (errno == ENOENT && mkdir(folder.c_str(), 0777) == 0) {
        made = true;
    } else {
        *why = cannot("make the folder", path, errno);
        return "";
    }
    std::string temporary = folder + "/" + part_tag;
    if (!mkdtemp(temporary.data())) {
        *why = cannot("write frames in", path, errno);
        if (made)
            rmdir(folder.c_str());
        return "";
    }
    claims.push_back({folder, temporary, true, made, overwrite});
    return temporary;
}

static void replace_all(std::string& text, const std::string& from, const std::string& to)
{
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
}

std::string named_as_given(std::string message)
{
    for (const Claim& claim : claims) {
        replace_all(message, "file:" + claim.temporary, claim.path);
        replace_all(message, claim.temporary, claim.path);
    }
    return message;
}

// Moves the frames into their folder, after removing the earlier ones when asked to.
static bool keep_frames(const Claim& claim, std::string* why)
{
    if (claim.overwrite)
        for (const std::string& name : names_in(claim.path, true))
            if (unlink((claim.path + "/" + name).c_str()) != 0) {
                *why = cannot("remove", claim.path + "/" + name, errno);
                return false;
            }
    for (const std::string& name : names_in(claim.temporary, false))
        if (std::rename((claim.temporary + "/" + name).c_str(), (claim.path + "/" + name).c_str()) != 0) {
            *why = cannot("name", claim.path + "/" + name, errno);
            return false;
        }
    rmdir(claim.temporary.c_str());
    return true;
}

bool keep_outputs(std::string* why)
{
    // Nothing is renamed while something has come in the way of one output since it was claimed.
    for (const Claim& claim : claims) {
        struct stat status;
        if (!claim.frames && lstat(claim.path.c_str(), &status) == 0 && !S_ISREG(status.st_mode)) {
            *why = "cannot name " + claim.path + ": no longer a regular file";
            return false;
        }
    }
    for (const Claim& claim : claims) {
        if (claim.frames) {
            if (!keep_frames(claim, why))
                return false;
        } else if (std::rename(claim.temporary.c_str(), claim.path.c_str()) != 0) {
            *why = cannot("name", claim.path, errno);
            return false;
        }
    }
    claims.clear();
    return true;
}

void discard_outputs()
{
    for (const Claim& claim : claims) {
        if (claim.frames) {
            for (const std::string& name : names_in(claim.temporary, false))
                unlink((claim.temporary + "/" + name).c_str());
            rmdir(claim.temporary.c_str());
            if (claim.made_folder)
                rmdir(claim.path.c_str());
        } else {
            unlink(claim.temporary.c_str());
        }
    }
    claims.clear();
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
