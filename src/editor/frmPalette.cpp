#include "frmPalette.h"

#include "Controls.h"
#include "Palette.h"

#include <QAbstractButton>
#include <QGridLayout>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>
#include <QShortcut>

namespace {

constexpr int Columns = 16;
constexpr int SwatchSize = 18;

// One colour of the palette as a button, framed while its property "framed" is set.
class Swatch : public QAbstractButton {
public:
    Swatch(int number, QWidget* parent) : QAbstractButton(parent)
    {
        const modLoad::ColourRGB& rgb = modLoad::Palette[static_cast<std::size_t>(number)];
        colour = QColor(rgb.Red, rgb.Green, rgb.Blue);
        setObjectName(QStringLiteral("swatch%1").arg(number));
        setAccessibleName(frmPalette::tr("Colour %1").arg(number));
        setToolTip(frmPalette::tr("Red %1, green %2, blue %3").arg(rgb.Red).arg(rgb.Green).arg(rgb.Blue));
        setFixedSize(SwatchSize, SwatchSize);
        setFocusPolicy(Qt::StrongFocus);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), colour);
        if (property("framed").toBool()) {
            painter.setBrush(Qt::NoBrush);
            painter.setPen(QPen(Qt::black, 2));
            painter.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
            painter.setPen(QPen(Qt::white, 1));
            painter.drawRect(QRectF(rect()).adjusted(2.5, 2.5, -2.5, -2.5));
        }
        // Inside the frame, so that a framed swatch with the keys shows both.
        if (hasFocus()) {
            painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
            painter.drawRect(QRectF(rect()).adjusted(4, 4, -4, -4));
        }
    }
    // The window moves among the swatches.
    void keyPressEvent(QKeyEvent* event) override
    {
        if (ui::ArrowStep(event->key()).isNull())
            QAbstractButton::keyPressEvent(event);
        else
            event->ignore();
    }

private:
    QColor colour;
};

}  // namespace

frmPalette::frmPalette(QWidget* editor) : QWidget(editor, Qt::Window)
{
    setObjectName(QStringLiteral("frmPalette"));
    setWindowTitle(tr("Palette"));
    auto* grid = new QGridLayout(this);
    grid->setSpacing(1);
    grid->setContentsMargins(4, 4, 4, 4);
    grid->setSizeConstraint(QLayout::SetFixedSize);
    for (int n = 0; n < modLoad::PaletteSize; ++n) {
        auto* swatch = new Swatch(n, this);
        grid->addWidget(swatch, n / Columns, n % Columns);
        connect(swatch, &QAbstractButton::clicked, this, [this, n] { emit Choose(n); });
        swatches << swatch;
    }
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this, &QWidget::close);
}

void frmPalette::Frame(int colour)
{
    framed = colour;
    for (int n = 0; n < swatches.size(); ++n) {
        swatches[n]->setProperty("framed", n == colour);
        swatches[n]->update();
    }
}

void frmPalette::ShowBeside(const QWidget& editor)
{
    if (!isVisible()) {
        adjustSize();
        const QRect beside = editor.frameGeometry(), screen = editor.screen()->availableGeometry();
        const int frame = frameGeometry().width() - width();
        const int right = beside.right() + 1, left = beside.left() - width() - frame;
        move(right + width() + frame <= screen.right() + 1 || left < screen.left() ? right : left, beside.top());
    }
    show();
    raise();
    activateWindow();
    // The keyboard starts at the triangle's colour, which a screen reader reads first.
    if (framed >= 0 && framed < swatches.size())
        swatches[framed]->setFocus(Qt::ActiveWindowFocusReason);
}

void frmPalette::keyPressEvent(QKeyEvent* event)
{
    const QPoint step = ui::ArrowStep(event->key());
    const int at = static_cast<int>(swatches.indexOf(qobject_cast<QAbstractButton*>(focusWidget())));
    if (step.isNull() || at < 0)
        return QWidget::keyPressEvent(event);
    const int next = at + step.x() + Columns * step.y();
    if (next >= 0 && next < swatches.size())
        swatches[next]->setFocus(Qt::TabFocusReason);
}
