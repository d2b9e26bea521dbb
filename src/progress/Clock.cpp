#include "progress/Clock.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace kestro {

namespace {

using namespace std::chrono;

// Reads exactly `digits` decimal digits at `pos`.
bool number(std::string_view text, std::size_t& pos, int digits, int& value) {
    if (pos + static_cast<std::size_t>(digits) > text.size())
        return false;
    value = 0;
    for (int i = 0; i < digits; ++i) {
        const char c = text[pos++];
        if (c < '0' || c > '9')
            return false;
        value = value * 10 + (c - '0');
    }
    return true;
}

bool expect(std::string_view text, std::size_t& pos, char c) {
    if (pos >= text.size() || text[pos] != c)
        return false;
    ++pos;
    return true;
}

} // namespace

std::optional<StudyTime> parseStudyTime(std::string_view text) {
    std::size_t pos = 0;
    int y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0;
    if (!number(text, pos, 4, y) || !expect(text, pos, '-') || !number(text, pos, 2, mo) ||
        !expect(text, pos, '-') || !number(text, pos, 2, d))
        return std::nullopt;
    const year_month_day date{year{y}, month{static_cast<unsigned>(mo)},
                              day{static_cast<unsigned>(d)}};
    if (!date.ok())
        return std::nullopt;
    int offsetMinutes = 0;
    if (pos < text.size()) {
        if (text[pos] != 'T' && text[pos] != ' ')
            return std::nullopt;
        ++pos;
        if (!number(text, pos, 2, h) || !expect(text, pos, ':') || !number(text, pos, 2, mi))
            return std::nullopt;
        if (pos < text.size() && text[pos] == ':' && !(++pos, number(text, pos, 2, s)))
            return std::nullopt;
        if (h > 23 || mi > 59 || s > 59)
            return std::nullopt;
        if (pos < text.size() && text[pos] == 'Z') {
            ++pos;
        } else if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
            const int sign = text[pos++] == '-' ? -1 : 1;
            int oh = 0, om = 0;
            if (!number(text, pos, 2, oh) || !expect(text, pos, ':') || !number(text, pos, 2, om) ||
                oh > 23 || om > 59)
                return std::nullopt;
            offsetMinutes = sign * (oh * 60 + om);
        }
        if (pos != text.size())
            return std::nullopt;
    }
    return StudyTime{sys_days{date}} + hours{h} + minutes{mi - offsetMinutes} + seconds{s};
}

StudyTime studyNow() {
    if (const char* text = std::getenv("KESTRO_NOW"); text && *text)
        if (auto parsed = parseStudyTime(text))
            return *parsed;
    return floor<seconds>(system_clock::now());
}

std::string isoTime(StudyTime time) {
    const sys_days dayPart = floor<days>(time);
    const year_month_day date{dayPart};
    const hh_mm_ss clock{time - dayPart};
    char text[64];
    std::snprintf(
        text, sizeof text, "%04d-%02u-%02uT%02ld:%02ld:%02ldZ", int(date.year()),
        unsigned(date.month()), unsigned(date.day()), static_cast<long>(clock.hours().count()),
        static_cast<long>(clock.minutes().count()), static_cast<long>(clock.seconds().count()));
    return text;
}

std::string isoDate(StudyTime time) {
    return isoTime(time).substr(0, 10);
}

int calendarDaysBetween(StudyTime from, StudyTime to) {
    return static_cast<int>((floor<days>(to) - floor<days>(from)).count());
}

StudyTime startOfLocalDay(StudyTime time) {
    const std::time_t t = time.time_since_epoch().count();
    std::tm local{};
    localtime_r(&t, &local);
    local.tm_hour = 0;
    local.tm_min = 0;
    local.tm_sec = 0;
    local.tm_isdst = -1;
    return StudyTime{seconds{std::mktime(&local)}};
}

StudyTime endOfLocalDay(StudyTime time) {
    const std::time_t t = time.time_since_epoch().count();
    std::tm local{};
    localtime_r(&t, &local);
    local.tm_mday += 1;
    local.tm_hour = 0;
    local.tm_min = 0;
    local.tm_sec = 0;
    local.tm_isdst = -1;
    return StudyTime{seconds{std::mktime(&local)}};
}

} // namespace kestro
