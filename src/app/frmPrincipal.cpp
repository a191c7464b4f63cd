#include "app/frmPrincipal.h"

#include "app/ClickLabel.h"
#include "app/ShellIcons.h"
#include "app/core/CommandLine.h"
#include "app/core/ProgramFolder.h"
#include "app/frmNovo.h"
#include "app/frmOptions.h"
#include "app/ui/Ui.h"
#include "app/ui/clsDialog.h"
#include "chat/ui/frmChat.h"
#include "editor/EditorPopupMenus.h"
#include "editor/frmMapa.h"
#include "strat/PaletteIcons.h"

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFrame>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace vantrel {

namespace {

constexpr int kTwips = kTwipsPerPixel;
constexpr int kStripHeight = 40; // picBotoes, in pixels

int px(int twips)
{
    return (twips + kTwips / 2) / kTwips;
}

} // namespace

frmPrincipal::frmPrincipal(Ui &ui, QWidget *parent)
    : QMainWindow(parent)
    , m_ws(ui)
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

    m_picBotoes = new QFrame(central);
    m_picBotoes->setObjectName(QStringLiteral("picBotoes"));
    m_picBotoes->setFixedHeight(kStripHeight);
    m_picBotoes->setFrameShape(QFrame::StyledPanel);
    m_picBotoes->setFrameShadow(QFrame::Raised);
    layout->addWidget(m_picBotoes);
    buildPalette(m_picBotoes);
    buildRecordingPanel(m_picBotoes);

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
    });

    buildMenus();

    // The hidden pictures kept on the form: the placing and window-move
    // cursors and the program's icon.
    const QPixmap icons[3]
        = {ShellIcons::placeCursor(), ShellIcons::moveCursor(), ShellIcons::appIcon()};
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
    connect(m_tmrCmd, &QTimer::timeout, this, &frmPrincipal::tmrCmd_Timer);

    m_ws.owner = this;
    m_ws.stratWindow = [this](int iMI) {
        return stratWindow(iMI);
    };
    m_ws.activeStratWindow = [this] {
        return activeStratWindow();
    };
    m_ws.setSelectedPreview = [this](const QPixmap &pm) {
        m_picImg->setPixmap(pm);
        if (pm.isNull())
            m_picImg->clear();
    };

    // mnuPopup and mnuPopup2 with their commands; they register themselves
    // in the workspace.
    m_popupMenus = new EditorPopupMenus(m_ws, this);
}

frmPrincipal::~frmPrincipal()
{
    // Everything that reaches back into the workspace goes before it does:
    // the base class would delete these children only after the members.
    m_tmrCmd->stop();
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

void frmPrincipal::buildPalette(QWidget *strip)
{
    // picObj(0)..picObj(12) in one row at top 240 twips: ten player discs of
    // 180 x 180 twips, 360 twips apart from left 120, then the three grenade
    // boxes of 150 x 210 twips at 3840, 4200 and 4560.
    for (int i = 0; i < kPaletteSize; ++i) {
        auto *box = new ClickLabel(strip);
        box->setObjectName(QStringLiteral("picObj"));
        box->setProperty("index", i);
        const bool grenade = isGrenadePicture(i);
        const int left = grenade ? 3840 + 360 * (i - 10) : 120 + 360 * i;
        box->setGeometry(px(left), px(240), px(grenade ? 150 : 180), px(grenade ? 210 : 180));
        box->setPixmap(m_ws.palette[size_t(i)]);
        box->setAlignment(Qt::AlignCenter);
        box->setCursor(Qt::PointingHandCursor);
        connect(box, &ClickLabel::clicked, this, [this, i] { picObj_Click(i); });
        m_picObj[size_t(i)] = box;
    }

    const int toolsLeft = px(4560 + 150) + 24;
    m_lblTexto = new ClickLabel(QStringLiteral("Text "), strip);
    m_lblTexto->setObjectName(QStringLiteral("lblTexto"));
    QFont bold = m_lblTexto->font();
    bold.setBold(true);
    m_lblTexto->setFont(bold);
    m_lblTexto->adjustSize();
    m_lblTexto->move(toolsLeft, px(240) + 6 - m_lblTexto->height() / 2);
    m_lblTexto->setCursor(Qt::PointingHandCursor);
    connect(m_lblTexto, &ClickLabel::clicked, this, &frmPrincipal::lblTexto_Click);

    int x = toolsLeft + m_lblTexto->width() + 12;
    m_imgMove = new ClickLabel(strip);
    m_imgMove->setObjectName(QStringLiteral("imgMove"));
    m_imgMove->setToolTip(QStringLiteral("Move Window"));
    m_imgMove->setPixmap(ShellIcons::moveWindow());
    m_imgMove->setGeometry(x, px(240) - 2, 16, 16);
    m_imgMove->setCursor(Qt::PointingHandCursor);
    connect(m_imgMove, &ClickLabel::clicked, this, &frmPrincipal::imgMove_Click);

    x += 16 + 12;
    m_imgChat = new ClickLabel(strip);
    m_imgChat->setObjectName(QStringLiteral("imgChat"));
    m_imgChat->setToolTip(QStringLiteral("Chat"));
    m_imgChat->setPixmap(ShellIcons::chat());
    m_imgChat->setGeometry(x, px(240) - 2, 16, 16);
    m_imgChat->setCursor(Qt::PointingHandCursor);
    connect(m_imgChat, &ClickLabel::clicked, this, &frmPrincipal::mnuChat_Click);

    x += 16 + 24;
    auto *label1 = new QLabel(QStringLiteral("Selected:"), strip);
    label1->setObjectName(QStringLiteral("Label1"));
    label1->adjustSize();
    label1->move(x, px(240) + 6 - label1->height() / 2);

    x += label1->width() + 6;
    m_picImg = new QLabel(strip);
    m_picImg->setObjectName(QStringLiteral("picImg"));
    m_picImg->setFrameShape(QFrame::StyledPanel);
    m_picImg->setFrameShadow(QFrame::Sunken);
    m_picImg->setAlignment(Qt::AlignCenter);
    m_picImg->setGeometry(x, px(240) - 5, 22, 22);
}

void frmPrincipal::buildRecordingPanel(QWidget *strip)
{
    // Shown by the video export; holds the progress bar and its two buttons.
    m_picREC = new QFrame(strip);
    m_picREC->setObjectName(QStringLiteral("picREC"));
    auto *row = new QHBoxLayout(m_picREC);
    row->setContentsMargins(6, 2, 6, 2);
    row->setSpacing(6);
    m_picP = new QLabel(m_picREC);
    m_picP->setObjectName(QStringLiteral("picP"));
    m_picP->setFixedSize(px(1455), px(85));
    m_picP->setProperty("Tag", 0);
    m_cmdRec = new QPushButton(QStringLiteral("REC"), m_picREC);
    m_cmdRec->setObjectName(QStringLiteral("cmdRec"));
    m_cmdSave = new QPushButton(QStringLiteral("SAVE"), m_picREC);
    m_cmdSave->setObjectName(QStringLiteral("cmdSave"));
    row->addWidget(m_picP);
    row->addWidget(m_cmdRec);
    row->addWidget(m_cmdSave);
    m_picREC->adjustSize();
    m_picREC->move(m_picImg->geometry().right() + 30, (kStripHeight - m_picREC->height()) / 2);
    SetStatus(m_picP, 0);
    m_picREC->hide();
}

void frmPrincipal::buildMenus()
{
    QMenuBar *bar = menuBar();
    auto action = [this](QMenu *menu, const char *name, const QString &caption,
                         const QKeySequence &shortcut = {}) {
        QAction *a = menu->addAction(caption);
        a->setObjectName(QLatin1String(name));
        if (!shortcut.isEmpty())
            a->setShortcut(shortcut);
        return a;
    };
    auto separator = [](QMenu *menu, const char *name) {
        menu->addSeparator()->setObjectName(QLatin1String(name));
    };

    QMenu *mnuTatica = bar->addMenu(QStringLiteral("&Strat"));
    mnuTatica->setObjectName(QStringLiteral("mnuTatica"));
    mnuTatica->menuAction()->setObjectName(QStringLiteral("mnuTatica"));
    connect(
        action(mnuTatica, "mnuNovo", QStringLiteral("&New"), QKeySequence(Qt::CTRL | Qt::Key_N)),
        &QAction::triggered, this, &frmPrincipal::mnuNovo_Click);
    connect(
        action(mnuTatica, "mnuAbrir", QStringLiteral("&Open"), QKeySequence(Qt::CTRL | Qt::Key_O)),
        &QAction::triggered, this, &frmPrincipal::mnuAbrir_Click);
    separator(mnuTatica, "sep01");
    connect(
        action(mnuTatica, "mnuSalvar", QStringLiteral("&Save"), QKeySequence(Qt::CTRL | Qt::Key_S)),
        &QAction::triggered, this, &frmPrincipal::mnuSalvar_Click);
    connect(action(mnuTatica, "mnuSalvarComo", QStringLiteral("Save &As..."),
                   QKeySequence(Qt::CTRL | Qt::Key_A)),
            &QAction::triggered, this, &frmPrincipal::mnuSalvarComo_Click);
    separator(mnuTatica, "sep02");
    // TODO(export): Exporta and the video export of the active strat window.
    action(mnuTatica, "mnuExportar", QStringLiteral("&Export as Image"),
           QKeySequence(Qt::CTRL | Qt::Key_E));
    action(mnuTatica, "mnuVideo", QStringLiteral("Export as &Video"));
    separator(mnuTatica, "sep03");
    // Ends at once: nothing is asked and nothing is saved.
    connect(action(mnuTatica, "mnuSair", QStringLiteral("E&xit")), &QAction::triggered, this,
            [] { QCoreApplication::exit(0); });

    QAction *mnuOptions = bar->addAction(QStringLiteral("&Options"));
    mnuOptions->setObjectName(QStringLiteral("mnuOptions"));
    connect(mnuOptions, &QAction::triggered, this, &frmPrincipal::mnuOptions_Click);

    m_mnuJanelas = bar->addMenu(QStringLiteral("&Windows"));
    m_mnuJanelas->setObjectName(QStringLiteral("mnuJanelas"));
    m_mnuJanelas->menuAction()->setObjectName(QStringLiteral("mnuJanelas"));
    connect(m_mnuJanelas, &QMenu::aboutToShow, this, &frmPrincipal::fillWindowsMenu);

    QAction *mnuChat = bar->addAction(QStringLiteral("&Chat"));
    mnuChat->setObjectName(QStringLiteral("mnuChat"));
    connect(mnuChat, &QAction::triggered, this, &frmPrincipal::mnuChat_Click);

    QMenu *mnuAjuda = bar->addMenu(QStringLiteral("&Help"));
    mnuAjuda->setObjectName(QStringLiteral("mnuAjuda"));
    mnuAjuda->menuAction()->setObjectName(QStringLiteral("mnuAjuda"));
    // TODO(i18n): the tips window and the About box.
    action(mnuAjuda, "mnuDica", QStringLiteral("&Tip of the Day"));
    action(mnuAjuda, "mnuSobre", QStringLiteral("&About Vantrel..."));
}

void frmPrincipal::fillWindowsMenu()
{
    m_mnuJanelas->clear();
    const frmMapa *active = activeStratWindow();
    int n = 0;
    for (int slot = 1; slot <= StratSlotTables::kMaxSlots; ++slot) {
        frmMapa *w = stratWindow(slot);
        if (!w)
            continue;
        ++n;
        const QString caption = w->windowTitle().isEmpty() ? w->titleLabel() : w->windowTitle();
        QAction *a = m_mnuJanelas->addAction(n < 10 ? QStringLiteral("&%1 %2").arg(n).arg(caption)
                                                    : caption);
        a->setCheckable(true);
        a->setChecked(w == active);
        QPointer<frmMapa> target = w;
        connect(a, &QAction::triggered, this, [this, target] {
            if (QMdiSubWindow *sub = target ? subWindowOf(target) : nullptr)
                m_mdi->setActiveSubWindow(sub);
        });
    }
}

void frmPrincipal::Form_Load(const QString &commandLine)
{
    // 1. Translate the window when a language pack is loaded.
    // TODO(i18n): SetLanguageInForm(this) once the translation exists.

    // 2. Show the window.
    show();

    // 3. The keep-counting option.
    m_ws.keepCountingFrames = m_settings.keepCountingFrames();

    // 4. First run: the welcome and the example strat (Vez).
    // TODO(first run): a later change adds the welcome and example strat.

    // 5. File association, once (Associado).
    // TODO(association): a later change registers the .vtr type.

    // 6. The strat named on the command line.
    if (!commandLine.isEmpty())
        OpenStratFile(commandLine);

    // 7. Tips of the day unless switched off (Dicas).
    // TODO(i18n): show the tips window modally when m_settings.showTips().

    m_tmrCmd->start();
}

int frmPrincipal::NovoMapa()
{
    const QString label = text("s0008", "Strat");
    const int count = m_ws.slotTables.slotCount();

    // 1. The lowest closed slot is reused.
    for (int slot = 1; slot <= count; ++slot) {
        frmMapa *w = m_windows[size_t(slot)];
        if (!w || w->iMI != 0)
            continue;
        w->setTitleLabel(label);
        w->iMI = int16_t(slot);
        w->sArquivo.clear();
        if (QMdiSubWindow *sub = subWindowOf(w)) {
            sub->show();
            m_mdi->setActiveSubWindow(sub);
        }
        m_lastActive = w;
        return slot;
    }

    // 2. Eleven strats at once is the limit.
    if (count >= StratSlotTables::kMaxSlots)
        return -1;

    // 3. A new slot and its window.
    const int slot = count + 1;
    m_ws.slotTables.grow(slot);
    auto *w = new frmMapa(m_ws);
    w->iMI = int16_t(slot);
    w->setTitleLabel(label + QString::number(slot));
    connect(w, &frmMapa::closeRequested, this, &frmPrincipal::closeStrat);
    connect(w, &frmMapa::renameRequested, this, &frmPrincipal::renameStrat);
    m_windows[size_t(slot)] = w;

    auto *sub = new QMdiSubWindow(m_mdi, Qt::FramelessWindowHint);
    sub->setObjectName(QStringLiteral("stratSubWindow%1").arg(slot));
    sub->setWidget(w);
    sub->setAttribute(Qt::WA_DeleteOnClose, false);
    sub->setContentsMargins(0, 0, 0, 0);
    sub->setFixedSize(frmMapa::kWidthPixels, frmMapa::kHeightPixels);
    m_mdi->addSubWindow(sub);
    // Each new strat window is placed a little below and right of the last.
    const int step = (slot - 1) % 8;
    sub->move(step * 24, step * 24);
    sub->show();
    m_mdi->setActiveSubWindow(sub);
    m_lastActive = w;
    return slot;
}

void frmPrincipal::tooManyStrats()
{
    m_ws.ui.messageBox(this, text("s0009", "Too much strats open at the same time."), {},
                       MsgButtons::Ok, MsgIcon::Critical);
}

int frmPrincipal::OpenStratFile(const QString &sPath)
{
    const QString path = CommandLine::cleanPath(sPath);
    const int slot = NovoMapa();
    if (slot == -1) {
        tooManyStrats();
        return -1;
    }
    frmMapa *w = m_windows[size_t(slot)];
    const StratFileResult result = w->AbreTatica(path);
    if (!result) {
        // The window handed out for the file goes back to its slot.
        closeStrat(w);
        const QString reason = result.message.isEmpty() ? path : result.message;
        const QString message = QStringLiteral("The strat could not be opened.\n%1").arg(reason);
        m_ws.ui.messageBox(this, message, {}, MsgButtons::Ok, MsgIcon::Critical);
        return -1;
    }
    return slot;
}

void frmPrincipal::SetStatus(QLabel *Progressbar, int Percent)
{
    if (!Progressbar)
        return;
    Percent = std::clamp(Percent, 0, 100);
    Progressbar->setProperty("Tag", Percent);
    // The picture is kept, so the bar survives repaints.
    QPixmap bar(Progressbar->size());
    bar.fill(Progressbar->palette().color(QPalette::Base));
    QPainter p(&bar);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    const int h = bar.height();
    const int w = std::min(Percent, bar.width() - 1);
    p.fillRect(QRect(0, 0, w + 1, h), Qt::black);
    p.setPen(Qt::black);
    p.drawRect(QRect(0, 0, w, h - 1));
    p.end();
    Progressbar->setPixmap(bar);
    QCoreApplication::processEvents();
}

frmMapa *frmPrincipal::stratWindow(int iMI) const
{
    if (iMI < 1 || iMI > StratSlotTables::kMaxSlots)
        return nullptr;
    frmMapa *w = m_windows[size_t(iMI)];
    return w && w->iMI == iMI ? w : nullptr;
}

frmMapa *frmPrincipal::activeStratWindow() const
{
    if (QMdiSubWindow *sub = m_mdi->currentSubWindow())
        if (auto *w = qobject_cast<frmMapa *>(sub->widget()); w && w->iMI != 0)
            return w;
    // Without focus (another program in front) the frame may report no
    // current child; the last activated open one still counts.
    if (m_lastActive && m_lastActive->iMI != 0)
        return m_lastActive;
    return nullptr;
}

QMdiSubWindow *frmPrincipal::subWindowOf(const frmMapa *window) const
{
    return window ? qobject_cast<QMdiSubWindow *>(window->parentWidget()) : nullptr;
}

int frmPrincipal::openStratCount() const
{
    int n = 0;
    for (int slot = 1; slot <= StratSlotTables::kMaxSlots; ++slot)
        n += stratWindow(slot) ? 1 : 0;
    return n;
}

void frmPrincipal::closeStrat(frmMapa *window)
{
    if (!window || window->iMI == 0)
        return;
    // No question and no save: the strat is discarded and its slot freed.
    window->discardStrat();
    window->iMI = 0;
    if (QMdiSubWindow *sub = subWindowOf(window))
        sub->hide();
    if (m_lastActive == window)
        m_lastActive = nullptr;
    // Hand the focus to the most recently active strat window still open.
    const auto list = m_mdi->subWindowList(QMdiArea::ActivationHistoryOrder);
    for (auto it = list.rbegin(); it != list.rend(); ++it) {
        auto *w = qobject_cast<frmMapa *>((*it)->widget());
        if (w && w->iMI != 0) {
            m_mdi->setActiveSubWindow(*it);
            m_lastActive = w;
            break;
        }
    }
}

void frmPrincipal::renameStrat(frmMapa *window)
{
    if (!window || window->iMI == 0)
        return;
    const QString answer = m_ws.ui.inputBox(this, text("s0007", "Enter the strat title:"),
                                            text("s0008", "Tática"), window->titleLabel());
    if (answer.isEmpty())
        return;
    const QString title = answer.left(StratTitle::width());
    window->setTitleLabel(title);
    m_ws.slotTables.StratTitles(window->iMI) = title;
}

void frmPrincipal::mnuNovo_Click()
{
    if (m_frmNovo) {
        m_frmNovo->raise();
        m_frmNovo->activateWindow();
        return;
    }
    m_frmNovo = new frmNovo(
        m_ws, [this] { return NovoMapa(); }, this);
    m_frmNovo->setAttribute(Qt::WA_DeleteOnClose);
    m_frmNovo->show();
}

void frmPrincipal::mnuAbrir_Click()
{
    const QString path
        = clsDialog(m_ws.ui).OpenDialog(this, QStringLiteral("Strat (*.vtr)|*.vtr|"),
                                        text("s0021", "Open Strat"), ProgramFolder::path());
    if (!path.isEmpty())
        OpenStratFile(path);
}

void frmPrincipal::saveActive(bool bComo)
{
    frmMapa *w = activeStratWindow();
    if (!w)
        return;
    const QString before = w->sArquivo;
    const StratFileResult result = w->SalvaTatica(bComo);
    if (result)
        return;
    // A failed save keeps the path the strat had and says why.
    w->sArquivo = before;
    m_ws.ui.messageBox(this,
                       QStringLiteral("The strat could not be saved.\n%1").arg(result.message), {},
                       MsgButtons::Ok, MsgIcon::Critical);
}

void frmPrincipal::mnuSalvar_Click()
{
    saveActive(false);
}

void frmPrincipal::mnuSalvarComo_Click()
{
    saveActive(true);
}

void frmPrincipal::mnuOptions_Click()
{
    frmOptions dialog(m_ws, m_settings, this);
    m_ws.ui.runModal(dialog);
}

frmChat *frmPrincipal::chatWindow() const
{
    return m_chat;
}

void frmPrincipal::mnuChat_Click()
{
    // One chat window for the program's life; it keeps its state while hidden.
    if (!m_chat)
        m_chat = new frmChat(m_ws.ui, m_ws.language, this);
    m_chat->show();
    m_chat->raise();
    m_chat->activateWindow();
}

void frmPrincipal::picObj_Click(int index)
{
    if (index < 0 || index >= kPaletteSize)
        return;
    m_ws.tools.PlacingMode = true;
    m_ws.tools.PaletteIndex = int16_t(index);
    m_picImg->setPixmap(m_ws.palette[size_t(index)]);
}

void frmPrincipal::lblTexto_Click()
{
    m_ws.tools.PlacingMode = true;
    m_ws.tools.TextMode = true;
    m_picImg->clear();
}

void frmPrincipal::imgMove_Click()
{
    m_ws.tools.MoveWindowMode = true;
    m_ws.tools.PlacingMode = false;
    m_ws.tools.TextMode = false;
}

void frmPrincipal::tmrCmd_Timer()
{
    const QString path = m_settings.handOverPath();
    if (path.isEmpty())
        return;
    // Emptied before opening: a message box shown by the open runs its own
    // event loop, and the next poll must not see the same path again.
    m_settings.setHandOverPath(QString());
    OpenStratFile(path);
}

void frmPrincipal::closeEvent(QCloseEvent *event)
{
    // Every strat window goes with the main window, unsaved and unasked.
    event->accept();
    if (m_quitOnClose)
        QCoreApplication::quit();
}

} // namespace vantrel
