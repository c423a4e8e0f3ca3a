#include "BenchRun.h"

#include "ChildRun.h"
#include "ProcessMemory.h"
#include "RawQuery.h"
#include "SqlCapture.h"
#include "StartupProbe.h"
#include "ThumbnailMaker.h"

#include "app/AppPaths.h"
#include "app/CommandNames.h"
#include "app/General.h"
#include "app/Globals.h"
#include "app/frmMain.h"
#include "attachments/AttachmentFile.h"
#include "data/GridRows.h"
#include "data/dvData.h"
#include "export/ExportFile.h"
#include "graphs/GraphList.h"
#include "graphs/gphGeneral.h"
#include "maintenance/MaintenanceJob.h"
#include "records/Attachment.h"
#include "records/CollectionGrid.h"
#include "reports/ReportCatalogue.h"
#include "search/SearchQuery.h"
#include "widgets/GridView.h"
#include "windows/collections/frmCollections.h"
#include "windows/inventory/ViewValueList.h"
#include "windows/inventory/frmInventory.h"
#include "windows/inventory/frmInventoryItem.h"
#include "windows/inventory/frmMoveLocation.h"

#include <QApplication>
#include <QBuffer>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QHeaderView>
#include <QImage>
#include <QListWidget>
#include <QPushButton>
#include <algorithm>
#include <stdexcept>

namespace {

using Target = BenchTable::Target;

const QString AllValues = QStringLiteral("*** All ***");

double median(QVector<double> values) {
    std::sort(values.begin(), values.end());
    const qsizetype n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

double elapsedMs(const std::function<void()>& work) {
    QElapsedTimer clock;
    clock.start();
    work();
    return double(clock.nsecsElapsed()) / 1e6;
}

template <class T> T* need(QObject* parent, const QString& name) {
    T* found = parent->findChild<T*>(name);
    if (!found)
        throw std::runtime_error("no control " + name.toStdString());
    return found;
}

// The statement that fills the grid, sorted by one of its columns instead: what the engine does
// to put the same rows in that order.
QVector<QByteArray> sortedBy(const QVector<QByteArray>& statements, const QString& alias) {
    QVector<QByteArray> sorted;
    for (const QByteArray& sql : statements) {
        if (!sql.startsWith("SELECT") || !sql.contains("FROM tblItem"))
            continue;
        QByteArray text = sql;
        const qsizetype order = text.lastIndexOf(" ORDER BY ");
        if (order >= 0)
            text.truncate(order);
        sorted.append(text + " ORDER BY \"" + alias.toUtf8() + "\"");
        break;
    }
    return sorted;
}

// A camera-sized photo (12 megapixels) as a JPEG, drawn with shades and edges so that it packs
// into megabytes as a photo does rather than into the few kilobytes of a plain colour.
QByteArray cameraPhoto() {
    QImage image(4000, 3000, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            line[x] = qRgb(x * 255 / 4000, ((x / 16) ^ (y / 16)) & 0xff, (x + y) / 3 % 256);
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "JPEG", 85))
        throw std::runtime_error("the benchmark photo could not be written");
    return bytes;
}

} // namespace

BenchRun::BenchRun(Settings settings)
    : m_settings(std::move(settings)) {}

BenchRun::~BenchRun() {
    m_main.reset();
    gData.reset();
}

QString BenchRun::databaseFile() const {
    return AppPaths::databaseFile(m_settings.dataFolder);
}

QString BenchRun::scratch(const QString& name) const {
    return QDir(m_settings.scratchFolder).filePath(name);
}

void BenchRun::show(GridView* grid) {
    QCoreApplication::sendPostedEvents();
    grid->viewport()->repaint();
}

BenchRun::Timing BenchRun::time(const Action& action, const Paired& baseline) const {
    Timing timing;
    QCoreApplication::processEvents();
    ProcessMemory::resetPeak();
    SqlCapture::start();
    timing.rows = action();
    timing.statements = SqlCapture::stop();
    // The two sides take turns, so that whatever else the machine does weighs on both alike.
    QVector<double> times;
    QVector<double> baselineTimes;
    for (int run = 0; run < m_settings.runs; ++run) {
        times.append(elapsedMs([&] { action(); }));
        QCoreApplication::processEvents();
        if (baseline)
            baselineTimes.append(elapsedMs([&] { baseline(timing.statements); }));
    }
    timing.peakBytes = ProcessMemory::peakBytes();
    timing.ms = median(times);
    if (baseline)
        timing.baselineMs = median(baselineTimes);
    return timing;
}

double BenchRun::timeBaseline(const Baseline& baseline) const {
    QVector<double> times;
    for (int run = 0; run < m_settings.runs; ++run)
        times.append(elapsedMs(baseline));
    return median(times);
}

BenchRun::Paired BenchRun::replay(const QVector<QByteArray>& statements) const {
    return [this, statements](const QVector<QByteArray>& recorded) {
        RawQuery::run(databaseFile(), statements.isEmpty() ? recorded : statements);
    };
}

BenchTable::Row BenchRun::measure(const QString& name, Target target, const Action& action) {
    if (m_progress)
        m_progress(name);
    const Timing timing = time(action, replay());
    BenchTable::Row row{.operation = name,
                        .rows = timing.rows,
                        .ms = timing.ms,
                        .baselineMs = timing.baselineMs,
                        .peakBytes = timing.peakBytes,
                        .target = target};
    add(row);
    return row;
}

BenchTable::Target BenchRun::fixedLimit() const {
    // The fixed limits are set for a household of 100,000 items; a larger run shows its times
    // against none.
    return m_settings.size.items <= 100000 ? Target::Absolute : Target::None;
}

void BenchRun::add(BenchTable::Row row) {
    m_table.add(row);
}

void BenchRun::runAll(const std::function<void(const QString&)>& progress) {
    m_progress = progress;
    const auto wanted = [this](const char* group) {
        return m_settings.only.isEmpty() || m_settings.only.contains(QLatin1String(group));
    };
    startWindows();
    // The grid's statements are the start-up's baseline, so the listings always run.
    inventoryListings();
    if (wanted("grid"))
        inventoryGrid();
    if (wanted("move"))
        moveWindow();
    if (wanted("collections"))
        collectionGrids();
    if (wanted("search"))
        search();
    if (wanted("reports"))
        reports();
    if (wanted("graphs"))
        graphs();
    if (wanted("exports"))
        exports();
    m_main.reset();
    gData.reset();
    if (wanted("maintenance"))
        maintenance();
    if (wanted("startup"))
        startup();
    if (wanted("cli"))
        commandLine();
    if (wanted("photos"))
        photoEditor();
}

// ---------------------------------------------------------------------------------------------
// The windows

void BenchRun::startWindows() {
    frmMain::setSplashWait(false);
    m_main = std::make_unique<frmMain>(m_settings.dataFolder);
    if (m_main->MDIForm_Load())
        throw std::runtime_error("the program did not start on the benchmark database");
    m_main->resize(1280, 800);
    QCoreApplication::processEvents();
}

void BenchRun::inventoryListings() {
    const invItem& items = gData->Inventory().Item();
    // The rows as the grid takes them, each value in its typed form.
    const auto gridRows = [&items](const QString& location) {
        RowCursor rows = items.ListMainGridRows(0, {}, location, {}, {});
        GridRows grid = GridRows::forCursor(rows);
        return grid.readRows(rows);
    };
    // Its statements are the start-up's baseline even when the grid's group does not run.
    const QString allItems = QStringLiteral("grid query, all items");
    if (m_progress)
        m_progress(allItems);
    const Timing all = time([&] { return gridRows(QString()); }, replay());
    add({.operation = allItems,
         .rows = all.rows,
         .ms = all.ms,
         .baselineMs = all.baselineMs,
         .peakBytes = all.peakBytes,
         .target = Target::Listing});
    m_gridStatements = all.statements;
    measure(QStringLiteral("grid query, one location"), Target::Listing,
            [&] { return gridRows(QStringLiteral("Kitchen")); });

    // The value lists, filled by the inventory window's own code.
    QListWidget list;
    const struct {
        const char* view;
        const char* column;
    } views[] = {{"Item Type", "TypeTX"},
                 {"Location", "LocationTX"},
                 {"Manufacturer", "ManufacturerNM"},
                 {"Purchase Date", "PurchaseDT"}};
    for (const auto& view : views) {
        const QString column = QLatin1String(view.column);
        measure(QStringLiteral("value list, %1").arg(QLatin1String(view.view)), Target::Listing,
                [&] {
                    ViewValueList::fill(&list, items, column);
                    return qint64(list.count());
                });
    }
}

void BenchRun::inventoryGrid() {
    m_main->tlbMain_ButtonClick(ToolbarButton::Inventory);
    auto* window = qobject_cast<frmInventory*>(m_main->toolWindow(QStringLiteral("frmInventory")));
    if (!window)
        throw std::runtime_error("the inventory window did not open");
    auto* grid = need<GridView>(window, QStringLiteral("lvwItems"));
    auto* viewBy = need<QComboBox>(window, QStringLiteral("cboViewBy"));
    auto* values = need<QListWidget>(window, QStringLiteral("lstViewValues"));
    values->setCurrentRow(0);

    const BenchTable::Row shown =
        measure(QStringLiteral("grid filled and shown, all items"), Target::Listing, [&] {
            window->lvwItems_Populate();
            show(grid);
            return qint64(grid->rowCount());
        });
    // The two medians come from separate runs: when filling and showing cost less than the
    // spread between them, the difference is noise around nothing, not a time below zero.
    add({.operation = QStringLiteral("grid shown after the query"),
         .rows = shown.rows,
         .ms = std::max(0.0, shown.ms - shown.baselineMs.value_or(0)),
         .baselineMs = std::nullopt,
         .peakBytes = shown.peakBytes,
         .target = fixedLimit(),
         .limitMs = 300});

    // Recorded once more for the sorts' baseline.
    SqlCapture::start();
    window->lvwItems_Populate();
    m_gridStatements = SqlCapture::stop();

    int view = viewBy->currentIndex();
    measure(QStringLiteral("grid after a View By switch"), Target::Listing, [&] {
        view = (view + 1) % viewBy->count();
        viewBy->setCurrentIndex(view);
        show(grid);
        return qint64(grid->rowCount());
    });
    sortColumns(m_gridStatements);
}

void BenchRun::sortColumns(const QVector<QByteArray>& gridStatements) {
    auto* window = m_main->toolWindow(QStringLiteral("frmInventory"));
    auto* grid = need<GridView>(window, QStringLiteral("lvwItems"));
    for (int column = 1; column < grid->columnCount(); ++column) {
        const QString caption = grid->gridModel()->headers().value(column);
        const QString name = QStringLiteral("sort by %1").arg(caption);
        if (m_progress)
            m_progress(name);
        const Timing timing = time(
            [&] {
                grid->headerClicked(column);
                show(grid);
                return qint64(grid->rowCount());
            },
            replay(sortedBy(gridStatements, caption)));
        add({.operation = name,
             .rows = timing.rows,
             .ms = timing.ms,
             .baselineMs = timing.baselineMs,
             .peakBytes = timing.peakBytes,
             .target = Target::Listing});
    }
}

void BenchRun::moveWindow() {
    frmMoveLocation dialog(m_main.get());
    dialog.show();
    QCoreApplication::processEvents();
    auto* from = need<QComboBox>(&dialog, QStringLiteral("cboMoveFrom"));
    auto* items = need<QListWidget>(&dialog, QStringLiteral("lstItems"));
    // The location with the most items.
    int largest = 0;
    qint64 most = -1;
    for (int index = 0; index < from->count(); ++index) {
        const qint64 count = gData->Inventory().Item().Count(from->itemText(index), QString());
        if (count > most) {
            most = count;
            largest = index;
        }
    }
    SqlCapture::start();
    from->setCurrentIndex(largest);
    const QVector<QByteArray> listStatements = SqlCapture::stop();
    for (const bool select : {true, false}) {
        const QString name = select ? QStringLiteral("move window, Select All")
                                    : QStringLiteral("move window, Clear All");
        if (m_progress)
            m_progress(name);
        auto* button = need<QPushButton>(&dialog, select ? QStringLiteral("cmdSelectAll")
                                                         : QStringLiteral("cmdClearAll"));
        const Timing timing = time(
            [&] {
                button->click();
                items->viewport()->repaint();
                return qint64(items->count());
            },
            replay(listStatements));
        add({.operation = name,
             .rows = timing.rows,
             .ms = timing.ms,
             .baselineMs = timing.baselineMs,
             .peakBytes = timing.peakBytes,
             .target = Target::Listing});
    }
    dialog.reject();
}

void BenchRun::collectionGrids() {
    m_main->tlbMain_ButtonClick(ToolbarButton::Collections);
    auto* window =
        qobject_cast<frmCollections*>(m_main->toolWindow(QStringLiteral("frmCollections")));
    if (!window)
        throw std::runtime_error("the collections window did not open");
    auto* list = need<QListWidget>(window, QStringLiteral("lstCollection"));
    auto* grid = need<GridView>(window, QStringLiteral("lvwItems"));
    const QStringList names = BenchDatabase::collectionNames(m_settings.size);
    const QString large = names.value(0);
    const QString small = BenchDatabase::smallCollectionName();
    // MainGrid's rows as the grid holds them, for a large collection and for a small one
    // beside the large ones; then the window filled and drawn (for information: drawing the
    // window has no counterpart in the engine).
    for (const QString& name : {large, small}) {
        measure(name == small ? QStringLiteral("MainGrid, small collection beside large ones")
                              : QStringLiteral("MainGrid, four-field collection"),
                Target::Listing, [&] {
                    const GridRows rows = CollectionGrid::gridRows(gData->Collection(), name, 0);
                    return qint64(rows.rowCount());
                });
    }
    const auto found = list->findItems(large, Qt::MatchExactly);
    if (!found.isEmpty()) {
        list->setCurrentItem(found.first());
        measure(QStringLiteral("collection window filled and shown"), Target::None, [&] {
            window->lvwItems_Populate();
            show(grid);
            return qint64(grid->rowCount());
        });
    }
    m_main->tlbMain_ButtonClick(ToolbarButton::Inventory);
}

void BenchRun::search() {
    GridView grid;
    grid.resize(1000, 600);
    grid.show();
    const SearchTarget target = SearchTarget::inventory();
    const QStringList columns = {QStringLiteral("ManufacturerNM"),  QStringLiteral("ItemNM"),
                                 QStringLiteral("ModelSeriesTX"),   QStringLiteral("PurchaseDT"),
                                 QStringLiteral("PurchasePriceAM"), QStringLiteral("TypeTX"),
                                 QStringLiteral("LocationTX")};
    const QList<CriteriaRow> criteria = {{.column = QStringLiteral("TypeTX"),
                                          .op = QStringLiteral("="),
                                          .value = QStringLiteral("Electronics")},
                                         {.column = QStringLiteral("LocationTX"),
                                          .op = QStringLiteral("="),
                                          .value = QStringLiteral("Garage"),
                                          .join = SearchCondition::Join::Or},
                                         {.column = QStringLiteral("PurchasePriceAM"),
                                          .op = QStringLiteral(">"),
                                          .value = QStringLiteral("50"),
                                          .join = SearchCondition::Join::And}};
    measure(QStringLiteral("search, three criteria"), Target::Listing, [&] {
        RowCursor found = SearchQuery::cursor(*gData, target, columns, criteria, 0);
        FillListView(&grid, found);
        show(&grid);
        return qint64(grid.rowCount());
    });
}

// ---------------------------------------------------------------------------------------------
// Pages and files

void BenchRun::reports() {
    const QString page = scratch(QStringLiteral("report.htm"));
    const QString collection = BenchDatabase::collectionNames(m_settings.size).value(0);
    for (const ReportCatalogue::Report& report : ReportCatalogue::all()) {
        ReportRequest request;
        request.typeText = AllValues;
        request.since = QDate(2000, 1, 1);
        request.includeExpired = true;
        QString name = QStringLiteral("report: %1").arg(report.caption);
        if (report.kind == ReportCatalogue::Kind::Collection) {
            request.collection = collection;
            name += QStringLiteral(" (%1)").arg(collection);
        }
        measure(name, Target::Output, [&] {
            ReportCatalogue::run(report, *gData, request, page);
            return qint64(QFileInfo(page).size());
        });
    }
}

void BenchRun::graphs() {
    const QString page = scratch(QStringLiteral("graph.htm"));
    const QString collection = BenchDatabase::collectionNames(m_settings.size).value(0);
    QList<GraphEntry> entries = GraphList::LoadGraphList(*gData, GraphList::Kind::Inventory);
    for (const GraphEntry& entry : GraphList::LoadGraphList(*gData, GraphList::Kind::Collections))
        if (entry.routine != GraphEntry::Routine::FieldGraph || entry.collection == collection)
            entries.append(entry);
    for (const GraphEntry& entry : std::as_const(entries)) {
        measure(QStringLiteral("graph: %1").arg(entry.text), Target::Output, [&] {
            const Graph graph = entry.draw(*gData);
            gphGeneral::WriteGraphPageFile(page, graph.chart, graph.caption);
            return qint64(graph.chart.size());
        });
    }
}

void BenchRun::exports() {
    const struct {
        const char* name;
        ExportFormat format;
    } formats[] = {
        {"CSV", ExportFormat::Csv}, {"TSV", ExportFormat::Tsv}, {"XML", ExportFormat::Xml}};
    for (const auto& format : formats) {
        const QString file = scratch(QStringLiteral("export.%1").arg(QLatin1String(format.name)));
        measure(QStringLiteral("export %1, inventory").arg(QLatin1String(format.name)),
                Target::Output, [&] {
                    return ExportFile::exportTable(*gData, QStringLiteral("Inventory Items"),
                                                   format.format, file)
                        .value_or(-1);
                });
    }
}

void BenchRun::maintenance() {
    const QString database = databaseFile();
    const QString copy = scratch(QStringLiteral("raw-backup.db"));
    const Paired online = [&](const QVector<QByteArray>&) {
        QFile::remove(copy);
        RawQuery::backup(database, copy);
    };
    const QString backup = scratch(QStringLiteral("bench.DVB"));
    for (const bool compact : {false, true}) {
        const QString name = compact ? QStringLiteral("compact") : QStringLiteral("backup");
        if (m_progress)
            m_progress(name);
        const Timing timing = time(
            [&] {
                auto job = compact ? MaintenanceJob::compact(database)
                                   : MaintenanceJob::backup(database, backup, true);
                job->run();
                return job->rowsCopied();
            },
            online);
        add({.operation = name,
             .rows = timing.rows,
             .ms = timing.ms,
             .baselineMs = timing.baselineMs,
             .peakBytes = timing.peakBytes,
             .target = Target::Maintenance});
    }
    QFile::remove(backup);
    QFile::remove(copy);
}

// ---------------------------------------------------------------------------------------------
// Other processes

void BenchRun::startup() {
    const QString name = QStringLiteral("start-up to a usable inventory window");
    if (m_progress)
        m_progress(name);
    QVector<double> times;
    qint64 peak = 0;
    qint64 rows = 0;
    for (int run = 0; run < m_settings.runs; ++run) {
        const ChildRun::Result child = ChildRun::run(
            m_settings.benchProgram, StartupProbe::arguments(m_settings.dataFolder), true);
        bool ok = false;
        const StartupProbe::Result probe = StartupProbe::parse(child.output, &ok);
        if (child.exitCode != 0 || !ok)
            throw std::runtime_error("the start-up probe failed: " + child.output.toStdString());
        times.append(probe.ms);
        // The probe's own figure: the kernel's would include the benchmark's memory.
        peak = std::max(peak, probe.peakBytes);
        rows = probe.rows;
    }
    add({.operation = name,
         .rows = rows,
         .ms = median(times),
         .baselineMs = timeBaseline([&] { RawQuery::run(databaseFile(), m_gridStatements); }),
         .peakBytes = peak,
         .target = fixedLimit(),
         .limitMs = 500});
}

void BenchRun::commandLine() {
    const QString name = QStringLiteral("domivo-cli items");
    if (m_progress)
        m_progress(name);
    // The statements the command runs, recorded in this process.
    dvData data;
    data.setPath(databaseFile());
    SqlCapture::start();
    qint64 rows = 0;
    {
        RowCursor cursor = data.Inventory().Item().ListMainGridRows(0, {}, {}, {}, {});
        while (cursor.next())
            ++rows;
    }
    const QVector<QByteArray> statements = SqlCapture::stop();

    QVector<double> times;
    qint64 peak = 0;
    for (int run = 0; run < m_settings.runs; ++run) {
        const ChildRun::Result child = ChildRun::measured(
            m_settings.measureProgram, m_settings.cliProgram,
            {QStringLiteral("--data-dir"), m_settings.dataFolder, QStringLiteral("items")});
        if (child.exitCode != 0)
            throw std::runtime_error("domivo-cli items failed");
        times.append(child.wallMs);
        peak = std::max(peak, child.peakBytes);
    }
    FILE* nowhere = std::fopen("/dev/null", "w");
    const QString file = databaseFile();
    const double baseline = timeBaseline([&] { RawQuery::run(file, statements, nowhere); });
    std::fclose(nowhere);
    add({.operation = name,
         .rows = rows,
         .ms = median(times),
         .baselineMs = baseline,
         .peakBytes = peak,
         .target = Target::Listing});
}

// ---------------------------------------------------------------------------------------------
// An item with many photos

// Measured last and on a copy of the database: backup, compact and the start-ups see the
// database as generated, and a kept database (--keep) is reused next time without the photos.
void BenchRun::photoEditor() {
    const QString name = QStringLiteral("item editor opened, %1 photos").arg(PhotoCount);
    if (m_progress)
        m_progress(name);
    const QString copy = scratch(QStringLiteral("photos.db"));
    QFile::remove(copy);
    if (!QFile::copy(databaseFile(), copy))
        throw std::runtime_error("the database could not be copied for the photos");
    gData = std::make_unique<dvData>();
    gData->setPath(copy);
    const Recordset items = gData->Inventory().Item().List(QStringLiteral("Kitchen"), QString());
    if (items.rowCount() == 0)
        throw std::runtime_error("the benchmark database has no item for the photos");
    const qint64 itemID = items.value(0, QStringLiteral("ItemID")).toLongLong();
    // One photo made once and kept under fifty names: drawing and packing 12 megapixels fifty
    // times would take longer than the rest of a small run, and the editor reads only the
    // thumbnails, each on its own.
    AttachmentFile photo = AttachmentFile::fromBytes(QStringLiteral("photo.jpg"), cameraPhoto());
    photo.thumbnail = ThumbnailMaker::make(photo.data, photo.mediaType);
    QList<AttachmentFile> files;
    for (int number = 1; number <= PhotoCount; ++number) {
        photo.fileName = QStringLiteral("photo-%1.jpg").arg(number, 2, 10, QLatin1Char('0'));
        files.append(photo);
    }
    gData->Attachment().Add(AttachmentOwner::inventoryItem(itemID), files);

    const Timing timing = time(
        [&] {
            frmInventoryItem editor;
            editor.setFormAction(QStringLiteral("E"));
            editor.setEditItemID(itemID);
            editor.show();
            QCoreApplication::sendPostedEvents();
            editor.repaint();
            return qint64(need<QListWidget>(&editor, QStringLiteral("lstAttachments"))->count());
        },
        [&copy](const QVector<QByteArray>& recorded) { RawQuery::run(copy, recorded); });
    add({.operation = name,
         .rows = timing.rows,
         .ms = timing.ms,
         .baselineMs = timing.baselineMs,
         .peakBytes = timing.peakBytes,
         .target = fixedLimit(),
         .limitMs = 300});
    gData.reset();
    QFile::remove(copy);
}
