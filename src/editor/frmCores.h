#pragma once

#include <QDialog>

#include <array>
#include <cstdint>

class QPushButton;

namespace vantrel {

class ColorBox;

// The colour dialog: twenty fixed colours and a preview. A click on any box
// (the preview included) takes its colour into the preview; OK hands the
// preview's colour back as ChosenColor(); without OK it stays the colour the
// dialog was opened with.
class frmCores : public QDialog
{
    Q_OBJECT

public:
    static constexpr int kBoxes = 20;

    // Opens with `color` in the preview.
    explicit frmCores(uint32_t color, QWidget *parent = nullptr);

    // picCor(0)..picCor(19) are the palette, picCor(20) the preview.
    ColorBox *picCor(int i) const { return m_picCor.at(size_t(i)); }
    QPushButton *cmdOk() const { return m_cmdOk; }
    void setPreview(uint32_t value);
    uint32_t preview() const;

    uint32_t ChosenColor() const { return m_chosenColor; }

    void accept() override;

private:
    uint32_t m_chosenColor;
    std::array<ColorBox *, kBoxes + 1> m_picCor{};
    QPushButton *m_cmdOk;
};

// A clickable box filled with a stored colour value.
class ColorBox : public QWidget
{
    Q_OBJECT

public:
    explicit ColorBox(QWidget *parent = nullptr);
    uint32_t value() const { return m_value; }
    void setValue(uint32_t value);

Q_SIGNALS:
    void clicked(uint32_t value);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    uint32_t m_value = 0;
};

} // namespace vantrel
