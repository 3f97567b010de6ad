// The translation job: one loaded language file, its source and working
// lines, the entry on show, and the operations the main window's menu and
// keys start. It drives the viewer panes through their memo models, so the
// bytes that Exit writes are decided here.
#pragma once

#include "controls/KeyCodes.h"
#include "controls/memo/CodeMemoModel.h"
#include "job/EntryParser.h"
#include "job/LineList.h"
#include "job/TextEncoding.h"
#include "job/TranslationWindows.h"

#include <functional>
#include <map>
#include <string>

namespace kalmo {

class TranslationJob {
public:
    // memo1 shows the source lines, memo2 the working lines.
    TranslationJob(TranslationWindows& windows, TCustomCodeMemo& memo1, TCustomCodeMemo& memo2);

    // The main window's initial texts and flags.
    void FormCreate();

    void LoadSourceFile1Click();
    // File > Reload with Encoding: the file on show is loaded again in the
    // given set, which stays the file's set while the program runs. Like a
    // load, it first saves what Exit would write when that differs from the
    // file as loaded.
    void ReloadWithEncoding(const TextEncoding& encoding);
    // Later loads of this path read it in the given set.
    void ChooseEncoding(const std::string& path, const TextEncoding& encoding);
    void Volgende();
    void Vorige();
    void Bewaar();
    // Shows the current entry; false when the line is passed over.
    bool Split();
    void Exit1Click();
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
    int LineCount() const { return lineCount_; }
    int CurrentEntry() const { return currentEntry_; }
    bool Loaded() const { return loaded_; }
    bool WholeLineMode() const { return wholeLineMode_; }
    bool FullTextMode() const { return fullTextMode_; }
    TextEncoding Encoding() const { return encoding_; }
    bool ByteOrderMark() const { return byteOrderMark_; }
    // The set as the status bar shows it, e.g. "ISO-8859-2" or "UTF-8 BOM".
    std::string EncodingText() const;
    // The line end of each line of the file as loaded; the save writes with them.
    const LineEnds& LoadedLineEnds() const { return lineEnds_; }
    // The folder of the file name + "Translated_" + the file name without its folder.
    std::string TranslatedFilePath() const;

    // Raised after the translated file was written, with its path.
    std::function<void(const std::string& path)> OnSaved;

private:
    enum class Direction { Forward, Backward };

    void saveBeforeReplacing();
    void loadFile(const std::string& path);
    void step(Direction direction, bool takePaneEdits);
    void commit(bool writeField);
    void writeFieldIntoLists();
    void refreshViewer();
    // The lower pane's lines, as Exit writes them and full-text mode hands
    // them back.
    LineList lowerPaneLines() const;
    void takeLowerPaneLines();
    // Commits the field (outside full-text mode, where the pane holds the
    // work) and gives the lines Exit writes.
    LineList committedLinesToWrite();
    void writeTranslation(const LineList& lines);
    void setLineStatus(const char* prefix, const char* suffix);
    std::string entryName(const std::string& line) const;
    int workingLineOf(int entry) const;

    TranslationWindows& windows_;
    TCustomCodeMemo& memo1_;
    TCustomCodeMemo& memo2_;

    std::string fileName_;
    LineList sourceLines_;
    LineList workingLines_;
    TextEncoding encoding_ = TextEncoding::Utf8;
    bool byteOrderMark_ = false;
    // The sets the user chose for files, by path.
    std::map<std::string, TextEncoding> chosenEncodings_;
    LineEnds lineEnds_;
    // Set once this job has written its translated file: a file it did not
    // write itself is kept as a backup before the first save replaces it.
    bool savedInThisJob_ = false;
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

    // The file's lines as loaded: a later load saves first only when Exit
    // would write something else.
    LineList loadedLines_;
    // What the entry on show put into the translation field.
    std::string shownTranslation_;
};

} // namespace kalmo
