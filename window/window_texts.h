#pragma once

// Every text the main window and the info window show, for every front end, in one place so they can be
// read side by side. UTF-8. The batch button captions and all batch messages are shared with the
// command-line program (core/batch_texts.h).

namespace window_texts {

// Main window.
inline constexpr char MainCaption[] = "Tessarin";
inline constexpr char EncryptListHeading[] =
    "Zu verschlüsselnde Dateien in die Liste ziehen oder mit dem Button auswählen:";
inline constexpr char DecryptListHeading[] =
    "Zu entschlüsselnde Dateien in die Liste ziehen oder mt dem Button auswählen:";
inline constexpr char OpenTip[] = "Open";
inline constexpr char ListTip[] = "Doppelclick entfernt die selektierte Datei aus der Liste";
inline constexpr char ClearCaption[] = "C";
inline constexpr char ClearTip[] = "Entfernt alle Dateien aus der Liste";
inline constexpr char PasswordCaption[] = "Passwort:";
inline constexpr char RepetitionCaption[] = "Wiederholung:";
inline constexpr char EncryptTip[] = "Datei RC4 verschlüsseln";
inline constexpr char DecryptTip[] = "Datei entschlüsseln";
inline constexpr char MaskedCaption[] = "N";
inline constexpr char ClearTextCaption[] = "P";
inline constexpr char MaskTip[] = "Passwortdarstellung verdeckt/klar";
inline constexpr char OriginalNameCaption[] = "Originalname";
inline constexpr char OriginalNameTip[] =
    "Die entschlüsselte Datei erhält den Originalnamen (wie vor der Verschlüsselung).";
inline constexpr char SuffixCaption[] = "Suffix ->";
inline constexpr char SuffixTip[] = "Der Dateiname der entschlüsselten Datei erhält einen Suffix.";
inline constexpr char SuffixBoxTip[] = "Diesen Suffix erhält der Dateiname der entschlüsselten Datei.";
inline constexpr char InfoTip[] = "RC4?";
inline constexpr char ExitTip[] = "Beenden";
inline constexpr char DummyCaption[] = "dummy";
inline constexpr char FileCountPrefix[] = "Files: ";

// What screen readers call the controls whose text or picture does not say what they do, and what
// they tell of the count labels.
inline constexpr char EncryptOpenName[] = "Zu verschlüsselnde Dateien auswählen";
inline constexpr char EncryptListName[] = "Zu verschlüsselnde Dateien";
inline constexpr char EncryptCountDescription[] = "Anzahl der zu verschlüsselnden Dateien";
inline constexpr char EncryptClearName[] = "Alle zu verschlüsselnden Dateien aus der Liste entfernen";
inline constexpr char EncryptPasswordName[] = "Passwort zum Verschlüsseln";
inline constexpr char RepetitionName[] = "Wiederholung des Passworts zum Verschlüsseln";
inline constexpr char DecryptOpenName[] = "Zu entschlüsselnde Dateien auswählen";
inline constexpr char DecryptListName[] = "Zu entschlüsselnde Dateien";
inline constexpr char DecryptCountDescription[] = "Anzahl der zu entschlüsselnden Dateien";
inline constexpr char DecryptClearName[] = "Alle zu entschlüsselnden Dateien aus der Liste entfernen";
inline constexpr char DecryptPasswordName[] = "Passwort zum Entschlüsseln";
inline constexpr char EncryptBatchName[] = "Dateien der oberen Liste verschlüsseln";
inline constexpr char DecryptBatchName[] = "Dateien der unteren Liste entschlüsseln";
// Command2 tells whether the passwords are shown, and what a click does.
inline constexpr char MaskedName[] = "Passwörter sind verdeckt; im Klartext zeigen";
inline constexpr char ClearTextName[] = "Passwörter sind im Klartext; verdecken";
inline constexpr char OriginalNameName[] = "Entschlüsselte Dateien unter dem Originalnamen speichern";
inline constexpr char SuffixName[] = "Entschlüsselte Dateien mit Suffix speichern";
inline constexpr char SuffixBoxName[] = "Suffix der entschlüsselten Dateien";
inline constexpr char InfoName[] = "Info-Fenster öffnen";
inline constexpr char ExitName[] = "Programm beenden";
inline constexpr char InfoTextName[] = "Informationen zu Tessarin";

// A character typed or pasted into a password box that a password cannot hold: the box refuses it and
// tells why. One character: Single, the character in quotes, SingleEnd; several: Several, the
// characters in quotes joined by ", " and And, SeveralEnd; then Reason.
inline constexpr char RefusedCharacterTitle[] = "Zeichen nicht erlaubt";
inline constexpr char RefusedCharacterSingle[] = "Das Zeichen ";
inline constexpr char RefusedCharacterSingleEnd[] = " kann nicht Teil des Passworts sein.";
inline constexpr char RefusedCharacterSeveral[] = "Die Zeichen ";
inline constexpr char RefusedCharacterSeveralEnd[] = " können nicht Teil des Passworts sein.";
inline constexpr char RefusedCharacterAnd[] = " und ";
inline constexpr char RefusedCharacterOpenQuote[] = "„";
inline constexpr char RefusedCharacterCloseQuote[] = "“";
inline constexpr char RefusedCharacterReason[] =
    "Ein Passwort besteht nur aus Zeichen, die die Codepage Windows-1252 kennt.";

// A handler that failed in an unforeseen way: this line, CR LF and the reason.
inline constexpr char HandlerFailed[] = "Die Aktion wurde wegen eines Fehlers abgebrochen:";

// File selection dialogs: filter texts are description|pattern pairs.
inline constexpr char EncryptDialogTitle[] = "Zu verschlüsselnde Datei(en) auswählen";
inline constexpr char EncryptDialogFilter[] = "Alle Dateien (*.*)|*.*";
inline constexpr char EncryptDialogExtension[] = "*.*";
inline constexpr char DecryptDialogTitle[] = "Zu entschlüsselnde Datei auswählen";
inline constexpr char DecryptDialogFilter[] = "RC4 verschluesselte Dateien (*.rc4)|*.rc4";
inline constexpr char DecryptDialogExtension[] = "*.rc4";

// Info window.
inline constexpr char InfoCaption[] = "Tessarin - Info";
inline constexpr char InfoBanner[] = "Tessarin";
inline constexpr char VersionPrefix[] = "Version: ";
inline constexpr char InfoCredit[] = "© Tessarin-Team";

// The info text, piece by piece; \r\n are the line breaks, \t the tab of the example block.
inline constexpr const char* InfoPieces[] = {
    "Die verschlüsselten Dateien erhalten die zusätzliche Extension '.rc4'.\r\n",
    "Die entschlüsselten Dateien erhalten als Dateinamen den Originalnamen plus einem wählbaren Suffix "
    "oder ihren Originalnamen ohne Suffix.\r\n\r\n",
    "Beispiel:\r\n",
    "Unverschlüsselte Datei:\tsample.txt\r\n",
    "Verschlüsselte Datei:\tsample.txt.rc4\r\n",
    "Entschlüsselte Datei:\tsample-dec.txt   oder ohne Suffix:   sample.txt\r\n\r\n",
    "Um während der Entschlüsselung die Verifikation des Passworts zu ermöglichen, wird im Header der "
    "verschlüsselten Datei ein gesalteter SHA1-Hash des Passworts gespeichert. ",
    "Da es sich beim SHA1-Algorithmus um eine nicht umkehrbare kryptographische Hashfunktion handelt, "
    "kann das Passwort aus dem gespeicherten Hash nicht rekonstruiert werden. ",
    "Der gespeicherte Hash wird beim Entschlüsseln mit dem gesalteten Hash der Passworteingabe "
    "verglichen.\r\n",
    "Im Header der verschlüsselten Datei wird zusätzlich die crc32-Prüfsumme der Originaldatei "
    "gespeichert.",
    " Bei der Entschlüsselung wird die crc32-Prüfsumme der entschlüsselten Datei ermittelt und mit der "
    "gespeicherten crc32-Prüfsumme verglichen.\r\n\r\n",
    "RC4:\r\n",
    "Für die Verschlüsselung wird ein RC4-kompatibles Verschlüsselungs-\r\n",
    "verfahren verwendet. RC4 ist ein verbreitetes Stromchiffrierverfahren. Es wird auch von "
    "verschiedenen Standards wie HTTPS, WLAN oder SSH verwendet.\r\n",
    "(Hinweis: \"RC4\" ist ein eingetragenes Warenzeichen von RSA Data Securities Inc.)\r\n\r\n",
    "Tessarin – vom Tessarin-Team",
};

} // namespace window_texts
