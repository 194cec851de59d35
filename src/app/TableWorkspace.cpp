#include "TableWorkspace.h"

#include "analysis/SpineAnalysis.h"
#include "analysis/TableReadings.h"
#include "charts/xy/frmXYCaption.h"
#include "device/Steadiness.h"
#include "files/SafeWrite.h"
#include "files/TextExport.h"
#include "document/MeasurementDocument.h"
#include "files/PolarFile.h"
#include "files/ProfileFile.h"
#include "library/LibraryTables.h"
#include "device/ReadingReceiver.h"
#include "device/StripChart.h"
#include "device/Capture.h"
#include "numbers/Numbers.h"
#include "files/Export.h"
#include "files/OpenSave.h"
#include "platform/Clipboard.h"
#include "platform/FailurePolicy.h"
#include "platform/FileDialog.h"
#include "platform/MessageBox.h"
#include "platform/PictureArea.h"
#include "platform/PictureAreaWidget.h"
#include "platform/PictureFiles.h"
#include "report/Report.h"
#include "tables/CellDelegate.h"
#include "tables/DataTable.h"
#include "tables/GridView.h"
#include "tables/TableHistory.h"
#include "tables/EditCommands.h"

#include <QApplication>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QSysInfo>
#include <QTimer>
#include <QVBoxLayout>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTextDocument>

namespace tarvex {

namespace {

// The live load boxes stand out in the highlight green whatever the desktop
// theme while the port is open; grey says no reading can come.
void paintLiveLoadBox(QLineEdit* box, bool open)
{
    QPalette pal = box->palette();
    pal.setColor(QPalette::Base, open ? QColor(192, 255, 192) : QColor(224, 224, 224));
    pal.setColor(QPalette::Text, open ? QColor(Qt::black) : QColor(96, 96, 96));
    box->setPalette(pal);
}

// A well-formed reading in the user's number format, its places and unit as
// sent ("12.50 kg" is "12,50 kg" on a decimal-comma desktop); any other line
// as it came, since its point may not be a decimal point at all.
QString LiveReadingText(const QString& line, QChar decimal)
{
    if (decimal == QLatin1Char('.'))
        return line;
    static const QString zeroed = QStringLiteral(" (zeroed)");
    QString head = line.endsWith(zeroed) ? line.chopped(zeroed.size()) : line;
    const qsizetype point = head.indexOf(QLatin1Char('.'));
    if (point < 0 || !ReadingValue(head))
        return line;
    head[point] = decimal;
    return head + (line.endsWith(zeroed) ? zeroed : QString());
}

} // namespace

TableWorkspace::TableWorkspace(Workspace kind, const Platform& platform, ReadingReceiver& receiver,
                               const Settings& settings, QSize chartSize, QWidget* parent)
    : QWidget(parent), kind_(kind), platform_(platform), receiver_(receiver), settings_(settings)
{
    const QString prefix = QLatin1String(kind == Workspace::Profile ? "Tab0" : "Tab1");
    document_ = new MeasurementDocument(kind, this);
    table_ = &document_->table();
    history_ = &document_->history();
    picture_ = new PictureArea(chartSize, QColor(0, 0, 64), this);
    connect(this, &TableWorkspace::fileUsed, this, [this](const QString& path) { filePath_ = path; });

    // The controls are laid out, and so put in their tab order, by each workspace.
    view_ = new GridView(table_);
    view_->setObjectName(prefix + QLatin1String("msGrid"));
    gridEdit_ = new QLineEdit(view_->viewport());
    gridEdit_->setObjectName(prefix + QLatin1String("txtGridEdit"));
    gridEdit_->hide();
    pictureView_ = new PictureAreaWidget(picture_);
    pictureView_->setObjectName(prefix + QLatin1String("Picture"));
    load_ = new QLineEdit;
    load_->setObjectName(prefix + QLatin1String("txtLoad"));
    load_->setReadOnly(true);
    note_ = new QPlainTextEdit;
    note_->setObjectName(prefix + QLatin1String("txtNote"));
    note_->setToolTip(tr("Data collection comment area"));
    note_->setMaximumHeight(80);
    // Two lines at least, so a small screen still has room for the table.
    note_->setMinimumHeight(note_->fontMetrics().lineSpacing() * 2 + 2 * note_->frameWidth() + 8);
    note_->setTabChangesFocus(true);
    // The box is where the note is typed; the document is what is saved,
    // stored and printed, so it follows every change at once.
    connect(note_, &QPlainTextEdit::textChanged, this, [this] { document_->setNote(noteText()); });

    buildLivePanel(prefix);
    showPortState(false);

    editor_ = new CellDelegate(kind, *table_, *view_, *gridEdit_, this);
    editor_->onKeyTyped = [this] {
        markEdited();
        history_->commit(tr("Typing"), true);
    };
    editor_->onHeadingDoubleClick = [this] { openCaptionDialog(); };
    editor_->onEditMenu = [this](const QPoint& at) { emit editMenuRequested(at); };
    connect(table_, &DataTable::cellsChanged, this, &TableWorkspace::tableCellsChanged);
    buildChartMenu(prefix);
    // Only the user's own edits add undo steps; notes put in by New, Clear or
    // opening a file do not, and leave the flag to those commands.
    connect(note_->document(), &QTextDocument::undoCommandAdded, this, [this] { history_->markModified(); });
}

TableWorkspace::~TableWorkspace() = default;

// The chart's own pop-up menu: the chart as a picture, for a document or a mail.
void TableWorkspace::buildChartMenu(const QString& prefix)
{
    auto* menu = new QMenu(tr("Chart"), this);
    menu->setObjectName(prefix + QLatin1String("mnuChart"));
    menu->addAction(tr("&Copy chart"), this, &TableWorkspace::copyChart)
        ->setObjectName(prefix + QLatin1String("mnuCopyChart"));
    menu->addAction(tr("Save chart &as..."), this, &TableWorkspace::saveChart)
        ->setObjectName(prefix + QLatin1String("mnuSaveChart"));
    pictureView_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(pictureView_, &QWidget::customContextMenuRequested, this,
            [this, menu](const QPoint& at) { menu->exec(pictureView_->mapToGlobal(at)); });
}

void TableWorkspace::copyChart()
{
    platform_.clipboard->setImage(picture_->toImage());
}

void TableWorkspace::saveChart()
{
    const Picture chart = picture_->picture();
    const auto written = ExportToFile(*platform_.fileDialog, window(), tr("PNG Image(*.png)|*.png|SVG Drawing(*.svg)|*.svg"),
                                      [chart](const QString&, const QString& type) -> Result<QByteArray> {
                                          return type == QLatin1String("svg") ? PictureAsSvg(*chart, kAppTitle) : PictureAsPng(*chart);
                                      });
    StopWithMessage(written, tellUser());
}

void TableWorkspace::withChangeRule(ChangeRule rule, const std::function<void()>& step)
{
    const ChangeRule before = rule_;
    rule_ = rule;
    step();
    rule_ = before;
}

void TableWorkspace::tableCellsChanged()
{
    switch (rule_) {
    case ChangeRule::Counts:
        markEdited();
        break;
    case ChangeRule::HeadingOnly:
        history_->markModified();
        break;
    case ChangeRule::Ignored:
        break;
    }
}

void TableWorkspace::markEdited()
{
    history_->markModified();
    dataChanged();
}

bool TableWorkspace::isModified() const
{
    return document_->isModified();
}

QString TableWorkspace::fileName() const
{
    return document_->fileName();
}

void TableWorkspace::setFileName(const QString& name)
{
    document_->setFileName(name);
}

void TableWorkspace::setModified(bool modified)
{
    if (modified)
        history_->markModified();
    else
        history_->setClean();
}

void TableWorkspace::endStep(const QString& name)
{
    history_->commit(name);
}

void TableWorkspace::forgetHistory()
{
    history_->forget();
}

QUndoStack& TableWorkspace::undoStack() const
{
    return history_->stack();
}

// The box closes first: what it shows would no longer be the cell's text.
// The step puts the current cell back where it was; the mark follows it.
void TableWorkspace::undo()
{
    editor_->hideBox();
    withChangeRule(ChangeRule::Ignored, [this] { history_->undo(); });
    editor_->remarkCurrentCell();
    editor_->showCurrentCell();
    dataChanged();
}

void TableWorkspace::redo()
{
    editor_->hideBox();
    withChangeRule(ChangeRule::Ignored, [this] { history_->redo(); });
    editor_->remarkCurrentCell();
    editor_->showCurrentCell();
    dataChanged();
}

MsgResult TableWorkspace::MsgBox(const QString& text, MsgButtons buttons, const QString& title)
{
    return platform_.messageBox->show(window(), text, buttons, title);
}

MsgResult TableWorkspace::MsgBox(const QString& text)
{
    return MsgBox(text, MsgButtons::Ok, kAppTitle);
}

MessageSink TableWorkspace::tellUser()
{
    return [this](const QString& text) { MsgBox(text); };
}

void TableWorkspace::showReading(const QString& text)
{
    load_->setText(LiveReadingText(text, decimal_));
    load_->setToolTip(text);   // the line as the bench sent it
    showSteadiness();
}

void TableWorkspace::showPortState(bool open)
{
    load_->setText(open ? tr("Ready") : tr("Port closed"));
    load_->setToolTip(QString());
    paintLiveLoadBox(load_, open);
    steady_->clear();
    showNextPosition();
    stripDrawnAt_ = -1;
    strip_->Cls();
}

// A capture is a change like any other: closing must offer to save it, and
// the next Plot must take the new readings as a further curve.
void TableWorkspace::addLiveReading()
{
    const LiveReading live = receiver_.live();
    if (!live.value) {
        load_->setText(live.why);
        emit statusMessage(live.why);
        return;
    }
    if (!capture(*live.value))
        return;
    markEdited();
    endStep(tr("Add"));
    captured();
    showNextPosition();
    // The fitter may add on purpose before the load settles; the table
    // cannot show it, so the status bar does.
    if (live.settling)
        emit statusMessage(tr("Recorded while settling"));
    else if (settings_.capture.average > 1)
        emit statusMessage(tr("Recorded the mean of %1 readings, standard deviation %2")
                               .arg(live.count).arg(UserNumberText(RoundHalfEven(live.deviation, 4))));
}

void TableWorkspace::recordSettled(double value)
{
    if (!auto_->isChecked())
        return;
    const AutoOutcome outcome = AutoCaptureInto(*table_, kind_, value);
    if (outcome == AutoOutcome::Recorded || outcome == AutoOutcome::TableFull) {
        markEdited();
        endStep(tr("Auto"));
        captured();
        // The operator is at the bench, not at the screen: a sound says the
        // reading was taken and the shaft can move on.
        QApplication::beep();
    }
    if (outcome == AutoOutcome::Recorded) {
        emit statusMessage(tr("Recorded %1 automatically").arg(UserNumberText(value)));
    } else {
        // Switched off before saying so: the toggle would otherwise be taken
        // for the operator's own.
        auto_->setChecked(false);
        emit statusMessage(outcome == AutoOutcome::TableFull
                               ? tr("Recorded %1 automatically. %2").arg(UserNumberText(value), AutoStopText(outcome))
                               : AutoStopText(outcome));
    }
    showNextPosition();
}

void TableWorkspace::missedSettled(double value)
{
    if (!auto_->isChecked())
        return;
    auto_->setChecked(false);
    QApplication::beep();
    emit statusMessage(tr("Missed the position near %1: the shaft moved before the load had settled. Auto is off")
                           .arg(UserNumberText(value)));
    showNextPosition();
}

void TableWorkspace::buildLivePanel(const QString& prefix)
{
    livePanel_ = new QWidget;
    auto* column = new QVBoxLayout(livePanel_);
    column->setContentsMargins(0, 0, 0, 0);
    auto* row = new QHBoxLayout;
    unit_ = new QLabel;
    unit_->setObjectName(prefix + QLatin1String("lblUnit"));
    steady_ = new QLabel;
    steady_->setObjectName(prefix + QLatin1String("lblSteady"));
    steady_->setMinimumWidth(twips(1100));
    next_ = new QLabel;
    next_->setObjectName(prefix + QLatin1String("lblNext"));
    next_->setMinimumWidth(twips(2600));
    auto_ = new QCheckBox(tr("Auto"));
    auto_->setObjectName(prefix + QLatin1String("chkAuto"));
    auto_->setToolTip(tr("Record each load by itself once it has moved and settled (F9)"));
    // Every letter of "Auto" is another control's access key on the tabs.
    auto_->setShortcut(QKeySequence(Qt::Key_F9));
    auto* zero = new QPushButton(tr("&Zero"));
    zero->setObjectName(prefix + QLatin1String("cmdZero"));
    zero->setToolTip(tr("Take the steady load as zero until the port closes"));
    row->addWidget(unit_);
    row->addWidget(steady_);
    row->addWidget(next_);
    row->addWidget(auto_);
    row->addWidget(zero);
    row->addStretch(1);
    column->addLayout(row);
    strip_ = new PictureArea(QSize(twips(11000), twips(1400)), QColor(0, 0, 64), this);
    auto* stripView = new PictureAreaWidget(strip_);
    stripView->setObjectName(prefix + QLatin1String("picStrip"));
    stripView->setToolTip(tr("The last 30 seconds of readings"));
    stripView->setMinimumHeight(36);
    column->addWidget(stripView);

    connect(auto_, &QCheckBox::toggled, this, [this](bool on) {
        if (on)
            receiver_.restartAuto();
        showNextPosition();
    });
    connect(table_, &DataTable::currentChanged, this, &TableWorkspace::showNextPosition);
    connect(zero, &QPushButton::clicked, this, &TableWorkspace::cmdZero_Click);
    // The strip chart follows the readings a few times a second; drawing it
    // on every reading would cost more than the readings at high baud rates.
    auto* timer = new QTimer(this);
    connect(timer, &QTimer::timeout, this, &TableWorkspace::drawStrip);
    timer->start(200);
    showSettings();
}

void TableWorkspace::headLoadColumn()
{
    // Only a heading the program wrote follows the unit: one the fitter
    // typed in the caption dialog is theirs to keep.
    const QString plain = kind_ == Workspace::Polar ? QStringLiteral("Load") : QStringLiteral("Y");
    const QString now = table_->TextMatrix(0, 1).trimmed();
    static const QRegularExpression withUnit(QStringLiteral("^Load \\([^()]*\\)$"));
    if (now != plain && !withUnit.match(now).hasMatch())
        return;
    const QString unit = settings_.capture.unit;
    const QString heading = unit.isEmpty() ? plain : QStringLiteral("Load (%1)").arg(unit);
    if (heading != now)
        withChangeRule(ChangeRule::Ignored, [&] { table_->setTextMatrix(0, 1, heading); });
}

void TableWorkspace::setSettings(const Settings& settings)
{
    settings_ = settings;
    showSettings();
}

void TableWorkspace::showSettings()
{
    unit_->setText(settings_.capture.unit);
    document_->setLoadUnit(settings_.capture.unit);
    headLoadColumn();
    // The heading is saved with the table: a change of unit is a change to
    // it, and one Undo takes it back.
    endStep(tr("Heading"));
    settingsChanged();
}

void TableWorkspace::showSteadiness()
{
    QString text;
    QString colour;
    if (receiver_.isSteady()) {
        text = tr("Steady");
        colour = QStringLiteral("#007000");
    } else {
        text = tr("Settling");
        colour = QStringLiteral("#a05000");
    }
    if (receiver_.zero())
        text += tr(", zeroed");
    showNextPosition();
    // Called for every reading: a style sheet set anew restyles the label
    // each time, which a fast bench would pay for on every line.
    if (steady_->text() == text)
        return;
    steady_->setText(text);
    steady_->setStyleSheet(QStringLiteral("QLabel { color: %1; font-weight: bold; }").arg(colour));
}

void TableWorkspace::showNextPosition()
{
    QString text;
    if (auto_->isChecked() && receiver_.autoWaiting()) {
        text = tr("Waiting for the shaft to move");
    } else if (table_->Row() >= 1) {
        // The row the next reading goes into names where the shaft goes.
        const QString at = table_->TextMatrix(table_->Row(), 0).trimmed();
        if (!at.isEmpty())
            text = kind_ == Workspace::Polar ? tr("Turn to %1 degrees").arg(at)
                                             : tr("Move to %1 %2").arg(at, settings_.geometry.lengthUnit);
    }
    if (next_->text() != text)
        next_->setText(text);
}

void TableWorkspace::drawStrip()
{
    if (!isVisible())
        return;
    const auto& columns = receiver_.history().columns();
    const qint64 newest = columns.empty() ? -1 : columns.back().at;
    if (newest == stripDrawnAt_)
        return;
    stripDrawnAt_ = newest;
    DrawStripChart(*strip_, receiver_.history(), receiver_.window(), receiver_.now(), receiver_.zero());
}

void TableWorkspace::cmdZero_Click()
{
    if (const Result<> taken = receiver_.takeZero(); !taken) {
        emit statusMessage(taken.message());
        return;
    }
    showSteadiness();
    emit statusMessage(tr("Zero set: readings are shown and recorded less %1").arg(UserNumberText(*receiver_.zero())));
}

void TableWorkspace::openCaptionDialog()
{
    frmXYCaption dialog(*table_, window());
    withChangeRule(ChangeRule::HeadingOnly, [&dialog] { dialog.exec(); });
    endStep(tr("Headings"));
}

// The note as typed: toPlainText() would turn no-break spaces into blanks,
// and a note read from a file must be written back as it was.
QString TableWorkspace::noteText() const
{
    QString text = note_->document()->toRawText();
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    text.replace(QChar::LineSeparator, QLatin1Char('\n'));
    return text;
}

void TableWorkspace::OpenDataFile()
{
    FileDialog* dialog = platform_.fileDialog.get();
    dialog->Filter = FileSettingsFor(kind_).openFilter;
    if (!dialog->ShowOpen(window())) {
        MsgBox(dialog->ErrorText());
        return;
    }
    const QString path = dialog->FileName();
    dialog->InitDir.clear();
    if (!path.isEmpty())
        openFile(path);
}

bool TableWorkspace::openFile(const QString& path)
{
    const WorkspaceFileSettings& settings = FileSettingsFor(kind_);
    if (FileTypeOf(path) != settings.dataExtension) {
        MsgBox(settings.wrongTypeOnOpen);
        return false;
    }
    if (!offerToSave())
        return false;
    // A file that could not be read leaves the table showing the data it
    // showed before, so the title keeps naming that data's file.
    ReadResult read;
    withChangeRule(ChangeRule::Ignored, [&] {
        read = ReadDataFile(path, kind_ == Workspace::Polar ? kPolarReadFailed : kProfileReadFailed,
                            [this](QIODevice& file) { return document_->read(file); });
    });
    if (StopWithMessage(read, tellUser()))
        return false;
    libraryShaft_.reset();
    showDocument();
    document_->setFileName(QFileInfo(path).fileName());
    emit titleChanged(kAppTitle + QLatin1Char('-') + fileName());
    emit fileUsed(path);
    return true;
}

Measurement TableWorkspace::measurement() const
{
    return document_->measurement();
}

bool TableWorkspace::openMeasurement(const Measurement& m, const Shaft& shaft)
{
    // Said before the question: a measurement that cannot be opened is no
    // reason to save the table on show.
    if (const auto bytes = MeasurementDataFile(m); !bytes) {
        MsgBox(tr("The measurement cannot be opened: %1").arg(bytes.message()));
        return false;
    }
    if (!offerToSave())
        return false;
    ReadResult read;
    withChangeRule(ChangeRule::Ignored, [&] { read = document_->read(m); });
    if (StopWithMessage(read, tellUser()))
        return false;
    showDocument();
    libraryShaft_ = LibraryShaft{shaft, m.takenAt, m.bench};
    emit titleChanged(kAppTitle);
    return true;
}

void TableWorkspace::showDocument()
{
    if (noteText() != document_->note())
        note_->setPlainText(document_->note());
    documentRead();
}

RecoveredTable TableWorkspace::recoveryCopy() const
{
    return document_->recoveryCopy();
}

void TableWorkspace::restore(const RecoveredTable& copy)
{
    withChangeRule(ChangeRule::Ignored, [&] { document_->restore(copy); });
    note_->setPlainText(copy.note);
    markEdited();
    emit titleChanged(kAppTitle);
}

// Opening replaces the table: unsaved data is offered for saving first, and
// only a save that went through lets the file be opened over it.
bool TableWorkspace::offerToSave()
{
    if (!isModified())
        return true;
    switch (MsgBox(tr("Do you want to save the data?"), MsgButtons::YesNoCancel, kAppTitle)) {
    case MsgResult::Yes:
        SaveDataFile();
        return !isModified();
    case MsgResult::No:
        return true;
    default:
        return false;
    }
}

void TableWorkspace::SaveDataFile()
{
    FileDialog* dialog = platform_.fileDialog.get();
    const WorkspaceFileSettings& settings = FileSettingsFor(kind_);
    dialog->Filter = settings.saveFilter;
    dialog->DefaultExt = settings.dataExtension;
    if (!dialog->ShowSave(window()))
        return;
    const QString path = dialog->FileName();
    if (!path.isEmpty()) {
        const QString type = FileTypeOf(path);
        const bool dataFile = type == settings.dataExtension;
        if (dataFile || type == kTextExportExtension) {
            // Nothing is written unless all of it can be: the user is told
            // why not (the cell that is not a number, the text the file
            // cannot hold, the system's reason).
            if (StopWithMessage(WriteDataBytes(path, dataFile ? document_->dataFileBytes() : document_->textExportBytes()),
                                tellUser()))
                return;
            // Only the data files clear the flag: after a text export the data
            // still has to be saved.
            if (dataFile) {
                history_->setClean();
                emit fileUsed(path);
            }
            document_->setFileName(dialog->FileTitle());
            emit titleChanged(kAppTitle + QLatin1Char('-') + fileName());
        } else {
            MsgBox(settings.wrongTypeOnSave);
        }
    }
    dialog->InitDir.clear();
}

ReportPage TableWorkspace::reportPage(PictureArea& copy)
{
    // The copy is drawn at the designed size of the workspace's chart, so the
    // report gets the chart in the proportions it was laid out for, whatever
    // size the window has on screen. The report is shown even when the copy
    // could not be drawn: the drawing tells the user why itself.
    copy.setDesignSize(picture_->designSize());
    drawPrintCopy(copy);
    ReportPage page;
    page.chart = copy.picture();
    fillReport(page);
    page.loadUnit = settings_.capture.unit;
    page.lengthUnit = settings_.geometry.lengthUnit;
    ReportHeader& h = page.header;
    h.shop = settings_.shop.name;
    h.bench = QSysInfo::machineHostName();
    h.measuredAt = QDateTime::currentDateTime();
    if (libraryShaft_) {
        const Shaft& s = libraryShaft_->shaft;
        h.maker = s.maker, h.model = s.model, h.flex = s.flex, h.label = s.label, h.customer = s.customer;
    }
    // The time the readings were taken is known only while the table is as
    // it was stored or saved; otherwise it is now, and the page says so.
    if (!isModified() && libraryShaft_ && fileName().isEmpty()) {
        h.dated = ReportHeader::Dated::Stored;
        h.measuredAt = libraryShaft_->takenAt;
        h.bench = libraryShaft_->bench;
    } else if (!isModified() && !fileName().isEmpty() && QFileInfo::exists(filePath_)) {
        h.dated = ReportHeader::Dated::Saved;
        h.measuredAt = QFileInfo(filePath_).lastModified();
    }
    return page;
}

void TableWorkspace::fillReport(ReportPage& page) const
{
    page.layout = kind_;
    page.note = document_->plainNote();
    const DataTable& table = document_->table();
    page.rows.reserve(table.Rows());
    for (int i = 0; i < table.Rows(); ++i)
        page.rows.append({table.TextMatrix(i, 0), table.TextMatrix(i, 1)});
    describeResults(page);
}

// Every Edit menu command that changes the table marks it changed, through
// the table's signal, so closing asks before the change is lost.
void TableWorkspace::runTableCommand(const QString& name, const std::function<void(DataTable&)>& command)
{
    command(*table_);
    editor_->remarkCurrentCell();
    endStep(name);
}

QString TableWorkspace::copyBlock() const
{
    return CopyBlock(*table_);
}

void TableWorkspace::BeginCellEdit() { editor_->beginEdit(); }
void TableWorkspace::AdvanceCell() { editor_->advanceCell(); }
void TableWorkspace::ShowCurrentCell() { editor_->showCurrentCell(); }

} // namespace tarvex
