// corvane-saver-enable: lists the hack in the calling user's xscreensaver
// settings, so that xscreensaver-settings offers Corvane.
//
// Adds kCorvaneEntry to the `programs` list of ~/.xscreensaver (xscreensaver_
// list.h), or makes the file with only that list when there is none. Run
// again, it changes nothing. The file as it was is kept beside it as
// ~/.xscreensaver.corvane-backup, and the new one replaces it in one rename,
// keeping its permissions. A file that is a symbolic link, not a regular
// file, not the user's own, unreadable, larger than 1 MiB or not in
// xscreensaver's format is left untouched: one line on standard error says
// why, and the status is 1. Success prints what was done and ends with 0.
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "saver/linux/xscreensaver_list.h"

namespace {

constexpr off_t kLargestFile = 1 << 20;

const char kUsage[] =
    "usage: corvane-saver-enable [--help | --version]\n"
    "Adds \"GL: corvane-saver --root\" to the programs of your ~/.xscreensaver.\n";

std::string HomeDirectory() {
    const char* home = std::getenv("HOME");
    if (home != nullptr && *home != '\0') return home;
    const passwd* user = getpwuid(getuid());
    return user != nullptr && user->pw_dir != nullptr ? user->pw_dir : "";
}

// Reads the file at `path` if it is the user's own regular file. `exists` is
// false (and the text empty) when there is no file yet.
bool ReadOwnFile(const std::string& path, std::string& text, bool& exists, mode_t& mode, std::string& reason) {
    exists = false;
    const int fd = open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        if (errno == ENOENT) return true;
        reason = errno == ELOOP ? "it is a symbolic link, which this command does not follow"
                                : std::string("cannot read it: ") + std::strerror(errno);
        return false;
    }
    struct stat status {};
    bool ok = fstat(fd, &status) == 0;
    if (!ok) {
        reason = std::string("cannot read it: ") + std::strerror(errno);
    } else if (!S_ISREG(status.st_mode)) {
        reason = "it is not a regular file";
        ok = false;
    } else if (status.st_uid != geteuid()) {
        reason = "it belongs to user id " + std::to_string(status.st_uid) + ", not to you";
        ok = false;
    } else if (status.st_size > kLargestFile) {
        reason = "it is larger than 1 MiB, which no xscreensaver settings file is";
        ok = false;
    }
    char buffer[8192];
    while (ok) {
        const ssize_t got = read(fd, buffer, sizeof buffer);
        if (got == 0) break;
        if (got < 0 && errno == EINTR) continue;
        if (got < 0 || text.size() + static_cast<size_t>(got) > static_cast<size_t>(kLargestFile)) {
            reason = got < 0 ? std::string("cannot read it: ") + std::strerror(errno) : "it grew past 1 MiB";
            ok = false;
            break;
        }
        text.append(buffer, static_cast<size_t>(got));
    }
    close(fd);
    exists = ok;
    mode = status.st_mode & 07777;
    return ok;
}

// Puts `text` at `path` in one rename, from a new file beside it (never
// through a link someone left at either name).
bool WriteReplacing(const std::string& path, const std::string& text, mode_t mode, std::string& reason) {
    const std::string temporary = path + ".corvane-new";
    unlink(temporary.c_str());
    int failure = 0;  // the errno of the first step that failed
    const int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0 || fchmod(fd, mode) != 0) failure = errno;
    for (size_t done = 0; failure == 0 && done < text.size();) {
        const ssize_t wrote = write(fd, text.data() + done, text.size() - done);
        if (wrote < 0 && errno == EINTR) continue;
        if (wrote <= 0) failure = wrote < 0 ? errno : EIO;
        else done += static_cast<size_t>(wrote);
    }
    if (failure == 0 && fsync(fd) != 0) failure = errno;
    if (fd >= 0 && close(fd) != 0 && failure == 0) failure = errno;
    if (failure == 0 && rename(temporary.c_str(), path.c_str()) != 0) failure = errno;
    if (failure != 0) {
        reason = "cannot write " + path + ": " + std::strerror(failure);
        unlink(temporary.c_str());
    }
    return failure == 0;
}

int Refuse(const std::string& path, const std::string& reason) {
    std::fprintf(stderr, "corvane-saver-enable: %s: %s; nothing was changed\n", path.c_str(), reason.c_str());
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::strcmp(argv[1], "--help") == 0) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::printf("corvane-saver-enable %s\n", CORVANE_VERSION);
        return 0;
    }
    if (argc != 1) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    const std::string home = HomeDirectory();
    if (home.empty()) return Refuse("~/.xscreensaver", "cannot tell your home directory");
    const std::string path = home + "/.xscreensaver";

    std::string text, updated, reason;
    bool exists = false;
    mode_t mode = 0644;
    if (!ReadOwnFile(path, text, exists, mode, reason)) return Refuse(path, reason);
    switch (AddCorvaneEntry(text, updated, reason)) {
    case ListEdit::Refused:
        return Refuse(path, "not an xscreensaver settings file: " + reason);
    case ListEdit::AlreadyListed:
        std::printf("%s already lists corvane-saver; nothing was changed.\n", path.c_str());
        return 0;
    case ListEdit::Added:
        break;
    }
    const std::string backup = path + ".corvane-backup";
    if (exists && !WriteReplacing(backup, text, mode, reason)) return Refuse(path, reason);
    if (!WriteReplacing(path, updated, exists ? mode : 0644, reason)) return Refuse(path, reason);
    std::printf("Added \"%s\" to the programs in %s%s.\n", kCorvaneEntry, path.c_str(),
                exists ? (" (the file before is kept as " + backup + ")").c_str() : "");
    return 0;
}
