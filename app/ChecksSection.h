// The sidebar's "Checks" section: the findings of the entry on show, each
// with a button that silences it for the entry ("Ignore this").
#pragma once

#include "job/Finding.h"

#include <QWidget>

#include <vector>

class QLabel;
class QVBoxLayout;

namespace kalmo {

class EntryChecks;

class ChecksSection : public QWidget {
    Q_OBJECT

public:
    explicit ChecksSection(QWidget* parent = nullptr);
    // Follows the window's checks of the entry on show and silences through them.
    explicit ChecksSection(EntryChecks& checks, QWidget* parent = nullptr);

    void ShowFindings(const std::vector<Finding>& findings);
    const std::vector<Finding>& Shown() const { return shown_; }

signals:
    void ignoreWanted(const kalmo::Finding& finding);

private:
    QVBoxLayout* rows_ = nullptr;
    QLabel* empty_ = nullptr;
    std::vector<Finding> shown_;
};

} // namespace kalmo
