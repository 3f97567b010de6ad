// The program's own widgets paint themselves or stand for window-system
// parts Qt has no class for; one factory gives each its accessible
// interface (role, name, state, text). Qt's widgets keep Qt's own, and what
// they read is set here where it follows the work, as for the translation field.
#pragma once

class QString;
class QWidget;

namespace kalmo {

// Safe to call more than once; call before the windows are created.
void installAccessibility();

// The translation field as an entry is shown: named for the constant it
// translates ("Translation of _SITE_TITLE") and described by the source
// text, so that a screen reader, which reads out the focused field's new
// name, tells which constant the next words belong to.
void describeTranslationField(QWidget& field, const QString& constant, const QString& sourceText);

} // namespace kalmo
