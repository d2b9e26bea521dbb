// My Progress: what the study record keeps, shown from the core's overview
// (labs per topic, tests with their score history, exercises repaired,
// cards due, time studied) with Reset, Export and Import.
#pragma once

#include <QDialog>

#include <functional>

class QHBoxLayout;
class QLabel;
class QPushButton;
class QTabWidget;
class QTableWidget;
class QVBoxLayout;

namespace kestro {

class CoreDoor;
class Record;
struct ProgressOverview;

class ProgressWindow : public QDialog {
    Q_OBJECT
public:
    ProgressWindow(CoreDoor& main, Record& record, QWidget* parent = nullptr);
    // Shows what the record holds now.
    void refresh();

    // Tests answer the questions and the file choices instead of a person.
    std::function<bool(const QString& question)> confirmHook;
    std::function<QString(bool forSaving)> fileHook;

signals:
    // Progress was reset or imported: the menus' ticks follow.
    void recordChanged();

private:
    QWidget* buildActivitiesTab();
    QHBoxLayout* buildButtons();
    bool confirm(const QString& question);
    QString chooseFile(bool forSaving);
    void tell(const QString& text);
    void resetAll();
    void resetSelected();
    void exportRecord();
    void importRecord();
    void fillOverview(const ProgressOverview& o);
    void fillTests(const ProgressOverview& o);
    void fillActivities(const ProgressOverview& o);

    CoreDoor& main_;
    Record& record_;
    QTabWidget* tabs_;
    QWidget* overview_;
    QWidget* tests_;
    QTableWidget* activities_;
    QPushButton* resetSelected_;
};

} // namespace kestro
