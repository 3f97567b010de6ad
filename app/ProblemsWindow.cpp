// View > Problems; see ProblemsWindow.h.
#include "app/ProblemsWindow.h"

#include <QAbstractTableModel>
#include <QHeaderView>
#include <QLabel>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QVBoxLayout>

#include <array>

namespace kalmo {

class FindingsModel : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;

    void SetFindings(std::vector<Finding> findings)
    {
        beginResetModel();
        findings_ = std::move(findings);
        endResetModel();
    }
    const Finding& At(int row) const { return findings_[static_cast<std::size_t>(row)]; }

    int rowCount(const QModelIndex& parent) const override
    {
        return parent.isValid() ? 0 : static_cast<int>(findings_.size());
    }
    int columnCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : 5; }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        static const std::array<QString, 5> kHeadings{QStringLiteral("Severity"), QStringLiteral("Check"),
                                                      QStringLiteral("Constant"), QStringLiteral("Line"),
                                                      QStringLiteral("Message")};
        if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < 5)
            return kHeadings[static_cast<std::size_t>(section)];
        return QAbstractTableModel::headerData(section, orientation, role);
    }

    QVariant data(const QModelIndex& index, int role) const override
    {
        if (!index.isValid() || (role != Qt::DisplayRole && role != SortRole))
            return {};
        const Finding& finding = At(index.row());
        switch (index.column()) {
        case 0:
            // Errors first when sorted: the kinds run from error to note.
            return role == SortRole ? QVariant(static_cast<int>(finding.kind)) : QVariant(QString::fromUtf8(kindName(finding.kind)));
        case 1: return QString::fromStdString(finding.check);
        case 2: return QString::fromStdString(finding.constant);
        case 3: return finding.line;
        case 4: return QString::fromStdString(finding.message);
        default: return {};
        }
    }

    static constexpr int SortRole = Qt::UserRole;

private:
    std::vector<Finding> findings_;
};

ProblemsWindow::ProblemsWindow(std::function<std::vector<Finding>()> findings, QWidget* parent)
    : QWidget(parent, Qt::Window), findings_(std::move(findings))
{
    setObjectName(QStringLiteral("ProblemsWindow"));
    setWindowTitle(QStringLiteral("Problems"));
    resize(720, 320);
    model_ = new FindingsModel(this);
    sorted_ = new QSortFilterProxyModel(this);
    sorted_->setSourceModel(model_);
    sorted_->setSortRole(FindingsModel::SortRole);
    Table = new QTableView(this);
    Table->setObjectName(QStringLiteral("ProblemsTable"));
    Table->setAccessibleName(QStringLiteral("Problems"));
    Table->setModel(sorted_);
    Table->setSortingEnabled(true);
    Table->sortByColumn(3, Qt::AscendingOrder);
    Table->setSelectionBehavior(QAbstractItemView::SelectRows);
    Table->setSelectionMode(QAbstractItemView::SingleSelection);
    Table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Table->setWordWrap(false);
    Table->verticalHeader()->hide();
    Table->horizontalHeader()->setStretchLastSection(true);
    Summary = new QLabel(this);
    Summary->setObjectName(QStringLiteral("ProblemsSummary"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Table);
    layout->addWidget(Summary);
    // Enter and a double click both activate a row.
    connect(Table, &QAbstractItemView::activated, this, [this](const QModelIndex& index) {
        if (index.isValid())
            emit problemChosen(model_->At(sorted_->mapToSource(index).row()));
    });
}

ProblemsWindow::~ProblemsWindow() = default;

void ProblemsWindow::FindingsChanged()
{
    if (isVisible())
        refresh();
}

void ProblemsWindow::showEvent(QShowEvent* event)
{
    refresh();
    QWidget::showEvent(event);
}

void ProblemsWindow::refresh()
{
    std::vector<Finding> findings = findings_ ? findings_() : std::vector<Finding>();
    int counts[3] = {0, 0, 0};
    for (const Finding& finding : findings)
        ++counts[static_cast<int>(finding.kind)];
    Summary->setText(QStringLiteral("%1 errors, %2 warnings, %3 notes").arg(counts[0]).arg(counts[1]).arg(counts[2]));
    const int row = Table->currentIndex().row();
    model_->SetFindings(std::move(findings));
    Table->resizeColumnsToContents();
    if (row >= 0 && row < sorted_->rowCount())
        Table->setCurrentIndex(sorted_->index(row, 0));
}

} // namespace kalmo
