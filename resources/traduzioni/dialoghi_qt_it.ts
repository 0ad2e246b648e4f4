<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<!--
  The Italian texts that Qt 6.4's own catalogue (qtbase_it.qm) lacks, for Qt's print dialog and
  what it opens. The contexts are the Qt classes that translate each text. Built by lrelease into
  dialoghi_qt_it.qm, a resource of the program, installed after Qt's catalogue (src/app).
-->
<TS version="2.1" language="it_IT" sourcelanguage="en">
<context>
    <name>QPrintSettingsOutput</name>
    <message>
        <source>Pages</source>
        <translation>Pagine</translation>
    </message>
    <message>
        <source>Specify pages or ranges separated by commas. Ranges are specified by two numbers separated by a hyphen. E.g: 3,5-7,9 prints pages 3, 5, 6, 7 and 9.</source>
        <translation>Indica le pagine o gli intervalli separati da virgole. Un intervallo si indica con due numeri separati da un trattino. Ad esempio, 3,5-7,9 stampa le pagine 3, 5, 6, 7 e 9.</translation>
    </message>
    <message>
        <source>Double Sided Printing</source>
        <translation>Stampa fronte/retro</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Disattivata</translation>
    </message>
    <message>
        <source>Long side binding</source>
        <translation>Rilegatura sul lato lungo</translation>
    </message>
    <message>
        <source>Short side binding</source>
        <translation>Rilegatura sul lato corto</translation>
    </message>
</context>
<context>
    <name>QPrintPropertiesWidget</name>
    <message>
        <source>Advanced</source>
        <translation>Avanzate</translation>
    </message>
    <message>
        <source>There are conflicts in some options. Please fix them.</source>
        <translation>Alcune opzioni sono in conflitto tra loro. Correggile.</translation>
    </message>
</context>
<context>
    <name>QPrintPropertiesDialog</name>
    <message>
        <source>Page Setup Conflicts</source>
        <translation>Conflitti nell&apos;impostazione della pagina</translation>
    </message>
    <message>
        <source>There are conflicts in page setup options. Do you want to fix them?</source>
        <translation>Alcune opzioni di impostazione della pagina sono in conflitto tra loro. Vuoi correggerle?</translation>
    </message>
    <message>
        <source>Advanced Option Conflicts</source>
        <translation>Conflitti nelle opzioni avanzate</translation>
    </message>
    <message>
        <source>There are conflicts in some advanced options. Do you want to fix them?</source>
        <translation>Alcune opzioni avanzate sono in conflitto tra loro. Vuoi correggerle?</translation>
    </message>
</context>
<context>
    <name>QPrintDialog</name>
    <message>
        <source>Invalid Pages Definition</source>
        <translation>Pagine indicate non valide</translation>
    </message>
    <message>
        <source>%1 does not follow the correct syntax. Please use &apos;,&apos; to separate ranges and pages, &apos;-&apos; to define ranges and make sure ranges do not intersect with each other.</source>
        <translation>%1 non è scritto correttamente. Usa &apos;,&apos; per separare pagine e intervalli, &apos;-&apos; per indicare un intervallo, e controlla che gli intervalli non si sovrappongano.</translation>
    </message>
    <message>
        <source>Duplex Settings Conflicts</source>
        <translation>Conflitti nelle impostazioni fronte/retro</translation>
    </message>
    <message>
        <source>There are conflicts in duplex settings. Do you want to fix them?</source>
        <translation>Le impostazioni fronte/retro sono in conflitto tra loro. Vuoi correggerle?</translation>
    </message>
</context>
<context>
    <name>QCupsPrinterSupport</name>
    <message>
        <source>Authentication Needed</source>
        <translation>Autenticazione necessaria</translation>
    </message>
    <message>
        <source>Authentication needed to use %1.</source>
        <translation>Per usare %1 è necessaria l&apos;autenticazione.</translation>
    </message>
    <message>
        <source>Authentication needed to use %1 on %2.</source>
        <translation>Per usare %1 su %2 è necessaria l&apos;autenticazione.</translation>
    </message>
    <message>
        <source>Username:</source>
        <translation>Nome utente:</translation>
    </message>
    <message>
        <source>Password:</source>
        <translation>Password:</translation>
    </message>
</context>
</TS>
