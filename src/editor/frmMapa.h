#pragma once

#include "strat/StratFile.h"
#include "strat/StratRecords.h"

#include <QPixmap>
#include <QWidget>

class QLabel;

namespace vantrel {

struct Workspace;

// A strat window: a frameless 799 x 585 pixel child of the main window's MDI
// area that owns one strat. Its surface is a scene in twips; the top strip
// holds the title, the close mark, the frame counter, the clock and the play
// and pause buttons. The editing, playback and export behaviour lives in
// collaborators; this class keeps the public operations under their names.
class frmMapa : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kWidthPixels = 799;
    static constexpr int kHeightPixels = 585;

    frmMapa(Workspace &workspace, QWidget *parent = nullptr);
    ~frmMapa() override;

    // --- public fields, as other windows use them
    int16_t iObj() const { return m_strat.Objects.count(); }
    int16_t iTxt() const { return m_strat.Texts.count(); }
    int16_t iMI = 0;          // slot 1..11; 0 when the window is closed
    bool bMovimento = false;  // the next press adds a way point
    QString sArquivo;         // path of the strat file last opened or saved

    // --- the strat
    const Strat &strat() const { return m_strat; }

    // Opens a strat file into this (empty) window and rebuilds its picture.
    // A file that cannot be read leaves the window empty and returns the reason.
    StratFileResult AbreTatica(const QString &sArq);
    // Saves the strat; asks for a file when there is none or `bComo` is set.
    // A cancelled dialog returns ok with an empty message and writes nothing.
    StratFileResult SalvaTatica(bool bComo);

    // --- the shell's hooks
    void setTitleLabel(const QString &text); // lblTitulo
    QString titleLabel() const;
    void setBackground(const QPixmap &picture); // drawn at its own size, top-left
    // Discards the strat: every list, count, engine and control; iMI 0.
    void discardStrat();

Q_SIGNALS:
    // The close mark lblFechar was clicked.
    void closeRequested(frmMapa *window);
    // The title label was double-clicked.
    void renameRequested(frmMapa *window);

protected:
    void paintEvent(QPaintEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    Workspace &m_ws;
    Strat m_strat;
    QPixmap m_background;
    QLabel *m_lblTitulo = nullptr;
    QLabel *m_lblFechar = nullptr;
};

} // namespace vantrel
