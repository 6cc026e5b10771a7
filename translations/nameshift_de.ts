<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>Message</name>
    <message>
        <source>Operation complete</source>
        <translation>Vorgang abgeschlossen</translation>
    </message>
    <message>
        <source>not supported by this share</source>
        <translation>von dieser Freigabe nicht unterstützt</translation>
    </message>
    <message>
        <source>this share cannot refuse to replace files; each name is checked just before its rename</source>
        <translation>diese Freigabe kann das Ersetzen von Dateien nicht verweigern; jeder Name wird kurz vor dem Umbenennen geprüft</translation>
    </message>
    <message>
        <source>The value &quot;%1&quot; of &quot;%2&quot; read from &quot;%3&quot; is refused: it must be a whole number from 0 to %4.</source>
        <translation>Der Wert „%1“ von „%2“, gelesen aus „%3“, wird abgelehnt: Er muss eine ganze Zahl von 0 bis %4 sein.</translation>
    </message>
    <message numerus="yes">
        <source>Operation cancelled - %1 of %n file(s) were renamed.</source>
        <translation>
            <numerusform>Vorgang abgebrochen – %1 von %n Datei wurde umbenannt.</numerusform>
            <numerusform>Vorgang abgebrochen – %1 von %n Dateien wurden umbenannt.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>The following file(s) could not be renamed:
%1
... and %n more</source>
        <translation>
            <numerusform>Die folgenden Dateien konnten nicht umbenannt werden:
%1
... und %n weitere</numerusform>
            <numerusform>Die folgenden Dateien konnten nicht umbenannt werden:
%1
... und %n weitere</numerusform>
        </translation>
    </message>
    <message>
        <source>The following file(s) could not be renamed:
%1</source>
        <translation>Die folgenden Dateien konnten nicht umbenannt werden:
%1</translation>
    </message>
    <message>
        <source>Rename Errors</source>
        <translation>Fehler beim Umbenennen</translation>
    </message>
    <message>
        <source>Duplicate filenames found! Cannot continue.</source>
        <translation>Doppelte Dateinamen gefunden! Fortfahren nicht möglich.</translation>
    </message>
    <message>
        <source>Duplicate Filenames</source>
        <translation>Doppelte Dateinamen</translation>
    </message>
    <message>
        <source>Process cannot continue - You are about to remove a file&apos;s prefix</source>
        <translation>Der Vorgang kann nicht fortgesetzt werden – Sie würden das Präfix einer Datei entfernen</translation>
    </message>
    <message>
        <source>No Prefix</source>
        <translation>Kein Präfix</translation>
    </message>
    <message>
        <source>Cannot continue - the new file name &quot;%1&quot; is not a plain file name.</source>
        <translation>Fortfahren nicht möglich – der neue Dateiname „%1“ ist kein einfacher Dateiname.</translation>
    </message>
    <message>
        <source>Cannot continue - the folder &quot;%1&quot; is renamed in the same batch as a file or folder inside it. Rename the folder in a batch of its own. Nothing was renamed.</source>
        <translation>Fortfahren nicht möglich – der Ordner „%1“ wird im selben Vorgang umbenannt wie eine Datei oder ein Ordner darin. Benennen Sie den Ordner in einem eigenen Vorgang um. Es wurde nichts umbenannt.</translation>
    </message>
    <message>
        <source>Invalid File Name</source>
        <translation>Ungültiger Dateiname</translation>
    </message>
    <message>
        <source>Cannot continue - the file name &quot;%1&quot; contains a double quote, which a restore file cannot record.</source>
        <translation>Fortfahren nicht möglich – der Dateiname „%1“ enthält ein doppeltes Anführungszeichen, das eine Wiederherstellungsdatei nicht festhalten kann.</translation>
    </message>
    <message>
        <source>Cannot continue - the directory path &quot;%1&quot; contains a double quote, which a restore file cannot record.</source>
        <translation>Fortfahren nicht möglich – der Verzeichnispfad „%1“ enthält ein doppeltes Anführungszeichen, das eine Wiederherstellungsdatei nicht festhalten kann.</translation>
    </message>
    <message>
        <source>Invalid Directory Name</source>
        <translation>Ungültiger Verzeichnisname</translation>
    </message>
    <message>
        <source>Cannot continue - the new file name &quot;%1&quot; is the name of the restore file that this batch writes.</source>
        <translation>Fortfahren nicht möglich – der neue Dateiname „%1“ ist der Name der Wiederherstellungsdatei, die dieser Vorgang schreibt.</translation>
    </message>
    <message>
        <source>Cannot continue - the record of this batch cannot be written to &quot;%1&quot;: %2. Nothing was renamed.</source>
        <translation>Fortfahren nicht möglich – das Protokoll dieses Vorgangs kann nicht nach „%1“ geschrieben werden: %2. Es wurde nichts umbenannt.</translation>
    </message>
    <message>
        <source>Journal Error</source>
        <translation>Protokollfehler</translation>
    </message>
    <message>
        <source>Cannot continue - the directory &quot;%1&quot; cannot be opened: %2</source>
        <translation>Fortfahren nicht möglich – das Verzeichnis „%1“ kann nicht geöffnet werden: %2</translation>
    </message>
    <message>
        <source>Directory Error</source>
        <translation>Verzeichnisfehler</translation>
    </message>
    <message>
        <source>Cannot continue - another batch is already renaming files in &quot;%1&quot;. Nothing was renamed.</source>
        <translation>Fortfahren nicht möglich – ein anderer Vorgang benennt bereits Dateien in „%1“ um. Es wurde nichts umbenannt.</translation>
    </message>
    <message>
        <source>Batch Running</source>
        <translation>Vorgang läuft</translation>
    </message>
    <message>
        <source>Cannot continue - a batch in &quot;%1&quot; was interrupted and has not been undone or finished yet. Start Nameshift Pro again, or run &quot;nameshift-cli recover&quot;, to deal with it first.</source>
        <translation>Fortfahren nicht möglich – ein Vorgang in „%1“ wurde unterbrochen und ist noch weder rückgängig gemacht noch abgeschlossen. Starten Sie Nameshift Pro erneut oder führen Sie „nameshift-cli recover“ aus, um ihn zuerst zu erledigen.</translation>
    </message>
    <message>
        <source>Interrupted Batch</source>
        <translation>Unterbrochener Vorgang</translation>
    </message>
    <message>
        <source>You have not specified any ID3 options</source>
        <translation>Sie haben keine ID3-Optionen angegeben</translation>
    </message>
    <message>
        <source>No options specified</source>
        <translation>Keine Optionen angegeben</translation>
    </message>
    <message>
        <source>You are about to rename the file(s). Do you wish to continue?</source>
        <translation>Sie sind dabei, die Datei(en) umzubenennen. Möchten Sie fortfahren?</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Warnung</translation>
    </message>
    <message>
        <source>Do you wish to create a restore file?</source>
        <translation>Möchten Sie eine Wiederherstellungsdatei anlegen?</translation>
    </message>
    <message>
        <source>Create File?</source>
        <translation>Datei anlegen?</translation>
    </message>
    <message>
        <source>Restore file already exists - Do you wish to overwrite the existing file?</source>
        <translation>Die Wiederherstellungsdatei ist bereits vorhanden – Möchten Sie die vorhandene Datei überschreiben?</translation>
    </message>
    <message>
        <source>Restore File Already Exists</source>
        <translation>Wiederherstellungsdatei vorhanden</translation>
    </message>
    <message>
        <source>Not every file of the batch in &quot;%1&quot; could be given its old name:
%2</source>
        <translation>Nicht jede Datei des Vorgangs in „%1“ konnte ihren alten Namen zurückerhalten:
%2</translation>
    </message>
    <message>
        <source>Not every file of the batch in &quot;%1&quot; could be renamed:
%2</source>
        <translation>Nicht jede Datei des Vorgangs in „%1“ konnte umbenannt werden:
%2</translation>
    </message>
    <message>
        <source>Entered value can only be a numeric.</source>
        <translation>Der eingegebene Wert darf nur aus Ziffern bestehen.</translation>
    </message>
    <message>
        <source>Non-Numeric Value</source>
        <translation>Kein Zahlenwert</translation>
    </message>
    <message>
        <source>You have entered an invalid character - %1</source>
        <translation>Sie haben ein ungültiges Zeichen eingegeben – %1</translation>
    </message>
    <message>
        <source>Invalid Character</source>
        <translation>Ungültiges Zeichen</translation>
    </message>
    <message>
        <source>You must increment by a number greater than zero!</source>
        <translation>Die Schrittweite muss größer als null sein!</translation>
    </message>
    <message>
        <source>Invalid Increment</source>
        <translation>Ungültige Schrittweite</translation>
    </message>
    <message>
        <source>If you wish to pad the counter with zeros then specify, to use, 2 or more digits from the drop down list</source>
        <translation>Wenn der Zähler mit Nullen aufgefüllt werden soll, wählen Sie in der Auswahlliste 2 oder mehr Stellen</translation>
    </message>
    <message>
        <source>Invalid Start Position</source>
        <translation>Ungültiger Startwert</translation>
    </message>
    <message>
        <source>You have to have at least ONE file attribute set!</source>
        <translation>Es muss mindestens EIN Dateiattribut gesetzt sein!</translation>
    </message>
    <message>
        <source>File Attribute Error</source>
        <translation>Fehler bei den Dateiattributen</translation>
    </message>
    <message>
        <source>Nothing to preview. You must select at least one file first.</source>
        <translation>Keine Vorschau möglich. Wählen Sie zuerst mindestens eine Datei aus.</translation>
    </message>
    <message>
        <source>Warning!</source>
        <translation>Warnung!</translation>
    </message>
    <message>
        <source>Please Note: If you wish to alter the prefix you must enter a name in the prefix edit box</source>
        <translation>Bitte beachten: Um das Präfix zu ändern, müssen Sie ein Präfix in das Präfixfeld eingeben</translation>
    </message>
    <message>
        <source>No Prefix Specified!</source>
        <translation>Kein Präfix angegeben!</translation>
    </message>
    <message>
        <source>Please Note: If you wish to alter the extension you must enter a name in the extension edit box</source>
        <translation>Bitte beachten: Um die Endung zu ändern, müssen Sie eine Endung in das Endungsfeld eingeben</translation>
    </message>
    <message>
        <source>No Extension Specified!</source>
        <translation>Keine Endung angegeben!</translation>
    </message>
    <message>
        <source>Please Note: If you wish to add a counter you must specify the counter increment in the increment edit box</source>
        <translation>Bitte beachten: Um einen Zähler hinzuzufügen, müssen Sie die Schrittweite im Feld für die Schrittweite angeben</translation>
    </message>
    <message>
        <source>Counter Increment Not Specified!</source>
        <translation>Keine Schrittweite angegeben!</translation>
    </message>
    <message>
        <source>Please Note: If you wish to add a counter you must specify the counter&apos;s start position in the start position edit box</source>
        <translation>Bitte beachten: Um einen Zähler hinzuzufügen, müssen Sie den Startwert des Zählers im Feld für den Startwert angeben</translation>
    </message>
    <message>
        <source>No Start Position Specified!</source>
        <translation>Kein Startwert angegeben!</translation>
    </message>
    <message>
        <source>Filename(s) Restored</source>
        <translation>Dateiname(n) wiederhergestellt</translation>
    </message>
    <message numerus="yes">
        <source>Restore cancelled - %1 of %n file(s) were restored.</source>
        <translation>
            <numerusform>Wiederherstellung abgebrochen – %1 von %n Datei wurde wiederhergestellt.</numerusform>
            <numerusform>Wiederherstellung abgebrochen – %1 von %n Dateien wurden wiederhergestellt.</numerusform>
        </translation>
    </message>
    <message>
        <source>The file &quot;%1 cannot be renamed
 to &quot;%2&quot;.

Error: %3</source>
        <translation>Die Datei „%1“ kann nicht
 in „%2“ umbenannt werden.

Fehler: %3</translation>
    </message>
    <message>
        <source>You have chosen an invalid restore file!</source>
        <translation>Sie haben eine ungültige Wiederherstellungsdatei gewählt!</translation>
    </message>
    <message>
        <source>Invalid Restore File</source>
        <translation>Ungültige Wiederherstellungsdatei</translation>
    </message>
    <message>
        <source>The restore file is corrupt and cannot be used!</source>
        <translation>Die Wiederherstellungsdatei ist beschädigt und kann nicht verwendet werden!</translation>
    </message>
    <message>
        <source>Restore Error</source>
        <translation>Fehler bei der Wiederherstellung</translation>
    </message>
    <message>
        <source>Cannot save settings! - Reason: Disk is full.</source>
        <translation>Die Einstellungen können nicht gespeichert werden! – Grund: Der Datenträger ist voll.</translation>
    </message>
    <message>
        <source>Error - disk full</source>
        <translation>Fehler – Datenträger voll</translation>
    </message>
    <message>
        <source>Cannot save settings! - Unknown Error.</source>
        <translation>Die Einstellungen können nicht gespeichert werden! – Unbekannter Fehler.</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>An error occurred. Possible error: &quot;%1&quot; file doesn&apos;t exist?
Using default ID3 options instead.</source>
        <translation>Ein Fehler ist aufgetreten. Möglicher Fehler: Die Datei „%1“ ist nicht vorhanden?
Stattdessen werden die voreingestellten ID3-Optionen verwendet.</translation>
    </message>
    <message>
        <source>Cannot save options! - Reason: Disk is full.</source>
        <translation>Die Optionen können nicht gespeichert werden! – Grund: Der Datenträger ist voll.</translation>
    </message>
    <message>
        <source>Cannot save options! - Unknown Error.</source>
        <translation>Die Optionen können nicht gespeichert werden! – Unbekannter Fehler.</translation>
    </message>
    <message>
        <source>An error occurred. Possible error: &quot;%1&quot; file doesn&apos;t exist?
Using default options instead.</source>
        <translation>Ein Fehler ist aufgetreten. Möglicher Fehler: Die Datei „%1“ ist nicht vorhanden?
Stattdessen werden die voreingestellten Optionen verwendet.</translation>
    </message>
    <message>
        <source>An error occurred. Possible error: &quot;%1&quot; file doesn&apos;t exist?
Using default settings instead.</source>
        <translation>Ein Fehler ist aufgetreten. Möglicher Fehler: Die Datei „%1“ ist nicht vorhanden?
Stattdessen werden die voreingestellten Einstellungen verwendet.</translation>
    </message>
    <message>
        <source>File Already Exists - Do you wish to overwrite the existing settings?</source>
        <translation>Die Datei ist bereits vorhanden – Möchten Sie die vorhandenen Einstellungen überschreiben?</translation>
    </message>
    <message>
        <source>File Already Exists</source>
        <translation>Datei vorhanden</translation>
    </message>
    <message>
        <source>The supplied startup directory path is invalid!
Using default path</source>
        <translation>Der angegebene Startverzeichnispfad ist ungültig!
Der voreingestellte Pfad wird verwendet</translation>
    </message>
    <message>
        <source>Unable to open directory</source>
        <translation>Das Verzeichnis kann nicht geöffnet werden</translation>
    </message>
    <message>
        <source>ERROR</source>
        <translation>FEHLER</translation>
    </message>
    <message>
        <source>Dir path in options is invalid</source>
        <translation>Der Verzeichnispfad in den Optionen ist ungültig</translation>
    </message>
    <message>
        <source>Drive %1: is not ready.</source>
        <translation>Laufwerk %1: ist nicht bereit.</translation>
    </message>
    <message>
        <source>Are you sure?</source>
        <translation>Sind Sie sicher?</translation>
    </message>
    <message>
        <source>ID3 options are not specified, please specify format options.</source>
        <translation>Es sind keine ID3-Optionen angegeben, bitte geben Sie Formatoptionen an.</translation>
    </message>
    <message>
        <source>Invalid Format</source>
        <translation>Ungültiges Format</translation>
    </message>
    <message>
        <source>Are you sure you want to quit?</source>
        <translation>Möchten Sie das Programm wirklich beenden?</translation>
    </message>
    <message>
        <source>Confirm Exit</source>
        <translation>Beenden bestätigen</translation>
    </message>
    <message>
        <source>Unable to open hyperlink:

%1</source>
        <translation>Der Link kann nicht geöffnet werden:

%1</translation>
    </message>
    <message>
        <source>
&quot;%1&quot; to &quot;%2&quot;: %3</source>
        <translation>
„%1“ nach „%2“: %3</translation>
    </message>
    <message>
        <source>The directory &quot;%1&quot; cannot be found; its batch is kept for later.</source>
        <translation>Das Verzeichnis „%1“ ist nicht zu finden; sein Vorgang wird für später aufbewahrt.</translation>
    </message>
    <message>
        <source>The directory &quot;%1&quot; is busy or cannot be read; its batch is kept for later.</source>
        <translation>Das Verzeichnis „%1“ ist belegt oder nicht lesbar; sein Vorgang wird für später aufbewahrt.</translation>
    </message>
    <message>
        <source>&quot;%1&quot;: the file is gone.</source>
        <translation>„%1“: Die Datei ist nicht mehr da.</translation>
    </message>
    <message>
        <source>&quot;%1&quot;: the file was renamed to &quot;%2&quot; since.</source>
        <translation>„%1“: Die Datei wurde inzwischen in „%2“ umbenannt.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; to &quot;%2&quot;: %3</source>
        <translation>„%1“ nach „%2“: %3</translation>
    </message>
    <message>
        <source>The restore file of the batch could not be written.</source>
        <translation>Die Wiederherstellungsdatei des Vorgangs konnte nicht geschrieben werden.</translation>
    </message>
    <message>
        <source>Cannot save options! - Reason: %2 holds a double quote, which %1 cannot store.</source>
        <translation>Die Optionen können nicht gespeichert werden! – Grund: %2 enthält ein doppeltes Anführungszeichen, das %1 nicht speichern kann.</translation>
    </message>
    <message>
        <source>Cannot save options! - Reason: %3 holds the text &quot;%2&quot;, which %1 cannot store.</source>
        <translation>Die Optionen können nicht gespeichert werden! – Grund: %3 enthält den Text „%2“, den %1 nicht speichern kann.</translation>
    </message>
    <message>
        <source>The advanced format</source>
        <translation>Das erweiterte Format</translation>
    </message>
    <message>
        <source>The startup directory path</source>
        <translation>Der Pfad des Startverzeichnisses</translation>
    </message>
    <message>
        <source>Cannot save settings! - Reason: %2 holds a double quote, which %1 cannot store.</source>
        <translation>Die Einstellungen können nicht gespeichert werden! – Grund: %2 enthält ein doppeltes Anführungszeichen, das %1 nicht speichern kann.</translation>
    </message>
    <message>
        <source>Cannot save settings! - Reason: %3 holds the text &quot;%2&quot;, which %1 cannot store.</source>
        <translation>Die Einstellungen können nicht gespeichert werden! – Grund: %3 enthält den Text „%2“, den %1 nicht speichern kann.</translation>
    </message>
    <message>
        <source>The prefix</source>
        <translation>Das Präfix</translation>
    </message>
    <message>
        <source>The counter start</source>
        <translation>Der Zählerbeginn</translation>
    </message>
    <message>
        <source>The counter increment</source>
        <translation>Die Zählerschrittweite</translation>
    </message>
    <message>
        <source>The extension</source>
        <translation>Die Endung</translation>
    </message>
    <message>
        <source>The string to remove</source>
        <translation>Die zu entfernende Zeichenfolge</translation>
    </message>
    <message>
        <source>The string to replace</source>
        <translation>Die zu ersetzende Zeichenfolge</translation>
    </message>
    <message>
        <source>The replacement string</source>
        <translation>Die Ersatzzeichenfolge</translation>
    </message>
    <message>
        <source>Please Note: While this &amp; &quot;Make 1st character in each word upper case&quot; &amp; &quot;Make all upper case&quot; checkboxes are set, the result will be ALL upper case.</source>
        <translation>Bitte beachten: Solange dieses Kästchen und „Jedes Wort mit großem Anfangsbuchstaben“ und „Alles groß schreiben“ angekreuzt sind, wird das Ergebnis GANZ groß geschrieben.</translation>
    </message>
    <message>
        <source>Please Note: While this &amp; &quot;Make 1st character in each word upper case&quot; checkboxes are set, the result will NOT be all lower case.</source>
        <translation>Bitte beachten: Solange dieses Kästchen und „Jedes Wort mit großem Anfangsbuchstaben“ angekreuzt sind, wird das Ergebnis NICHT ganz klein geschrieben.</translation>
    </message>
    <message>
        <source>Please Note: While this &amp; &quot;Make all upper case&quot; checkboxes are set, the result will be all upper case.</source>
        <translation>Bitte beachten: Solange dieses Kästchen und „Alles groß schreiben“ angekreuzt sind, wird das Ergebnis ganz groß geschrieben.</translation>
    </message>
    <message>
        <source>Please Note: While this &amp; &quot;Make all lower case&quot; &amp; &quot;Make 1st character in each word upper case&quot; checkboxes are set, the result will be ALL upper case.</source>
        <translation>Bitte beachten: Solange dieses Kästchen und „Alles klein schreiben“ und „Jedes Wort mit großem Anfangsbuchstaben“ angekreuzt sind, wird das Ergebnis GANZ groß geschrieben.</translation>
    </message>
    <message>
        <source>Please Note: While this &amp; &quot;Make 1st character in each word upper case&quot; checkboxes are set, the result will be ALL upper case.</source>
        <translation>Bitte beachten: Solange dieses Kästchen und „Jedes Wort mit großem Anfangsbuchstaben“ angekreuzt sind, wird das Ergebnis GANZ groß geschrieben.</translation>
    </message>
    <message>
        <source>Please Note: While this &amp; &quot;Make all lower case&quot; checkboxes are set, the result will be ALL upper case.</source>
        <translation>Bitte beachten: Solange dieses Kästchen und „Alles klein schreiben“ angekreuzt sind, wird das Ergebnis GANZ groß geschrieben.</translation>
    </message>
    <message>
        <source>Please Note: While this &amp; &quot;Make all lower case&quot; &amp; &quot;Make all upper case&quot; checkboxes are set, the result will be ALL upper case.</source>
        <translation>Bitte beachten: Solange dieses Kästchen und „Alles klein schreiben“ und „Alles groß schreiben“ angekreuzt sind, wird das Ergebnis GANZ groß geschrieben.</translation>
    </message>
    <message>
        <source>Please Note: While this &amp; &quot;Make all upper case&quot; checkboxes are set, the result will be ALL upper case.</source>
        <translation>Bitte beachten: Solange dieses Kästchen und „Alles groß schreiben“ angekreuzt sind, wird das Ergebnis GANZ groß geschrieben.</translation>
    </message>
    <message>
        <source>Please Note: While this &amp; &quot;Make all lower case&quot; checkboxes are set, the result will NOT be all lower case.</source>
        <translation>Bitte beachten: Solange dieses Kästchen und „Alles klein schreiben“ angekreuzt sind, wird das Ergebnis NICHT ganz klein geschrieben.</translation>
    </message>
    <message>
        <source>The operating system is out
of memory or resources.</source>
        <translation>Dem Betriebssystem fehlt es
an Speicher oder Ressourcen.</translation>
    </message>
    <message>
        <source>The specified file was not found.</source>
        <translation>Die angegebene Datei wurde nicht gefunden.</translation>
    </message>
    <message>
        <source>The specified path was not found.</source>
        <translation>Der angegebene Pfad wurde nicht gefunden.</translation>
    </message>
    <message>
        <source>The operating system denied
access to the specified file.</source>
        <translation>Das Betriebssystem verweigerte
den Zugriff auf die angegebene Datei.</translation>
    </message>
    <message>
        <source>There was not enough memory to complete the operation.</source>
        <translation>Der Speicher reichte nicht aus, um den Vorgang abzuschließen.</translation>
    </message>
    <message>
        <source>The .EXE file is invalid
(non-Win32 .EXE or error in .EXE image).</source>
        <translation>Die .EXE-Datei ist ungültig
(keine Win32-.EXE oder Fehler im .EXE-Abbild).</translation>
    </message>
    <message>
        <source>A sharing violation occurred. </source>
        <translation>Eine Freigabeverletzung ist aufgetreten. </translation>
    </message>
    <message>
        <source>The filename association is
incomplete or invalid.</source>
        <translation>Die Dateizuordnung ist
unvollständig oder ungültig.</translation>
    </message>
    <message>
        <source>The DDE transaction could not
be completed because the request timed out.</source>
        <translation>Die DDE-Transaktion konnte nicht
abgeschlossen werden, weil die Anfrage zu lange dauerte.</translation>
    </message>
    <message>
        <source>The DDE transaction failed.</source>
        <translation>Die DDE-Transaktion ist fehlgeschlagen.</translation>
    </message>
    <message>
        <source>The DDE transaction could not
be completed because other DDE transactions
were being processed.</source>
        <translation>Die DDE-Transaktion konnte nicht
abgeschlossen werden, weil andere DDE-Transaktionen
gerade bearbeitet wurden.</translation>
    </message>
    <message>
        <source>There is no application associated
with the given filename extension.</source>
        <translation>Mit dieser Dateiendung ist
kein Programm verknüpft.</translation>
    </message>
    <message>
        <source>The specified dynamic-link library was not found.</source>
        <translation>Die angegebene dynamische Bibliothek wurde nicht gefunden.</translation>
    </message>
    <message>
        <source>Unknown Error (%1) occurred.</source>
        <translation>Unbekannter Fehler (%1) aufgetreten.</translation>
    </message>
    <message>
        <source>Cannot continue - a batch in &quot;%1&quot; was interrupted, and its record &quot;%2&quot; cannot be read, so it cannot be undone or finished. Check the file names in &quot;%1&quot;, then move the record away to rename files there again.</source>
        <translation>Fortfahren nicht möglich – ein Vorgang in „%1“ wurde unterbrochen, und seine Aufzeichnung „%2“ kann nicht gelesen werden; er kann daher weder rückgängig gemacht noch abgeschlossen werden. Prüfen Sie die Dateinamen in „%1“ und verschieben Sie dann die Aufzeichnung, um dort wieder Dateien umzubenennen.</translation>
    </message>
    <message>
        <source>Files Changed</source>
        <translation>Dateien geändert</translation>
    </message>
    <message>
        <source>&quot;%1&quot; to &quot;%2&quot;
</source>
        <translation>„%1“ nach „%2“
</translation>
    </message>
    <message numerus="yes">
        <source>... and %n more
</source>
        <translation>
            <numerusform>... und %n weitere
</numerusform>
            <numerusform>... und %n weitere
</numerusform>
        </translation>
    </message>
    <message>
        <source>restore file of this folder: not renamed</source>
        <translation>Wiederherstellungsdatei dieses Ordners: wird nicht umbenannt</translation>
    </message>
    <message>
        <source>Cannot continue - the folder &quot;%1&quot;, which keeps the records of batches, belongs to another user or others may write to it. Make it yours alone (chmod 700) and try again. Nothing was renamed.</source>
        <translation>Fortfahren nicht möglich – der Ordner „%1“, der die Aufzeichnungen der Vorgänge aufbewahrt, gehört einem anderen Benutzer, oder andere dürfen in ihn schreiben. Machen Sie ihn zu Ihrem alleine (chmod 700) und versuchen Sie es erneut. Es wurde nichts umbenannt.</translation>
    </message>
    <message numerus="yes">
        <source>Recovery cancelled - %n file(s) were renamed. The rest of the batch waits for the next start.</source>
        <translation>
            <numerusform>Wiederherstellung abgebrochen – %n Datei wurde umbenannt. Der Rest des Vorgangs wartet auf den nächsten Start.</numerusform>
            <numerusform>Wiederherstellung abgebrochen – %n Dateien wurden umbenannt. Der Rest des Vorgangs wartet auf den nächsten Start.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n file(s) renamed back.</source>
        <translation>
            <numerusform>%n Datei zurückbenannt.</numerusform>
            <numerusform>%n Dateien zurückbenannt.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n file(s) renamed; the batch is finished.</source>
        <translation>
            <numerusform>%n Datei umbenannt; der Vorgang ist abgeschlossen.</numerusform>
            <numerusform>%n Dateien umbenannt; der Vorgang ist abgeschlossen.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>A batch in &quot;%1&quot; was interrupted after %2 of %n renames.

Undo gives the renamed files their old names back. Finish renames the rest and writes the batch&apos;s restore file as it would have. Later leaves the batch as it is until the next start.</source>
        <translation>
            <numerusform>Ein Vorgang in „%1“ wurde nach %2 von %n Umbenennung unterbrochen.

Rückgängig gibt den umbenannten Dateien ihre alten Namen zurück. Abschließen benennt den Rest um und schreibt die Wiederherstellungsdatei des Vorgangs, wie er es getan hätte. Später lässt den Vorgang bis zum nächsten Start, wie er ist.</numerusform>
            <numerusform>Ein Vorgang in „%1“ wurde nach %2 von %n Umbenennungen unterbrochen.

Rückgängig gibt den umbenannten Dateien ihre alten Namen zurück. Abschließen benennt den Rest um und schreibt die Wiederherstellungsdatei des Vorgangs, wie er es getan hätte. Später lässt den Vorgang bis zum nächsten Start, wie er ist.</numerusform>
        </translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Rückgängig</translation>
    </message>
    <message>
        <source>Finish</source>
        <translation>Abschließen</translation>
    </message>
    <message>
        <source>Later</source>
        <translation>Später</translation>
    </message>
    <message>
        <source>Cannot read the restore file &quot;%1&quot;: %2</source>
        <translation>Die Wiederherstellungsdatei „%1“ kann nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>Cannot continue - the file &quot;%1&quot; holds the name of the restore file, spelled otherwise, and this folder&apos;s filesystem takes both spellings for one name: the batch&apos;s restore file would replace it. Rename it, or apply without a restore file. Nothing was renamed.</source>
        <translation>Fortfahren nicht möglich – die Datei „%1“ trägt den Namen der Wiederherstellungsdatei in anderer Schreibweise, und das Dateisystem dieses Ordners hält beide Schreibweisen für einen Namen: Die Wiederherstellungsdatei des Vorgangs würde sie ersetzen. Benennen Sie sie um oder wenden Sie die Änderungen ohne Wiederherstellungsdatei an. Es wurde nichts umbenannt.</translation>
    </message>
    <message>
        <source>Cannot open the folder &quot;%1&quot;: %2</source>
        <translation>Der Ordner „%1“ kann nicht geöffnet werden: %2</translation>
    </message>
    <message>
        <source>Cannot read the current folder: %1</source>
        <translation>Der aktuelle Ordner kann nicht gelesen werden: %1</translation>
    </message>
    <message>
        <source>Cannot list the mounted volumes: %1</source>
        <translation>Die eingehängten Datenträger können nicht ermittelt werden: %1</translation>
    </message>
    <message>
        <source>The folder &quot;%1&quot; no longer exists; showing &quot;%2&quot; instead.</source>
        <translation>Den Ordner „%1“ gibt es nicht mehr; stattdessen wird „%2“ angezeigt.</translation>
    </message>
    <message>
        <source>The record &quot;%1&quot; of an interrupted batch is not a whole record, so its batch can be neither undone nor finished. Check the file names in its folder (files may wait under hidden names that begin with &quot;.nameshift-&quot;), then move the record away.</source>
        <translation>Die Aufzeichnung „%1“ eines unterbrochenen Vorgangs ist nicht vollständig, daher kann ihr Vorgang weder rückgängig gemacht noch abgeschlossen werden. Prüfen Sie die Dateinamen in ihrem Ordner (Dateien können unter versteckten Namen warten, die mit „.nameshift-“ beginnen), und verschieben Sie dann die Aufzeichnung.</translation>
    </message>
    <message>
        <source>The record &quot;%1&quot; of an interrupted batch cannot be read: %2. Its batch can be neither undone nor finished. Check the file names in its folder (files may wait under hidden names that begin with &quot;.nameshift-&quot;), then move the record away.</source>
        <translation>Die Aufzeichnung „%1“ eines unterbrochenen Vorgangs kann nicht gelesen werden: %2. Ihr Vorgang kann weder rückgängig gemacht noch abgeschlossen werden. Prüfen Sie die Dateinamen in ihrem Ordner (Dateien können unter versteckten Namen warten, die mit „.nameshift-“ beginnen), und verschieben Sie dann die Aufzeichnung.</translation>
    </message>
    <message>
        <source>The restore file &quot;%1&quot; was replaced by another file while the names were restored, and is left as it is. The files not restored yet are offered at the next start.</source>
        <translation>Die Wiederherstellungsdatei „%1“ wurde während der Wiederherstellung durch eine andere Datei ersetzt und bleibt, wie sie ist. Die noch nicht wiederhergestellten Dateien werden beim nächsten Start angeboten.</translation>
    </message>
    <message>
        <source>The restore file &quot;%1&quot; could not be written: %2.
The files keep the names they have now; the batch&apos;s journal keeps its record, and the next start offers to undo or finish the batch.</source>
        <translation>Die Wiederherstellungsdatei „%1“ konnte nicht geschrieben werden: %2.
Die Dateien behalten ihre jetzigen Namen; das Protokoll des Vorgangs bewahrt seine Aufzeichnung, und der nächste Start bietet an, den Vorgang rückgängig zu machen oder abzuschließen.</translation>
    </message>
    <message>
        <source>Cannot continue - the folder &quot;%1&quot;, which keeps the records of batches, cannot be written to: %2. Make it writable, or set XDG_STATE_HOME to a folder that is, and try again. Nothing was renamed.</source>
        <translation>Fortfahren nicht möglich – in den Ordner „%1“, der die Aufzeichnungen der Vorgänge aufbewahrt, kann nicht geschrieben werden: %2. Machen Sie ihn beschreibbar, oder setzen Sie XDG_STATE_HOME auf einen beschreibbaren Ordner, und versuchen Sie es erneut. Es wurde nichts umbenannt.</translation>
    </message>
    <message>
        <source>The files of the restore file &quot;%1&quot; are neither in &quot;%2&quot;, the folder it names, nor in &quot;%3&quot;, the folder it is in. Nothing was restored.</source>
        <translation>Die Dateien der Wiederherstellungsdatei „%1“ liegen weder in „%2“, dem Ordner, den sie nennt, noch in „%3“, dem Ordner, in dem sie liegt. Es wurde nichts wiederhergestellt.</translation>
    </message>
    <message>
        <source>The name template has no code &quot;{%1}&quot; (at character %2).</source>
        <translation>Die Namensvorlage kennt keinen Code „{%1}“ (bei Zeichen %2).</translation>
    </message>
    <message>
        <source>The code &quot;{%1}&quot; of the name template does not take the format &quot;%2&quot; (at character %3).</source>
        <translation>Der Code „{%1}“ der Namensvorlage nimmt das Format „%2“ nicht an (bei Zeichen %3).</translation>
    </message>
    <message>
        <source>The brace at character %1 of the name template is not closed or not opened; write &quot;{{&quot; or &quot;}}&quot; for a brace of its own.</source>
        <translation>Die Klammer bei Zeichen %1 der Namensvorlage wird nicht geschlossen oder nicht geöffnet; für eine Klammer als Zeichen „{{“ oder „}}“ schreiben.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; cannot be renamed: it is not a file of this computer that can be found.</source>
        <translation>„%1“ kann nicht umbenannt werden: Es ist keine auffindbare Datei dieses Computers.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is a folder; open it in the folder tree to rename its files.</source>
        <translation>„%1“ ist ein Ordner; öffnen Sie ihn in der Ordnerliste, um seine Dateien umzubenennen.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is in another folder than the one listed; a batch renames the files of one folder.</source>
        <translation>„%1“ liegt in einem anderen als dem aufgelisteten Ordner; ein Vorgang benennt die Dateien eines Ordners um.</translation>
    </message>
    <message>
        <source>List of Names</source>
        <translation>Namensliste</translation>
    </message>
    <message numerus="yes">
        <source>The list gives %1 names for %n ticked file(s).</source>
        <translation>
            <numerusform>Die Liste nennt %1 Namen für %n angehakte Datei.</numerusform>
            <numerusform>Die Liste nennt %1 Namen für %n angehakte Dateien.</numerusform>
        </translation>
    </message>
    <message>
        <source>Line %1 of the list is empty.</source>
        <translation>Zeile %1 der Liste ist leer.</translation>
    </message>
    <message>
        <source>Line %1 of the list, &quot;%2&quot;, holds &quot;%3&quot;, which a file name may not hold.</source>
        <translation>Zeile %1 der Liste, „%2“, enthält „%3“, das ein Dateiname nicht enthalten darf.</translation>
    </message>
    <message>
        <source>Invalid Name Template</source>
        <translation>Ungültige Namensvorlage</translation>
    </message>
    <message>
        <source>no date taken</source>
        <translation>kein Aufnahmedatum</translation>
    </message>
    <message>
        <source>no camera</source>
        <translation>keine Kamera</translation>
    </message>
    <message>
        <source>no pixel size</source>
        <translation>keine Bildgröße</translation>
    </message>
    <message>
        <source>no duration</source>
        <translation>keine Dauer</translation>
    </message>
    <message>
        <source>no folder</source>
        <translation>kein Ordner</translation>
    </message>
    <message>
        <source>no modification date</source>
        <translation>kein Änderungsdatum</translation>
    </message>
    <message>
        <source>no birth date</source>
        <translation>kein Erstellungsdatum</translation>
    </message>
    <message>
        <source>no %1 tag</source>
        <translation>kein Tag %1</translation>
    </message>
    <message numerus="yes">
        <source>The restore file &quot;%1&quot; no longer matches the files in &quot;%2&quot;: %n of its file(s) were renamed or replaced since it was written. Nothing was restored.</source>
        <translation>
            <numerusform>Die Wiederherstellungsdatei „%1“ passt nicht mehr zu den Dateien in „%2“: %n ihrer Dateien wurde seither umbenannt oder ersetzt. Es wurde nichts wiederhergestellt.</numerusform>
            <numerusform>Die Wiederherstellungsdatei „%1“ passt nicht mehr zu den Dateien in „%2“: %n ihrer Dateien wurden seither umbenannt oder ersetzt. Es wurde nichts wiederhergestellt.</numerusform>
        </translation>
    </message>
    <message>
        <source>&quot;%1&quot;: the file is not found, and files wait under hidden names that begin with &quot;.nameshift-&quot;; the batch is kept until the file has one of its names again.</source>
        <translation>„%1“: Die Datei ist nicht zu finden, und es warten Dateien unter versteckten Namen, die mit „.nameshift-“ beginnen; der Vorgang bleibt aufbewahrt, bis die Datei wieder einen ihrer Namen trägt.</translation>
    </message>
    <message>
        <source>Select the restore file</source>
        <translation>Wiederherstellungsdatei auswählen</translation>
    </message>
    <message>
        <source>Dat Files (*.dat)</source>
        <translation>DAT-Dateien (*.dat)</translation>
    </message>
    <message>
        <source>Album Title</source>
        <translation>Albumtitel</translation>
    </message>
    <message>
        <source>Artist</source>
        <translation>Interpret</translation>
    </message>
    <message>
        <source>Genre</source>
        <translation>Genre</translation>
    </message>
    <message>
        <source>Track Name</source>
        <translation>Titelname</translation>
    </message>
    <message>
        <source>Track Number</source>
        <translation>Titelnummer</translation>
    </message>
    <message>
        <source>Year of Release</source>
        <translation>Erscheinungsjahr</translation>
    </message>
    <message>
        <source>Cannot continue - the folder &quot;%1&quot; is no longer the folder that was listed; the list is refreshed. Nothing was renamed.</source>
        <translation>Fortfahren nicht möglich – der Ordner „%1“ ist nicht mehr der Ordner, der eingelesen wurde; die Liste wird neu eingelesen. Es wurde nichts umbenannt.</translation>
    </message>
    <message>
        <source>The regular expression &quot;%1&quot; cannot be used: %2.</source>
        <translation>Der reguläre Ausdruck „%1“ kann nicht verwendet werden: %2.</translation>
    </message>
    <message>
        <source>Invalid Regular Expression</source>
        <translation>Ungültiger regulärer Ausdruck</translation>
    </message>
    <message>
        <source>The regular expression takes too long on the name &quot;%1&quot;. Please make it simpler.</source>
        <translation>Der reguläre Ausdruck braucht für den Namen „%1“ zu lange. Bitte vereinfachen Sie ihn.</translation>
    </message>
    <message>
        <source>Regular Expression Too Slow</source>
        <translation>Regulärer Ausdruck zu langsam</translation>
    </message>
    <message>
        <source>The include and exclude patterns take too long on the names of this folder taken together; they were stopped at the name &quot;%1&quot;. Please make them simpler.</source>
        <translation>Die Muster zum Einschließen und Ausschließen brauchen für die Namen dieses Ordners zusammen zu lange; sie wurden beim Namen „%1“ angehalten. Bitte vereinfachen Sie sie.</translation>
    </message>
    <message>
        <source>The text to insert</source>
        <translation>Der einzufügende Text</translation>
    </message>
    <message>
        <source>The insert position</source>
        <translation>Die Einfügestelle</translation>
    </message>
    <message>
        <source>The number of characters to remove</source>
        <translation>Die Zahl der zu entfernenden Zeichen</translation>
    </message>
    <message>
        <source>The remove position</source>
        <translation>Die Stelle, ab der entfernt wird</translation>
    </message>
    <message>
        <source>Invalid Preset Name</source>
        <translation>Ungültiger Vorlagenname</translation>
    </message>
    <message>
        <source>A preset needs a name.</source>
        <translation>Eine Vorlage braucht einen Namen.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; cannot name a preset: it names a folder.</source>
        <translation>„%1“ kann keine Vorlage benennen: Es bezeichnet einen Ordner.</translation>
    </message>
    <message>
        <source>A preset name cannot hold a NUL byte.</source>
        <translation>Ein Vorlagenname darf kein NUL-Byte enthalten.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; cannot name a preset: it holds a &quot;/&quot;.</source>
        <translation>„%1“ kann keine Vorlage benennen: Es enthält ein „/“.</translation>
    </message>
    <message>
        <source>A preset name can be at most %1 bytes long; this one has %2.</source>
        <translation>Ein Vorlagenname darf höchstens %1 Bytes lang sein; dieser hat %2.</translation>
    </message>
    <message>
        <source>There is no preset &quot;%1&quot;.</source>
        <translation>Es gibt keine Vorlage „%1“.</translation>
    </message>
    <message>
        <source>Preset Not Found</source>
        <translation>Vorlage nicht gefunden</translation>
    </message>
    <message>
        <source>Cannot read the presets folder &quot;%1&quot;: %2</source>
        <translation>Der Vorlagenordner „%1“ kann nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>Cannot read the preset &quot;%1&quot;: %2</source>
        <translation>Die Vorlage „%1“ kann nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>Cannot create the presets folder &quot;%1&quot;: %2</source>
        <translation>Der Vorlagenordner „%1“ kann nicht angelegt werden: %2</translation>
    </message>
    <message>
        <source>Cannot delete the preset &quot;%1&quot;: %2</source>
        <translation>Die Vorlage „%1“ kann nicht gelöscht werden: %2</translation>
    </message>
    <message>
        <source>Delete the preset &quot;%1&quot;?</source>
        <translation>Die Vorlage „%1“ löschen?</translation>
    </message>
    <message>
        <source>Delete Preset</source>
        <translation>Vorlage löschen</translation>
    </message>
    <message>
        <source>Batch %1 undone.</source>
        <translation>Vorgang %1 rückgängig gemacht.</translation>
    </message>
    <message>
        <source>Batch %1 redone.</source>
        <translation>Vorgang %1 wiederholt.</translation>
    </message>
    <message>
        <source>The folder &quot;%1&quot; of batch %2 is no longer there. Nothing was renamed.</source>
        <translation>Der Ordner „%1“ des Vorgangs %2 ist nicht mehr da. Nichts wurde umbenannt.</translation>
    </message>
    <message>
        <source>There is no batch %1 in the history.</source>
        <translation>Im Verlauf gibt es keinen Vorgang %1.</translation>
    </message>
    <message>
        <source>There is no batch to undo.</source>
        <translation>Es gibt keinen Vorgang, der rückgängig gemacht werden kann.</translation>
    </message>
    <message>
        <source>The record of batch %1 cannot be read, so the batch cannot be undone.</source>
        <translation>Der Eintrag des Vorgangs %1 lässt sich nicht lesen, daher kann der Vorgang nicht rückgängig gemacht werden.</translation>
    </message>
    <message>
        <source>Batch %1 is undone already.</source>
        <translation>Vorgang %1 ist bereits rückgängig gemacht.</translation>
    </message>
    <message>
        <source>Batch %1 cannot be undone yet: batch %2 renamed some of its files since. Undo batch %2 first. Nothing was renamed.</source>
        <translation>Vorgang %1 kann noch nicht rückgängig gemacht werden: Vorgang %2 hat seither einige seiner Dateien umbenannt. Machen Sie zuerst Vorgang %2 rückgängig. Nichts wurde umbenannt.</translation>
    </message>
    <message>
        <source>There is no undone batch to redo.</source>
        <translation>Es gibt keinen rückgängig gemachten Vorgang, der wiederholt werden kann.</translation>
    </message>
    <message>
        <source>Batch %1 cannot be redone: batch %2 ran in its folder since it was undone. Nothing was renamed.</source>
        <translation>Vorgang %1 kann nicht wiederholt werden: Vorgang %2 lief seither in seinem Ordner. Nichts wurde umbenannt.</translation>
    </message>
    <message>
        <source>The name template</source>
        <translation>Die Namensvorlage</translation>
    </message>
    <message>
        <source>The number of subfolder levels</source>
        <translation>Die Zahl der Unterordnerebenen</translation>
    </message>
    <message>
        <source>The include pattern</source>
        <translation>Das Einschlussmuster</translation>
    </message>
    <message>
        <source>The exclude pattern</source>
        <translation>Das Ausschlussmuster</translation>
    </message>
    <message>
        <source>The date format</source>
        <translation>Das Datumsformat</translation>
    </message>
    <message>
        <source>The number of batches the history keeps</source>
        <translation>Die Anzahl der Vorgänge im Verlauf</translation>
    </message>
    <message>
        <source>The size limit of the history</source>
        <translation>Die Größenbeschränkung des Verlaufs</translation>
    </message>
    <message>
        <source>The record of the batch in the history could not be written.</source>
        <translation>Der Eintrag des Vorgangs im Verlauf konnte nicht geschrieben werden.</translation>
    </message>
    <message numerus="yes">
        <source>Cannot continue - %n file(s) of the batch changed since the folder was listed: removed, renamed or replaced by another program. Nothing was renamed. The list shows the folder as it is now, the files still there ticked as before; apply again.</source>
        <translation>
            <numerusform>Fortfahren nicht möglich – %n Datei des Vorgangs wurde verändert, seit der Ordner aufgelistet wurde: entfernt, umbenannt oder von einem anderen Programm ersetzt. Nichts wurde umbenannt. Die Liste zeigt den Ordner, wie er jetzt ist, die noch vorhandenen Dateien ausgewählt wie zuvor; wenden Sie die Änderungen erneut an.</numerusform>
            <numerusform>Fortfahren nicht möglich – %n Dateien des Vorgangs wurden verändert, seit der Ordner aufgelistet wurde: entfernt, umbenannt oder von einem anderen Programm ersetzt. Nichts wurde umbenannt. Die Liste zeigt den Ordner, wie er jetzt ist, die noch vorhandenen Dateien ausgewählt wie zuvor; wenden Sie die Änderungen erneut an.</numerusform>
        </translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>Wiederholen</translation>
    </message>
    <message>
        <source>1 file in &quot;%1&quot; got its earlier name back.</source>
        <translation>1 Datei in „%1“ erhielt ihren früheren Namen zurück.</translation>
    </message>
    <message numerus="yes">
        <source>%n files in &quot;%1&quot; got their earlier names back.</source>
        <translation>
            <numerusform>%n Datei in „%1“ erhielt ihren früheren Namen zurück.</numerusform>
            <numerusform>%n Dateien in „%1“ erhielten ihre früheren Namen zurück.</numerusform>
        </translation>
    </message>
    <message>
        <source>1 file in &quot;%1&quot; got its new name again.</source>
        <translation>1 Datei in „%1“ erhielt ihren neuen Namen wieder.</translation>
    </message>
    <message numerus="yes">
        <source>%n files in &quot;%1&quot; got their new names again.</source>
        <translation>
            <numerusform>%n Datei in „%1“ erhielt ihren neuen Namen wieder.</numerusform>
            <numerusform>%n Dateien in „%1“ erhielten ihre neuen Namen wieder.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Undo cancelled - %1 of %n file(s) in &quot;%2&quot; got their earlier names back.</source>
        <translation>
            <numerusform>Rückgängigmachen abgebrochen – %1 von %n Datei in „%2“ erhielt ihren früheren Namen zurück.</numerusform>
            <numerusform>Rückgängigmachen abgebrochen – %1 von %n Dateien in „%2“ erhielten ihre früheren Namen zurück.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Redo cancelled - %1 of %n file(s) in &quot;%2&quot; got their new names again.</source>
        <translation>
            <numerusform>Wiederholen abgebrochen – %1 von %n Datei in „%2“ erhielt ihren neuen Namen wieder.</numerusform>
            <numerusform>Wiederholen abgebrochen – %1 von %n Dateien in „%2“ erhielten ihre neuen Namen wieder.</numerusform>
        </translation>
    </message>
    <message>
        <source>Undo the batch of %1 in &quot;%2&quot;: 1 file gets its earlier name back?</source>
        <translation>Den Vorgang von %1 in „%2“ rückgängig machen: 1 Datei erhält ihren früheren Namen zurück?</translation>
    </message>
    <message numerus="yes">
        <source>Undo the batch of %1 in &quot;%2&quot;: %n files get their earlier names back?</source>
        <translation>
            <numerusform>Den Vorgang von %1 in „%2“ rückgängig machen: %n Datei erhält ihren früheren Namen zurück?</numerusform>
            <numerusform>Den Vorgang von %1 in „%2“ rückgängig machen: %n Dateien erhalten ihre früheren Namen zurück?</numerusform>
        </translation>
    </message>
    <message>
        <source>There is no batch to undo in &quot;%1&quot;. Open the history, which lists the batches of every folder?</source>
        <translation>In „%1“ gibt es keinen Vorgang zum Rückgängigmachen. Den Verlauf öffnen, der die Vorgänge aller Ordner auflistet?</translation>
    </message>
    <message>
        <source>There is no undone batch to redo in &quot;%1&quot;.</source>
        <translation>In „%1“ gibt es keinen rückgängig gemachten Vorgang zum Wiederholen.</translation>
    </message>
</context>
<context>
    <name>QProgressDialog</name>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>nameshift::ui::AboutDialog</name>
    <message>
        <source>About Nameshift Pro</source>
        <translation>Über Nameshift Pro</translation>
    </message>
    <message>
        <source>Nameshift Pro Version </source>
        <translation>Nameshift Pro Version </translation>
    </message>
    <message>
        <source>Renames files in batches, by rules or from their ID3 tags.</source>
        <translation>Benennt viele Dateien auf einmal um, nach Regeln oder aus ihren ID3-Tags.</translation>
    </message>
    <message>
        <source>&amp;Written by:</source>
        <translation>&amp;Geschrieben von:</translation>
    </message>
    <message>
        <source>the Nameshift Pro developers</source>
        <translation>den Entwicklern von Nameshift Pro</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Closes the About box</source>
        <translation>Schließt das Info-Fenster</translation>
    </message>
</context>
<context>
    <name>nameshift::ui::DirectoryChainTree</name>
    <message>
        <source>&amp;Refresh</source>
        <translation>&amp;Aktualisieren</translation>
    </message>
</context>
<context>
    <name>nameshift::ui::DirectoryBrowser</name>
    <message>
        <source>Available drives:</source>
        <translation>Verfügbare Laufwerke:</translation>
    </message>
    <message>
        <source>%1 (not responding)</source>
        <translation>%1 (antwortet nicht)</translation>
    </message>
    <message>
        <source>Type or paste a folder (Ctrl+L)</source>
        <translation>Ordner eintippen oder einfügen (Strg+L)</translation>
    </message>
    <message>
        <source>Go to folder</source>
        <translation>Zum Ordner gehen</translation>
    </message>
</context>
<context>
    <name>nameshift::ui::FileListModel</name>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>New Name</source>
        <translation>Neuer Name</translation>
    </message>
    <message>
        <source>Folder</source>
        <translation>Ordner</translation>
    </message>
    <message>
        <source>%1: the restore file of this folder, which Restore Filenames reads. Select all leaves it out.</source>
        <translation>%1: die Wiederherstellungsdatei dieses Ordners, die „Namen wiederherstellen“ liest. „Alle Dateien aus-/abwählen“ lässt sie aus.</translation>
    </message>
</context>
<context>
    <name>nameshift::ui::FilePanel</name>
    <message>
        <source>Select/Deselect all files</source>
        <translation>Alle Dateien aus-/abwählen</translation>
    </message>
    <message numerus="yes">
        <source>%n file(s) total - %1 selected</source>
        <translation>
            <numerusform>%n Datei insgesamt – %1 ausgewählt</numerusform>
            <numerusform>%n Dateien insgesamt – %1 ausgewählt</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 - %2</source>
        <translation>%1 – %2</translation>
    </message>
</context>
<context>
    <name>nameshift::ui::HelpWindow</name>
    <message>
        <source>Nameshift Pro Help</source>
        <translation>Nameshift Pro Hilfe</translation>
    </message>
    <message>
        <source>C&amp;ontents</source>
        <translation>&amp;Inhalt</translation>
    </message>
    <message>
        <source>Shows the list of help topics</source>
        <translation>Zeigt die Liste der Hilfethemen</translation>
    </message>
    <message>
        <source>&amp;Back</source>
        <translation>&amp;Zurück</translation>
    </message>
    <message>
        <source>Goes back to the page shown before (Alt+Left)</source>
        <translation>Geht zur zuvor gezeigten Seite zurück (Alt+Links)</translation>
    </message>
    <message>
        <source>&amp;Forward</source>
        <translation>&amp;Vor</translation>
    </message>
    <message>
        <source>Goes forward again (Alt+Right)</source>
        <translation>Geht wieder vorwärts (Alt+Rechts)</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Schließen</translation>
    </message>
    <message>
        <source>Closes the help window</source>
        <translation>Schließt das Hilfefenster</translation>
    </message>
</context>
<context>
    <name>nameshift::ui::HistoryDialog</name>
    <message>
        <source>History</source>
        <translation>Verlauf</translation>
    </message>
    <message>
        <source>Batch</source>
        <translation>Vorgang</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Zeit</translation>
    </message>
    <message>
        <source>Folder</source>
        <translation>Ordner</translation>
    </message>
    <message>
        <source>Files</source>
        <translation>Dateien</translation>
    </message>
    <message>
        <source>State</source>
        <translation>Zustand</translation>
    </message>
    <message>
        <source>unreadable</source>
        <translation>unlesbar</translation>
    </message>
    <message>
        <source>done</source>
        <translation>erledigt</translation>
    </message>
    <message>
        <source>undone</source>
        <translation>rückgängig gemacht</translation>
    </message>
    <message>
        <source>&amp;Undo batch</source>
        <translation>Vorgang &amp;rückgängig</translation>
    </message>
</context>
<context>
    <name>nameshift::ui::TagFieldLists</name>
    <message>
        <source>Avai&amp;lable frames:</source>
        <translation>Verfügb&amp;are Felder:</translation>
    </message>
    <message>
        <source>S&amp;elected frames:</source>
        <translation>Aus&amp;gewählte Felder:</translation>
    </message>
    <message>
        <source>Selects every frame (Alt+Shift+Right)</source>
        <translation>Wählt alle Felder aus (Alt+Umschalt+Rechts)</translation>
    </message>
    <message>
        <source>Selects the chosen frame (Alt+Right)</source>
        <translation>Wählt das markierte Feld aus (Alt+Rechts)</translation>
    </message>
    <message>
        <source>Takes the chosen frame out (Alt+Left)</source>
        <translation>Nimmt das markierte Feld heraus (Alt+Links)</translation>
    </message>
    <message>
        <source>Takes every frame out (Alt+Shift+Left)</source>
        <translation>Nimmt alle Felder heraus (Alt+Umschalt+Links)</translation>
    </message>
    <message>
        <source>Moves the chosen frame up (Alt+Up)</source>
        <translation>Schiebt das markierte Feld nach oben (Alt+Hoch)</translation>
    </message>
    <message>
        <source>Up</source>
        <translation>Nach oben</translation>
    </message>
    <message>
        <source>Moves the chosen frame down (Alt+Down)</source>
        <translation>Schiebt das markierte Feld nach unten (Alt+Runter)</translation>
    </message>
    <message>
        <source>Down</source>
        <translation>Nach unten</translation>
    </message>
</context>
<context>
    <name>nameshift::ui::TagNamingOptionsDialog</name>
    <message>
        <source>ID3 Options</source>
        <translation>ID3-Optionen</translation>
    </message>
    <message>
        <source>Rename Mode</source>
        <translation>Umbenennungsmodus</translation>
    </message>
    <message>
        <source>&amp;Only rename if ALL specified frames are present, in the ID3 tag, otherwise use alternate renaming options</source>
        <translation>&amp;Nur umbenennen, wenn ALLE angegebenen Felder im ID3-Tag vorhanden sind, sonst die übrigen Umbenennungsoptionen verwenden</translation>
    </message>
    <message>
        <source>&amp;If ALL specified frames are NOT present, in the ID3 tag,  do not rename the file at all</source>
        <translation>&amp;Wenn NICHT ALLE angegebenen Felder im ID3-Tag vorhanden sind, die Datei gar nicht umbenennen</translation>
    </message>
    <message>
        <source>Rename to &amp;what ever specified frames, in the ID3 tag, are present</source>
        <translation>Nach den im ID3-Tag &amp;vorhandenen angegebenen Feldern umbenennen</translation>
    </message>
    <message>
        <source>Use &amp;Basic ID3 Options</source>
        <translation>&amp;Einfache ID3-Optionen verwenden</translation>
    </message>
    <message>
        <source>Use A&amp;dvanced ID3 Options</source>
        <translation>E&amp;rweiterte ID3-Optionen verwenden</translation>
    </message>
    <message>
        <source>Use &amp;Separators</source>
        <translation>&amp;Trennzeichen verwenden</translation>
    </message>
    <message>
        <source>S&amp;paces</source>
        <translation>&amp;Leerzeichen</translation>
    </message>
    <message>
        <source>&amp;Hyphens</source>
        <translation>&amp;Bindestriche</translation>
    </message>
    <message>
        <source>&amp;Underscores</source>
        <translation>&amp;Unterstriche</translation>
    </message>
    <message>
        <source>&amp;Format:</source>
        <translation>&amp;Format:</translation>
    </message>
    <message>
        <source>Legend</source>
        <translation>Legende</translation>
    </message>
    <message>
        <source>Example Tag Result:</source>
        <translation>Beispielergebnis:</translation>
    </message>
    <message>
        <source>&amp;Restore Defaults</source>
        <translation>&amp;Standard wiederherstellen</translation>
    </message>
    <message>
        <source>Puts back the options a new installation starts with</source>
        <translation>Stellt die Optionen einer neuen Installation wieder her</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Saves the options in ID3Opts.ini and closes the window</source>
        <translation>Speichert die Optionen in ID3Opts.ini und schließt das Fenster</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>Abbre&amp;chen</translation>
    </message>
    <message>
        <source>Closes the window without saving</source>
        <translation>Schließt das Fenster ohne zu speichern</translation>
    </message>
    <message>
        <source>Sample Album</source>
        <translation>Beispielalbum</translation>
    </message>
    <message>
        <source>Sample Artist</source>
        <translation>Beispielinterpret</translation>
    </message>
    <message>
        <source>Rock</source>
        <translation>Rock</translation>
    </message>
    <message>
        <source>Sample Track</source>
        <translation>Beispieltitel</translation>
    </message>
    <message>
        <source>Sample Band</source>
        <translation>Beispielband</translation>
    </message>
    <message>
        <source>Sample Composer</source>
        <translation>Beispielkomponist</translation>
    </message>
    <message>
        <source>%7 - Album Artist</source>
        <translation>%7 - Albuminterpret</translation>
    </message>
    <message>
        <source>%8 - Disc Number</source>
        <translation>%8 - CD-Nummer</translation>
    </message>
    <message>
        <source>%9 - Composer</source>
        <translation>%9 - Komponist</translation>
    </message>
    <message>
        <source>%m - Date Modified</source>
        <translation>%m - Änderungsdatum</translation>
    </message>
    <message>
        <source>%b - Date Created</source>
        <translation>%b - Erstellungsdatum</translation>
    </message>
    <message>
        <source>%t - Date Taken</source>
        <translation>%t - Aufnahmedatum</translation>
    </message>
    <message>
        <source>%c - Camera</source>
        <translation>%c - Kamera</translation>
    </message>
    <message>
        <source>%x - Pixel Size</source>
        <translation>%x - Bildgröße</translation>
    </message>
    <message>
        <source>%d - Duration</source>
        <translation>%d - Dauer</translation>
    </message>
</context>
<context>
    <name>nameshift::ui::MainDialog</name>
    <message>
        <source>&amp;Preview changes</source>
        <translation>&amp;Vorschau</translation>
    </message>
    <message>
        <source>&amp;Restore Filenames</source>
        <translation>&amp;Namen wiederherstellen</translation>
    </message>
    <message>
        <source>&amp;Options</source>
        <translation>&amp;Optionen</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>&amp;Apply changes</source>
        <translation>Änderungen &amp;anwenden</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>B&amp;eenden</translation>
    </message>
    <message>
        <source>&amp;Save settings</source>
        <translation>Einstellungen &amp;speichern</translation>
    </message>
    <message>
        <source>A&amp;bout</source>
        <translation>Ü&amp;ber</translation>
    </message>
    <message>
        <source>&amp;About Nameshift Pro...</source>
        <translation>Ü&amp;ber Nameshift Pro...</translation>
    </message>
    <message>
        <source>Renaming files...</source>
        <translation>Dateien werden umbenannt...</translation>
    </message>
    <message>
        <source>Restoring file names...</source>
        <translation>Dateinamen werden wiederhergestellt...</translation>
    </message>
    <message>
        <source>Recovering an interrupted batch...</source>
        <translation>Ein unterbrochener Vorgang wird wiederhergestellt...</translation>
    </message>
    <message>
        <source>&amp;Undo last batch...</source>
        <translation>Letzten Vorgang &amp;rückgängig...</translation>
    </message>
    <message>
        <source>Re&amp;do batch</source>
        <translation>Vorgang &amp;wiederholen</translation>
    </message>
    <message>
        <source>His&amp;tory...</source>
        <translation>&amp;Verlauf...</translation>
    </message>
    <message>
        <source>Undoing the batch...</source>
        <translation>Der Vorgang wird rückgängig gemacht...</translation>
    </message>
    <message>
        <source>Redoing the batch...</source>
        <translation>Der Vorgang wird wiederholt...</translation>
    </message>
</context>
<context>
    <name>nameshift::ui::NameListDialog</name>
    <message>
        <source>Edit as text…</source>
        <translation>Als Text bearbeiten…</translation>
    </message>
    <message>
        <source>Import names…</source>
        <translation>Namen importieren…</translation>
    </message>
</context>
<context>
    <name>nameshift::ui::NameTemplateField</name>
    <message>
        <source>Name template:</source>
        <translation>Namensvorlage:</translation>
    </message>
    <message>
        <source>Insert code</source>
        <translation>Code einfügen</translation>
    </message>
    <message>
        <source>Counter</source>
        <translation>Zähler</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Datei</translation>
    </message>
    <message>
        <source>Tags</source>
        <translation>Tags</translation>
    </message>
    <message>
        <source>Dates</source>
        <translation>Daten</translation>
    </message>
    <message>
        <source>Photo and Recording</source>
        <translation>Foto und Aufnahme</translation>
    </message>
</context>
<context>
    <name>nameshift::ui::MoreRulesPanel</name>
    <message>
        <source>&amp;More rules</source>
        <translation>&amp;Weitere Regeln</translation>
    </message>
    <message>
        <source>Co&amp;ntinue from the last batch in this folder</source>
        <translation>Zähler vom letzten Vorgang in diesem Ordner fortse&amp;tzen</translation>
    </message>
    <message>
        <source>Remove specific string:</source>
        <translation>Bestimmten Text entfernen:</translation>
    </message>
    <message>
        <source>Re&amp;gular expression</source>
        <translation>Re&amp;gulärer Ausdruck</translation>
    </message>
    <message>
        <source>A&amp;ll occurrences</source>
        <translation>A&amp;lle Vorkommen</translation>
    </message>
    <message>
        <source>Match &amp;case</source>
        <translation>Groß-/&amp;Kleinschreibung beachten</translation>
    </message>
    <message>
        <source>Replace string:</source>
        <translation>Text ersetzen:</translation>
    </message>
    <message>
        <source>&amp;Insert</source>
        <translation>Ein&amp;fügen</translation>
    </message>
    <message>
        <source>at position</source>
        <translation>an Stelle</translation>
    </message>
    <message>
        <source>Count from the en&amp;d</source>
        <translation>Vom En&amp;de an zählen</translation>
    </message>
    <message>
        <source>Remo&amp;ve</source>
        <translation>Entfe&amp;rnen</translation>
    </message>
    <message>
        <source>characters from position</source>
        <translation>Zeichen ab Stelle</translation>
    </message>
    <message>
        <source>&amp;Trim spaces, dots, underscores and hyphens at both ends</source>
        <translation>Leerzeichen, &amp;Punkte, Unter- und Bindestriche an beiden Enden entfernen</translation>
    </message>
    <message>
        <source>Collapse r&amp;uns of spaces</source>
        <translation>Mehrfache Leerzeichen zusa&amp;mmenfassen</translation>
    </message>
    <message>
        <source>Remove acc&amp;ents</source>
        <translation>Ak&amp;zente entfernen</translation>
    </message>
    <message>
        <source>Latin letters onl&amp;y</source>
        <translation>Nur lateinische B&amp;uchstaben</translation>
    </message>
    <message>
        <source>Letter case &amp;for:</source>
        <translation>Schreibweise g&amp;ilt für:</translation>
    </message>
    <message>
        <source>Name and extension</source>
        <translation>Name und Endung</translation>
    </message>
    <message>
        <source>Name only</source>
        <translation>Nur Name</translation>
    </message>
    <message>
        <source>Extension only</source>
        <translation>Nur Endung</translation>
    </message>
    <message>
        <source>Lo&amp;wer-case extension</source>
        <translation>Endung klein s&amp;chreiben</translation>
    </message>
    <message>
        <source>More Options</source>
        <translation>Weitere Optionen</translation>
    </message>
    <message>
        <source>Number files that would get one name: &quot; (2)&quot;, &quot; (3)&quot;</source>
        <translation>Dateien, die denselben Namen bekämen, nummerieren: &quot; (2)&quot;, &quot; (3)&quot;</translation>
    </message>
    <message>
        <source>Date format of the tag codes %t, %m and %b:</source>
        <translation>Datumsformat der Tag-Codes %t, %m und %b:</translation>
    </message>
</context>
<context>
    <name>nameshift::ui::OptionsDialog</name>
    <message>
        <source>Options</source>
        <translation>Optionen</translation>
    </message>
    <message>
        <source>Con&amp;firmation on Exit</source>
        <translation>Beenden &amp;bestätigen</translation>
    </message>
    <message>
        <source>Display &amp;warning when applying changes</source>
        <translation>&amp;Warnung vor dem Anwenden der Änderungen anzeigen</translation>
    </message>
    <message>
        <source>Exit program after &amp;applying changes</source>
        <translation>Programm nach dem &amp;Anwenden der Änderungen beenden</translation>
    </message>
    <message>
        <source>Exit program after &amp;restoring filenames</source>
        <translation>Programm nach dem Wieder&amp;herstellen der Namen beenden</translation>
    </message>
    <message>
        <source>Startup Directory</source>
        <translation>Startverzeichnis</translation>
    </message>
    <message>
        <source>On start&amp;up use the following directory path</source>
        <translation>Beim &amp;Start folgenden Verzeichnispfad verwenden</translation>
    </message>
    <message>
        <source>&amp;Path:</source>
        <translation>&amp;Pfad:</translation>
    </message>
    <message>
        <source>Restore File</source>
        <translation>Wiederherstellungsdatei</translation>
    </message>
    <message>
        <source>Au&amp;tomatically create a restore file</source>
        <translation>Wiederherstellungsdatei a&amp;utomatisch anlegen</translation>
    </message>
    <message>
        <source>Display &amp;option to create a restore file when applying changes</source>
        <translation>Beim Anwenden der Änderungen &amp;fragen, ob eine Wiederherstellungsdatei angelegt wird</translation>
    </message>
    <message>
        <source>Do &amp;not create a restore file</source>
        <translation>&amp;Keine Wiederherstellungsdatei anlegen</translation>
    </message>
    <message>
        <source>&amp;Save &amp;&amp; Close</source>
        <translation>Speichern &amp;&amp; s&amp;chließen</translation>
    </message>
    <message>
        <source>Saves the options in opt.ini and closes the window</source>
        <translation>Speichert die Optionen in opt.ini und schließt das Fenster</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>Abbr&amp;echen</translation>
    </message>
    <message>
        <source>Closes the window without saving</source>
        <translation>Schließt das Fenster ohne zu speichern</translation>
    </message>
    <message>
        <source>History</source>
        <translation>Verlauf</translation>
    </message>
    <message>
        <source>&amp;Keep the undo record only in the history (no restore.dat in the folder)</source>
        <translation>Rückgängig-Daten nur im &amp;Verlauf aufbewahren (keine restore.dat im Ordner)</translation>
    </message>
    <message>
        <source>Batches kept in the &amp;history:</source>
        <translation>Im Verlauf aufbewahrte Vorgän&amp;ge:</translation>
    </message>
    <message>
        <source>Size &amp;limit (MiB):</source>
        <translation>Größen&amp;limit (MiB):</translation>
    </message>
</context>
<context>
    <name>nameshift::ui::PresetBar</name>
    <message>
        <source>Pic&amp;k a preset:</source>
        <translation>Vorlage w&amp;ählen:</translation>
    </message>
    <message>
        <source>Save as preset…</source>
        <translation>Als Vorlage speichern…</translation>
    </message>
    <message>
        <source>Delete preset</source>
        <translation>Vorlage löschen</translation>
    </message>
    <message>
        <source>Save as Preset</source>
        <translation>Als Vorlage speichern</translation>
    </message>
    <message>
        <source>Name of the preset:</source>
        <translation>Name der Vorlage:</translation>
    </message>
</context>
<context>
    <name>nameshift::ui::PreviewDialog</name>
    <message>
        <source>&amp;Close Window</source>
        <translation>Fenster &amp;schließen</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>Vorschau</translation>
    </message>
    <message>
        <source>Old FileName</source>
        <translation>Alter Dateiname</translation>
    </message>
    <message>
        <source>New FileName</source>
        <translation>Neuer Dateiname</translation>
    </message>
    <message>
        <source>Old Filename</source>
        <translation>Alter Dateiname</translation>
    </message>
    <message>
        <source>New Filename</source>
        <translation>Neuer Dateiname</translation>
    </message>
    <message>
        <source>Reason</source>
        <translation>Grund</translation>
    </message>
    <message>
        <source>Apply would refuse this batch and rename nothing:</source>
        <translation>Änderungen anwenden würde diesen Vorgang ablehnen und nichts umbenennen:</translation>
    </message>
    <message numerus="yes">
        <source>%n file(s) would not be renamed; the marked rows say why.</source>
        <translation>
            <numerusform>%n Datei würde nicht umbenannt; die markierten Zeilen sagen, warum.</numerusform>
            <numerusform>%n Dateien würden nicht umbenannt; die markierten Zeilen sagen, warum.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>nameshift::ui::RulePanel</name>
    <message>
        <source>Change Prefix</source>
        <translation>Präfix ändern</translation>
    </message>
    <message>
        <source>to</source>
        <translation>in</translation>
    </message>
    <message>
        <source>Add prefix to the</source>
        <translation>Präfix setzen am</translation>
    </message>
    <message>
        <source>Beginning   /</source>
        <translation>Anfang   /</translation>
    </message>
    <message>
        <source>End  or</source>
        <translation>Ende  oder</translation>
    </message>
    <message>
        <source>Replace</source>
        <translation>Ersetzen</translation>
    </message>
    <message>
        <source>Use Counter</source>
        <translation>Zähler verwenden</translation>
    </message>
    <message>
        <source>Start counter at:</source>
        <translation>Zähler beginnt bei:</translation>
    </message>
    <message>
        <source>Increment by:</source>
        <translation>Schrittweite:</translation>
    </message>
    <message>
        <source>Use:</source>
        <translation>Anzahl:</translation>
    </message>
    <message>
        <source>digits</source>
        <translation>Stellen</translation>
    </message>
    <message>
        <source>Prepend  /</source>
        <translation>Voranstellen  /</translation>
    </message>
    <message>
        <source>Append   counter to prefix</source>
        <translation>Anhängen   Zähler an das Präfix</translation>
    </message>
    <message>
        <source>Change Extension</source>
        <translation>Endung ändern</translation>
    </message>
    <message>
        <source>Add extension to </source>
        <translation>Endung setzen am </translation>
    </message>
    <message>
        <source>Beginning  /</source>
        <translation>Anfang  /</translation>
    </message>
    <message>
        <source>Spaces</source>
        <translation>Leerzeichen</translation>
    </message>
    <message>
        <source>Brackets</source>
        <translation>Klammern</translation>
    </message>
    <message>
        <source>Tildes</source>
        <translation>Tilden</translation>
    </message>
    <message>
        <source>Hyphens</source>
        <translation>Bindestriche</translation>
    </message>
    <message>
        <source>Remove specific string</source>
        <translation>Bestimmten Text entfernen</translation>
    </message>
    <message>
        <source>Replace string</source>
        <translation>Text ersetzen</translation>
    </message>
    <message>
        <source>with</source>
        <translation>durch</translation>
    </message>
    <message>
        <source>Make all lower case</source>
        <translation>Alles klein schreiben</translation>
    </message>
    <message>
        <source>Make all upper case</source>
        <translation>Alles groß schreiben</translation>
    </message>
    <message>
        <source>Make 1st character in each word upper case</source>
        <translation>Jedes Wort mit großem Anfangsbuchstaben</translation>
    </message>
    <message>
        <source>Support ID3 tags</source>
        <translation>ID3-Tags verwenden</translation>
    </message>
    <message>
        <source>ID3 Options</source>
        <translation>ID3-Optionen</translation>
    </message>
    <message>
        <source>Archive</source>
        <translation>Archiv</translation>
    </message>
    <message>
        <source>Read Only</source>
        <translation>Schreibgeschützt</translation>
    </message>
    <message>
        <source>Hidden</source>
        <translation>Versteckt</translation>
    </message>
    <message>
        <source>System</source>
        <translation>System</translation>
    </message>
    <message>
        <source>Folders</source>
        <translation>Ordner</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Datum</translation>
    </message>
    <message>
        <source>Extension</source>
        <translation>Endung</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Größe</translation>
    </message>
    <message>
        <source>Standard Options</source>
        <translation>Standardoptionen</translation>
    </message>
    <message>
        <source>Advanced Options</source>
        <translation>Erweiterte Optionen</translation>
    </message>
    <message>
        <source>Remove all:</source>
        <translation>Alle entfernen:</translation>
    </message>
    <message>
        <source>File Display Options</source>
        <translation>Dateianzeige</translation>
    </message>
    <message>
        <source>Attribute Mask:</source>
        <translation>Attributmaske:</translation>
    </message>
    <message>
        <source>Sort filenames by:</source>
        <translation>Sortieren nach:</translation>
    </message>
    <message>
        <source>File Mask:</source>
        <translation>Dateimaske:</translation>
    </message>
    <message>
        <source>Numbers in natural order (&amp;2 before 10)</source>
        <translation>Zahlen in natürlicher Reihenfolge (&amp;2 vor 10)</translation>
    </message>
    <message>
        <source>Include subfolders</source>
        <translation>Unterordner einbeziehen</translation>
    </message>
    <message>
        <source>all</source>
        <translation>alle</translation>
    </message>
    <message>
        <source>Levels:</source>
        <translation>Ebenen:</translation>
    </message>
    <message>
        <source>Include:</source>
        <translation>Einschließen:</translation>
    </message>
    <message>
        <source>Exclude:</source>
        <translation>Ausschließen:</translation>
    </message>
</context>
<context>
    <name>nameshift::ui::StartupSplash</name>
    <message>
        <source>Batch file renamer</source>
        <translation>Stapel-Umbenenner für Dateien</translation>
    </message>
    <message>
        <source>Loading…</source>
        <translation>Wird geladen...</translation>
    </message>
</context>
</TS>
