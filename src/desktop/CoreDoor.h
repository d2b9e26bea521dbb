// What a window may ask of the main window: the one door into the core and
// the few things the windows share. Windows hold this interface, not the
// main window, so none of them depends on how the main window is built.
#pragma once

#include "records/RouterState.h"
#include "shell/SidePanel.h"

#include <functional>
#include <string>

namespace kestro {

class Simulator;

class CoreDoor {
public:
    virtual ~CoreDoor() = default;

    // The core, for showing what it holds. Changes go through runCore.
    virtual Simulator& sim() = 0;
    // Runs `call` in the core, then shows what it changed. While a command
    // is running (waiting in a pause or at " --More--") the command is
    // cancelled and `call` runs once the core has returned.
    virtual void runCore(std::function<void()> call) = 0;

    // The side panel's, the two-router panel's and the flash cards' buttons.
    virtual void sidePanelClicked(SidePanelControl control) = 0;
    virtual void routerButton(RouterId target) = 0;
    // Opens the Check My Work window of the current activity.
    virtual void checkMyWork() = 0;
    // Opens the My Progress window.
    virtual void myProgress() = 0;
    // 0 "<--", 1 "Show Answer", 2 "-->".
    virtual void flashCardButton(int button) = 0;

    // A message box with an OK button.
    virtual void messageBox(const std::string& text) = 0;
    // Pen width of the frame lines around the panels.
    virtual int lineWidthPixels() const = 0;
};

} // namespace kestro
