// The build installed under a temporary prefix, as a package installs it under /usr: the
// programs and what they ship where they look for it, the menu entry, icon and metadata as
// Debian's own validators judge them, the installed programs at work, and manual pages that
// cover every command and option the programs' --help lists.

#include "TestEnvironment.h"

#include "app/AppPaths.h"
#include "app/Version.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSize>

namespace {

const QString appId = "com.qelto.Domivo";

// The width and height a PNG file's header gives, or (0, 0) for anything else.
QSize pngSize(const QString& path) {
    const QByteArray bytes = readFile(path);
    if (bytes.size() < 24 || !bytes.startsWith("\x89PNG\r\n\x1a\n"))
        return {};
    const auto word = [&](int at) {
        int value = 0;
        for (int i = 0; i < 4; ++i)
            value = value * 256 + static_cast<unsigned char>(bytes[at + i]);
        return value;
    };
    return {word(16), word(20)};
}

// A validator of Debian's must know the file and find nothing to say about it: no error,
// warning, hint or remark (appstreamcli's E:, W:, I: lines).
void expectValid(const QString& program, const QStringList& args) {
    const ProcessResult result =
        runProcess(program, args, QProcessEnvironment::systemEnvironment());
    const QRegularExpression remark("^[EWI]: |: (error|warning|hint): ",
                                    QRegularExpression::MultilineOption);
    QVERIFY2(result.exitCode == 0 && !remark.match(result.out + result.err).hasMatch(),
             qPrintable(QString("%1 %2 (exit %3; run tools/install-deps.sh when it is missing):\n"
                                "%4%5")
                            .arg(program, args.join(' '))
                            .arg(result.exitCode)
                            .arg(result.out, result.err)));
}

// The page as `man` shows it, in plain ASCII, with groff's warnings failing the test.
QString renderedManPage(const QString& path) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("LC_ALL", "C");
    environment.insert("MANWIDTH", "200");
    environment.remove("MAN_KEEP_FORMATTING");
    const ProcessResult result = runProcess("man", {"--warnings", "-l", path}, environment);
    if (result.exitCode != 0 || !result.err.isEmpty())
        QTest::qFail(qPrintable("man " + path + ": " + result.err), __FILE__, __LINE__);
    return result.out;
}

int indentation(const QString& line) {
    int blanks = 0;
    while (blanks < line.size() && line[blanks] == ' ')
        ++blanks;
    return blanks;
}

// The lines of one section of a rendered page (its heading starts at the margin).
QStringList section(const QString& page, const QString& heading) {
    QStringList lines;
    bool inside = false;
    for (const QString& line : page.split('\n')) {
        if (!line.isEmpty() && indentation(line) == 0)
            inside = line == heading;
        else if (inside)
            lines.append(line);
    }
    return lines;
}

// The entry whose tag starts with the given words (after an option's one-letter alias, as in
// "-v, --version"), up to the next tag of its level; "" when the section has no such entry.
QString entry(const QStringList& lines, const QString& words) {
    const QRegularExpression tag("^ +(?:-[a-z], )?" + QRegularExpression::escape(words) + "( |$)");
    for (int i = 0; i < lines.size(); ++i) {
        if (!tag.match(lines[i]).hasMatch())
            continue;
        QStringList text = {lines[i]};
        for (int next = i + 1; next < lines.size(); ++next) {
            if (!lines[next].trimmed().isEmpty() &&
                indentation(lines[next]) <= indentation(lines[i]))
                break;
            text.append(lines[next]);
        }
        return text.join('\n');
    }
    return {};
}

// The long options a usage text names, --help aside.
QStringList longOptions(const QString& usage) {
    QStringList options;
    QRegularExpressionMatchIterator found =
        QRegularExpression("(?:^|[\\s\\[,])(--[a-z][a-z-]*)").globalMatch(usage);
    while (found.hasNext()) {
        const QString option = found.next().captured(1);
        if (option != "--help" && !options.contains(option))
            options.append(option);
    }
    return options;
}

// The commands `domivo-cli --help` lists: the words of each line under "Commands:" that is
// indented by two, up to the first option or argument.
QStringList listedCommands(const QString& usage) {
    QStringList commands;
    const QString list = usage.section("Commands:\n", 1);
    for (const QString& line : list.split('\n')) {
        const QRegularExpressionMatch command =
            QRegularExpression("^  ([a-z][a-z-]*(?: [a-z][a-z-]*)*)(?: |$)").match(line);
        if (command.hasMatch())
            commands.append(command.captured(1));
    }
    return commands;
}

} // namespace

class InstallTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_prefix;

    QString installed(const QString& relative) const { return m_prefix.filePath(relative); }
    ProcessResult run(const QString& program, const QStringList& args,
                      const TestEnvironment& env) const {
        return runProcess(installed("bin/" + program), args, env.processEnvironment());
    }

private slots:
    void initTestCase() {
        QVERIFY(m_prefix.isValid());
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove("DESTDIR");
        const ProcessResult result =
            runProcess(DOMIVO_CMAKE_COMMAND,
                       {"--install", DOMIVO_BUILD_DIR, "--prefix", m_prefix.path()}, environment);
        QVERIFY2(result.exitCode == 0, qPrintable(result.out + result.err));
    }

    void installsTheProgramsAndWhatTheyShip() {
        const QStringList files = {
            "bin/domivo",
            "bin/domivo-cli",
            "share/domivo/Domivo.qch",
            "share/domivo/Domivo.qhc",
            "share/domivo/DOMIVO.CSS",
            "share/applications/" + appId + ".desktop",
            "share/metainfo/" + appId + ".metainfo.xml",
            "share/icons/hicolor/scalable/apps/" + appId + ".svg",
            "share/man/man1/domivo.1",
            "share/man/man1/domivo-cli.1",
            "share/doc/domivo/copyright",
        };
        for (const QString& file : files)
            QVERIFY2(QFileInfo(installed(file)).isFile(), qPrintable(file + " is missing"));
        // Only the two programs: nothing of the tests.
        QCOMPARE(QDir(installed("bin")).entryList(QDir::Files, QDir::Name),
                 QStringList({"domivo", "domivo-cli"}));
        QVERIFY(QFileInfo(installed("bin/domivo-cli")).isExecutable());
        for (const int size : {48, 256}) {
            const QString png =
                QString("share/icons/hicolor/%1x%1/apps/%2.png").arg(size).arg(appId);
            QCOMPARE(pngSize(installed(png)), QSize(size, size));
        }
        QCOMPARE(readFile(installed("share/domivo/DOMIVO.CSS")),
                 readFile(DOMIVO_SOURCE_DIR "/resources/DOMIVO.CSS"));

        // The installed program finds them in share/domivo.
        for (const QString name : {"Domivo.qch", "DOMIVO.CSS"})
            QCOMPARE(AppPaths::findInstalledFile(name, installed("bin")),
                     installed("share/domivo/" + name));
    }

    void menuEntryAndMetadataValidate() {
        const QString desktop = installed("share/applications/" + appId + ".desktop");
        expectValid("desktop-file-validate", {desktop});
        expectValid("appstreamcli", {"validate", "--no-net", "--no-color",
                                     installed("share/metainfo/" + appId + ".metainfo.xml")});
        const QString desktopEntry = readFile(desktop);
        for (const QString line :
             {"Name=Qelto Domivo", "Exec=domivo", "Categories=Office;", "Icon=com.qelto.Domivo"})
            QVERIFY2(desktopEntry.contains('\n' + line + '\n'), qPrintable(line));
    }

    void installedProgramsRunFromThePrefix() {
        const TestEnvironment env;
        const QString version = QString(Version::Text);
        QCOMPARE(run("domivo-cli", {"--version"}, env).out.trimmed(), "domivo-cli " + version);
        QCOMPARE(run("domivo", {"--version"}, env).out.trimmed(), "domivo " + version);

        const QString folder = env.filePath("inventory");
        ProcessResult result = run("domivo-cli", {"--data-dir", folder, "init"}, env);
        QVERIFY2(result.exitCode == 0, qPrintable(result.err));
        QVERIFY(QFileInfo::exists(QDir(folder).filePath("Domivo.mdb")));
        result = run("domivo-cli", {"--data-dir", folder, "check"}, env);
        QCOMPARE(result.out.trimmed().section('\n', -1), QString("valid"));
    }

    void manualPagesCoverEveryCommandAndOption() {
        const TestEnvironment env;
        const QString cliPage = renderedManPage(installed("share/man/man1/domivo-cli.1"));
        const ProcessResult usage = run("domivo-cli", {"--help"}, env);
        QCOMPARE(usage.exitCode, 0);
        const QStringList globals = longOptions(usage.out.section("Commands:", 0, 0));
        for (const QString& option : globals)
            QVERIFY2(!entry(section(cliPage, "OPTIONS"), option).isEmpty(), qPrintable(option));

        const QStringList commands = listedCommands(usage.out);
        QVERIFY(commands.contains("init") && commands.contains("check"));
        const QStringList described = section(cliPage, "COMMANDS");
        for (const QString& command : commands) {
            const QString text = entry(described, command);
            QVERIFY2(!text.isEmpty(),
                     qPrintable("domivo-cli.1 has no entry for the command " + command));
            const ProcessResult help =
                run("domivo-cli", command.split(' ') + QStringList("--help"), env);
            // Each of its options has an entry of its own inside the command's.
            const QStringList options = text.split('\n').mid(1);
            for (const QString& option : longOptions(help.out)) {
                if (!globals.contains(option))
                    QVERIFY2(
                        !entry(options, option).isEmpty(),
                        qPrintable("domivo-cli.1 does not describe " + command + " " + option));
            }
        }

        const QString appPage = renderedManPage(installed("share/man/man1/domivo.1"));
        for (const QString& option : longOptions(run("domivo", {"--help"}, env).out))
            QVERIFY2(!entry(section(appPage, "OPTIONS"), option).isEmpty(), qPrintable(option));
    }
};

DOMIVO_TEST_MAIN(InstallTest)
#include "tst_install.moc"
