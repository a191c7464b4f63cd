#include "EditorFixture.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QPainter>

using namespace vantrel;
using namespace vantrel::test;

class StratFileEditing : public EditorFixture
{
protected:
    // A strat built through the editor: objects, a grenade, texts, two
    // interleaved paths, a colour, links and a removed object.
    void buildStrat()
    {
        // A background with a feature off-centre, so that a shifted picture shows.
        QImage overview(760, 560, QImage::Format_RGB32);
        overview.fill(QColor(60, 70, 50));
        QPainter(&overview).fillRect(QRect(40, 80, 200, 120), QColor(140, 140, 120));
        QDir().mkpath(home.file("Overviews"));
        overview.save(home.file("Overviews/test.png"));
        map().document().start(QStringLiteral("Strat1"), QStringLiteral("test.png"));
        place(0, 1000, 1500);
        place(5, 1000, 5000);
        place(10, 6000, 6000);
        place(7, 9000, 2000);
        insertText(4000, 7500, typeAndOk("txtTexto", "Hold long"));
        addPointFor(1, 3000, 1500);
        addPointFor(2, 3000, 5000, 1);
        addPointFor(1, 4000, 2500);
        addPointFor(2, 5000, 4000, 1);
        addPointFor(3, 7000, 4000, 2);
        rightClickObject(2);
        ui.answer(pickColour(7));
        menus->mnuCor()->trigger();
        rightClickObject(1);
        ui.answer(typeAndOk("txtLink", "http://example.invalid/plan"));
        menus->mnuLink()->trigger();
        rightClickObject(4);
        removeSelected();
    }
};

// The Save dialog's rules (extension, title, cancel) are checked through the
// main window's menu.
TEST_F(StratFileEditing, OpeningRebuildsTheSamePicture)
{
    buildStrat();
    ui.answer(home.file("plan.vtr"));
    ASSERT_TRUE(map().SalvaTatica(false));

    frmMapa *opened = addWindow();
    const FileResult r = opened->AbreTatica(home.file("plan.vtr"));
    ASSERT_TRUE(r) << r.message.toStdString();
    frmMapa &built = *windows[0];
    EXPECT_EQ(opened->strat().Objects, built.strat().Objects);
    EXPECT_EQ(opened->strat().Texts, built.strat().Texts);
    EXPECT_EQ(opened->strat().Movements, built.strat().Movements);
    EXPECT_EQ(opened->strat().LineColors, built.strat().LineColors);
    EXPECT_EQ(opened->strat().Links, built.strat().Links);
    EXPECT_EQ(opened->findChild<QLabel *>(QStringLiteral("lblTitulo"))->text(), "Strat1");
    EXPECT_EQ(opened->strat().Overview.trimmed(), "test.png");

    // Marker numbers follow the file's order, movement by movement (the
    // document's own test covers the numbering); the picture below shows
    // every path where it was drawn.
    EXPECT_EQ(opened->MarkerCount(), 5);
    StratSurface &s = opened->surface();
    EXPECT_EQ(s.picM(3)->tag(), 2);
    EXPECT_EQ(s.picM(3)->brush().color(), QColor(255, 127, 0));
    EXPECT_EQ(s.imgObj(4), nullptr);
    for (int m = 1; m <= 3; ++m) {
        SCOPED_TRACE(m);
        ASSERT_NE(opened->playback().engines().engine(m), nullptr);
        EXPECT_EQ(opened->playback().engines().engine(m)->itM,
                  built.playback().engines().engine(m)->itM);
        EXPECT_EQ(opened->playback().engines().engine(m)->iObj,
                  built.playback().engines().engine(m)->iObj);
        for (int16_t j = 1; j <= opened->playback().engines().engine(m)->itM; ++j)
            EXPECT_EQ(opened->playback().engines().engine(m)->point(j),
                      built.playback().engines().engine(m)->point(j));
    }

    const QImage a = built.grab().toImage();
    const QImage b = opened->grab().toImage();
    EXPECT_EQ(a.size(), QSize(799, 585));
    EXPECT_TRUE(a == b) << "the reopened strat looks different";
}

TEST_F(StratFileEditing, ANewStratSavedAtOnceReadsBackEmpty)
{
    ui.answer(home.file("empty"));
    ASSERT_TRUE(map().SalvaTatica(false));
    frmMapa *opened = addWindow();
    ASSERT_TRUE(opened->AbreTatica(home.file("empty.vtr")));
    EXPECT_EQ(opened->iObj(), 0);
    EXPECT_EQ(opened->iTxt(), 0);
    EXPECT_EQ(opened->MarkerCount(), 0);
    EXPECT_EQ(opened->strat().Movements.count(), 0);
}

TEST_F(StratFileEditing, UnreadableFileLeavesTheWindowEmpty)
{
    const QString path = home.write("bad.vtr", QByteArray(30, 'x'));
    const FileResult r = map().AbreTatica(path);
    EXPECT_FALSE(r);
    EXPECT_FALSE(r.message.isEmpty());
    EXPECT_EQ(map().iObj(), 0);
}
