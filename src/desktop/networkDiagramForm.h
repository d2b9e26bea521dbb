// The network diagram of the current activity in a viewport with scroll bars.
#pragma once

#include "shell/NetworkDiagram.h"

#include <QPixmap>
#include <QWidget>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QScrollBar;

namespace kestro {

class CoreDoor;

class networkDiagramForm : public QWidget {
    Q_OBJECT
public:
    explicit networkDiagramForm(CoreDoor& main, QWidget* parent = nullptr);
    // Loads the picture the core's activity values name.
    void sync();
    // Shows the picture file at `path` (missing: an empty viewport).
    void loadPicture(const QString& path);
    const QString& pictureFile() const { return file_; }

    QWidget* Picture1;
    QLabel* Picture2;
    QScrollBar* HScroll1;
    QScrollBar* VScroll1;
    // Says which picture is missing; the viewport itself stays empty.
    QLabel* missingNote;
    // The diagram in words, for a reader who cannot see the picture; the
    // button switches between the two.
    QPlainTextEdit* topologyText;
    QPushButton* showAsText;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void layoutViewport();
    void showText(bool on);
    CoreDoor& main_;
    QString file_;
    QPixmap picture_;
    DiagramLayout layout_;
};

} // namespace kestro
