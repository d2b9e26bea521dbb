#include "shell/MenuTree.h"

#include "learning/Activities.h"
#include "learning/Catalogue.h"
#include "learning/FlashCards.h"
#include "learning/Instructions.h"
#include "learning/Networks.h"

#include <functional>
#include <string_view>

namespace kestro {

namespace {

MenuItem lab(std::string_view name, std::string_view caption) {
    return {std::string(name), std::string(caption), MenuAction::guidedLab, std::string(name), {}};
}

MenuItem submenu(std::string_view name, std::string_view caption, std::vector<MenuItem> children) {
    return {std::string(name), std::string(caption), MenuAction::none, {}, std::move(children)};
}

// The Labs menu from the catalogue: a lab in a group goes into the group's
// submenu, opened by the group's first lab.
MenuItem labsMenu() {
    MenuItem labs = submenu("mnuLabs", "Labs", {});
    const LabGroup* open = nullptr;
    for (const GuidedLab& each : guidedLabs()) {
        if (each.group == nullptr)
            labs.children.push_back(lab(each.name, each.caption));
        else if (each.group == open)
            labs.children.back().children.push_back(lab(each.name, each.caption));
        else
            labs.children.push_back(
                submenu(each.group->name, each.group->caption, {lab(each.name, each.caption)}));
        open = each.group;
    }
    return labs;
}

std::vector<MenuItem> buildTree() {
    MenuItem labs = labsMenu();
    MenuItem tests =
        submenu("tests", "Tests",
                {
                    {"test1", "Test 1: Router Setup", MenuAction::test, "test1", {}},
                    {"test2", "Test 2: Router Setup", MenuAction::test, "test2", {}},
                    {"test3", "Test 3: Network Configuration", MenuAction::test, "test3", {}},
                });
    MenuItem cards =
        submenu("flashCards", "Flash Cards",
                {{"loadFlashCards", "Load Flash Cards", MenuAction::flashCards, {}, {}},
                 {"studyDueCards", "Study Due Cards", MenuAction::studyCards, {}, {}}});
    std::vector<MenuItem> exercises;
    const char* names[] = {"troubleShooting1", "troubleShooting2", "troubleShooting3",
                           "troubleshooting4", "troubleshooting5", "troubleshooting6"};
    for (int i = 1; i <= 6; ++i) {
        std::string caption = "Troubleshooting " + std::to_string(i);
        if (hasTwoRouters(i))
            caption += ": Multi Router";
        exercises.push_back({names[i - 1],
                             caption,
                             MenuAction::troubleshooting,
                             "troubleshooting" + std::to_string(i),
                             {}});
    }
    MenuItem troubleshooting = submenu("troubleshooting", "Troubleshooting", exercises);
    MenuItem progress = submenu("progress", "Progress",
                                {{"myProgress", "My Progress", MenuAction::progressView, {}, {}}});
    MenuItem help = submenu(
        "mnuHelp", "Help",
        {
            {"aboutUs", "About Us", MenuAction::aboutBox, {}, {}},
            {"studyPlan", "Study Plan", MenuAction::welcomeText, "studyPlan", {}},
            {"disclaimer", "Disclaimer && Terms Of Use", MenuAction::welcomeText, "disclaimer", {}},
            {"reportBug", "Report Bug/Feedback", MenuAction::feedbackPage, feedbackAddress, {}},
            {"officialWebSite", "Official WebSite", MenuAction::homePage, homePageAddress, {}},
        });
    return {labs, tests, cards, troubleshooting, progress, help};
}

} // namespace

const std::vector<MenuItem>& menuTree() {
    static const std::vector<MenuItem> tree = buildTree();
    return tree;
}

const MenuItem* findMenuItem(const std::string& name) {
    std::function<const MenuItem*(const std::vector<MenuItem>&)> search =
        [&](const std::vector<MenuItem>& items) -> const MenuItem* {
        for (const MenuItem& item : items) {
            if (item.name == name)
                return &item;
            if (const MenuItem* found = search(item.children))
                return found;
        }
        return nullptr;
    };
    return search(menuTree());
}

std::string shownCaption(const std::string& stored) {
    std::string out;
    for (std::size_t i = 0; i < stored.size(); ++i) {
        out += stored[i];
        if (stored[i] == '&' && i + 1 < stored.size() && stored[i + 1] == '&')
            ++i;
    }
    return out;
}

bool runMenuAction(Simulator& sim, const MenuItem& item) {
    switch (item.action) {
    case MenuAction::guidedLab:
        initLabs(sim, item.argument);
        return true;
    case MenuAction::test:
        initTests(sim, item.argument);
        return true;
    case MenuAction::troubleshooting:
        inittroubleshooting(sim, item.argument);
        return true;
    case MenuAction::flashCards:
        loadFlashCards(sim);
        return true;
    case MenuAction::welcomeText:
        setText(sim, item.argument);
        return true;
    default:
        return false;
    }
}

std::string mainWindowCaption() {
    return std::string("Kestro Router Simulator (") + homePageAddress +
           "): Gain hands-on experience with networks";
}

std::string activityCaption(const std::string& activityName) {
    std::function<const MenuItem*(const std::vector<MenuItem>&)> find =
        [&](const std::vector<MenuItem>& items) -> const MenuItem* {
        for (const MenuItem& item : items) {
            if (item.children.empty() && item.action != MenuAction::none &&
                item.argument == activityName)
                return &item;
            if (const MenuItem* inside = find(item.children))
                return inside;
        }
        return nullptr;
    };
    const MenuItem* item = activityName.empty() ? nullptr : find(menuTree());
    return item == nullptr ? std::string() : shownCaption(item->caption);
}

} // namespace kestro
