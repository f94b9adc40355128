#include "app/widgets/SplashWindow.h"

#include "Identity.h"
#include "entry/TextRules.h"
#include "entry/Twips.h"
#include "entry/widgets/DialogFont.h"

#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>

namespace quorra {

using namespace Qt::StringLiterals;

namespace {

QLabel* boldLabel(QWidget* parent, const QRect& rect) {
    auto* label = new QLabel(parent);
    label->setFont(dialogFont(true));
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setGeometry(rect);
    return label;
}

} // namespace

SplashWindow::SplashWindow(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint) {
    setObjectName(u"frmSplash"_s);
    setWindowTitle(QString());
    setFixedSize(twips(5940), twips(3795));
    setFont(dialogFont());

    auto* frame = new QFrame(this);
    frame->setObjectName(u"fraMainFrame"_s);
    frame->setFrameShape(QFrame::Box);
    frame->setFrameShadow(QFrame::Raised);
    frame->setLineWidth(1);
    frame->setGeometry(twipsRect(0, 0, 5940, 3735));

    auto* logo = new QLabel(frame);
    logo->setObjectName(u"picLogo"_s);
    logo->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    logo->setPixmap(QPixmap(u":/art/logo.png"_s));
    logo->setGeometry(twipsRect(120, 240, 2535, 3585));

    auto* title = new QLabel(frame);
    title->setObjectName(u"imgTitle"_s);
    title->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    title->setPixmap(QPixmap(u":/art/title.png"_s));
    title->setGeometry(twipsRect(2640, 240, 3015, 1095));

    m_lblQuorratext = boldLabel(frame, twipsRect(2760, 1560, 2895, 1095));
    m_lblQuorratext->setObjectName(u"lblQuorratext"_s);
    m_lblQuorratext->setText(u"Quorra Development Suite"_s);
    m_lblWarning = boldLabel(frame, twipsRect(2760, 2760, 2895, 795));
    m_lblWarning->setObjectName(u"lblWarning"_s);
    m_lblWarning->setText(u"Warning"_s);

    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    Form_Load();
}

QString SplashWindow::versionCaption() {
    return u"Quorra\r\nDevelopment Wizard\r\n\r\nVersion "_s + QLatin1StringView(identity::Version) +
           u"\r\n"_s;
}

QString SplashWindow::warningCaption() {
    return u"Warning: this program and its themes are protected by copyright. Do not copy or pass them on."_s;
}

void SplashWindow::Form_Load() {
    m_lblQuorratext->setText(fromCrLf(versionCaption()));
    m_lblWarning->setText(warningCaption());
}

} // namespace quorra
