#include "app/frmSplash.h"

#include "app/AboutText.h"
#include "app/Version.h"
#include "widgets/NamedWidgets.h"

#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

using NamedWidgets::label;

frmSplash::frmSplash(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
    , m_frame(NamedWidgets::control<QFrame>("Frame1", this)) {
    setObjectName(QStringLiteral("frmSplash"));
    setWindowTitle(AboutText::productName());
    setAttribute(Qt::WA_DeleteOnClose, false);
    m_frame->setFrameShape(QFrame::Box);
    m_frame->setFrameShadow(QFrame::Sunken);
    m_frame->installEventFilter(this);

    auto* picture = NamedWidgets::control<QLabel>("imgLogo", m_frame);
    picture->setPixmap(QIcon(QStringLiteral(":/icons/Domivo.svg")).pixmap(96, 96));
    picture->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

    QLabel* product = label("lblProductName", AboutText::productName(), m_frame);
    QFont big = product->font();
    big.setPointSizeF(big.pointSizeF() * 2.2);
    big.setBold(true);
    product->setFont(big);

    QLabel* subtitle = label("lblPlatform", AboutText::subtitle(), m_frame);

    QLabel* version = label("lblVersion", versionText(), m_frame);
    version->setAlignment(Qt::AlignRight);

    QLabel* company = label("lblCompany", AboutText::companyName(), m_frame);
    QLabel* copyright = label("lblCopyright", AboutText::legalNotice(), m_frame);
    QLabel* warning = label("lblWarning", AboutText::warning(), m_frame);
    warning->setWordWrap(true);
    QFont small = warning->font();
    small.setPointSizeF(small.pointSizeF() * 0.85);
    warning->setFont(small);

    auto* text = new QVBoxLayout;
    text->addWidget(product);
    text->addWidget(subtitle);
    text->addStretch();
    text->addWidget(version);
    text->addSpacing(12);
    text->addWidget(company);
    text->addWidget(copyright);

    auto* top = new QHBoxLayout;
    top->addWidget(picture);
    top->addSpacing(16);
    top->addLayout(text, 1);

    auto* inner = new QVBoxLayout(m_frame);
    inner->setContentsMargins(18, 18, 18, 18);
    inner->addLayout(top);
    inner->addSpacing(12);
    inner->addWidget(warning);

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(6, 6, 6, 6);
    outer->addWidget(m_frame);
    setFixedSize(500, 300);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

QString frmSplash::versionText() {
    return QStringLiteral("Version %1.%2  Build %3")
        .arg(Version::Major)
        .arg(Version::Minor)
        .arg(Version::Revision);
}

void frmSplash::keyPressEvent(QKeyEvent* event) {
    hide();
    event->accept();
}

bool frmSplash::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_frame && event->type() == QEvent::MouseButtonPress) {
        hide();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}
