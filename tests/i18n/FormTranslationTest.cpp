// SetLanguageInForm on plain objects standing in for windows and controls.
#include "PackTestSupport.h"
#include "i18n/LanguagePack.h"
#include "i18n/TipsFile.h"

#include <QObject>

#include <gtest/gtest.h>

using namespace vantrel;

namespace {

class Control : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString text MEMBER text)
    Q_PROPERTY(QString toolTip MEMBER toolTip)
    Q_PROPERTY(QString windowTitle MEMBER windowTitle)

public:
    Control(const QString &name, QObject *parent, int index = -1)
        : QObject(parent)
    {
        setObjectName(name);
        if (index >= 0)
            setProperty("index", index);
        text = toolTip = windowTitle = QStringLiteral("old");
    }

    Q_INVOKABLE void setTabCaption(int tab, const QString &caption) { tabs[tab] = caption; }

    QString text, toolTip, windowTitle;
    QMap<int, QString> tabs;
};

PackControl control(const char *key, const char *caption, const char *toolTip = "",
                    const char *captionOverride = "", const char *toolTipOverride = "")
{
    return {{},
            QString::fromUtf8(key),
            QString::fromUtf8(caption),
            QString::fromUtf8(toolTip),
            QString::fromUtf8(captionOverride),
            QString::fromUtf8(toolTipOverride),
            0};
}

} // namespace

TEST(SetLanguageInForm, KeyFormsAndEmptyTexts)
{
    Control form(QStringLiteral("frmMov"), nullptr);
    Control ok(QStringLiteral("cmdOK"), &form);
    Control tipOnly(QStringLiteral("cmdTip"), &form);
    Control over(QStringLiteral("cmdOver"), &form);
    Control opt0(QStringLiteral("optVel(0)"), &form);
    Control opt2(QStringLiteral("optVel(2)"), &form);
    Control ico1(QStringLiteral("imgIco"), &form, 1);
    Control tabs(QStringLiteral("tabs"), &form);

    PackWindow w;
    w.name = QStringLiteral("frmMov");
    w.caption = QStringLiteral("Movimento");
    w.controls = {control("cmdOK", "Confirmar", "Grava"),
                  control("cmdTip", "", "Só a dica"),
                  control("cmdOver", "a", "b", "A!", "B!"),
                  control("optVel(2)", "Granada", "ignored"),
                  control("optVel(0)", ""),
                  control("imgIco(1)", "um"),
                  control("tabs.tabcaption(3)", "Aba", "", "Aba!"),
                  control("missing", "x", "y"),
                  control("missing(4)", "x")};
    PackWindow second = w;
    second.caption = QStringLiteral("second");
    PackData p;
    p.windows = {w, second};
    clsLanguagePack pack;
    pack.setPack(p, QStringLiteral("p.lpk"));
    pack.SetLanguageInForm(&form);

    EXPECT_EQ(form.windowTitle, QStringLiteral("Movimento"));
    EXPECT_EQ(ok.text, QStringLiteral("Confirmar"));
    EXPECT_EQ(ok.toolTip, QStringLiteral("Grava"));
    EXPECT_EQ(tipOnly.text, QStringLiteral("old"));
    EXPECT_EQ(tipOnly.toolTip, QStringLiteral("Só a dica"));
    EXPECT_EQ(over.text, QStringLiteral("A!"));
    EXPECT_EQ(over.toolTip, QStringLiteral("B!"));
    EXPECT_EQ(opt2.text, QStringLiteral("Granada"));
    EXPECT_EQ(opt2.toolTip, QStringLiteral("old")); // elements get a caption only
    EXPECT_EQ(opt0.text, QString());                // ... even an empty one
    EXPECT_EQ(ico1.text, QStringLiteral("um"));
    EXPECT_EQ(tabs.tabs.value(3), QStringLiteral("Aba!"));

    Control other(QStringLiteral("frmOther"), nullptr);
    pack.SetLanguageInForm(&other);
    EXPECT_EQ(other.windowTitle, QStringLiteral("old"));

    p.windows = {PackWindow{{}, QStringLiteral("frmOther"), {}, {}, {}, {}}};
    pack.setPack(p, QStringLiteral("p.lpk"));
    pack.SetaLinguagemnoForm(&other);
    EXPECT_EQ(other.windowTitle, QString());
}

TEST(TipsFile, LineRules)
{
    const struct
    {
        QByteArray bytes;
        QStringList tips;
    } cases[] = {
        {"", {}},
        {"one", {"one"}},
        {"one\r\n", {"one"}},
        {"a\r\n\r\nb", {"a", "", "b"}},
        {"a\rb\r", {"a", "b"}},
        {"a\nb\r\nc", {"a\nb", "c"}},
        {"\r\n", {""}},
        {"caf\xe9", {QStringLiteral("café")}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(TipsFile::parse(c.bytes), c.tips) << c.bytes.toStdString();
    for (const auto &[count, r, tip] :
         {std::tuple{1, 0.99, 1}, {4, 0.0, 1}, {4, 0.5, 3}, {4, 0.9999, 4}})
        EXPECT_EQ(TipsFile::pick(count, r), tip);
}

#include "FormTranslationTest.moc"
