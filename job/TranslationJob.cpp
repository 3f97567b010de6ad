// The translation job: load, step, commit, the viewer panes, save; see TranslationJob.h.
#include "job/TranslationJob.h"

#include "base/KalmoError.h"
#include "controls/memo/CodeMemoModel.h"
#include "job/EntryList.h"
#include "job/JournalAfterwards.h"
#include "job/LanguageFile.h"
#include "job/LineAlignment.h"
#include "job/OpeningQuestions.h"
#include "job/RecoveryJournal.h"
#include "job/RestoreOnError.h"
#include "job/TextSearch.h"
#include "job/TranslationMerge.h"
#include "job/TranslationJobEvents.h"
#include "job/TranslationJobView.h"
#include "job/TranslationProgress.h"
#include "job/TypedText.h"

#include <algorithm>
#include <cctype>
#include <exception>
#include <filesystem>
#include <utility>

namespace kalmo {
namespace {

const char* const kPleaseLoad = "Please load file first";
const char* const kSourceFilter = "Source files (*.php)|*.PHP";
const char* const kReadAsUtf8 = "Read as UTF-8:";

} // namespace

TranslationJob::TranslationJob(TranslationJobView& windows, TCustomCodeMemo& memo1, TCustomCodeMemo& memo2)
    : windows_(windows), memo1_(memo1), memo2_(memo2)
{
}

void TranslationJob::FormCreate()
{
    setStatus("Waiting..");
    windows_.SetSourceField(kPleaseLoad);
    windows_.SetNameField(kPleaseLoad);
    windows_.SetTranslationField(kPleaseLoad);
    wholeLineMode_ = false;
    fullTextMode_ = false;
    loaded_ = false;
}

std::string TranslationJob::TranslatedFilePath() const
{
    return targetPath_.empty() ? translatedFilePath(fileName_) : targetPath_;
}

void TranslationJob::LoadSourceFile1Click()
{
    const std::string statusBefore = statusText_;
    const RestoreOnError statusBack([this, statusBefore] { setStatus(statusBefore); });
    setStatus("Loading..");
    const auto chosen = windows_.ChooseSourceFile({kSourceFilter, "Choose Sourcefile"});
    if (!chosen) {
        setStatus("Waiting..");
        return;
    }
    const EarlierTranslationAnswer answer = askHowToOpen(*chosen);
    if (answer == EarlierTranslationAnswer::Cancel) {
        // Asked before anything was saved or read: the job stays as it was.
        setStatus(statusBefore);
        return;
    }
    saveBeforeReplacing();
    if (answer == EarlierTranslationAnswer::Continue)
        continueFile(*chosen, translatedFilePath(*chosen));
    else
        loadFile(*chosen);
}

void TranslationJob::ContinueTranslation()
{
    const std::string statusBefore = statusText_;
    const RestoreOnError statusBack([this, statusBefore] { setStatus(statusBefore); });
    setStatus("Loading..");
    const auto chosen = windows_.ChooseSourceFile({kSourceFilter, "Choose a Sourcefile or its Translated_ file"});
    if (!chosen) {
        setStatus("Waiting..");
        return;
    }
    // Either file of the pair names both: "Translated_X.php" is the
    // translation of X.php in the same folder.
    const std::string name = fileNameOf(*chosen);
    const bool pickedTranslation = name.size() > kTranslatedPrefix.size() && name.starts_with(kTranslatedPrefix);
    const std::string source
        = pickedTranslation ? folderOf(*chosen) + name.substr(kTranslatedPrefix.size()) : *chosen;
    if (!mayOpenDespiteLock(source)) {
        setStatus(statusBefore);
        return;
    }
    saveBeforeReplacing();
    continueFile(source, translatedFilePath(source));
}

// Another program that has the file open, and an earlier translation that
// this run did not write, are the user's to decide on before the job is
// replaced.
EarlierTranslationAnswer TranslationJob::askHowToOpen(const std::string& path)
{
    if (!mayOpenDespiteLock(path))
        return EarlierTranslationAnswer::Cancel;
    const std::string translated = translatedFilePath(path);
    std::error_code noSuchFile;
    if (writtenThisRun_.contains(translated) || !std::filesystem::exists(translated, noSuchFile))
        return EarlierTranslationAnswer::StartOver;
    const auto question = earlierTranslationQuestion(path, chosenEncodingOf(path), translated);
    return question ? static_cast<EarlierTranslationAnswer>(windows_.Ask(*question))
                    : EarlierTranslationAnswer::StartOver;
}

bool TranslationJob::mayOpenDespiteLock(const std::string& path)
{
    const auto holder = otherLockHolder(path);
    return !holder
        || static_cast<LockedFileAnswer>(windows_.Ask(lockedFileQuestion(path, *holder)))
        == LockedFileAnswer::OpenAnyway;
}

void TranslationJob::Save()
{
    if (!loaded_) {
        windows_.Beep();
        return;
    }
    withCommittedLinesToWrite([this](const LineList& lines) { writeTranslation(lines); });
    // The commit refilled the panes; the work goes on at the same entry.
    if (!fullTextMode_)
        showCurrentEntryAgain();
    updateProgress();
}

void TranslationJob::ReloadWithEncoding(const TextEncoding& encoding)
{
    if (!loaded_) {
        windows_.Beep();
        return;
    }
    const RestoreOnError statusBack([this, before = statusText_] { setStatus(before); });
    saveBeforeReplacing();
    chosenEncodings_.insert_or_assign(fileName_, encoding);
    // The work goes on in the new set: what this job has written, or took up
    // from the translated file, comes back as the working lines rather than
    // staying behind in the translated file for the next Exit to replace.
    if (workInTranslatedFile_)
        continueFile(fileName_, TranslatedFilePath());
    else
        loadFile(fileName_);
}

void TranslationJob::ChooseEncoding(const std::string& path, const TextEncoding& encoding)
{
    chosenEncodings_.insert_or_assign(path, encoding);
}

std::string TranslationJob::EncodingText() const
{
    return byteOrderMark_ ? encoding_.name() + " BOM" : encoding_.name();
}

// The new file replaces both lists: what Exit would write is saved first
// when it differs from the file as loaded, and a failed save stops the load
// with nothing lost.
void TranslationJob::saveBeforeReplacing()
{
    if (!loaded_)
        return;
    withCommittedLinesToWrite([this](const LineList& lines) {
        if (lines != savedLines_)
            writeTranslation(lines);
    });
}

std::optional<TextEncoding> TranslationJob::chosenEncodingOf(const std::string& path) const
{
    const auto chosen = chosenEncodings_.find(path);
    return chosen == chosenEncodings_.end() ? std::nullopt : std::optional<TextEncoding>(chosen->second);
}

void TranslationJob::loadFile(const std::string& path)
{
    const std::string shortName = fileNameOf(path);
    setStatus("Sourcefile: " + shortName + " loading and parsing..");
    // Read before touching the job, so a file that cannot be read leaves
    // the previous job whole, its file name included.
    startFromSource(path, readLanguageFile(path, chosenEncodingOf(path)));
}

void TranslationJob::startFromSource(const std::string& path, LanguageFile file)
{
    const auto invalidBytes = invalidUtf8Note(file, path);
    LineList working = file.lines;
    LineList onDisk = file.lines;
    LineEnds ends = file.lineEnds;
    const bool byteOrderMark = file.byteOrderMark;
    startJob(path, std::move(file), std::move(working), std::move(onDisk), std::move(ends), byteOrderMark);
    workInTranslatedFile_ = false;
    setStatus("Sourcefile: " + fileNameOf(path) + " loaded and parsed.");
    loaded_ = true;
    updateProgress();
    if (invalidBytes)
        windows_.ShowNotes(kReadAsUtf8, {*invalidBytes});
}

void TranslationJob::continueFile(const std::string& sourcePath, const std::string& oldTranslatedPath)
{
    const std::string shortName = fileNameOf(sourcePath);
    setStatus("Sourcefile: " + shortName + " loading and parsing..");
    // The save before this one refilled the panes: a file that cannot be
    // read leaves the entry on show as it was.
    const RestoreOnError showAgain([this] { showCurrentEntryAgain(); });
    LanguageFile source = readLanguageFile(sourcePath, chosenEncodingOf(sourcePath));
    std::error_code noSuchFile;
    if (!std::filesystem::exists(oldTranslatedPath, noSuchFile)) {
        // Nothing translated yet: the job starts as a load would, at the
        // first entry to translate.
        startFromSource(sourcePath, std::move(source));
        showFirstEntryLeftToTranslate(shortName);
        return;
    }
    // The old file was written in the source's set.
    LanguageFile old = readLanguageFile(oldTranslatedPath, source.encoding);
    TranslationMerge merge = mergeTranslation(source.lines, old.lines);
    const auto invalidBytes = invalidUtf8Note(source, sourcePath);

    // A file of the same shape goes back byte for byte; a merged one takes
    // the source's line ends.
    LineEnds ends = merge.keptOldFile ? old.lineEnds : source.lineEnds;
    const bool byteOrderMark = merge.keptOldFile ? old.byteOrderMark : source.byteOrderMark;
    startJob(sourcePath, std::move(source), std::move(merge.lines), std::move(old.lines), std::move(ends),
             byteOrderMark);
    workInTranslatedFile_ = true;
    showFirstEntryLeftToTranslate(shortName);
    loaded_ = true;
    updateProgress();

    if (invalidBytes)
        windows_.ShowNotes(kReadAsUtf8, {*invalidBytes});
    if (!merge.dropped.empty()) {
        std::vector<std::string> notes;
        for (const MergedConstant& constant : merge.dropped)
            notes.push_back(constant.name + " is no longer in the source");
        windows_.ShowNotes("Not written to " + fileNameOf(oldTranslatedPath) + ":", notes);
    }
}

// Where the work stopped: the first entry that still holds its source text
// and that the field can translate.
void TranslationJob::showFirstEntryLeftToTranslate(const std::string& shortName)
{
    const std::vector<EntryProgress>& entries = progress_.entries();
    const auto left = std::find_if(entries.begin(), entries.end(), isLeftToTranslate);
    if (left != entries.end() && left->line != currentEntry_)
        showEntryAt(left->line);
    setStatus("Sourcefile: " + shortName + " loaded and parsed.");
}

void TranslationJob::startJob(const std::string& path, LanguageFile source, LineList working, LineList onDisk,
                              LineEnds ends, bool byteOrderMark)
{
    if (path != fileName_) {
        // The work on the file before was saved or dropped by now.
        forgetJournal();
        targetPath_.clear();
    }
    lineEnds_ = JournalLineEnds(std::move(ends));
    if (journal_.folder) {
        journal_.sourceFingerprint = linesFingerprint(source.lines);
        journal_.lineEnds = lineEnds_;
        journal_.problemTold = false;
    }
    fileName_ = path;
    encoding_ = source.encoding;
    byteOrderMark_ = byteOrderMark;
    lock_.take(path);
    sourceLines_ = std::move(source.lines);
    loadedSourceLines_.clear();
    sourceRewritten_ = false;
    workingLines_ = std::move(working);
    savedLines_ = std::move(onDisk);
    lineCount_ = static_cast<int>(sourceLines_.size());
    currentEntry_ = 0;
    shownTranslation_.clear();
    toReview_.clear();
    silenced_ = SilencedFindings::load();
    listsReplaced();
    windows_.SetEncodingPanel(EncodingText());
    step(Direction::Forward, false);
    if (OnLoaded)
        OnLoaded(path);
    tellListeners([](TranslationJobEvents& listener) { listener.FileLoaded(); });
}

void TranslationJob::Volgende()
{
    const JournalAfterwards journal{*this};
    step(Direction::Forward, true);
}

void TranslationJob::Vorige()
{
    const JournalAfterwards journal{*this};
    step(Direction::Backward, true);
}

void TranslationJob::commitBeforeMoving(bool takePaneEdits)
{
    // In full-text mode the lower pane holds the user's free edits and the
    // translation field is disabled: keep the edits, commit no field.
    if (fullTextMode_ && takePaneEdits) {
        takeLowerPaneLines();
        commit(false);
    } else {
        Bewaar();
    }
    endReviewOfShownEntry();
}

void TranslationJob::step(Direction direction, bool takePaneEdits)
{
    lastDirection_ = direction;
    commitBeforeMoving(takePaneEdits);

    // The last line can be an entry, as many PHP files end without "?>";
    // line 0 never is.
    const bool forward = direction == Direction::Forward;
    const char* const boundary = forward ? "End of File (line: " : "Begin of File (line: ";
    if (forward ? currentEntry_ >= lineCount_ - 1 : currentEntry_ == 0) {
        windows_.Beep();
        setLineStatus(boundary, ")");
        return;
    }
    const int before = currentEntry_;
    const int last = forward ? lineCount_ - 1 : 1;
    for (int i = currentEntry_ + (forward ? 1 : -1); forward ? i <= last : i >= last; i += forward ? 1 : -1) {
        if (!containsDefine(sourceLines_[static_cast<std::size_t>(i)]))
            continue;
        currentEntry_ = i;
        if (Split()) {
            setLineStatus("Line: ", "");
            return;
        }
        currentEntry_ = before;
    }
    windows_.Beep();
    setLineStatus(boundary, ")");
}

bool TranslationJob::showEntryAt(int entry)
{
    const int before = currentEntry_;
    currentEntry_ = entry;
    if (!Split()) {
        currentEntry_ = before;
        return false;
    }
    setLineStatus("Line: ", "");
    return true;
}

void TranslationJob::showCurrentEntryAgain()
{
    if (currentEntry_ != 0)
        Split();
}

void TranslationJob::NextUntranslated()
{
    stepToUntranslated(Direction::Forward);
}

void TranslationJob::PreviousUntranslated()
{
    stepToUntranslated(Direction::Backward);
}

void TranslationJob::stepToUntranslated(Direction direction)
{
    const bool forward = direction == Direction::Forward;
    stepToFirstOf(direction, [this, forward] {
        // The count is taken after the commit, so the entry just left counts
        // as the user left it.
        std::vector<int> lines;
        for (const EntryProgress& entry : progress_.entries()) {
            if (isLeftToTranslate(entry) && (forward ? entry.line > currentEntry_ : entry.line < currentEntry_))
                lines.push_back(entry.line);
        }
        if (!forward)
            std::reverse(lines.begin(), lines.end());
        return lines;
    });
}

void TranslationJob::NextToReview()
{
    stepToFirstOf(Direction::Forward, [this] {
        std::vector<int> lines;
        for (const EntryProgress& entry : progress_.entries())
            if (toReview_.contains(entry.name))
                lines.push_back(entry.line);
        // From the entry after the one on show, then from the start.
        std::rotate(lines.begin(), std::upper_bound(lines.begin(), lines.end(), currentEntry_), lines.end());
        return lines;
    });
}

void TranslationJob::stepToFirstOf(Direction direction, const std::function<std::vector<int>()>& pick)
{
    if (!loaded_) {
        windows_.Beep();
        return;
    }
    const JournalAfterwards journal{*this};
    lastDirection_ = direction;
    commitBeforeMoving(true);
    for (const int line : pick()) {
        if (showEntryAt(line))
            return;
    }
    // None left that way: the entry stays on show, the status as it was.
    windows_.Beep();
    showCurrentEntryAgain();
}

void TranslationJob::Find()
{
    if (!loaded_) {
        windows_.Beep();
        return;
    }
    const auto text = windows_.AskFindText(lastFindText_);
    if (!text || text->empty())
        return;
    lastFindText_ = *text;
    findFrom(lastFindText_);
}

void TranslationJob::FindNext()
{
    if (lastFindText_.empty()) {
        Find();
        return;
    }
    if (!loaded_) {
        windows_.Beep();
        return;
    }
    findFrom(lastFindText_);
}

void TranslationJob::findFrom(const std::string& text)
{
    const JournalAfterwards journal{*this};
    lastDirection_ = Direction::Forward;
    commitBeforeMoving(true);
    const std::string folded = foldedForSearch(text);
    std::vector<int> lines = sourceEntryLines();
    // From the entry after the one on show to the end, then from the start;
    // the entry on show comes last, so a text only it holds keeps it.
    const auto after = std::upper_bound(lines.begin(), lines.end(), currentEntry_);
    std::rotate(lines.begin(), after, lines.end());
    for (const int line : lines) {
        if (entryHolds(line, folded) && showEntryAt(line))
            return;
    }
    windows_.Beep();
    showCurrentEntryAgain();
    // Until the next step: a beep alone is easily missed or not heard.
    setStatus("not found: " + text);
}

// In whole-line mode the fields show whole lines, so the whole source line
// and the whole working line are searched; otherwise the name, the source
// text and the translation.
bool TranslationJob::entryHolds(int entry, const std::string& foldedText) const
{
    const std::string& source = sourceLines_[static_cast<std::size_t>(entry)];
    const int workingIndex = workingLineOf(entry);
    const std::string noLine;
    const std::string& working
        = workingIndex >= 0 ? workingLines_[static_cast<std::size_t>(workingIndex)] : noLine;
    const auto holds = [&](std::string_view part) {
        return foldedForSearch(part).find(foldedText) != std::string::npos;
    };
    if (wholeLineMode_)
        return holds(source) || holds(working);
    const auto quotes = entryQuotes(source);
    if (!quotes)
        return false;
    const EntryPositions inSource = entryPositions(source, *quotes);
    const EntryPositions inWorking = entryPositions(working, *quotes);
    return holds(spanBetween(source, inSource.nameStart, inSource.nameEnd))
        || holds(spanBetween(source, inSource.textStart, inSource.textEnd))
        || holds(spanBetween(working, inWorking.textStart, inWorking.textEnd));
}

std::string TranslationJob::ProgressText() const
{
    return progress_.text(paneUnsaved(), toReview_.size());
}

void TranslationJob::updateProgress()
{
    if (loaded_)
        windows_.SetProgressPanel(ProgressText());
}

void TranslationJob::setStatus(const std::string& text)
{
    statusText_ = text;
    windows_.SetStatusText(text);
}

void TranslationJob::setLineStatus(const char* prefix, const char* suffix)
{
    setStatus(prefix + std::to_string(currentEntry_) + "/" + std::to_string(lineCount_ - 1) + suffix);
}

void TranslationJob::Bewaar()
{
    commit(true);
}

void TranslationJob::commit(bool writeField)
{
    if (currentEntry_ != 0 && writeField)
        writeFieldIntoLists();
    refreshViewer();
    updateProgress();
}

void TranslationJob::writeFieldIntoLists()
{
    const std::string field = typedTextToWrite(shownTranslation_, windows_.TranslationField(), encoding_);
    // An untouched field leaves its line exactly as it is: a whole line would
    // otherwise replace a translation by the source text, and a rebuilt one
    // would change bytes nobody edited.
    if (field == shownTranslation_)
        return;
    const std::string name = entryName(sourceLines_[static_cast<std::size_t>(currentEntry_)]);
    if (workingEntry_ < 0 || workingEntry_ >= static_cast<int>(workingLines_.size())) {
        // Keep the typed text in the field rather than drop it silently; an
        // emptied field has nothing to keep and is the way on.
        if (field.empty())
            return;
        throw KalmoError("The translation of \"" + name + "\" was not written: its line is no longer in \""
                         + fileNameOf(TranslatedFilePath()) + "\"");
    }
    std::string& working = workingLines_[static_cast<std::size_t>(workingEntry_)];
    if (wholeLineMode_) {
        keepLoadedSource();
        sourceLines_[static_cast<std::size_t>(currentEntry_)] = field;
        working = field;
        sourceLineChanged(currentEntry_);
        workingLineChanged(workingEntry_);
        // A whole line can open or close a comment for the lines after it.
        recountEntries();
        return;
    }
    auto rebuilt = rebuildWithTranslation(working, quotes_, field);
    if (rebuilt) {
        working = std::move(*rebuilt);
        workingLineChanged(workingEntry_);
        checkWorkingLine(workingEntry_);
        return;
    }
    // An emptied field is the way out of an entry whose line takes no text.
    if (field.empty())
        return;
    throw KalmoError("The translation of \"" + name + "\" cannot be written: its value is not a quoted text on one "
                     "line. Press F1 to edit the whole line, or empty the field");
}

void TranslationJob::refreshViewer()
{
    const auto refill = [this](TCustomCodeMemo& pane, const LineList& lines, std::vector<int>& changed) {
        if (panesReplaced_) {
            pane.ClearText();
            pane.Lines().AppendLines(lines);
        } else {
            pane.RefillText(lines, changed);
        }
        changed.clear();
    };
    refill(memo2_, workingLines_, workingChangedInPanes_);
    // The lower pane's undo steps name lines and columns of the text it held
    // before; on the new text they would rewrite whatever now stands there.
    memo2_.UndoList().Clear();
    refill(memo1_, sourceLines_, sourceChangedInPanes_);
    panesReplaced_ = false;
}

bool TranslationJob::Split()
{
    const auto entry = static_cast<std::size_t>(currentEntry_);
    if (currentEntry_ < 0 || entry >= sourceLines_.size())
        return false;
    const std::string& source = sourceLines_[entry];
    const auto quotes = entryQuotes(source);
    if (!quotes)
        return false;

    quotes_ = *quotes;
    sourcePositions_ = entryPositions(source, quotes_);
    workingEntry_ = workingLineOf(currentEntry_);
    static const std::string noLine;
    const std::string& working = workingEntry_ >= 0 ? workingLines_[static_cast<std::size_t>(workingEntry_)] : noLine;
    const EntryPositions workingPositions = entryPositions(working, quotes_);
    memo2_.PlaceCaret(1, workingEntry_ >= 0 ? workingEntry_ : currentEntry_);
    memo1_.PlaceCaret(1, currentEntry_);

    if (wholeLineMode_) {
        windows_.SetNameField(source);
        windows_.SetSourceField(source);
        shownTranslation_ = source;
    } else {
        windows_.SetNameField(entryName(source));
        windows_.SetSourceField(spanBetween(source, sourcePositions_.textStart, sourcePositions_.textEnd));
        shownTranslation_ = spanBetween(working, workingPositions.textStart, workingPositions.textEnd);
    }
    windows_.SetTranslationField(shownTranslation_);
    windows_.SelectTranslationField();
    windows_.SetEntryLine(currentEntry_, working);
    tellListeners([](TranslationJobEvents& listener) { listener.EntryShown(); });
    return true;
}

std::string TranslationJob::entryName(const std::string& line) const
{
    const EntryPositions at = entryPositions(line, quotes_);
    return spanBetween(line, at.nameStart, at.nameEnd);
}

int TranslationJob::workingLineOf(int entry) const
{
    const int workingCount = static_cast<int>(workingLines_.size());
    if (workingCount == lineCount_)
        return entry;
    // Full-text editing added or removed lines, so index i of the two lists
    // may hold different lines: the entry's working line is the nearest one
    // that carries the same constant name.
    const std::string name = entryName(sourceLines_[static_cast<std::size_t>(entry)]);
    const auto hasName = [&](int i) {
        return i >= 0 && i < workingCount && entryQuotes(workingLines_[static_cast<std::size_t>(i)])
            && entryName(workingLines_[static_cast<std::size_t>(i)]) == name;
    };
    for (int distance = 0; distance <= std::max(entry, workingCount); ++distance) {
        if (hasName(entry - distance))
            return entry - distance;
        if (hasName(entry + distance))
            return entry + distance;
    }
    return -1;
}

void TranslationJob::writeTranslation(const LineList& lines)
{
    // A file this run did not write, or one another program changed since,
    // may hold work of its own: it is kept as a backup before it is replaced.
    const std::string path = TranslatedFilePath();
    const auto written = writtenThisRun_.find(path);
    const bool unchanged = written != writtenThisRun_.end() && fileHolds(path, written->second);
    writtenThisRun_.insert_or_assign(path, writeLanguageFile(path, lines, lineEnds_.ends(), encoding_, byteOrderMark_,
                                                             unchanged ? Backup::None : Backup::Keep));
    workInTranslatedFile_ = true;
    // An assignment, not a fresh copy: the saved lines' strings are reused.
    savedLines_ = lines;
    unsavedLines_.recount(savedLines_, workingLines_);
    forgetJournal();
    if (OnSaved)
        OnSaved(path);
    tellListeners([&path](TranslationJobEvents& listener) { listener.TranslationSaved(path); });
}

void TranslationJob::Exit1Click()
{
    if (!fileName_.empty() && loaded_)
        saveOrAskBeforeExit();
    endProgram();
}

void TranslationJob::endProgram()
{
    lock_.release();
    sourceLines_.clear();
    loadedSourceLines_.clear();
    sourceRewritten_ = false;
    workingLines_.clear();
    savedLines_.clear();
    listsReplaced();
    lineCount_ = 0;
    currentEntry_ = 0;
    checker_.reset();
    findings_.clear();
    translatedFindings_ = 0;
    recheckedLines_.clear();
    // A journal left for the next start is not this job's any more: an
    // event still running when a signal ended the program must not find
    // "no unsaved work" in the emptied lists and remove it.
    journal_ = {};
    windows_.EndProgram();
}

LineList TranslationJob::lowerPaneLines() const
{
    const auto& pane = memo2_.Lines();
    const auto paneCount = static_cast<std::size_t>(pane.LineCount());
    // The pane tidies every line its caret leaves (trailing blanks go, tabs
    // widen); a line it only tidied keeps the bytes it was given, also where
    // the free editor added or removed lines before it.
    const auto onlyTidied = [&](std::size_t working, std::size_t paneLine) {
        const std::string& given = workingLines_[working];
        const std::string& shown = pane.Line(static_cast<int>(paneLine));
        return given == shown || pane.Tidied(given) == pane.Tidied(shown);
    };
    std::vector<int> workingOf(paneCount, -1);
    if (paneCount == workingLines_.size()) {
        for (std::size_t i = 0; i < paneCount; ++i)
            workingOf[i] = onlyTidied(i, i) ? static_cast<int>(i) : -1;
    } else {
        // Pairing compares many lines with many: each is tidied once.
        std::vector<std::string> tidiedWorking;
        tidiedWorking.reserve(workingLines_.size());
        for (const std::string& line : workingLines_)
            tidiedWorking.push_back(pane.Tidied(line));
        std::vector<std::string> tidiedPane;
        tidiedPane.reserve(paneCount);
        for (std::size_t i = 0; i < paneCount; ++i)
            tidiedPane.push_back(pane.Tidied(pane.Line(static_cast<int>(i))));
        workingOf = alignLines(workingLines_.size(), paneCount, [&](std::size_t working, std::size_t paneLine) {
            return tidiedWorking[working] == tidiedPane[paneLine];
        });
    }
    LineList lines;
    lines.reserve(paneCount);
    for (std::size_t i = 0; i < paneCount; ++i)
        lines.push_back(workingOf[i] >= 0 ? workingLines_[static_cast<std::size_t>(workingOf[i])]
                                          : pane.Line(static_cast<int>(i)));
    return lines;
}

void TranslationJob::takeLowerPaneLines()
{
    LineList lines = lowerPaneLines();
    if (lines == workingLines_)
        return;
    workingLines_ = std::move(lines);
    listsReplaced();
}

void TranslationJob::EditWholeLine()
{
    wholeLineMode_ = !wholeLineMode_;
    if (wholeLineMode_)
        windows_.SetTranslationFieldColors(clBlack, clWhite);
    else
        windows_.SetTranslationFieldColors(clWhite, clBlack);
    updateProgress();
    if (Split() || currentEntry_ != 0)
        return;
    if (lastDirection_ == Direction::Forward)
        Volgende();
    else
        Vorige();
}

void TranslationJob::FullEdit()
{
    const JournalAfterwards journal{*this};
    if (!fullTextMode_ && currentEntry_ != 0 && windows_.TranslationField() != shownTranslation_) {
        // The field is about to be disabled and navigation in full-text mode
        // does not commit it: a translation typed so far goes into the
        // working lines now, where the free editor shows it.
        Bewaar();
        Split();
    }
    fullTextMode_ = !fullTextMode_;
    if (fullTextMode_) {
        windows_.SetTranslationFieldEnabled(false);
        memo2_.SetEnabled(true);
        memo2_.SetReadOnly(false);
        windows_.ShowAndFocusViewer();
        updateProgress();
        return;
    }
    memo2_.SetEnabled(false);
    memo2_.SetReadOnly(true);
    windows_.FocusMainWindow();
    takeLowerPaneLines();
    windows_.SetTranslationFieldEnabled(true);
    // Show the entry again, so that the field holds the working line's
    // current text and a later commit keeps the free edit; the refill first
    // puts both panes' highlight back on the entry, away from the line the
    // upper pane mirrored.
    refreshViewer();
    if (currentEntry_ != 0)
        Split();
    updateProgress();
}

void TranslationJob::Memo2ActiveLineChange()
{
    if (fullTextMode_)
        memo1_.SetActiveLineIndex(memo2_.ActiveLineIndex());
}

void TranslationJob::FormKeyDown(KeyCode key)
{
    if (!loaded_)
        return;
    switch (key) {
    case vk::Enter:
    case vk::Down: Volgende(); break;
    case vk::Up: Vorige(); break;
    case vk::F1: EditWholeLine(); break;
    case vk::F2: FullEdit(); break;
    default: break;
    }
}

void TranslationJob::ViewerKeyDown(KeyCode key)
{
    if (loaded_ && key == vk::F2)
        FullEdit();
}

} // namespace kalmo
