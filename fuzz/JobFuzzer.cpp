// libFuzzer target for the translation job. The input up to its first NUL is
// written as the language file (a file holding a NUL is refused at load); the
// bytes after it are the program of user steps. Every time the job writes its
// translated file, the file is read back and must hold exactly the lines the
// job meant to write, each with the line end it was loaded with while the
// number of lines is unchanged.
//
// Step bytes (value % 13): 0 Next (Down), 1 Previous (Up), 2 type a
// translation (next byte = length, then that many bytes), 3 F1, 4 F2,
// 5 Exit (saves; the session ends and a new one starts with a load),
// 6 load again (next byte even: the language file, odd: its translated copy),
// 7 load cancelled, 8 Save, 9 Continue Translation (next byte even: the
// language file, odd: its translated copy), 10 Reload with Encoding (next
// byte picks the set), 11 Find (next byte = length, then the text),
// 12 the recovery journal: a second program recovers the work from it, and
// Exit in both must write the same bytes (both sessions end; a new one
// starts with a load).
#include "base/KalmoError.h"
#include "job/FileAccess.h"
#include "job/LineList.h"
#include "job/TextEncoding.h"
#include "job/TranslationJob.h"
#include "testing/JobRig.h"
#include "testing/TempFolder.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace kalmo {
namespace {

using testing_support::FakeTranslationJobView;
using testing_support::TempFolder;

constexpr std::size_t kMaxSteps = 256;

// One folder for the whole run; each input starts from an empty one.
const TempFolder& workFolder()
{
    static const TempFolder folder;
    return folder;
}

void emptyWorkFolder()
{
    for (const auto& entry : std::filesystem::directory_iterator(workFolder().root()))
        std::filesystem::remove_all(entry.path());
}

[[noreturn]] void failWithLines(const std::string& what, const LineList& expected, const LineList& written)
{
    std::fprintf(stderr, "%s\nexpected %zu lines, file holds %zu\n", what.c_str(), expected.size(), written.size());
    for (std::size_t i = 0; i < expected.size() || i < written.size(); ++i) {
        const char* want = i < expected.size() ? expected[i].c_str() : "<none>";
        const char* got = i < written.size() ? written[i].c_str() : "<none>";
        if (i >= expected.size() || i >= written.size() || expected[i] != written[i])
            std::fprintf(stderr, "line %zu differs:\n  expected [%s]\n  written  [%s]\n", i, want, got);
    }
    std::abort();
}

// What reading the file back in the given encoding gives for these lines:
// characters the encoding cannot hold come back as their "&#N;" form.
LineList asReadBack(const LineList& lines, TextEncoding encoding)
{
    LineList result;
    result.reserve(lines.size());
    for (const std::string& line : lines)
        result.push_back(toUtf8(fromUtf8(line, encoding), encoding));
    return result;
}

// One run of the program: a job, its windows and its two viewer panes.
class Session {
public:
    Session()
    {
        job_.KeepRecoveryJournalIn(workFolder().path("recovery"));
        memo2_.OnActiveLineChange = [this](TCustomCodeMemo&, int) { job_.Memo2ActiveLineChange(); };
        job_.OnSaved = [this](const std::string& path) { checkWrittenFile(path); };
    }

    TranslationJob& job() { return job_; }
    FakeTranslationJobView& windows() { return windows_; }

    // Errors the program reports to the user (a file that cannot be opened)
    // are part of normal use; anything else escapes and stops the fuzzer.
    template <typename Operation>
    void run(Operation operation)
    {
        try {
            operation();
        } catch (const KalmoError&) {
        }
    }

    void load(std::optional<std::string> path)
    {
        windows_.dialogAnswer = std::move(path);
        run([this] { job_.LoadSourceFile1Click(); });
    }

private:
    // Called right after the job wrote its file, before Exit drops the lists.
    void checkWrittenFile(const std::string& path)
    {
        // Decoded in the job's own encoding: detection alone could take a
        // Windows-1252 translation whose bytes happen to form UTF-8 for UTF-8.
        std::string bytes = readWholeFile(path);
        static constexpr std::string_view byteOrderMark = "\xEF\xBB\xBF";
        // In another set those three bytes are characters of the first line.
        const bool markWritten = job_.Encoding() == TextEncoding::Utf8 && bytes.starts_with(byteOrderMark);
        if (markWritten != job_.ByteOrderMark())
            failWithLines("translated file " + path + (markWritten ? " gained" : " lost") + " its byte-order mark",
                          {}, {});
        if (markWritten)
            bytes.erase(0, byteOrderMark.size());
        LineEnds writtenEnds;
        const LineList written = splitLines(toUtf8(bytes, job_.Encoding()), &writtenEnds);
        const LineList expected
            = asReadBack(job_.FullTextMode() ? lowerPaneLinesAsWritten(written) : job_.WorkingLines(), job_.Encoding());
        if (written != expected)
            failWithLines("translated file " + path + " differs from the lines the job holds"
                              + (job_.FullTextMode() ? " (full-text mode)" : ""),
                          expected, written);
        checkLineEnds(writtenEnds, written);
    }

    // The lower pane's lines, except that a line the pane only tidied may be
    // written as a working line of the same tidied form: the one at its place
    // while the line count is unchanged, else any.
    LineList lowerPaneLinesAsWritten(const LineList& written) const
    {
        const auto& pane = memo2_.Lines();
        const LineList& working = job_.WorkingLines();
        const bool sameCount = pane.LineCount() == static_cast<int>(working.size());
        const auto asReadBackInJob = [this](const std::string& line) {
            return toUtf8(fromUtf8(line, job_.Encoding()), job_.Encoding());
        };
        LineList lines;
        for (int i = 0; i < pane.LineCount(); ++i) {
            const auto at = static_cast<std::size_t>(i);
            const std::string& line = pane.Line(i);
            const std::string* kept = sameCount ? &working[at] : nullptr;
            if (!sameCount && at < written.size()) {
                const auto same = std::find_if(working.begin(), working.end(), [&](const std::string& candidate) {
                    return asReadBackInJob(candidate) == written[at];
                });
                if (same != working.end())
                    kept = &*same;
            }
            lines.push_back(kept && pane.Tidied(*kept) == pane.Tidied(line) ? *kept : line);
        }
        return lines;
    }

    // With the line count as loaded, every line ends as it did in the source;
    // only an emptied line may differ: a last one gains an end, and one after
    // a CR ends in CR rather than LF.
    void checkLineEnds(const LineEnds& writtenEnds, const LineList& written) const
    {
        const LineEnds& loaded = job_.LoadedLineEnds();
        if (written.size() != loaded.size())
            return;
        for (std::size_t i = 0; i < loaded.size(); ++i) {
            const bool emptiedLast = i + 1 == loaded.size() && loaded[i] == LineEnd::None && written[i].empty();
            const bool emptiedAfterCr = written[i].empty() && i > 0 && writtenEnds[i - 1] == LineEnd::Cr
                                        && loaded[i] == LineEnd::Lf && writtenEnds[i] == LineEnd::Cr;
            if (writtenEnds[i] != loaded[i] && !emptiedLast && !emptiedAfterCr) {
                std::fprintf(stderr, "line %zu was loaded with line end %d and written with %d\n", i,
                             static_cast<int>(loaded[i]), static_cast<int>(writtenEnds[i]));
                std::abort();
            }
        }
    }

    testing_support::JobRig rig_;
    FakeTranslationJobView& windows_ = rig_.windows;
    TCustomCodeMemo& memo2_ = rig_.memo2;
    TranslationJob& job_ = rig_.job;
};

class StepReader {
public:
    explicit StepReader(std::string_view bytes) : bytes_(bytes) {}
    bool done() const { return position_ >= bytes_.size(); }
    std::uint8_t next() { return done() ? 0 : static_cast<std::uint8_t>(bytes_[position_++]); }
    std::string_view take(std::size_t count)
    {
        const std::string_view part = bytes_.substr(position_, count);
        position_ += part.size();
        return part;
    }

private:
    std::string_view bytes_;
    std::size_t position_ = 0;
};

// A real edit field only ever holds valid text.
std::string typedText(std::string_view bytes)
{
    return isValidUtf8(bytes) ? std::string(bytes) : windows1252ToUtf8(bytes);
}

// Recovers the session's work from its journal in a second program; Exit in
// each must write the same file. Both sessions are over afterwards.
void checkRecoveryFromJournal(Session& stopped, const std::string& sourcePath)
{
    if (!stopped.job().Loaded())
        return;
    stopped.run([&] { stopped.job().KeepJournal(); });
    const std::string target = stopped.job().TranslatedFilePath();
    Session recovered;
    bool bothExited = true;
    recovered.run([&] {
        recovered.job().Recover(sourcePath);
        recovered.job().Exit1Click();
    });
    bothExited = recovered.windows().ended;
    std::error_code noFile;
    const std::string recoveredBytes = std::filesystem::exists(target, noFile) ? readWholeFile(target) : "";
    std::filesystem::remove(target, noFile);
    stopped.run([&] { stopped.job().Exit1Click(); });
    bothExited = bothExited && stopped.windows().ended;
    // A job standing on a line that whole-line editing made into no entry
    // cannot be shown there again; the text typed for it is then named in a
    // note instead of put back.
    const bool textLeftOut = recovered.windows().notesHeading == "Not recovered:";
    if (bothExited && !textLeftOut && readWholeFile(target) != recoveredBytes) {
        std::fprintf(stderr, "the work recovered from the journal writes other bytes than the stopped job\n");
        std::abort();
    }
}

void runInput(std::string_view input)
{
    emptyWorkFolder();
    const auto nul = input.find('\0');
    const std::string sourcePath = workFolder().write("lang.php", std::string(input.substr(0, nul)));
    const std::string translatedPath = workFolder().path("Translated_lang.php");

    auto session = std::make_unique<Session>();
    session->load(sourcePath);

    StepReader steps(nul == std::string_view::npos ? std::string_view() : input.substr(nul + 1));
    for (std::size_t count = 0; count < kMaxSteps && !steps.done(); ++count) {
        TranslationJob& job = session->job();
        FakeTranslationJobView& windows = session->windows();
        switch (steps.next() % 13) {
        case 0: session->run([&] { job.FormKeyDown(vk::Down); }); break;
        case 1: session->run([&] { job.FormKeyDown(vk::Up); }); break;
        case 2: {
            const std::string text = typedText(steps.take(steps.next()));
            // A disabled field takes no typing.
            if (windows.translationEnabled)
                windows.translation = text;
            break;
        }
        case 3: session->run([&] { job.FormKeyDown(vk::F1); }); break;
        case 4: session->run([&] { job.FormKeyDown(vk::F2); }); break;
        case 5:
            session->run([&] { job.Exit1Click(); });
            if (windows.ended) {
                session = std::make_unique<Session>();
                session->load(sourcePath);
            }
            break;
        case 6: session->load(steps.next() % 2 == 0 ? sourcePath : translatedPath); break;
        case 7: session->load(std::nullopt); break;
        case 8: session->run([&] { job.Save(); }); break;
        case 9:
            windows.dialogAnswer = steps.next() % 2 == 0 ? sourcePath : translatedPath;
            session->run([&] { job.ContinueTranslation(); });
            break;
        case 10: {
            const auto& sets = commonEncodings();
            const TextEncoding& set = sets[steps.next() % sets.size()];
            session->run([&] { job.ReloadWithEncoding(set); });
            break;
        }
        case 11:
            windows.findAnswer = typedText(steps.take(steps.next()));
            session->run([&] { job.Find(); });
            break;
        case 12:
            checkRecoveryFromJournal(*session, sourcePath);
            session = std::make_unique<Session>();
            session->load(sourcePath);
            break;
        }
    }
    session->run([&] { session->job().Exit1Click(); });
}

} // namespace
} // namespace kalmo

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    kalmo::runInput(std::string_view(reinterpret_cast<const char*>(data), size));
    return 0;
}
