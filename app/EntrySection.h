// The sidebar's Entry section: the constant on show, its source text whole,
// and its line (with the index the status bar counts) as the job holds it,
// which is what the translated file will hold. Its controls are made when
// it is first shown (the sidebar shows its sections once it has been
// drawn), so that they cost the window's first appearance nothing; what it
// is told before then waits for them.
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

    // Null until the section is first shown.
    WrappedText* Name = nullptr;
    WrappedText* SourceText = nullptr;
    QLabel* LineCaption = nullptr;
    WrappedText* Line = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void createControls();
    void showTexts();

    QString name_;
    QString sourceText_;
    QString lineCaption_ = QStringLiteral("Line");
    QString line_;
};

} // namespace kalmo
