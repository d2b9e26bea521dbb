#include "records/Checklist.h"

#include "records/Text.h"

namespace kestro {

namespace {

// Whatever an item still lacks, reported at its "item:" line.
void checkComplete(const ChecklistItem& item, bool hasCondition,
                   std::vector<ChecklistFault>& faults) {
    auto lacks = [&](const char* what) {
        faults.push_back({item.line, "the item \"" + item.text + "\" has no " + what});
    };
    if (!hasCondition)
        lacks("check");
    if (item.feedback.empty())
        lacks("feedback");
    if (item.hints.empty())
        lacks("hint");
    if (item.solution.empty())
        lacks("solution");
}

} // namespace

std::optional<Checklist> parseChecklist(std::string_view source, const ConditionOptions& options,
                                        std::vector<ChecklistFault>& faults) {
    const std::size_t faultsBefore = faults.size();
    Checklist list;
    bool hasCondition = false;
    int number = 0;
    std::size_t start = 0;
    while (start <= source.size()) {
        std::size_t end = source.find('\n', start);
        if (end == std::string_view::npos)
            end = source.size();
        const std::string line = trimBlanks(source.substr(start, end - start));
        start = end + 1;
        ++number;
        if (line.empty() || line.starts_with('#'))
            continue;
        const std::size_t colon = line.find(':');
        const std::string key = colon == std::string::npos ? "" : line.substr(0, colon);
        const std::string value =
            colon == std::string::npos ? "" : trimBlanks(line.substr(colon + 1));
        if (key.empty() || key.find(' ') != std::string::npos) {
            faults.push_back({number, "expected \"key: value\" (item, check, feedback, hint, "
                                      "solution)"});
            continue;
        }
        if (value.empty()) {
            faults.push_back({number, "\"" + key + ":\" has no value"});
            continue;
        }
        if (key == "item") {
            if (!list.items.empty())
                checkComplete(list.items.back(), hasCondition, faults);
            list.items.push_back({});
            list.items.back().text = value;
            list.items.back().line = number;
            hasCondition = false;
            continue;
        }
        if (key != "check" && key != "feedback" && key != "hint" && key != "solution") {
            faults.push_back({number, "unknown key \"" + key +
                                          "\" (item, check, feedback, hint, "
                                          "solution)"});
            continue;
        }
        if (list.items.empty()) {
            faults.push_back({number, "\"" + key + ":\" before the first \"item:\""});
            continue;
        }
        ChecklistItem& item = list.items.back();
        if (key == "check") {
            if (hasCondition) {
                faults.push_back({number, "a second check for one item (join terms with and)"});
                continue;
            }
            std::string error;
            auto condition = parseCondition(value, error, options);
            hasCondition = true; // a faulty one is reported once, as faulty
            if (!condition) {
                faults.push_back({number, "check: " + error});
                continue;
            }
            item.condition = std::move(*condition);
        } else if (key == "feedback") {
            if (!item.feedback.empty())
                faults.push_back({number, "a second feedback for one item"});
            item.feedback = value;
        } else if (key == "hint") {
            if (item.hints.size() == maxHints)
                faults.push_back({number, "more than three hints for one item"});
            else
                item.hints.push_back(value);
        } else {
            item.solution.push_back(value);
        }
    }
    if (list.items.empty())
        faults.push_back({number, "a checklist needs at least one item"});
    else
        checkComplete(list.items.back(), hasCondition, faults);
    if (faults.size() != faultsBefore)
        return std::nullopt;
    return list;
}

} // namespace kestro
