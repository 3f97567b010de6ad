#include "job/TranslationJob.h"

#include "job/KalmoError.h"
#include "job/LanguageFile.h"

#include <algorithm>
#include <cctype>

namespace kalmo {
namespace {

const char* const kPleaseLoad = "Please load file first";

bool containsDefine(const std::string& line)
{
    static constexpr std::string_view word = "define";
    const auto found = std::search(line.begin(), line.end(), word.begin(), word.end(), [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) == b;
    });
    return found != line.end();
}

std::string withoutFolder(const std::string& path)
{
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string folderWithSeparator(const std::string& path)
{
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

} // namespace

TranslationJob::TranslationJob(TranslationWindows& windows, TCustomCodeMemo& memo1, TCustomCodeMemo& memo2)
    : windows_(windows), memo1_(memo1), memo2_(memo2)
{
}

void TranslationJob::FormCreate()
{
    windows_.SetStatusText("Waiting..");
    windows_.SetSourceField(kPleaseLoad);
    windows_.SetNameField(kPleaseLoad);
    windows_.SetTranslationField(kPleaseLoad);
    wholeLineMode_ = false;
    fullTextMode_ = false;
    loaded_ = false;
}

std::string TranslationJob::TranslatedFilePath() const
{
    return folderWithSeparator(fileName_) + "Translated_" + withoutFolder(fileName_);
}

void TranslationJob::LoadSourceFile1Click()
{
    windows_.SetStatusText("Loading..");
    const auto chosen = windows_.ChooseSourceFile({"Source files (*.php)|*.PHP", "Choose Sourcefile"});
    if (!chosen) {
        windows_.SetStatusText("Waiting..");
        return;
    }
    saveBeforeReplacing();
    loadFile(*chosen);
}

void TranslationJob::ReloadWithEncoding(const TextEncoding& encoding)
{
    if (!loaded_) {
        windows_.Beep();
        return;
    }
    saveBeforeReplacing();
    chosenEncodings_.insert_or_assign(fileName_, encoding);
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
    const LineList lines = committedLinesToWrite();
    if (lines != loadedLines_)
        writeTranslation(lines);
}

void TranslationJob::loadFile(const std::string& path)
{
    const std::string shortName = withoutFolder(path);
    windows_.SetStatusText("Sourcefile: " + shortName + " loading and parsing..");
    // Read before touching the job, so a file that cannot be read leaves
    // the previous job whole, its file name included.
    const auto chosen = chosenEncodings_.find(path);
    LanguageFile file = readLanguageFile(
        path, chosen == chosenEncodings_.end() ? std::nullopt : std::optional<TextEncoding>(chosen->second));
    fileName_ = path;
    encoding_ = file.encoding;
    byteOrderMark_ = file.byteOrderMark;
    lineEnds_ = std::move(file.lineEnds);
    savedInThisJob_ = false;
    sourceLines_ = file.lines;
    workingLines_ = file.lines;
    loadedLines_ = std::move(file.lines);
    lineCount_ = static_cast<int>(sourceLines_.size());
    currentEntry_ = 0;
    shownTranslation_.clear();
    windows_.SetEncodingPanel(EncodingText());

    step(Direction::Forward, false);
    windows_.SetStatusText("Sourcefile: " + shortName + " loaded and parsed.");
    loaded_ = true;
}

void TranslationJob::Volgende()
{
    step(Direction::Forward, true);
}

void TranslationJob::Vorige()
{
    step(Direction::Backward, true);
}

void TranslationJob::step(Direction direction, bool takePaneEdits)
{
    lastDirection_ = direction;
    // In full-text mode the lower pane holds the user's free edits and the
    // translation field is disabled: keep the edits, commit no field.
    if (fullTextMode_ && takePaneEdits) {
        takeLowerPaneLines();
        commit(false);
    } else {
        commit(true);
    }

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

void TranslationJob::setLineStatus(const char* prefix, const char* suffix)
{
    windows_.SetStatusText(prefix + std::to_string(currentEntry_) + "/" + std::to_string(lineCount_ - 1) + suffix);
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
}

void TranslationJob::writeFieldIntoLists()
{
    const std::string field = windows_.TranslationField();
    // An untouched field leaves its line exactly as it is: a whole line would
    // otherwise replace a translation by the source text, and a rebuilt one
    // would change bytes nobody edited.
    if (field == shownTranslation_)
        return;
    const std::string name = entryName(sourceLines_[static_cast<std::size_t>(currentEntry_)]);
    if (workingEntry_ < 0 || workingEntry_ >= static_cast<int>(workingLines_.size())) {
        // Keep the typed text in the field rather than drop it silently.
        throw KalmoError("The translation of \"" + name + "\" was not written: its line is no longer in \""
                         + withoutFolder(TranslatedFilePath()) + "\"");
    }
    std::string& working = workingLines_[static_cast<std::size_t>(workingEntry_)];
    if (wholeLineMode_) {
        sourceLines_[static_cast<std::size_t>(currentEntry_)] = field;
        working = field;
        return;
    }
    auto rebuilt = rebuildWithTranslation(working, quotes_, field);
    if (rebuilt) {
        working = std::move(*rebuilt);
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
    memo2_.ClearText();
    memo2_.Lines().AppendLines(workingLines_);
    // The lower pane's undo steps name lines and columns of the text it held
    // before; on the new text they would rewrite whatever now stands there.
    memo2_.UndoList().Clear();
    memo1_.ClearText();
    memo1_.Lines().AppendLines(sourceLines_);
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

LineList TranslationJob::committedLinesToWrite()
{
    if (!fullTextMode_)
        commit(true);
    return lowerPaneLines();
}

void TranslationJob::writeTranslation(const LineList& lines)
{
    // A file this job did not write itself may hold an earlier translation:
    // it is kept as ".bak" before the first save replaces it.
    writeLanguageFile(TranslatedFilePath(), lines, lineEnds_, encoding_, byteOrderMark_,
                      savedInThisJob_ ? Backup::None : Backup::Keep);
    savedInThisJob_ = true;
    if (OnSaved)
        OnSaved(TranslatedFilePath());
}

void TranslationJob::Exit1Click()
{
    if (!fileName_.empty() && loaded_)
        writeTranslation(committedLinesToWrite());
    sourceLines_.clear();
    workingLines_.clear();
    loadedLines_.clear();
    lineCount_ = 0;
    currentEntry_ = 0;
    windows_.EndProgram();
}

LineList TranslationJob::lowerPaneLines() const
{
    const auto& pane = memo2_.Lines();
    const bool sameCount = pane.LineCount() == static_cast<int>(workingLines_.size());
    LineList lines;
    lines.reserve(static_cast<std::size_t>(pane.LineCount()));
    for (int i = 0; i < pane.LineCount(); ++i) {
        const std::string& paneLine = pane.Line(i);
        const std::string* working = sameCount ? &workingLines_[static_cast<std::size_t>(i)] : nullptr;
        // The pane tidies every line its caret leaves (trailing blanks go,
        // tabs widen); a line it only tidied keeps the bytes it was given.
        const bool onlyTidied
            = working && paneLine != *working && pane.Tidied(paneLine) == pane.Tidied(*working);
        lines.push_back(onlyTidied ? *working : paneLine);
    }
    return lines;
}

void TranslationJob::takeLowerPaneLines()
{
    workingLines_ = lowerPaneLines();
}

void TranslationJob::EditWholeLine()
{
    wholeLineMode_ = !wholeLineMode_;
    if (wholeLineMode_)
        windows_.SetTranslationFieldColors(clBlack, clWhite);
    else
        windows_.SetTranslationFieldColors(clWhite, clBlack);
    if (Split() || currentEntry_ != 0)
        return;
    if (lastDirection_ == Direction::Forward)
        Volgende();
    else
        Vorige();
}

void TranslationJob::FullEdit()
{
    if (!fullTextMode_ && currentEntry_ != 0 && windows_.TranslationField() != shownTranslation_) {
        // The field is about to be disabled and navigation in full-text mode
        // does not commit it: a translation typed so far goes into the
        // working lines now, where the free editor shows it.
        commit(true);
        Split();
    }
    fullTextMode_ = !fullTextMode_;
    if (fullTextMode_) {
        windows_.SetTranslationFieldEnabled(false);
        memo2_.SetEnabled(true);
        memo2_.SetReadOnly(false);
        windows_.ShowAndFocusViewer();
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
