#include "library/frmLibrary.h"

#include "library/ShaftLibrary.h"
#include "library/frmStoreLibrary.h"
#include "platform/MessageBox.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace tarvex {

namespace {

// Figures sort as numbers, the rest as the desktop sorts words; the time is
// written year first, so its text sorts as the time does.
class EntryItem : public QTreeWidgetItem {
public:
    using QTreeWidgetItem::QTreeWidgetItem;
    bool operator<(const QTreeWidgetItem& other) const override
    {
        const int column = treeWidget() ? treeWidget()->sortColumn() : 0;
        bool a = false, b = false;
        const double x = QLocale::system().toDouble(text(column), &a);
        const double y = QLocale::system().toDouble(other.text(column), &b);
        if (a && b)
            return x < y;
        return text(column).localeAwareCompare(other.text(column)) < 0;
    }
};

} // namespace

frmLibrary::frmLibrary(ShaftLibrary& library, MessageBox& messageBox, QWidget* parent)
    : QDialog(parent), library_(library), messageBox_(messageBox)
{
    setObjectName(QStringLiteral("frmLibrary"));
    setWindowTitle(QStringLiteral("Library"));
    resize(820, 460);
    auto* layout = new QVBoxLayout(this);
    txtSearch_ = new QLineEdit(this);
    txtSearch_->setObjectName(QStringLiteral("txtSearch"));
    txtSearch_->setPlaceholderText(QStringLiteral("Search maker, model, customer, label, notes..."));
    txtSearch_->setClearButtonEnabled(true);
    layout->addWidget(txtSearch_);
    lstEntries_ = new QTreeWidget(this);
    lstEntries_->setObjectName(QStringLiteral("lstEntries"));
    lstEntries_->setRootIsDecorated(false);
    lstEntries_->setSortingEnabled(true);
    lstEntries_->setHeaderLabels({QStringLiteral("Taken"), QStringLiteral("Kind"), QStringLiteral("Shaft"), QStringLiteral("Flex"),
                                  QStringLiteral("Weight (g)"), QStringLiteral("Length (in)"), QStringLiteral("Customer"),
                                  QStringLiteral("Rows"), QStringLiteral("Note")});
    layout->addWidget(lstEntries_);
    auto* row = new QHBoxLayout;
    lblStatus_ = new QLabel(this);
    lblStatus_->setObjectName(QStringLiteral("lblStatus"));
    row->addWidget(lblStatus_, 1);
    auto* cmdOpen = new QPushButton(QStringLiteral("&Open"), this);
    cmdOpen->setObjectName(QStringLiteral("cmdOpenMeasurement"));
    auto* cmdDelete = new QPushButton(QStringLiteral("&Delete"), this);
    cmdDelete->setObjectName(QStringLiteral("cmdDeleteMeasurement"));
    row->addWidget(cmdOpen);
    row->addWidget(cmdDelete);
    layout->addLayout(row);
    connect(txtSearch_, &QLineEdit::textChanged, this, &frmLibrary::refresh);
    connect(cmdOpen, &QPushButton::clicked, this, [this] {
        if (const qint64 id = selected())
            emit openRequested(id);
    });
    connect(lstEntries_, &QTreeWidget::itemDoubleClicked, this, [this] { emit openRequested(selected()); });
    connect(cmdDelete, &QPushButton::clicked, this, &frmLibrary::deleteSelected);
    refresh();
}

void frmLibrary::refresh()
{
    LibraryQuery query;
    query.text = txtSearch_->text().trimmed();
    std::vector<LibraryEntry> entries;
    lstEntries_->clear();
    if (const Result<> r = library_.search(query, entries); !r.ok()) {
        lblStatus_->setText(r.message);
        return;
    }
    const auto figure = [](const std::optional<double>& v) { return v ? QLocale::system().toString(*v, 'g', 6) : QString(); };
    for (const LibraryEntry& e : entries) {
        auto* item = new EntryItem(lstEntries_, {e.takenAt.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm")),
                                                      KindName(e.kind), ShaftTitle(Shaft{e.shaft.id, e.shaft.maker, e.shaft.model, {}, {}, {}, e.shaft.label, {}, {}}), e.shaft.flex, figure(e.shaft.weightGrams),
                                                      figure(e.shaft.lengthInches), e.shaft.customer, QString::number(e.rowCount),
                                                      e.note.section(QLatin1Char('\n'), 0, 0)});
        item->setData(0, Qt::UserRole, e.measurementId);
    }
    lstEntries_->sortByColumn(0, Qt::DescendingOrder);
    lstEntries_->header()->resizeSections(QHeaderView::ResizeToContents);
    lblStatus_->setText(QStringLiteral("%1 measurements").arg(entries.size()));
}

qint64 frmLibrary::selected() const
{
    const QTreeWidgetItem* item = lstEntries_->currentItem();
    return item ? item->data(0, Qt::UserRole).toLongLong() : 0;
}

void frmLibrary::deleteSelected()
{
    const QTreeWidgetItem* item = lstEntries_->currentItem();
    if (!item)
        return;
    const QString what = QStringLiteral("the %1 measurement of %2, taken %3").arg(item->text(1), item->text(2), item->text(0));
    if (messageBox_.show(this, QStringLiteral("Delete %1 from the library?").arg(what), MsgButtons::YesNo) != MsgResult::Yes)
        return;
    if (const Result<> r = library_.deleteMeasurement(selected()); !r.ok())
        messageBox_.show(this, r.message);
    refresh();
}

} // namespace tarvex
