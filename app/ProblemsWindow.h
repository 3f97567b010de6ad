// View > Problems: every finding of the checks on the translation as it
// stands (severity, check, constant, line, message) in a table sorted by any
// column; Enter or a double click on a row shows its entry.
#pragma once

#include "job/Finding.h"

#include <QWidget>

#include <functional>
#include <vector>

class QLabel;
class QSortFilterProxyModel;
class QTableView;

namespace kalmo {

class FindingsModel;

class ProblemsWindow : public QWidget {
    Q_OBJECT

public:
    // findings: asked for whenever the window is shown or told of a change.
    explicit ProblemsWindow(std::function<std::vector<Finding>()> findings, QWidget* parent = nullptr);
    ~ProblemsWindow() override;

    // The findings changed; read again while the window is visible.
    void FindingsChanged();

    QTableView* Table = nullptr;
    QLabel* Summary = nullptr;

signals:
    void problemChosen(const kalmo::Finding& finding);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void refresh();

    std::function<std::vector<Finding>()> findings_;
    FindingsModel* model_ = nullptr;
    QSortFilterProxyModel* sorted_ = nullptr;
};

} // namespace kalmo
