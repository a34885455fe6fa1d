#pragma once

// Every text tessarin-cli shows besides the batches' own messages (core/batch_texts.h), in one place.
// UTF-8. How they leave the program is cli_messages.h's rule.

namespace cli_texts {

inline constexpr char HelpText[] =
    "Aufruf:\n"
    "  tessarin-cli encrypt [--password-file DATEI | --password-stdin] [-q] [--] DATEI...\n"
    "  tessarin-cli decrypt [--password-file DATEI | --password-stdin] [--suffix TEXT | --original-name] "
    "[-q]\n"
    "                       [--] DATEI...\n"
    "  tessarin-cli decrypt --stdout [--password-file DATEI | --password-stdin] [-q] [--] DATEI\n"
    "  tessarin-cli verify [--password-file DATEI | --password-stdin] [-q] [--] DATEI...\n"
    "  tessarin-cli -h | --help | --version\n"
    "\n"
    "encrypt  verschlüsselt jede DATEI in einen Container DATEI.rc4 daneben.\n"
    "decrypt  stellt jeden Container daneben wieder her: mit dem Suffix \"-dec\" vor der Erweiterung\n"
    "         (sample.txt.rc4 -> sample-dec.txt) oder unter dem Originalnamen (sample.txt).\n"
    "verify   prüft jeden Container (Kennung, Passwort, Prüfsumme), ohne etwas zu schreiben.\n"
    "\n"
    "Optionen:\n"
    "  --password-file DATEI  das Passwort ist die erste Zeile der DATEI\n"
    "  --password-stdin       das Passwort ist die erste Zeile der Standardeingabe\n"
    "  --suffix TEXT          dieser Suffix statt \"-dec\" (Leerzeichen am Rand zählen nicht, kein / oder "
    "\\)\n"
    "  --original-name        unter dem Originalnamen wiederherstellen (ersetzt eine vorhandene Datei)\n"
    "  --stdout               den einen Container auf die Standardausgabe wiederherstellen (nur in eine\n"
    "                         Datei oder Pipe); ein Prüfsummenfehler wird danach gemeldet, Rückgabewert 1\n"
    "  -q, --quiet            keine Statuszeile\n"
    "  -h, --help, --version  diese Hilfe, die Version\n"
    "\n"
    "Ohne Passwortquelle fragt das Programm am Terminal (beim Verschlüsseln zweimal).\n"
    "Passwörter haben 1 bis 32 Zeichen, die Windows-1252 kennt (die Quelle in UTF-8, eine Byte-Order-Mark\n"
    "zählt nicht); zum Verschlüsseln bestehen sie nicht nur aus Leerzeichen.\n"
    "\n"
    "Rückgabewert: 0 alles verarbeitet, 1 eine Warnung oder eine fehlende Datei, 2 falscher Aufruf;\n"
    "abgebrochen mit Strg+C 130, durch SIGTERM 143 (das Programm endet durch das Signal).\n";

inline constexpr char VersionPrefix[] = "tessarin-cli ";

// Usage errors (exit 2): UsagePrefix, the error, and UsageHint on a line of its own. A trailing ": " of
// an error is followed by the argument or name concerned.
inline constexpr char UsagePrefix[] = "tessarin-cli: ";
inline constexpr char UsageHint[] = "Hilfe: tessarin-cli --help";
inline constexpr char NoCommand[] = "Befehl fehlt (encrypt oder decrypt)";
inline constexpr char UnknownCommand[] = "unbekannter Befehl: ";
inline constexpr char UnknownOption[] = "unbekannte Option: ";
inline constexpr char PasswordFileNeedsName[] = "--password-file braucht eine Datei";
inline constexpr char SuffixNeedsText[] = "--suffix braucht einen Text";
inline constexpr char TwoPasswordSources[] = "--password-file und --password-stdin schließen sich aus";
inline constexpr char TwoNamings[] = "--suffix und --original-name schließen sich aus";
inline constexpr char NoFiles[] = "keine Datei angegeben";
inline constexpr char StdoutWithNaming[] = "--stdout schließt --suffix und --original-name aus";
inline constexpr char StdoutOneFile[] = "--stdout nimmt genau einen Container";
inline constexpr char StdoutIsTerminal[] =
    "die Standardausgabe ist ein Terminal: mit --stdout in eine Datei oder Pipe umleiten";
inline constexpr char NoTerminal[] =
    "kein Terminal für die Passworteingabe: --password-file oder --password-stdin angeben";
inline constexpr char PasswordFileIsFolder[] = "die Passwortdatei ist ein Ordner: ";
inline constexpr char PasswordFileUnreadable[] = "die Passwortdatei ist nicht lesbar: ";
inline constexpr char PasswordSourceUnreadable[] = "die Passwortquelle ist nicht lesbar";
inline constexpr char PasswordLineTooLong[] = "die erste Zeile der Passwortquelle ist länger als 4096 Bytes";
inline constexpr char PasswordEmpty[] = "das Passwort ist leer";
inline constexpr char PasswordOnlySpaces[] = "das Passwort besteht nur aus Leerzeichen";

// The terminal prompts.
inline constexpr char Prompt[] = "Passwort: ";
inline constexpr char PromptAgain[] = "Wiederholung: ";

// A warning (exit 1): a listed name at which the batch found no ordinary file.
inline constexpr char Skipped[] = "Datei nicht gefunden oder keine gewöhnliche Datei: ";

// A request to end the program during the work (the program then ends by that signal). One that cuts a
// file short is the reason of the batch's failure message, "Fehler bei der Datei: " name CR LF text +
// StopInFile; one that comes between two files is its text alone.
inline constexpr char StopInterrupt[] = "Abgebrochen mit Strg+C (SIGINT)";
inline constexpr char StopTerminate[] = "Beendet durch das Signal SIGTERM";
inline constexpr char StopHangUp[] = "Beendet durch das Signal SIGHUP";
inline constexpr char StopInFile[] = ", bevor die Datei fertig war";

// After a batch that ended early (a failure, a refused container, a request to end the program): one
// line naming the listed files it never reached, as given, joined by NotProcessedSeparator.
inline constexpr char NotProcessed[] = "Nicht bearbeitet: ";
inline constexpr char NotProcessedSeparator[] = ", ";

} // namespace cli_texts
