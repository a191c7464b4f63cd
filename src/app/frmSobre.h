#pragma once

#include <QDialog>

class QLabel;

namespace vantrel {

class Workspace;

// The About box: the program's name and version, and labels that open the
// homepage, the chat channel and a mail to the team.
class frmSobre : public QDialog
{
    Q_OBJECT

public:
    static constexpr const char *kHomepage = "http://www.vantrel.net";
    static constexpr const char *kIrc = "irc://irc.vantrel.net/vantrel";
    static constexpr const char *kEmail = "team@vantrel.net";
    static constexpr const char *kCard = "http://www.vantrel.net/team";

    explicit frmSobre(Workspace &workspace, QWidget *parent = nullptr);

    // major + "." + minor + revision, each without leading zeros: 1, 0, 3
    // gives "1.03"; 2, 1, 12 gives "2.112".
    static QString versionText(int major, int minor, int revision);
    // The version of this build.
    static QString programVersion();

    QLabel *lblVer() const { return m_lblVer; }

private:
    QLabel *m_lblVer = nullptr;
};

} // namespace vantrel
