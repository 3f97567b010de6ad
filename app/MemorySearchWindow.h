// Tools > Search Memory: the records of the translation memory whose source
// text or translation holds a text, newest first, for "how did I translate
// this word before". Searches as the text is typed; Escape closes it.
#pragma once

#include "job/memory/MemoryStore.h"

#include <QWidget>

#include <functional>
#include <string>
#include <vector>

class QLabel;
class QLineEdit;
class QTableWidget;
class QTimer;

namespace kalmo {

class MemorySearchWindow : public QWidget {
    Q_OBJECT

public:
    using Found = std::function<void(std::vector<MemoryRecord>)>;
    // Starts a search; `found` is called with the records on this thread.
    using Search = std::function<void(const std::string& text, Found found)>;

    MemorySearchWindow(Search search, QWidget* parent = nullptr);

    QLineEdit* SearchEdit = nullptr;
    QTableWidget* Table = nullptr;
    QLabel* CountLabel = nullptr;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void startSearch();
    void showRecords(const QString& text, const std::vector<MemoryRecord>& records);

    Search search_;
    QTimer* delay_ = nullptr;
};

} // namespace kalmo
