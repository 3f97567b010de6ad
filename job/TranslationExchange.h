// The translation as messages for other translation tools: one message per
// constant with the source text and its translation as PHP shows them (the
// literals' escapes undone), and the way back into the translated lines
// through the commit's own rebuild. The catalogue file format is the
// caller's; these are plain data.
#pragma once

#include "job/Finding.h"
#include "job/LineList.h"

#include <string>
#include <vector>

namespace kalmo {

struct ExchangeMessage {
    std::string context;     // the constant name
    std::string source;      // the source text
    std::string translation; // empty while untranslated
    std::string comment;     // for the translator
    std::string file;        // where the source entry stands
    int line = 0;            // counted from 1
    bool fuzzy = false;
    // The value is no quoted text on one line: source and translation are
    // whole lines, which no import writes.
    bool wholeLine = false;
};

struct ExchangeExport {
    std::vector<ExchangeMessage> messages;
    std::vector<Finding> findings;
};

// One message per constant of the source, in source order. An entry whose
// value the commit cannot replace carries its whole line as source text,
// the translated line (when it differs) as translation, and a comment
// saying the import leaves it. translated may be null (nothing translated).
ExchangeExport exportMessages(const std::string& sourceName, const LineList& source, const LineList* translated);

struct ExchangeImport {
    LineList lines;
    int written = 0; // entries whose line changed
    std::vector<Finding> findings;
    bool skippedAny() const;
};

// The translated lines (base) with every changed message written into its
// entry: a message whose translation is what exportMessages gives for base
// leaves the line byte for byte; an emptied translation puts the source
// text back. Messages that cannot be written are skipped with a warning
// named after baseName.
ExchangeImport importMessages(const LineList& source, const std::string& baseName, const LineList& base,
                              const std::vector<ExchangeMessage>& messages);

} // namespace kalmo
