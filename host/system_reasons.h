#pragma once

// The system's reasons for a failed file operation, in German, one text per class of failure. Both
// systems map their own error codes onto these, so a message reads the same on either; only a code
// that fits no class shows the system's own text.

namespace host::reasons {

inline constexpr char AccessDenied[] = "Zugriff verweigert";
inline constexpr char NotPermitted[] = "Vorgang nicht erlaubt";
inline constexpr char ReadOnlyMedium[] = "Der Datenträger oder das Dateisystem ist schreibgeschützt";
inline constexpr char InUse[] = "Die Datei wird von einem anderen Programm verwendet";
inline constexpr char NoSpace[] = "Kein freier Speicherplatz mehr auf dem Datenträger";
inline constexpr char QuotaExceeded[] = "Das Speicherkontingent ist erschöpft";
inline constexpr char InputOutput[] = "Ein-/Ausgabefehler beim Lesen oder Schreiben";
inline constexpr char ReadFailed[] = "Ein-/Ausgabefehler beim Lesen";
inline constexpr char IsFolder[] = "Ist ein Ordner";
inline constexpr char NotOrdinary[] = "Keine gewöhnliche Datei (Ordner, Pipe, Socket oder Gerät)";
inline constexpr char NameTooLong[] = "Der Name ist zu lang";
inline constexpr char BadName[] = "Der Name ist ungültig";
inline constexpr char NotFound[] = "Datei oder Ordner nicht gefunden";
inline constexpr char PathNotFolder[] = "Ein Teil des Pfades ist kein Ordner";
inline constexpr char TooManyLinks[] = "Zu viele Ebenen symbolischer Verknüpfungen";
inline constexpr char AlreadyThere[] = "Ein anderes Programm hat die Datei inzwischen angelegt";
inline constexpr char TooLarge[] = "Die Datei ist zu groß";
inline constexpr char TooManyOpen[] = "Zu viele offene Dateien";
inline constexpr char OutOfMemory[] = "Nicht genügend Arbeitsspeicher";
inline constexpr char NotReady[] = "Das Gerät ist nicht bereit";
inline constexpr char ConnectionLost[] = "Die Verbindung zum Netzlaufwerk ist unterbrochen";
inline constexpr char UnexpectedEnd[] = "Unerwartetes Dateiende";
inline constexpr char NothingWritten[] = "Nichts geschrieben";
inline constexpr char ReaderGone[] = "Das lesende Programm hat die Pipe geschlossen";
inline constexpr char BadDescriptor[] = "Die Datei ist nicht (mehr) geöffnet";
inline constexpr char NotSeekable[] = "Die Datei erlaubt keinen wahlfreien Zugriff";
inline constexpr char TryAgain[] = "Die Datei ist vorübergehend nicht verfügbar";
inline constexpr char NotSupported[] = "Das Dateisystem unterstützt den Vorgang nicht";
inline constexpr char OtherVolume[] = "Die Dateien liegen auf verschiedenen Datenträgern";
inline constexpr char ChangedWhileRead[] =
    "Die Datei wurde geändert, während sie gelesen wurde; nichts wurde an ihre Stelle geschrieben";
inline constexpr char NameChangedBySystem[] =
    "Der Name endet auf einen Punkt oder ein Leerzeichen, das Windows stillschweigend weglässt";
inline constexpr char DeviceName[] = "Der Name bezeichnet ein Gerät (wie CON, NUL, COM1 oder LPT1)";
inline constexpr char SeparatorInName[] = "Der Name enthält ein Trennzeichen von Pfaden";
inline constexpr char CharacterNotInNames[] =
    "Der Name enthält ein Zeichen, das Windows in Dateinamen nicht erlaubt";
// Followed by the system's number of an error that fits none of the classes above.
inline constexpr char SystemError[] = "Systemfehler Nr. ";

// The name a failure of standard output goes by.
inline constexpr char StandardOutputName[] = "Standardausgabe";

} // namespace host::reasons
