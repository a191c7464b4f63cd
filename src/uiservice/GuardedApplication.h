#pragma once

#include <QApplication>

namespace vantrel {

class Ui;

// The application object of the windowed program. An exception that escapes
// an event handler would end the program and every unsaved strat with it;
// here it is reported through the Ui service and the event is dropped.
class GuardedApplication : public QApplication
{
public:
    GuardedApplication(int &argc, char **argv);

    // Where failures are reported; without one they go to the debug output.
    void setUi(Ui *ui) { m_ui = ui; }

    bool notify(QObject *receiver, QEvent *event) override;

private:
    void report(const QString &what);

    Ui *m_ui = nullptr;
};

} // namespace vantrel
