// The translation job: one loaded language file, its source and working
// lines, the entry on show, and the operations the main window's menu and
// keys start. It drives the viewer panes through their memo models, so the
// bytes that Exit writes are decided here.
#pragma once

#include "base/KeyCodes.h"
#include "job/DifferingLines.h"
#include "job/EntryParser.h"
#include "job/FileLock.h"
#include "job/JournalKeeping.h"
#include "job/LanguageFile.h"
#include "job/LineList.h"
#include "job/OpeningQuestions.h"
#include "job/TextEncoding.h"
#include "job/TranslationCheck.h"
#include "job/TranslationProgress.h"
#include "job/checks/SilencedFindings.h"

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace kalmo {

struct ExchangeMessage;
class TCustomCodeMemo;
class TranslationJobEvents;
class TranslationJobView;

class TranslationJob {
public:
    // memo1 shows the source lines, memo2 the working lines.
    TranslationJob(TranslationJobView& windows, TCustomCodeMemo& memo1, TCustomCodeMemo& memo2);

    // The main window's initial texts and flags.
    void FormCreate();

    // Before the job is replaced, asks when another running program has the
    // chosen file open, and when its Translated_ file holds a translation
    // this run did not write: Continue (as ContinueTranslation), Start Over
    // or Cancel.
    void LoadSourceFile1Click();
    // File > Continue Translation: the dialog answers with a source file or
    // its "Translated_" file; the source's lines come with the earlier
    // translation carried over, and constants the source no longer has are
    // named in a note. Like a load, it first saves the work on show.
    void ContinueTranslation();
    // File > Save: writes what Exit would write, and the work goes on.
    void Save();
    // File > Save As…: asks for a name in the save dialog and writes there
    // as Save does; from then on Save and Exit write there too.
    void SaveAs();
    // File > Reload with Encoding: the file on show is loaded again in the
    // given set, which stays the file's set while the program runs. Like a
    // load, it first saves what Exit would write when that differs from the
    // file as loaded.
    void ReloadWithEncoding(const TextEncoding& encoding);
    // Later loads of this path read it in the given set.
    void ChooseEncoding(const std::string& path, const TextEncoding& encoding);
    void Volgende();
    void Vorige();
    // Commit like Next and Previous, then stop at the next (previous) entry
    // that still holds its source text; a beep when there is none.
    void NextUntranslated();
    void PreviousUntranslated();
    // Navigate > Next To Review: commits like Next, then shows the next
    // entry to review, from the start again after the last; a beep when
    // there is none.
    void NextToReview();
    // Navigate > Find: asks for a text, commits like Next and shows the next
    // entry whose name, source text or translation holds it, from the start
    // again after the last; a beep when none does. FindNext repeats the last
    // search, and asks when there was none.
    void Find();
    void FindNext();
    void Bewaar();
    // Shows the current entry; false when the line is passed over.
    bool Split();
    // Saves and ends the program. When the translation cannot be written the
    // user chooses: Save As…, Quit Without Saving (the work stays in the
    // recovery journal) or Cancel, which raises AnsweredError and goes on.
    void Exit1Click();
    // Ends the program without writing the translated file; the work that
    // is not saved goes into the recovery journal first. Throws, and does
    // not end, when the journal cannot be written.
    void EndWithoutSaving();
    void EditWholeLine();
    void FullEdit();

    // Enter, Up, Down, F1 and F2 on the main window; nothing before a load.
    void FormKeyDown(KeyCode key);
    // F2 in the source viewer or its lower pane.
    void ViewerKeyDown(KeyCode key);
    // The lower pane's active line moved: in full-text mode the upper pane follows.
    void Memo2ActiveLineChange();

    const std::string& FileName() const { return fileName_; }
    const LineList& SourceLines() const { return sourceLines_; }
    const LineList& WorkingLines() const { return workingLines_; }
    // What the translated file holds for this job: as last saved, or as
    // loaded before the first save.
    const LineList& SavedLines() const { return savedLines_; }
    int LineCount() const { return lineCount_; }
    int CurrentEntry() const { return currentEntry_; }
    bool Loaded() const { return loaded_; }
    bool WholeLineMode() const { return wholeLineMode_; }
    bool FullTextMode() const { return fullTextMode_; }
    // The quote of the value on show, which decides its escapes.
    char ValueQuote() const { return quotes_.valueQuote; }
    TextEncoding Encoding() const { return encoding_; }
    bool ByteOrderMark() const { return byteOrderMark_; }
    // The set as the status bar shows it, e.g. "ISO-8859-2" or "UTF-8 BOM".
    std::string EncodingText() const;
    // The line end of each line of the file as loaded; the save writes with them.
    const LineEnds& LoadedLineEnds() const { return lineEnds_.ends(); }
    // The folder of the file name + "Translated_" + the file name without its folder.
    std::string TranslatedFilePath() const;
    // "translated N of M", with " *" while Exit would write something other
    // than what was last saved or loaded.
    std::string ProgressText() const;

    // From now on the job keeps a recovery journal in the folder: after each
    // step and on KeepJournal while there is work Exit has not saved; a save
    // removes it. Given before the first load.
    void KeepRecoveryJournalIn(const std::string& folder);
    // Brings the journal up to date with the work; a journal that cannot be
    // written is told once, never raised.
    void KeepJournal();
    // Loads the work the journal of this source file holds, as it was: its
    // lines, entry, modes and typed text. Like a load, it first saves the
    // work on show.
    void Recover(const std::string& sourcePath);
    // At start: offers the work of each journal whose program no longer
    // runs, to recover or to discard (kept as ".discarded").
    void OfferAbandonedWork();

    // The constants whose source text changed since their translation was
    // made. A file starts with none; committing such an entry (with or
    // without a change) ends its review.
    void MarkForReview(std::set<std::string> names);
    const std::set<std::string>& EntriesToReview() const { return toReview_; }
    // The translation field takes the text, all of it selected, nothing
    // committed. No text (no such suggestion), no entry on show, and the
    // modes in which the field holds no entry's text give a beep.
    void UseSuggestedTranslation(const std::optional<std::string>& text);
    // Tools > Fill from Memory: after a commit, each message whose constant
    // is still untranslated is written into its entry as an import writes
    // it; returns how many were.
    int FillUntranslated(const std::vector<ExchangeMessage>& messages);

    // Those who follow the job's work; each stays until removed.
    void AddListener(TranslationJobEvents& listener) { listeners_.push_back(&listener); }
    void RemoveListener(TranslationJobEvents& listener);

    // The checks' findings of the translation as Exit would write it, kept
    // up to date as entries are committed, without those the user silenced.
    std::vector<Finding> Problems() const;
    // The findings of the entry on show with its translation field holding
    // `field`; none in whole-line and full-text editing, where the field
    // holds no value of its own.
    std::vector<Finding> EntryProblems(const std::string& field) const;
    // Navigate > Next (Previous) Problem: commit like Next and Previous,
    // then stop at the next (previous) entry with an error or a warning, on
    // from the other end; a beep when there is none.
    void NextProblem();
    void PreviousProblem();
    // Commits like Next, then shows the entry the finding is about.
    void ShowProblem(const Finding& finding);
    // Silences a check for a constant of this translated file, for good.
    void IgnoreProblem(const std::string& constant, const std::string& check);
    // Raised when Problems() may give something else.
    std::function<void()> OnProblemsChanged;

    // Raised after the translated file was written, with its path.
    std::function<void(const std::string& path)> OnSaved;
    // Raised when a file became the job's (a load, a continue, a reload or
    // recovered work), with the source file's path.
    std::function<void(const std::string& path)> OnLoaded;

private:
    enum class Direction { Forward, Backward };

    EarlierTranslationAnswer askHowToOpen(const std::string& path);
    // False when another program has the file open and the user cancels.
    bool mayOpenDespiteLock(const std::string& path);
    void saveBeforeReplacing();
    std::optional<TextEncoding> chosenEncodingOf(const std::string& path) const;
    void loadFile(const std::string& path);
    void startFromSource(const std::string& path, LanguageFile file);
    void continueFile(const std::string& sourcePath, const std::string& oldTranslatedPath);
    // Makes the file the job's, with the given working lines; onDisk is what
    // the translated file holds, or would hold, for this job as it starts.
    void startJob(const std::string& path, LanguageFile source, LineList working, LineList onDisk, LineEnds ends,
                  bool byteOrderMark);
    // Shows the first entry still to translate (isLeftToTranslate), then the
    // status of a completed load.
    void showFirstEntryLeftToTranslate(const std::string& shortName);
    void step(Direction direction, bool takePaneEdits);
    void commitBeforeMoving(bool takePaneEdits);
    // Shows the entry with the status Next gives; false when the parse
    // passes over its line.
    bool showEntryAt(int entry);
    // Shows the current entry again after a commit refilled the panes.
    void showCurrentEntryAgain();
    void stepToUntranslated(Direction direction);
    // Commits like a step, then shows the first entry that can be shown of
    // the lines `pick` gives after the commit; a beep, and the entry on show
    // again, when there is none.
    void stepToFirstOf(Direction direction, const std::function<std::vector<int>()>& pick);
    // A committed entry to review is reviewed.
    void endReviewOfShownEntry();
    template <typename Event>
    void tellListeners(Event event)
    {
        for (TranslationJobEvents* listener : listeners_)
            event(*listener);
    }
    void stepToProblem(Direction direction);
    // The findings follow the lines: all of them checked again, or the one
    // working line whose value the commit rewrote.
    void checkWholeFile(EntryListings listed);
    void checkWorkingLine(int line);
    // findings_ with recheckedLines_ in the places of their lines' findings.
    std::vector<Finding> currentFindings() const;
    void findFrom(const std::string& text);
    // The lines of the source's entries, listed when first asked for after
    // the source changed, so that Find again reads no entry again.
    const std::vector<int>& sourceEntryLines();
    bool entryHolds(int entry, const std::string& foldedText) const;
    void updateProgress();
    void commit(bool writeField);
    void writeFieldIntoLists();
    void refreshViewer();
    // What follows the lists (the panes, the progress count, the unsaved
    // mark, the journal's changes) learns of a change: one line of either
    // list changed in place, or the lists were replaced.
    void workingLineChanged(int line);
    void sourceLineChanged(int line);
    void listsReplaced();
    const LineList& loadedSource() const { return sourceRewritten_ ? loadedSourceLines_ : sourceLines_; }
    // To be called before a source line changes: the loaded lines are kept
    // apart from then on.
    void keepLoadedSource();
    // The progress count and the findings read every entry of both lists
    // again, from one listing of each.
    void recountEntries();
    // The lines at which the lower pane, as Exit writes it, differs from the
    // working lines, while the pane kept its shape since it was filled with
    // them; nullopt when only reading the whole pane tells.
    std::optional<std::set<int>> paneEdits() const;
    // The lines at which the pane with these edits differs from savedLines_.
    std::set<int> paneLinesUnsaved(const std::set<int>& edits) const;
    std::string paneLineAt(int line, const std::set<int>& edits) const;
    // The lower pane, as Exit writes it, differs from savedLines_.
    bool paneUnsaved() const;
    // The lower pane's lines, as Exit writes them and full-text mode hands
    // them back.
    LineList lowerPaneLines() const;
    void takeLowerPaneLines();
    // Commits the field (outside full-text mode, where the pane holds the
    // work) and hands `use` the lines Exit writes: the working lines
    // themselves, not a copy, outside the free editor.
    template <typename Use>
    void withCommittedLinesToWrite(Use use)
    {
        if (fullTextMode_) {
            use(lowerPaneLines());
            return;
        }
        Bewaar();
        // Outside the free editor the lower pane shows the working lines.
        use(std::as_const(workingLines_));
    }
    void writeTranslation(const LineList& lines);
    // Every status text goes through here, so that a load that fails can
    // put back the one it replaced.
    void setStatus(const std::string& text);
    // Save As's dialog and save; false when the user cancelled.
    bool saveAs();
    // Exit's save, and the user's way out when it fails.
    void saveOrAskBeforeExit();
    void endProgram();

    bool hasUnsavedWork() const;
    RecoveryJournal journalOfWork() const;
    // Throws when there is no folder or the journal cannot be written.
    void writeJournal();
    void keepUnsavedWorkInJournal();
    // Removes the journal this job wrote, once its work is saved or dropped.
    void forgetJournal();
    void recoverFrom(const RecoveryJournal& journal);
    void setLineStatus(const char* prefix, const char* suffix);
    std::string entryName(const std::string& line) const;
    int workingLineOf(int entry) const;

    TranslationJobView& windows_;
    TCustomCodeMemo& memo1_;
    TCustomCodeMemo& memo2_;

    std::string fileName_;
    // Where Save writes when Save As chose it; empty: the translated file
    // beside the source.
    std::string targetPath_;
    JournalKeeping journal_;
    LineList sourceLines_;
    // The source lines as loaded: an entry counts as translated when its
    // working value differs from its value here, also after whole-line mode
    // rewrote its source line. Held apart only from the first such rewrite
    // on (sourceRewritten_); until then they are sourceLines_.
    LineList loadedSourceLines_;
    bool sourceRewritten_ = false;
    LineList workingLines_;
    TextEncoding encoding_ = TextEncoding::Utf8;
    bool byteOrderMark_ = false;
    // The sets the user chose for files, by path.
    std::map<std::string, TextEncoding> chosenEncodings_;
    // Shared with the journals, which write them as they are.
    JournalLineEnds lineEnds_;
    // The bytes this run last wrote to each translated file: a file it did
    // not write, or that changed since, is kept as a backup before a save
    // replaces it, and loading its source asks no question.
    std::map<std::string, std::string> writtenThisRun_;
    // The work on show was written to, or taken up from, the translated
    // file, so a reload reads it back from there.
    bool workInTranslatedFile_ = false;
    FileLock lock_;
    int lineCount_ = 0;
    int currentEntry_ = 0;
    EntryQuotes quotes_;
    EntryPositions sourcePositions_;
    // Index of the current entry's working line; -1 when full-text editing
    // removed it.
    int workingEntry_ = -1;
    bool loaded_ = false;
    Direction lastDirection_ = Direction::Backward;
    bool wholeLineMode_ = false;
    bool fullTextMode_ = false;

    // The translated file's lines as last saved or, before that, as loaded:
    // a later load saves first, and the progress panel shows a mark, only
    // when Exit would write something else.
    LineList savedLines_;

    // Kept up to date as lines change, so that a step costs what it changed.
    ProgressTally progress_;
    std::optional<std::vector<int>> sourceEntryLines_;
    DifferingLines unsavedLines_;     // the working lines against savedLines_
    DifferingLines translatedLines_;  // the working lines against sourceLines_
    DifferingLines rewrittenSource_;  // sourceLines_ against loadedSource()
    // The lines of the lists changed since the panes were last filled;
    // panesReplaced_: filled anew at the next refresh.
    std::vector<int> workingChangedInPanes_;
    std::vector<int> sourceChangedInPanes_;
    bool panesReplaced_ = true;
    // What the entry on show put into the translation field.
    std::string shownTranslation_;
    std::string lastFindText_;
    std::string statusText_;
    std::set<std::string> toReview_;
    std::vector<TranslationJobEvents*> listeners_;

    // The checks of the working lines against the source as loaded, and
    // their findings, silenced ones included: those of the whole file (the
    // translated file's first, translatedFindings_ of them, in line order),
    // and those of the working lines checked again since, by line. A commit
    // so costs a lookup, not a shift of every finding after its line.
    std::unique_ptr<TranslationChecker> checker_;
    std::vector<Finding> findings_;
    std::size_t translatedFindings_ = 0;
    std::map<int, std::vector<Finding>> recheckedLines_;
    SilencedFindings silenced_;
};

} // namespace kalmo
