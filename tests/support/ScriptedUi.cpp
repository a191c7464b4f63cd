#include "support/ScriptedUi.h"

#include <QDialog>

#include <gtest/gtest.h>

namespace vantrel::test {

std::optional<ScriptedUi::Answer> ScriptedUi::next(const Prompt &prompt)
{
    m_prompts.push_back(prompt);
    if (m_answers.empty()) {
        ADD_FAILURE() << "unscripted prompt: " << prompt.text.toStdString() << " / "
                      << prompt.title.toStdString() << " / " << prompt.dialogName.toStdString();
        return std::nullopt;
    }
    Answer a = std::move(m_answers.front());
    m_answers.pop_front();
    return a;
}

QString ScriptedUi::nextText(const Prompt &prompt)
{
    const auto a = next(prompt);
    if (!a)
        return {};
    if (const auto *text = std::get_if<QString>(&*a))
        return *text;
    ADD_FAILURE() << "expected a text answer for: " << prompt.text.toStdString();
    return {};
}

MsgResult ScriptedUi::messageBox(QWidget *, const QString &text, const QString &title,
                                 MsgButtons buttons, MsgIcon icon)
{
    Prompt p{Prompt::Message, text, title, buttons, icon, {}, {}, {}};
    const auto a = next(p);
    if (!a)
        return buttons == MsgButtons::YesNo ? MsgResult::No : MsgResult::Cancel;
    if (const auto *r = std::get_if<MsgResult>(&*a))
        return *r;
    ADD_FAILURE() << "expected a button answer for: " << text.toStdString();
    return MsgResult::Cancel;
}

QString ScriptedUi::inputBox(QWidget *, const QString &prompt, const QString &title,
                             const QString &defaultText)
{
    return nextText(
        {Prompt::Input, prompt, title, MsgButtons::OkCancel, MsgIcon::None, defaultText, {}, {}});
}

QString ScriptedUi::openFileName(QWidget *, const QString &title, const QString &filter,
                                 const QString &initialDir)
{
    return nextText(
        {Prompt::OpenFile, {}, title, MsgButtons::OkCancel, MsgIcon::None, filter, initialDir, {}});
}

QString ScriptedUi::saveFileName(QWidget *, const QString &title, const QString &filter,
                                 const QString &initialDir)
{
    return nextText(
        {Prompt::SaveFile, {}, title, MsgButtons::OkCancel, MsgIcon::None, filter, initialDir, {}});
}

int ScriptedUi::runModal(QDialog &dialog)
{
    Prompt p{Prompt::Modal,      dialog.windowTitle(), {}, MsgButtons::Ok, MsgIcon::None, {}, {},
             dialog.objectName()};
    const auto a = next(p);
    if (!a)
        return QDialog::Rejected;
    if (const auto *script = std::get_if<DialogScript>(&*a)) {
        (*script)(dialog);
        return dialog.result();
    }
    ADD_FAILURE() << "expected a dialog script for " << dialog.objectName().toStdString();
    return QDialog::Rejected;
}

void ScriptedUi::openTarget(const QString &target)
{
    // Opening never asks anything; it is only recorded.
    m_prompts.push_back({Prompt::Open, target, {}, MsgButtons::Ok, MsgIcon::None, {}, {}, {}});
}

} // namespace vantrel::test
