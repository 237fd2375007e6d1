#include "about/aboutbox.h"

#include "about/applicationicon.h"
#include "platform/application.h"
#include "platform/twips.h"

#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>

namespace gridlore {

using twips::placed;

namespace {

const QString Title = QStringLiteral("Gridloreシミュレータ 　　　　　Ver1.00");

const QString Copyright = QStringLiteral("Copyright (C) 2026 gridlore 開発チーム");

const QString Description
    = QStringLiteral("ライフゲームは1970年にイギリスの数学者が考案しました。簡単な規則で生まれては"
                     "消えていく生命体が、増えたり減ったりする様子をご覧ください。");

const QString Disclaimer = QStringLiteral(
    "本ソフトはフリーソフトです。個人で楽しむ範囲でご自由にお使いください。"
    "無断での転載・販売はご遠慮ください。本ソフトの使用によって生じたいかなる損害についても、"
    "作者は一切の責任を負いません。");

const QString Contact = QStringLiteral("(お問合せ等　gridlore@example.org )");

// Palette text even where the layout says black: the same on light faces, readable on dark.
QLabel *wrapping(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

void setColour(QWidget *control, QPalette::ColorRole role, const QColor &colour)
{
    QPalette palette = control->palette();
    palette.setColor(role, colour);
    control->setPalette(palette);
}

// One element of the etched separator: a solid line `pixels` thick from
// (x1, y) to (x2, y) twips, both ends included.
QFrame *lineElement(
    QWidget *parent, int index, double x1, double x2, double y, const QColor &colour, int pixels)
{
    auto *line = new QFrame(parent);
    line->setObjectName(QStringLiteral("separatorLine"));
    line->setProperty("Index", index);
    const QPoint from = twips::toPoint(x1, y);
    const QPoint to = twips::toPoint(x2, y);
    line->setGeometry(QRect(from, QSize(to.x() - from.x() + 1, pixels)));
    line->setAutoFillBackground(true);
    setColour(line, QPalette::Window, colour);
    return line;
}

} // namespace

AboutBox::AboutBox(QWidget *parent)
    : QDialog(parent,
        Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint
            | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint)
{
    setAttribute(Qt::WA_DeleteOnClose);
    createControls();
    connect(okButton, &QPushButton::clicked, this, &AboutBox::close);
}

// The caption, the client area at its fixed size and place, then the
// controls in tab order, which Qt takes for the focus order (only okButton
// takes the focus).
void AboutBox::createControls()
{
    setWindowTitle(applicationTitle() + QStringLiteral("のﾊﾞｰｼﾞｮﾝ情報"));
    setFixedSize(twips::toSize(5940, 4665));
    // Placed from the screen's corner, not centred as Qt would place a dialog.
    const QScreen *screen = QGuiApplication::primaryScreen();
    const QPoint origin = screen ? screen->geometry().topLeft() : QPoint();
    setGeometry(QRect(origin + twips::toPoint(2340, 1935), size()));

    okButton
        = placed(new QPushButton(QStringLiteral("OK"), this), "okButton", 4320, 4200, 1380, 345);
    descriptionLabel
        = placed(wrapping(Description, this), "descriptionLabel", 720, 1440, 4725, 765);
    disclaimerLabel = placed(wrapping(Disclaimer, this), "disclaimerLabel", 360, 2625, 5055, 1065);
    titleLabel = placed(wrapping(Title, this), "titleLabel", 1050, 240, 3885, 480);
    copyrightLabel = placed(wrapping(Copyright, this), "copyrightLabel", 600, 960, 4845, 225);
    icon = placed(new QLabel(this), "icon", 120, 0, 660, 570);
    contactLabel = placed(wrapping(Contact, this), "contactLabel", 360, 3720, 5175, 375);
    separatorLines[1] = lineElement(this, 1, 90, 5654, 2445, QColor(128, 128, 128), 1);
    separatorLines[0] = lineElement(this, 0, 105, 5654, 2460, Qt::white, 2);

    contactLabel->setFont(japaneseFont(9.75));

    // Drawn for the screen's pixel density, shown at its own size.
    const qreal ratio = devicePixelRatioF();
    QPixmap picture = QPixmap::fromImage(iconImage(IconSize * ratio));
    picture.setDevicePixelRatio(ratio);
    icon->setPixmap(picture);

    // Enter clicks it as the default button; Esc closes the dialog the same way.
    okButton->setDefault(true);
    okButton->setFocus();
}

} // namespace gridlore
