#pragma once

// A chat host with its team board in a thread of its own, as on its own
// machine, listening on free ports of 127.0.0.1.
#include "chat/ChatSession.h"

#include <QThread>

#include <atomic>

class ChatHostThread : public QThread
{
public:
    ~ChatHostThread() override
    {
        quit();
        wait();
    }

    // Starts the host and waits until it listens; false when it cannot.
    bool listen()
    {
        start();
        while (m_port == 0)
            QThread::msleep(1);
        if (m_port < 0) {
            wait();
            return false;
        }
        return true;
    }

    quint16 chatPort() const { return quint16(int(m_port)); }
    // 0 when the board could not listen.
    quint16 boardPort() const { return quint16(int(m_boardPort)); }

protected:
    void run() override
    {
        vantrel::ChatSession host;
        if (!host.host(QStringLiteral("H"), 0, QStringLiteral("127.0.0.1"))) {
            m_port = -1;
            return;
        }
        m_boardPort = host.boardListeningPort();
        m_port = host.listeningPort();
        exec();
        host.reset();
    }

private:
    std::atomic<int> m_port{0};
    std::atomic<int> m_boardPort{0};
};
