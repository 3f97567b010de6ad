// QClipboard behind the memo's MemoClipboard; see QtMemoClipboard.h.
#include "controls/memo/qt/QtMemoClipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace kalmo {

bool QtMemoClipboard::HasText() const
{
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    return data != nullptr && data->hasText();
}

std::string QtMemoClipboard::Text() const { return QGuiApplication::clipboard()->text().toStdString(); }

void QtMemoClipboard::SetText(const std::string& text)
{
    QGuiApplication::clipboard()->setText(QString::fromStdString(text));
}

} // namespace kalmo
