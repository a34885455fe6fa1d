#pragma once

// What a screen reader calls the main window's controls, the same in every window front end: what each
// does, and for which list. The batch buttons are named so while no batch runs; the button of a running
// batch of more than one item is named for what a click on it does then.

#include <utility>
#include <vector>

inline const std::vector<std::pair<const char*, const char*>> AccessibleNames = {
    {"Befehl2", "Zu verschlüsselnde Dateien auswählen"},
    {"Command3", "Zu entschlüsselnde Dateien auswählen"},
    {"List1", "Zu verschlüsselnde Dateien"},
    {"List2", "Zu entschlüsselnde Dateien"},
    {"Command5", "Alle zu verschlüsselnden Dateien aus der Liste entfernen"},
    {"Command6", "Alle zu entschlüsselnden Dateien aus der Liste entfernen"},
    {"Text3(0)", "Passwort zum Verschlüsseln"},
    {"Text3(1)", "Wiederholung des Passworts zum Verschlüsseln"},
    {"Text3(2)", "Passwort zum Entschlüsseln"},
    {"Command2", "Passwörter sind verdeckt; im Klartext zeigen"},
    {"cmdEnc", "Dateien der oberen Liste verschlüsseln"},
    {"cmdDec", "Dateien der unteren Liste entschlüsseln"},
    {"Option1(0)", "Entschlüsselte Dateien unter dem Originalnamen speichern"},
    {"Option1(1)", "Entschlüsselte Dateien mit Suffix speichern"},
    {"txtSuffix", "Suffix der entschlüsselten Dateien"},
    {"Command4", "Info-Fenster öffnen"},
    {"Command1", "Programm beenden"},
};

// The running batch's button, while a click on it asks the batch to stop.
inline constexpr char CancellingBatchButtonName[] = "Abbrechen";
