// Reading and writing PO files through gettext's library; see PoFile.h.
#include "cli/PoFile.h"

#include "app/VersionRecord.h"
#include "base/KalmoError.h"
#include "job/FileAccess.h"

#include <gettext-po.h>

#include <cctype>
#include <cerrno>
#include <csetjmp>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <unistd.h>

namespace kalmo::cli {
namespace {

// libgettextpo reports problems through a C callback that must not return
// on a fatal error; the callback records the first message and, when fatal,
// jumps back to the call that started the library function.
struct LibraryProblem {
    std::string message;
    std::jmp_buf* fatal = nullptr;
};
LibraryProblem* currentProblem = nullptr;

void record(int severity, const char* filename, std::size_t lineno, const char* text)
{
    LibraryProblem& problem = *currentProblem;
    if (severity != PO_SEVERITY_WARNING && problem.message.empty()) {
        if (filename && lineno != static_cast<std::size_t>(-1))
            problem.message = "Line " + std::to_string(lineno) + ": ";
        problem.message += text ? text : "unknown error";
        while (!problem.message.empty() && problem.message.back() == '\n')
            problem.message.pop_back();
    }
    if (severity == PO_SEVERITY_FATAL_ERROR)
        std::longjmp(*problem.fatal, 1);
}

void onProblem(int severity, po_message_t, const char* filename, std::size_t lineno, std::size_t, int,
               const char* text)
{
    record(severity, filename, lineno, text);
}

void onProblem2(int severity, po_message_t, const char* filename1, std::size_t lineno1, std::size_t, int,
                const char* text1, po_message_t, const char*, std::size_t, std::size_t, int, const char*)
{
    record(severity, filename1, lineno1, text1);
}

const po_xerror_handler kHandler = {onProblem, onProblem2};

// Only plain C objects may live between setjmp and the library call, so
// these two wrappers hold nothing that a jump would skip destroying.
po_file_t readCatalogue(const char* path, LibraryProblem& problem)
{
    std::jmp_buf fatal;
    problem.fatal = &fatal;
    currentProblem = &problem;
    if (setjmp(fatal) != 0)
        return nullptr;
    return po_file_read(path, &kHandler);
}

bool writeCatalogue(po_file_t file, const char* path, LibraryProblem& problem)
{
    std::jmp_buf fatal;
    problem.fatal = &fatal;
    currentProblem = &problem;
    if (setjmp(fatal) != 0)
        return false;
    return po_file_write(file, path, &kHandler) != nullptr;
}

struct CatalogueDeleter {
    void operator()(po_file_t file) const { po_file_free(file); }
};
using Catalogue = std::unique_ptr<struct po_file, CatalogueDeleter>;

std::string headerText(const std::string& projectName)
{
    return "Project-Id-Version: " + projectName + "\n"
           "Report-Msgid-Bugs-To: \n"
           "PO-Revision-Date: \n"
           "Last-Translator: \n"
           "Language-Team: \n"
           "Language: \n"
           "MIME-Version: 1.0\n"
           "Content-Type: text/plain; charset=UTF-8\n"
           "Content-Transfer-Encoding: 8bit\n"
           "X-Generator: kalmo " + ownVersionText() + "\n";
}

bool declaresUtf8(const char* header)
{
    if (!header)
        return true;
    char* contentType = po_header_field(header, "Content-Type");
    if (!contentType)
        return true;
    std::string value(contentType);
    std::free(contentType);
    for (char& ch : value)
        ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    const auto at = value.find("charset=");
    return at == std::string::npos || value.compare(at + 8, 5, "utf-8") == 0;
}

// A private temporary file the library writes to; removed when done.
class TemporaryFile {
public:
    TemporaryFile()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "kalmo-po-XXXXXX").string();
        const int fd = ::mkstemp(pattern.data());
        if (fd < 0)
            throw KalmoError("Cannot create a temporary file in \"" + pattern + "\". " + systemReason(errno));
        ::close(fd);
        path_ = pattern;
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    ~TemporaryFile() { ::unlink(path_.c_str()); }
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

} // namespace

void writePoFile(const std::string& path, const std::string& projectName, const std::vector<ExchangeMessage>& messages)
{
    Catalogue catalogue(po_file_create());
    po_message_iterator_t iterator = po_message_iterator(catalogue.get(), nullptr);
    po_message_t header = po_message_create();
    po_message_set_msgid(header, "");
    po_message_set_msgstr(header, headerText(projectName).c_str());
    po_message_insert(iterator, header);
    for (const ExchangeMessage& message : messages) {
        po_message_t entry = po_message_create();
        po_message_set_msgctxt(entry, message.context.c_str());
        po_message_set_msgid(entry, message.source.c_str());
        po_message_set_msgstr(entry, message.translation.c_str());
        if (!message.comment.empty())
            po_message_set_extracted_comments(entry, message.comment.c_str());
        po_message_add_filepos(entry, message.file.c_str(), static_cast<std::size_t>(message.line));
        po_message_set_fuzzy(entry, message.fuzzy);
        po_message_insert(iterator, entry);
    }
    po_message_iterator_free(iterator);

    // The library writes in place; the bytes go to the target through the
    // safe write, so a failure leaves the old file as it was.
    TemporaryFile temporary;
    LibraryProblem problem;
    if (!writeCatalogue(catalogue.get(), temporary.path().c_str(), problem))
        throw cannotCreateFile(path, problem.message);
    writeFileSafely(path, readWholeFile(temporary.path()), Backup::Keep);
}

std::vector<ExchangeMessage> readPoFile(const std::string& path)
{
    // Our own read first, for its reasons: a missing file, a folder, a FIFO.
    const std::string bytes = readWholeFile(path);
    if (bytes.find('\0') != std::string::npos)
        throw cannotOpenFile(path, "It holds a NUL byte, so it is not a PO file");
    LibraryProblem problem;
    Catalogue catalogue(readCatalogue(path.c_str(), problem));
    if (!catalogue || !problem.message.empty())
        throw cannotOpenFile(path, problem.message.empty() ? "It is not a PO file" : problem.message);
    if (!declaresUtf8(po_file_domain_header(catalogue.get(), nullptr)))
        throw cannotOpenFile(path, "Its charset is not UTF-8; convert it with msgconv --to-code=UTF-8");

    std::vector<ExchangeMessage> messages;
    po_message_iterator_t iterator = po_message_iterator(catalogue.get(), nullptr);
    while (po_message_t entry = po_next_message(iterator)) {
        const char* context = po_message_msgctxt(entry);
        if (po_message_is_obsolete(entry) || (!context && std::strlen(po_message_msgid(entry)) == 0))
            continue;
        ExchangeMessage message;
        message.context = context ? context : "";
        message.source = po_message_msgid(entry);
        message.translation = po_message_msgstr(entry);
        message.fuzzy = po_message_is_fuzzy(entry) != 0;
        if (po_filepos_t position = po_message_filepos(entry, 0)) {
            message.file = po_filepos_file(position);
            message.line = static_cast<int>(po_filepos_start_line(position));
        }
        messages.push_back(std::move(message));
    }
    po_message_iterator_free(iterator);
    return messages;
}

} // namespace kalmo::cli
