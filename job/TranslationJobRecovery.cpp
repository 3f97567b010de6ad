// The translation job's recovery journal: kept while there is work Exit has
// not saved, read back by Recover, offered at start when its program is
// gone, and where the work goes when the program ends without saving.
#include "job/TranslationJob.h"

#include "base/KalmoError.h"
#include "controls/memo/CodeMemoModel.h"
#include "job/EntryList.h"
#include "job/LanguageFile.h"
#include "job/LineChanges.h"
#include "job/ProcessIdentity.h"
#include "job/RestoreOnError.h"
#include "job/TranslationJobView.h"

#include <ctime>
#include <filesystem>

namespace kalmo {
namespace {

const char* const kRecover = "Recover";
const char* const kDiscard = "Discard";

std::string localTimeText(std::int64_t seconds)
{
    const auto time = static_cast<std::time_t>(seconds);
    std::tm local{};
    char text[32] = {};
    if (::localtime_r(&time, &local) == nullptr || std::strftime(text, sizeof text, "%Y-%m-%d %H:%M", &local) == 0)
        return "an unknown time";
    return text;
}

std::string entriesText(int count)
{
    return std::to_string(count) + (count == 1 ? " entry" : " entries");
}

KalmoError noFolderForJournals()
{
    return KalmoError("There is no folder for recovery journals: neither XDG_STATE_HOME nor HOME is set");
}

} // namespace

void TranslationJob::KeepRecoveryJournalIn(const std::string& folder)
{
    if (folder.empty())
        journal_.folder.reset();
    else
        journal_.folder.emplace(folder);
}

bool TranslationJob::hasUnsavedWork() const
{
    if (!loaded_)
        return false;
    const bool typed = !fullTextMode_ && currentEntry_ != 0 && windows_.TranslationField() != shownTranslation_;
    return typed || paneUnsaved();
}

RecoveryJournal TranslationJob::journalOfWork() const
{
    RecoveryJournal journal;
    journal.sourcePath = fileName_;
    journal.targetPath = TranslatedFilePath();
    journal.encoding = encoding_.name();
    journal.byteOrderMark = byteOrderMark_;
    const ProcessIdentity self = thisProcess();
    journal.processId = self.processId;
    journal.host = self.host;
    journal.processStarted = self.started;
    journal.currentEntry = currentEntry_;
    journal.wholeLineMode = wholeLineMode_;
    journal.fullTextMode = fullTextMode_;
    journal.sourceFingerprint = journal_.sourceFingerprint;
    journal.lineEnds = journal_.lineEnds;
    journal.sourceLines = rewrittenSource_.changes(loadedSource(), sourceLines_);
    journal.workingLines = translatedLines_.changes(sourceLines_, workingLines_);
    std::size_t unsaved = 0;
    const auto edits = fullTextMode_ ? paneEdits() : std::nullopt;
    if (edits && unsavedLines_.sameLength()) {
        const auto paneLine = [&](int line) { return paneLineAt(line, *edits); };
        journal.paneLines = changesAt(*edits, paneLine);
        unsaved = paneLinesUnsaved(*edits).size();
    } else if (fullTextMode_) {
        const LineList pane = lowerPaneLines();
        journal.paneLines = changesBetween(workingLines_, pane);
        unsaved = insertedLines(changesBetween(savedLines_, pane));
    } else {
        // Outside the free editor the lower pane holds the working lines.
        if (currentEntry_ != 0 && windows_.TranslationField() != shownTranslation_)
            journal.pendingField = windows_.TranslationField();
        unsaved = insertedLines(unsavedLines_.changes(savedLines_, workingLines_));
    }
    journal.changedEntries = static_cast<int>(unsaved) + (journal.pendingField ? 1 : 0);
    return journal;
}

void TranslationJob::writeJournal()
{
    if (!journal_.folder)
        throw noFolderForJournals();
    RecoveryJournal journal = journalOfWork();
    if (journal_.written == journal)
        return;
    const std::string path = journal_.folder->journalPathFor(fileName_);
    // A journal of this file that another program left is kept aside, not
    // replaced.
    std::error_code noJournal;
    if (!journal_.written && std::filesystem::exists(path, noJournal))
        journal_.folder->moveAside(path, ".discarded");
    RecoveryJournal stamped = journal;
    stamped.time = static_cast<std::int64_t>(std::time(nullptr));
    journal_.folder->write(stamped);
    journal_.written = std::move(journal);
}

void TranslationJob::keepUnsavedWorkInJournal()
{
    if (hasUnsavedWork())
        writeJournal();
}

void TranslationJob::forgetJournal()
{
    if (!journal_.folder || !journal_.written)
        return;
    journal_.folder->remove(journal_.folder->journalPathFor(journal_.written->sourcePath));
    journal_.written.reset();
}

void TranslationJob::KeepJournal()
{
    if (!journal_.folder || !loaded_)
        return;
    try {
        if (hasUnsavedWork())
            writeJournal();
        else
            forgetJournal();
    } catch (const KalmoError& error) {
        // Typing goes on without it; the user hears of it once per file
        // rather than at every key.
        if (!std::exchange(journal_.problemTold, true))
            windows_.ShowNotes("The work is not kept for recovery:", {errorReportText(error.what())});
    }
}

void TranslationJob::EndWithoutSaving()
{
    keepUnsavedWorkInJournal();
    endProgram();
}

void TranslationJob::Recover(const std::string& sourcePath)
{
    if (!journal_.folder)
        throw noFolderForJournals();
    recoverFrom(journal_.folder->read(journal_.folder->journalPathFor(sourcePath)));
}

void TranslationJob::recoverFrom(const RecoveryJournal& journal)
{
    const std::string shortName = fileNameOf(journal.sourcePath);
    const std::string journalPath = journal_.folder->journalPathFor(journal.sourcePath);
    const auto cannotRecover = [&](const std::string& reason) {
        return KalmoError("The work on \"" + journal.sourcePath + "\" cannot be recovered: " + reason
                          + ". The recovery journal stays in \"" + journalPath + "\"");
    };
    const auto encoding = TextEncoding::named(journal.encoding);
    if (!encoding)
        throw cannotRecover(TextEncoding::problem(journal.encoding));
    const RestoreOnError statusBack([this, before = statusText_] { setStatus(before); });
    setStatus("Sourcefile: " + shortName + " recovering..");
    LanguageFile file = readLanguageFile(journal.sourcePath, *encoding);
    if (linesFingerprint(file.lines) != journal.sourceFingerprint)
        throw cannotRecover("the file has changed since the work was kept");
    LineList source;
    LineList working;
    LineList pane;
    try {
        source = applyChanges(file.lines, journal.sourceLines);
        working = applyChanges(source, journal.workingLines);
        if (journal.paneLines)
            pane = applyChanges(working, *journal.paneLines);
    } catch (const KalmoError& error) {
        throw cannotRecover(error.what());
    }
    if (source.size() != file.lines.size())
        throw cannotRecover("its source lines do not match the file");

    // Everything is read and checked: only now is the work on show replaced.
    saveBeforeReplacing();
    // What the target holds decides what counts as saved. A target that
    // cannot be read (often the reason the work was never saved) holds
    // nothing of this work.
    LineList onDisk = file.lines;
    std::error_code noTarget;
    if (std::filesystem::is_regular_file(journal.targetPath, noTarget)) {
        try {
            onDisk = readLanguageFile(journal.targetPath, *encoding).lines;
        } catch (const KalmoError&) {
            onDisk.clear();
        }
    }
    startJob(journal.sourcePath, std::move(file), std::move(working), std::move(onDisk), journal.lineEnds.ends(),
             journal.byteOrderMark);
    if (journal.targetPath != translatedFilePath(journal.sourcePath))
        targetPath_ = journal.targetPath;
    // The journal on disk is this job's from now on.
    journal_.written = journal;
    loaded_ = true;
    keepLoadedSource();
    sourceLines_ = std::move(source);
    listsReplaced();
    refreshViewer();
    if (journal.currentEntry == 0 || !showEntryAt(journal.currentEntry))
        showCurrentEntryAgain();
    if (journal.wholeLineMode != wholeLineMode_)
        EditWholeLine();
    if (journal.fullTextMode != fullTextMode_)
        FullEdit();
    if (fullTextMode_ && journal.paneLines) {
        memo2_.ClearText();
        memo2_.Lines().AppendLines(pane);
        memo2_.UndoList().Clear();
        // The pane holds other lines than the working lines now.
        panesReplaced_ = true;
        memo2_.PlaceCaret(1, workingEntry_ >= 0 ? workingEntry_ : currentEntry_);
    }
    setStatus("Sourcefile: " + shortName + " recovered.");
    updateProgress();
    if (journal.pendingField && currentEntry_ != journal.currentEntry) {
        // Whole-line editing made the line the text was typed for into no
        // entry; put on another entry, the text would replace its work.
        windows_.ShowNotes("Not recovered:", {"The text typed last, \"" + *journal.pendingField
                                                  + "\", was not put back: line " + std::to_string(journal.currentEntry)
                                                  + " is no longer an entry"});
    } else if (journal.pendingField && !fullTextMode_ && currentEntry_ != 0) {
        // Committed as the next step would, so that the progress mark and
        // the count show it; the field shows it as typed.
        windows_.SetTranslationField(*journal.pendingField);
        Bewaar();
        showCurrentEntryAgain();
    }
    KeepJournal();
}

void TranslationJob::OfferAbandonedWork()
{
    if (!journal_.folder)
        return;
    const RecoveryFolder& folder = *journal_.folder;
    std::vector<std::string> notes;
    for (const std::string& path : folder.journals()) {
        try {
            RecoveryJournal journal;
            try {
                journal = folder.read(path);
            } catch (const KalmoError& damaged) {
                // Kept for whoever wants to look, and told only once.
                folder.moveAside(path, ".damaged");
                throw KalmoError(std::string(damaged.what()) + ". It is kept as \"" + path + ".damaged\"");
            }
            if (!processIsGone({journal.processId, journal.host, journal.processStarted}))
                continue;
            const Question question{"KALMO Translator was stopped before " + fileNameOf(journal.sourcePath)
                                        + " was saved (at " + localTimeText(journal.time) + ", "
                                        + entriesText(journal.changedEntries) + " changed). Recover that work?",
                                    {kRecover, kDiscard},
                                    /*defaultAnswer=*/0,
                                    /*cancelAnswer=*/0};
            if (windows_.Ask(question) == 0)
                recoverFrom(journal);
            else
                folder.moveAside(path, ".discarded");
        } catch (const KalmoError& error) {
            notes.push_back(errorReportText(error.what()));
        }
    }
    if (!notes.empty())
        windows_.ShowNotes("Not recovered:", notes);
}

} // namespace kalmo
