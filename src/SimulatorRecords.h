// The simulator's own values apart from the routers, grouped by who writes
// them: the network an activity runs on, the activity itself, and the
// console's dialogue. Plain data with no dependencies, so the networks table
// and the tools can use the kinds without a simulator.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace kestro {

// The network the routers sit in. The numbers are the ones the activity
// tables and the diagram rules were written with.
enum class TopologyKind : int {
    none = 0,         // no activity yet
    singleRouter = 1, // one simulated router facing a fixed neighbour
    twoRouters = 2,   // RouterA's Serial0 joined to RouterB's Serial1
};

// What the main window currently shows.
enum class ActivityKind : int {
    lab = 0,
    welcome = 1,
    flashCards = 2,
    test = 3,
    report = 4,
    exercise = 5,
};

// Parameters of the current activity's network (dotted quads). An activity
// writes only the values its network names; the others keep what the
// previous activity left.
struct TopologyValues {
    TopologyKind kind = TopologyKind::none;
    std::string lanAHost1, lanAHost2, lanANetwork;
    std::string lanBHost1, lanBHost2, lanBNetwork;
    std::string neighbourSerialAddress, neighbourLanAddress, neighbourLanMask;
    std::string linkNetwork;
};

struct ActivityValues {
    ActivityKind kind = ActivityKind::lab;
    int exerciseNumber = 0; // 1-6 once an exercise has run
    // The live router is the one a guided lab left, so the next lab may go on
    // with it; a test or an exercise builds routers of its own.
    bool labRouterLive = false;
};

// What the next Enter means.
enum class InputState {
    Normal,
    ConfigureQuestion,
    EnableSecretPassword,
    EnablePassword,
    LoginPassword,
    BannerText,
    ReloadConfirm,
    CopyQuestion,
    Paging,
};

// The questions whose answer is a password, typed without being shown.
inline bool isPasswordEntry(InputState state) {
    return state == InputState::EnableSecretPassword || state == InputState::EnablePassword ||
           state == InputState::LoginPassword;
}

// The file transfer a copy from a TFTP server is asking about. It lives only
// from the host question to the last answer, and each answer is written
// before it is read, so one request serves both routers.
struct TftpRequest {
    std::string host;
    std::string sourceFile;
    std::string destinationFile;
};

// The console's dialogue between key presses: which question is open, the
// escape and banner entry in progress, the help listing's emphasis.
struct ConsoleValues {
    InputState inputState = InputState::Normal;
    bool escPending = false;
    int lastKeyChar = 0;
    std::string bannerKind; // "motd", "exec" or "login" while banner text is entered
    char bannerDelimiter = 0;
    std::string bannerText; // text accumulated so far
    TftpRequest tftpRequest;
    bool helpEmphasis = false;
    std::string helpTemplate;
    // Where the "^" of an invalid-input message goes while a command runs.
    std::optional<std::size_t> invalidMarker;
    // What is typed at a password prompt: kept here, never shown.
    std::string concealed;
    std::string bootText;
};

} // namespace kestro
