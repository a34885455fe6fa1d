#pragma once

// Every text the two batches show: captions, messages and the pieces of the status line, side by side.

namespace texts {

inline constexpr char CaptionEncrypt[] = "RC4 Encrypt";
inline constexpr char CaptionDecrypt[] = "RC4 Decrypt";
inline constexpr char CaptionCancel[] = "Abbrechen";

inline constexpr char NoFilesToEncrypt[] = "Bitte eine zu verschlüsselnde Dateien auswählen !";
inline constexpr char NoEncryptPassword[] = "Bitte ein Passwort eingeben !";
inline constexpr char PasswordsDiffer[] = "Die Passworte stimmen nicht überein !";
inline constexpr char NoFilesToDecrypt[] = "Bitte eine zu entschlüsselnde Dateien auswählen !";
inline constexpr char NoDecryptPassword[] = "Bitte das Passwort eingeben !";

// A password or suffix no container or file name can take, refused by the batches before anything is
// touched, whichever front end gave it (tessarin-cli prints them as usage errors; the suffix ones are
// followed by the suffix).
inline constexpr char PasswordOutsideCodePage[] =
    "das Passwort enthält ein Zeichen, das die Codepage Windows-1252 nicht kennt, oder ist kein gültiges "
    "UTF-8 (ein Passwort wird Zeichen für Zeichen zu einem Byte)";
inline constexpr char PasswordTooLong[] = "das Passwort ist länger als 32 Zeichen";
inline constexpr char SuffixWithSeparator[] = "der Suffix darf kein Trennzeichen von Pfaden enthalten: ";
inline constexpr char SuffixCharacterRefused[] =
    "der Suffix enthält ein Zeichen, das in Dateinamen nicht erlaubt ist: ";

// "Die Datei: " CR LF name CR LF "wurde nicht ..."
inline constexpr char NotAContainerHead[] = "Die Datei: ";
inline constexpr char NotAContainerTail[] =
    "wurde nicht mit diesem Programm verschlüsselt oder ist beschädigt!";
inline constexpr char WrongPassword[] = "Falsches Passwort!";

// "Datei:  " name "   -> checksum error!" CR LF explanation
inline constexpr char ChecksumErrorHead[] = "Datei:  ";
inline constexpr char ChecksumErrorMiddle[] = "   -> checksum error!";
inline constexpr char ChecksumErrorTail[] = "Die crc32 Checksumme der entschlüsselten Datei stimmt nicht mit "
                                            "der Checksumme der Originaldatei überein!";
// One more line when a file of the restored name already stood there: it is kept, and the damaged
// restoration is not written.
inline constexpr char ChecksumErrorKept[] =
    "Die vorhandene Datei dieses Namens bleibt unverändert; die entschlüsselten Daten wurden verworfen.";

// Refused access to a file or folder.
inline constexpr char WriteRefused[] =
    "Fehler beim Schreiben! Mögliche Ursachen:\r\n"
    "1. Der aktuelle Ordner befindet sich auf einen schreibgeschützten Datenträger.\r\n"
    "2. Sie besitzen nicht die erforderlichen Rechte um in diesen Ordner zu schreiben.";
// Any other failure: "Fehler bei der Datei: " name CR LF reason
inline constexpr char FileFailureHead[] = "Fehler bei der Datei: ";
inline constexpr char SameFileReason[] = "Die wiederhergestellte Datei würde den Container selbst ersetzen.";
inline constexpr char ListedReason[] =
    "Die Datei steht selbst in der Liste (oder ist eine Datei der Liste unter anderem Namen) und wird nicht "
    "ersetzt.";
inline constexpr char WrittenBeforeReason[] =
    "Die Datei wurde in diesem Durchgang schon geschrieben und wird nicht ersetzt.";
inline constexpr char OutputIsContainerReason[] =
    "Die Standardausgabe ist der Container selbst; er würde durch seinen eigenen Inhalt beschädigt.";
inline constexpr char ContainerIsInputReason[] =
    "Der Container würde die zu verschlüsselnde Datei selbst ersetzen (sie ist eine Verknüpfung auf ihn).";

// A file without the container extension, dropped on the decryption list or met by the decryption
// batch: "Datei: " name CR LF reason.
inline constexpr char RefusedFilePrefix[] = "Datei: ";
inline constexpr char RefusedFileReason[] =
    "Fehler: Für die Entschlüsselung können nur verschlüsselte Dateien mit der Erweiterung .rc4 Dateien "
    "ausgewählt werden!";

// The status line before any batch has written to it, and the suffix restored files get unless the
// user chooses another or the former name.
inline constexpr char StatusStart[] = "0 %";
inline constexpr char DefaultSuffix[] = "-dec";

inline constexpr char ProgressFile[] = "File: ";
inline constexpr char ProgressOf[] = " von ";
inline constexpr char ProgressDone[] = ",  File bearbeitet: ";
inline constexpr char ProgressPercent[] = " %";
inline constexpr char EncryptTime[] = " , EncryptTime: ";
inline constexpr char DecryptTime[] = " , DecryptTime: ";

inline constexpr char NewLine[] = "\r\n";

} // namespace texts
