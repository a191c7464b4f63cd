#pragma once

#include "uiservice/Ui.h"

namespace vantrel {

// A Ui for runs without a person: headless rendering and benchmarks. Every
// message box gets the same answer, every other question none; the last
// message shown is kept so the caller can report it.
class SilentUi : public Ui
{
public:
    explicit SilentUi(MsgResult answer = MsgResult::Ok)
        : m_answer(answer)
    {
    }

    MsgResult messageBox(QWidget *, const QString &text, const QString &, MsgButtons,
                         MsgIcon) override
    {
        lastMessage = text;
        return m_answer;
    }
    QString inputBox(QWidget *, const QString &, const QString &, const QString &) override
    {
        return {};
    }
    QString openFileName(QWidget *, const QString &, const QString &, const QString &) override
    {
        return {};
    }
    QString saveFileName(QWidget *, const QString &, const QString &, const QString &) override
    {
        return {};
    }
    int runModal(QDialog &) override { return 0; }
    void openTarget(const QString &) override {}

    QString lastMessage;

private:
    MsgResult m_answer;
};

} // namespace vantrel
