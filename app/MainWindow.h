// TForm1, the main window. It owns the translation job and is the job's
// windows: the three entry fields, the status line, the file dialog, the
// beep, and the way to the source viewer. Its menu and keys start the job's
// operations; every error they raise is reported here and the program goes on.
#pragma once

#include "app/AppServices.h"
#include "app/StatusPanel.h"
#include "base/KeyCodes.h"
#include "app/menu/MenuCommands.h"
#include "job/TranslationJob.h"
#include "job/TranslationJobView.h"

#include <QMainWindow>
#include <QPointer>

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

class QAction;
class QMenu;
class QMenuBar;
class QStatusBar;

namespace kalmo {
class AppSettings;
class EncodingMenu;
class EntryChecks;
class SpellingLanguageMenu;
class KeyPreviewFilter;
class EntrySection;
class KeySchemeMenu;
class MemoryAssistant;
class MainWindowGrowth;
class RecentFilesMenu;
class SuggestionsSection;
class MenuShortcutPriority;
class Sidebar;
class SidebarSplit;
class TEntryArea;
class TEntryEdit;
class TImage;
class TLabel;
class WrappedText;
} // namespace kalmo

class TForm1 : public QMainWindow, private kalmo::TranslationJobView {
    Q_OBJECT

public:
    static constexpr int ClientWidth = 469;
    static constexpr int ClientHeight = 214;

    explicit TForm1(kalmo::AppServices services = kalmo::AppServices::platform());
    ~TForm1() override;

    // The job speaks to the user through this window and drives the
    // viewer's panes; the program makes it and hands it over.
    kalmo::TranslationJobView& JobView() { return *this; }
    void SetJob(std::unique_ptr<kalmo::TranslationJob> job);
    // The window that View > SourceWindows shows and hides.
    void AttachViewer(QWidget& viewer) { viewer_ = &viewer; }
    // About and Help are made when first asked for, which keeps them out of
    // the start-up; `window` makes or finds the window each time.
    using WindowSource = std::function<QWidget&()>;
    void AttachAboutWindow(WindowSource window) { about_ = std::move(window); }
    void AttachHelpWindow(WindowSource window) { help_ = std::move(window); }
    void AttachKeyboardShortcutsWindow(WindowSource window) { keyboardShortcuts_ = std::move(window); }
    void AttachMemorySearchWindow(WindowSource window) { memorySearch_ = std::move(window); }
    void AttachProblemsWindow(WindowSource window) { problems_ = std::move(window); }

    kalmo::TranslationJob& Job() { return *job_; }
    // The translation memory beside the job, made with it.
    kalmo::MemoryAssistant& Memory() { return *memory_; }
    // The program's settings, read when this window was made; shared with
    // what writes to them while the windows close.
    const std::shared_ptr<kalmo::AppSettings>& Settings() const { return settings_; }
    // The area below the menu bar, where the controls live; the sidebar
    // stands beside it.
    QWidget* Client() const { return client_; }
    kalmo::Sidebar& SidePanel() { return *sidebar_; }
    bool SidebarShown() const;
    QString StatusText() const;

    // Runs a handler; a KalmoError it raises is reported. False on error.
    bool ReportErrors(const std::function<void()>& handler);

    void LoadSourceFile1Click();
    // Load, as if its dialog had answered with the path: the file named on
    // the command line, picked in Recent Files or dropped on the window.
    void LoadFile(const std::string& path);
    void ContinueTranslation1Click();
    void Save1Click();
    void SaveAs1Click();
    void ReloadWithEncodingClick(const kalmo::TextEncoding& encoding);
    void Help1Click();
    void About1Click();
    void Exit1Click();
    void SourceWindows1Click();
    void NextUntranslated1Click();
    void PreviousUntranslated1Click();
    void Find1Click();
    void FindNext1Click();
    void NextProblem1Click();
    void PreviousProblem1Click();
    void Problems1Click();
    void KeyboardShortcuts1Click();
    void NextToReview1Click();
    void FillFromMemory1Click();
    void TranslationLanguage1Click();
    void SearchMemory1Click();
    // Ctrl+1 … Ctrl+5 and a click on a suggestion's key.
    void UseSuggestion(int number);
    template <int Number>
    void UseSuggestionClick()
    {
        UseSuggestion(Number);
    }
    void Sidebar1Click();
    // Enter, Up, Down, F1, F2 seen before the focused control.
    void FormKeyDown(kalmo::KeyCode key);

    kalmo::TLabel* StaticText1 = nullptr;
    kalmo::TLabel* Label2 = nullptr;
    kalmo::TLabel* StaticText2 = nullptr;
    kalmo::TLabel* Label1 = nullptr;
    kalmo::TLabel* StaticText3 = nullptr;
    kalmo::TEntryEdit* EntryEdit1 = nullptr;
    kalmo::TImage* Image1 = nullptr;
    kalmo::TImage* Image2 = nullptr;
    // In a window taller than the stored one, the source text and the
    // translation are shown wrapped in these, in place of Label1 and EntryEdit1.
    kalmo::WrappedText* SourceArea1 = nullptr;
    kalmo::TEntryArea* EntryArea1 = nullptr;
    QStatusBar* StatusBar1 = nullptr;
    // On the status bar's right: the loaded file's character set, then how
    // many entries are translated.
    kalmo::StatusPanel* EncodingPanel = nullptr;
    kalmo::StatusPanel* ProgressPanel = nullptr;
    // Left of the character set: the findings of the entry on show, the
    // count and the first message, every message in its tooltip.
    kalmo::StatusPanel* ChecksPanel = nullptr;
    // The checks of the entry on show as it is typed, spelling included.
    kalmo::EntryChecks* EntryChecks1 = nullptr;

    QMenuBar* MainMenu1 = nullptr;
    QMenu* File1 = nullptr;
    QAction* LoadSourceFile1 = nullptr;
    kalmo::RecentFilesMenu* RecentFiles1 = nullptr;
    QAction* ContinueTranslation1 = nullptr;
    QAction* Save1 = nullptr;
    QAction* SaveAs1 = nullptr;
    // One checkable item per common character set, in a submenu per script
    // or region, made when the menu first opens; each item's objectName is
    // the set's plain name.
    kalmo::EncodingMenu* ReloadWithEncodingMenu = nullptr;
    QAction* Help1 = nullptr;
    QAction* About1 = nullptr;
    QAction* Exit1 = nullptr;
    QMenu* View1 = nullptr;
    QAction* SourceWindows1 = nullptr;
    QAction* Sidebar1 = nullptr;
    kalmo::KeySchemeMenu* Keys1 = nullptr;
    QMenu* Navigate1 = nullptr;
    QAction* NextUntranslated1 = nullptr;
    QAction* PreviousUntranslated1 = nullptr;
    QAction* Find1 = nullptr;
    QAction* FindNext1 = nullptr;
    QAction* NextToReview1 = nullptr;
    // The translation memory's commands; Ctrl+1 … Ctrl+5 take a suggestion.
    QMenu* Tools1 = nullptr;
    QAction* FillFromMemory1 = nullptr;
    QAction* SearchMemory1 = nullptr;
    QAction* TranslationLanguage1 = nullptr;
    std::array<QAction*, 5> UseSuggestion1To5{};
    // The memory's suggestions for the entry on show, in the sidebar.
    kalmo::SuggestionsSection* Suggestions1 = nullptr;
    QAction* NextProblem1 = nullptr;
    QAction* PreviousProblem1 = nullptr;
    QAction* Problems1 = nullptr;
    kalmo::SpellingLanguageMenu* SpellingLanguage1 = nullptr;
    // The last menu: Help and About again (as File's items, whose keys they
    // show without binding them twice) and the list of keys.
    QMenu* HelpMenu1 = nullptr;
    QAction* HelpMenuHelp1 = nullptr;
    QAction* HelpMenuAbout1 = nullptr;
    QAction* KeyboardShortcuts1 = nullptr;

    // The sidebar's section on the entry on show.
    kalmo::EntrySection* EntrySection1 = nullptr;

signals:
    // The job wants the viewer shown with its lower pane focused.
    void viewerWanted();
    // The checks' findings of the whole translation changed.
    void problemsChanged();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void createControls();
    void createSidebar();
    void setTabOrders();
    void createMenu();
    void createReloadWithEncodingMenu();
    // Tools > Spelling Language, beside the memory's items.
    void addSpellingLanguageMenu();
    void createHelpMenu();
    void showChecks();
    // Binds each keyed menu item to its key under the active scheme.
    void bindMenuKeys();
    void checkEncodingInUse();
    void showWindow(QWidget* window);
    void showWindow(const WindowSource& source);

    // kalmo::TranslationJobView
    void SetStatusText(const std::string& text) override;
    void SetEncodingPanel(const std::string& text) override;
    void SetProgressPanel(const std::string& text) override;
    void ShowNotes(const std::string& heading, const std::vector<std::string>& notes) override;
    void Beep() override;
    void SetNameField(const std::string& text) override;
    void SetSourceField(const std::string& text) override;
    void SetTranslationField(const std::string& text) override;
    std::string TranslationField() const override;
    void SetTranslationFieldEnabled(bool enabled) override;
    void SetTranslationFieldColors(kalmo::ColorValue background, kalmo::ColorValue text) override;
    void SelectTranslationField() override;
    void SetEntryLine(int line, const std::string& text) override;
    std::optional<std::string> ChooseSourceFile(const kalmo::FileDialogRequest& request) override;
    std::optional<std::string> ChooseTargetFile(const kalmo::FileDialogRequest& request) override;
    std::size_t Ask(const kalmo::Question& question) override;
    std::optional<std::string> AskFindText(const std::string& lastText) override;
    void ShowAndFocusViewer() override;
    void FocusMainWindow() override;
    void EndProgram() override;

    kalmo::AppServices services_;
    std::shared_ptr<kalmo::AppSettings> settings_;
    // The next load dialog's answer, given without showing the dialog.
    std::optional<std::string> presetSourceFile_;
    QWidget* client_ = nullptr;
    kalmo::Sidebar* sidebar_ = nullptr;
    kalmo::SidebarSplit* sidebarSplit_ = nullptr;
    std::unique_ptr<kalmo::TranslationJob> job_;
    // After the job, so that it goes first: it follows the job.
    std::unique_ptr<kalmo::MemoryAssistant> memory_;
    QPointer<QWidget> viewer_;
    WindowSource about_;
    WindowSource help_;
    WindowSource keyboardShortcuts_;
    WindowSource memorySearch_;
    WindowSource problems_;
    kalmo::KeyPreviewFilter* keyPreview_ = nullptr;
    kalmo::MenuShortcutPriority* shortcutPriority_ = nullptr;
    // The menu items that have a key, which follows the key scheme.
    std::vector<std::pair<QAction*, kalmo::MenuCommand>> keyedItems_;
    // Set once Exit has ended the program, so that the windows closing
    // afterwards do not run it again.
    bool ended_ = false;
};
