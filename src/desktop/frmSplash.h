// The start-up window: the splash picture, a three-second count-down with a
// growing strip, and the start-up reads of the content database. A key or a
// click ends the count-down at once.
#pragma once

#include <QDialog>

class QLabel;
class QTimer;

namespace kestro {

class Simulator;

class frmSplash : public QDialog {
    Q_OBJECT
public:
    // Runs the start-up reads; their message box, if any, shows before the
    // count-down starts.
    frmSplash(Simulator& sim, QWidget* parent = nullptr);
    int count() const { return count_; }
    QWidget* strip() const { return strip_; }
    void tick();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void layoutStrip();
    QLabel* picture_;
    QWidget* strip_;
    QTimer* timer_;
    int count_ = 3;
};

} // namespace kestro
