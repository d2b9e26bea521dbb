// The activities of the main menu by name: guided labs, tests and
// troubleshooting exercises.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kestro {

// The guided labs of the main menu, in menu order.
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
