#include "CliCommand.h"

#include "app/AppPaths.h"
#include "app/SystemOpen.h"
#include "data/dvData.h"
#include "graphs/GraphList.h"

#include <QFileInfo>

int runGraph(CliContext& context) {
    const QString text = context.argument(QStringLiteral("ENTRY"));
    dvData data;
    context.openDatabase(data);
    const std::optional<GraphEntry> graph = GraphList::Find(data, text);
    if (!graph) {
        context.err << "domivo-cli: there is no graph named '" << text << "'" << Qt::endl;
        return ExitCode::Failed;
    }
    // The graphs window offers no graph of a kind with nothing on file.
    const QString refusal = GraphList::CannotGraphMessage(data, GraphList::KindOf(*graph));
    if (!refusal.isEmpty()) {
        context.err << "domivo-cli: " << refusal << Qt::endl;
        return ExitCode::Failed;
    }

    const Graph drawn = graph->draw(data);
    QString path = context.value(QStringLiteral("output"));
    path = path.isEmpty() ? AppPaths::pageFile(context.dataFolder())
                          : QFileInfo(path).absoluteFilePath();
    gphGeneral::WriteGraphPageFile(path, drawn.chart, drawn.caption);
    context.out << path << Qt::endl;
    if (context.isSet(QStringLiteral("open")) && !SystemOpen::openFile(path)) {
        context.err << "domivo-cli: cannot start the web browser (xdg-open) on " << path
                    << Qt::endl;
        return ExitCode::Failed;
    }
    return ExitCode::Ok;
}
