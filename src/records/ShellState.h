// What the main window shows, as data: which lesson windows are open, the
// side panel's enabled controls and the Learn/Test choice. The loaders and
// the side-panel handlers of the core change it; the desktop program opens,
// closes and enables its widgets to match, and the terminal console reads
// the Learn/Test choice.
#pragma once

namespace kestro {

// The lesson windows a loader opens and closes (the main window and the
// side panel live for the whole run).
struct OpenWindows {
    bool TopForm = false;            // single-router instruction pane
    bool MultiRouterTopForm = false; // two-router instruction pane and buttons
    bool BottomForm = false;         // the console
    bool welcomeForm = false;
    bool flashCardForm = false;
    bool showAnswerForm = false; // the test report
    bool networkDiagramForm = false;
    bool operator==(const OpenWindows&) const = default;
};

// Enabled state of the side panel's controls, and which option is selected.
struct SidePanelState {
    bool showInstructions = false;
    bool showAnswer = false;
    bool showNetwork = false;
    bool homePageOnWeb = true;
    bool Frame1 = false; // "Instruction Mode"
    bool learnMode = false;
    bool testMode = false;
    bool learnModeSelected = true; // false: Test Mode is selected
    bool operator==(const SidePanelState&) const = default;
};

} // namespace kestro
