// SetLanguageInForm: the window's controls are reached through object names
// and Qt properties, so this stays free of widget code.
#include "i18n/LanguagePack.h"

#include <QMetaObject>
#include <QObject>
#include <QVariant>

namespace vantrel {

namespace {

QString preferred(const QString &override, const QString &text)
{
    return override.isEmpty() ? text : override;
}

// The number after the key's last "(", read up to the first non-digit.
int keyIndex(const QString &key)
{
    const qsizetype open = key.lastIndexOf(QLatin1Char('('));
    qsizetype end = open + 1;
    while (end < key.size() && key[end].isDigit())
        ++end;
    return key.mid(open + 1, end - open - 1).toInt();
}

QObject *control(QObject *form, const QString &name)
{
    return form->findChild<QObject *>(name);
}

QObject *element(QObject *form, const QString &name, int index)
{
    if (QObject *named = control(form, QStringLiteral("%1(%2)").arg(name).arg(index)))
        return named;
    const QList<QObject *> found = form->findChildren<QObject *>(name);
    for (QObject *o : found) {
        const QVariant i = o->property("index");
        if (i.isValid() && i.toInt() == index)
            return o;
    }
    return nullptr;
}

void setCaption(QObject *o, const QString &caption)
{
    if (!o)
        return;
    for (const char *property : {"text", "title", "windowTitle"}) {
        if (o->metaObject()->indexOfProperty(property) >= 0) {
            o->setProperty(property, caption);
            return;
        }
    }
}

void setToolTip(QObject *o, const QString &toolTip)
{
    if (o && o->metaObject()->indexOfProperty("toolTip") >= 0)
        o->setProperty("toolTip", toolTip);
}

void translateControl(QObject *form, const PackControl &c)
{
    const QString caption = preferred(c.captionOverride, c.caption);
    if (c.key.toUpper().contains(QLatin1String(".TABCAPTION("))) {
        if (QObject *tabs = control(form, c.key.section(QLatin1Char('.'), 0, 0)))
            QMetaObject::invokeMethod(tabs, "setTabCaption", Q_ARG(int, keyIndex(c.key)),
                                      Q_ARG(QString, caption));
    } else if (c.key.contains(QLatin1Char(')'))) {
        setCaption(element(form, c.key.section(QLatin1Char('('), 0, 0), keyIndex(c.key)), caption);
    } else {
        QObject *o = control(form, c.key);
        if (!c.caption.isEmpty())
            setCaption(o, caption);
        if (!c.toolTip.isEmpty())
            setToolTip(o, preferred(c.toolTipOverride, c.toolTip));
    }
}

} // namespace

void clsLanguagePack::SetLanguageInForm(QObject *frmForm) const
{
    if (!frmForm)
        return;
    for (const PackWindow &w : m_pack.windows) {
        if (w.name != frmForm->objectName())
            continue;
        frmForm->setProperty("windowTitle", preferred(w.captionOverride, w.caption));
        for (const PackControl &c : w.controls)
            translateControl(frmForm, c);
        return;
    }
}

} // namespace vantrel
