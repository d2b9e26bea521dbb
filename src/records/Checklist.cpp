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

// Reads a checklist line by line, adding each fault as it is met.
class ChecklistReader {
public:
    ChecklistReader(const ConditionOptions& options, std::vector<ChecklistFault>& faults)
        : options_(options), faults_(faults) {}

    void line(int number, const std::string& line) {
        if (line.empty() || line.starts_with('#'))
            return;
        const std::size_t colon = line.find(':');
        const std::string key = colon == std::string::npos ? "" : line.substr(0, colon);
        const std::string value =
            colon == std::string::npos ? "" : trimBlanks(line.substr(colon + 1));
        if (key.empty() || key.find(' ') != std::string::npos)
            fault(number, "expected \"key: value\" (item, check, feedback, hint, solution)");
        else if (value.empty())
            fault(number, "\"" + key + ":\" has no value");
        else if (key == "item")
            startItem(number, value);
        else if (key != "check" && key != "feedback" && key != "hint" && key != "solution")
            fault(number, "unknown key \"" + key + "\" (item, check, feedback, hint, solution)");
        else if (list_.items.empty())
            fault(number, "\"" + key + ":\" before the first \"item:\"");
        else
            addToItem(number, key, value);
    }

    // The list once the last line is read.
    Checklist finish(int lastLine) {
        if (list_.items.empty())
            fault(lastLine, "a checklist needs at least one item");
        else
            checkComplete(list_.items.back(), hasCondition_, faults_);
        return std::move(list_);
    }

private:
    void fault(int number, std::string message) { faults_.push_back({number, std::move(message)}); }

    void startItem(int number, const std::string& text) {
        if (!list_.items.empty())
            checkComplete(list_.items.back(), hasCondition_, faults_);
        list_.items.push_back({});
        list_.items.back().text = text;
        list_.items.back().line = number;
        hasCondition_ = false;
    }

    void addToItem(int number, const std::string& key, const std::string& value) {
        ChecklistItem& item = list_.items.back();
        if (key == "check") {
            readCheck(item, number, value);
        } else if (key == "feedback") {
            if (!item.feedback.empty())
                fault(number, "a second feedback for one item");
            item.feedback = value;
        } else if (key == "hint") {
            if (item.hints.size() == maxHints)
                fault(number, "more than three hints for one item");
            else
                item.hints.push_back(value);
        } else {
            item.solution.push_back(value);
        }
    }

    void readCheck(ChecklistItem& item, int number, const std::string& value) {
        if (hasCondition_) {
            fault(number, "a second check for one item (join terms with and)");
            return;
        }
        std::string error;
        auto condition = parseCondition(value, error, options_);
        hasCondition_ = true; // a faulty one is reported once, as faulty
        if (!condition)
            fault(number, "check: " + error);
        else
            item.condition = std::move(*condition);
    }

    const ConditionOptions& options_;
    std::vector<ChecklistFault>& faults_;
    Checklist list_;
    bool hasCondition_ = false;
};

} // namespace

std::optional<Checklist> parseChecklist(std::string_view source, const ConditionOptions& options,
                                        std::vector<ChecklistFault>& faults) {
    const std::size_t faultsBefore = faults.size();
    ChecklistReader reader(options, faults);
    int number = 0;
    std::size_t start = 0;
    while (start <= source.size()) {
        std::size_t end = source.find('\n', start);
        if (end == std::string_view::npos)
            end = source.size();
        reader.line(++number, trimBlanks(source.substr(start, end - start)));
        start = end + 1;
    }
    Checklist list = reader.finish(number);
    if (faults.size() != faultsBefore)
        return std::nullopt;
    return list;
}

} // namespace kestro
