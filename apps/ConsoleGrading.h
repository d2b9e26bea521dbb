// kestro-console --grade: a teacher marks a class at once. Each keystroke
// file is typed into a fresh session of the activity and graded as --report
// (a test) or --check (a lab or an exercise) would; one CSV row per file.
#pragma once

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace kestro {

struct GradeRequest {
    std::string activity;
    std::vector<std::string> files;
    std::string databasePath;
    std::optional<std::uint32_t> seed;
};

// Writes the header and one row per file to `out`. Answers the exit status:
// 0 when every file was read, 1 when one was not (its row carries the
// error), 2 for an activity that cannot be graded (message on `errors`).
int gradeFiles(const GradeRequest& request, std::ostream& out, std::ostream& errors);

// A CSV field: quoted when it holds a comma, a quote or a line end.
std::string csvField(const std::string& text);

} // namespace kestro
