// Plain fields in place of the main window: the job's view of the user
// interface as tests, benchmarks and fuzzers read it back.
#pragma once

#include "job/TranslationJobView.h"

#include <deque>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace kalmo::testing_support {

class FakeTranslationJobView : public TranslationJobView {
public:
    void SetStatusText(const std::string& text) override { status = text; }
    void SetEncodingPanel(const std::string& text) override { encodingPanel = text; }
    void SetProgressPanel(const std::string& text) override { progressPanel = text; }
    void ShowNotes(const std::string& heading, const std::vector<std::string>& shown) override
    {
        notesHeading = heading;
        notes.push_back(shown);
    }
    void Beep() override { ++beeps; }
    void SetNameField(const std::string& text) override { name = text; }
    void SetSourceField(const std::string& text) override { source = text; }
    void SetTranslationField(const std::string& text) override { translation = text; }
    std::string TranslationField() const override { return translation; }
    void SetTranslationFieldEnabled(bool enabled) override { translationEnabled = enabled; }
    void SetTranslationFieldColors(ColorValue background, ColorValue text) override
    {
        translationBackground = background;
        translationText = text;
    }
    void SelectTranslationField() override { selectedTranslation = translation; }
    void SetEntryLine(int line, const std::string& text) override { entryLine = {line, text}; }
    std::optional<std::string> AskFindText(const std::string& lastText) override
    {
        lastFindOffered = lastText;
        return findAnswer;
    }
    std::optional<std::string> ChooseSourceFile(const FileDialogRequest& request) override
    {
        lastDialog = request;
        return dialogAnswer;
    }
    std::optional<std::string> ChooseTargetFile(const FileDialogRequest& request) override
    {
        lastDialog = request;
        return targetAnswer;
    }
    // Answers with the first queued caption, else with the question's default.
    std::size_t Ask(const Question& question) override
    {
        questions.push_back(question);
        std::optional<std::size_t> chosen;
        if (!answers.empty()) {
            chosen = question.answerNamed(answers.front());
            answers.pop_front();
        }
        return chosen.value_or(question.defaultAnswer);
    }
    void ShowAndFocusViewer() override { viewerShownAndFocused = true; }
    void FocusMainWindow() override { viewerShownAndFocused = false; }
    void EndProgram() override { ended = true; }

    std::string status;
    std::string encodingPanel;
    std::string progressPanel;
    std::string notesHeading;
    std::vector<std::vector<std::string>> notes; // one element per message
    int beeps = 0;
    std::string name;
    std::string source;
    std::string translation;
    // The field's text when it was last selected as a whole.
    std::optional<std::string> selectedTranslation;
    // The entry line last shown: its index and its text.
    std::optional<std::pair<int, std::string>> entryLine;
    bool translationEnabled = true;
    ColorValue translationBackground = clWindow;
    ColorValue translationText = clWindowText;
    std::optional<std::string> dialogAnswer;
    FileDialogRequest lastDialog;
    std::optional<std::string> targetAnswer;
    std::vector<Question> questions;
    std::deque<std::string> answers;
    std::optional<std::string> findAnswer;
    std::string lastFindOffered;
    bool viewerShownAndFocused = false;
    bool ended = false;
};

} // namespace kalmo::testing_support
