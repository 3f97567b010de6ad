// TranslationJobView, the job's view of the user interface: what the
// translation job needs from its windows. The window program
// implements it with real controls; the script runner and the tests with
// plain fields.
#pragma once

#include "base/Color.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace kalmo {

struct FileDialogRequest {
    std::string filter; // "Description|PATTERN"
    std::string title;
};

// A question with its answers, as buttons in this order.
struct Question {
    std::string text;
    std::vector<std::string> answers;
    std::size_t defaultAnswer = 0; // Enter
    std::size_t cancelAnswer = 0;  // Escape, or closing the box

    // The index of the answer with this caption; nullopt when none has it.
    std::optional<std::size_t> answerNamed(const std::string& caption) const
    {
        for (std::size_t i = 0; i < answers.size(); ++i) {
            if (answers[i] == caption)
                return i;
        }
        return std::nullopt;
    }
};

class TranslationJobView {
public:
    virtual ~TranslationJobView() = default;

    virtual void SetStatusText(const std::string& text) = 0;
    // The status bar's panel that names the loaded file's character set.
    virtual void SetEncodingPanel(const std::string& text) = 0;
    // The status bar's panel that tells how far the translation is.
    virtual void SetProgressPanel(const std::string& text) = 0;
    // Things the user should know that are no error, shown together under
    // the heading.
    virtual void ShowNotes(const std::string& heading, const std::vector<std::string>& notes) = 0;
    virtual void Beep() = 0;

    // The three entry fields: constant name, source text, translation.
    virtual void SetNameField(const std::string& text) = 0;
    virtual void SetSourceField(const std::string& text) = 0;
    virtual void SetTranslationField(const std::string& text) = 0;
    virtual std::string TranslationField() const = 0;
    virtual void SetTranslationFieldEnabled(bool enabled) = 0;
    virtual void SetTranslationFieldColors(ColorValue background, ColorValue text) = 0;
    // The field's whole text selected, the caret at its end: typing replaces
    // the text, and End, Home and the arrows leave it as they would anywhere.
    virtual void SelectTranslationField() = 0;
    // The entry on show: the index of its line in the file (as the status
    // bar counts) and that line as the job holds it now. Only a window that
    // shows the line needs it.
    virtual void SetEntryLine(int /*line*/, const std::string& /*text*/) {}

    // The chosen path, or nullopt when the user cancelled.
    virtual std::optional<std::string> ChooseSourceFile(const FileDialogRequest& request) = 0;
    // The save dialog: the path to write to, or nullopt when the user cancelled.
    virtual std::optional<std::string> ChooseTargetFile(const FileDialogRequest& request) = 0;
    // The index of the answer the user chose.
    virtual std::size_t Ask(const Question& question) = 0;
    // The find dialog, offering the last text searched for: the text to
    // find, or nullopt when the user cancelled.
    virtual std::optional<std::string> AskFindText(const std::string& lastText) = 0;

    virtual void ShowAndFocusViewer() = 0;
    virtual void FocusMainWindow() = 0;
    virtual void EndProgram() = 0;
};

} // namespace kalmo
