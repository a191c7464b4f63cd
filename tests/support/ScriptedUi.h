#pragma once

#include "uiservice/Ui.h"

#include <QString>
#include <QStringList>

#include <deque>
#include <functional>
#include <variant>
#include <vector>

namespace vantrel::test {

// What a window asked the user, as the scripted service saw it.
struct Prompt
{
    enum Kind { Message, Input, OpenFile, SaveFile, Modal, Open } kind;
    QString text;  // message or prompt text; the target for Open
    QString title; // title as passed (empty = program title)
    MsgButtons buttons = MsgButtons::Ok;
    MsgIcon icon = MsgIcon::None;
    QString defaultText; // input default; file filter for file dialogs
    QString initialDir;
    QString dialogName; // objectName of a modal dialog
};

// A Ui that answers from a script, in turn, and records every prompt.
// Running out of answers fails the current test and answers "cancel".
class ScriptedUi : public Ui
{
public:
    using DialogScript = std::function<void(QDialog &)>;
    using Answer = std::variant<MsgResult, QString, DialogScript>;

    void answer(MsgResult r) { m_answers.emplace_back(r); }
    void answer(const QString &text) { m_answers.emplace_back(text); }
    void answer(const char *text) { m_answers.emplace_back(QString::fromUtf8(text)); }
    // The script acts on the dialog (types, clicks OK); runModal then returns its result.
    void answer(DialogScript script) { m_answers.emplace_back(std::move(script)); }

    const std::vector<Prompt> &prompts() const { return m_prompts; }
    const Prompt &last() const { return m_prompts.back(); }
    size_t pendingAnswers() const { return m_answers.size(); }
    void clear()
    {
        m_prompts.clear();
        m_answers.clear();
    }

    MsgResult messageBox(QWidget *owner, const QString &text, const QString &title,
                         MsgButtons buttons, MsgIcon icon) override;
    QString inputBox(QWidget *owner, const QString &prompt, const QString &title,
                     const QString &defaultText) override;
    QString openFileName(QWidget *owner, const QString &title, const QString &filter,
                         const QString &initialDir) override;
    QString saveFileName(QWidget *owner, const QString &title, const QString &filter,
                         const QString &initialDir) override;
    int runModal(QDialog &dialog) override;
    void openTarget(const QString &target) override;

private:
    std::optional<Answer> next(const Prompt &prompt);
    QString nextText(const Prompt &prompt);

    std::deque<Answer> m_answers;
    std::vector<Prompt> m_prompts;
};

} // namespace vantrel::test
