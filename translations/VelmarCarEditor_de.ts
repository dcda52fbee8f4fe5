<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>EditorSteps</name>
    <message>
        <source>Move Vertices %1 and %2 of %3</source>
        <translation>Eckpunkte %1 und %2 von %3 verschieben</translation>
    </message>
    <message>
        <source>Move Vertex %1 of %2</source>
        <translation>Eckpunkt %1 von %2 verschieben</translation>
    </message>
    <message>
        <source>Move Front Wheels of %1</source>
        <translation>Vorderräder von %1 verschieben</translation>
    </message>
    <message>
        <source>Move Rear Wheels of %1</source>
        <translation>Hinterräder von %1 verschieben</translation>
    </message>
    <message>
        <source>Move Right Front Wheel of %1</source>
        <translation>Rechtes Vorderrad von %1 verschieben</translation>
    </message>
    <message>
        <source>Move Left Front Wheel of %1</source>
        <translation>Linkes Vorderrad von %1 verschieben</translation>
    </message>
    <message>
        <source>Move Right Rear Wheel of %1</source>
        <translation>Rechtes Hinterrad von %1 verschieben</translation>
    </message>
    <message>
        <source>Move Left Rear Wheel of %1</source>
        <translation>Linkes Hinterrad von %1 verschieben</translation>
    </message>
    <message>
        <source>Move Head of %1</source>
        <translation>Kopf von %1 verschieben</translation>
    </message>
</context>
<context>
    <name>OGLUtils</name>
    <message>
        <source>ERROR</source>
        <translation>FEHLER</translation>
    </message>
    <message>
        <source>SHUTDOWN ERROR</source>
        <translation>FEHLER BEIM BEENDEN</translation>
    </message>
    <message>
        <source>Can&apos;t Find A Suitable PixelFormat.</source>
        <translation>Kein passendes Pixelformat gefunden.</translation>
    </message>
    <message>
        <source>Can&apos;t Set The PixelFormat.</source>
        <translation>Das Pixelformat kann nicht gesetzt werden.</translation>
    </message>
    <message>
        <source>Can&apos;t Create A GL Rendering Context.</source>
        <translation>Der GL-Renderkontext kann nicht erstellt werden.</translation>
    </message>
    <message>
        <source>Can&apos;t Activate The GL Rendering Context.</source>
        <translation>Der GL-Renderkontext kann nicht aktiviert werden.</translation>
    </message>
    <message>
        <source>Initialization Failed.</source>
        <translation>Initialisierung fehlgeschlagen.</translation>
    </message>
    <message>
        <source>Release Of DC And RC Failed.</source>
        <translation>Freigabe von DC und RC fehlgeschlagen.</translation>
    </message>
    <message>
        <source>Release Rendering Context Failed.</source>
        <translation>Freigabe des Renderkontexts fehlgeschlagen.</translation>
    </message>
</context>
<context>
    <name>QFileDialog</name>
    <message>
        <source>%1 already exists.
Do you want to replace it?</source>
        <translation>Die Datei %1 existiert bereits.
Soll sie überschrieben werden?</translation>
    </message>
</context>
<context>
    <name>ToolBox</name>
    <message>
        <source>Import</source>
        <translation>Import</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>Export</translation>
    </message>
    <message>
        <source>Colour:</source>
        <translation>Farbe:</translation>
    </message>
    <message>
        <source>Flip Poly</source>
        <translation>Umdrehen</translation>
    </message>
    <message>
        <source>Head Vis.</source>
        <translation>Kopf</translation>
    </message>
    <message>
        <source>Toolbox</source>
        <translation>Werkzeuge</translation>
    </message>
    <message>
        <source>Triangle</source>
        <translation>Dreieck</translation>
    </message>
    <message>
        <source>The triangle, shown blue, whose colour the Colour box sets</source>
        <translation>Das blau gezeigte Dreieck, dessen Farbe das Feld Farbe setzt</translation>
    </message>
    <message>
        <source>Colour</source>
        <translation>Farbe</translation>
    </message>
    <message>
        <source>The colour number of the triangle, 0 to 255</source>
        <translation>Die Farbnummer des Dreiecks, 0 bis 255</translation>
    </message>
    <message>
        <source>Palette...</source>
        <translation>Palette...</translation>
    </message>
    <message>
        <source>Spheres</source>
        <translation>Kugeln</translation>
    </message>
    <message>
        <source>Mirror X</source>
        <translation>Spiegeln X</translation>
    </message>
    <message>
        <source>Opens the palette beside the editor; a swatch sets the triangle&apos;s colour</source>
        <translation>Öffnet die Palette neben dem Editor; ein Farbfeld setzt die Farbe des Dreiecks</translation>
    </message>
    <message>
        <source>Shows the wheels and the head in the flat views; their centres are picked and moved as vertices</source>
        <translation>Zeigt die Räder und den Kopf in den flachen Ansichten; ihre Mittelpunkte werden wie Eckpunkte gewählt und verschoben</translation>
    </message>
    <message>
        <source>Moving a vertex or a wheel also moves its mirror image across X = 0</source>
        <translation>Das Verschieben eines Eckpunkts oder Rads verschiebt auch sein Spiegelbild an X = 0</translation>
    </message>
</context>
<context>
    <name>ViewPanel</name>
    <message>
        <source>Views</source>
        <translation>Ansichten</translation>
    </message>
    <message>
        <source>Hovering or Page Down and Page Up pick a vertex; dragging it or the arrow keys move it</source>
        <translation>Darüberfahren oder Bild ab und Bild auf wählen einen Eckpunkt; Ziehen oder die Pfeiltasten verschieben ihn</translation>
    </message>
    <message>
        <source>Top view (XY)</source>
        <translation>Draufsicht (XY)</translation>
    </message>
    <message>
        <source>Side view (YZ)</source>
        <translation>Seitenansicht (YZ)</translation>
    </message>
    <message>
        <source>Back view (XZ)</source>
        <translation>Rückansicht (XZ)</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>Vorschau</translation>
    </message>
    <message>
        <source>The model in 3D; dragging over it or the arrow keys turn it, a click picks a triangle</source>
        <translation>Das Modell in 3D; Ziehen darüber oder die Pfeiltasten drehen es, ein Klick wählt ein Dreieck</translation>
    </message>
</context>
<context>
    <name>editor</name>
    <message>
        <source>Wavefront OBJ (*.obj)|*.obj</source>
        <translation>Wavefront OBJ (*.obj)|*.obj</translation>
    </message>
</context>
<context>
    <name>frmImport</name>
    <message>
        <source>Car Files (*.car)|*.car</source>
        <translation>Fahrzeugdateien (*.car)|*.car</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>Exportieren</translation>
    </message>
    <message>
        <source>Import</source>
        <translation>Importieren</translation>
    </message>
    <message>
        <source>These cars would take the library past %1 cars. It has room for %2 more.</source>
        <translation>Mit diesen Fahrzeugen hätte die Bibliothek mehr als %1 Fahrzeuge. Sie hat noch Platz für %2.</translation>
    </message>
    <message>
        <source>Import 1 car</source>
        <translation>1 Fahrzeug importieren</translation>
    </message>
    <message>
        <source>Import %1 cars</source>
        <translation>%1 Fahrzeuge importieren</translation>
    </message>
    <message>
        <source>Cars</source>
        <translation>Fahrzeuge</translation>
    </message>
    <message>
        <source>The cars to copy; choose one or more</source>
        <translation>Die zu kopierenden Fahrzeuge; eines oder mehrere wählen</translation>
    </message>
</context>
<context>
    <name>frmMain</name>
    <message>
        <source>Car Files (*.car)|*.car</source>
        <translation>Fahrzeugdateien (*.car)|*.car</translation>
    </message>
    <message>
        <source>Velmar Car Editor v0.9</source>
        <translation>Velmar Car Editor v0.9</translation>
    </message>
    <message>
        <source>Car:</source>
        <translation>Fahrzeug:</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Hinzufügen</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>Umbenennen</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Entfernen</translation>
    </message>
    <message>
        <source>View</source>
        <translation>Anzeigen</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Setting</source>
        <translation>Wert</translation>
    </message>
    <message>
        <source>Import...</source>
        <translation>Importieren...</translation>
    </message>
    <message>
        <source>Export...</source>
        <translation>Exportieren...</translation>
    </message>
    <message>
        <source>Load...</source>
        <translation>Laden...</translation>
    </message>
    <message>
        <source>Save...</source>
        <translation>Speichern...</translation>
    </message>
    <message>
        <source>Enter new value</source>
        <translation>Neuen Wert eingeben</translation>
    </message>
    <message>
        <source>Set %1 of %2</source>
        <translation>%1 von %2 setzen</translation>
    </message>
    <message>
        <source>A library holds at most %1 cars.</source>
        <translation>Eine Bibliothek fasst höchstens %1 Fahrzeuge.</translation>
    </message>
    <message>
        <source>Please enter new name</source>
        <translation>Bitte neuen Namen eingeben</translation>
    </message>
    <message>
        <source>Rename %1 to %2</source>
        <translation>%1 in %2 umbenennen</translation>
    </message>
    <message>
        <source>A library must keep at least one car.</source>
        <translation>Eine Bibliothek muss mindestens ein Fahrzeug behalten.</translation>
    </message>
    <message>
        <source>Are you sure?</source>
        <translation>Sind Sie sicher?</translation>
    </message>
    <message>
        <source>Remove %1</source>
        <translation>%1 entfernen</translation>
    </message>
    <message>
        <source>Save changes to %1 before loading another library?</source>
        <translation>Änderungen an %1 speichern, bevor eine andere Bibliothek geladen wird?</translation>
    </message>
    <message>
        <source>Save changes to %1 before closing?</source>
        <translation>Änderungen an %1 vor dem Schließen speichern?</translation>
    </message>
    <message>
        <source>%1 is too large for a 32-bit float, whose largest is %2.</source>
        <translation>%1 ist zu groß für eine 32-Bit-Gleitkommazahl, deren größte %2 ist.</translation>
    </message>
    <message>
        <source>%1 is too small for a 32-bit float, whose smallest is %2: it would become 0.</source>
        <translation>%1 ist zu klein für eine 32-Bit-Gleitkommazahl, deren kleinste %2 ist: es würde 0.</translation>
    </message>
    <message>
        <source>Car</source>
        <translation>Fahrzeug</translation>
    </message>
    <message>
        <source>The car whose parameters the list shows</source>
        <translation>Das Fahrzeug, dessen Parameter die Liste zeigt</translation>
    </message>
    <message>
        <source>Parameters</source>
        <translation>Parameter</translation>
    </message>
    <message>
        <source>The car&apos;s forty parameters; Enter or a double click on a row changes its value</source>
        <translation>Die vierzig Parameter des Fahrzeugs; Eingabe oder ein Doppelklick auf eine Zeile ändert ihren Wert</translation>
    </message>
</context>
<context>
    <name>frmNewCar</name>
    <message>
        <source>New Car</source>
        <translation>Neues Fahrzeug</translation>
    </message>
    <message>
        <source>Name:</source>
        <translation>Name:</translation>
    </message>
    <message>
        <source>Copy car:</source>
        <translation>Kopie von:</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Please enter a name</source>
        <translation>Bitte einen Namen eingeben</translation>
    </message>
    <message>
        <source>Please select a template car</source>
        <translation>Bitte ein Fahrzeug als Vorlage wählen</translation>
    </message>
    <message>
        <source>Add %1</source>
        <translation>%1 hinzufügen</translation>
    </message>
    <message>
        <source>A name cannot hold %1: names hold the characters of Windows-1252.</source>
        <translation>Ein Name kann %1 nicht enthalten: Namen enthalten die Zeichen von Windows-1252.</translation>
    </message>
    <message>
        <source>Name too long</source>
        <translation>Name zu lang</translation>
    </message>
</context>
<context>
    <name>frmPalette</name>
    <message>
        <source>Colour %1</source>
        <translation>Farbe %1</translation>
    </message>
    <message>
        <source>Red %1, green %2, blue %3</source>
        <translation>Rot %1, Grün %2, Blau %3</translation>
    </message>
    <message>
        <source>Palette</source>
        <translation>Palette</translation>
    </message>
</context>
<context>
    <name>frmView</name>
    <message>
        <source>Edit Model</source>
        <translation>Modell bearbeiten</translation>
    </message>
    <message>
        <source>Import %1 into %2</source>
        <translation>%1 in %2 importieren</translation>
    </message>
    <message>
        <source>Set Colour of Triangle %1 of %2</source>
        <translation>Farbe von Dreieck %1 von %2 setzen</translation>
    </message>
    <message>
        <source>Flip Normal %1 of %2</source>
        <translation>Normale %1 von %2 umkehren</translation>
    </message>
    <message>
        <source>Hide Head of %1</source>
        <translation>Kopf von %1 ausblenden</translation>
    </message>
    <message>
        <source>Show Head of %1</source>
        <translation>Kopf von %1 einblenden</translation>
    </message>
</context>
<context>
    <name>history::CarHistory</name>
    <message>
        <source>Undo %1</source>
        <translation>Rückgängig: %1</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Rückgängig</translation>
    </message>
    <message>
        <source>Redo %1</source>
        <translation>Wiederholen: %1</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>Wiederholen</translation>
    </message>
</context>
<context>
    <name>modLoad</name>
    <message>
        <source>&quot;%1&quot; is a folder, not a car library.</source>
        <translation>„%1“ ist ein Ordner, keine Fahrzeugbibliothek.</translation>
    </message>
    <message>
        <source>Cannot read &quot;%1&quot;: %2.</source>
        <translation>„%1“ kann nicht gelesen werden: %2.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a car library: it is shorter than its 8-byte header.</source>
        <translation>„%1“ ist keine Fahrzeugbibliothek: Die Datei ist kürzer als ihr 8 Byte langer Kopf.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a usable car library: it declares %2 cars, and a library holds 1 to %3.</source>
        <translation>„%1“ ist keine verwendbare Fahrzeugbibliothek: Die Datei gibt %2 Fahrzeuge an, eine Bibliothek fasst 1 bis %3.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is damaged: it declares %2 but holds only %3.</source>
        <translation>„%1“ ist beschädigt: Die Datei gibt %2 an, enthält aber nur %3.</translation>
    </message>
    <message>
        <source>1 car</source>
        <translation>1 Fahrzeug</translation>
    </message>
    <message>
        <source>%1 cars</source>
        <translation>%1 Fahrzeuge</translation>
    </message>
    <message>
        <source>1 whole record</source>
        <translation>1 vollständigen Datensatz</translation>
    </message>
    <message>
        <source>%1 whole records</source>
        <translation>%1 vollständige Datensätze</translation>
    </message>
    <message>
        <source>There is not enough memory to load &quot;%1&quot;.</source>
        <translation>Es ist nicht genug Speicher frei, um „%1“ zu laden.</translation>
    </message>
    <message>
        <source>There are no cars to save to &quot;%1&quot;.</source>
        <translation>Es gibt keine Fahrzeuge, die in „%1“ gespeichert werden könnten.</translation>
    </message>
    <message>
        <source>Cannot save &quot;%1&quot;: a library holds at most %2 cars.</source>
        <translation>„%1“ kann nicht gespeichert werden: Eine Bibliothek fasst höchstens %2 Fahrzeuge.</translation>
    </message>
    <message>
        <source>Size of Right Front Wheel</source>
        <translation>Größe Rad vorne rechts</translation>
    </message>
    <message>
        <source>Size of Left Front Wheel</source>
        <translation>Größe Rad vorne links</translation>
    </message>
    <message>
        <source>Size of Right Rear Wheel</source>
        <translation>Größe Rad hinten rechts</translation>
    </message>
    <message>
        <source>Size of Left Rear Wheel</source>
        <translation>Größe Rad hinten links</translation>
    </message>
    <message>
        <source>Grip on Oil</source>
        <translation>Haftung auf Öl</translation>
    </message>
    <message>
        <source>Grip on Tarmac</source>
        <translation>Haftung auf Asphalt</translation>
    </message>
    <message>
        <source>Grip on Tarmac 2</source>
        <translation>Haftung auf Asphalt 2</translation>
    </message>
    <message>
        <source>Grip on Grass</source>
        <translation>Haftung auf Gras</translation>
    </message>
    <message>
        <source>Grip on Mud</source>
        <translation>Haftung auf Schlamm</translation>
    </message>
    <message>
        <source>Grip on Gravel</source>
        <translation>Haftung auf Schotter</translation>
    </message>
    <message>
        <source>Grip on Gravel 2</source>
        <translation>Haftung auf Schotter 2</translation>
    </message>
    <message>
        <source>Grip on Sand</source>
        <translation>Haftung auf Sand</translation>
    </message>
    <message>
        <source>Grip on Sand 2</source>
        <translation>Haftung auf Sand 2</translation>
    </message>
    <message>
        <source>Grip on Snow</source>
        <translation>Haftung auf Schnee</translation>
    </message>
    <message>
        <source>Grip on Ice</source>
        <translation>Haftung auf Eis</translation>
    </message>
    <message>
        <source>Grip on Kerb</source>
        <translation>Haftung auf Randstein</translation>
    </message>
    <message>
        <source>Grip on Kerb 2</source>
        <translation>Haftung auf Randstein 2</translation>
    </message>
    <message>
        <source>Grip on Loose Gravel</source>
        <translation>Haftung auf losem Kies</translation>
    </message>
    <message>
        <source>Slowdown on Oil</source>
        <translation>Bremswirkung auf Öl</translation>
    </message>
    <message>
        <source>Slowdown on Tarmac</source>
        <translation>Bremswirkung auf Asphalt</translation>
    </message>
    <message>
        <source>Slowdown on Tarmac 2</source>
        <translation>Bremswirkung auf Asphalt 2</translation>
    </message>
    <message>
        <source>Slowdown on Grass</source>
        <translation>Bremswirkung auf Gras</translation>
    </message>
    <message>
        <source>Slowdown on Mud</source>
        <translation>Bremswirkung auf Schlamm</translation>
    </message>
    <message>
        <source>Slowdown on Gravel</source>
        <translation>Bremswirkung auf Schotter</translation>
    </message>
    <message>
        <source>Slowdown on Gravel 2</source>
        <translation>Bremswirkung auf Schotter 2</translation>
    </message>
    <message>
        <source>Slowdown on Sand</source>
        <translation>Bremswirkung auf Sand</translation>
    </message>
    <message>
        <source>Slowdown on Sand 2</source>
        <translation>Bremswirkung auf Sand 2</translation>
    </message>
    <message>
        <source>Slowdown on Snow</source>
        <translation>Bremswirkung auf Schnee</translation>
    </message>
    <message>
        <source>Slowdown on Ice</source>
        <translation>Bremswirkung auf Eis</translation>
    </message>
    <message>
        <source>Slowdown on Kerb</source>
        <translation>Bremswirkung auf Randstein</translation>
    </message>
    <message>
        <source>Slowdown on Kerb2</source>
        <translation>Bremswirkung auf Randstein2</translation>
    </message>
    <message>
        <source>Slowdown on Loose Gravel</source>
        <translation>Bremswirkung auf losem Kies</translation>
    </message>
    <message>
        <source>Air Resistance</source>
        <translation>Luftwiderstand</translation>
    </message>
    <message>
        <source>Downforce/Wings</source>
        <translation>Abtrieb/Flügel</translation>
    </message>
    <message>
        <source>Power</source>
        <translation>Leistung</translation>
    </message>
    <message>
        <source>Top Speed</source>
        <translation>Höchstgeschwindigkeit</translation>
    </message>
    <message>
        <source>Sliding</source>
        <translation>Rutschen</translation>
    </message>
    <message>
        <source>Mass</source>
        <translation>Masse</translation>
    </message>
    <message>
        <source>Balance</source>
        <translation>Balance</translation>
    </message>
    <message>
        <source>AI Value</source>
        <translation>KI-Wert</translation>
    </message>
    <message>
        <source>PolyPointCount %1 claims %2 triangles, and a model holds %3</source>
        <translation>PolyPointCount %1 gibt %2 Dreiecke an, ein Modell fasst %3</translation>
    </message>
    <message>
        <source>VertexCount is %1, and a model holds %2 vertices</source>
        <translation>VertexCount ist %1, ein Modell fasst %2 Eckpunkte</translation>
    </message>
    <message>
        <source>1 triangle in use names a vertex past %1 (triangle %2 names vertex %3)</source>
        <translation>1 benutztes Dreieck nennt einen Eckpunkt nach %1 (Dreieck %2 nennt Eckpunkt %3)</translation>
    </message>
    <message>
        <source>%1 triangles in use name a vertex past %2 (triangle %3 names vertex %4)</source>
        <translation>%1 benutzte Dreiecke nennen einen Eckpunkt nach %2 (Dreieck %3 nennt Eckpunkt %4)</translation>
    </message>
    <message>
        <source>Could not write &quot;%1&quot;: %2. The file was not changed.</source>
        <translation>„%1“ konnte nicht geschrieben werden: %2. Die Datei wurde nicht verändert.</translation>
    </message>
    <message>
        <source>Cannot write &quot;%1&quot;: no program is reading from it.</source>
        <translation>„%1“ kann nicht geschrieben werden: Kein Programm liest daraus.</translation>
    </message>
    <message>
        <source>Cannot write &quot;%1&quot;: %2.</source>
        <translation>„%1“ kann nicht geschrieben werden: %2.</translation>
    </message>
    <message>
        <source>Could not write &quot;%1&quot;: %2.</source>
        <translation>„%1“ konnte nicht geschrieben werden: %2.</translation>
    </message>
    <message>
        <source>Could not write &quot;%1&quot;: %2. The file may be damaged.</source>
        <translation>„%1“ konnte nicht geschrieben werden: %2. Die Datei ist möglicherweise beschädigt.</translation>
    </message>
    <message>
        <source>Cannot write &quot;%1&quot;: no file name was given.</source>
        <translation>„%1“ kann nicht geschrieben werden: Es wurde kein Dateiname angegeben.</translation>
    </message>
    <message>
        <source>Cannot write &quot;%1&quot;: it is a folder.</source>
        <translation>„%1“ kann nicht geschrieben werden: Es ist ein Ordner.</translation>
    </message>
    <message>
        <source>Cannot write &quot;%1&quot;: it is a socket, not a file.</source>
        <translation>„%1“ kann nicht geschrieben werden: Es ist ein Socket, keine Datei.</translation>
    </message>
    <message>
        <source>Cannot open &quot;%1&quot;: no file name was given.</source>
        <translation>„%1“ kann nicht geöffnet werden: Es wurde kein Dateiname angegeben.</translation>
    </message>
    <message>
        <source>Cannot open &quot;%1&quot;: %2.</source>
        <translation>„%1“ kann nicht geöffnet werden: %2.</translation>
    </message>
    <message>
        <source>Could not write &quot;%1&quot;: %2. The new file is in place but may not be on the disk yet.</source>
        <translation>„%1“ konnte nicht geschrieben werden: %2. Die neue Datei ist an ihrem Platz, aber womöglich noch nicht auf dem Datenträger.</translation>
    </message>
    <message>
        <source>it is a folder, not a file.</source>
        <translation>Es ist ein Ordner, keine Datei.</translation>
    </message>
    <message>
        <source>it is a named pipe, not a file.</source>
        <translation>Es ist eine benannte Pipe, keine Datei.</translation>
    </message>
    <message>
        <source>it is a socket, not a file.</source>
        <translation>Es ist ein Socket, keine Datei.</translation>
    </message>
    <message>
        <source>it is a device, not a file.</source>
        <translation>Es ist ein Gerät, keine Datei.</translation>
    </message>
    <message>
        <source>Cannot read &quot;%1&quot;: %2</source>
        <translation>„%1“ kann nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>Cannot write &quot;%1&quot;: %2</source>
        <translation>„%1“ kann nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>Cannot read &quot;%1&quot;: no program is writing to it.</source>
        <translation>„%1“ kann nicht gelesen werden: kein Programm schreibt hinein.</translation>
    </message>
</context>
<context>
    <name>modOBJ</name>
    <message>
        <source>&quot;%1&quot; is too large for a model: it has %2 bytes, and the editor reads at most %3.</source>
        <translation>„%1“ ist zu groß für ein Modell: Die Datei hat %2 Byte, der Editor liest höchstens %3.</translation>
    </message>
    <message>
        <source>Line %2 of &quot;%1&quot; holds more than %3 bytes before its end or a &quot;#&quot;, far more than a line of a model.</source>
        <translation>Zeile %2 von „%1“ enthält vor ihrem Ende oder einem „#“ mehr als %3 Byte, weit mehr als eine Zeile eines Modells.</translation>
    </message>
    <message>
        <source>Line %2 of &quot;%1&quot; %3</source>
        <translation>Zeile %2 von „%1“ %3</translation>
    </message>
    <message>
        <source>&quot;%1&quot; has no vertex lines, so there is no model to import.</source>
        <translation>„%1“ hat keine Eckpunktzeilen, es gibt also kein Modell zu importieren.</translation>
    </message>
    <message>
        <source>line %1 names vertex %2, and the file has vertices 1 to %3.</source>
        <translation>Zeile %1 nennt Eckpunkt %2, die Datei hat die Eckpunkte 1 bis %3.</translation>
    </message>
    <message>
        <source>is a face with a corner that names no vertex of the file, so it cannot be split into triangles.</source>
        <translation>ist eine Fläche mit einer Ecke, die keinen Eckpunkt der Datei nennt, und lässt sich daher nicht in Dreiecke teilen.</translation>
    </message>
    <message>
        <source>is a face whose corners all lie on one line, so it cannot be split into triangles.</source>
        <translation>ist eine Fläche, deren Ecken alle auf einer Geraden liegen, und lässt sich daher nicht in Dreiecke teilen.</translation>
    </message>
    <message>
        <source>The model in &quot;%1&quot; does not fit a car: %2</source>
        <translation>Das Modell in „%1“ passt nicht zu einem Fahrzeug: %2</translation>
    </message>
    <message>
        <source>line %1 holds vertex %2, and a car holds at most %3 vertices.</source>
        <translation>Zeile %1 enthält Eckpunkt %2, ein Fahrzeug fasst höchstens %3 Eckpunkte.</translation>
    </message>
    <message>
        <source>is a vertex with fewer than three coordinates.</source>
        <translation>ist ein Eckpunkt mit weniger als drei Koordinaten.</translation>
    </message>
    <message>
        <source>has %1 where a number should be.</source>
        <translation>enthält %1, wo eine Zahl stehen sollte.</translation>
    </message>
    <message>
        <source>has %1, a number too large for a model.</source>
        <translation>enthält %1, eine Zahl, die für ein Modell zu groß ist.</translation>
    </message>
    <message>
        <source>has the face corner %1; a corner is a vertex number from -32768 to 32767.</source>
        <translation>enthält die Flächenecke %1; eine Ecke ist eine Eckpunktnummer von -32768 bis 32767.</translation>
    </message>
    <message>
        <source>is a face with %1 corners; a face needs at least three.</source>
        <translation>ist eine Fläche mit %1 Ecken; eine Fläche braucht mindestens drei.</translation>
    </message>
    <message>
        <source>up to line %1 its %2 faces make %3 triangles, and a car holds at most %4.</source>
        <translation>bis Zeile %1 ergeben die %2 Flächen %3 Dreiecke, ein Fahrzeug fasst höchstens %4.</translation>
    </message>
    <message>
        <source>has the face corner %1, which names no vertex: vertices count from 1, or back from -1 for the last one read, and %2 come before it.</source>
        <translation>enthält die Flächenecke %1, die keinen Eckpunkt nennt: Eckpunkte zählen ab 1 oder rückwärts ab -1 für den zuletzt gelesenen, und davor stehen %2.</translation>
    </message>
    <message>
        <source>line %1 names vertex %2, and a car holds at most %3 vertices.</source>
        <translation>Zeile %1 nennt Eckpunkt %2, ein Fahrzeug fasst höchstens %3 Eckpunkte.</translation>
    </message>
    <message>
        <source>the car lies outside the model: %1.</source>
        <translation>das Fahrzeug liegt außerhalb des Modells: %1.</translation>
    </message>
    <message>
        <source>the car has no model to export: no vertices and no triangles.</source>
        <translation>das Fahrzeug hat kein Modell zum Exportieren: keine Eckpunkte und keine Dreiecke.</translation>
    </message>
    <message>
        <source>vertex %1 or its normal has a coordinate that is not a finite number, which OBJ cannot hold.</source>
        <translation>Eckpunkt %1 oder seine Normale hat eine Koordinate, die keine endliche Zahl ist und die OBJ nicht darstellen kann.</translation>
    </message>
    <message>
        <source>Cannot export the model to &quot;%1&quot;: %2</source>
        <translation>Das Modell kann nicht nach „%1“ exportiert werden: %2</translation>
    </message>
    <message>
        <source>little-endian</source>
        <translation>Little-Endian</translation>
    </message>
    <message>
        <source>big-endian</source>
        <translation>Big-Endian</translation>
    </message>
    <message>
        <source>&quot;%1&quot; looks like UTF-16 text (%2) without a byte-order mark, which the editor cannot tell from other text. Save it as UTF-8, or as UTF-16 with a byte-order mark.</source>
        <translation>„%1“ sieht wie UTF-16-Text (%2) ohne Byte-Order-Mark aus, den der Editor nicht von anderem Text unterscheiden kann. Speichern Sie ihn als UTF-8 oder als UTF-16 mit Byte-Order-Mark.</translation>
    </message>
    <message>
        <source>is a face whose edges cross or fold over one another, so it cannot be split into triangles; split it into faces that do not.</source>
        <translation>ist eine Fläche, deren Kanten einander kreuzen oder überlappen, und lässt sich daher nicht in Dreiecke teilen; teilen Sie sie in Flächen, bei denen das nicht so ist.</translation>
    </message>
    <message>
        <source>up to line %1 its %2 faces make at least %3 triangles, and a car holds at most %4.</source>
        <translation>bis Zeile %1 ergeben die %2 Flächen mindestens %3 Dreiecke, ein Fahrzeug fasst höchstens %4.</translation>
    </message>
    <message>
        <source>its %1 faces make at least %2 triangles, and a car holds at most %3.</source>
        <translation>die %1 Flächen ergeben mindestens %2 Dreiecke, ein Fahrzeug fasst höchstens %3.</translation>
    </message>
    <message>
        <source>its %1 faces make %2 triangles, and a car holds at most %3.</source>
        <translation>die %1 Flächen ergeben %2 Dreiecke, ein Fahrzeug fasst höchstens %3.</translation>
    </message>
</context>
<context>
    <name>ui</name>
    <message>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>Save As</source>
        <translation>Speichern unter</translation>
    </message>
    <message>
        <source>%1 holds the open library; replacing it loses the cars saved in it.
Do you want to replace it?</source>
        <translation>%1 enthält die geöffnete Bibliothek; wird sie ersetzt, gehen die darin gespeicherten Fahrzeuge verloren.
Soll sie ersetzt werden?</translation>
    </message>
</context>
</TS>
