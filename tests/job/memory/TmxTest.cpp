// TMX written for other tools and read back from them: a round trip, files
// without srclang, entities, CDATA and inline codes, and input that is no TMX.
#include "job/memory/Tmx.h"
#include "testing/CaseNames.h"
#include "testing/ShellCommand.h"
#include "testing/TempFolder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kalmo {
namespace {

using testing_support::runShellCommand;
using testing_support::shellQuoted;
using testing_support::TempFolder;

// The parts of the TMX 1.4 document type that a memory of plain texts uses:
// the header's required attributes, units of properties and variants, and
// segments with inline codes.
const char* const kTmxTypes = R"DTD(
<!ELEMENT tmx (header, body)>
<!ATTLIST tmx version CDATA #REQUIRED>
<!ELEMENT header (note|prop|ude)*>
<!ATTLIST header creationtool CDATA #REQUIRED creationtoolversion CDATA #REQUIRED
  segtype (block|paragraph|sentence|phrase) #REQUIRED o-tmf CDATA #REQUIRED adminlang CDATA #REQUIRED
  srclang CDATA #REQUIRED datatype CDATA #REQUIRED>
<!ELEMENT note (#PCDATA)>
<!ELEMENT ude ANY>
<!ELEMENT prop (#PCDATA)>
<!ATTLIST prop type CDATA #REQUIRED>
<!ELEMENT body (tu*)>
<!ELEMENT tu ((note|prop)*, tuv+)>
<!ATTLIST tu tuid CDATA #IMPLIED srclang CDATA #IMPLIED changedate CDATA #IMPLIED creationdate CDATA #IMPLIED>
<!ELEMENT tuv ((note|prop)*, seg)>
<!ATTLIST tuv xml:lang CDATA #REQUIRED changedate CDATA #IMPLIED>
<!ELEMENT seg (#PCDATA|bpt|ept|it|ph|hi)*>
<!ELEMENT bpt (#PCDATA)> <!ELEMENT ept (#PCDATA)> <!ELEMENT it (#PCDATA)> <!ELEMENT ph (#PCDATA)>
<!ELEMENT hi (#PCDATA|bpt|ept|it|ph|hi)*>
)DTD";

MemoryRecord record(const std::string& language, const std::string& source, const std::string& translation,
                    const std::string& constant, std::int64_t time)
{
    return {language, source, translation, constant, "lang_en.php", time, 0};
}

TEST(Tmx, WrittenRecordsAreValidTmxAndComeBackAsTheyWere)
{
    const std::vector<MemoryRecord> records = {
        record("de", "Delete \"%s\"? <b>Sure</b> & done", "\"%s\" l\xC3\xB6schen? <b>Sicher</b> & fertig", "_DEL",
               1'700'000'000),
        record("pt_BR", "Line one\nline two\ttab", "Linha um\nlinha dois\ttab", "", 1'700'000'100),
        record("de", "Bell \x07 rings", "Glocke", "_BELL", 5),
    };
    const TmxDocument document = tmxDocumentOf(records, "en", "1.0.0.0");
    EXPECT_EQ(document.skipped, 1); // XML holds no bell character

    TempFolder folder;
    const std::string tmx = folder.write("memory.tmx", document.text);
    const std::string types = folder.write("tmx14-parts.dtd", kTmxTypes);
    const auto valid = runShellCommand("xmllint --noout --dtdvalid " + shellQuoted(types) + " " + shellQuoted(tmx));
    EXPECT_TRUE(valid.succeeded()) << valid.output << document.text;

    const TmxContent back = readTmx(document.text, "memory.tmx", 0);
    EXPECT_EQ(back.skipped, 0);
    ASSERT_EQ(back.records.size(), 2u);
    for (std::size_t i = 0; i < 2; ++i) {
        EXPECT_EQ(back.records[i].language, records[i].language);
        EXPECT_EQ(back.records[i].source, records[i].source);
        EXPECT_EQ(back.records[i].translation, records[i].translation);
        EXPECT_EQ(back.records[i].constant, records[i].constant);
        EXPECT_EQ(back.records[i].file, records[i].file);
        EXPECT_EQ(back.records[i].time, records[i].time);
    }
}

TEST(Tmx, AnotherToolsFileWithoutSrclangKeepsTheTextOfEntitiesCdataAndInlineCodes)
{
    const std::string other = R"(<?xml version="1.0"?>
<!DOCTYPE tmx [ <!ENTITY product "KALMO"> ]>
<tmx version="1.4">
  <header creationtool="Other" creationtoolversion="2" segtype="sentence" o-tmf="x" adminlang="en-US"
          datatype="html"/>
  <body>
    <tu creationdate="20200101T000000Z">
      <tuv xml:lang="en-US"><seg>Welcome to &product;, &lt;friend&gt;</seg></tuv>
      <tuv xml:lang="de-DE"><seg>Willkommen bei &product;, <![CDATA[<Freund>]]></seg></tuv>
      <tuv xml:lang="fr"><seg>Bienvenue &#224; &product;</seg></tuv>
    </tu>
    <tu srclang="en">
      <tuv lang="de"><seg>Zeile<ph x="1">&lt;br/&gt;</ph>umbrochen <bpt i="1">&lt;b&gt;</bpt>fett<ept i="1">&lt;/b&gt;</ept></seg></tuv>
      <tuv lang="en"><seg>Line<ph x="1">&lt;br/&gt;</ph>broken <bpt i="1">&lt;b&gt;</bpt>bold<ept i="1">&lt;/b&gt;</ept></seg></tuv>
      <tuv lang="xx-unknown"><seg>?</seg></tuv>
    </tu>
  </body>
</tmx>)";
    const TmxContent content = readTmx(other, "other.tmx", 42);
    ASSERT_EQ(content.records.size(), 3u);
    EXPECT_EQ(content.records[0].language, "de_DE");
    EXPECT_EQ(content.records[0].source, "Welcome to KALMO, <friend>");
    EXPECT_EQ(content.records[0].translation, "Willkommen bei KALMO, <Freund>");
    EXPECT_EQ(content.records[0].time, 1'577'836'800);
    EXPECT_EQ(content.records[1].language, "fr");
    EXPECT_EQ(content.records[1].translation, "Bienvenue \xC3\xA0 KALMO");
    // The unit names its source language, which is not its first variant.
    EXPECT_EQ(content.records[2].language, "de");
    EXPECT_EQ(content.records[2].source, "Line<br/>broken <b>bold</b>");
    EXPECT_EQ(content.records[2].translation, "Zeile<br/>umbrochen <b>fett</b>");
    EXPECT_EQ(content.records[2].time, 42);
    EXPECT_EQ(content.skipped, 1);
}

struct BadTmxCase {
    const char* what;
    const char* text;
    const char* message;
};

class BadTmxTest : public testing::TestWithParam<BadTmxCase> {};

TEST_P(BadTmxTest, IsRefusedNamingTheFileAndWhy)
{
    try {
        readTmx(GetParam().text, "bad.tmx", 0);
        FAIL() << "no error";
    } catch (const KalmoError& error) {
        const std::string message = error.what();
        EXPECT_NE(message.find("\"bad.tmx\" is not a TMX file"), std::string::npos) << message;
        EXPECT_NE(message.find(GetParam().message), std::string::npos) << message;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Files, BadTmxTest,
    testing::Values(BadTmxCase{"not xml", "Save;Speichern\n", "line 1"},
                    BadTmxCase{"unclosed element", "<tmx version=\"1.4\"><body>\n<tu>\n</tmx>", "line 3"},
                    BadTmxCase{"an entity no one declared", "<tmx><body><tu><tuv xml:lang=\"en\"><seg>&nbsp;</seg>"
                                                             "</tuv></tu></body></tmx>",
                               "nbsp"},
                    BadTmxCase{"another document", "<xliff version=\"1.2\"/>", "its root element is not <tmx>"},
                    BadTmxCase{"no body", "<tmx version=\"1.4\"><header/></tmx>", "it has no <body>"}),
    testing_support::NameFrom<&BadTmxCase::what>{});

TEST(Tmx, NoEntityIsReadFromOutsideTheFile)
{
    TempFolder folder;
    const std::string secret = folder.write("secret.txt", "the secret");
    const std::string text = "<!DOCTYPE tmx [<!ENTITY x SYSTEM \"" + secret + "\">]><tmx><body><tu>"
                             "<tuv xml:lang=\"en\"><seg>a &x;</seg></tuv><tuv xml:lang=\"de\"><seg>b &x;</seg></tuv>"
                             "</tu></body></tmx>";
    try {
        for (const MemoryRecord& found : readTmx(text, "bad.tmx", 0).records)
            EXPECT_EQ(found.source.find("secret"), std::string::npos) << found.source;
    } catch (const KalmoError& error) {
        EXPECT_NE(std::string(error.what()).find("bad.tmx"), std::string::npos);
    }
}

} // namespace
} // namespace kalmo
