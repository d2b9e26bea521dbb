// The about box: title, version, description, a warning and a button that
// shows the system information.
#pragma once

#include <QDialog>

namespace kestro {

class frmAbout : public QDialog {
    Q_OBJECT
public:
    explicit frmAbout(QWidget* parent = nullptr);
    // Qt and operating-system version, screen and application folder.
    static QString systemInformation();
    void showSystemInformation();
};

} // namespace kestro
