#include "board/BoardWire.h"
#include "board/BoardFrameReader.h"

#include <gtest/gtest.h>

using namespace vantrel;

TEST(BoardWire, FramesComeThroughAnySplitWithTheirFields)
{
    const QByteArray strat = "strat bytes \0 with a nul";
    const QString longNick(2000, QChar(0x00e9)); // cut to whole characters
    const QByteArray stream = BoardWire::hello(longNick) + BoardWire::share("Ana", "Ação", strat)
                              + BoardWire::play("", {BoardPlay::Run::Paused, 77, 0.5})
                              + BoardWire::ping("Bo", QPoint(-5, 7)) + BoardWire::taken();
    for (int chunk : {1, 3, 7, int(stream.size())}) {
        SCOPED_TRACE(chunk);
        BoardFrameReader reader;
        QList<BoardWire::Message> got;
        for (qsizetype at = 0; at < stream.size(); at += chunk) {
            reader.append(stream.mid(at, chunk));
            uint8_t type;
            QByteArray payload;
            while (reader.next(type, payload) == BoardFrameReader::Status::Frame) {
                QString error;
                const auto m = BoardWire::decode(type, payload, &error);
                ASSERT_TRUE(m) << error.toStdString();
                got << *m;
            }
        }
        ASSERT_EQ(got.size(), 5);
        EXPECT_EQ(reader.buffered(), 0);
        EXPECT_EQ(got[0].version, BoardWire::kVersion);
        EXPECT_EQ(got[0].nick, QString(BoardWire::kMaxTextBytes / 2, QChar(0x00e9)));
        EXPECT_EQ(got[1].nick, "Ana");
        EXPECT_EQ(got[1].text, "Ação");
        EXPECT_EQ(got[1].strat, strat);
        EXPECT_EQ(got[2].play, (BoardPlay{BoardPlay::Run::Paused, 77, 0.5}));
        EXPECT_EQ(got[3].point, QPoint(-5, 7));
        EXPECT_EQ(got[4].type, BoardWire::Type::Taken);
    }
}

TEST(BoardWire, PlayStatesOutOfRangeAreRefused)
{
    for (const BoardPlay &bad :
         {BoardPlay{BoardPlay::Run(3), 0, 1.0}, BoardPlay{BoardPlay::Run::Running, -1, 1.0},
          BoardPlay{BoardPlay::Run::Running, 0, 0.0}, BoardPlay{BoardPlay::Run::Running, 0, 1e9}}) {
        const QByteArray frame = BoardWire::play("", bad);
        QString error;
        EXPECT_FALSE(BoardWire::decode(frame[0], frame.mid(BoardWire::kHeaderSize), &error));
        EXPECT_FALSE(error.isEmpty());
    }
}
