#pragma once

#include "app/frmPrincipal.h"
#include "editor/frmMapa.h"
#include "strat/StratFile.h"
#include "support/ScriptedUi.h"
#include "support/TempHome.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QLabel>

#include <gtest/gtest.h>

#include <memory>

namespace vantrel::test {

// A main window on a temporary program folder and settings profile, with a
// scripted Ui. The profile is a returning user's (welcome, association and
// tips already done); the start-up tests clear the markers they need.
class ShellTest : public ::testing::Test
{
protected:
    ShellTest()
        : frm(std::make_unique<frmPrincipal>(ui))
    {
        frm->settings().setFirstRunMarker(1);
        frm->settings().setAssociationMarker(1);
        frm->settings().setShowTips(false);
    }

    Workspace &ws() { return frm->workspace(); }

    // What the strat window's title label lblTitulo shows.
    static QString titleShown(const frmMapa *w)
    {
        return w->findChild<QLabel *>(QStringLiteral("lblTitulo"))->text();
    }

    static QByteArray png(int w, int h, Qt::GlobalColor colour = Qt::darkGreen)
    {
        QImage img(w, h, QImage::Format_RGB32);
        img.fill(colour);
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        img.save(&buffer, "PNG");
        return bytes;
    }

    // A small strat with something in every list.
    static Strat sampleStrat(const QString &overview = QStringLiteral("lagoon.png"))
    {
        Strat s;
        s.Overview = overview;
        s.Title = QStringLiteral("Rush B");
        s.Objects.append(StratObject{3, 1500, 1200});
        s.Objects.append(StratObject{11, 3000, 2250});
        s.Texts.append(StratText{600, 450, QStringLiteral("smoke here")});
        StratMovement m;
        m.ObjectIndex = 1;
        m.PointCount = 2;
        m.Points
            = {MovementPoint{}, MovementPoint{0, 2000, 1500, 8}, MovementPoint{40, 2600, 1500, 3}};
        s.Movements.append(m);
        s.LineColors.append(0x000000FFu);
        s.Links.append(StratLink{QStringLiteral("http://127.0.0.1/plan"), 2, 0, 0});
        return s;
    }

    QString writeStrat(const QString &relative, const Strat &strat)
    {
        const QString path = home.file(relative);
        EXPECT_TRUE(StratFile::write(path, strat).ok);
        return path;
    }

    static QByteArray bytesOf(const QString &path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    TempHome home;
    ScriptedUi ui;
    std::unique_ptr<frmPrincipal> frm;
};

} // namespace vantrel::test
