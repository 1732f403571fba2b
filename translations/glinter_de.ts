<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>AWSProvider</name>
    <message>
        <source>Decode error</source>
        <translation>Dekodierfehler</translation>
    </message>
    <message>
        <source>The data couldn&apos;t be read: the document is not an array.</source>
        <translation>Die Daten konnten nicht gelesen werden: Das Dokument ist kein Array.</translation>
    </message>
</context>
<context>
    <name>AWSRegionPicker</name>
    <message>
        <source>Monitor all</source>
        <translation>Alle überwachen</translation>
    </message>
    <message>
        <source>AWS Regions</source>
        <translation>AWS-Regionen</translation>
    </message>
</context>
<context>
    <name>AWSRegions</name>
    <message>
        <source>Americas</source>
        <translation>Amerika</translation>
    </message>
    <message>
        <source>Europe</source>
        <translation>Europa</translation>
    </message>
    <message>
        <source>Asia Pacific</source>
        <translation>Asien-Pazifik</translation>
    </message>
    <message>
        <source>Middle East &amp; Africa</source>
        <translation>Naher Osten &amp; Afrika</translation>
    </message>
</context>
<context>
    <name>AgentImportRow</name>
    <message>
        <source>Edit services.json</source>
        <translation>services.json bearbeiten</translation>
    </message>
    <message>
        <source>Add from a Codebase</source>
        <translation>Aus einer Codebasis hinzufügen</translation>
    </message>
    <message>
        <source>Paste the prompt into Claude Code, Cursor, or any coding agent opened in a project — it finds the services the code depends on, plus your own production URLs, and adds them here. The config is plain JSON; edits apply instantly.</source>
        <translation>Fügen Sie den Prompt in Claude Code, Cursor oder einen anderen Coding-Agenten ein, der in einem Projekt geöffnet ist – er findet die Dienste, von denen der Code abhängt, dazu Ihre eigenen Produktions-URLs, und fügt sie hier hinzu. Die Konfiguration ist einfaches JSON; Änderungen gelten sofort.</translation>
    </message>
    <message>
        <source>Copied</source>
        <translation>Kopiert</translation>
    </message>
    <message>
        <source>Copy AI Prompt</source>
        <translation>KI-Prompt kopieren</translation>
    </message>
</context>
<context>
    <name>AppleProvider</name>
    <message>
        <source>The data couldn&apos;t be read: the document is not an object.</source>
        <translation>Die Daten konnten nicht gelesen werden: Das Dokument ist kein Objekt.</translation>
    </message>
    <message>
        <source>Unexpected format</source>
        <translation>Unerwartetes Format</translation>
    </message>
</context>
<context>
    <name>AtomicFile</name>
    <message>
        <source>larger than %1 MiB</source>
        <translation>größer als %1 MiB</translation>
    </message>
    <message>
        <source>not a regular file</source>
        <translation>keine reguläre Datei</translation>
    </message>
    <message>
        <source>cannot create the folder %1</source>
        <translation>der Ordner %1 kann nicht angelegt werden</translation>
    </message>
    <message>
        <source>short write</source>
        <translation>unvollständig geschrieben</translation>
    </message>
</context>
<context>
    <name>BetterStackProvider</name>
    <message>
        <source>Unexpected format</source>
        <translation>Unerwartetes Format</translation>
    </message>
    <message>
        <source>The page lists no monitors.</source>
        <translation>Die Seite führt keine Monitore auf.</translation>
    </message>
    <message>
        <source>Invalid URL</source>
        <translation>Ungültige URL</translation>
    </message>
</context>
<context>
    <name>CachetProvider</name>
    <message>
        <source>Unexpected format</source>
        <translation>Unerwartetes Format</translation>
    </message>
    <message>
        <source>Invalid URL</source>
        <translation>Ungültige URL</translation>
    </message>
    <message>
        <source>The page lists no components.</source>
        <translation>Die Seite führt keine Komponenten auf.</translation>
    </message>
    <message>
        <source>None of the page&apos;s components has a known status.</source>
        <translation>Keine Komponente der Seite hat einen bekannten Status.</translation>
    </message>
    <message>
        <source>The list does not end within %1 pages.</source>
        <translation>Die Liste endet nicht innerhalb von %1 Seiten.</translation>
    </message>
</context>
<context>
    <name>CatalogRow</name>
    <message>
        <source>Monitor %1</source>
        <translation>%1 überwachen</translation>
    </message>
</context>
<context>
    <name>CategoryHeader</name>
    <message>
        <source>Deselect all</source>
        <translation>Alle abwählen</translation>
    </message>
    <message>
        <source>Select all</source>
        <translation>Alle auswählen</translation>
    </message>
    <message>
        <source>Deselect all in %1</source>
        <translation>Alle in %1 abwählen</translation>
    </message>
    <message>
        <source>Select all in %1</source>
        <translation>Alle in %1 auswählen</translation>
    </message>
</context>
<context>
    <name>CheckCommand</name>
    <message>
        <source>cannot read %1: %2</source>
        <translation>%1 kann nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>%1 is not usable: %2</source>
        <translation>%1 ist nicht verwendbar: %2</translation>
    </message>
    <message>
        <source>; nothing was checked</source>
        <translation>; es wurde nichts geprüft</translation>
    </message>
    <message>
        <source>%1: %2; not checked</source>
        <translation>%1: %2; nicht geprüft</translation>
    </message>
    <message>
        <source>%1 lists no services; nothing was checked</source>
        <translation>%1 enthält keine Dienste; nichts wurde geprüft</translation>
    </message>
</context>
<context>
    <name>CheckRow</name>
    <message>
        <source>Selected</source>
        <translation>Ausgewählt</translation>
    </message>
    <message>
        <source>Not selected</source>
        <translation>Nicht ausgewählt</translation>
    </message>
    <message>
        <source>%1, %2</source>
        <translation>%1, %2</translation>
    </message>
</context>
<context>
    <name>ComponentPicker</name>
    <message>
        <source>This page has no components to choose from.</source>
        <translation>Diese Seite hat keine Komponenten zur Auswahl.</translation>
    </message>
    <message>
        <source>Search components</source>
        <translation>Komponenten suchen</translation>
    </message>
    <message>
        <source>Monitor all</source>
        <translation>Alle überwachen</translation>
    </message>
    <message>
        <source>%1 Components</source>
        <translation>Komponenten von %1</translation>
    </message>
    <message>
        <source>Loading</source>
        <translation>Wird geladen</translation>
    </message>
    <message>
        <source>Deselect all</source>
        <translation>Alle abwählen</translation>
    </message>
    <message>
        <source>Select all</source>
        <translation>Alle auswählen</translation>
    </message>
    <message>
        <source>Deselect all in %1</source>
        <translation>Alle in %1 abwählen</translation>
    </message>
    <message>
        <source>Select all in %1</source>
        <translation>Alle in %1 auswählen</translation>
    </message>
</context>
<context>
    <name>ComponentSelection</name>
    <message>
        <source>Selected components not found</source>
        <translation>Ausgewählte Komponenten nicht gefunden</translation>
    </message>
    <message numerus="yes">
        <source>%n of %1 selected components not found</source>
        <translation>
            <numerusform>%n von %1 ausgewählten Komponenten nicht gefunden</numerusform>
            <numerusform>%n von %1 ausgewählten Komponenten nicht gefunden</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ComponentsButton</name>
    <message>
        <source>Watch specific components</source>
        <translation>Bestimmte Komponenten überwachen</translation>
    </message>
    <message numerus="yes">
        <source>Watching %n component(s)</source>
        <translation>
            <numerusform>%n Komponente überwacht</numerusform>
            <numerusform>%n Komponenten überwacht</numerusform>
        </translation>
    </message>
    <message>
        <source>Choose components</source>
        <translation>Komponenten auswählen</translation>
    </message>
    <message>
        <source>Choose components for %1</source>
        <translation>Komponenten für %1 auswählen</translation>
    </message>
</context>
<context>
    <name>CustomAddForm</name>
    <message>
        <source>Add a Custom Service</source>
        <translation>Eigenen Dienst hinzufügen</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Address</source>
        <translation>Adresse</translation>
    </message>
    <message>
        <source>Detect automatically</source>
        <translation>Automatisch erkennen</translation>
    </message>
    <message>
        <source>Feed format</source>
        <translation>Feed-Format</translation>
    </message>
    <message>
        <source>https://example.com or your server URL</source>
        <translation>https://example.com oder die URL Ihres Servers</translation>
    </message>
    <message>
        <source>Status page URL</source>
        <translation>URL der Statusseite</translation>
    </message>
    <message>
        <source>Checking…</source>
        <translation>Wird geprüft …</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Hinzufügen</translation>
    </message>
    <message>
        <source>Pings any site or server over HTTP — reports online/offline with latency.</source>
        <translation>Fragt eine beliebige Website oder einen Server per HTTP ab – meldet online/offline mit Latenz.</translation>
    </message>
    <message>
        <source>Paste a public status page; Glinter reads its live feed.</source>
        <translation>Fügen Sie eine öffentliche Statusseite ein; Glinter liest ihren Live-Feed.</translation>
    </message>
    <message>
        <source>Invalid URL</source>
        <translation>Ungültige URL</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>%1 or %2</source>
        <translation>%1 oder %2</translation>
    </message>
    <message>
        <source>%1, %2</source>
        <translation>%1, %2</translation>
    </message>
    <message>
        <source>Couldn&apos;t read a %1 feed there (%2)</source>
        <translation>Dort ließ sich kein Feed im Format %1 lesen (%2)</translation>
    </message>
    <message>
        <source>Only http:// and https:// addresses can be watched</source>
        <translation>Nur http://- und https://-Adressen können überwacht werden</translation>
    </message>
</context>
<context>
    <name>DesktopApp</name>
    <message>
        <source>process %1</source>
        <translation>Prozess %1</translation>
    </message>
    <message>
        <source>process unknown</source>
        <translation>Prozess unbekannt</translation>
    </message>
    <message>
        <source>glinter --headless is already running (%1) and only one Glinter may watch the services; stop it to start the desktop application, or follow it with glinter --watch</source>
        <translation>glinter --headless läuft bereits (%1), und nur ein Glinter darf die Dienste überwachen; beenden Sie es, um die Desktop-Anwendung zu starten, oder verfolgen Sie es mit glinter --watch</translation>
    </message>
</context>
<context>
    <name>DetailsButton</name>
    <message>
        <source>Shows incidents, maintenance and the past week</source>
        <translation>Zeigt Vorfälle, Wartungen und die letzte Woche</translation>
    </message>
</context>
<context>
    <name>DetailsWindow</name>
    <message>
        <source>Incidents</source>
        <translation>Vorfälle</translation>
    </message>
    <message>
        <source>Maintenance</source>
        <translation>Wartung</translation>
    </message>
    <message>
        <source>Last 7 days</source>
        <translation>Letzte 7 Tage</translation>
    </message>
</context>
<context>
    <name>FeedFetch</name>
    <message>
        <source>Decode error</source>
        <translation>Dekodierfehler</translation>
    </message>
    <message>
        <source>Unexpected format</source>
        <translation>Unerwartetes Format</translation>
    </message>
</context>
<context>
    <name>FeedScan</name>
    <message numerus="yes">
        <source>(+%n more)</source>
        <translation>
            <numerusform>(+%n weitere)</numerusform>
            <numerusform>(+%n weitere)</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>GCPProvider</name>
    <message>
        <source>The data couldn&apos;t be read: the document is not an array.</source>
        <translation>Die Daten konnten nicht gelesen werden: Das Dokument ist kein Array.</translation>
    </message>
</context>
<context>
    <name>GatusProvider</name>
    <message>
        <source>The data couldn&apos;t be read: the document is not an array.</source>
        <translation>Die Daten konnten nicht gelesen werden: Das Dokument ist kein Array.</translation>
    </message>
    <message>
        <source>The page lists no endpoints.</source>
        <translation>Die Seite führt keine Endpunkte auf.</translation>
    </message>
    <message>
        <source>No endpoint on the page has been checked yet.</source>
        <translation>Noch kein Endpunkt der Seite wurde geprüft.</translation>
    </message>
    <message>
        <source>Invalid URL</source>
        <translation>Ungültige URL</translation>
    </message>
</context>
<context>
    <name>GeneralTab</name>
    <message>
        <source>Any issue</source>
        <translation>Jedes Problem</translation>
    </message>
    <message>
        <source>Major outages</source>
        <translation>Schwere Ausfälle</translation>
    </message>
    <message>
        <source>Critical only</source>
        <translation>Nur kritische</translation>
    </message>
    <message>
        <source>All regions</source>
        <translation>Alle Regionen</translation>
    </message>
    <message numerus="yes">
        <source>%n selected</source>
        <translation>
            <numerusform>%n ausgewählt</numerusform>
            <numerusform>%n ausgewählt</numerusform>
        </translation>
    </message>
    <message>
        <source>Get a notification when a monitored service starts having issues or recovers.</source>
        <translation>Sie werden benachrichtigt, wenn ein überwachter Dienst Probleme bekommt oder sich wieder erholt.</translation>
    </message>
    <message numerus="yes">
        <source>%n minute(s)</source>
        <translation>
            <numerusform>%n Minute</numerusform>
            <numerusform>%n Minuten</numerusform>
        </translation>
    </message>
    <message>
        <source>Refresh every</source>
        <translation>Aktualisierungsintervall</translation>
    </message>
    <message>
        <source>Launch at login</source>
        <translation>Bei der Anmeldung starten</translation>
    </message>
    <message>
        <source>Notify when a service goes down</source>
        <translation>Benachrichtigen, wenn ein Dienst ausfällt</translation>
    </message>
    <message>
        <source>Notify me about</source>
        <translation>Benachrichtigen bei</translation>
    </message>
    <message>
        <source>Alerts webhook</source>
        <translation>Webhook für Warnungen</translation>
    </message>
    <message>
        <source>https://hooks.slack.com/services/… or any endpoint</source>
        <translation>https://hooks.slack.com/services/… oder ein beliebiger Endpunkt</translation>
    </message>
    <message>
        <source>Webhook URL</source>
        <translation>Webhook-URL</translation>
    </message>
    <message>
        <source>POST a JSON alert (with Slack `text` and Discord `content` fields) to this URL on the same up/down transitions. Works even if notifications are off; respects per-service mute and the severity threshold.</source>
        <translation>Sendet bei denselben Ausfällen und Erholungen eine JSON-Warnung per POST an diese URL (mit den Feldern `text` für Slack und `content` für Discord). Funktioniert auch bei ausgeschalteten Benachrichtigungen; beachtet die Stummschaltung einzelner Dienste und die Schweregrad-Schwelle.</translation>
    </message>
    <message>
        <source>AWS Regions</source>
        <translation>AWS-Regionen</translation>
    </message>
    <message>
        <source>Only count AWS incidents in the selected regions. Global services (Route 53, IAM, CloudFront…) always count. Leave all unchecked to monitor every region.</source>
        <translation>Nur AWS-Vorfälle in den ausgewählten Regionen zählen. Globale Dienste (Route 53, IAM, CloudFront …) zählen immer. Ohne Auswahl werden alle Regionen überwacht.</translation>
    </message>
    <message>
        <source>Sending…</source>
        <translation>Wird gesendet …</translation>
    </message>
    <message>
        <source>Send test</source>
        <translation>Test senden</translation>
    </message>
    <message>
        <source>Delivered</source>
        <translation>Zugestellt</translation>
    </message>
    <message>
        <source>Failed — check the URL</source>
        <translation>Fehlgeschlagen – URL prüfen</translation>
    </message>
    <message>
        <source>Clear webhook URL</source>
        <translation>Webhook-URL löschen</translation>
    </message>
</context>
<context>
    <name>Headless</name>
    <message numerus="yes">
        <source>%n service(s)</source>
        <translation>
            <numerusform>%n Dienst</numerusform>
            <numerusform>%n Dienste</numerusform>
        </translation>
    </message>
    <message>
        <source>list: %1</source>
        <translation>Liste: %1</translation>
    </message>
    <message>
        <source>; added %1</source>
        <translation>; hinzugefügt: %1</translation>
    </message>
    <message>
        <source>; removed %1</source>
        <translation>; entfernt: %1</translation>
    </message>
    <message>
        <source>watching %1 (%2)</source>
        <translation>überwache %1 (%2)</translation>
    </message>
    <message>
        <source>metrics at http://%1/metrics</source>
        <translation>Metriken unter http://%1/metrics</translation>
    </message>
    <message>
        <source>%1 is fine again</source>
        <translation>%1 ist wieder in Ordnung</translation>
    </message>
    <message>
        <source>%1 muted until %2</source>
        <translation>%1 stummgeschaltet bis %2</translation>
    </message>
    <message>
        <source>stopping (signal %1)</source>
        <translation>wird beendet (Signal %1)</translation>
    </message>
    <message>
        <source>process %1</source>
        <translation>Prozess %1</translation>
    </message>
    <message>
        <source>process unknown</source>
        <translation>Prozess unbekannt</translation>
    </message>
    <message>
        <source>Glinter is already running (%1) and only one may watch the services; glinter --watch and glinter --check run beside it</source>
        <translation>Glinter läuft bereits (%1), und nur einer darf die Dienste überwachen; glinter --watch und glinter --check laufen daneben</translation>
    </message>
</context>
<context>
    <name>HttpSession</name>
    <message>
        <source>Unsupported URL</source>
        <translation>Nicht unterstützte URL</translation>
    </message>
    <message>
        <source>The response is too large.</source>
        <translation>Die Antwort ist zu groß.</translation>
    </message>
    <message>
        <source>Malformed response</source>
        <translation>Fehlerhafte Antwort</translation>
    </message>
    <message>
        <source>The request timed out.</source>
        <translation>Zeitüberschreitung der Anfrage.</translation>
    </message>
</context>
<context>
    <name>IncidentView</name>
    <message>
        <source>Open incident</source>
        <translation>Vorfall öffnen</translation>
    </message>
</context>
<context>
    <name>Indicator</name>
    <message>
        <source>All Systems Operational</source>
        <translation>Alle Systeme betriebsbereit</translation>
    </message>
    <message>
        <source>Degraded Performance</source>
        <translation>Eingeschränkte Leistung</translation>
    </message>
    <message>
        <source>Partial Outage</source>
        <translation>Teilweiser Ausfall</translation>
    </message>
    <message>
        <source>Major Outage</source>
        <translation>Schwerer Ausfall</translation>
    </message>
    <message>
        <source>Unreachable</source>
        <translation>Nicht erreichbar</translation>
    </message>
</context>
<context>
    <name>InstatusProvider</name>
    <message>
        <source>Invalid URL</source>
        <translation>Ungültige URL</translation>
    </message>
</context>
<context>
    <name>JsonDecoder</name>
    <message>
        <source>The data couldn&apos;t be read: &quot;%1&quot; is not %2.</source>
        <translation>Die Daten konnten nicht gelesen werden: „%1“ ist nicht vom Typ %2.</translation>
    </message>
    <message>
        <source>The data couldn&apos;t be read: the document is not an object.</source>
        <translation>Die Daten konnten nicht gelesen werden: Das Dokument ist kein Objekt.</translation>
    </message>
    <message>
        <source>The data couldn&apos;t be read: %1 at offset %2.</source>
        <translation>Die Daten konnten nicht gelesen werden: %1 an Position %2.</translation>
    </message>
    <message>
        <source>The data couldn&apos;t be read: &quot;%1&quot; is not an object.</source>
        <translation>Die Daten konnten nicht gelesen werden: „%1“ ist kein Objekt.</translation>
    </message>
    <message>
        <source>a string</source>
        <translation>Zeichenkette</translation>
    </message>
    <message>
        <source>a boolean</source>
        <translation>Wahrheitswert</translation>
    </message>
    <message>
        <source>a number</source>
        <translation>Zahl</translation>
    </message>
    <message>
        <source>an array</source>
        <translation>Array</translation>
    </message>
    <message>
        <source>an object</source>
        <translation>Objekt</translation>
    </message>
    <message>
        <source>The data couldn&apos;t be read: &quot;%1&quot; is missing.</source>
        <translation>Die Daten konnten nicht gelesen werden: „%1“ fehlt.</translation>
    </message>
    <message>
        <source>Not a status feed: the address answered with a web page</source>
        <translation>Kein Status-Feed: Die Adresse antwortete mit einer Webseite</translation>
    </message>
</context>
<context>
    <name>ListedServiceRow</name>
    <message>
        <source>Drag, or press Alt+Up or Alt+Down, to reorder</source>
        <translation>Zum Umsortieren ziehen oder Alt+Pfeil nach oben/unten drücken</translation>
    </message>
</context>
<context>
    <name>MenuContent</name>
    <message>
        <source>No connection</source>
        <translation>Keine Verbindung</translation>
    </message>
    <message>
        <source>All Systems Operational</source>
        <translation>Alle Systeme betriebsbereit</translation>
    </message>
    <message>
        <source>Some Systems Degraded</source>
        <translation>Einige Systeme beeinträchtigt</translation>
    </message>
    <message>
        <source>Partial Service Outage</source>
        <translation>Teilweiser Dienstausfall</translation>
    </message>
    <message>
        <source>Major Service Outage</source>
        <translation>Schwerer Dienstausfall</translation>
    </message>
    <message>
        <source>Status Unavailable</source>
        <translation>Status nicht verfügbar</translation>
    </message>
    <message>
        <source>Checking…</source>
        <translation>Wird geprüft …</translation>
    </message>
    <message>
        <source>Updated now</source>
        <translation>Gerade aktualisiert</translation>
    </message>
    <message>
        <source>Updated %1</source>
        <translation>Aktualisiert %1</translation>
    </message>
    <message>
        <source>All systems operational</source>
        <translation>Alle Systeme betriebsbereit</translation>
    </message>
    <message>
        <source>Glinter — %1</source>
        <translation>Glinter — %1</translation>
    </message>
    <message>
        <source>Open %1</source>
        <translation>%1 öffnen</translation>
    </message>
    <message>
        <source>Under Maintenance</source>
        <translation>In Wartung</translation>
    </message>
    <message>
        <source>No services are watched.</source>
        <translation>Es werden keine Dienste überwacht.</translation>
    </message>
</context>
<context>
    <name>MuteButton</name>
    <message>
        <source>Notifications muted</source>
        <translation>Benachrichtigungen stummgeschaltet</translation>
    </message>
    <message>
        <source>Mute notifications</source>
        <translation>Benachrichtigungen stummschalten</translation>
    </message>
    <message>
        <source>Muted until %1</source>
        <translation>Stummgeschaltet bis %1</translation>
    </message>
    <message>
        <source>Unmute notifications for %1</source>
        <translation>Benachrichtigungen für %1 wieder einschalten</translation>
    </message>
    <message>
        <source>Mute notifications for %1</source>
        <translation>Benachrichtigungen für %1 stummschalten</translation>
    </message>
</context>
<context>
    <name>Notifications</name>
    <message>
        <source>Open Status Page</source>
        <translation>Statusseite öffnen</translation>
    </message>
    <message>
        <source>Mute for 1 Hour</source>
        <translation>1 Stunde stummschalten</translation>
    </message>
</context>
<context>
    <name>Notifier</name>
    <message>
        <source>%1 recovered</source>
        <translation>%1 wiederhergestellt</translation>
    </message>
</context>
<context>
    <name>OnboardingWindow</name>
    <message>
        <source>Welcome to Glinter</source>
        <translation>Willkommen bei Glinter</translation>
    </message>
    <message>
        <source>Healthy — everything is operational.</source>
        <translation>Gesund – alles ist betriebsbereit.</translation>
    </message>
    <message>
        <source>Degraded — minor issues or maintenance.</source>
        <translation>Beeinträchtigt – kleinere Probleme oder Wartung.</translation>
    </message>
    <message>
        <source>Outage — a service is down.</source>
        <translation>Ausfall – ein Dienst ist ausgefallen.</translation>
    </message>
    <message>
        <source>Unreachable — Glinter can’t reach the feed.</source>
        <translation>Nicht erreichbar – Glinter erreicht den Feed nicht.</translation>
    </message>
    <message>
        <source>Open Settings to choose which services to watch.</source>
        <translation>Wählen Sie in den Einstellungen die Dienste aus, die überwacht werden sollen.</translation>
    </message>
    <message>
        <source>Not Now</source>
        <translation>Nicht jetzt</translation>
    </message>
    <message>
        <source>Choose Services</source>
        <translation>Dienste auswählen</translation>
    </message>
    <message>
        <source>Glinter lives in your tray, on the top bar or panel of your desktop, and keeps an eye on the services you depend on.</source>
        <translation>Glinter sitzt im Tray Ihrer Arbeitsumgebung, in der oberen Leiste oder im Panel, und behält die Dienste im Blick, auf die Sie angewiesen sind.</translation>
    </message>
</context>
<context>
    <name>PanelWindow</name>
    <message>
        <source>Glinter</source>
        <translation>Glinter</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>Choose Services in Settings…</source>
        <translation>Dienste in den Einstellungen auswählen …</translation>
    </message>
</context>
<context>
    <name>Providers</name>
    <message>
        <source>Statuspage.io</source>
        <translation>Statuspage.io</translation>
    </message>
    <message>
        <source>Added as a Statuspage.io page</source>
        <translation>Als Statuspage.io-Seite hinzugefügt</translation>
    </message>
    <message>
        <source>Instatus</source>
        <translation>Instatus</translation>
    </message>
    <message>
        <source>Added as an Instatus page</source>
        <translation>Als Instatus-Seite hinzugefügt</translation>
    </message>
    <message>
        <source>Website / Server</source>
        <translation>Website / Server</translation>
    </message>
    <message>
        <source>AWS Health</source>
        <translation>AWS Health</translation>
    </message>
    <message>
        <source>Apple System Status</source>
        <translation>Apple System Status</translation>
    </message>
    <message>
        <source>Google Cloud Status</source>
        <translation>Google Cloud Status</translation>
    </message>
    <message>
        <source>Azure Status</source>
        <translation>Azure Status</translation>
    </message>
    <message>
        <source>xAI Status</source>
        <translation>xAI Status</translation>
    </message>
    <message>
        <source>Status.io</source>
        <translation>Status.io</translation>
    </message>
    <message>
        <source>Added as a Status.io page</source>
        <translation>Als Status.io-Seite hinzugefügt</translation>
    </message>
    <message>
        <source>Better Stack</source>
        <translation>Better Stack</translation>
    </message>
    <message>
        <source>Added as a Better Stack page</source>
        <translation>Als Better-Stack-Seite hinzugefügt</translation>
    </message>
    <message>
        <source>Cachet</source>
        <translation>Cachet</translation>
    </message>
    <message>
        <source>Added as a Cachet page</source>
        <translation>Als Cachet-Seite hinzugefügt</translation>
    </message>
    <message>
        <source>Uptime Kuma</source>
        <translation>Uptime Kuma</translation>
    </message>
    <message>
        <source>Added as an Uptime Kuma page</source>
        <translation>Als Uptime-Kuma-Seite hinzugefügt</translation>
    </message>
    <message>
        <source>Gatus</source>
        <translation>Gatus</translation>
    </message>
    <message>
        <source>Added as a Gatus dashboard</source>
        <translation>Als Gatus-Dashboard hinzugefügt</translation>
    </message>
</context>
<context>
    <name>PublicFace</name>
    <message>
        <source>glinter --headless has no panel to show</source>
        <translation>glinter --headless hat kein Panel zum Anzeigen</translation>
    </message>
    <message>
        <source>no service has the id &quot;%1&quot;</source>
        <translation>kein Dienst hat die ID „%1“</translation>
    </message>
</context>
<context>
    <name>QAbstractSocket</name>
    <message>
        <source>Network unreachable</source>
        <translation>Netzwerk nicht erreichbar</translation>
    </message>
    <message>
        <source>Host unreachable</source>
        <translation>Host nicht erreichbar</translation>
    </message>
    <message>
        <source>Proxy not found</source>
        <translation>Proxy nicht gefunden</translation>
    </message>
</context>
<context>
    <name>QHttp</name>
    <message>
        <source>Proxy connection refused</source>
        <translation>Verbindung zum Proxy abgelehnt</translation>
    </message>
</context>
<context>
    <name>QHttpSocketEngine</name>
    <message>
        <source>Proxy denied connection</source>
        <translation>Der Proxy hat die Verbindung verweigert</translation>
    </message>
</context>
<context>
    <name>QSslSocket</name>
    <message>
        <source>Error during SSL handshake: %1</source>
        <translation>Fehler beim SSL-Handshake: %1</translation>
    </message>
</context>
<context>
    <name>RefreshButton</name>
    <message>
        <source>Refresh now</source>
        <translation>Jetzt aktualisieren</translation>
    </message>
    <message>
        <source>Refreshing</source>
        <translation>Wird aktualisiert</translation>
    </message>
</context>
<context>
    <name>RefreshScheduler</name>
    <message>
        <source>The check failed.</source>
        <translation>Die Prüfung ist fehlgeschlagen.</translation>
    </message>
</context>
<context>
    <name>RemoveButton</name>
    <message>
        <source>Remove %1</source>
        <translation>%1 entfernen</translation>
    </message>
</context>
<context>
    <name>Results</name>
    <message>
        <source>history.json could not be saved: %1</source>
        <translation>history.json konnte nicht gespeichert werden: %1</translation>
    </message>
</context>
<context>
    <name>SearchField</name>
    <message>
        <source>Clear search</source>
        <translation>Suche leeren</translation>
    </message>
</context>
<context>
    <name>Service</name>
    <message>
        <source>not an object</source>
        <translation>kein Objekt</translation>
    </message>
    <message>
        <source>missing &quot;%1&quot;</source>
        <translation>„%1“ fehlt</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not text</source>
        <translation>„%1“ ist kein Text</translation>
    </message>
    <message>
        <source>&quot;url&quot; is empty</source>
        <translation>„url“ ist leer</translation>
    </message>
    <message>
        <source>&quot;url&quot; is not a valid address</source>
        <translation>„url“ ist keine gültige Adresse</translation>
    </message>
    <message>
        <source>&quot;url&quot; is not an http or https address</source>
        <translation>&quot;url&quot; ist keine http- oder https-Adresse</translation>
    </message>
    <message>
        <source>&quot;provider&quot; is not text</source>
        <translation>&quot;provider&quot; ist kein Text</translation>
    </message>
    <message>
        <source>Unknown provider “%1” (needs a newer Glinter)</source>
        <translation>Unbekannter Anbieter „%1“ (erfordert ein neueres Glinter)</translation>
    </message>
</context>
<context>
    <name>ServiceCatalog</name>
    <message>
        <source>AI · Models &amp; APIs</source>
        <translation>KI · Modelle &amp; APIs</translation>
    </message>
    <message>
        <source>AI · Voice, Image &amp; Video</source>
        <translation>KI · Sprache, Bild &amp; Video</translation>
    </message>
    <message>
        <source>AI · Dev &amp; Infra</source>
        <translation>KI · Entwicklung &amp; Infrastruktur</translation>
    </message>
    <message>
        <source>Hosting &amp; PaaS</source>
        <translation>Hosting &amp; PaaS</translation>
    </message>
    <message>
        <source>Cloud &amp; Infra</source>
        <translation>Cloud &amp; Infrastruktur</translation>
    </message>
    <message>
        <source>Developer Tools</source>
        <translation>Entwicklerwerkzeuge</translation>
    </message>
    <message>
        <source>Data &amp; Backend</source>
        <translation>Daten &amp; Backend</translation>
    </message>
    <message>
        <source>Identity &amp; Auth</source>
        <translation>Identität &amp; Anmeldung</translation>
    </message>
    <message>
        <source>Observability &amp; APM</source>
        <translation>Observability &amp; APM</translation>
    </message>
    <message>
        <source>Errors &amp; Crash Reporting</source>
        <translation>Fehler &amp; Absturzberichte</translation>
    </message>
    <message>
        <source>Incident &amp; On-Call</source>
        <translation>Vorfälle &amp; Bereitschaft</translation>
    </message>
    <message>
        <source>Payments &amp; Commerce</source>
        <translation>Zahlungen &amp; Handel</translation>
    </message>
    <message>
        <source>Communication</source>
        <translation>Kommunikation</translation>
    </message>
    <message>
        <source>Productivity</source>
        <translation>Produktivität</translation>
    </message>
</context>
<context>
    <name>ServiceDetails</name>
    <message>
        <source>Tomorrow</source>
        <translation>Morgen</translation>
    </message>
    <message>
        <source>Today</source>
        <translation>Heute</translation>
    </message>
    <message>
        <source>Incident</source>
        <translation>Vorfall</translation>
    </message>
    <message>
        <source>Updated now</source>
        <translation>Gerade aktualisiert</translation>
    </message>
    <message>
        <source>Updated %1</source>
        <translation>Aktualisiert %1</translation>
    </message>
    <message>
        <source>Opens the page of “%1”</source>
        <translation>Öffnet die Seite von „%1“</translation>
    </message>
    <message>
        <source>Details for %1</source>
        <translation>Details zu %1</translation>
    </message>
    <message>
        <source>Investigating</source>
        <comment>an incident&apos;s stage</comment>
        <translation>Wird untersucht</translation>
    </message>
    <message>
        <source>Identified</source>
        <comment>an incident&apos;s stage</comment>
        <translation>Ursache erkannt</translation>
    </message>
    <message>
        <source>Monitoring</source>
        <comment>an incident&apos;s stage</comment>
        <translation>Wird beobachtet</translation>
    </message>
    <message>
        <source>Resolved</source>
        <comment>an incident&apos;s stage</comment>
        <translation>Behoben</translation>
    </message>
    <message>
        <source>Postmortem</source>
        <comment>an incident&apos;s stage</comment>
        <translation>Nachbetrachtung</translation>
    </message>
    <message>
        <source>Scheduled</source>
        <comment>an incident&apos;s stage</comment>
        <translation>Geplant</translation>
    </message>
    <message>
        <source>In progress</source>
        <comment>an incident&apos;s stage</comment>
        <translation>Läuft</translation>
    </message>
    <message>
        <source>Verifying</source>
        <comment>an incident&apos;s stage</comment>
        <translation>Wird überprüft</translation>
    </message>
    <message>
        <source>Completed</source>
        <comment>an incident&apos;s stage</comment>
        <translation>Abgeschlossen</translation>
    </message>
    <message>
        <source>Started %1 (%2)</source>
        <translation>Begonnen %1 (%2)</translation>
    </message>
    <message>
        <source>In progress until %1</source>
        <translation>Läuft bis %1</translation>
    </message>
    <message>
        <source>In progress</source>
        <translation>Läuft</translation>
    </message>
    <message>
        <source>Time not announced</source>
        <translation>Zeit nicht angekündigt</translation>
    </message>
    <message>
        <source>Tonight</source>
        <translation>Heute Abend</translation>
    </message>
    <message>
        <source>%1 %2</source>
        <comment>a day&apos;s word, then the hours</comment>
        <translation>%1, %2</translation>
    </message>
    <message>
        <source>No history yet</source>
        <translation>Noch kein Verlauf</translation>
    </message>
    <message>
        <source>%1 % operational over %2</source>
        <translation>%1 % betriebsbereit über %2</translation>
    </message>
    <message>
        <source>Maintenance</source>
        <translation>Wartung</translation>
    </message>
</context>
<context>
    <name>ServiceList</name>
    <message>
        <source>%1 was not saved: a copy of it could not be kept in %2 (%3).</source>
        <translation>%1 wurde nicht gespeichert: Eine Kopie konnte nicht in %2 abgelegt werden (%3).</translation>
    </message>
    <message>
        <source>%1 was not usable (%2) and has been replaced by the monitored list; the file as it was is in %3.</source>
        <translation>%1 war nicht verwendbar (%2) und wurde durch die überwachte Liste ersetzt; die ursprüngliche Datei liegt in %3.</translation>
    </message>
    <message>
        <source>%1: %2. These records were dropped from the file; the file as it was is in %3.</source>
        <translation>%1: %2. Diese Einträge wurden aus der Datei entfernt; die ursprüngliche Datei liegt in %3.</translation>
    </message>
    <message>
        <source>%1 could not be saved: %2.</source>
        <translation>%1 konnte nicht gespeichert werden: %2.</translation>
    </message>
    <message>
        <source>The default services are monitored.</source>
        <translation>Die Standarddienste werden überwacht.</translation>
    </message>
    <message>
        <source>The monitored list is kept.</source>
        <translation>Die überwachte Liste bleibt erhalten.</translation>
    </message>
    <message>
        <source>%1 cannot be read: %2. %3</source>
        <translation>%1 kann nicht gelesen werden: %2. %3</translation>
    </message>
    <message>
        <source>%1 is not usable: %2. %3</source>
        <translation>%1 ist nicht verwendbar: %2. %3</translation>
    </message>
    <message>
        <source>%1: %2. These records are not monitored.</source>
        <translation>%1: %2. Diese Einträge werden nicht überwacht.</translation>
    </message>
</context>
<context>
    <name>ServiceRow</name>
    <message>
        <source>Opens the status page</source>
        <translation>Öffnet die Statusseite</translation>
    </message>
</context>
<context>
    <name>ServiceStore</name>
    <message>
        <source>line %1, column %2</source>
        <translation>Zeile %1, Spalte %2</translation>
    </message>
    <message>
        <source>the file is not a JSON array</source>
        <translation>die Datei ist kein JSON-Array</translation>
    </message>
    <message>
        <source>Record %1: %2</source>
        <translation>Eintrag %1: %2</translation>
    </message>
    <message>
        <source>Record %1 (&quot;%2&quot;): same provider and address as record %3 (&quot;%4&quot;)</source>
        <translation>Eintrag %1 („%2“): gleicher Anbieter und gleiche Adresse wie Eintrag %3 („%4“)</translation>
    </message>
    <message>
        <source>no record can be used (%1)</source>
        <translation>kein Eintrag ist verwendbar (%1)</translation>
    </message>
    <message numerus="yes">
        <source>; and %n more</source>
        <translation>
            <numerusform>; und %n weiterer</numerusform>
            <numerusform>; und %n weitere</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ServicesTab</name>
    <message>
        <source>Search services</source>
        <translation>Dienste suchen</translation>
    </message>
    <message>
        <source>Choose the services you want to monitor.</source>
        <translation>Wählen Sie die Dienste aus, die Sie überwachen möchten.</translation>
    </message>
    <message>
        <source>Monitored (drag to reorder)</source>
        <translation>Überwacht (zum Sortieren ziehen)</translation>
    </message>
    <message>
        <source>Custom</source>
        <translation>Eigene</translation>
    </message>
    <message>
        <source>No results for “%1”</source>
        <translation>Keine Ergebnisse für „%1“</translation>
    </message>
    <message>
        <source>Check the spelling or try a new search.</source>
        <translation>Prüfen Sie die Schreibweise oder versuchen Sie eine andere Suche.</translation>
    </message>
</context>
<context>
    <name>SettingsWindow</name>
    <message>
        <source>Glinter Settings</source>
        <translation>Glinter-Einstellungen</translation>
    </message>
    <message>
        <source>Services</source>
        <translation>Dienste</translation>
    </message>
    <message>
        <source>General</source>
        <translation>Allgemein</translation>
    </message>
</context>
<context>
    <name>StatusIOProvider</name>
    <message>
        <source>The data couldn&apos;t be read: &quot;%1.status_code&quot; is not an integer.</source>
        <translation>Die Daten konnten nicht gelesen werden: „%1.status_code“ ist keine ganze Zahl.</translation>
    </message>
    <message>
        <source>Unexpected format</source>
        <translation>Unerwartetes Format</translation>
    </message>
    <message>
        <source>Couldn&apos;t find a Status.io page id</source>
        <translation>Keine Status.io-Seiten-ID gefunden</translation>
    </message>
</context>
<context>
    <name>StatuspageProvider</name>
    <message>
        <source>Invalid URL</source>
        <translation>Ungültige URL</translation>
    </message>
</context>
<context>
    <name>TrayController</name>
    <message>
        <source>Open Glinter</source>
        <translation>Glinter öffnen</translation>
    </message>
    <message>
        <source>Refresh Now</source>
        <translation>Jetzt aktualisieren</translation>
    </message>
    <message>
        <source>Settings…</source>
        <translation>Einstellungen …</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>Glinter</source>
        <translation>Glinter</translation>
    </message>
</context>
<context>
    <name>TrayMenu</name>
    <message>
        <source>%1 — %2</source>
        <translation>%1 — %2</translation>
    </message>
    <message numerus="yes">
        <source>%n more…</source>
        <translation>
            <numerusform>%n weiterer …</numerusform>
            <numerusform>%n weitere …</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>All %n services operational</source>
        <translation>
            <numerusform>%n Dienst betriebsbereit</numerusform>
            <numerusform>Alle %n Dienste betriebsbereit</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>UptimeKumaProvider</name>
    <message>
        <source>Not an Uptime Kuma page address (…/status/&lt;page&gt;)</source>
        <translation>Keine Adresse einer Uptime-Kuma-Seite (…/status/&lt;page&gt;)</translation>
    </message>
    <message>
        <source>The data couldn&apos;t be read: a monitor has no id.</source>
        <translation>Die Daten konnten nicht gelesen werden: Ein Monitor hat keine ID.</translation>
    </message>
    <message>
        <source>The page lists no monitors.</source>
        <translation>Die Seite führt keine Monitore auf.</translation>
    </message>
    <message>
        <source>No monitor on the page has reported yet.</source>
        <translation>Noch kein Monitor der Seite hat sich gemeldet.</translation>
    </message>
</context>
<context>
    <name>WatchFormats</name>
    <message>
        <source>Checking…</source>
        <translation>Wird geprüft …</translation>
    </message>
</context>
<context>
    <name>WebsiteProvider</name>
    <message>
        <source>Online</source>
        <translation>Online</translation>
    </message>
    <message>
        <source>Restricted</source>
        <translation>Zugriff beschränkt</translation>
    </message>
    <message>
        <source>Rate limited</source>
        <translation>Anfragelimit erreicht</translation>
    </message>
    <message>
        <source>Client error</source>
        <translation>Client-Fehler</translation>
    </message>
    <message>
        <source>Server error</source>
        <translation>Serverfehler</translation>
    </message>
    <message>
        <source>Unexpected</source>
        <translation>Unerwartet</translation>
    </message>
    <message>
        <source>Timed out</source>
        <translation>Zeitüberschreitung</translation>
    </message>
    <message>
        <source>Host not found</source>
        <translation>Host nicht gefunden</translation>
    </message>
    <message>
        <source>Connection refused</source>
        <translation>Verbindung abgelehnt</translation>
    </message>
    <message>
        <source>No internet</source>
        <translation>Kein Internet</translation>
    </message>
    <message>
        <source>Connection lost</source>
        <translation>Verbindung unterbrochen</translation>
    </message>
    <message>
        <source>TLS error</source>
        <translation>TLS-Fehler</translation>
    </message>
    <message>
        <source>Offline</source>
        <translation>Offline</translation>
    </message>
</context>
<context>
    <name>WeekStrip</name>
    <message>
        <source>States over the last 7 days</source>
        <translation>Zustände der letzten 7 Tage</translation>
    </message>
</context>
<context>
    <name>XAIProvider</name>
    <message>
        <source>Active incident</source>
        <translation>Aktiver Vorfall</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Watches the status pages of the services you depend on.</source>
        <translation>Überwacht die Statusseiten der Dienste, auf die Sie angewiesen sind.</translation>
    </message>
    <message>
        <source>Check every service once, print the states and exit.</source>
        <translation>Jeden Dienst einmal prüfen, die Zustände ausgeben und beenden.</translation>
    </message>
    <message>
        <source>With --check: print one JSON array.</source>
        <translation>Mit --check: ein JSON-Array ausgeben.</translation>
    </message>
    <message>
        <source>With --check: read the services from &lt;file&gt;.</source>
        <translation>Mit --check: die Dienste aus &lt;file&gt; lesen.</translation>
    </message>
    <message>
        <source>Run the monitor without any window or tray, printing each change.</source>
        <translation>Die Überwachung ohne Fenster und Tray ausführen und jede Änderung ausgeben.</translation>
    </message>
    <message>
        <source>With --headless: serve Prometheus metrics at http://&lt;address:port&gt;/metrics.</source>
        <translation>Mit --headless: Prometheus-Metriken unter http://&lt;address:port&gt;/metrics bereitstellen.</translation>
    </message>
    <message>
        <source>Print a line for a status bar now and on each change, until killed.</source>
        <translation>Eine Zeile für eine Statusleiste ausgeben, jetzt und bei jeder Änderung, bis zum Beenden.</translation>
    </message>
    <message>
        <source>With --watch: waybar (the default), i3blocks, polybar or json.</source>
        <translation>Mit --watch: waybar (Standard), i3blocks, polybar oder json.</translation>
    </message>
    <message>
        <source>Displays help on commandline options.</source>
        <translation>Zeigt die Hilfe zu den Befehlszeilenoptionen an.</translation>
    </message>
</context>
</TS>
