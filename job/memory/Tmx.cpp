// Reading and writing TMX with libxml2; see Tmx.h.
#include "job/memory/Tmx.h"

#include "base/Utf8Codec.h"
#include "job/TranslationLanguage.h"

#include <libxml/parser.h>
#include <libxml/tree.h>
#include <libxml/xmlerror.h>
#include <libxml/xmlwriter.h>

#include <cstring>
#include <ctime>
#include <memory>
#include <optional>

namespace kalmo {
namespace {

const char* const kConstantProperty = "x-kalmo-constant";
const char* const kFileProperty = "x-kalmo-file";

const xmlChar* xml(const char* text) { return reinterpret_cast<const xmlChar*>(text); }
const xmlChar* xml(const std::string& text) { return xml(text.c_str()); }

// XML 1.0 holds no control character but tab and line breaks.
bool fitsXml(const std::string& text)
{
    if (!isValidUtf8(text))
        return false;
    for (const char ch : text) {
        const auto byte = static_cast<unsigned char>(ch);
        if (byte < 0x20 && byte != '\t' && byte != '\n' && byte != '\r')
            return false;
    }
    return true;
}

// "de_DE" as TMX writes it: "de-DE".
std::string tmxLanguage(std::string tag)
{
    for (char& ch : tag)
        if (ch == '_')
            ch = '-';
    return tag;
}

std::string tmxTime(std::int64_t seconds)
{
    const auto time = static_cast<std::time_t>(seconds);
    std::tm utc{};
    gmtime_r(&time, &utc);
    char text[32];
    std::strftime(text, sizeof text, "%Y%m%dT%H%M%SZ", &utc);
    return text;
}

std::optional<std::int64_t> parseTmxTime(const std::string& text)
{
    std::tm utc{};
    const char* end = strptime(text.c_str(), "%Y%m%dT%H%M%SZ", &utc);
    if (end == nullptr || *end != '\0')
        return std::nullopt;
    return static_cast<std::int64_t>(timegm(&utc));
}

struct WriterDeleter {
    void operator()(xmlTextWriter* writer) const { xmlFreeTextWriter(writer); }
};
struct BufferDeleter {
    void operator()(xmlBuffer* buffer) const { xmlBufferFree(buffer); }
};
struct DocumentDeleter {
    void operator()(xmlDoc* document) const { xmlFreeDoc(document); }
};

void writeTuv(xmlTextWriter* writer, const std::string& language, const std::string& text)
{
    xmlTextWriterStartElement(writer, xml("tuv"));
    xmlTextWriterWriteAttribute(writer, xml("xml:lang"), xml(tmxLanguage(language)));
    xmlTextWriterWriteElement(writer, xml("seg"), xml(text));
    xmlTextWriterEndElement(writer);
}

void writeProperty(xmlTextWriter* writer, const char* type, const std::string& value)
{
    if (value.empty())
        return;
    xmlTextWriterStartElement(writer, xml("prop"));
    xmlTextWriterWriteAttribute(writer, xml("type"), xml(type));
    xmlTextWriterWriteString(writer, xml(value));
    xmlTextWriterEndElement(writer);
}

// An attribute's value, or empty.
std::string attribute(xmlNode* node, const char* name, const xmlChar* space = nullptr)
{
    xmlChar* value = space ? xmlGetNsProp(node, xml(name), space) : xmlGetNoNsProp(node, xml(name));
    if (!value)
        return {};
    std::string text(reinterpret_cast<const char*>(value));
    xmlFree(value);
    return text;
}

std::string textOf(xmlNode* node)
{
    xmlChar* content = xmlNodeGetContent(node);
    if (!content)
        return {};
    std::string text(reinterpret_cast<const char*>(content));
    xmlFree(content);
    return text;
}

bool named(const xmlNode* node, const char* name)
{
    return node->type == XML_ELEMENT_NODE && std::strcmp(reinterpret_cast<const char*>(node->name), name) == 0;
}

xmlNode* childNamed(xmlNode* parent, const char* name)
{
    for (xmlNode* child = parent->children; child; child = child->next)
        if (named(child, name))
            return child;
    return nullptr;
}

// A variant's language: xml:lang, or lang as TMX 1.1 wrote it.
std::string languageOf(xmlNode* tuv)
{
    std::string language = attribute(tuv, "lang", XML_XML_NAMESPACE);
    return language.empty() ? attribute(tuv, "lang") : language;
}

std::int64_t timeOf(xmlNode* node, std::int64_t fallback)
{
    for (const char* name : {"changedate", "creationdate"})
        if (const auto time = parseTmxTime(attribute(node, name)))
            return *time;
    return fallback;
}

// External entities and DTDs are never read: a memory file names no other file.
xmlParserInput* refuseExternalEntity(const char*, const char*, xmlParserCtxt*)
{
    return nullptr;
}

struct ParseErrors {
    std::string first;
    static void collect(void* context, xmlError* error)
    {
        auto* errors = static_cast<ParseErrors*>(context);
        if (!errors->first.empty() || error == nullptr || error->level < XML_ERR_ERROR)
            return;
        std::string message = error->message ? error->message : "not well-formed";
        while (!message.empty() && message.back() == '\n')
            message.pop_back();
        errors->first = "line " + std::to_string(error->line) + ": " + message;
    }
};

} // namespace

TmxDocument tmxDocumentOf(const std::vector<MemoryRecord>& records, const std::string& sourceLanguage,
                          const std::string& toolVersion)
{
    TmxDocument document;
    const std::unique_ptr<xmlBuffer, BufferDeleter> buffer(xmlBufferCreate());
    const std::unique_ptr<xmlTextWriter, WriterDeleter> writer(xmlNewTextWriterMemory(buffer.get(), 0));
    xmlTextWriterSetIndent(writer.get(), 1);
    xmlTextWriterSetIndentString(writer.get(), xml("  "));
    xmlTextWriterStartDocument(writer.get(), "1.0", "UTF-8", nullptr);
    xmlTextWriterStartElement(writer.get(), xml("tmx"));
    xmlTextWriterWriteAttribute(writer.get(), xml("version"), xml("1.4"));
    xmlTextWriterStartElement(writer.get(), xml("header"));
    const std::pair<const char*, std::string> header[] = {
        {"creationtool", "KALMO Translator"}, {"creationtoolversion", toolVersion},
        {"datatype", "plaintext"},            {"segtype", "sentence"},
        {"adminlang", "en"},                  {"srclang", tmxLanguage(sourceLanguage)},
        {"o-tmf", "KALMO translation memory"},
    };
    for (const auto& [name, value] : header)
        xmlTextWriterWriteAttribute(writer.get(), xml(name), xml(value));
    xmlTextWriterEndElement(writer.get());
    xmlTextWriterStartElement(writer.get(), xml("body"));
    for (const MemoryRecord& record : records) {
        if (!fitsXml(record.source) || !fitsXml(record.translation) || !fitsXml(record.constant)
            || !fitsXml(record.file)) {
            ++document.skipped;
            continue;
        }
        xmlTextWriterStartElement(writer.get(), xml("tu"));
        xmlTextWriterWriteAttribute(writer.get(), xml("changedate"), xml(tmxTime(record.time)));
        writeProperty(writer.get(), kConstantProperty, record.constant);
        writeProperty(writer.get(), kFileProperty, record.file);
        writeTuv(writer.get(), sourceLanguage, record.source);
        writeTuv(writer.get(), record.language, record.translation);
        xmlTextWriterEndElement(writer.get());
    }
    xmlTextWriterEndDocument(writer.get());
    xmlTextWriterFlush(writer.get());
    document.text.assign(reinterpret_cast<const char*>(xmlBufferContent(buffer.get())),
                         static_cast<std::size_t>(xmlBufferLength(buffer.get())));
    return document;
}

TmxContent readTmx(const std::string& bytes, const std::string& fileName, std::int64_t now)
{
    ParseErrors errors;
    xmlSetStructuredErrorFunc(&errors, &ParseErrors::collect);
    const xmlExternalEntityLoader previousLoader = xmlGetExternalEntityLoader();
    xmlSetExternalEntityLoader(&refuseExternalEntity);
    const std::unique_ptr<xmlDoc, DocumentDeleter> document(
        xmlReadMemory(bytes.data(), static_cast<int>(bytes.size()), fileName.c_str(), nullptr,
                      XML_PARSE_NONET | XML_PARSE_NOENT | XML_PARSE_NOCDATA));
    xmlSetExternalEntityLoader(previousLoader);
    xmlSetStructuredErrorFunc(nullptr, nullptr);
    if (!document) {
        throw KalmoError("\"" + fileName + "\" is not a TMX file: "
                         + (errors.first.empty() ? std::string("it is not well-formed XML") : errors.first));
    }
    xmlNode* root = xmlDocGetRootElement(document.get());
    xmlNode* body = root && named(root, "tmx") ? childNamed(root, "body") : nullptr;
    if (!body) {
        throw KalmoError("\"" + fileName + "\" is not a TMX file: "
                         + (root && named(root, "tmx") ? std::string("it has no <body>")
                                                       : "its root element is not <tmx>"));
    }
    xmlNode* header = childNamed(root, "header");
    const std::string headerSource = header ? attribute(header, "srclang") : std::string();

    TmxContent content;
    for (xmlNode* unit = body->children; unit; unit = unit->next) {
        if (!named(unit, "tu"))
            continue;
        std::string constant;
        std::string file;
        std::vector<xmlNode*> variants;
        for (xmlNode* child = unit->children; child; child = child->next) {
            if (named(child, "tuv"))
                variants.push_back(child);
            else if (named(child, "prop") && attribute(child, "type") == kConstantProperty)
                constant = textOf(child);
            else if (named(child, "prop") && attribute(child, "type") == kFileProperty)
                file = textOf(child);
        }
        if (variants.empty())
            continue;
        std::string sourceLanguage = attribute(unit, "srclang");
        if (sourceLanguage.empty())
            sourceLanguage = headerSource;
        const std::string sourceTag = normalizeLanguageTag(sourceLanguage);
        xmlNode* source = variants.front();
        for (xmlNode* variant : variants)
            if (!sourceTag.empty() && normalizeLanguageTag(languageOf(variant)) == sourceTag) {
                source = variant;
                break;
            }
        xmlNode* sourceSegment = childNamed(source, "seg");
        const std::string sourceText = sourceSegment ? textOf(sourceSegment) : std::string();
        for (xmlNode* variant : variants) {
            if (variant == source)
                continue;
            xmlNode* segment = childNamed(variant, "seg");
            const std::string language = normalizeLanguageTag(languageOf(variant));
            const std::string translation = segment ? textOf(segment) : std::string();
            if (language.empty() || sourceText.empty() || translation.empty()) {
                ++content.skipped;
                continue;
            }
            content.records.push_back(
                {language, sourceText, translation, constant, file, timeOf(variant, timeOf(unit, now)), 0});
        }
    }
    return content;
}

} // namespace kalmo
