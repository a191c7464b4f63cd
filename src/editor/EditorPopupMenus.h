#pragma once

#include <QObject>
#include <QPoint>
#include <QPointer>

class QAction;
class QMenu;
class QWidget;

namespace vantrel {

class Workspace;
class frmMapa;

// The main window's two popup menus: mnuPopup for objects and texts, mnuPopup2
// for way-point markers, and the commands behind their items. The main window
// creates one; strat windows open the menus through Workspace::popupMenus.
// Commands act on the selection of the strat window that opened the menu.
class EditorPopupMenus : public QObject
{
    Q_OBJECT

public:
    EditorPopupMenus(Workspace &workspace, QWidget *mainWindow);
    ~EditorPopupMenus() override;

    QMenu *mnuPopup() const { return m_mnuPopup; }
    QMenu *mnuPopup2() const { return m_mnuPopup2; }
    QAction *mnuMovimento() const { return m_mnuMovimento; }
    QAction *mnuCor() const { return m_mnuCor; }
    QAction *mnuApagar() const { return m_mnuApagar; }
    QAction *mnuLink() const { return m_mnuLink; }
    QAction *mnuMovimento2() const { return m_mnuMovimento2; }
    QAction *mnuApagaMov() const { return m_mnuApagaMov; }
    QAction *mnuLink2() const { return m_mnuLink2; }

    // Opens mnuPopup for `window` at `globalPos`: all four items for an
    // object; only "&Remove Object" for a text (texts carry no link).
    void popupObjectMenu(frmMapa *window, bool forText, const QPoint &globalPos);
    // Opens mnuPopup2 for `window` at `globalPos`.
    void popupPointMenu(frmMapa *window, const QPoint &globalPos);

public Q_SLOTS:
    void addMovement();    // mnuMovimento, mnuMovimento2
    void lineColor();      // mnuCor
    void removeObject();   // mnuApagar
    void link();           // mnuLink, mnuLink2
    void removeMovement(); // mnuApagaMov

private:
    QString text(const char *id, const char *english) const;

    Workspace &m_ws;
    QPointer<frmMapa> m_window;
    QWidget *m_mainWindow;
    QMenu *m_mnuPopup;
    QMenu *m_mnuPopup2;
    QAction *m_mnuMovimento;
    QAction *m_mnuCor;
    QAction *m_mnuApagar;
    QAction *m_mnuLink;
    QAction *m_mnuMovimento2;
    QAction *m_mnuApagaMov;
    QAction *m_mnuLink2;
};

} // namespace vantrel
