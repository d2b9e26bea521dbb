// The activities of the main menu by name: guided labs, tests and
// troubleshooting exercises.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kestro {

// A submenu of the Labs menu: its control name and caption (as stored).
struct LabGroup {
    std::string_view name;
    std::string_view caption;
};

// A guided lab: its name (also its menu item's control name), its menu
// caption as stored, and the submenu it sits in (null: the Labs menu itself).
// A group's labs follow one another.
struct GuidedLab {
    std::string_view name;
    std::string_view caption;
    const LabGroup* group = nullptr;
};

// The guided labs in menu order: the one list the Labs menu is built from.
const std::vector<GuidedLab>& guidedLabs();
// Their names, in the same order.
const std::vector<std::string>& guidedLabNames();
// Every name startActivity accepts: the guided labs, "test1".."test3",
// "troubleshooting1".."troubleshooting6".
const std::vector<std::string>& activityNames();

enum class ActivityType { unknown, guidedLab, test, troubleshooting };
// "lab" counts as a guided lab.
ActivityType activityType(std::string_view name);

// "test1".."test3" -> 1..3; 0 for any other name.
long testNumber(std::string_view name);

} // namespace kestro
