#include "shell/NetworkDiagram.h"

#include "learning/Networks.h"

#include <algorithm>
#include <cmath>

namespace kestro {

std::string diagramFileName(ActivityKind activityKind, int exerciseNumber,
                            TopologyKind topologyKind, RouterId activeRouter, int currentTest) {
    // Tested in this order; a later match replaces an earlier one.
    std::string file;
    if (activityKind == ActivityKind::lab)
        file = "ActivityNetworkDiagram.jpg";
    if (activityKind == ActivityKind::exercise) {
        if (hasTwoRouters(exerciseNumber)) {
            // Exercises 4 and 5 share network A; exercise 6 has network B.
            const std::string network = exerciseNumber == 6 ? "B_" : "A_";
            file = "twoRouterTopology" + network + std::string(routerName(activeRouter)) + ".jpg";
        }
        if (topologyKind == TopologyKind::singleRouter && exerciseNumber == 1)
            file = "troubleShooting1.jpg";
        if (topologyKind == TopologyKind::singleRouter &&
            (exerciseNumber == 2 || exerciseNumber == 3))
            file = "troubleShooting2.jpg";
    }
    if (activityKind == ActivityKind::test || activityKind == ActivityKind::report) {
        if (currentTest == 1 || currentTest == 2)
            file = "Test1And2Diagram.jpg";
        if (currentTest == 3)
            file = "Test3Diagram.jpg";
    }
    return file;
}

int DiagramScrollBar::offsetFor(int value) const {
    return std::clamp(value, 0, maximum) * scale;
}

namespace {

DiagramScrollBar scrollBarFor(int excess) {
    DiagramScrollBar bar;
    if (excess <= 0)
        return bar;
    constexpr int limit = 32767;
    bar.visible = true;
    bar.scale = (excess + limit - 1) / limit;
    bar.maximum = (excess + bar.scale - 1) / bar.scale;
    bar.largeStep = std::max(1, static_cast<int>(std::lround(bar.maximum / 10.0)));
    bar.smallStep = std::max(1, static_cast<int>(std::lround(bar.maximum / 25.0)));
    return bar;
}

} // namespace

DiagramLayout diagramLayout(int windowWidth, int windowHeight, int imageWidth, int imageHeight) {
    DiagramLayout l;
    l.width = static_cast<int>(windowWidth * 0.9);
    l.height = static_cast<int>(windowHeight * 0.8);
    if (imageWidth <= 0 || imageHeight <= 0) {
        imageWidth = 0;
        imageHeight = 0;
    }
    l.height = std::min(l.height, imageHeight);
    l.width = std::min(l.width, imageWidth);
    l.left = (windowWidth - l.width) / 2;
    l.top = (windowHeight - l.height) / 2;
    l.horizontal = scrollBarFor(imageWidth - l.width);
    l.vertical = scrollBarFor(imageHeight - l.height);
    return l;
}

} // namespace kestro
