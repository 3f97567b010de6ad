// TMX 1.4, the file format in which translation tools exchange their
// memories, written by `kalmo memory export` and read by `kalmo memory
// import`. Reading goes through libxml2: a file from another tool may hold
// entities, CDATA sections and inline codes (<ph>, <bpt>, <ept>, <it>, <ut>,
// <hi>, <sub>), whose text is kept as part of the segment.
#pragma once

#include "job/memory/MemoryStore.h"

#include <cstdint>
#include <string>
#include <vector>

namespace kalmo {

struct TmxDocument {
    std::string text;
    int skipped = 0; // records whose texts XML cannot hold (control characters, bytes that are not UTF-8)
};

// One translation unit per record: the source text in sourceLanguage, the
// translation in the record's language, the constant and the file as
// properties (x-kalmo-constant, x-kalmo-file), the time as changedate.
TmxDocument tmxDocumentOf(const std::vector<MemoryRecord>& records, const std::string& sourceLanguage,
                          const std::string& toolVersion);

struct TmxContent {
    std::vector<MemoryRecord> records;
    int skipped = 0; // variants without a language tag or a text
};

// The records of a TMX document: in each unit the variant in the unit's or
// the header's source language (the first variant when neither names one
// or none is in it) is the source, every other variant a translation into
// its language. A time comes from changedate or creationdate, else `now`.
// Throws KalmoError naming the file and line for a document that is not
// well-formed XML or not TMX. No entity is loaded from outside the file.
TmxContent readTmx(const std::string& bytes, const std::string& fileName, std::int64_t now);

} // namespace kalmo
