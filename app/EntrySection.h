// The sidebar's Entry section: the constant on show, its source text whole,
// and its line (with the index the status bar counts) as the job holds it,
// which is what the translated file will hold.
#pragma once

#include <QWidget>

class QLabel;

namespace kalmo {

class WrappedText;

class EntrySection : public QWidget {
    Q_OBJECT

public:
    explicit EntrySection(QWidget* parent = nullptr);

    void SetName(const QString& name);
    void SetSourceText(const QString& text);
    void SetLine(int index, const QString& text);

    WrappedText* Name = nullptr;
    WrappedText* SourceText = nullptr;
    QLabel* LineCaption = nullptr;
    WrappedText* Line = nullptr;
};

} // namespace kalmo
