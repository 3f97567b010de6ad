// The table of kalmo's commands and their help texts.
#include "cli/Command.h"

#include <stdexcept>

namespace kalmo::cli {

const std::vector<Command>& commands()
{
    static const std::vector<Command> table = {
        {"stats", "stats SOURCE [TRANSLATED] [--json]", "count entries, translated and untranslated ones",
         R"(Counts the entries of SOURCE (the define lines the window program stops
on), how many TRANSLATED gives another value than the source (matched by
constant name), how many are untranslated, the lines that are not entries,
and the entries whose value is not a quoted text on one line, which the
translation cannot replace. TRANSLATED defaults to "Translated_" + the
source's name beside it when that file exists. "to review" counts the
translated entries whose source text changed since their translation was
made, as the translation memory recorded it.

  --json   print the counts as a JSON object

Exit status: 0, or 2 when a file cannot be read.
)",
         runStats},
        {"check", "check SOURCE [TRANSLATED] [--json] [--spell LANG] [--ignore CONSTANT:CHECK]... [--all]",
         "find what to fix in a translated file",
         R"(Checks every entry of TRANSLATED against SOURCE and prints one line per
finding, as FILE:LINE: kind: message [check]. The checks:
  php-value        (error) a value PHP does not read back as written: an
                   unescaped quote, a backslash that escapes the closing
                   quote, a "$name" PHP would expand in a double-quoted
                   value, a value not closed on its line or not quoted
  placeholders     printf placeholders (%s, %05.2f, %1$s) and {name} ones
                   that differ from the source's (numbered ones may be
                   reordered), or %% where the source writes % (or back)
  html-tags        tags that differ from the source's, or that do not
                   close in order where the source's do
  entities         a malformed entity (&amp without ;), or one of the
                   source's missing, its character not typed either
  blanks           blanks at the start or end that differ from the
                   source's; doubled blanks the source has not
  end-punctuation  a final . ! ? : or ... where the source has none, or
                   none of its kind (in any script) where it has one
  newlines         another number of \n in a double-quoted value
  duplicate, missing, extra
                   a constant defined twice, missing from the
                   translation, or not in the source
  unchanged        (note) an entry not translated yet; texts of only
                   placeholders, numbers or addresses are not reported
  charset          (note) characters the file's character set cannot
                   hold, which are written as &#N;
  spelling         (note, with --spell) a word the dictionary does not
                   know, with up to three suggestions
The other checks warn. TRANSLATED defaults to "Translated_" + the source's
name beside it; when that does not exist, SOURCE is checked on its own.

  --json                  print the findings as a JSON object
  --spell LANG            check the spelling of the translations with the
                          installed dictionary of LANG (de_DE, fr, ...)
  --ignore CONSTANT:CHECK silence a check for one entry from now on, here
                          and in the window program (kept in
                          $XDG_DATA_HOME/kalmo/silenced, not in the file)
  --all                   show silenced findings too

Exit status: 0 when there is no error and no warning, 1 when there is, 2
when a file cannot be read.
)",
         runCheck},
        {"merge", "merge SOURCE OLD_TRANSLATED [-o OUT] [--old-source OLD_SOURCE]",
         "carry a translation over to a new source version",
         R"(Starts the translation of a new version of SOURCE from OLD_TRANSLATED, the
translation of an older version. The result is the source's lines, where
each entry whose constant OLD_TRANSLATED translated (gave another value than
the source) takes the old file's line. Constants new in the source keep the
source's line; constants only in the old file are reported and dropped.
When both files have the same lines and the same constant on every entry
line, the result is OLD_TRANSLATED as it is.

  -o OUT   the file to write; "Translated_" + the source's name beside it
           by default. An existing file is kept as OUT.bak.
  --old-source OLD_SOURCE
           the source OLD_TRANSLATED was translated from: each constant
           carried over whose source text differs there is reported as
           "source changed", and the translation memory records the old
           texts, so the window program shows those entries to review.

The result has the source file's line ends and character set. Prints each
constant carried over, new and dropped.

Exit status: 0, or 2 when a file cannot be read or written.
)",
         runMerge},
        {"export", "export SOURCE [TRANSLATED] -o OUT.po", "write a PO file for other translation tools",
         R"(Writes one PO message per constant of SOURCE for Poedit, Lokalize, Weblate
and every other gettext tool: msgctxt the constant name, msgid the source
text, msgstr the translation from TRANSLATED (empty while untranslated),
with PHP's escapes undone, and a reference to the source line. TRANSLATED
defaults to "Translated_" + the source's name beside it when that exists.
An entry whose value is not a quoted text on one line is exported as its
whole line with a comment saying that import leaves it. An existing OUT.po
is kept as OUT.po.bak.

Exit status: 0, or 2 when a file cannot be read or written.
)",
         runExport},
        {"import", "import SOURCE IN.po [-o OUT]", "write the translations of a PO file back",
         R"(Writes the translations of IN.po into OUT, by default "Translated_" + the
source's name beside it. OUT as it stands is the starting point (the
source when OUT does not exist yet); each message whose msgstr differs from
what export would write rewrites its entry's value, escaped for PHP as the
window program escapes a typed translation, and an emptied msgstr puts the
source text back. Lines of messages that did not change stay byte for byte
as they are. Fuzzy messages and entries whose value is not a quoted text
on one line are skipped with a warning. An existing OUT is kept as OUT.bak.

Exit status: 0, 1 when a translation was skipped (each is named in a
warning), 2 when a file cannot be read or written.
)",
         runImport},
        {"script", "script", "drive one translation job from standard input",
         R"(Reads commands from standard input, one per line, drives one
translation job exactly as the window program does, and prints the state
after each command. While there is unsaved work it keeps a recovery
journal in $XDG_STATE_HOME/kalmo/recovery, as the window program does.
  load PATH      File > Load Source File, the dialog answering PATH; when
                 Translated_ + its name holds an earlier translation
                 this run did not write, the question about it is
                 answered "Start Over" unless `answer` says otherwise
  load-as SET PATH
                 load PATH read in the character set SET (as iconv
                 names it, e.g. windows-1251 or ISO-8859-2), which
                 stays PATH's set; prints "encoding: " and the set
  reload-as SET  File > Reload with Encoding, choosing SET
  encoding       print the loaded file's character set
  load-cancel    File > Load Source File, the dialog cancelled
  continue PATH  File > Continue Translation, the dialog answering PATH
                 (a source file or its Translated_ file); prints a
                 "note: " line for each constant no longer in the source
  save           File > Save: writes "Translated_" + file name now
  save-as PATH   File > Save As, the dialog answering PATH: writes
                 there, and save and exit write there from then on
  recover PATH   loads the work the recovery journal of PATH holds
  type TEXT      the translation field's text becomes TEXT
  key NAME       Enter, Up, Down, F1 or F2 on the main window
  exit           File > Exit: writes "Translated_" + file name; when
                 that fails it asks: Save As…, Quit Without Saving
                 or Cancel (the default)
  next-untranslated, previous-untranslated
                 Navigate > Next (Previous) Untranslated: the next
                 (previous) entry that still holds its source text
  find TEXT      Navigate > Find, the dialog answering TEXT
  find-next      Navigate > Find Next
  progress       print "progress: translated N of M", with ", R to
                 review" when R entries' source texts changed since
                 their translation, and " *" while there are unsaved
                 changes
  problems       print every finding of the checks on the translation
                 as it stands, as `kalmo check` prints them (View >
                 Problems)
  checks         print the findings of the entry on show, its field
                 holding what `type` typed
  next-problem, previous-problem
                 Navigate > Next (Previous) Problem: the next (previous)
                 entry with an error or a warning, on from the other end
  ignore CONSTANT:CHECK
                 silence a check for one entry of the file, for good
  pane-key NAME [Shift] [Ctrl] [Alt]
                 one key press in the viewer's lower pane: Left Right
                 Up Down Home End PageUp PageDown Backspace Delete
                 Insert Tab Escape Enter F2 F3, or a letter or digit
  pane-type TEXT one character per character of TEXT in the lower pane
  clipboard TEXT the clipboard's text becomes TEXT (\n \r \t \\ escapes)
  language LL    Tools > Translation Language: the translated file's
                 language becomes LL, remembered for the file
  suggestions    print the translation memory's suggestions for the entry
                 on show, "suggestion N: SCORE% TEXT", and for an entry
                 to review "old source: " and "new source: "
  use-suggestion N
                 Ctrl+N: the translation field takes suggestion N
  fill-from-memory
                 Tools > Fill from Memory; prints how many entries took a
                 translation as a "note: " line
  next-to-review Navigate > Next To Review: the next entry whose source
                 text changed since its translation was made
  answer CAPTION the next question the program asks is answered with the
                 button CAPTION (without one, its default answer); each
                 question asked prints "question: TEXT -> ANSWER"
  panes          print both panes' caret, scroll and selection state,
                 the lower pane's lines (| ) and the working lines (|| )

Like the window program, a script holds a lock file beside the file it has
loaded (.~lock.NAME#) and asks before loading one another running program
holds, and keeps what each save translated in the translation memory in
$XDG_DATA_HOME/kalmo/memory.sqlite.
)",
         runScript},
        {"pretranslate", "pretranslate SOURCE [TRANSLATED] --lang LL [-o OUT]",
         "fill untranslated entries from the translation memory",
         R"(Every untranslated entry of TRANSLATED whose source text the translation
memory holds for language LL takes the memory's translation: the record of
the same constant first, else the newest. Translations are written as
kalmo import writes them; every other line stays byte for byte. TRANSLATED
defaults to "Translated_" + the source's name beside it when that exists,
else the source is the starting point.

  --lang LL  the translation's language, e.g. de or pt_BR
  -o OUT     the file to write; TRANSLATED by default. An existing file is
             kept as OUT.bak.

Exit status: 0, 1 when a translation was skipped (each is named in a
warning), 2 when a file cannot be read or written.
)",
         runPretranslate},
        {"memory", "memory add|add-dir|export|import|stats ...", "fill, exchange and count the translation memory",
         R"(The translation memory is one SQLite database per user,
$XDG_DATA_HOME/kalmo/memory.sqlite (~/.local/share/kalmo/ by default),
which the window program fills at every save and asks for suggestions.

  kalmo memory add SOURCE [TRANSLATED] --lang LL
      puts every translated entry of TRANSLATED ("Translated_" + the
      source's name beside it by default) into the memory as a translation
      into LL, and records the source texts they were made from
  kalmo memory add-dir DIR --lang LL [--from NAME --to NAME]
      the same for every X.php under DIR with a Translated_X.php beside
      it, and with --from and --to for every folder holding both files,
      e.g. --from english.php --to german.php
  kalmo memory export --lang LL [--source-lang LL] -o FILE.tmx
      writes the memory's records of LL as TMX 1.4; the source texts are
      marked as --source-lang (en by default). An existing file is kept
      as FILE.tmx.bak.
  kalmo memory import FILE.tmx
      reads the translation units of a TMX file into the memory; the
      source variant is the one in the unit's or the header's srclang,
      else the first
  kalmo memory stats
      prints where the memory is and how many records it holds per
      language

A record of the same language, source text and constant as one held
replaces it when it is newer. A memory that is damaged is moved aside as
memory.sqlite.broken-DATE and a new one started.

Exit status: 0, 1 when some files or records were left out (each is
named), 2 on errors.
)",
         runMemory},
    };
    return table;
}

const Command& commandNamed(const std::string& name)
{
    for (const Command& command : commands()) {
        if (name == command.name)
            return command;
    }
    throw std::logic_error("no command " + name);
}

} // namespace kalmo::cli
