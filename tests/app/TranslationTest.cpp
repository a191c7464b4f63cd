// The shipped language packs against the real windows: every key names a
// control its window has, every message id the program asks for is in every
// pack, and under a pack no window shows a word of the built-in English.
#include "ShellFixture.h"

#include "app/VideoCodecDialog.h"
#include "app/frmDica.h"
#include "app/frmOptions.h"
#include "app/frmSobre.h"
#include "chatwindow/frmChat.h"
#include "editor/frmCores.h"
#include "editor/frmLink.h"
#include "editor/frmMov.h"
#include "editor/frmTexto.h"
#include "i18n/PackFile.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QGroupBox>
#include <QLabel>
#include <QMdiSubWindow>
#include <QMenu>
#include <QRegularExpression>

#include <functional>

namespace vantrel::test {
namespace {

QDir shippedLang()
{
    return QDir(QCoreApplication::applicationDirPath() + "/../Vantrel/lang");
}

// Every message id the program's sources ask for.
QStringList idsAskedFor()
{
    const QRegularExpression id("\"(s\\d{4})\"");
    QStringList ids;
    QDirIterator it(QStringLiteral(VANTREL_SOURCE_DIR), {"*.cpp"}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile f(it.next());
        if (!f.open(QIODevice::ReadOnly))
            continue;
        for (const auto &m : id.globalMatch(QString::fromUtf8(f.readAll())))
            if (!ids.contains(m.captured(1)))
                ids.append(m.captured(1));
    }
    ids.sort();
    return ids;
}

// The windows a user meets, each built and brought into the state that shows
// its words: the main window with a strat holding an undo step, the New
// Strat dialog and the recording panel open; every dialog.
class Windows
{
public:
    Windows(frmPrincipal &frm, ScriptedUi &ui)
        : dica(frm.workspace(), frm.settings())
        , sobre(frm.workspace())
        , options(frm.workspace(), frm.settings())
        , codec(frm.workspace().language, true)
        , cores(0)
        , link(ui)
        , chat(ui, frm.workspace().language)
    {
        frm.Form_Load(QString());
        frm.NovoMapa();
        frm.stratWindow(1)->document().placeObject(0, 900, 900);
        frm.newStrat();
        ui.answer(MsgResult::Ok);
        frm.findChild<QAction *>("mnuVideo")->trigger();
        for (QObject *dialog : std::initializer_list<QObject *>{&mov, &texto, &cores, &link})
            frm.workspace().language.translate(dialog);
        all = {&frm,
               frm.stratWindow(1),
               frm.newStratDialog(),
               &dica,
               &sobre,
               &options,
               &codec,
               &mov,
               &texto,
               &cores,
               &link,
               &chat};
    }

    frmDica dica;
    frmSobre sobre;
    frmOptions options;
    VideoCodecDialog codec;
    frmMov mov;
    frmTexto texto;
    frmCores cores;
    frmLink link;
    frmChat chat;
    QList<QObject *> all;
};

// Every text a window shows, in the order its objects were made, each with
// the object it belongs to.
QList<std::pair<QString, QString>> shownTexts(QObject *window)
{
    QList<std::pair<QString, QString>> texts;
    QList<QObject *> objects = window->findChildren<QObject *>();
    objects.prepend(window);
    // A strat window's system menu holds Qt's own words, which Qt's catalogue
    // translates.
    QList<QAction *> qtWords;
    for (const QMdiSubWindow *sub : window->findChildren<QMdiSubWindow *>())
        qtWords += sub->systemMenu()->actions();
    for (QObject *o : objects) {
        if (qtWords.contains(o))
            continue;
        const QString where = QString::fromLatin1(o->metaObject()->className()) + QLatin1Char(' ')
                              + o->objectName();
        const auto add = [&](const QString &text) {
            texts.append({where, text});
        };
        if (auto *w = qobject_cast<QWidget *>(o)) {
            if (w->isWindow())
                add(w->windowTitle());
            add(w->toolTip());
        }
        if (auto *b = qobject_cast<QAbstractButton *>(o))
            add(b->text());
        if (auto *l = qobject_cast<QLabel *>(o))
            add(l->text());
        if (auto *g = qobject_cast<QGroupBox *>(o))
            add(g->title());
        if (auto *m = qobject_cast<QMenu *>(o))
            add(m->title());
        if (auto *a = qobject_cast<QAction *>(o))
            add(a->text());
        if (auto *c = qobject_cast<QComboBox *>(o))
            for (int i = 0; i < c->count(); ++i)
                add(c->itemText(i));
    }
    return texts;
}

// Words every language writes alike, and addresses (lower-case "vantrel").
bool sharedWord(const QString &text)
{
    if (text.contains(QLatin1String("vantrel")))
        return true;
    static const QStringList shared
        = {"OK",  "Vantrel",     "Chat",  "&Chat", "IP:",   "E-mail:", "REC",   "Motion JPEG",
           "GIF", "MP4 (H.264)", "&CRF:", "Link",  "&Link", "Text ",   "Popup", "X"};
    return shared.contains(text) || !text.contains(QRegularExpression("[A-Za-z]"));
}

class Translation : public ShellTest
{
protected:
    static QStringList shippedPacks()
    {
        return shippedLang().entryList({"*.lpk"}, QDir::Files, QDir::Name);
    }
};

TEST_F(Translation, ShippedPacksCarryEveryIdTheProgramAsksFor)
{
    const QStringList asked = idsAskedFor();
    ASSERT_GE(asked.size(), 40);
    ASSERT_GE(shippedPacks().size(), 3);
    for (const QString &name : shippedPacks()) {
        PackData pack;
        ASSERT_TRUE(PackFile::read(shippedLang().filePath(name), pack)) << qPrintable(name);
        QStringList ids;
        for (const PackString &s : pack.strings)
            if (!s.value.isEmpty())
                ids.append(s.name);
        for (const QString &id : asked)
            EXPECT_TRUE(ids.contains(id)) << qPrintable(name) << " lacks " << qPrintable(id);
    }
}

// A renamed control or a window a pack forgets shows here rather than as an
// English word in a translated window; so does any English left on screen.
TEST_F(Translation, ShippedPacksReachEveryControlAndLeaveNoEnglishOnScreen)
{
    ScriptedUi englishUi;
    frmPrincipal englishFrm(englishUi);
    Windows english(englishFrm, englishUi);

    for (const QString &name : shippedPacks()) {
        ScriptedUi packUi;
        frmPrincipal packFrm(packUi);
        ASSERT_TRUE(packFrm.workspace().language.LoadPack(shippedLang().filePath(name)));
        const PackData &pack = packFrm.workspace().language.pack();
        Windows translated(packFrm, packUi);

        QStringList named;
        for (const PackWindow &w : pack.windows) {
            named.append(w.name);
            QObject *window = nullptr;
            for (QObject *o : translated.all)
                if (o->objectName() == w.name)
                    window = o;
            ASSERT_NE(window, nullptr) << qPrintable(name) << ": " << qPrintable(w.name);
            for (const PackControl &c : w.controls)
                EXPECT_NE(window->findChild<QObject *>(c.key), nullptr)
                    << qPrintable(name) << ": " << qPrintable(w.name) << "." << qPrintable(c.key);
        }

        // The compression dialog's title is whole in a title bar that also
        // holds an icon and buttons.
        const VideoCodecDialog &codec = translated.codec;
        EXPECT_GE(codec.width(), codec.fontMetrics().horizontalAdvance(codec.windowTitle()) + 120)
            << qPrintable(name);

        for (qsizetype i = 0; i < english.all.size(); ++i) {
            QObject *window = translated.all[i];
            EXPECT_TRUE(named.contains(window->objectName()))
                << qPrintable(name) << " lacks " << qPrintable(window->objectName());
            const auto before = shownTexts(english.all[i]);
            const auto after = shownTexts(window);
            ASSERT_EQ(before.size(), after.size()) << qPrintable(window->objectName());
            // A translated caption is never cut.
            for (const QWidget *w : window->findChildren<QWidget *>()) {
                if ((qobject_cast<const QAbstractButton *>(w) || qobject_cast<const QLabel *>(w))
                    && w->isVisible()) {
                    EXPECT_GE(w->width(), w->minimumSizeHint().width())
                        << qPrintable(name) << ": " << qPrintable(w->objectName()) << " is cut";
                }
            }
            for (qsizetype t = 0; t < before.size(); ++t) {
                if (before[t].second == after[t].second && !sharedWord(before[t].second))
                    ADD_FAILURE() << qPrintable(name) << ": " << qPrintable(before[t].first)
                                  << " still shows \"" << qPrintable(before[t].second) << "\"";
            }
        }
    }
}

// Every edit names its undo step in the pack's language too.
TEST_F(Translation, UndoStepsAreNamedInThePackLanguage)
{
    using Edit = std::function<void(StratDocument &)>;
    const Edit edits[] = {
        [](StratDocument &d) { d.placeObject(0, 900, 900); },
        [](StratDocument &d) { d.moveObject(1, 1200, 900); },
        [](StratDocument &d) { d.insertText(300, 300, "B"); },
        [](StratDocument &d) { d.editText(1, "A"); },
        [](StratDocument &d) { d.moveText(1, 600, 300); },
        [](StratDocument &d) { d.addWayPoint(1, 2000, 900, 0, 8); },
        [](StratDocument &d) { d.addWayPoint(1, 2400, 900, 0, 8); },
        [](StratDocument &d) { d.moveWayPoint(1, 2100, 1000); },
        [](StratDocument &d) { d.editWayPoint(1, 10, 3); },
        [](StratDocument &d) { d.setLineColor(1, 0xFF); },
        [](StratDocument &d) {
            d.addLink({"http://127.0.0.1/", 1, 0, 0});
        },
        [](StratDocument &d) { d.setLinkTarget(1, "http://127.0.0.1/b"); },
        [](StratDocument &d) { d.clearLink(1); },
        [](StratDocument &d) { d.cutPath(2, 1); },
        [](StratDocument &d) { d.removeText(1); },
        [](StratDocument &d) { d.rename("Plan"); },
        [](StratDocument &d) { d.setOverview("depot.png"); },
        [](StratDocument &d) { d.removeObject(1); },
    };
    frm->NovoMapa();
    for (const QString &name : shippedPacks()) {
        ScriptedUi packUi;
        frmPrincipal packFrm(packUi);
        ASSERT_TRUE(packFrm.workspace().language.LoadPack(shippedLang().filePath(name)));
        packFrm.NovoMapa();
        for (const Edit &edit : edits) {
            edit(frm->activeStratWindow()->document());
            edit(packFrm.activeStratWindow()->document());
            const QString english = frm->undoAction()->text();
            const QString translated = packFrm.undoAction()->text();
            ASSERT_NE(english, "&Undo") << "every edit makes a step";
            const QString step = english.mid(QStringLiteral("&Undo ").size());
            EXPECT_FALSE(translated.endsWith(step))
                << qPrintable(name) << ": " << qPrintable(translated);
        }
        while (frm->undoAction()->isEnabled())
            frm->undo();
    }
}

} // namespace
} // namespace vantrel::test
