#include "app/frmSplash.h"

#include "app/AboutText.h"
#include "app/Version.h"

#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

frmSplash::frmSplash(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
    , m_frame(new QFrame(this)) {
    setObjectName(QStringLiteral("frmSplash"));
    setWindowTitle(AboutText::productName());
    setAttribute(Qt::WA_DeleteOnClose, false);
    m_frame->setObjectName(QStringLiteral("Frame1"));
    m_frame->setFrameShape(QFrame::Box);
    m_frame->setFrameShadow(QFrame::Sunken);
    m_frame->installEventFilter(this);

    auto* picture = new QLabel(m_frame);
    picture->setObjectName(QStringLiteral("imgLogo"));
    picture->setPixmap(QIcon(QStringLiteral(":/icons/Domivo.svg")).pixmap(96, 96));
    picture->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

    auto* product = new QLabel(AboutText::productName(), m_frame);
    product->setObjectName(QStringLiteral("lblProductName"));
    QFont big = product->font();
    big.setPointSizeF(big.pointSizeF() * 2.2);
    big.setBold(true);
    product->setFont(big);

    auto* subtitle = new QLabel(AboutText::subtitle(), m_frame);
    subtitle->setObjectName(QStringLiteral("lblPlatform"));

    auto* version = new QLabel(versionText(), m_frame);
    version->setObjectName(QStringLiteral("lblVersion"));
    version->setAlignment(Qt::AlignRight);

    auto* company = new QLabel(AboutText::companyName(), m_frame);
    company->setObjectName(QStringLiteral("lblCompany"));

    auto* copyright = new QLabel(AboutText::legalNotice(), m_frame);
    copyright->setObjectName(QStringLiteral("lblCopyright"));

    auto* warning = new QLabel(AboutText::warning(), m_frame);
    warning->setObjectName(QStringLiteral("lblWarning"));
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
