#include "ConsoleGrading.h"

#include "Frontends.h"

#include "Simulator.h"
#include "console/RecordingConsole.h"
#include "learning/Activities.h"
#include "learning/Checklists.h"
#include "learning/Grading.h"
#include "learning/Instructions.h"

#include <cstdint>

namespace kestro {

namespace {

// Message boxes of a graded session are answered at once and not shown; what
// it prints, clears and pauses for is not kept from one file to the next.
class QuietIo : public RecordingConsole {
public:
    void outputAppended(std::string_view, bool) override {}
    void outputDiscarding(const OutputPane&, RouterId) override {}
    bool pause(int) override { return true; }
};

// A report label as a column name: "   3a> Setting timeout: " -> "3a> Setting timeout".
std::string columnName(std::string label) {
    label = trimBlanks(label);
    while (!label.empty() && (label.back() == ':' || label.back() == ' '))
        label.pop_back();
    return label;
}

std::string row(const std::vector<std::string>& fields) {
    std::string line;
    for (std::size_t i = 0; i < fields.size(); ++i)
        line += (i ? "," : "") + csvField(fields[i]);
    return line + "\n";
}

} // namespace

std::string csvField(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos)
        return text;
    return "\"" + replaceEvery(text, "\"", "\"\"") + "\"";
}

int gradeFiles(const GradeRequest& request, std::ostream& out, std::ostream& errors) {
    const ActivityType type = activityType(request.activity);
    if (type == ActivityType::unknown) {
        errors << "kestro-console: unknown activity " << request.activity << "\n";
        return 2;
    }
    std::string error;
    auto openStore = [&] { return ContentStore::open(request.databasePath, error); };
    QuietIo io;
    // A fresh session per file, each on its own connection to the content.
    auto session = [&]() -> std::unique_ptr<Simulator> {
        auto store = openStore();
        if (!store)
            return nullptr;
        auto sim = std::make_unique<Simulator>(io, std::move(store));
        sim->random.seed(request.seed.value_or(1));
        startActivity(*sim, request.activity);
        return sim;
    };
    std::unique_ptr<Simulator> first = session();
    if (!first) {
        errors << "kestro-console: " << error << "\n";
        return 1;
    }
    const bool test = type == ActivityType::test;
    std::vector<std::string> header = {"file"};
    if (test) {
        header.insert(header.end(), {"score", "grade"});
        for (const TestCheck& c : testChecks(*first, testNumber(request.activity)))
            if (!c.heading)
                header.push_back(columnName(c.label));
    } else {
        if (checklistProgress(*first).total == 0) {
            errors << "kestro-console: --grade: " << request.activity << " has no checklist\n";
            return 2;
        }
        for (const ChecklistItem& item : first->learning.checklist.list->items)
            header.push_back(item.text);
        header.push_back("percent");
    }
    out << row(header);

    int status = 0;
    for (const std::string& file : request.files) {
        std::string problem;
        std::optional<std::vector<ScriptKey>> keys;
        if (const auto text = readScriptFile(file, problem))
            keys = parseScript(*text, file, problem);
        if (!keys) {
            out << row({file, problem});
            status = 1;
            continue;
        }
        std::unique_ptr<Simulator> sim = first ? std::move(first) : session();
        if (!sim) {
            out << row({file, error});
            status = 1;
            continue;
        }
        runScript(*sim, io, *keys);
        std::vector<std::string> fields = {file};
        if (test) {
            const TestGrade grade =
                gradeTest(sim->liveRouter.config(), testChecks(*sim, testNumber(request.activity)));
            fields.push_back(std::to_string(grade.score()));
            fields.push_back(grade.passed() ? "Pass" : "Fail");
            for (const ReportLine& line : grade.lines)
                if (!line.heading)
                    fields.push_back(line.correct ? "Correct" : "Incorrect");
        } else {
            const ChecklistProgress p = checklistProgress(*sim);
            for (const bool met : sim->learning.checklist.met)
                fields.push_back(met ? "met" : "not met");
            fields.push_back(std::to_string(p.percent));
        }
        out << row(fields);
    }
    return status;
}

} // namespace kestro
