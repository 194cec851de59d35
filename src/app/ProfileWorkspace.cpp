#include "ProfileWorkspace.h"

#include "charts/xy/XYChart.h"
#include "device/Capture.h"
#include "files/ProfileFile.h"
#include "files/TextExport.h"
#include "platform/FailurePolicy.h"
#include "platform/MessageBox.h"
#include "platform/PictureArea.h"
#include "platform/PictureAreaWidget.h"
#include "report/Report.h"
#include "platform/Caption.h"
#include "tables/CellDelegate.h"
#include "tables/GridView.h"
#include "tables/EditCommands.h"
#include "tables/ProfileTable.h"

#include <QCoreApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <algorithm>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLabel>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPixmap>
#include <QTableWidget>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tarvex {

namespace {

// Greyed counts as not ticked.
bool NodesTicked(const QCheckBox* box)
{
    return box && box->checkState() == Qt::Checked;
}

} // namespace

ProfileWorkspace::ProfileWorkspace(const Platform& platform, ReadingReceiver& receiver, const Settings& settings,
                                   QWidget* parent)
    : TableWorkspace(Workspace::Profile, platform, receiver, settings, QSize(twips(7485), twips(4380)), parent)
{
    buildPage();
    buildRowMenu();
    editor().onRowMenu = [this](const QPoint& at) { mnuFGridRows->exec(at); };
    connect(Tab0cmdSet, &QPushButton::clicked, this, &ProfileWorkspace::Tab0cmdSet_Click);
    connect(Tab0cmdGridClear, &QPushButton::clicked, this, &ProfileWorkspace::Tab0cmdGridClear_Click);
    connect(Tab0cmdAdd, &QPushButton::clicked, this, &ProfileWorkspace::Tab0cmdAdd_Click);
    connect(Tab0cmdPlot, &QPushButton::clicked, this, &ProfileWorkspace::Tab0cmdPlot_Click);
    connect(Tab0cmdClear, &QPushButton::clicked, this, &ProfileWorkspace::Tab0cmdClear_Click);
    connect(Tab0cmbView, &QComboBox::currentIndexChanged, this, [this](int index) {
        document().setView(static_cast<ProfileView>(std::max(0, index)));
        showView();
    });
    connect(Tab0cmbReference, &QComboBox::currentIndexChanged, this, [this](int index) {
        document().setReference(std::max(0, index));
        showView();
    });
    listReferences();
    showView();
}

void ProfileWorkspace::buildPage()
{
    auto* grid = new QGridLayout(this);

    view()->setToolTip(tr("Double click on column to edit labels-Right click for more options"));

    auto* layoutBox = new QGroupBox(tr("Rows"));
    auto* form = new QFormLayout(layoutBox);
    Tab0txtStart = new QLineEdit;
    Tab0txtStart->setObjectName(QStringLiteral("Tab0txtStart"));
    Tab0txtInterv = new QLineEdit;
    Tab0txtInterv->setObjectName(QStringLiteral("Tab0txtInterv"));
    Tab0cmbClubs = new QComboBox;
    Tab0cmbClubs->setObjectName(QStringLiteral("Tab0cmbClubs"));
    Tab0cmbClubs->setEditable(true);
    for (int i = 1; i <= 13; ++i)
        Tab0cmbClubs->addItem(QString::number(i));
    Tab0cmbClubs->setCurrentIndex(-1);
    Tab0cmbClubs->setEditText(QString());
    Tab0cmbClubs->setToolTip(tr("Select or input the numbers of data rows"));
    // The boxes keep room for a position such as "-100.25" however small the window.
    for (QWidget* box : {static_cast<QWidget*>(Tab0txtStart), static_cast<QWidget*>(Tab0txtInterv)})
        box->setMinimumWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("-0000.000")) + 12);
    Tab0cmbClubs->setMinimumContentsLength(4);
    form->addRow(Caption(tr("S&tart"), Tab0txtStart), Tab0txtStart);
    form->addRow(Caption(tr("St&eps"), Tab0txtInterv), Tab0txtInterv);
    form->addRow(Caption(tr("Co&unt"), Tab0cmbClubs), Tab0cmbClubs);
    Tab0cmdSet = new QPushButton(tr("&Set"));
    Tab0cmdSet->setObjectName(QStringLiteral("Tab0cmdSet"));
    Tab0cmdSet->setToolTip(tr("Set the the number or data rows"));
    Tab0cmdGridClear = new QPushButton(tr("Clea&r"));
    Tab0cmdGridClear->setObjectName(QStringLiteral("Tab0cmdGridClear"));
    Tab0cmdGridClear->setToolTip(tr("Clear data rows"));
    auto* setRow = new QHBoxLayout;
    setRow->addWidget(Tab0cmdSet);
    setRow->addWidget(Tab0cmdGridClear);
    form->addRow(setRow);

    Tab0cmbView = new QComboBox;
    Tab0cmbView->setObjectName(QStringLiteral("Tab0cmbView"));
    Tab0cmbView->addItems({tr("Load"), tr("EI"), tr("Difference")});
    Tab0cmbView->setToolTip(tr("The curves as loads, as bending stiffness (EI), or as percent difference from the reference curve"));
    Tab0cmbReference = new QComboBox;
    Tab0cmbReference->setObjectName(QStringLiteral("Tab0cmbReference"));
    Tab0cmbReference->setToolTip(tr("The curve the others are compared with"));
    Tab0cmbReference->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    Tab0cmbView->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    Tab0cmbReference->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);

    auto* left = new QVBoxLayout;
    left->addWidget(view(), 1);
    left->addWidget(layoutBox);
    grid->addLayout(left, 0, 0, 2, 1);

    Tab0lblView = new QLabel;
    Tab0lblView->setObjectName(QStringLiteral("Tab0lblView"));
    Tab0lblView->setWordWrap(true);
    // Wrapped notes beside the view's boxes would push the chart down; the
    // tip holds them whole.
    Tab0lblView->setMaximumHeight(3 * Tab0lblView->fontMetrics().lineSpacing());
    Tab0tblFigures = new QTableWidget;
    Tab0tblFigures->setObjectName(QStringLiteral("Tab0tblFigures"));
    Tab0tblFigures->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Tab0tblFigures->verticalHeader()->hide();
    Tab0tblFigures->verticalHeader()->setDefaultSectionSize(Tab0tblFigures->fontMetrics().height() + 4);
    Tab0tblFigures->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    // Down to a header and one curve in the smallest window; more scroll,
    // so the chart keeps its room.
    const int line = Tab0tblFigures->fontMetrics().height() + 4;
    Tab0tblFigures->setMinimumHeight(2 * line + 4);
    // One line under the chart chooses the view; the figure table shows only
    // in the EI and difference views, so the load chart keeps its room.
    auto* viewRow = new QHBoxLayout;
    viewRow->addWidget(Caption(tr("Vie&w"), Tab0cmbView));
    viewRow->addWidget(Tab0cmbView);
    viewRow->addSpacing(12);
    viewRow->addWidget(Caption(tr("Reference cur&ve"), Tab0cmbReference));
    viewRow->addWidget(Tab0cmbReference);
    viewRow->addSpacing(12);
    viewRow->addWidget(Tab0lblView, 1);
    viewRow->addStretch(0);
    // The frequency a meter would read, and after the trims typed beside it.
    Tab0lblFrequency = new QLabel;
    Tab0lblFrequency->setObjectName(QStringLiteral("Tab0lblFrequency"));
    Tab0lblFrequency->setWordWrap(true);
    Tab0lblFrequency->setTextInteractionFlags(Qt::TextSelectableByMouse);
    const auto trim = [this](const char* name, const QString& tip) {
        auto* box = new QDoubleSpinBox;
        box->setObjectName(QLatin1String(name));
        box->setRange(0, 2000);
        box->setDecimals(2);
        box->setSingleStep(0.25);
        box->setToolTip(tip);
        connect(box, &QDoubleSpinBox::valueChanged, this, &ProfileWorkspace::showFrequency);
        return box;
    };
    Tab0txtTipTrim = trim("Tab0txtTipTrim", tr("Length cut off the tip, for the frequency after trimming"));
    Tab0txtButtTrim = trim("Tab0txtButtTrim", tr("Length cut off the butt, for the frequency after trimming"));
    // With the figure table, in the EI and difference views only: the load
    // view keeps the chart its room in the smallest window.
    Tab0fraFrequency = new QWidget;
    Tab0fraFrequency->setObjectName(QStringLiteral("Tab0fraFrequency"));
    auto* frequencyRow = new QHBoxLayout(Tab0fraFrequency);
    frequencyRow->setContentsMargins(0, 0, 0, 0);
    frequencyRow->addWidget(Tab0lblFrequency, 1);
    frequencyRow->addWidget(Caption(tr("Tip tri&m"), Tab0txtTipTrim));
    frequencyRow->addWidget(Tab0txtTipTrim);
    frequencyRow->addWidget(Caption(tr("Butt tr&im"), Tab0txtButtTrim));
    frequencyRow->addWidget(Tab0txtButtTrim);
    connect(note(), &QPlainTextEdit::textChanged, this, &ProfileWorkspace::showFrequency);
    auto* chartColumn = new QVBoxLayout;
    chartColumn->addWidget(pictureView(), 1);
    chartColumn->addLayout(viewRow);
    chartColumn->addWidget(Tab0tblFigures);
    chartColumn->addWidget(Tab0fraFrequency);
    grid->addLayout(chartColumn, 0, 1);

    auto* controls = new QHBoxLayout;
    load()->setMinimumWidth(120);
    Tab0cmdAdd = new QPushButton(tr("&Add"));
    Tab0cmdAdd->setObjectName(QStringLiteral("Tab0cmdAdd"));
    Tab0cmdPlot = new QPushButton(tr("P&lot"));
    Tab0cmdPlot->setObjectName(QStringLiteral("Tab0cmdPlot"));
    Tab0cmdPlot->setToolTip(tr("Draw data points"));
    Tab0cmdClear = new QPushButton(tr("&Clear"));
    Tab0cmdClear->setObjectName(QStringLiteral("Tab0cmdClear"));
    Tab0cmdClear->setToolTip(tr("Clear plot"));
    Tab0chkNode = new QCheckBox(tr("Draw &Node"));
    Tab0chkNode->setObjectName(QStringLiteral("Tab0chkNode"));
    Tab0chkNode->setToolTip(tr("Add Nodes to Plotted data"));
    controls->addWidget(Caption(tr("Load:"), load()));
    controls->addWidget(load());
    controls->addWidget(Tab0cmdAdd);
    controls->addSpacing(24);
    controls->addWidget(Tab0cmdPlot);
    controls->addWidget(Tab0cmdClear);
    controls->addWidget(Tab0chkNode);
    controls->addStretch(1);
    auto* live = new QVBoxLayout;
    live->addLayout(controls);
    live->addWidget(livePanel());
    grid->addLayout(live, 1, 1);

    grid->addWidget(Caption(tr("N&ote"), note()), 2, 0, 1, 2);
    grid->addWidget(note(), 3, 0, 1, 2);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(0, 1);
}

void ProfileWorkspace::buildRowMenu()
{
    mnuFGridRows = new QMenu(tr("Row Popup"), this);
    mnuFGridRows->setObjectName(QStringLiteral("mnuFGridRows"));
    const std::pair<const char*, void (ProfileWorkspace::*)()> items[] = {
        {QT_TR_NOOP("&Add a Row"), &ProfileWorkspace::mnuFGridAddRow_Click},
        {QT_TR_NOOP("&Insert a Row"), &ProfileWorkspace::mnuFGridInsRow_Click},
        {QT_TR_NOOP("&Delete a Row"), &ProfileWorkspace::mnuFGridDelRow_Click},
        {QT_TR_NOOP("E&xtract a Row"), &ProfileWorkspace::mnuFGridExtrRow_Click},
    };
    const char* names[] = {"mnuFGridAddRow", "mnuFGridInsRow", "mnuFGridDelRow", "mnuFGridExtrRow"};
    for (int i = 0; i < 4; ++i)
        mnuFGridRows->addAction(tr(items[i].first), this, items[i].second)
            ->setObjectName(QLatin1String(names[i]));
}

void ProfileWorkspace::Form_Load()
{
    withChangeRule(ChangeRule::Ignored, [this] {
        LayOutEmptyTable(table(), QStringLiteral("X"), QStringLiteral("Y"));
        table().setCellBackColor(kHighlightColor);
    });
    headLoadColumn();
    forgetHistory();
}

// New keeps the modified flag as it was, like Clear.
void ProfileWorkspace::newData()
{
    const bool modified = isModified();
    forgetLibraryShaft();
    chart().curves.clear();
    Tab0cmdClear_Click();
    clearRows();
    headLoadColumn();
    note()->clear();
    endStep(tr("New"));
    if (!modified)
        setModified(false);
}

// ---- rows ------------------------------------------------------------------

void ProfileWorkspace::Tab0cmdSet_Click()
{
    bool set = false;
    withChangeRule(ChangeRule::Ignored, [&] {
        set = ProfileSetRows(table(), Tab0txtStart->text(), Tab0txtInterv->text(), Tab0cmbClubs->currentText());
    });
    forgetLibraryShaft();
    headLoadColumn();
    endStep(tr("Set"));
    if (set)
        setModified(false);
}

// Clearing keeps the modified flag as it was; undo brings the rows back.
void ProfileWorkspace::Tab0cmdGridClear_Click()
{
    const bool modified = isModified();
    clearRows();
    endStep(tr("Clear"));
    if (!modified)
        setModified(false);
}

void ProfileWorkspace::clearRows()
{
    withChangeRule(ChangeRule::Ignored, [this] { ProfileClearRows(table()); });
    note()->clear();
    setFileName(QString());
    emit titleChanged(kAppTitle);
}

// A capture is a change like any other: closing must offer to save it, and
// the next Plot must take the new readings as a further curve.
void ProfileWorkspace::Tab0cmdAdd_Click()
{
    addLiveReading();
}

// ---- X/Y chart ---------------------------------------------------------------

void ProfileWorkspace::Tab0cmdPlot_Click() { DrawXYChart(); }

void ProfileWorkspace::Tab0cmdClear_Click()
{
    ClearXYChart(picture(), chart());
    listReferences();
    showView();
}

void ProfileWorkspace::DrawXYChart()
{
    // The legend names a curve by the file its table came from.
    const QString name = fileName().isEmpty() ? tr("unsaved table") : fileName();
    const XYChartResult drawn =
        tarvex::DrawXYChart(picture(), table(), chart(), NodesTicked(Tab0chkNode), tellUser(), QLocale::system(), name);
    listReferences();
    if (drawn == XYChartResult::Drawn && currentView() != ProfileView::Load)
        showView();
}

void ProfileWorkspace::overlayCurves(const XYCurveList& curves)
{
    if (!chart().curvesStored)
        chart().curves.clear();
    chart().curves.insert(chart().curves.end(), curves.begin(), curves.end());
    chart().curvesStored = !chart().curves.empty();
    listReferences();
    showView();
}

void ProfileWorkspace::DrawXYPrintCopy(PictureArea& copy)
{
    if (currentView() == ProfileView::Load) {
        tarvex::DrawXYPrintCopy(copy, table(), chart().curves, NodesTicked(Tab0chkNode));
        return;
    }
    const CurvesView shown = viewOf(currentView());
    if (shown.ok() && DrawCurves(copy, shown.curves, shown.numbers, shown.heading, NodesTicked(Tab0chkNode), std::nullopt,
                                 QLocale::system(), static_cast<std::size_t>(-1), false))
        copy.setForeColor(xychart::kPrintForeColor);
}

// ---- views of the curves -------------------------------------------------------

ProfileView ProfileWorkspace::currentView() const
{
    return document().view();
}

CurvesView ProfileWorkspace::viewOf(ProfileView view) const
{
    // After Clear the stored curves wait for the next Plot to replace them;
    // nothing is on show meanwhile.
    static const XYCurveList none;
    const XYCurveList& curves = chart().curvesStored ? chart().curves : none;
    if (view == ProfileView::Difference)
        return DifferenceView(curves, document().reference(), settings().geometry, settings().capture.unit);
    return EiView(curves, settings().geometry, settings().capture.unit);
}

void ProfileWorkspace::listReferences()
{
    const int count = chart().curvesStored ? static_cast<int>(chart().curves.size()) : 0;
    const int kept = Tab0cmbReference->currentIndex() <= count ? Tab0cmbReference->currentIndex() : 0;
    if (Tab0cmbReference->count() == count + 1 && kept == Tab0cmbReference->currentIndex())
        return;
    const QSignalBlocker quiet(Tab0cmbReference);
    Tab0cmbReference->clear();
    Tab0cmbReference->addItem(tr("none"));
    for (int i = 1; i <= count; ++i) {
        QPixmap swatch(12, 12);
        swatch.fill(XYCurveColor(i));
        const QString& name = chart().curves[static_cast<std::size_t>(i) - 1].name;
        Tab0cmbReference->addItem(QIcon(swatch), name.isEmpty() ? tr("Curve %1").arg(i) : tr("Curve %1: %2").arg(i).arg(name));
    }
    Tab0cmbReference->setCurrentIndex(std::max(0, kept));
    document().setReference(Tab0cmbReference->currentIndex());
}

void ProfileWorkspace::showView()
{
    const ProfileView mode = currentView();
    Tab0tblFigures->setVisible(mode != ProfileView::Load);
    Tab0fraFrequency->setVisible(mode != ProfileView::Load);
    if (mode == ProfileView::Load) {
        Tab0lblView->hide();
        pictureView()->setMinimumHeight(0);
        if (chart().curvesStored && !DrawStoredCurves(picture(), chart().curves, NodesTicked(Tab0chkNode), xychart::kScreenLabelColor))
            picture().Cls();
        return;
    }
    CurvesView shown = viewOf(mode);
    const std::size_t measured = shown.curves.size();
    if (mode == ProfileView::Ei && shown.ok())
        addTrimmedEi(shown);
    if (!shown.ok() || !DrawCurves(picture(), shown.curves, shown.numbers, shown.heading, NodesTicked(Tab0chkNode),
                                   xychart::kScreenLabelColor, QLocale::system(), measured))
        picture().Cls();   // what is missing is said under the chart instead
    // A note a curve would push the chart down to nothing with many curves
    // overlaid: the first lines show, every one is in the tip.
    constexpr qsizetype kNoteLines = 2;
    QStringList notes = shown.ok() ? shown.notes : QStringList{shown.refusal};
    Tab0lblView->setToolTip(notes.join(QLatin1Char('\n')));
    if (notes.size() > kNoteLines) {
        const qsizetype more = notes.size() - (kNoteLines - 1);
        notes.resize(kNoteLines - 1);
        notes << tr("... %n more (point here to read them all)", nullptr, int(more));
    }
    const QString said = notes.join(QLatin1Char('\n'));
    Tab0lblView->setText(said);
    Tab0lblView->setVisible(!said.isEmpty());

    Tab0tblFigures->clear();
    const QList<QStringList>& rows = shown.table;
    Tab0tblFigures->setColumnCount(rows.isEmpty() ? 0 : static_cast<int>(rows.front().size()));
    Tab0tblFigures->setRowCount(rows.isEmpty() ? 0 : static_cast<int>(rows.size()) - 1);
    if (!rows.isEmpty())
        Tab0tblFigures->setHorizontalHeaderLabels(rows.front());
    for (int r = 1; r < rows.size(); ++r) {
        for (int c = 0; c < rows[r].size(); ++c) {
            auto* item = new QTableWidgetItem(rows[r][c]);
            const bool words = c == 0 || rows.front().value(c) == FigureNameHeading();
            item->setTextAlignment(words ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignRight | Qt::AlignVCenter);
            if (c == 0) {
                QPixmap swatch(10, 10);
                swatch.fill(XYCurveColor(rows[r][0].toInt()));
                item->setIcon(QIcon(swatch));
            }
            Tab0tblFigures->setItem(r - 1, c, item);
        }
    }
    // As tall as its rows, up to a header and three curves.
    const int line = Tab0tblFigures->verticalHeader()->defaultSectionSize();
    Tab0tblFigures->setMaximumHeight(static_cast<int>(std::min<qsizetype>(rows.size(), 4)) * line + 8);
    Tab0tblFigures->setVisible(rows.size() > 1);
    // In the smallest window the table takes its room from the chart, not
    // from the window's size; the load chart keeps the height it always had.
    pictureView()->setMinimumHeight(Tab0tblFigures->isVisibleTo(this) ? 100 : 0);
}

Result<FrequencyInput> ProfileWorkspace::frequencyInput(const GeometrySettings& geometry, const QString& loadUnit,
                                                        const MeterSettings& meter) const
{
    return FrequencyInputOf(NumberRowsOf(table()).points, document().plainNote(), geometry, loadUnit, meter);
}

void ProfileWorkspace::addTrimmedEi(CurvesView& view) const
{
    const Trims trims{Tab0txtTipTrim->value(), Tab0txtButtTrim->value()};
    // Without the input there is no frequency figure either, which says why.
    const Result<FrequencyInput> in = frequencyInput(settings().geometry, settings().capture.unit, settings().shop.meter);
    if (!(trims.tip > 0 || trims.butt > 0) || !in)
        return;
    XYCurve trimmed;
    for (const RowPoint& p : TrimmedEi(in->ei, in->shaft.length, trims)) {
        trimmed.X.push_back(static_cast<float>(p.x));
        trimmed.Y.push_back(static_cast<float>(p.y));
    }
    if (trimmed.X.size() < 2)
        return;
    const int number = view.numbers.empty() ? 1 : *std::max_element(view.numbers.begin(), view.numbers.end()) + 1;
    trimmed.name = tr("after the trims");
    view.curves.push_back(std::move(trimmed));
    view.numbers.push_back(number);
    view.notes << tr("Dotted: the table's EI after the trims, from the new tip");
}

void ProfileWorkspace::showFrequency()
{
    if (!Tab0lblFrequency)
        return;
    const QString unit = QLatin1Char(' ') + settings().geometry.lengthUnit;
    Tab0txtTipTrim->setSuffix(unit);
    Tab0txtButtTrim->setSuffix(unit);
    const FrequencyFigure figure = FrequencyFigureOf(NumberRowsOf(table()).points, document().plainNote(), settings().geometry,
                                                     settings().capture.unit, settings().shop.meter,
                                                     {Tab0txtTipTrim->value(), Tab0txtButtTrim->value()});
    Tab0lblFrequency->setText(figure.lines.join(QLatin1Char('\n')));
    if (currentView() == ProfileView::Ei && sender() && (sender() == Tab0txtTipTrim || sender() == Tab0txtButtTrim))
        showView();
}

void ProfileWorkspace::describeResults(ReportPage& page) const
{
    // The legend names the curves the load chart numbers; the other views
    // head their own axis.
    if (currentView() == ProfileView::Load) {
        for (std::size_t i = 0; chart().curvesStored && i < chart().curves.size(); ++i) {
            const QString& name = chart().curves[i].name;
            page.curveNames << (name.isEmpty() ? QCoreApplication::translate("Report", "Curve %1").arg(i + 1) : name);
        }
    } else {
        page.chartValueTitle = viewOf(currentView()).heading;
    }
    // The figures go on the page whatever the chart shows: EI once the bench
    // geometry is set, the difference once a reference is marked.
    QStringList lines;
    const GeometrySettings& bench = settings().geometry;
    const QString& loadUnit = settings().capture.unit;
    if (chart().curvesStored && MissingForEi(bench, loadUnit).isEmpty()) {
        const QLocale locale;
        const CurvesView ei = viewOf(ProfileView::Ei);
        lines << tr("EI, three-point bench: span %1 %3, deflection %2 %3, compliance %4 %3/%5")
                     .arg(locale.toString(bench.span), locale.toString(bench.deflection), bench.lengthUnit,
                          locale.toString(bench.compliance), loadUnit);
        lines << FigureLines(ei);
    }
    if (chart().curvesStored && document().reference() > 0) {
        const CurvesView difference = viewOf(ProfileView::Difference);
        if (!lines.isEmpty())
            lines << QString();
        if (difference.ok())
            lines << tr("Difference: %1").arg(difference.heading);
        lines << FigureLines(difference);
    }
    // The frequency only where there is one: a report says nothing of the
    // shaft details a shop that does not use them never typed.
    const FrequencyFigure frequency = FrequencyFigureOf(NumberRowsOf(table()).points, document().plainNote(), bench, loadUnit,
                                                        settings().shop.meter, {Tab0txtTipTrim->value(), Tab0txtButtTrim->value()});
    if (frequency.ok()) {
        if (!lines.isEmpty())
            lines << QString();
        lines << frequency.lines;
    }
    if (!lines.isEmpty()) {
        page.resultsTitle = tr("Stiffness along the shaft");
        page.results = lines;
    }
}

// ---- files -------------------------------------------------------------------

// ---- row menu ------------------------------------------------------------------

bool ProfileWorkspace::askDeleteRow(int row)
{
    return MsgBox(DeleteRowQuestion(row), MsgButtons::YesNo, QCoreApplication::translate("Tables", kDeleteRowTitle)) == MsgResult::Yes;
}

void ProfileWorkspace::mnuFGridAddRow_Click()
{
    runTableCommand(tr("Add Row"), AddRow);
    editor().showCurrentCell();
}

void ProfileWorkspace::mnuFGridInsRow_Click()
{
    runTableCommand(tr("Insert Row"), InsertRowAt);
    editor().hideBox();
}

void ProfileWorkspace::mnuFGridDelRow_Click()
{
    runTableCommand(tr("Delete Row"), [this](DataTable& t) { DeleteLastRow(t, [this](int row) { return askDeleteRow(row); }); });
}

void ProfileWorkspace::mnuFGridExtrRow_Click()
{
    runTableCommand(tr("Extract Row"), [this](DataTable& t) { ExtractRow(t, [this](int row) { return askDeleteRow(row); }); });
}

} // namespace tarvex

namespace tarvex {

bool ProfileWorkspace::capture(double value)
{
    return CaptureIntoProfile(table(), value);
}

} // namespace tarvex
