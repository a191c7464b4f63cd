// The main window's construction (the frame, the strip and the hidden
// pictures), the workspace wiring, the load order and closing. The strip is
// in frmPrincipalPalette.cpp, the menus in frmPrincipalMenus.cpp and the strat
// window slots in frmPrincipalSlots.cpp.
#include "app/frmPrincipal.h"

#include "app/RecordingPanel.h"
#include "app/ShellIcons.h"
#include "app/TeamBoard.h"
#include "chatwindow/frmChat.h"
#include "editor/EditorPictures.h"
#include "editor/EditorPopupMenus.h"
#include "editor/frmMapa.h"
#include "strat/PaletteIcons.h"
#include "uiservice/ScreenFit.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFrame>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTimer>
#include <QVBoxLayout>

namespace vantrel {

frmPrincipal::frmPrincipal(Ui &ui, QWidget *parent)
    : QMainWindow(parent)
    , m_ws(ui, *this)
{
    setObjectName(QStringLiteral("frmPrincipal"));
    setWindowTitle(QStringLiteral("Vantrel"));
    setWindowIcon(QIcon(ShellIcons::appIcon()));
    resize(kDefaultWidth, kDefaultHeight);

    for (int i = 0; i < kPaletteSize; ++i)
        m_ws.palette[size_t(i)] = QPixmap::fromImage(PaletteIcons::image(i));

    auto *central = new QWidget(this);
    auto *layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    layout->addWidget(buildStrip(central));

    m_mdi = new QMdiArea(central);
    m_mdi->setObjectName(QStringLiteral("mdiArea"));
    m_mdi->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_mdi->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    layout->addWidget(m_mdi, 1);
    setCentralWidget(central);
    connect(m_mdi, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow *sub) {
        if (sub)
            if (auto *w = qobject_cast<frmMapa *>(sub->widget()))
                m_lastActive = w;
        followActive();
    });

    // The team board beside the chat; a copy of a shared strat gets a strat
    // window of its own.
    m_board = new TeamBoard(
        [this]() -> frmMapa * {
            const int slot = NovoMapa();
            return slot == -1 ? nullptr : stratWindow(slot);
        },
        this);

    buildMenus();

    // The hidden pictures kept on the form: the placing and window-move
    // cursors the strat windows use, and the program's icon.
    const QPixmap icons[3] = {EditorPictures::placingCursor().pixmap(),
                              EditorPictures::moveWindowCursor().pixmap(), ShellIcons::appIcon()};
    for (int i = 0; i < 3; ++i) {
        auto *ico = new QLabel(this);
        ico->setObjectName(QStringLiteral("imgIco"));
        ico->setProperty("index", i);
        ico->setPixmap(icons[i]);
        ico->hide();
    }

    m_tmrCmd = new QTimer(this);
    m_tmrCmd->setObjectName(QStringLiteral("tmrCmd"));
    m_tmrCmd->setInterval(200);
    connect(m_tmrCmd, &QTimer::timeout, this, &frmPrincipal::pollHandOver);

    m_ws.owner = this;

    // mnuPopup and mnuPopup2 with their commands; they register themselves
    // in the workspace.
    m_popupMenus = new EditorPopupMenus(m_ws, this);

    m_recording = new RecordingPanel(
        m_ws,
        {m_picREC, m_picP, m_cmdRec, m_cmdSave, findChild<QAction *>(QStringLiteral("mnuVideo")),
         [this](int percent) { SetStatus(m_picP, percent); }, m_chkFullMotion, m_cmdClose},
        this);
}

frmPrincipal::~frmPrincipal()
{
    // Everything that reaches back into the workspace goes before it does:
    // the base class would delete these children only after the members.
    m_tmrCmd->stop();
    delete m_board;
    delete m_frmNovo;
    delete m_chat;
    delete m_mdi;
    m_mdi = nullptr;
    delete m_popupMenus;
}

QString frmPrincipal::text(const char *id, const char *english) const
{
    return m_ws.language.text(QLatin1String(id), QString::fromUtf8(english));
}

void frmPrincipal::Form_Load(const QString &commandLine)
{
    // 1. Translate the window when a language pack is loaded.
    if (m_ws.language.isLoaded()) {
        m_ws.language.SetLanguageInForm(this);
        translateDrawingControls();
        layoutToolRow();
        updateEditActions();
        updateStratActions();
    }

    // 2. Show the window, wholly on its screen.
    keepOnScreen(this);
    show();

    // 3. The keep-counting option.
    m_ws.keepCountingFrames = m_settings.keepCountingFrames();

    // 4. First run: the welcome and the example strat (Vez).
    firstRun();

    // 5. File association, once (Associado).
    associateFileTypeOnce();

    // 6. The strat named on the command line.
    if (!commandLine.isEmpty())
        OpenStratFile(commandLine);

    // 7. Tips of the day unless switched off (Dicas).
    showTipsAtStartup();

    m_tmrCmd->start();
}

void frmPrincipal::setSelectedPreview(const QPixmap &picture)
{
    m_picImg->setPixmap(picture);
    if (picture.isNull())
        m_picImg->clear();
}

void frmPrincipal::closeEvent(QCloseEvent *event)
{
    // Each modified strat is asked about once; Cancel keeps everything open.
    for (int slot = 1; slot <= kMaxStrats; ++slot) {
        if (frmMapa *w = stratWindow(slot); w && !mayDiscard(w)) {
            event->ignore();
            return;
        }
    }
    event->accept();
    if (m_quitOnClose)
        QCoreApplication::quit();
}

} // namespace vantrel
