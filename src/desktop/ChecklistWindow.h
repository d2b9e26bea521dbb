// Check My Work: the current activity's checklist, item by item, with a
// Hint button that reveals the next hint of the first step not yet done.
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class QTextEdit;

namespace kestro {

class CoreDoor;

class ChecklistWindow : public QDialog {
    Q_OBJECT
public:
    explicit ChecklistWindow(CoreDoor& main, QWidget* parent = nullptr);
    // Shows what the core holds now.
    void sync();

    QLabel* progressLine;
    QTextEdit* items;
    QPushButton* hint;
    QPushButton* closeButton;

private:
    CoreDoor& main_;
    QString shown_;
};

} // namespace kestro
