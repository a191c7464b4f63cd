#pragma once

#include <QDialog>
#include <QPixmap>

#include <functional>

class QGroupBox;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace vantrel {

class Workspace;

// The New Strat dialog: the overview catalogue with a preview. OK (or a
// double click on a name) asks the main window for a strat window slot and
// gives the new strat the chosen overview.
class frmNovo : public QDialog
{
    Q_OBJECT

public:
    // imgOverview: 2535 x 1935 twips.
    static constexpr int kPreviewWidth = 169;
    static constexpr int kPreviewHeight = 129;

    // `novoMapa` hands out a slot (NovoMapa) or -1.
    frmNovo(Workspace &workspace, std::function<int()> novoMapa, QWidget *parent = nullptr);

    QListWidget *lstOverview() const { return m_lstOverview; }
    QLabel *imgOverview() const { return m_imgOverview; }
    // The full-size picture behind the preview; null when none is shown.
    const QPixmap &previewPicture() const { return m_picture; }

    // Loads the named overview into the preview (no picture when it cannot be loaded).
    void showPreview(const QString &name);
    void onOkClicked();

private:
    // The selected overview name; empty until the user picks one.
    QString chosenName() const;

    Workspace &m_ws;
    std::function<int()> m_novoMapa;
    QPixmap m_picture;
    QListWidget *m_lstOverview = nullptr;
    QLabel *m_imgOverview = nullptr;
};

} // namespace vantrel
