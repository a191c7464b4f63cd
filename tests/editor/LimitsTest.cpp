// Lists at their 16-bit limit: the edit is refused with a message, and an
// exception out of any event handler is reported instead of ending the program.
#include "EditorFixture.h"

#include "uiservice/GuardedApplication.h"

#include <QCoreApplication>
#include <QEvent>

#include <stdexcept>

using namespace vantrel;
using namespace vantrel::test;

namespace {

class FullStrat : public EditorFixture
{
protected:
    // Object 1 (the red 1 at 1000, 1000) and, when `full` names a list, that
    // list at 32,767 entries (way points: one movement of object 1).
    frmMapa *open(const std::string &full)
    {
        Strat s;
        s.Objects.append({5, 1000, 1000});
        if (full == "objects")
            s.Objects.storage().resize(size_t(INT16_MAX) + 1, {kDeletedPicture, 0, 0});
        if (full == "way points") {
            StratMovement m;
            m.ObjectIndex = 1;
            m.PointCount = INT16_MAX;
            m.Points.assign(size_t(INT16_MAX) + 1, {0, 1000, 1000, 8});
            s.Movements.append(m);
            s.LineColors.append(kButtonFaceColor);
        }
        if (full == "links")
            s.Links.storage().resize(size_t(INT16_MAX) + 1, {QStringLiteral("x"), 0, 0, 0});
        const QString path = home.file(QStringLiteral("full.vtr"));
        EXPECT_TRUE(StratFile::write(path, s));
        frmMapa *w = addWindow();
        EXPECT_TRUE(w->AbreTatica(path));
        active = w;
        return w;
    }
};

struct ThrowOnEvent : QObject
{
    bool event(QEvent *e) override
    {
        if (e->type() == QEvent::User)
            throw std::length_error("list is full");
        return QObject::event(e);
    }
};

} // namespace

TEST_F(FullStrat, EditsPastTheLimitAreRefusedAndLeaveTheStratAsItWas)
{
    const struct
    {
        std::string full;
        std::function<void()> edit;
    } cases[] = {
        {"way points",
         [this] {
             ui.answer(MsgResult::Ok);
             rightClickObject(1);
             map().input().keyDown(Qt::Key_F4);
             clickAt(3000, 3000);
         }},
        {"objects",
         [this] {
             ui.answer(MsgResult::Ok);
             place(0, 4000, 4000);
         }},
        {"links",
         [this] {
             rightClickObject(1);
             ui.answer(typeAndOk("txtLink", "http://example.invalid/more"));
             ui.answer(MsgResult::Ok);
             menus->mnuLink()->trigger();
         }},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.full);
        ui.clear();
        frmMapa *w = open(c.full);
        const Strat before = w->strat();
        const int16_t markers = w->MarkerCount();
        c.edit();
        EXPECT_EQ(w->strat(), before);
        EXPECT_EQ(w->MarkerCount(), markers);
        ASSERT_FALSE(ui.prompts().empty());
        EXPECT_EQ(ui.last().kind, Prompt::Message);
        EXPECT_TRUE(ui.last().text.contains(QStringLiteral("32767")));
        EXPECT_EQ(ui.pendingAnswers(), 0u);
    }
}

TEST(GuardedApplication, AnExceptionOutOfAHandlerIsReportedAndTheEventDropped)
{
    auto *app = dynamic_cast<GuardedApplication *>(QCoreApplication::instance());
    ASSERT_NE(app, nullptr);
    ScriptedUi ui;
    app->setUi(&ui);
    ui.answer(MsgResult::Ok);
    ThrowOnEvent target;
    QCoreApplication::postEvent(&target, new QEvent(QEvent::User));
    QCoreApplication::sendPostedEvents(&target, QEvent::User);
    app->setUi(nullptr);
    ASSERT_EQ(ui.prompts().size(), 1u);
    EXPECT_EQ(ui.last().icon, MsgIcon::Critical);
    EXPECT_TRUE(ui.last().text.contains(QStringLiteral("list is full")));
}
