// The main window's menu bar as data: the table of contents of the course.
// Captions are kept as stored ("&&" stands for one ampersand, trailing blanks
// stay); each item names what it does, and the front end only builds its
// menus from it and reports which item was chosen.
#pragma once

#include <string>
#include <vector>

namespace kestro {

class Simulator;

enum class MenuAction {
    none,            // a submenu: its children act
    guidedLab,       // argument: the lab id (the item's own control name)
    test,            // argument: "test1".."test3"
    troubleshooting, // argument: "troubleshooting1".."troubleshooting6"
    flashCards,
    studyCards,   // the front end's study window over the record
    progressView, // the front end's progress window over the record
    aboutBox,
    welcomeText, // argument: the Misc id of the text ("studyPlan", "disclaimer")
    feedbackPage,
    homePage,
};

struct MenuItem {
    std::string name;    // control name
    std::string caption; // as stored
    MenuAction action = MenuAction::none;
    std::string argument;
    std::vector<MenuItem> children;
};

// The menus in menu-bar order, each with its items.
const std::vector<MenuItem>& menuTree();

// The item with this control name anywhere in the tree, or null.
const MenuItem* findMenuItem(const std::string& name);

// The caption as shown: a stored "&&" becomes one "&".
std::string shownCaption(const std::string& stored);

// The product's web pages.
inline constexpr const char* homePageAddress = "https://kestro-router-simulator.example.org/";
inline constexpr const char* feedbackAddress =
    "https://kestro-router-simulator.example.org/feedback";

// Runs a menu item's action in the core: the loaders of labs, tests,
// exercises, flash cards and welcome texts. False for the actions a front
// end does itself (about box, web pages, the study and progress windows)
// and for submenus.
bool runMenuAction(Simulator& sim, const MenuItem& item);

// The main window's caption.
std::string mainWindowCaption();

// The caption of the menu item that opened `activityName` (a lab, test or
// exercise) as shown; empty for a name no item opens.
std::string activityCaption(const std::string& activityName);

} // namespace kestro
