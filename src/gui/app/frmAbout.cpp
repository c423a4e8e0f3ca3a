#include "app/frmAbout.h"

#include "app/AboutText.h"
#include "app/AppPaths.h"
#include "app/General.h"
#include "app/Globals.h"
#include "app/Settings.h"
#include "app/Version.h"
#include "app/frmSplash.h"
#include "widgets/NamedWidgets.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSysInfo>
#include <QVBoxLayout>
#include <sqlite3.h>

using NamedWidgets::button;
using NamedWidgets::buttonRow;
using NamedWidgets::control;
using NamedWidgets::label;

frmAbout::frmAbout(QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("About ") + General::GetAppTitle());
    setModal(true);

    auto* icon = control<QLabel>("picIcon", this);
    icon->setPixmap(QIcon(QStringLiteral(":/icons/Domivo.svg")).pixmap(64, 64));
    icon->setAlignment(Qt::AlignTop);

    QLabel* title = label("lblTitle", General::GetAppTitle(), this);
    QFont big = title->font();
    big.setPointSizeF(big.pointSizeF() * 1.6);
    big.setBold(true);
    title->setFont(big);

    QLabel* version = label("lblVersion", frmSplash::versionText(), this);
    QLabel* description = label("lblDescription",
                                AboutText::subtitle() +
                                    QStringLiteral(": the things in your home, their prices, "
                                                   "warranties and papers, and your collections."),
                                this);
    description->setWordWrap(true);
    QLabel* notice = label("lblLegal", AboutText::legalNotice(), this);
    QLabel* warning = label("lblDisclaimer", AboutText::warning(), this);
    warning->setWordWrap(true);

    QPushButton* ok = button("cmdOK", QStringLiteral("OK"), this);
    ok->setDefault(true);
    QPushButton* sysInfo = button("cmdSysInfo", QStringLiteral("&System Info..."), this);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(sysInfo, &QPushButton::clicked, this, &frmAbout::cmdSysInfo_Click);

    auto* text = new QVBoxLayout;
    text->addWidget(title);
    text->addWidget(version);
    text->addSpacing(8);
    text->addWidget(description);
    text->addSpacing(8);
    text->addWidget(notice);
    text->addStretch();

    auto* top = new QHBoxLayout;
    top->addWidget(icon);
    top->addSpacing(12);
    top->addLayout(text, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addSpacing(8);
    layout->addWidget(warning);
    layout->addLayout(buttonRow({ok, sysInfo}));
    setMinimumWidth(460);
}

QString frmAbout::systemInfoText() {
    QStringList lines;
    lines << QStringLiteral("%1 %2").arg(General::GetAppTitle(), QLatin1String(Version::Text));
    lines << QStringLiteral("System: %1 (%2, kernel %3 %4)")
                 .arg(QSysInfo::prettyProductName(), QSysInfo::currentCpuArchitecture(),
                      QSysInfo::kernelType(), QSysInfo::kernelVersion());
    lines << QStringLiteral("Qt: %1 (built with %2), platform %3")
                 .arg(QLatin1String(qVersion()), QLatin1String(QT_VERSION_STR),
                      QGuiApplication::platformName());
    lines << QStringLiteral("SQLite: %1").arg(QLatin1String(sqlite3_libversion()));
    const QString database = gData ? gData->Path() : QString();
    lines << QStringLiteral("Data folder: %1")
                 .arg(database.isEmpty()
                          ? QString()
                          : QDir::toNativeSeparators(QFileInfo(database).absolutePath()));
    lines << QStringLiteral("Database file: %1").arg(QDir::toNativeSeparators(database));
    lines
        << QStringLiteral("Settings file: %1").arg(QDir::toNativeSeparators(Settings::fileName()));
    lines << QStringLiteral("Help file: %1")
                 .arg(gHelpFile.isEmpty() ? QStringLiteral("(not found)")
                                          : QDir::toNativeSeparators(gHelpFile));
    return lines.join(QLatin1Char('\n'));
}

void frmAbout::cmdSysInfo_Click() {
    auto* info = findChild<QDialog*>(QStringLiteral("frmSysInfo"));
    if (!info) {
        info = control<QDialog>("frmSysInfo", this);
        info->setWindowTitle(QStringLiteral("System Information"));
        auto* text = control<QPlainTextEdit>("txtSysInfo", info);
        text->setReadOnly(true);
        text->setLineWrapMode(QPlainTextEdit::NoWrap);
        QPushButton* close = button("cmdClose", QStringLiteral("Close"), info);
        connect(close, &QPushButton::clicked, info, &QDialog::accept);
        auto* layout = new QVBoxLayout(info);
        layout->addWidget(text);
        layout->addLayout(buttonRow({close}));
        info->resize(620, 260);
    }
    info->findChild<QPlainTextEdit*>(QStringLiteral("txtSysInfo"))->setPlainText(systemInfoText());
    info->open();
}
