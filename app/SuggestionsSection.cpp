// The Suggestions section; see SuggestionsSection.h.
#include "app/SuggestionsSection.h"

#include <QColor>
#include <QLabel>
#include <QVBoxLayout>

namespace kalmo {
namespace {

QString html(const std::string& text) { return QString::fromStdString(text).toHtmlEscaped(); }

QString colorName(QRgb color) { return QColor::fromRgba(color).name(); }

// The pieces as rich text, the changed ones on the given background.
QString marked(const std::vector<MarkedPiece>& pieces, QRgb background)
{
    QString text;
    for (const MarkedPiece& piece : pieces) {
        if (piece.changed)
            text += QStringLiteral("<span style=\"background-color:%1\">%2</span>").arg(colorName(background), html(piece.text));
        else
            text += html(piece.text);
    }
    return text;
}

QLabel* richLabel(QWidget* parent, const QString& name)
{
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::RichText);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

QString statusOf(const MemorySuggestions& suggestions)
{
    if (suggestions.entryLine == 0)
        return QStringLiteral("No entry on show.");
    if (suggestions.language.empty())
        return QStringLiteral("No translation language is known for this file: choose one under "
                              "Tools > Translation Language.");
    const QString language = QString::fromStdString(suggestions.language);
    if (!suggestions.lookedUp)
        return QStringLiteral("Looking up %1 translations\u2026").arg(language);
    if (suggestions.matches.empty())
        return QStringLiteral("No %1 translation of a like text in the memory.").arg(language);
    return QStringLiteral("Translations into %1:").arg(language);
}

} // namespace

SuggestionsSection::SuggestionsSection(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Suggestions1"));
    setAccessibleName(QStringLiteral("Suggestions"));
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(4, 4, 4, 4);
    ReviewLabel = richLabel(this, QStringLiteral("ReviewLabel"));
    ReviewLabel->setAccessibleName(QStringLiteral("Changed source text"));
    ReviewLabel->hide();
    column->addWidget(ReviewLabel);
    StatusLabel = richLabel(this, QStringLiteral("StatusLabel"));
    StatusLabel->setTextFormat(Qt::PlainText);
    column->addWidget(StatusLabel);
    for (std::size_t i = 0; i < SuggestionLabels.size(); ++i) {
        QLabel* label = richLabel(this, QStringLiteral("SuggestionLabel%1").arg(i + 1));
        label->setAccessibleName(QStringLiteral("Suggestion %1").arg(i + 1));
        label->hide();
        connect(label, &QLabel::linkActivated, this, [this](const QString& link) { emit suggestionChosen(link.toInt()); });
        SuggestionLabels[i] = label;
        column->addWidget(label);
    }
    column->addStretch(1);
    Show({});
}

void SuggestionsSection::Show(const MemorySuggestions& suggestions)
{
    ReviewLabel->setVisible(suggestions.toReview);
    if (suggestions.toReview) {
        ReviewLabel->setText(QStringLiteral("<b>The source text changed since the translation was made.</b><br>"
                                            "Was: %1<br>Now: %2")
                                 .arg(marked(suggestions.oldSource, OldWordColor),
                                      marked(suggestions.newSource, NewWordColor)));
    }
    StatusLabel->setText(statusOf(suggestions));
    for (std::size_t i = 0; i < SuggestionLabels.size(); ++i) {
        QLabel* label = SuggestionLabels[i];
        const bool shown = i < suggestions.matches.size();
        label->setVisible(shown);
        if (!shown)
            continue;
        const Suggestion& match = suggestions.matches[i];
        label->setText(QStringLiteral("<a href=\"%1\">Ctrl+%1</a> <b>%2%</b> %3<br><small>%4</small>")
                           .arg(QString::number(i + 1), QString::number(match.score), html(match.translation),
                                marked(match.sourceMarks, ChangedWordColor)));
        label->setToolTip(QStringLiteral("%1 in %2").arg(QString::fromStdString(match.constant),
                                                         QString::fromStdString(match.file)));
    }
}

} // namespace kalmo
