#pragma once

#include "app/frmNovo.h"
#include "appcore/SettingsStore.h"
#include "editor/Workspace.h"

#include <QMainWindow>
#include <QPointer>

#include <array>
#include <functional>

class QAction;
class QCheckBox;
class QFrame;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QPushButton;
class QToolButton;
class QTimer;

namespace vantrel {

class ClickLabel;
class TeamBoard;
class DrawingToolRow;
class RecordingPanel;
class EditorPopupMenus;
class PlaybackControls;
class frmChat;
class frmMapa;
class frmNovo;
class Ui;

// The main window: a multiple-document frame whose children are the strat
// windows, with the menus, the object palette, the tool icons, the
// "Selected:" preview and the recording panel. It owns the application-wide
// state (the Workspace) and hands out the eleven strat window slots.
class frmPrincipal : public QMainWindow
{
    Q_OBJECT

public:
    static constexpr int kDefaultWidth = 1100;
    static constexpr int kDefaultHeight = 760;
    static constexpr int kMaxStrats = 11;

    explicit frmPrincipal(Ui &ui, QWidget *parent = nullptr);
    ~frmPrincipal() override;

    Workspace &workspace() { return m_ws; }
    SettingsStore &settings() { return m_settings; }

    // The load handler: shows the window, reads the options, opens the strat
    // named on the command line (may be empty).
    void Form_Load(const QString &commandLine);

    // Hands out a strat window slot 1..11 (reusing the lowest closed one) and
    // shows its window, or returns -1 when eleven strats are open.
    int NovoMapa();
    // Opens the strat file at `sPath` (blanks trimmed, double quotes removed)
    // in a new strat window. Returns the slot, or -1 when nothing was opened;
    // every failure has been shown to the user.
    int OpenStratFile(const QString &sPath);
    // Draws a progress bar of `Percent` pixels (0..100) into `Progressbar`.
    void SetStatus(QLabel *Progressbar, int Percent);

    // The open strat window of slot `iMI`, or null.
    frmMapa *stratWindow(int iMI) const;
    // The active strat window, or null when none is open.
    frmMapa *activeStratWindow() const;
    QMdiSubWindow *subWindowOf(const frmMapa *window) const;
    int openStratCount() const;

    // The menu commands and tool clicks, callable by tests as a user would.
    void newStrat();
    void openStrat();
    void saveStrat();
    void saveStratAs();
    void exportImage();
    void copyImage();
    void showOptions();
    void showChat();
    void showTips();
    void showAbout();
    void onPaletteClicked(int index);
    void onTextToolClicked();
    void onMoveWindowToolClicked();
    void onPingToolClicked();
    // The team board: Share to Team (the active strat), Stop Sharing, Save a
    // Copy (of the active strat, any window) and Follow / Stop following on
    // the active shared copy.
    void shareStrat();
    void stopSharing();
    void saveCopy();
    void toggleFollowing();
    TeamBoard &teamBoard() { return *m_board; }
    // Closing and renaming a strat window (its lblFechar and lblTitulo). A
    // modified strat is asked about first; returns false when it stays open.
    bool closeStrat(frmMapa *window);
    // Edit > Undo and Redo on the active strat window.
    void undo();
    void redo();
    QAction *undoAction() const { return m_undoAction; }
    QAction *redoAction() const { return m_redoAction; }
    void renameStrat(frmMapa *window);
    // One poll of the hand-over setting Comando (tmrCmd).
    void pollHandOver();

    frmNovo *newStratDialog() const { return m_frmNovo; }
    frmChat *chatWindow() const;
    QMdiArea *mdiArea() const { return m_mdi; }
    // The recording panel, shown by the video export.
    QFrame *picREC() const { return m_picREC; }
    QLabel *picP() const { return m_picP; }
    QPushButton *cmdRec() const { return m_cmdRec; }
    QPushButton *cmdSave() const { return m_cmdSave; }
    QCheckBox *chkFullMotion() const { return m_chkFullMotion; }
    // "Export as Video" and the panel's REC/STOP and SAVE.
    RecordingPanel *recordingPanel() const { return m_recording; }
    QLabel *picImg() const { return m_picImg; }
    // The speed choice and frame slider of the active strat window.
    PlaybackControls *playbackControls() const { return m_playback; }
    DrawingToolRow *drawingTools() const { return m_drawingTools; }

    // When set, closing the main window ends the program (the desktop start).
    void setQuitOnClose(bool on) { m_quitOnClose = on; }

    // The language whose pack start-up loaded ("Portuguese"), or empty; it
    // picks the localised example strat.
    void setLanguageName(const QString &name) { m_languageName = name; }
    const QString &languageName() const { return m_languageName; }
    // Load steps 4, 5 and 7: the welcome with the example strat (Vez), the
    // file association (Associado), the tips window (Dicas).
    void firstRun();
    void associateFileTypeOnce();
    void showTipsAtStartup();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    // The strip above the strat windows: palette, tools, preview and the
    // recording panel (frmPrincipalPalette.cpp).
    QFrame *buildStrip(QWidget *parent);
    void buildPalette(QWidget *strip);
    void buildRecordingPanel(QWidget *strip);
    void buildPlaybackControls(QWidget *strip);
    // The strip's controls follow the active strat window.
    void followActive();
    void layoutToolRow();
    void buildMenus();
    void fillWindowsMenu();
    // The Edit menu (frmPrincipalEdit.cpp).
    void buildEditMenu(QMenu *menu);
    // The View menu: the "Drawings" toggle of the active strat window
    // (frmPrincipalView.cpp).
    void buildViewMenu(QMenu *menu);
    // The drawing tools' tips and the View menu in the pack's words.
    void translateDrawingControls();
    // Undo and Redo show the active strat's next step and are off while it
    // has none or while it plays.
    void updateEditActions();
    // Save, Save As and the exports are off while no strat window is open.
    void updateStratActions();
    // The team board's commands follow the active window and the board.
    void updateBoardActions();
    void buildBoardMenu(QMenu *menu);
    // The chat window's Host, Connect, Close and Share to Team reach the board.
    void followChat();
    void followUndo(frmMapa *window);
    void saveActive(bool bComo);
    // Saves `window`'s strat; true when it was written.
    bool saveWindow(frmMapa *window, bool bComo);
    // Save / Discard / Cancel for a modified strat: true when it may go.
    bool mayDiscard(frmMapa *window);
    // Shows and activates a strat window just handed out.
    void showStrat(frmMapa *window);
    QString text(const char *id, const char *english) const;
    void setSelectedPreview(const QPixmap &picture);

    // The workspace the strat windows and dialogs share; its questions are
    // this window's.
    class ShellWorkspace : public Workspace
    {
    public:
        ShellWorkspace(Ui &ui, frmPrincipal &shell)
            : Workspace(ui)
            , m_shell(shell)
        {
        }
        frmMapa *stratWindow(int iMI) const override { return m_shell.stratWindow(iMI); }
        frmMapa *activeStratWindow() const override { return m_shell.activeStratWindow(); }
        void setSelectedPreview(const QPixmap &picture) override
        {
            m_shell.setSelectedPreview(picture);
        }
        void ping(frmMapa &window, const QPoint &twips) override;

    private:
        frmPrincipal &m_shell;
    };
    ShellWorkspace m_ws;
    SettingsStore m_settings;
    // Slots 1..11; element 0 unused. A window stays in its slot when closed
    // (hidden, iMI 0) and is reused for the next strat of that slot.
    std::array<QPointer<frmMapa>, 12> m_windows{};
    QPointer<frmMapa> m_lastActive;
    QPointer<frmNovo> m_frmNovo;
    QPointer<frmChat> m_chat;
    QPointer<EditorPopupMenus> m_popupMenus;
    TeamBoard *m_board = nullptr;
    bool m_quitOnClose = false;
    QString m_languageName;

    QMdiArea *m_mdi = nullptr;
    QFrame *m_picBotoes = nullptr;
    std::array<ClickLabel *, 13> m_picObj{};
    ClickLabel *m_lblTexto = nullptr;
    DrawingToolRow *m_drawingTools = nullptr;
    ClickLabel *m_imgMove = nullptr;
    ClickLabel *m_imgChat = nullptr;
    ClickLabel *m_imgPing = nullptr;
    QLabel *m_label1 = nullptr;
    QLabel *m_picImg = nullptr;
    QFrame *m_picREC = nullptr;
    QLabel *m_picP = nullptr;
    QPushButton *m_cmdRec = nullptr;
    QPushButton *m_cmdSave = nullptr;
    QCheckBox *m_chkFullMotion = nullptr;
    QToolButton *m_cmdClose = nullptr;
    PlaybackControls *m_playback = nullptr;
    // F2, F3 and F4 for the active strat window.
    std::array<QAction *, 3> m_playbackKeys{};
    RecordingPanel *m_recording = nullptr;
    QTimer *m_tmrCmd = nullptr;
    QMenu *m_mnuJanelas = nullptr;
    QAction *m_undoAction = nullptr;
    QAction *m_redoAction = nullptr;
};

} // namespace vantrel
