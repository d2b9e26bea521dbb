// The one place where an unexpected failure inside a named operation is
// recorded and announced, and the launcher of web pages.
#pragma once

#include "platform/AppFolder.h"

#include <chrono>
#include <ctime>
#include <functional>
#include <string>
#include <vector>

namespace kestro {

using MessageBoxFn = std::function<void(const std::string& text)>;

class ErrorLog {
public:
    // appFolder: the folder of the executable. The log goes to
    // appFolder/ErrorLog.txt, or to the per-user data folder when that
    // cannot be written.
    ErrorLog(std::string appFolder, MessageBoxFn messageBox);

    // Records one failure and tells the user. Never throws, never ends the
    // program, even when no log file can be written.
    void logError(const std::string& operationName, int number, const std::string& description);

    // While a batch is open (one command) a failure repeated in it is
    // recorded once, with its count, and the batch is announced with one
    // message box when it closes: a failing lookup met on every line of a
    // listing must not raise a box per line. Batches nest; the outermost
    // one writes.
    class Batch {
    public:
        explicit Batch(ErrorLog& log) : log_(log) { ++log_.batchDepth_; }
        ~Batch() {
            if (--log_.batchDepth_ == 0)
                log_.flush();
        }
        Batch(const Batch&) = delete;
        Batch& operator=(const Batch&) = delete;

    private:
        ErrorLog& log_;
    };

    // Set again at start-up: the first record of a run replaces the old log.
    bool firstError = true;

    // Where the last record was written (empty until then or when nothing
    // could be written).
    const std::string& lastLogPath() const { return lastLogPath_; }
    std::string primaryLogPath() const;
    // $XDG_DATA_HOME/kestro/ErrorLog.txt, or ~/.local/share/kestro/ErrorLog.txt.
    static std::string fallbackLogPath();

private:
    bool writeRecord(const std::string& path, bool truncate, const std::string& record);
    // Writes one record (lastLogPath_ tells where it went).
    void record(const std::string& operationName, int number, const std::string& description,
                int count);
    void announce();
    void flush();

    struct Pending {
        std::string operationName;
        int number;
        std::string description;
        int count;
    };
    int batchDepth_ = 0;
    std::vector<Pending> pending_;

    std::string appFolder_;
    MessageBoxFn messageBox_;
    std::string lastLogPath_;
};

// Opens the address in the desktop's default browser; when that is
// impossible tells the user "Unable to open browser.Please visit " + address.
// `launcher` runs the opener command and answers whether it succeeded; the
// default starts xdg-open.
using BrowserLauncher = std::function<bool(const std::string& address)>;
void openBrowser(const std::string& address, const MessageBoxFn& messageBox,
                 const BrowserLauncher& launcher = {});

// Starts argv[0] (looked up on PATH, never through a shell) with the other
// elements as its arguments, its standard streams on /dev/null, and waits at
// most `patience` for it. True when it ended with status 0 or is still running
// then (an opener may stay with the browser); a late child is reaped in the
// background, so none is left a zombie.
bool startProgram(const std::vector<std::string>& argv, std::chrono::milliseconds patience);

// "12/8/2026 3:04:05 AM": the time stamp of a log record.
std::string formatLogTime(const std::tm& local);

} // namespace kestro
