#include "platform/ErrorLog.h"

#include <fcntl.h>
#include <pwd.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <thread>

extern char** environ;

namespace kestro {

namespace {

const char* const errorSentence =
    "The Application encountered an error. Behavior maybe unpredictable.";

// One line of the log: the text in double quotes. A line break inside the
// text would split the record, so it becomes a blank.
std::string quoted(const std::string& text) {
    std::string line = "\"";
    for (char c : text)
        line += (c == '\n' || c == '\r') ? ' ' : c;
    line += "\"\n";
    return line;
}

bool writeAll(int fd, const std::string& data) {
    const char* p = data.data();
    std::size_t left = data.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        p += n;
        left -= static_cast<std::size_t>(n);
    }
    return true;
}

std::string homeFolder() {
    if (const char* home = std::getenv("HOME"); home && *home)
        return home;
    // Without HOME (started by a service manager, say) ask the user database.
    std::vector<char> buffer(16384);
    passwd entry{};
    passwd* found = nullptr;
    if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found &&
        found->pw_dir && *found->pw_dir)
        return found->pw_dir;
    return {};
}

} // namespace

ErrorLog::ErrorLog(std::string appFolder, MessageBoxFn messageBox)
    : appFolder_(std::move(appFolder)), messageBox_(std::move(messageBox)) {}

std::string ErrorLog::primaryLogPath() const {
    if (!appFolder_.empty() && appFolder_.back() == '/')
        return appFolder_ + "ErrorLog.txt";
    return appFolder_ + "/ErrorLog.txt";
}

std::string ErrorLog::fallbackLogPath() {
    // A relative XDG_DATA_HOME is invalid and must be ignored.
    if (const char* data = std::getenv("XDG_DATA_HOME"); data && data[0] == '/')
        return std::string(data) + "/kestro/ErrorLog.txt";
    const std::string home = homeFolder();
    if (home.empty())
        return {};
    return home + "/.local/share/kestro/ErrorLog.txt";
}

bool ErrorLog::writeRecord(const std::string& path, bool truncate, const std::string& record) {
    if (path.empty())
        return false;
    const int flags = O_WRONLY | O_CREAT | O_CLOEXEC | (truncate ? O_TRUNC : O_APPEND);
    const int fd = ::open(path.c_str(), flags, 0644);
    if (fd < 0)
        return false;
    const bool written = writeAll(fd, record);
    const bool closed = ::close(fd) == 0;
    return written && closed;
}

void ErrorLog::logError(const std::string& operationName, int number,
                        const std::string& description) {
    // The logger is what runs when something has already gone wrong: it must
    // not add a failure of its own.
    try {
        if (batchDepth_ > 0) {
            for (Pending& p : pending_) {
                if (p.operationName == operationName && p.number == number &&
                    p.description == description) {
                    ++p.count;
                    return;
                }
            }
            pending_.push_back({operationName, number, description, 1});
            return;
        }
        record(operationName, number, description, 1);
        announce();
    } catch (...) {
    }
}

void ErrorLog::flush() {
    try {
        if (pending_.empty())
            return;
        std::vector<Pending> batch;
        batch.swap(pending_);
        for (const Pending& p : batch)
            record(p.operationName, p.number, p.description, p.count);
        announce();
    } catch (...) {
    }
}

void ErrorLog::record(const std::string& operationName, int number, const std::string& description,
                      int count) {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);

    std::string record;
    record += quoted("Error Occurred at " + formatLogTime(local));
    record += quoted("In function " + operationName);
    record += quoted(" Error number  =" + std::to_string(number));
    std::string text = " Description : " + description;
    if (count > 1)
        text += " (" + std::to_string(count) + " times in one command)";
    record += (quoted)(text); // not std::quoted, which a named string would find
    record += quoted(" ");
    record += quoted(" ");

    lastLogPath_.clear();
    const std::string primary = primaryLogPath();
    if (writeRecord(primary, firstError, record)) {
        lastLogPath_ = primary;
    } else {
        const std::string fallback = fallbackLogPath();
        if (!fallback.empty()) {
            std::error_code ignored;
            std::filesystem::create_directories(std::filesystem::path(fallback).parent_path(),
                                                ignored);
            if (writeRecord(fallback, firstError, record))
                lastLogPath_ = fallback;
        }
    }
    // Only a record that was written ends the first one: otherwise the
    // next record would be appended to a previous run's log.
    if (!lastLogPath_.empty())
        firstError = false;
}

void ErrorLog::announce() {
    if (!messageBox_)
        return;
    std::string text = std::string(errorSentence) + "\n";
    if (!lastLogPath_.empty())
        text += " Please see details at " + lastLogPath_;
    else
        text += " The error could not be written to " + primaryLogPath() + ".";
    messageBox_(text);
}

std::string formatLogTime(const std::tm& local) {
    int hour = local.tm_hour % 12;
    if (hour == 0)
        hour = 12;
    char text[64];
    std::snprintf(text, sizeof text, "%d/%d/%d %d:%02d:%02d %s", local.tm_mon + 1, local.tm_mday,
                  local.tm_year + 1900, hour, local.tm_min, local.tm_sec,
                  local.tm_hour < 12 ? "AM" : "PM");
    return text;
}

bool startProgram(const std::vector<std::string>& argv, std::chrono::milliseconds patience) {
    if (argv.empty() || argv.front().empty())
        return false;
    std::vector<char*> args;
    args.reserve(argv.size() + 1);
    for (const std::string& arg : argv)
        args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);

    // The opener must not write into the console the student is looking at.
    posix_spawn_file_actions_t actions;
    if (posix_spawn_file_actions_init(&actions) != 0)
        return false;
    bool prepared = true;
    for (int fd = 0; fd <= 2; ++fd)
        prepared =
            prepared && posix_spawn_file_actions_addopen(&actions, fd, "/dev/null",
                                                         fd == 0 ? O_RDONLY : O_WRONLY, 0) == 0;
    pid_t pid = -1;
    const int spawned =
        prepared ? posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), environ) : -1;
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        return false;

    const auto deadline = std::chrono::steady_clock::now() + patience;
    for (;;) {
        int status = 0;
        const pid_t done = ::waitpid(pid, &status, WNOHANG);
        if (done == pid)
            return WIFEXITED(status) && WEXITSTATUS(status) == 0;
        if (done < 0 && errno != EINTR)
            return false; // someone else reaped it; nothing tells how it ended
        if (std::chrono::steady_clock::now() >= deadline)
            break;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }

    // Still running: let it go on and collect it whenever it ends.
    try {
        std::thread([pid] {
            int status = 0;
            while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
            }
        }).detach();
    } catch (...) {
    }
    return true;
}

void openBrowser(const std::string& address, const MessageBoxFn& messageBox,
                 const BrowserLauncher& launcher) {
    bool opened = false;
    try {
        if (launcher) {
            opened = launcher(address);
        } else {
            // An address starting with '-' would be read as an option.
            opened = !address.empty() && address.front() != '-' &&
                     startProgram({"xdg-open", address}, std::chrono::seconds(3));
        }
    } catch (...) {
        opened = false;
    }
    if (!opened && messageBox)
        messageBox("Unable to open browser.Please visit " + address);
}

} // namespace kestro
