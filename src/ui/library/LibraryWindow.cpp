#include "library/LibraryWindow.h"

#include "charts/polar/PolarChart.h"
#include "charts/xy/XYChart.h"
#include "settings/GeometrySettings.h"
#include "library/LibraryImport.h"
#include "library/LibraryListModel.h"
#include "library/LibraryTables.h"
#include "analysis/TableReadings.h"
#include "library/MatchedSetWindow.h"
#include "library/StoreLibraryDialog.h"
#include "platform/MessageBox.h"
#include "platform/PictureArea.h"
#include "platform/PictureAreaWidget.h"
#include "tables/DataTable.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDateEdit>
#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QScreen>
#include <QSplitter>
#include <QTimer>
#include <QTreeView>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

namespace tarvex {

namespace {

// Long enough that a word typed at a normal pace is searched once, short
// enough that the list follows the typing.
constexpr int kTypingPauseMs = 250;

// The first item, `any`, stands for no filter and names the field, as the
// boxes have no label of their own.
QComboBox* choiceBox(QWidget* parent, const char* name, const QString& tip, const QString& any)
{
    auto* box = new QComboBox(parent);
    box->setObjectName(QLatin1String(name));
    box->setToolTip(tip);
    box->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    box->addItem(any);
    return box;
}

// A date box whose lowest date stands for "no limit".
QDateEdit* dateBox(QWidget* parent, const char* name, const QString& open)
{
    auto* box = new QDateEdit(parent);
    box->setObjectName(QLatin1String(name));
    box->setCalendarPopup(true);
    box->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    box->setMinimumDate(QDate(2000, 1, 1));
    box->setSpecialValueText(open);
    box->setDate(box->minimumDate());
    return box;
}

QString chosen(const QComboBox* box)
{
    return box->currentIndex() > 0 ? box->currentText() : QString();
}

// The polar preview's scale: the smallest of 1, 2, 5, 10, 20, ... that holds
// the largest load, so the figure fills the chart without leaving it.
QString previewRange(const Measurement& m)
{
    double largest = 0;
    for (const auto& row : m.rows)
        largest = std::max(largest, std::abs(QLocale::system().toDouble(row.second)));
    for (double decade = 1;; decade *= 10)
        for (const double step : {1.0, 2.0, 5.0})
            if (step * decade >= largest || decade > 1e9)
                return QString::number(step * decade);
}

} // namespace

LibraryWindow::LibraryWindow(ShaftLibrary& library, MessageBox& messageBox, QWidget* parent)
    : QDialog(parent), library_(library), messageBox_(messageBox)
{
    setObjectName(QStringLiteral("LibraryWindow"));
    setWindowTitle(tr("Library"));
    // A 1024x600 screen shows the whole window, the buttons on its right too.
    resize(QSize(1000, 520).boundedTo(screen()->availableGeometry().size() - QSize(24, 48)));
    auto* layout = new QVBoxLayout(this);
    searchBox_ = new QLineEdit(this);
    searchBox_->setObjectName(QStringLiteral("txtSearch"));
    searchBox_->setPlaceholderText(tr("Search maker, model, customer, label, notes..."));
    searchBox_->setClearButtonEnabled(true);
    // Two rows: in one the filters would set the window's least width.
    auto* searchRow = new QHBoxLayout;
    auto* filters = new QHBoxLayout;
    searchRow->addWidget(searchBox_, 2);
    cboMaker_ = choiceBox(this, "cboMaker", tr("Maker"), tr("any maker"));
    cboModel_ = choiceBox(this, "cboModel", tr("Model"), tr("any model"));
    cboFlex_ = choiceBox(this, "cboFlex", tr("Flex"), tr("any flex"));
    customerBox_ = new QLineEdit(this);
    customerBox_->setObjectName(QStringLiteral("txtCustomer"));
    customerBox_->setPlaceholderText(tr("Customer"));
    customerBox_->setClearButtonEnabled(true);
    cboKind_ = new QComboBox(this);
    cboKind_->setObjectName(QStringLiteral("cboKind"));
    cboKind_->addItems({tr("any kind"), KindText(MeasurementKind::Profile), KindText(MeasurementKind::Polar)});
    dtpFrom_ = dateBox(this, "dtpFrom", tr("from: any"));
    dtpTo_ = dateBox(this, "dtpTo", tr("to: any"));
    dtpFrom_->setToolTip(tr("Taken on or after this day"));
    dtpTo_->setToolTip(tr("Taken on or before this day"));
    searchRow->addWidget(customerBox_, 1);
    for (QWidget* w : std::initializer_list<QWidget*>{cboMaker_, cboModel_, cboFlex_, cboKind_, dtpFrom_, dtpTo_})
        filters->addWidget(w);
    filters->addStretch(1);
    layout->addLayout(searchRow);
    layout->addLayout(filters);
    auto* split = new QSplitter(Qt::Horizontal, this);
    entriesList_ = new QTreeView(split);
    entriesList_->setObjectName(QStringLiteral("lstEntries"));
    entriesList_->setRootIsDecorated(false);
    entriesList_->setUniformRowHeights(true);
    entriesList_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    entries_ = new LibraryListModel(library_.location(), this);
    entriesList_->setModel(entries_);
    // Sized once here, not to the contents: that would read every line.
    for (const auto& [column, width] : {std::pair{0, 120}, {1, 60}, {2, 170}, {3, 50}, {4, 80}, {5, 80}, {6, 120}, {7, 50}, {8, 70}, {9, 60}, {10, 120}})
        entriesList_->header()->resizeSection(column, width);
    entriesList_->header()->setSortIndicator(LibraryListModel::Taken, Qt::DescendingOrder);
    entriesList_->setSortingEnabled(true);
    // The preview keeps the tabs' colours, so a curve looks here as it will there.
    preview_ = new PictureArea(QSize(360, 260), QColor(0, 0, 64), this);
    previewView_ = new PictureAreaWidget(preview_, split);
    previewView_->setObjectName(QStringLiteral("picPreview"));
    split->addWidget(entriesList_);
    split->addWidget(previewView_);
    split->setStretchFactor(0, 3);
    split->setStretchFactor(1, 2);
    layout->addWidget(split, 1);
    auto* row = new QHBoxLayout;
    statusLabel_ = new QLabel(this);
    statusLabel_->setObjectName(QStringLiteral("lblStatus"));
    row->addWidget(statusLabel_, 1);
    auto* cmdOpen = new QPushButton(tr("&Open"), this);
    cmdOpen->setObjectName(QStringLiteral("cmdOpenMeasurement"));
    auto* cmdDelete = new QPushButton(tr("&Delete"), this);
    cmdDelete->setObjectName(QStringLiteral("cmdDeleteMeasurement"));
    auto* cmdEdit = new QPushButton(tr("&Edit shaft..."), this);
    cmdEdit->setObjectName(QStringLiteral("cmdEditShaft"));
    cmdEdit->setToolTip(tr("The maker, model, flex and the other fields of the selected measurement's shaft"));
    auto* cmdOverlay = new QPushButton(tr("O&verlay"), this);
    cmdOverlay->setObjectName(QStringLiteral("cmdOverlay"));
    cmdOverlay->setToolTip(tr("The selected profiles as curves on the profile tab's chart"));
    auto* cmdImport = new QPushButton(tr("&Import folder..."), this);
    cmdImport->setObjectName(QStringLiteral("cmdImportFolder"));
    cmdImport->setToolTip(tr("Every .tvl and .tvp file of a folder into the library, each named after its file"));
    row->addWidget(cmdImport);
    row->addWidget(cmdOverlay);
    auto* cmdSet = new QPushButton(tr("&Matched set..."), this);
    cmdSet->setObjectName(QStringLiteral("cmdMatchedSet"));
    cmdSet->setToolTip(tr("The selected profiles of shafts of one model, checked for the one that does not match"));
    row->addWidget(cmdSet);
    auto* cmdBuildSet = new QPushButton(tr("&Build set..."), this);
    cmdBuildSet->setObjectName(QStringLiteral("cmdBuildSet"));
    cmdBuildSet->setToolTip(tr("The selected profiles as a set of irons: each shaft's tip and butt trims for a frequency slope"));
    row->addWidget(cmdBuildSet);
    connect(cmdBuildSet, &QPushButton::clicked, this, [this] { emit buildSetRequested(selectedProfiles()); });
    row->addWidget(cmdEdit);
    row->addWidget(cmdOpen);
    row->addWidget(cmdDelete);
    layout->addLayout(row);
    // A search while the user types waits for a pause, and each key starts
    // the wait again: a newer text supersedes the one not yet searched.
    typing_ = new QTimer(this);
    typing_->setObjectName(QStringLiteral("tmrSearch"));
    typing_->setSingleShot(true);
    typing_->setInterval(kTypingPauseMs);
    connect(typing_, &QTimer::timeout, this, &LibraryWindow::search);
    for (QLineEdit* box : {searchBox_, customerBox_})
        connect(box, &QLineEdit::textChanged, typing_, qOverload<>(&QTimer::start));
    for (QComboBox* box : {cboMaker_, cboModel_, cboFlex_, cboKind_})
        connect(box, &QComboBox::currentIndexChanged, this, &LibraryWindow::search);
    for (QDateEdit* box : {dtpFrom_, dtpTo_})
        connect(box, &QDateEdit::dateChanged, this, &LibraryWindow::search);
    connect(entriesList_->selectionModel(), &QItemSelectionModel::currentChanged, this, &LibraryWindow::showPreview);
    // A new order starts the list afresh, at its first line.
    connect(entries_, &QAbstractItemModel::modelReset, this, [this] {
        if (entries_->rowCount() > 0)
            entriesList_->setCurrentIndex(entries_->index(0, 0));
        else
            showPreview();
    });
    connect(cmdOpen, &QPushButton::clicked, this, [this] {
        if (const qint64 id = selected())
            emit openRequested(id);
    });
    connect(entriesList_, &QTreeView::doubleClicked, this, [this] { emit openRequested(selected()); });
    connect(cmdDelete, &QPushButton::clicked, this, &LibraryWindow::deleteSelected);
    connect(cmdEdit, &QPushButton::clicked, this, &LibraryWindow::editShaft);
    connect(cmdImport, &QPushButton::clicked, this, [this] {
        const QString folder = QFileDialog::getExistingDirectory(this, tr("Import the data files of a folder"));
        if (!folder.isEmpty())
            importFolder(folder);
    });
    connect(cmdSet, &QPushButton::clicked, this, &LibraryWindow::matchedSet);
    connect(cmdOverlay, &QPushButton::clicked, this, [this] {
        const QList<qint64> ids = selectedProfiles();
        if (ids.isEmpty())
            messageBox_.show(this, tr("Select one or more profiles to overlay (polar tables have no X/Y curve)."));
        else
            emit overlayRequested(ids);
    });
    refresh();
}

LibraryQuery LibraryWindow::query() const
{
    LibraryQuery q;
    q.text = searchBox_->text().trimmed();
    q.maker = chosen(cboMaker_);
    q.model = chosen(cboModel_);
    q.flex = chosen(cboFlex_);
    q.customer = customerBox_->text().trimmed();
    if (cboKind_->currentIndex() > 0)
        q.kind = cboKind_->currentIndex() == 1 ? MeasurementKind::Profile : MeasurementKind::Polar;
    // Days are the fitter's own, so they run from local midnight to midnight.
    if (dtpFrom_->date() != dtpFrom_->minimumDate())
        q.from = dtpFrom_->date().startOfDay();
    if (dtpTo_->date() != dtpTo_->minimumDate())
        q.to = dtpTo_->date().endOfDay();
    return q;
}

// The choices are the library's own values, so a pick always matches; a
// choice no longer in the library is kept while chosen, so the list does not
// change under the user's hand.
void LibraryWindow::fillChoices()
{
    const std::pair<QComboBox*, ShaftField> boxes[] = {{cboMaker_, ShaftField::Maker}, {cboModel_, ShaftField::Model}, {cboFlex_, ShaftField::Flex}};
    for (const auto& [box, field] : boxes) {
        // The search that follows asks the same library and says on the
        // status line why it cannot; the boxes keep what they offered.
        auto choices = library_.choices(field);
        if (!choices)
            return;
        QStringList& values = *choices;
        const QString current = chosen(box);
        if (!current.isEmpty() && !values.contains(current))
            values.insert(std::lower_bound(values.begin(), values.end(), current), current);
        const QSignalBlocker block(box);
        const QString any = box->itemText(0);
        box->clear();
        box->addItem(any);
        box->addItems(values);
        box->setCurrentIndex(current.isEmpty() ? 0 : box->findText(current));
    }
}

void LibraryWindow::refresh()
{
    fillChoices();
    search();
}

bool LibraryWindow::searchPending() const
{
    return typing_->isActive() || entries_->pending();
}

void LibraryWindow::search()
{
    typing_->stop();
    entries_->search(query(), [this](const Result<qint64>& n) {
        statusLabel_->setText(n.ok() ? tr("%n measurements", nullptr, int(*n)) : n.message());
    });
}

void LibraryWindow::showPreview()
{
    preview_->Cls();
    const qint64 id = selected();
    if (id == 0)
        return;
    const auto loaded = library_.loadMeasurement(id);
    if (!loaded) {
        statusLabel_->setText(loaded.message());
        return;
    }
    const Measurement& m = *loaded;
    DataTable table;
    MeasurementIntoTable(m, table);
    bool drawn = false;
    if (m.kind == MeasurementKind::Polar) {
        previewView_->setKeepSquare(true);
        drawn = DrawPolarChart(*preview_, table, previewRange(m), false).ok() && table.Rows() > 2;
    } else {
        previewView_->setKeepSquare(false);
        XYChartState chart;
        drawn = StoreProfileCurve(table, chart).ok() &&
                DrawStoredCurves(*preview_, chart.curves, true, xychart::kScreenLabelColor);
    }
    if (!drawn) {
        preview_->Cls();
        preview_->setScale(0, 0, 1, 1);
        preview_->setForeColor(xychart::kScreenLabelColor);
        preview_->setCurrentX(0.05);
        preview_->setCurrentY(0.1);
        preview_->Print(tr("No curve: too few readings, or a cell that is not a number."));
    }
}

void LibraryWindow::importFolder(const QString& folder)
{
    QStringList badNames;
    const QStringList files = DataFilesIn(folder, &badNames);
    if (files.isEmpty() && badNames.isEmpty()) {
        messageBox_.show(this, tr("%1 holds no .tvl or .tvp file; nothing was imported.").arg(QDir::toNativeSeparators(folder)));
        return;
    }
    QProgressDialog progress(tr("Reading %1 data files...").arg(files.size()), tr("Cancel"), 0, int(files.size()), this);
    progress.setWindowTitle(tr("Import folder"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(0);
    progress.setAutoClose(false);
    FolderImport read;
    read.skipped = badNames;
    const bool finished = ReadDataFiles(
        files, ReadDataFileForLibrary, read,
        [&](int done, int) {
            progress.setValue(done);
            QCoreApplication::processEvents();
            return !progress.wasCanceled();
        },
        StoredIn(library_));
    progress.close();
    // Named within the folder the user chose.
    const QString prefix = QDir(folder).path() + QLatin1Char('/');
    for (QStringList* list : {&read.skipped, &read.known})
        for (QString& line : *list)
            if (line.startsWith(prefix))
                line.remove(0, prefix.size());
    if (!finished) {
        messageBox_.show(this, tr("The import was cancelled; nothing was stored."));
        return;
    }
    QString text;
    if (read.measurements.empty() && !read.known.isEmpty())
        text = tr("Every file read is in the library already; nothing new was stored.");
    else if (read.measurements.empty())
        text = tr("No file could be read; nothing was stored.");
    else if (const Result<> r = library_.storeAll(read.shafts, read.measurements); !r.ok())
        text = r.message() + tr("\nNothing was stored.");
    else
        text = tr("Imported %1 measurements of %2 shafts, each named after its file.").arg(read.measurements.size()).arg(read.shafts.size());
    if (!read.known.isEmpty())
        text += tr("\n\nIn the library already, not stored again:\n") + read.known.join(QLatin1Char('\n'));
    if (!read.skipped.isEmpty())
        text += tr("\n\nNot imported:\n") + read.skipped.join(QLatin1Char('\n'));
    messageBox_.show(this, text);
    refresh();
}

QList<qint64> LibraryWindow::selectedProfiles() const
{
    QList<qint64> ids;
    QModelIndexList rows = entriesList_->selectionModel()->selectedRows();
    std::sort(rows.begin(), rows.end(), [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
    for (const QModelIndex& row : rows)
        if (const LibraryEntry& e = entries_->entry(row.row()); e.kind == MeasurementKind::Profile)
            ids << e.measurementId;
    return ids;
}

void LibraryWindow::setBench(const GeometrySettings& bench, const QString& loadUnit)
{
    std::optional<BenchGeometry> geometry;
    if (MissingForEi(bench, loadUnit).isEmpty())
        geometry = GeometryOf(bench, loadUnit);
    entries_->setBench(geometry, bench.eiInLbfIn2);
}

void LibraryWindow::matchedSet()
{
    std::vector<SetMember> members;
    for (const qint64 id : selectedProfiles()) {
        const auto loaded = library_.loadWithShaft(id);
        if (!loaded) {
            messageBox_.show(this, loaded.message());
            return;
        }
        const auto& [m, shaft] = *loaded;
        DataTable table;
        MeasurementIntoTable(m, table);
        members.push_back({ShaftTitle(shaft) + m.takenAt.toLocalTime().toString(QStringLiteral(", yyyy-MM-dd")), NumberRowsOf(table).points,
                           ShaftCurveName(shaft)});
    }
    if (int(members.size()) < kMatchedSetMinShafts) {
        messageBox_.show(this, tr("Select at least %1 profiles of shafts of one model, measured at the same positions.").arg(kMatchedSetMinShafts));
        return;
    }
    auto* window = new MatchedSetWindow(std::move(members), this);
    window->setAttribute(Qt::WA_DeleteOnClose);
    emit matchedSetOpened(window);
    window->show();
}

qint64 LibraryWindow::selected() const
{
    const QModelIndex current = entriesList_->currentIndex();
    return current.isValid() ? entries_->entry(current.row()).measurementId : 0;
}

void LibraryWindow::deleteSelected()
{
    const QModelIndex current = entriesList_->currentIndex();
    if (!current.isValid())
        return;
    const auto cell = [&](int column) { return entries_->index(current.row(), column).data().toString(); };
    const QString what = tr("the %1 measurement of %2, taken %3")
                             .arg(cell(LibraryListModel::Kind), cell(LibraryListModel::Shaft), cell(LibraryListModel::Taken));
    if (messageBox_.show(this, tr("Delete %1 from the library?").arg(what), MsgButtons::YesNo) != MsgResult::Yes)
        return;
    if (const Result<> r = library_.deleteMeasurement(selected()); !r.ok())
        messageBox_.show(this, r.message());
    refresh();
}

// An imported shaft is named after its file; its fields are filled in here.
void LibraryWindow::editShaft()
{
    const qint64 id = selected();
    if (id == 0)
        return;
    const auto loaded = library_.loadWithShaft(id, false);
    if (!loaded)
        return void(messageBox_.show(this, loaded.message()));
    StoreLibraryDialog form(loaded->shaft, this);
    form.setStore([this](Shaft& changed) { return library_.storeShaft(changed); });
    if (form.exec() == QDialog::Accepted)
        refresh();
}

} // namespace tarvex
