// The translation as messages for other translation tools; see TranslationExchange.h.
#include "job/TranslationExchange.h"

#include "job/EntryList.h"
#include "job/PhpString.h"

#include <algorithm>
#include <limits>

namespace kalmo {
namespace {

const char* const kWholeLineComment
    = "This line holds no one-line text: the value is not a quoted text closed on its line. "
      "kalmo import leaves it as it stands; edit it in the language file.";

const char* const kLineBreakComment
    = "The translation starts or ends with a line break where the source text does not, or the other way round.";

bool disagreeOnLineBreaks(std::string_view a, std::string_view b)
{
    return a.starts_with('\n') != b.starts_with('\n') || a.ends_with('\n') != b.ends_with('\n');
}

std::string textOf(const LineList& lines, const Entry& entry)
{
    return unescapePhpString(entryValue(lines, entry), entry.quotes.valueQuote);
}

const std::string& lineOf(const LineList& lines, const Entry& entry)
{
    return lines[static_cast<std::size_t>(entry.line)];
}

// The pair of texts a message carries for a source entry and its entry in
// the translated lines (null when it has none).
struct MessageTexts {
    std::string source;
    std::string translation;
    bool wholeLine = false;
};

MessageTexts messageTexts(const LineList& source, const Entry& entry, const LineList& translated,
                          const Entry* translatedEntry)
{
    MessageTexts texts;
    texts.wholeLine = !entry.rebuildable;
    if (texts.wholeLine) {
        texts.source = lineOf(source, entry);
        if (translatedEntry && lineOf(translated, *translatedEntry) != texts.source)
            texts.translation = lineOf(translated, *translatedEntry);
        return texts;
    }
    texts.source = textOf(source, entry);
    if (translatedEntry && isTranslated(source, entry, translated, *translatedEntry)) {
        texts.translation = translatedEntry->rebuildable ? textOf(translated, *translatedEntry)
                                                         : lineOf(translated, *translatedEntry);
    }
    return texts;
}

const Entry* entryNamed(const std::vector<Entry>& entries, const EntryIndex& byName, const std::string& name)
{
    const std::size_t found = byName.find(name);
    return found == EntryIndex::npos ? nullptr : &entries[found];
}

} // namespace

bool ExchangeImport::skippedAny() const
{
    return std::any_of(findings.begin(), findings.end(),
                       [](const Finding& finding) { return finding.kind != FindingKind::Note; });
}

ExchangeExport exportMessages(const std::string& sourceName, const LineList& source, const LineList* translated)
{
    const LineList& other = translated ? *translated : source;
    const std::vector<Entry> sourceEntries = listEntries(source);
    const std::vector<Entry> translatedEntries = listEntries(other);
    const EntryIndex sourceByName(sourceEntries);
    const EntryIndex translatedByName(translatedEntries);

    ExchangeExport result;
    for (const Entry& entry : sourceEntries) {
        const Entry& first = sourceEntries[sourceByName.find(entry.name)];
        if (&first != &entry) {
            // One message per constant: PHP keeps the first definition.
            result.findings.push_back({sourceName, entry.line + 1, FindingKind::Warning,
                                       entry.name + " is defined again (first at line " + std::to_string(first.line + 1)
                                           + "); only the first is exported",
                                       {}, entry.name});
            continue;
        }
        const MessageTexts texts
            = messageTexts(source, entry, other, entryNamed(translatedEntries, translatedByName, entry.name));
        ExchangeMessage message;
        message.context = entry.name;
        message.source = texts.source;
        message.translation = texts.translation;
        message.comment = texts.wholeLine ? kWholeLineComment : "";
        message.wholeLine = texts.wholeLine;
        // Catalogue tools refuse a translation that starts or ends with a
        // line break where its source does not (or the other way round)
        // unless a translator still has to look at it.
        if (!message.translation.empty() && disagreeOnLineBreaks(message.source, message.translation)) {
            message.fuzzy = true;
            message.comment = kLineBreakComment;
        }
        message.file = fileNameOf(sourceName);
        message.line = entry.line + 1;
        result.messages.push_back(std::move(message));
    }
    return result;
}

ExchangeImport importMessages(const LineList& source, const std::string& baseName, const LineList& base,
                              const std::vector<ExchangeMessage>& messages)
{
    const std::vector<Entry> sourceEntries = listEntries(source);
    const std::vector<Entry> baseEntries = listEntries(base);
    const EntryIndex sourceByName(sourceEntries);
    const EntryIndex baseByName(baseEntries);

    ExchangeImport result;
    result.lines = base;
    const auto warn = [&](const Entry* at, const std::string& name, const std::string& why) {
        result.findings.push_back({baseName, at ? at->line + 1 : 0, FindingKind::Warning,
                                   "the translation of " + name + " was not written: " + why, {}, name});
    };
    for (const ExchangeMessage& message : messages) {
        const std::string& name = message.context;
        const Entry* sourceEntry = entryNamed(sourceEntries, sourceByName, name);
        const Entry* baseEntry = entryNamed(baseEntries, baseByName, name);
        if (!sourceEntry || !baseEntry) {
            if (!message.translation.empty())
                warn(baseEntry, name, sourceEntry ? "the constant is not in this file" : "the constant is not in the source");
            continue;
        }
        const MessageTexts exported = messageTexts(source, *sourceEntry, base, baseEntry);
        if (message.translation == exported.translation)
            continue;
        if (message.fuzzy) {
            warn(baseEntry, name, "it is marked fuzzy");
            continue;
        }
        if (exported.wholeLine || !baseEntry->rebuildable) {
            warn(baseEntry, name, "its line holds no one-line text; edit it in the language file");
            continue;
        }
        if (message.source != exported.source) {
            result.findings.push_back({baseName, baseEntry->line + 1, FindingKind::Note,
                                       "the source text of " + name + " changed since the export", {}, name});
        }
        // An emptied translation is the way back to the untranslated entry.
        const std::string text = message.translation.empty() ? exported.source : message.translation;
        const char quote = baseEntry->quotes.valueQuote;
        const auto prepared = textForCommit(text, quote);
        if (!prepared) {
            warn(baseEntry, name, "it holds a line break, which a '-quoted value cannot hold on its line");
            continue;
        }
        std::string& line = result.lines[static_cast<std::size_t>(baseEntry->line)];
        const auto rebuilt = rebuildWithTranslation(line, baseEntry->quotes, *prepared);
        // Written only when the parser and PHP read back exactly the text.
        const LineList check{"<?php", rebuilt.value_or(std::string())};
        const std::vector<Entry> readBack = listEntries(check);
        if (!rebuilt || readBack.size() != 1 || readBack[0].name != name || !readBack[0].rebuildable
            || textOf(check, readBack[0]) != text) {
            warn(baseEntry, name, "the line could not be rebuilt so that PHP reads the text back");
            continue;
        }
        line = *rebuilt;
        ++result.written;
    }
    // In file order; those of no line (constants the file lacks) last.
    const auto order = [](const Finding& finding) {
        return finding.line == 0 ? std::numeric_limits<int>::max() : finding.line;
    };
    std::stable_sort(result.findings.begin(), result.findings.end(),
                     [&](const Finding& a, const Finding& b) { return order(a) < order(b); });
    return result;
}

} // namespace kalmo
