// The window of Tools > Search Memory; see MemorySearchWindow.h.
#include "app/MemorySearchWindow.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace kalmo {
namespace {

// Typing goes on for a moment before each search, so a word is searched
// once rather than letter by letter.
constexpr int kSearchDelayMs = 150;

} // namespace

MemorySearchWindow::MemorySearchWindow(Search search, QWidget* parent)
    : QWidget(parent, Qt::Window), search_(std::move(search))
{
    setObjectName(QStringLiteral("MemorySearchWindow"));
    setWindowTitle(QStringLiteral("Search Memory"));
    resize(640, 360);
    auto* column = new QVBoxLayout(this);
    SearchEdit = new QLineEdit(this);
    SearchEdit->setObjectName(QStringLiteral("SearchEdit"));
    SearchEdit->setAccessibleName(QStringLiteral("Text to search for"));
    SearchEdit->setPlaceholderText(QStringLiteral("A word of a source text or a translation"));
    column->addWidget(SearchEdit);
    CountLabel = new QLabel(this);
    CountLabel->setObjectName(QStringLiteral("CountLabel"));
    column->addWidget(CountLabel);
    Table = new QTableWidget(0, 5, this);
    Table->setObjectName(QStringLiteral("Table"));
    Table->setAccessibleName(QStringLiteral("Records found"));
    Table->setHorizontalHeaderLabels({QStringLiteral("Language"), QStringLiteral("Source text"),
                                      QStringLiteral("Translation"), QStringLiteral("Constant"), QStringLiteral("File")});
    Table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Table->setSelectionBehavior(QAbstractItemView::SelectRows);
    Table->verticalHeader()->hide();
    Table->horizontalHeader()->setStretchLastSection(true);
    column->addWidget(Table);

    delay_ = new QTimer(this);
    delay_->setSingleShot(true);
    delay_->setInterval(kSearchDelayMs);
    connect(delay_, &QTimer::timeout, this, &MemorySearchWindow::startSearch);
    connect(SearchEdit, &QLineEdit::textChanged, delay_, qOverload<>(&QTimer::start));
}

void MemorySearchWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void MemorySearchWindow::startSearch()
{
    const QString text = SearchEdit->text();
    if (text.trimmed().isEmpty()) {
        showRecords(text, {});
        return;
    }
    QPointer<MemorySearchWindow> self(this);
    search_(text.toStdString(), [self, text](std::vector<MemoryRecord> records) {
        if (self)
            self->showRecords(text, records);
    });
}

void MemorySearchWindow::showRecords(const QString& text, const std::vector<MemoryRecord>& records)
{
    // An answer to a text typed over since is not shown.
    if (text != SearchEdit->text())
        return;
    Table->setRowCount(static_cast<int>(records.size()));
    for (int row = 0; row < static_cast<int>(records.size()); ++row) {
        const MemoryRecord& record = records[static_cast<std::size_t>(row)];
        const std::string* cells[] = {&record.language, &record.source, &record.translation, &record.constant,
                                      &record.file};
        for (int column = 0; column < 5; ++column)
            Table->setItem(row, column, new QTableWidgetItem(QString::fromStdString(*cells[column])));
    }
    CountLabel->setText(text.trimmed().isEmpty() ? QString()
                                                 : QStringLiteral("%1 records hold \u201c%2\u201d").arg(records.size()).arg(text));
}

} // namespace kalmo
