// The study record's clock. Every date it keeps comes from studyNow(), which
// KESTRO_NOW (an ISO date and time) overrides so that dates can be tested.
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

namespace kestro {

using StudyTime = std::chrono::sys_seconds;

// KESTRO_NOW when it is set and readable, else the system clock.
StudyTime studyNow();

// "2026-03-04", "2026-03-04T09:30", "2026-03-04T09:30:15" or
// "2026-03-04 09:30:15", each optionally followed by "Z" or an offset such as
// "+02:00". A time without a zone is taken as UTC, so a written date means
// the same on every machine. Empty for anything else.
std::optional<StudyTime> parseStudyTime(std::string_view text);

// "2026-03-04T09:30:15Z".
std::string isoTime(StudyTime time);
// "2026-03-04" (UTC).
std::string isoDate(StudyTime time);

// Whole calendar days (UTC) from the day of `from` to the day of `to`:
// 23:59 to 00:01 the next day is one day.
int calendarDaysBetween(StudyTime from, StudyTime to);

// The first second of the local calendar day after the one holding `time`:
// what counts as due "today".
StudyTime endOfLocalDay(StudyTime time);
// The first second of the local day holding `time`.
StudyTime startOfLocalDay(StudyTime time);

} // namespace kestro
