#include "shell/NetworkDiagram.h"

#include <gtest/gtest.h>

namespace kestro {
namespace {

// The picture follows the activity and, in the two-router exercises, the
// router on the console; rows are tested in order, a later match winning.
TEST(NetworkDiagram, FileNameByActivity) {
    struct Row {
        int activityKind, exerciseNumber, topologyKind;
        RouterId activeRouter;
        int currentTest;
        const char* file;
    };
    const Row rows[] = {
        {0, 0, 1, RouterId::a, 0, "ActivityNetworkDiagram.jpg"},
        {0, 6, 1, RouterId::b, 3, "ActivityNetworkDiagram.jpg"},
        {5, 1, 1, RouterId::a, 0, "troubleShooting1.jpg"},
        {5, 2, 1, RouterId::a, 0, "troubleShooting2.jpg"},
        {5, 4, 2, RouterId::a, 0, "twoRouterTopologyA_RouterA.jpg"},
        {5, 5, 2, RouterId::b, 0, "twoRouterTopologyA_RouterB.jpg"},
        {5, 6, 2, RouterId::a, 0, "twoRouterTopologyB_RouterA.jpg"},
        {5, 6, 2, RouterId::b, 0, "twoRouterTopologyB_RouterB.jpg"},
        {3, 0, 1, RouterId::a, 1, "Test1And2Diagram.jpg"},
        {4, 0, 1, RouterId::a, 2, "Test1And2Diagram.jpg"},
        {3, 0, 1, RouterId::a, 3, "Test3Diagram.jpg"},
        {3, 0, 1, RouterId::a, 0, ""},
        {1, 0, 0, RouterId::a, 1, ""},
        {2, 0, 0, RouterId::a, 3, ""},
    };
    for (const Row& r : rows)
        EXPECT_EQ(diagramFileName(static_cast<ActivityKind>(r.activityKind), r.exerciseNumber,
                                  static_cast<TopologyKind>(r.topologyKind), r.activeRouter,
                                  r.currentTest),
                  r.file)
            << "activityKind " << r.activityKind << ", exercise " << r.exerciseNumber << ", router "
            << r.activeRouter << ", test " << r.currentTest;
}

} // namespace
} // namespace kestro
