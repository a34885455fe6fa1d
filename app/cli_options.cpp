#include "cli_options.h"

#include <algorithm>

const char* const HelpText =
    "Aufruf:\n"
    "  tessarin-cli encrypt [--password-file DATEI | --password-stdin] [-q] [--] DATEI...\n"
    "  tessarin-cli decrypt [--password-file DATEI | --password-stdin] [--suffix TEXT | --original-name] "
    "[-q]\n"
    "                       [--] DATEI...\n"
    "  tessarin-cli --help | --version\n"
    "\n"
    "encrypt  verschlüsselt jede DATEI in einen Container DATEI.rc4 daneben.\n"
    "decrypt  stellt jeden Container daneben wieder her: mit dem Suffix \"-dec\" vor der Erweiterung\n"
    "         (sample.txt.rc4 -> sample-dec.txt) oder unter dem Originalnamen (sample.txt).\n"
    "\n"
    "Optionen:\n"
    "  --password-file DATEI  das Passwort ist die erste Zeile der DATEI\n"
    "  --password-stdin       das Passwort ist die erste Zeile der Standardeingabe\n"
    "  --suffix TEXT          dieser Suffix statt \"-dec\" (Leerzeichen am Rand zählen nicht, kein / oder \\)\n"
    "  --original-name        unter dem Originalnamen wiederherstellen (ersetzt eine vorhandene Datei)\n"
    "  -q                     keine Statuszeile\n"
    "  --help, --version      diese Hilfe, die Version\n"
    "\n"
    "Ohne Passwortquelle fragt das Programm am Terminal (beim Verschlüsseln zweimal).\n"
    "Passwörter haben 1 bis 32 Zeichen, die Windows-1252 kennt (die Quelle in UTF-8, eine Byte-Order-Mark\n"
    "zählt nicht); zum Verschlüsseln bestehen sie nicht nur aus Leerzeichen.\n"
    "\n"
    "Rückgabewert: 0 alles verarbeitet, 1 eine Warnung oder eine fehlende Datei, 2 falscher Aufruf.\n";

const char* const VersionText = "tessarin-cli 1.1.0\n";

namespace {

ParseResult Usage(std::string error) {
    return ParseResult{std::nullopt, std::move(error)};
}

} // namespace

ParseResult ParseCommandLine(const std::vector<std::string>& arguments) {
    CliOptions options;
    if (arguments.empty())
        return Usage("Befehl fehlt (encrypt oder decrypt)");
    const std::string& command = arguments[0];
    if (command == "--help" || command == "-h") {
        options.command = CliOptions::Command::Help;
        return {options, {}};
    }
    if (command == "--version") {
        options.command = CliOptions::Command::Version;
        return {options, {}};
    }
    if (command == "encrypt")
        options.command = CliOptions::Command::Encrypt;
    else if (command == "decrypt")
        options.command = CliOptions::Command::Decrypt;
    else
        return Usage("unbekannter Befehl: " + command);

    const bool decrypt = options.command == CliOptions::Command::Decrypt;
    bool suffixGiven = false;
    bool onlyFiles = false;
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (onlyFiles || argument.empty() || argument[0] != '-' || argument == "-") {
            if (std::find(options.files.begin(), options.files.end(), argument) == options.files.end())
                options.files.push_back(argument);
            continue;
        }
        if (argument == "--") {
            onlyFiles = true;
        } else if (argument == "-q" || argument == "--quiet") {
            options.quiet = true;
        } else if (argument == "--password-stdin") {
            options.passwordStdin = true;
        } else if (argument == "--password-file") {
            if (++i == arguments.size())
                return Usage("--password-file braucht eine Datei");
            options.passwordFile = arguments[i];
        } else if (decrypt && argument == "--suffix") {
            if (++i == arguments.size())
                return Usage("--suffix braucht einen Text");
            options.suffix = arguments[i];
            suffixGiven = true;
            // A suffix is part of a file name; a separator would move the output into another folder.
            // Both systems' separators are refused, so a script behaves alike on either.
            if (options.suffix.find_first_of("/\\") != std::string::npos)
                return Usage("der Suffix darf kein Trennzeichen von Pfaden enthalten: " + options.suffix);
        } else if (decrypt && argument == "--original-name") {
            options.originalName = true;
        } else {
            return Usage("unbekannte Option: " + argument);
        }
    }
    if (options.passwordFile && options.passwordStdin)
        return Usage("--password-file und --password-stdin schließen sich aus");
    if (suffixGiven && options.originalName)
        return Usage("--suffix und --original-name schließen sich aus");
    if (options.files.empty())
        return Usage("keine Datei angegeben");
    return {options, {}};
}
