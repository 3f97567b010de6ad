// The sidebar's Entry section; see EntrySection.h.
#include "app/EntrySection.h"

#include "app/WrappedText.h"

#include <QFontDatabase>
#include <QLabel>
#include <QVBoxLayout>

namespace kalmo {
namespace {

QLabel* caption(const QString& text, QWidget* parent)
{
    return new QLabel(text, parent);
}

WrappedText* value(const char* name, QLabel* caption, QWidget* parent)
{
    auto* text = new WrappedText(parent);
    text->setObjectName(QString::fromLatin1(name));
    text->setAccessibleName(caption->text());
    // Placed by the section's layout, the text is as tall as it needs.
    text->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    caption->setBuddy(text);
    return text;
}

} // namespace

EntrySection::EntrySection(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("EntrySection"));
}

void EntrySection::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!Name)
        createControls();
}

void EntrySection::createControls()
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    QLabel* nameCaption = caption(QStringLiteral("Constant"), this);
    Name = value("EntryName", nameCaption, this);
    QLabel* sourceCaption = caption(QStringLiteral("Source text"), this);
    SourceText = value("EntrySourceText", sourceCaption, this);
    LineCaption = caption(lineCaption_, this);
    Line = value("EntryLine", LineCaption, this);
    Line->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    for (QWidget* widget : {static_cast<QWidget*>(nameCaption), static_cast<QWidget*>(Name),
                            static_cast<QWidget*>(sourceCaption), static_cast<QWidget*>(SourceText),
                            static_cast<QWidget*>(LineCaption), static_cast<QWidget*>(Line)}) {
        layout->addWidget(widget);
        widget->show();
    }
    showTexts();
}

void EntrySection::SetName(const QString& name)
{
    name_ = name;
    showTexts();
}

void EntrySection::SetSourceText(const QString& text)
{
    sourceText_ = text;
    showTexts();
}

void EntrySection::SetLine(int index, const QString& text)
{
    lineCaption_ = QStringLiteral("Line %1").arg(index);
    line_ = text;
    showTexts();
}

void EntrySection::showTexts()
{
    if (!Name)
        return;
    Name->SetText(name_);
    SourceText->SetText(sourceText_);
    LineCaption->setText(lineCaption_);
    // Read as its caption, which names the line.
    Line->setAccessibleName(lineCaption_);
    Line->SetText(line_);
}

} // namespace kalmo
