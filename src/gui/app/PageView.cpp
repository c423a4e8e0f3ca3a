#include "app/PageView.h"

#include <QCoreApplication>
#include <QLoggingCategory>
#include <unistd.h>

namespace PageView {

void prepareProcess() {
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    // WebEngine describes its graphics set-up on the error output at every start; only its
    // warnings matter to anyone reading that output.
    QLoggingCategory::setFilterRules(QStringLiteral("qt.webenginecontext.info=false"));
    if (geteuid() == 0 && !qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
}

} // namespace PageView
