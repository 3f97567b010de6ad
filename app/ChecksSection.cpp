// The sidebar's "Checks" section; see ChecksSection.h.
#include "app/ChecksSection.h"

#include "app/EntryChecks.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace kalmo {

ChecksSection::ChecksSection(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("ChecksSection"));
    setAccessibleName(QStringLiteral("Checks of the entry on show"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    empty_ = new QLabel(QStringLiteral("No problems in this entry."), this);
    empty_->setObjectName(QStringLiteral("ChecksNone"));
    layout->addWidget(empty_);
    rows_ = new QVBoxLayout;
    layout->addLayout(rows_);
    layout->addStretch();
}

ChecksSection::ChecksSection(EntryChecks& checks, QWidget* parent) : ChecksSection(parent)
{
    connect(&checks, &EntryChecks::findingsChanged, this, [this, &checks] { ShowFindings(checks.Findings()); });
    connect(this, &ChecksSection::ignoreWanted, &checks, &EntryChecks::Ignore);
    ShowFindings(checks.Findings());
}

void ChecksSection::ShowFindings(const std::vector<Finding>& findings)
{
    if (findings.size() == shown_.size()
        && std::equal(findings.begin(), findings.end(), shown_.begin(), [](const Finding& a, const Finding& b) {
               return a.message == b.message && a.check == b.check && a.constant == b.constant;
           }))
        return;
    shown_ = findings;
    // A row's button may be what asked for this: rows go once the event is done.
    while (QLayoutItem* item = rows_->takeAt(0)) {
        QWidget* row = item->widget();
        row->hide();
        row->setParent(nullptr);
        row->deleteLater();
        delete item;
    }
    empty_->setVisible(findings.empty());
    for (const Finding& finding : shown_) {
        auto* row = new QWidget(this);
        row->setObjectName(QStringLiteral("ChecksRow"));
        auto* layout = new QHBoxLayout(row);
        layout->setContentsMargins(0, 0, 0, 0);
        auto* message = new QLabel(QString::fromUtf8(asksForAFix(finding) ? "\u26A0 " : "\u2139 ")
                                       + QString::fromStdString(finding.message),
                                   row);
        message->setWordWrap(true);
        message->setToolTip(QString::fromUtf8(kindName(finding.kind)) + QStringLiteral(" [")
                            + QString::fromStdString(finding.check) + QLatin1Char(']'));
        auto* ignore = new QPushButton(QStringLiteral("Ignore this"), row);
        ignore->setObjectName(QStringLiteral("IgnoreThis"));
        ignore->setAccessibleDescription(QString::fromStdString(finding.message));
        connect(ignore, &QPushButton::clicked, this, [this, finding] { emit ignoreWanted(finding); });
        layout->addWidget(message, 1);
        layout->addWidget(ignore, 0, Qt::AlignTop);
        rows_->addWidget(row);
    }
}

} // namespace kalmo
