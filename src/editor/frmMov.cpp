#include "editor/frmMov.h"

#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

namespace vantrel {

frmMov::frmMov(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmMov"));
    setWindowTitle(QStringLiteral("Movement"));
    auto *label1 = new QLabel(QStringLiteral("Start (frame):"), this);
    label1->setObjectName(QStringLiteral("Label1"));
    m_txtIni = new QLineEdit(QStringLiteral("0"), this);
    m_txtIni->setObjectName(QStringLiteral("txtIni"));
    m_txtIni->installEventFilter(this);
    auto *label2 = new QLabel(QStringLiteral("Velocity:"), this);
    label2->setObjectName(QStringLiteral("Label2"));
    const char *captions[3] = {"Runing", "Walk", "Granade"};
    for (int i = 0; i < 3; ++i) {
        m_optVel[size_t(i)] = new QRadioButton(QString::fromLatin1(captions[i]), this);
        m_optVel[size_t(i)]->setObjectName(QStringLiteral("optVel(%1)").arg(i));
    }
    m_optVel[0]->setChecked(true);
    m_cmdOK = new QPushButton(QStringLiteral("OK"), this);
    m_cmdOK->setObjectName(QStringLiteral("cmdOK"));
    m_cmdOK->setDefault(true);

    auto *layout = new QGridLayout(this);
    layout->addWidget(label1, 0, 0);
    layout->addWidget(m_txtIni, 0, 1);
    layout->addWidget(label2, 1, 0);
    for (int i = 0; i < 3; ++i)
        layout->addWidget(m_optVel[size_t(i)], 1 + i, 1);
    layout->addWidget(m_cmdOK, 4, 1);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    connect(m_cmdOK, &QPushButton::clicked, this, &frmMov::accept);
}

void frmMov::prepareForNewPoint(bool grenade)
{
    m_optVel[0]->setEnabled(!grenade);
    m_optVel[1]->setEnabled(!grenade);
    m_optVel[2]->setEnabled(grenade);
    m_optVel[grenade ? 2 : 0]->setChecked(true);
}

void frmMov::prepareForEdit(int32_t startFrame, float velocity)
{
    m_txtIni->setText(QString::number(startFrame));
    const int option = velocity == kRunning ? 0 : velocity == kWalk ? 1 : 2;
    m_optVel[size_t(option)]->setChecked(true);
}

void frmMov::accept()
{
    bool numeric = false;
    const QString text = m_txtIni->text().trimmed();
    const double value = text.toDouble(&numeric);
    // A start frame that is not a number (or does not fit) counts as 0.
    int32_t startFrame = 0;
    if (numeric && value >= INT32_MIN && value <= INT32_MAX)
        startFrame = int32_t(qRound64(value));
    else
        m_txtIni->setText(QStringLiteral("0"));
    const float velocity = m_optVel[0]->isChecked()   ? kRunning
                           : m_optVel[1]->isChecked() ? kWalk
                                                      : kGrenade;
    m_answer = MovementAnswer{startFrame, velocity};
    QDialog::accept();
}

bool frmMov::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_txtIni && event->type() == QEvent::FocusIn)
        QTimer::singleShot(0, m_txtIni, &QLineEdit::selectAll);
    return QDialog::eventFilter(watched, event);
}

} // namespace vantrel
