// `kalmo script`: one translation job driven by text commands, exactly as
// the window program drives it, with the windows replaced by plain fields
// whose state is printed after every command.
#pragma once

#include "cli/ScriptSyntax.h"
#include "controls/memo/CodeMemoModel.h"
#include "controls/memo/StringClipboard.h"
#include "job/TranslationJob.h"
#include "job/TranslationJobView.h"
#include "job/memory/HostQueue.h"
#include "job/memory/MemoryAssistant.h"

#include <deque>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace kalmo {

class ScriptSession : private TranslationJobView {
public:
    explicit ScriptSession(std::ostream& out);

    // Runs one command line and prints its outcome; false once the program ended.
    bool run(const std::string& commandLine);

private:
    void dispatch(const std::string& command, const std::string& argument);
    void loadAs(const std::string& argument);
    void pressMainWindowKey(const std::string& name);
    void pressPaneKey(const std::string& argument);
    bool runMenuShortcut(const ScriptKeyPress& press);
    void typeIntoPane(const std::string& text);
    void printPanes();
    void printSuggestions();
    void printProblems();
    void printState();

    void SetStatusText(const std::string& text) override { status_ = text; }
    void SetEncodingPanel(const std::string& text) override { encodingPanel_ = text; }
    void SetProgressPanel(const std::string& text) override { progressPanel_ = text; }
    void ShowNotes(const std::string& heading, const std::vector<std::string>& notes) override;
    void Beep() override { ++beeps_; }
    void SetNameField(const std::string& text) override { name_ = text; }
    void SetSourceField(const std::string& text) override { source_ = text; }
    void SetTranslationField(const std::string& text) override { translation_ = text; }
    std::string TranslationField() const override { return translation_; }
    void SetTranslationFieldEnabled(bool enabled) override { translationEnabled_ = enabled; }
    void SetTranslationFieldColors(ColorValue, ColorValue) override {}
    void SelectTranslationField() override {}
    std::optional<std::string> AskFindText(const std::string&) override { return findAnswer_; }
    std::optional<std::string> ChooseSourceFile(const FileDialogRequest& request) override;
    std::optional<std::string> ChooseTargetFile(const FileDialogRequest&) override { return targetAnswer_; }
    std::size_t Ask(const Question& question) override;
    void ShowAndFocusViewer() override { viewerVisible_ = true; }
    void FocusMainWindow() override {}
    void EndProgram() override { ended_ = true; }

    std::ostream& out_;
    // The plain-text clipboard the lower pane copies to and pastes from.
    StringClipboard clipboard_;
    TCustomCodeMemo memo1_;
    TCustomCodeMemo memo2_;
    TranslationJob job_;
    // The worker's results are run at the end of each command, so a command
    // prints the memory's answer to it.
    HostQueue memoryResults_;
    MemoryAssistant memory_;

    std::string status_;
    std::string encodingPanel_;
    std::string progressPanel_;
    std::vector<std::string> notes_;
    std::optional<std::string> findAnswer_;
    std::string name_;
    std::string source_;
    std::string translation_;
    bool translationEnabled_ = true;
    std::optional<std::string> dialogAnswer_;
    // The save dialog's answer: the path of the last `save-as`, also for
    // a question's "Save As…".
    std::optional<std::string> targetAnswer_;
    // Captions given by `answer`, for the questions still to come, first
    // given first; a question with none queued takes its default answer.
    std::deque<std::string> queuedAnswers_;
    // The answer the command gives, where it has one, when none is queued.
    std::optional<std::string> commandAnswer_;
    // The questions asked during the command, and the answers taken.
    std::vector<std::string> questions_;
    int beeps_ = 0;
    std::optional<std::string> savedPath_;
    bool ended_ = false;
    bool viewerVisible_ = false;
    bool panesAsked_ = false;
    bool encodingAsked_ = false;
    bool progressAsked_ = false;
    bool suggestionsAsked_ = false;
    bool problemsAsked_ = false;
    bool entryProblemsAsked_ = false;
};

} // namespace kalmo
