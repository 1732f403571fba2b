<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>AWSProvider</name>
    <message>
        <source>Decode error</source>
        <translation>Erreur de décodage</translation>
    </message>
    <message>
        <source>The data couldn&apos;t be read: the document is not an array.</source>
        <translation>Impossible de lire les données&#xa0;: le document n&apos;est pas un tableau.</translation>
    </message>
</context>
<context>
    <name>AWSRegionPicker</name>
    <message>
        <source>Monitor all</source>
        <translation>Tout surveiller</translation>
    </message>
    <message>
        <source>AWS Regions</source>
        <translation>Régions AWS</translation>
    </message>
</context>
<context>
    <name>AWSRegions</name>
    <message>
        <source>Americas</source>
        <translation>Amériques</translation>
    </message>
    <message>
        <source>Europe</source>
        <translation>Europe</translation>
    </message>
    <message>
        <source>Asia Pacific</source>
        <translation>Asie-Pacifique</translation>
    </message>
    <message>
        <source>Middle East &amp; Africa</source>
        <translation>Moyen-Orient et Afrique</translation>
    </message>
</context>
<context>
    <name>AgentImportRow</name>
    <message>
        <source>Edit services.json</source>
        <translation>Modifier services.json</translation>
    </message>
    <message>
        <source>Add from a Codebase</source>
        <translation>Ajouter depuis une base de code</translation>
    </message>
    <message>
        <source>Paste the prompt into Claude Code, Cursor, or any coding agent opened in a project — it finds the services the code depends on, plus your own production URLs, and adds them here. The config is plain JSON; edits apply instantly.</source>
        <translation>Collez le prompt dans Claude Code, Cursor ou tout autre agent de code ouvert dans un projet — il trouve les services dont dépend le code, ainsi que vos propres URL de production, et les ajoute ici. La configuration est du JSON tout simple&#xa0;; les modifications s&apos;appliquent immédiatement.</translation>
    </message>
    <message>
        <source>Copied</source>
        <translation>Copié</translation>
    </message>
    <message>
        <source>Copy AI Prompt</source>
        <translation>Copier le prompt IA</translation>
    </message>
</context>
<context>
    <name>AppleProvider</name>
    <message>
        <source>The data couldn&apos;t be read: the document is not an object.</source>
        <translation>Impossible de lire les données&#xa0;: le document n&apos;est pas un objet.</translation>
    </message>
    <message>
        <source>Unexpected format</source>
        <translation>Format inattendu</translation>
    </message>
</context>
<context>
    <name>AtomicFile</name>
    <message>
        <source>larger than %1 MiB</source>
        <translation>plus de %1 Mio</translation>
    </message>
    <message>
        <source>not a regular file</source>
        <translation>pas un fichier ordinaire</translation>
    </message>
    <message>
        <source>cannot create the folder %1</source>
        <translation>impossible de créer le dossier %1</translation>
    </message>
    <message>
        <source>short write</source>
        <translation>écriture incomplète</translation>
    </message>
</context>
<context>
    <name>BetterStackProvider</name>
    <message>
        <source>Unexpected format</source>
        <translation>Format inattendu</translation>
    </message>
    <message>
        <source>The page lists no monitors.</source>
        <translation>La page ne répertorie aucune sonde.</translation>
    </message>
    <message>
        <source>Invalid URL</source>
        <translation>URL non valide</translation>
    </message>
</context>
<context>
    <name>CachetProvider</name>
    <message>
        <source>Unexpected format</source>
        <translation>Format inattendu</translation>
    </message>
    <message>
        <source>Invalid URL</source>
        <translation>URL non valide</translation>
    </message>
    <message>
        <source>The page lists no components.</source>
        <translation>La page ne répertorie aucun composant.</translation>
    </message>
    <message>
        <source>None of the page&apos;s components has a known status.</source>
        <translation>Aucun composant de la page n&apos;a d&apos;état connu.</translation>
    </message>
    <message>
        <source>The list does not end within %1 pages.</source>
        <translation>La liste ne se termine pas en %1 pages.</translation>
    </message>
</context>
<context>
    <name>CatalogRow</name>
    <message>
        <source>Monitor %1</source>
        <translation>Surveiller %1</translation>
    </message>
</context>
<context>
    <name>CategoryHeader</name>
    <message>
        <source>Deselect all</source>
        <translation>Tout désélectionner</translation>
    </message>
    <message>
        <source>Select all</source>
        <translation>Tout sélectionner</translation>
    </message>
    <message>
        <source>Deselect all in %1</source>
        <translation>Tout désélectionner dans %1</translation>
    </message>
    <message>
        <source>Select all in %1</source>
        <translation>Tout sélectionner dans %1</translation>
    </message>
</context>
<context>
    <name>CheckCommand</name>
    <message>
        <source>cannot read %1: %2</source>
        <translation>impossible de lire %1&#xa0;: %2</translation>
    </message>
    <message>
        <source>%1 is not usable: %2</source>
        <translation>%1 est inutilisable&#xa0;: %2</translation>
    </message>
    <message>
        <source>; nothing was checked</source>
        <translation>&#xa0;; rien n&apos;a été vérifié</translation>
    </message>
    <message>
        <source>%1: %2; not checked</source>
        <translation>%1&#xa0;: %2&#xa0;; non vérifié</translation>
    </message>
    <message>
        <source>%1 lists no services; nothing was checked</source>
        <translation>%1 ne liste aucun service ; rien n’a été vérifié</translation>
    </message>
</context>
<context>
    <name>CheckRow</name>
    <message>
        <source>Selected</source>
        <translation>Sélectionné</translation>
    </message>
    <message>
        <source>Not selected</source>
        <translation>Non sélectionné</translation>
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
        <translation>Cette page n&apos;a aucun composant à choisir.</translation>
    </message>
    <message>
        <source>Search components</source>
        <translation>Rechercher des composants</translation>
    </message>
    <message>
        <source>Monitor all</source>
        <translation>Tout surveiller</translation>
    </message>
    <message>
        <source>%1 Components</source>
        <translation>Composants de %1</translation>
    </message>
    <message>
        <source>Loading</source>
        <translation>Chargement</translation>
    </message>
    <message>
        <source>Deselect all</source>
        <translation>Tout désélectionner</translation>
    </message>
    <message>
        <source>Select all</source>
        <translation>Tout sélectionner</translation>
    </message>
    <message>
        <source>Deselect all in %1</source>
        <translation>Tout désélectionner dans %1</translation>
    </message>
    <message>
        <source>Select all in %1</source>
        <translation>Tout sélectionner dans %1</translation>
    </message>
</context>
<context>
    <name>ComponentSelection</name>
    <message>
        <source>Selected components not found</source>
        <translation>Composants sélectionnés introuvables</translation>
    </message>
    <message numerus="yes">
        <source>%n of %1 selected components not found</source>
        <translation>
            <numerusform>%n des %1 composants sélectionnés est introuvable</numerusform>
            <numerusform>%n des %1 composants sélectionnés sont introuvables</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ComponentsButton</name>
    <message>
        <source>Watch specific components</source>
        <translation>Surveiller certains composants</translation>
    </message>
    <message numerus="yes">
        <source>Watching %n component(s)</source>
        <translation>
            <numerusform>%n composant surveillé</numerusform>
            <numerusform>%n composants surveillés</numerusform>
        </translation>
    </message>
    <message>
        <source>Choose components</source>
        <translation>Choisir les composants</translation>
    </message>
    <message>
        <source>Choose components for %1</source>
        <translation>Choisir les composants de %1</translation>
    </message>
</context>
<context>
    <name>CustomAddForm</name>
    <message>
        <source>Add a Custom Service</source>
        <translation>Ajouter un service personnalisé</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Nom</translation>
    </message>
    <message>
        <source>Address</source>
        <translation>Adresse</translation>
    </message>
    <message>
        <source>Detect automatically</source>
        <translation>Détection automatique</translation>
    </message>
    <message>
        <source>Feed format</source>
        <translation>Format du flux</translation>
    </message>
    <message>
        <source>https://example.com or your server URL</source>
        <translation>https://example.com ou l&apos;URL de votre serveur</translation>
    </message>
    <message>
        <source>Status page URL</source>
        <translation>URL de la page d&apos;état</translation>
    </message>
    <message>
        <source>Checking…</source>
        <translation>Vérification…</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Ajouter</translation>
    </message>
    <message>
        <source>Pings any site or server over HTTP — reports online/offline with latency.</source>
        <translation>Interroge n&apos;importe quel site ou serveur en HTTP — indique en ligne/hors ligne, avec la latence.</translation>
    </message>
    <message>
        <source>Paste a public status page; Glinter reads its live feed.</source>
        <translation>Collez l&apos;adresse d&apos;une page d&apos;état publique&#xa0;; Glinter lit son flux en direct.</translation>
    </message>
    <message>
        <source>Invalid URL</source>
        <translation>URL non valide</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1&#xa0;: %2</translation>
    </message>
    <message>
        <source>%1 or %2</source>
        <translation>%1 ou %2</translation>
    </message>
    <message>
        <source>%1, %2</source>
        <translation>%1, %2</translation>
    </message>
    <message>
        <source>Couldn&apos;t read a %1 feed there (%2)</source>
        <translation>Impossible d&apos;y lire un flux %1 (%2)</translation>
    </message>
    <message>
        <source>Only http:// and https:// addresses can be watched</source>
        <translation>Seules les adresses http:// et https:// peuvent être surveillées</translation>
    </message>
</context>
<context>
    <name>DesktopApp</name>
    <message>
        <source>process %1</source>
        <translation>processus %1</translation>
    </message>
    <message>
        <source>process unknown</source>
        <translation>processus inconnu</translation>
    </message>
    <message>
        <source>glinter --headless is already running (%1) and only one Glinter may watch the services; stop it to start the desktop application, or follow it with glinter --watch</source>
        <translation>glinter --headless est déjà en cours d’exécution (%1) et un seul Glinter peut surveiller les services ; arrêtez-le pour lancer l’application de bureau, ou suivez-le avec glinter --watch</translation>
    </message>
</context>
<context>
    <name>DetailsButton</name>
    <message>
        <source>Shows incidents, maintenance and the past week</source>
        <translation>Affiche les incidents, les maintenances et la semaine passée</translation>
    </message>
</context>
<context>
    <name>DetailsWindow</name>
    <message>
        <source>Incidents</source>
        <translation>Incidents</translation>
    </message>
    <message>
        <source>Maintenance</source>
        <translation>Maintenance</translation>
    </message>
    <message>
        <source>Last 7 days</source>
        <translation>7 derniers jours</translation>
    </message>
</context>
<context>
    <name>FeedFetch</name>
    <message>
        <source>Decode error</source>
        <translation>Erreur de décodage</translation>
    </message>
    <message>
        <source>Unexpected format</source>
        <translation>Format inattendu</translation>
    </message>
</context>
<context>
    <name>FeedScan</name>
    <message numerus="yes">
        <source>(+%n more)</source>
        <translation>
            <numerusform>(+%n autre)</numerusform>
            <numerusform>(+%n autres)</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>GCPProvider</name>
    <message>
        <source>The data couldn&apos;t be read: the document is not an array.</source>
        <translation>Impossible de lire les données&#xa0;: le document n&apos;est pas un tableau.</translation>
    </message>
</context>
<context>
    <name>GatusProvider</name>
    <message>
        <source>The data couldn&apos;t be read: the document is not an array.</source>
        <translation>Impossible de lire les données&#xa0;: le document n&apos;est pas un tableau.</translation>
    </message>
    <message>
        <source>The page lists no endpoints.</source>
        <translation>La page ne répertorie aucun point de terminaison.</translation>
    </message>
    <message>
        <source>No endpoint on the page has been checked yet.</source>
        <translation>Aucun point de terminaison de la page n&apos;a encore été vérifié.</translation>
    </message>
    <message>
        <source>Invalid URL</source>
        <translation>URL non valide</translation>
    </message>
</context>
<context>
    <name>GeneralTab</name>
    <message>
        <source>Any issue</source>
        <translation>Tout problème</translation>
    </message>
    <message>
        <source>Major outages</source>
        <translation>Pannes majeures</translation>
    </message>
    <message>
        <source>Critical only</source>
        <translation>Critiques uniquement</translation>
    </message>
    <message>
        <source>All regions</source>
        <translation>Toutes les régions</translation>
    </message>
    <message numerus="yes">
        <source>%n selected</source>
        <translation>
            <numerusform>%n sélectionnée</numerusform>
            <numerusform>%n sélectionnées</numerusform>
        </translation>
    </message>
    <message>
        <source>Get a notification when a monitored service starts having issues or recovers.</source>
        <translation>Recevez une notification quand un service surveillé commence à avoir des problèmes ou se rétablit.</translation>
    </message>
    <message numerus="yes">
        <source>%n minute(s)</source>
        <translation>
            <numerusform>%n minute</numerusform>
            <numerusform>%n minutes</numerusform>
        </translation>
    </message>
    <message>
        <source>Refresh every</source>
        <translation>Intervalle d&apos;actualisation</translation>
    </message>
    <message>
        <source>Launch at login</source>
        <translation>Lancer à l&apos;ouverture de session</translation>
    </message>
    <message>
        <source>Notify when a service goes down</source>
        <translation>M&apos;avertir quand un service tombe en panne</translation>
    </message>
    <message>
        <source>Notify me about</source>
        <translation>M&apos;avertir pour</translation>
    </message>
    <message>
        <source>Alerts webhook</source>
        <translation>Webhook d&apos;alertes</translation>
    </message>
    <message>
        <source>https://hooks.slack.com/services/… or any endpoint</source>
        <translation>https://hooks.slack.com/services/… ou tout autre point de terminaison</translation>
    </message>
    <message>
        <source>Webhook URL</source>
        <translation>URL du webhook</translation>
    </message>
    <message>
        <source>POST a JSON alert (with Slack `text` and Discord `content` fields) to this URL on the same up/down transitions. Works even if notifications are off; respects per-service mute and the severity threshold.</source>
        <translation>Envoie (POST) une alerte JSON (avec les champs `text` de Slack et `content` de Discord) à cette URL lors des mêmes pannes et rétablissements. Fonctionne même si les notifications sont désactivées&#xa0;; respecte la sourdine de chaque service et le seuil de gravité.</translation>
    </message>
    <message>
        <source>AWS Regions</source>
        <translation>Régions AWS</translation>
    </message>
    <message>
        <source>Only count AWS incidents in the selected regions. Global services (Route 53, IAM, CloudFront…) always count. Leave all unchecked to monitor every region.</source>
        <translation>Ne compter que les incidents AWS des régions sélectionnées. Les services globaux (Route 53, IAM, CloudFront…) comptent toujours. Ne cochez rien pour surveiller toutes les régions.</translation>
    </message>
    <message>
        <source>Sending…</source>
        <translation>Envoi…</translation>
    </message>
    <message>
        <source>Send test</source>
        <translation>Envoyer un test</translation>
    </message>
    <message>
        <source>Delivered</source>
        <translation>Reçu</translation>
    </message>
    <message>
        <source>Failed — check the URL</source>
        <translation>Échec — vérifiez l&apos;URL</translation>
    </message>
    <message>
        <source>Clear webhook URL</source>
        <translation>Effacer l’URL du webhook</translation>
    </message>
</context>
<context>
    <name>Headless</name>
    <message numerus="yes">
        <source>%n service(s)</source>
        <translation>
            <numerusform>%n service</numerusform>
            <numerusform>%n services</numerusform>
        </translation>
    </message>
    <message>
        <source>list: %1</source>
        <translation>liste&#xa0;: %1</translation>
    </message>
    <message>
        <source>; added %1</source>
        <translation>&#xa0;; ajout&#xa0;: %1</translation>
    </message>
    <message>
        <source>; removed %1</source>
        <translation>&#xa0;; retrait&#xa0;: %1</translation>
    </message>
    <message>
        <source>watching %1 (%2)</source>
        <translation>surveillance de %1 (%2)</translation>
    </message>
    <message>
        <source>metrics at http://%1/metrics</source>
        <translation>métriques sur http://%1/metrics</translation>
    </message>
    <message>
        <source>%1 is fine again</source>
        <translation>%1 est de nouveau valide</translation>
    </message>
    <message>
        <source>%1 muted until %2</source>
        <translation>%1 en sourdine jusqu&apos;à %2</translation>
    </message>
    <message>
        <source>stopping (signal %1)</source>
        <translation>arrêt (signal %1)</translation>
    </message>
    <message>
        <source>process %1</source>
        <translation>processus %1</translation>
    </message>
    <message>
        <source>process unknown</source>
        <translation>processus inconnu</translation>
    </message>
    <message>
        <source>Glinter is already running (%1) and only one may watch the services; glinter --watch and glinter --check run beside it</source>
        <translation>Glinter est déjà en cours d’exécution (%1) et un seul peut surveiller les services ; glinter --watch et glinter --check fonctionnent à côté</translation>
    </message>
</context>
<context>
    <name>HttpSession</name>
    <message>
        <source>Unsupported URL</source>
        <translation>URL non prise en charge</translation>
    </message>
    <message>
        <source>The response is too large.</source>
        <translation>La réponse est trop volumineuse.</translation>
    </message>
    <message>
        <source>Malformed response</source>
        <translation>Réponse mal formée</translation>
    </message>
    <message>
        <source>The request timed out.</source>
        <translation>La requête a expiré.</translation>
    </message>
</context>
<context>
    <name>IncidentView</name>
    <message>
        <source>Open incident</source>
        <translation>Ouvrir l&apos;incident</translation>
    </message>
</context>
<context>
    <name>Indicator</name>
    <message>
        <source>All Systems Operational</source>
        <translation>Tous les systèmes sont opérationnels</translation>
    </message>
    <message>
        <source>Degraded Performance</source>
        <translation>Performances dégradées</translation>
    </message>
    <message>
        <source>Partial Outage</source>
        <translation>Panne partielle</translation>
    </message>
    <message>
        <source>Major Outage</source>
        <translation>Panne majeure</translation>
    </message>
    <message>
        <source>Unreachable</source>
        <translation>Injoignable</translation>
    </message>
</context>
<context>
    <name>InstatusProvider</name>
    <message>
        <source>Invalid URL</source>
        <translation>URL non valide</translation>
    </message>
</context>
<context>
    <name>JsonDecoder</name>
    <message>
        <source>The data couldn&apos;t be read: &quot;%1&quot; is not %2.</source>
        <translation>Impossible de lire les données&#xa0;: «&#xa0;%1&#xa0;» n&apos;est pas %2.</translation>
    </message>
    <message>
        <source>The data couldn&apos;t be read: the document is not an object.</source>
        <translation>Impossible de lire les données&#xa0;: le document n&apos;est pas un objet.</translation>
    </message>
    <message>
        <source>The data couldn&apos;t be read: %1 at offset %2.</source>
        <translation>Impossible de lire les données&#xa0;: %1 à la position %2.</translation>
    </message>
    <message>
        <source>The data couldn&apos;t be read: &quot;%1&quot; is not an object.</source>
        <translation>Impossible de lire les données&#xa0;: «&#xa0;%1&#xa0;» n&apos;est pas un objet.</translation>
    </message>
    <message>
        <source>a string</source>
        <translation>une chaîne</translation>
    </message>
    <message>
        <source>a boolean</source>
        <translation>un booléen</translation>
    </message>
    <message>
        <source>a number</source>
        <translation>un nombre</translation>
    </message>
    <message>
        <source>an array</source>
        <translation>un tableau</translation>
    </message>
    <message>
        <source>an object</source>
        <translation>un objet</translation>
    </message>
    <message>
        <source>The data couldn&apos;t be read: &quot;%1&quot; is missing.</source>
        <translation>Impossible de lire les données&#xa0;: «&#xa0;%1&#xa0;» est absent.</translation>
    </message>
    <message>
        <source>Not a status feed: the address answered with a web page</source>
        <translation>Pas un flux d’état : l’adresse a répondu par une page web</translation>
    </message>
</context>
<context>
    <name>ListedServiceRow</name>
    <message>
        <source>Drag, or press Alt+Up or Alt+Down, to reorder</source>
        <translation>Faites glisser, ou appuyez sur Alt+Haut ou Alt+Bas, pour réordonner</translation>
    </message>
</context>
<context>
    <name>MenuContent</name>
    <message>
        <source>No connection</source>
        <translation>Pas de connexion</translation>
    </message>
    <message>
        <source>All Systems Operational</source>
        <translation>Tous systèmes opérationnels</translation>
    </message>
    <message>
        <source>Some Systems Degraded</source>
        <translation>Certains systèmes dégradés</translation>
    </message>
    <message>
        <source>Partial Service Outage</source>
        <translation>Panne partielle de service</translation>
    </message>
    <message>
        <source>Major Service Outage</source>
        <translation>Panne majeure de service</translation>
    </message>
    <message>
        <source>Status Unavailable</source>
        <translation>État indisponible</translation>
    </message>
    <message>
        <source>Checking…</source>
        <translation>Vérification…</translation>
    </message>
    <message>
        <source>Updated now</source>
        <translation>Mis à jour à l&apos;instant</translation>
    </message>
    <message>
        <source>Updated %1</source>
        <translation>Mis à jour %1</translation>
    </message>
    <message>
        <source>All systems operational</source>
        <translation>Tous les systèmes sont opérationnels</translation>
    </message>
    <message>
        <source>Glinter — %1</source>
        <translation>Glinter — %1</translation>
    </message>
    <message>
        <source>Open %1</source>
        <translation>Ouvrir %1</translation>
    </message>
    <message>
        <source>Under Maintenance</source>
        <translation>En maintenance</translation>
    </message>
    <message>
        <source>No services are watched.</source>
        <translation>Aucun service n’est surveillé.</translation>
    </message>
</context>
<context>
    <name>MuteButton</name>
    <message>
        <source>Notifications muted</source>
        <translation>Notifications en sourdine</translation>
    </message>
    <message>
        <source>Mute notifications</source>
        <translation>Mettre les notifications en sourdine</translation>
    </message>
    <message>
        <source>Muted until %1</source>
        <translation>En sourdine jusqu&apos;à %1</translation>
    </message>
    <message>
        <source>Unmute notifications for %1</source>
        <translation>Réactiver les notifications de %1</translation>
    </message>
    <message>
        <source>Mute notifications for %1</source>
        <translation>Mettre en sourdine les notifications de %1</translation>
    </message>
</context>
<context>
    <name>Notifications</name>
    <message>
        <source>Open Status Page</source>
        <translation>Ouvrir la page d&apos;état</translation>
    </message>
    <message>
        <source>Mute for 1 Hour</source>
        <translation>Sourdine pendant 1 heure</translation>
    </message>
</context>
<context>
    <name>Notifier</name>
    <message>
        <source>%1 recovered</source>
        <translation>%1 rétabli</translation>
    </message>
</context>
<context>
    <name>OnboardingWindow</name>
    <message>
        <source>Welcome to Glinter</source>
        <translation>Bienvenue dans Glinter</translation>
    </message>
    <message>
        <source>Healthy — everything is operational.</source>
        <translation>Tout va bien — tout est opérationnel.</translation>
    </message>
    <message>
        <source>Degraded — minor issues or maintenance.</source>
        <translation>Dégradé — problèmes mineurs ou maintenance.</translation>
    </message>
    <message>
        <source>Outage — a service is down.</source>
        <translation>Panne — un service ne répond plus.</translation>
    </message>
    <message>
        <source>Unreachable — Glinter can’t reach the feed.</source>
        <translation>Injoignable — Glinter ne parvient pas à lire le flux.</translation>
    </message>
    <message>
        <source>Open Settings to choose which services to watch.</source>
        <translation>Ouvrez les paramètres pour choisir les services à surveiller.</translation>
    </message>
    <message>
        <source>Not Now</source>
        <translation>Plus tard</translation>
    </message>
    <message>
        <source>Choose Services</source>
        <translation>Choisir les services</translation>
    </message>
    <message>
        <source>Glinter lives in your tray, on the top bar or panel of your desktop, and keeps an eye on the services you depend on.</source>
        <translation>Glinter se loge dans la zone de notification, dans la barre supérieure ou le tableau de bord de votre bureau, et garde un œil sur les services dont vous dépendez.</translation>
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
        <translation>Paramètres</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Quitter</translation>
    </message>
    <message>
        <source>Choose Services in Settings…</source>
        <translation>Choisir les services dans les paramètres…</translation>
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
        <translation>Ajouté comme page Statuspage.io</translation>
    </message>
    <message>
        <source>Instatus</source>
        <translation>Instatus</translation>
    </message>
    <message>
        <source>Added as an Instatus page</source>
        <translation>Ajouté comme page Instatus</translation>
    </message>
    <message>
        <source>Website / Server</source>
        <translation>Site web / serveur</translation>
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
        <translation>Ajouté comme page Status.io</translation>
    </message>
    <message>
        <source>Better Stack</source>
        <translation>Better Stack</translation>
    </message>
    <message>
        <source>Added as a Better Stack page</source>
        <translation>Ajouté comme page Better Stack</translation>
    </message>
    <message>
        <source>Cachet</source>
        <translation>Cachet</translation>
    </message>
    <message>
        <source>Added as a Cachet page</source>
        <translation>Ajouté comme page Cachet</translation>
    </message>
    <message>
        <source>Uptime Kuma</source>
        <translation>Uptime Kuma</translation>
    </message>
    <message>
        <source>Added as an Uptime Kuma page</source>
        <translation>Ajouté comme page Uptime Kuma</translation>
    </message>
    <message>
        <source>Gatus</source>
        <translation>Gatus</translation>
    </message>
    <message>
        <source>Added as a Gatus dashboard</source>
        <translation>Ajouté comme tableau de bord Gatus</translation>
    </message>
</context>
<context>
    <name>PublicFace</name>
    <message>
        <source>glinter --headless has no panel to show</source>
        <translation>glinter --headless n&apos;a pas de panneau à afficher</translation>
    </message>
    <message>
        <source>no service has the id &quot;%1&quot;</source>
        <translation>aucun service n&apos;a l&apos;identifiant «&#xa0;%1&#xa0;»</translation>
    </message>
</context>
<context>
    <name>QAbstractSocket</name>
    <message>
        <source>Network unreachable</source>
        <translation>Réseau inaccessible</translation>
    </message>
    <message>
        <source>Host unreachable</source>
        <translation>Hôte inaccessible</translation>
    </message>
    <message>
        <source>Proxy not found</source>
        <translation>Proxy introuvable</translation>
    </message>
</context>
<context>
    <name>QHttp</name>
    <message>
        <source>Proxy connection refused</source>
        <translation>Connexion au proxy refusée</translation>
    </message>
</context>
<context>
    <name>QHttpSocketEngine</name>
    <message>
        <source>Proxy denied connection</source>
        <translation>Le proxy a rejeté la connexion</translation>
    </message>
</context>
<context>
    <name>QSslSocket</name>
    <message>
        <source>Error during SSL handshake: %1</source>
        <translation>Erreur lors de la négociation SSL&#xa0;: %1</translation>
    </message>
</context>
<context>
    <name>RefreshButton</name>
    <message>
        <source>Refresh now</source>
        <translation>Actualiser maintenant</translation>
    </message>
    <message>
        <source>Refreshing</source>
        <translation>Actualisation</translation>
    </message>
</context>
<context>
    <name>RefreshScheduler</name>
    <message>
        <source>The check failed.</source>
        <translation>La vérification a échoué.</translation>
    </message>
</context>
<context>
    <name>RemoveButton</name>
    <message>
        <source>Remove %1</source>
        <translation>Retirer %1</translation>
    </message>
</context>
<context>
    <name>Results</name>
    <message>
        <source>history.json could not be saved: %1</source>
        <translation>Impossible d&apos;enregistrer history.json&#xa0;: %1</translation>
    </message>
</context>
<context>
    <name>SearchField</name>
    <message>
        <source>Clear search</source>
        <translation>Effacer la recherche</translation>
    </message>
</context>
<context>
    <name>Service</name>
    <message>
        <source>not an object</source>
        <translation>pas un objet</translation>
    </message>
    <message>
        <source>missing &quot;%1&quot;</source>
        <translation>«&#xa0;%1&#xa0;» manquant</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not text</source>
        <translation>«&#xa0;%1&#xa0;» n&apos;est pas du texte</translation>
    </message>
    <message>
        <source>&quot;url&quot; is empty</source>
        <translation>«&#xa0;url&#xa0;» est vide</translation>
    </message>
    <message>
        <source>&quot;url&quot; is not a valid address</source>
        <translation>«&#xa0;url&#xa0;» n&apos;est pas une adresse valide</translation>
    </message>
    <message>
        <source>&quot;url&quot; is not an http or https address</source>
        <translation>« url » n’est pas une adresse http ou https</translation>
    </message>
    <message>
        <source>&quot;provider&quot; is not text</source>
        <translation>« provider » n’est pas du texte</translation>
    </message>
    <message>
        <source>Unknown provider “%1” (needs a newer Glinter)</source>
        <translation>Fournisseur inconnu « %1 » (nécessite un Glinter plus récent)</translation>
    </message>
</context>
<context>
    <name>ServiceCatalog</name>
    <message>
        <source>AI · Models &amp; APIs</source>
        <translation>IA · Modèles et API</translation>
    </message>
    <message>
        <source>AI · Voice, Image &amp; Video</source>
        <translation>IA · Voix, image et vidéo</translation>
    </message>
    <message>
        <source>AI · Dev &amp; Infra</source>
        <translation>IA · Développement et infra</translation>
    </message>
    <message>
        <source>Hosting &amp; PaaS</source>
        <translation>Hébergement et PaaS</translation>
    </message>
    <message>
        <source>Cloud &amp; Infra</source>
        <translation>Cloud et infrastructure</translation>
    </message>
    <message>
        <source>Developer Tools</source>
        <translation>Outils de développement</translation>
    </message>
    <message>
        <source>Data &amp; Backend</source>
        <translation>Données et backend</translation>
    </message>
    <message>
        <source>Identity &amp; Auth</source>
        <translation>Identité et authentification</translation>
    </message>
    <message>
        <source>Observability &amp; APM</source>
        <translation>Observabilité et APM</translation>
    </message>
    <message>
        <source>Errors &amp; Crash Reporting</source>
        <translation>Erreurs et plantages</translation>
    </message>
    <message>
        <source>Incident &amp; On-Call</source>
        <translation>Incidents et astreintes</translation>
    </message>
    <message>
        <source>Payments &amp; Commerce</source>
        <translation>Paiements et commerce</translation>
    </message>
    <message>
        <source>Communication</source>
        <translation>Communication</translation>
    </message>
    <message>
        <source>Productivity</source>
        <translation>Productivité</translation>
    </message>
</context>
<context>
    <name>ServiceDetails</name>
    <message>
        <source>Tomorrow</source>
        <translation>Demain</translation>
    </message>
    <message>
        <source>Today</source>
        <translation>Aujourd&apos;hui</translation>
    </message>
    <message>
        <source>Incident</source>
        <translation>Incident</translation>
    </message>
    <message>
        <source>Updated now</source>
        <translation>Mis à jour à l&apos;instant</translation>
    </message>
    <message>
        <source>Updated %1</source>
        <translation>Mis à jour %1</translation>
    </message>
    <message>
        <source>Opens the page of “%1”</source>
        <translation>Ouvre la page de «&#xa0;%1&#xa0;»</translation>
    </message>
    <message>
        <source>Details for %1</source>
        <translation>Détails de %1</translation>
    </message>
    <message>
        <source>Investigating</source>
        <comment>an incident&apos;s stage</comment>
        <translation>Enquête en cours</translation>
    </message>
    <message>
        <source>Identified</source>
        <comment>an incident&apos;s stage</comment>
        <translation>Cause identifiée</translation>
    </message>
    <message>
        <source>Monitoring</source>
        <comment>an incident&apos;s stage</comment>
        <translation>Sous surveillance</translation>
    </message>
    <message>
        <source>Resolved</source>
        <comment>an incident&apos;s stage</comment>
        <translation>Résolu</translation>
    </message>
    <message>
        <source>Postmortem</source>
        <comment>an incident&apos;s stage</comment>
        <translation>Post-mortem</translation>
    </message>
    <message>
        <source>Scheduled</source>
        <comment>an incident&apos;s stage</comment>
        <translation>Planifié</translation>
    </message>
    <message>
        <source>In progress</source>
        <comment>an incident&apos;s stage</comment>
        <translation>En cours</translation>
    </message>
    <message>
        <source>Verifying</source>
        <comment>an incident&apos;s stage</comment>
        <translation>Vérification</translation>
    </message>
    <message>
        <source>Completed</source>
        <comment>an incident&apos;s stage</comment>
        <translation>Terminé</translation>
    </message>
    <message>
        <source>Started %1 (%2)</source>
        <translation>Commencé %1 (%2)</translation>
    </message>
    <message>
        <source>In progress until %1</source>
        <translation>En cours jusqu&apos;à %1</translation>
    </message>
    <message>
        <source>In progress</source>
        <translation>En cours</translation>
    </message>
    <message>
        <source>Time not announced</source>
        <translation>Horaire non annoncé</translation>
    </message>
    <message>
        <source>Tonight</source>
        <translation>Ce soir</translation>
    </message>
    <message>
        <source>%1 %2</source>
        <comment>a day&apos;s word, then the hours</comment>
        <translation>%1, %2</translation>
    </message>
    <message>
        <source>No history yet</source>
        <translation>Pas encore d&apos;historique</translation>
    </message>
    <message>
        <source>%1 % operational over %2</source>
        <translation>%1&#xa0;% opérationnel sur %2</translation>
    </message>
    <message>
        <source>Maintenance</source>
        <translation>Maintenance</translation>
    </message>
</context>
<context>
    <name>ServiceList</name>
    <message>
        <source>%1 was not saved: a copy of it could not be kept in %2 (%3).</source>
        <translation>%1 n&apos;a pas été enregistré&#xa0;: impossible d&apos;en garder une copie dans %2 (%3).</translation>
    </message>
    <message>
        <source>%1 was not usable (%2) and has been replaced by the monitored list; the file as it was is in %3.</source>
        <translation>%1 était inutilisable (%2) et a été remplacé par la liste surveillée&#xa0;; le fichier d&apos;origine se trouve dans %3.</translation>
    </message>
    <message>
        <source>%1: %2. These records were dropped from the file; the file as it was is in %3.</source>
        <translation>%1&#xa0;: %2. Ces entrées ont été retirées du fichier&#xa0;; le fichier d&apos;origine se trouve dans %3.</translation>
    </message>
    <message>
        <source>%1 could not be saved: %2.</source>
        <translation>Impossible d&apos;enregistrer %1&#xa0;: %2.</translation>
    </message>
    <message>
        <source>The default services are monitored.</source>
        <translation>Les services par défaut sont surveillés.</translation>
    </message>
    <message>
        <source>The monitored list is kept.</source>
        <translation>La liste surveillée est conservée.</translation>
    </message>
    <message>
        <source>%1 cannot be read: %2. %3</source>
        <translation>Impossible de lire %1&#xa0;: %2. %3</translation>
    </message>
    <message>
        <source>%1 is not usable: %2. %3</source>
        <translation>%1 est inutilisable&#xa0;: %2. %3</translation>
    </message>
    <message>
        <source>%1: %2. These records are not monitored.</source>
        <translation>%1&#xa0;: %2. Ces entrées ne sont pas surveillées.</translation>
    </message>
</context>
<context>
    <name>ServiceRow</name>
    <message>
        <source>Opens the status page</source>
        <translation>Ouvre la page d&apos;état</translation>
    </message>
</context>
<context>
    <name>ServiceStore</name>
    <message>
        <source>line %1, column %2</source>
        <translation>ligne %1, colonne %2</translation>
    </message>
    <message>
        <source>the file is not a JSON array</source>
        <translation>le fichier n&apos;est pas un tableau JSON</translation>
    </message>
    <message>
        <source>Record %1: %2</source>
        <translation>Entrée %1&#xa0;: %2</translation>
    </message>
    <message>
        <source>Record %1 (&quot;%2&quot;): same provider and address as record %3 (&quot;%4&quot;)</source>
        <translation>Entrée %1 («&#xa0;%2&#xa0;»)&#xa0;: même fournisseur et même adresse que l&apos;entrée %3 («&#xa0;%4&#xa0;»)</translation>
    </message>
    <message>
        <source>no record can be used (%1)</source>
        <translation>aucune entrée n&apos;est utilisable (%1)</translation>
    </message>
    <message numerus="yes">
        <source>; and %n more</source>
        <translation>
            <numerusform>&#xa0;; et %n autre</numerusform>
            <numerusform>&#xa0;; et %n autres</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ServicesTab</name>
    <message>
        <source>Search services</source>
        <translation>Rechercher des services</translation>
    </message>
    <message>
        <source>Choose the services you want to monitor.</source>
        <translation>Choisissez les services à surveiller.</translation>
    </message>
    <message>
        <source>Monitored (drag to reorder)</source>
        <translation>Surveillés (glisser pour réordonner)</translation>
    </message>
    <message>
        <source>Custom</source>
        <translation>Personnalisés</translation>
    </message>
    <message>
        <source>No results for “%1”</source>
        <translation>Aucun résultat pour «&#xa0;%1&#xa0;»</translation>
    </message>
    <message>
        <source>Check the spelling or try a new search.</source>
        <translation>Vérifiez l&apos;orthographe ou lancez une nouvelle recherche.</translation>
    </message>
</context>
<context>
    <name>SettingsWindow</name>
    <message>
        <source>Glinter Settings</source>
        <translation>Paramètres de Glinter</translation>
    </message>
    <message>
        <source>Services</source>
        <translation>Services</translation>
    </message>
    <message>
        <source>General</source>
        <translation>Général</translation>
    </message>
</context>
<context>
    <name>StatusIOProvider</name>
    <message>
        <source>The data couldn&apos;t be read: &quot;%1.status_code&quot; is not an integer.</source>
        <translation>Impossible de lire les données&#xa0;: «&#xa0;%1.status_code&#xa0;» n&apos;est pas un entier.</translation>
    </message>
    <message>
        <source>Unexpected format</source>
        <translation>Format inattendu</translation>
    </message>
    <message>
        <source>Couldn&apos;t find a Status.io page id</source>
        <translation>Identifiant de page Status.io introuvable</translation>
    </message>
</context>
<context>
    <name>StatuspageProvider</name>
    <message>
        <source>Invalid URL</source>
        <translation>URL non valide</translation>
    </message>
</context>
<context>
    <name>TrayController</name>
    <message>
        <source>Open Glinter</source>
        <translation>Ouvrir Glinter</translation>
    </message>
    <message>
        <source>Refresh Now</source>
        <translation>Actualiser maintenant</translation>
    </message>
    <message>
        <source>Settings…</source>
        <translation>Paramètres…</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Quitter</translation>
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
            <numerusform>%n autre…</numerusform>
            <numerusform>%n autres…</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>All %n services operational</source>
        <translation>
            <numerusform>%n service opérationnel</numerusform>
            <numerusform>Les %n services sont opérationnels</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>UptimeKumaProvider</name>
    <message>
        <source>Not an Uptime Kuma page address (…/status/&lt;page&gt;)</source>
        <translation>Pas une adresse de page Uptime Kuma (…/status/&lt;page&gt;)</translation>
    </message>
    <message>
        <source>The data couldn&apos;t be read: a monitor has no id.</source>
        <translation>Impossible de lire les données&#xa0;: une sonde n&apos;a pas d&apos;identifiant.</translation>
    </message>
    <message>
        <source>The page lists no monitors.</source>
        <translation>La page ne répertorie aucune sonde.</translation>
    </message>
    <message>
        <source>No monitor on the page has reported yet.</source>
        <translation>Aucune sonde de la page n&apos;a encore rendu compte.</translation>
    </message>
</context>
<context>
    <name>WatchFormats</name>
    <message>
        <source>Checking…</source>
        <translation>Vérification…</translation>
    </message>
</context>
<context>
    <name>WebsiteProvider</name>
    <message>
        <source>Online</source>
        <translation>En ligne</translation>
    </message>
    <message>
        <source>Restricted</source>
        <translation>Accès restreint</translation>
    </message>
    <message>
        <source>Rate limited</source>
        <translation>Trop de requêtes</translation>
    </message>
    <message>
        <source>Client error</source>
        <translation>Erreur client</translation>
    </message>
    <message>
        <source>Server error</source>
        <translation>Erreur serveur</translation>
    </message>
    <message>
        <source>Unexpected</source>
        <translation>Inattendu</translation>
    </message>
    <message>
        <source>Timed out</source>
        <translation>Délai dépassé</translation>
    </message>
    <message>
        <source>Host not found</source>
        <translation>Hôte introuvable</translation>
    </message>
    <message>
        <source>Connection refused</source>
        <translation>Connexion refusée</translation>
    </message>
    <message>
        <source>No internet</source>
        <translation>Pas d&apos;Internet</translation>
    </message>
    <message>
        <source>Connection lost</source>
        <translation>Connexion perdue</translation>
    </message>
    <message>
        <source>TLS error</source>
        <translation>Erreur TLS</translation>
    </message>
    <message>
        <source>Offline</source>
        <translation>Hors ligne</translation>
    </message>
</context>
<context>
    <name>WeekStrip</name>
    <message>
        <source>States over the last 7 days</source>
        <translation>États des 7 derniers jours</translation>
    </message>
</context>
<context>
    <name>XAIProvider</name>
    <message>
        <source>Active incident</source>
        <translation>Incident en cours</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Watches the status pages of the services you depend on.</source>
        <translation>Surveille les pages d&apos;état des services dont vous dépendez.</translation>
    </message>
    <message>
        <source>Check every service once, print the states and exit.</source>
        <translation>Vérifier chaque service une fois, afficher les états et quitter.</translation>
    </message>
    <message>
        <source>With --check: print one JSON array.</source>
        <translation>Avec --check&#xa0;: afficher un tableau JSON.</translation>
    </message>
    <message>
        <source>With --check: read the services from &lt;file&gt;.</source>
        <translation>Avec --check&#xa0;: lire les services dans &lt;file&gt;.</translation>
    </message>
    <message>
        <source>Run the monitor without any window or tray, printing each change.</source>
        <translation>Surveiller sans fenêtre ni icône de notification, en affichant chaque changement.</translation>
    </message>
    <message>
        <source>With --headless: serve Prometheus metrics at http://&lt;address:port&gt;/metrics.</source>
        <translation>Avec --headless&#xa0;: servir les métriques Prometheus sur http://&lt;address:port&gt;/metrics.</translation>
    </message>
    <message>
        <source>Print a line for a status bar now and on each change, until killed.</source>
        <translation>Afficher une ligne pour une barre d&apos;état, maintenant et à chaque changement, jusqu&apos;à l&apos;arrêt.</translation>
    </message>
    <message>
        <source>With --watch: waybar (the default), i3blocks, polybar or json.</source>
        <translation>Avec --watch&#xa0;: waybar (par défaut), i3blocks, polybar ou json.</translation>
    </message>
    <message>
        <source>Displays help on commandline options.</source>
        <translation>Affiche l’aide sur les options de la ligne de commande.</translation>
    </message>
</context>
</TS>
