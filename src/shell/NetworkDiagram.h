// The network diagram viewer's rules: which picture belongs to the current
// activity, and how the viewport and its scroll bars fit a picture.
#pragma once

#include "SimulatorRecords.h"
#include "records/RouterState.h"

#include <string>

namespace kestro {

// The picture's file name (without folder) for the activity, or empty when
// the activity has no diagram.
std::string diagramFileName(ActivityKind activityKind, int exerciseNumber,
                            TopologyKind topologyKind, RouterId activeRouter, int currentTest);

struct DiagramScrollBar {
    bool visible = false;
    int maximum = 0;   // scroll range, at most 32767
    int scale = 1;     // picture pixels per scroll unit
    int largeStep = 0; // maximum / 10
    int smallStep = 0; // maximum / 25
    // How far the picture moves for a scroll value.
    int offsetFor(int value) const;
};

struct DiagramLayout {
    // The viewport inside the window.
    int left = 0, top = 0, width = 0, height = 0;
    DiagramScrollBar horizontal, vertical;
};

// The viewport takes 0.9 x 0.8 of the window, centred, shrinks to a smaller
// picture and is centred again; a picture larger than the viewport gets
// scroll bars whose range is the part that does not fit. Ranges beyond what
// a 16-bit scroll bar holds are scaled down. A missing picture (0 x 0) gives
// an empty viewport without scroll bars.
DiagramLayout diagramLayout(int windowWidth, int windowHeight, int imageWidth, int imageHeight);

} // namespace kestro
