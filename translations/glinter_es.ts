<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es_ES">
<context>
    <name>AWSProvider</name>
    <message>
        <source>Decode error</source>
        <translation>Error de decodificación</translation>
    </message>
    <message>
        <source>The data couldn&apos;t be read: the document is not an array.</source>
        <translation>No se pudieron leer los datos: el documento no es un array.</translation>
    </message>
</context>
<context>
    <name>AWSRegionPicker</name>
    <message>
        <source>Monitor all</source>
        <translation>Supervisar todas</translation>
    </message>
    <message>
        <source>AWS Regions</source>
        <translation>Regiones de AWS</translation>
    </message>
</context>
<context>
    <name>AWSRegions</name>
    <message>
        <source>Americas</source>
        <translation>América</translation>
    </message>
    <message>
        <source>Europe</source>
        <translation>Europa</translation>
    </message>
    <message>
        <source>Asia Pacific</source>
        <translation>Asia-Pacífico</translation>
    </message>
    <message>
        <source>Middle East &amp; Africa</source>
        <translation>Oriente Medio y África</translation>
    </message>
</context>
<context>
    <name>AgentImportRow</name>
    <message>
        <source>Edit services.json</source>
        <translation>Editar services.json</translation>
    </message>
    <message>
        <source>Add from a Codebase</source>
        <translation>Añadir desde un código fuente</translation>
    </message>
    <message>
        <source>Paste the prompt into Claude Code, Cursor, or any coding agent opened in a project — it finds the services the code depends on, plus your own production URLs, and adds them here. The config is plain JSON; edits apply instantly.</source>
        <translation>Pega el prompt en Claude Code, Cursor o cualquier agente de programación abierto en un proyecto: encuentra los servicios de los que depende el código, además de tus propias URL de producción, y los añade aquí. La configuración es JSON sin más; los cambios se aplican al instante.</translation>
    </message>
    <message>
        <source>Copied</source>
        <translation>Copiado</translation>
    </message>
    <message>
        <source>Copy AI Prompt</source>
        <translation>Copiar prompt de IA</translation>
    </message>
</context>
<context>
    <name>AppleProvider</name>
    <message>
        <source>The data couldn&apos;t be read: the document is not an object.</source>
        <translation>No se pudieron leer los datos: el documento no es un objeto.</translation>
    </message>
    <message>
        <source>Unexpected format</source>
        <translation>Formato inesperado</translation>
    </message>
</context>
<context>
    <name>AtomicFile</name>
    <message>
        <source>larger than %1 MiB</source>
        <translation>mayor de %1 MiB</translation>
    </message>
    <message>
        <source>not a regular file</source>
        <translation>no es un archivo normal</translation>
    </message>
    <message>
        <source>cannot create the folder %1</source>
        <translation>no se puede crear la carpeta %1</translation>
    </message>
    <message>
        <source>short write</source>
        <translation>escritura incompleta</translation>
    </message>
</context>
<context>
    <name>BetterStackProvider</name>
    <message>
        <source>Unexpected format</source>
        <translation>Formato inesperado</translation>
    </message>
    <message>
        <source>The page lists no monitors.</source>
        <translation>La página no incluye ningún monitor.</translation>
    </message>
    <message>
        <source>Invalid URL</source>
        <translation>URL no válida</translation>
    </message>
</context>
<context>
    <name>CachetProvider</name>
    <message>
        <source>Unexpected format</source>
        <translation>Formato inesperado</translation>
    </message>
    <message>
        <source>Invalid URL</source>
        <translation>URL no válida</translation>
    </message>
    <message>
        <source>The page lists no components.</source>
        <translation>La página no incluye ningún componente.</translation>
    </message>
    <message>
        <source>None of the page&apos;s components has a known status.</source>
        <translation>Ningún componente de la página tiene un estado conocido.</translation>
    </message>
    <message>
        <source>The list does not end within %1 pages.</source>
        <translation>La lista no termina dentro de %1 páginas.</translation>
    </message>
</context>
<context>
    <name>CatalogRow</name>
    <message>
        <source>Monitor %1</source>
        <translation>Supervisar %1</translation>
    </message>
</context>
<context>
    <name>CategoryHeader</name>
    <message>
        <source>Deselect all</source>
        <translation>Deseleccionar todo</translation>
    </message>
    <message>
        <source>Select all</source>
        <translation>Seleccionar todo</translation>
    </message>
    <message>
        <source>Deselect all in %1</source>
        <translation>Deseleccionar todo en %1</translation>
    </message>
    <message>
        <source>Select all in %1</source>
        <translation>Seleccionar todo en %1</translation>
    </message>
</context>
<context>
    <name>CheckCommand</name>
    <message>
        <source>cannot read %1: %2</source>
        <translation>no se puede leer %1: %2</translation>
    </message>
    <message>
        <source>%1 is not usable: %2</source>
        <translation>%1 no se puede usar: %2</translation>
    </message>
    <message>
        <source>; nothing was checked</source>
        <translation>; no se comprobó nada</translation>
    </message>
    <message>
        <source>%1: %2; not checked</source>
        <translation>%1: %2; no se comprobó</translation>
    </message>
    <message>
        <source>%1 lists no services; nothing was checked</source>
        <translation>%1 no incluye ningún servicio; no se comprobó nada</translation>
    </message>
</context>
<context>
    <name>CheckRow</name>
    <message>
        <source>Selected</source>
        <translation>Seleccionado</translation>
    </message>
    <message>
        <source>Not selected</source>
        <translation>No seleccionado</translation>
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
        <translation>Esta página no tiene componentes para elegir.</translation>
    </message>
    <message>
        <source>Search components</source>
        <translation>Buscar componentes</translation>
    </message>
    <message>
        <source>Monitor all</source>
        <translation>Supervisar todos</translation>
    </message>
    <message>
        <source>%1 Components</source>
        <translation>Componentes de %1</translation>
    </message>
    <message>
        <source>Loading</source>
        <translation>Cargando</translation>
    </message>
    <message>
        <source>Deselect all</source>
        <translation>Deseleccionar todo</translation>
    </message>
    <message>
        <source>Select all</source>
        <translation>Seleccionar todo</translation>
    </message>
    <message>
        <source>Deselect all in %1</source>
        <translation>Deseleccionar todo en %1</translation>
    </message>
    <message>
        <source>Select all in %1</source>
        <translation>Seleccionar todo en %1</translation>
    </message>
</context>
<context>
    <name>ComponentSelection</name>
    <message>
        <source>Selected components not found</source>
        <translation>No se encontraron los componentes seleccionados</translation>
    </message>
    <message numerus="yes">
        <source>%n of %1 selected components not found</source>
        <translation>
            <numerusform>No se encontró %n de los %1 componentes seleccionados</numerusform>
            <numerusform>No se encontraron %n de los %1 componentes seleccionados</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ComponentsButton</name>
    <message>
        <source>Watch specific components</source>
        <translation>Supervisar componentes concretos</translation>
    </message>
    <message numerus="yes">
        <source>Watching %n component(s)</source>
        <translation>
            <numerusform>Supervisando %n componente</numerusform>
            <numerusform>Supervisando %n componentes</numerusform>
        </translation>
    </message>
    <message>
        <source>Choose components</source>
        <translation>Elegir componentes</translation>
    </message>
    <message>
        <source>Choose components for %1</source>
        <translation>Elegir componentes de %1</translation>
    </message>
</context>
<context>
    <name>CustomAddForm</name>
    <message>
        <source>Add a Custom Service</source>
        <translation>Añadir un servicio personalizado</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Nombre</translation>
    </message>
    <message>
        <source>Address</source>
        <translation>Dirección</translation>
    </message>
    <message>
        <source>Detect automatically</source>
        <translation>Detectar automáticamente</translation>
    </message>
    <message>
        <source>Feed format</source>
        <translation>Formato del feed</translation>
    </message>
    <message>
        <source>https://example.com or your server URL</source>
        <translation>https://example.com o la URL de tu servidor</translation>
    </message>
    <message>
        <source>Status page URL</source>
        <translation>URL de la página de estado</translation>
    </message>
    <message>
        <source>Checking…</source>
        <translation>Comprobando…</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Añadir</translation>
    </message>
    <message>
        <source>Pings any site or server over HTTP — reports online/offline with latency.</source>
        <translation>Consulta cualquier sitio o servidor por HTTP e indica si está en línea o no, con la latencia.</translation>
    </message>
    <message>
        <source>Paste a public status page; Glinter reads its live feed.</source>
        <translation>Pega una página de estado pública; Glinter lee su feed en directo.</translation>
    </message>
    <message>
        <source>Invalid URL</source>
        <translation>URL no válida</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>%1 or %2</source>
        <translation>%1 o %2</translation>
    </message>
    <message>
        <source>%1, %2</source>
        <translation>%1, %2</translation>
    </message>
    <message>
        <source>Couldn&apos;t read a %1 feed there (%2)</source>
        <translation>No se pudo leer un feed de %1 en esa dirección (%2)</translation>
    </message>
    <message>
        <source>Only http:// and https:// addresses can be watched</source>
        <translation>Solo se pueden supervisar direcciones http:// y https://</translation>
    </message>
</context>
<context>
    <name>DesktopApp</name>
    <message>
        <source>process %1</source>
        <translation>proceso %1</translation>
    </message>
    <message>
        <source>process unknown</source>
        <translation>proceso desconocido</translation>
    </message>
    <message>
        <source>glinter --headless is already running (%1) and only one Glinter may watch the services; stop it to start the desktop application, or follow it with glinter --watch</source>
        <translation>glinter --headless ya se está ejecutando (%1) y solo un Glinter puede supervisar los servicios; detenlo para iniciar la aplicación de escritorio, o síguelo con glinter --watch</translation>
    </message>
</context>
<context>
    <name>DetailsButton</name>
    <message>
        <source>Shows incidents, maintenance and the past week</source>
        <translation>Muestra incidentes, mantenimientos y la última semana</translation>
    </message>
</context>
<context>
    <name>DetailsWindow</name>
    <message>
        <source>Incidents</source>
        <translation>Incidentes</translation>
    </message>
    <message>
        <source>Maintenance</source>
        <translation>Mantenimiento</translation>
    </message>
    <message>
        <source>Last 7 days</source>
        <translation>Últimos 7 días</translation>
    </message>
</context>
<context>
    <name>FeedFetch</name>
    <message>
        <source>Decode error</source>
        <translation>Error de decodificación</translation>
    </message>
    <message>
        <source>Unexpected format</source>
        <translation>Formato inesperado</translation>
    </message>
</context>
<context>
    <name>FeedScan</name>
    <message numerus="yes">
        <source>(+%n more)</source>
        <translation>
            <numerusform>(+%n más)</numerusform>
            <numerusform>(+%n más)</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>GCPProvider</name>
    <message>
        <source>The data couldn&apos;t be read: the document is not an array.</source>
        <translation>No se pudieron leer los datos: el documento no es un array.</translation>
    </message>
</context>
<context>
    <name>GatusProvider</name>
    <message>
        <source>The data couldn&apos;t be read: the document is not an array.</source>
        <translation>No se pudieron leer los datos: el documento no es un array.</translation>
    </message>
    <message>
        <source>The page lists no endpoints.</source>
        <translation>La página no incluye ningún endpoint.</translation>
    </message>
    <message>
        <source>No endpoint on the page has been checked yet.</source>
        <translation>Aún no se ha comprobado ningún endpoint de la página.</translation>
    </message>
    <message>
        <source>Invalid URL</source>
        <translation>URL no válida</translation>
    </message>
</context>
<context>
    <name>GeneralTab</name>
    <message>
        <source>Any issue</source>
        <translation>Cualquier problema</translation>
    </message>
    <message>
        <source>Major outages</source>
        <translation>Interrupciones graves</translation>
    </message>
    <message>
        <source>Critical only</source>
        <translation>Solo críticas</translation>
    </message>
    <message>
        <source>All regions</source>
        <translation>Todas las regiones</translation>
    </message>
    <message numerus="yes">
        <source>%n selected</source>
        <translation>
            <numerusform>%n seleccionada</numerusform>
            <numerusform>%n seleccionadas</numerusform>
        </translation>
    </message>
    <message>
        <source>Get a notification when a monitored service starts having issues or recovers.</source>
        <translation>Recibe una notificación cuando un servicio supervisado empiece a tener problemas o se recupere.</translation>
    </message>
    <message numerus="yes">
        <source>%n minute(s)</source>
        <translation>
            <numerusform>%n minuto</numerusform>
            <numerusform>%n minutos</numerusform>
        </translation>
    </message>
    <message>
        <source>Refresh every</source>
        <translation>Actualizar cada</translation>
    </message>
    <message>
        <source>Launch at login</source>
        <translation>Abrir al iniciar sesión</translation>
    </message>
    <message>
        <source>Notify when a service goes down</source>
        <translation>Avisar cuando un servicio se caiga</translation>
    </message>
    <message>
        <source>Notify me about</source>
        <translation>Avisarme de</translation>
    </message>
    <message>
        <source>Alerts webhook</source>
        <translation>Webhook de alertas</translation>
    </message>
    <message>
        <source>https://hooks.slack.com/services/… or any endpoint</source>
        <translation>https://hooks.slack.com/services/… o cualquier endpoint</translation>
    </message>
    <message>
        <source>Webhook URL</source>
        <translation>URL del webhook</translation>
    </message>
    <message>
        <source>POST a JSON alert (with Slack `text` and Discord `content` fields) to this URL on the same up/down transitions. Works even if notifications are off; respects per-service mute and the severity threshold.</source>
        <translation>Envía (POST) una alerta JSON (con los campos `text` de Slack y `content` de Discord) a esta URL en las mismas caídas y recuperaciones. Funciona aunque las notificaciones estén desactivadas; respeta el silencio de cada servicio y el umbral de gravedad.</translation>
    </message>
    <message>
        <source>AWS Regions</source>
        <translation>Regiones de AWS</translation>
    </message>
    <message>
        <source>Only count AWS incidents in the selected regions. Global services (Route 53, IAM, CloudFront…) always count. Leave all unchecked to monitor every region.</source>
        <translation>Cuenta solo los incidentes de AWS en las regiones seleccionadas. Los servicios globales (Route 53, IAM, CloudFront…) cuentan siempre. No marques ninguna para supervisar todas las regiones.</translation>
    </message>
    <message>
        <source>Sending…</source>
        <translation>Enviando…</translation>
    </message>
    <message>
        <source>Send test</source>
        <translation>Enviar prueba</translation>
    </message>
    <message>
        <source>Delivered</source>
        <translation>Entregado</translation>
    </message>
    <message>
        <source>Failed — check the URL</source>
        <translation>Error: revisa la URL</translation>
    </message>
    <message>
        <source>Clear webhook URL</source>
        <translation>Borrar la URL del webhook</translation>
    </message>
</context>
<context>
    <name>Headless</name>
    <message numerus="yes">
        <source>%n service(s)</source>
        <translation>
            <numerusform>%n servicio</numerusform>
            <numerusform>%n servicios</numerusform>
        </translation>
    </message>
    <message>
        <source>list: %1</source>
        <translation>lista: %1</translation>
    </message>
    <message>
        <source>; added %1</source>
        <translation>; añadidos: %1</translation>
    </message>
    <message>
        <source>; removed %1</source>
        <translation>; quitados: %1</translation>
    </message>
    <message>
        <source>watching %1 (%2)</source>
        <translation>supervisando %1 (%2)</translation>
    </message>
    <message>
        <source>metrics at http://%1/metrics</source>
        <translation>métricas en http://%1/metrics</translation>
    </message>
    <message>
        <source>%1 is fine again</source>
        <translation>%1 vuelve a estar bien</translation>
    </message>
    <message>
        <source>%1 muted until %2</source>
        <translation>%1 silenciado hasta %2</translation>
    </message>
    <message>
        <source>stopping (signal %1)</source>
        <translation>deteniendo (señal %1)</translation>
    </message>
    <message>
        <source>process %1</source>
        <translation>proceso %1</translation>
    </message>
    <message>
        <source>process unknown</source>
        <translation>proceso desconocido</translation>
    </message>
    <message>
        <source>Glinter is already running (%1) and only one may watch the services; glinter --watch and glinter --check run beside it</source>
        <translation>Glinter ya se está ejecutando (%1) y solo uno puede supervisar los servicios; glinter --watch y glinter --check funcionan a su lado</translation>
    </message>
</context>
<context>
    <name>HttpSession</name>
    <message>
        <source>Unsupported URL</source>
        <translation>URL no admitida</translation>
    </message>
    <message>
        <source>The response is too large.</source>
        <translation>La respuesta es demasiado grande.</translation>
    </message>
    <message>
        <source>Malformed response</source>
        <translation>Respuesta mal formada</translation>
    </message>
    <message>
        <source>The request timed out.</source>
        <translation>Se agotó el tiempo de espera de la solicitud.</translation>
    </message>
</context>
<context>
    <name>IncidentView</name>
    <message>
        <source>Open incident</source>
        <translation>Abrir incidente</translation>
    </message>
</context>
<context>
    <name>Indicator</name>
    <message>
        <source>All Systems Operational</source>
        <translation>Todos los sistemas operativos</translation>
    </message>
    <message>
        <source>Degraded Performance</source>
        <translation>Rendimiento degradado</translation>
    </message>
    <message>
        <source>Partial Outage</source>
        <translation>Interrupción parcial</translation>
    </message>
    <message>
        <source>Major Outage</source>
        <translation>Interrupción grave</translation>
    </message>
    <message>
        <source>Unreachable</source>
        <translation>Inaccesible</translation>
    </message>
</context>
<context>
    <name>InstatusProvider</name>
    <message>
        <source>Invalid URL</source>
        <translation>URL no válida</translation>
    </message>
</context>
<context>
    <name>JsonDecoder</name>
    <message>
        <source>The data couldn&apos;t be read: &quot;%1&quot; is not %2.</source>
        <translation>No se pudieron leer los datos: «%1» no es %2.</translation>
    </message>
    <message>
        <source>The data couldn&apos;t be read: the document is not an object.</source>
        <translation>No se pudieron leer los datos: el documento no es un objeto.</translation>
    </message>
    <message>
        <source>The data couldn&apos;t be read: %1 at offset %2.</source>
        <translation>No se pudieron leer los datos: %1 en la posición %2.</translation>
    </message>
    <message>
        <source>The data couldn&apos;t be read: &quot;%1&quot; is not an object.</source>
        <translation>No se pudieron leer los datos: «%1» no es un objeto.</translation>
    </message>
    <message>
        <source>a string</source>
        <translation>una cadena</translation>
    </message>
    <message>
        <source>a boolean</source>
        <translation>un booleano</translation>
    </message>
    <message>
        <source>a number</source>
        <translation>un número</translation>
    </message>
    <message>
        <source>an array</source>
        <translation>un array</translation>
    </message>
    <message>
        <source>an object</source>
        <translation>un objeto</translation>
    </message>
    <message>
        <source>The data couldn&apos;t be read: &quot;%1&quot; is missing.</source>
        <translation>No se pudieron leer los datos: falta «%1».</translation>
    </message>
    <message>
        <source>Not a status feed: the address answered with a web page</source>
        <translation>No es un feed de estado: la dirección respondió con una página web</translation>
    </message>
</context>
<context>
    <name>ListedServiceRow</name>
    <message>
        <source>Drag, or press Alt+Up or Alt+Down, to reorder</source>
        <translation>Arrastra, o pulsa Alt+Arriba o Alt+Abajo, para reordenar</translation>
    </message>
</context>
<context>
    <name>MenuContent</name>
    <message>
        <source>No connection</source>
        <translation>Sin conexión</translation>
    </message>
    <message>
        <source>All Systems Operational</source>
        <translation>Todos los sistemas operativos</translation>
    </message>
    <message>
        <source>Some Systems Degraded</source>
        <translation>Algunos sistemas degradados</translation>
    </message>
    <message>
        <source>Partial Service Outage</source>
        <translation>Interrupción parcial del servicio</translation>
    </message>
    <message>
        <source>Major Service Outage</source>
        <translation>Interrupción grave del servicio</translation>
    </message>
    <message>
        <source>Status Unavailable</source>
        <translation>Estado no disponible</translation>
    </message>
    <message>
        <source>Checking…</source>
        <translation>Comprobando…</translation>
    </message>
    <message>
        <source>Updated now</source>
        <translation>Actualizado ahora mismo</translation>
    </message>
    <message>
        <source>Updated %1</source>
        <translation>Actualizado %1</translation>
    </message>
    <message>
        <source>All systems operational</source>
        <translation>Todos los sistemas operativos</translation>
    </message>
    <message>
        <source>Glinter — %1</source>
        <translation>Glinter — %1</translation>
    </message>
    <message>
        <source>Open %1</source>
        <translation>Abrir %1</translation>
    </message>
    <message>
        <source>Under Maintenance</source>
        <translation>En mantenimiento</translation>
    </message>
    <message>
        <source>No services are watched.</source>
        <translation>No se supervisa ningún servicio.</translation>
    </message>
</context>
<context>
    <name>MuteButton</name>
    <message>
        <source>Notifications muted</source>
        <translation>Notificaciones silenciadas</translation>
    </message>
    <message>
        <source>Mute notifications</source>
        <translation>Silenciar notificaciones</translation>
    </message>
    <message>
        <source>Muted until %1</source>
        <translation>Silenciado hasta %1</translation>
    </message>
    <message>
        <source>Unmute notifications for %1</source>
        <translation>Reactivar notificaciones de %1</translation>
    </message>
    <message>
        <source>Mute notifications for %1</source>
        <translation>Silenciar notificaciones de %1</translation>
    </message>
</context>
<context>
    <name>Notifications</name>
    <message>
        <source>Open Status Page</source>
        <translation>Abrir página de estado</translation>
    </message>
    <message>
        <source>Mute for 1 Hour</source>
        <translation>Silenciar 1 hora</translation>
    </message>
</context>
<context>
    <name>Notifier</name>
    <message>
        <source>%1 recovered</source>
        <translation>%1 se ha recuperado</translation>
    </message>
</context>
<context>
    <name>OnboardingWindow</name>
    <message>
        <source>Welcome to Glinter</source>
        <translation>Te damos la bienvenida a Glinter</translation>
    </message>
    <message>
        <source>Healthy — everything is operational.</source>
        <translation>Sin problemas: todo está operativo.</translation>
    </message>
    <message>
        <source>Degraded — minor issues or maintenance.</source>
        <translation>Degradado: problemas menores o mantenimiento.</translation>
    </message>
    <message>
        <source>Outage — a service is down.</source>
        <translation>Interrupción: un servicio está caído.</translation>
    </message>
    <message>
        <source>Unreachable — Glinter can’t reach the feed.</source>
        <translation>Inaccesible: Glinter no puede leer el feed.</translation>
    </message>
    <message>
        <source>Open Settings to choose which services to watch.</source>
        <translation>Abre los ajustes para elegir qué servicios supervisar.</translation>
    </message>
    <message>
        <source>Not Now</source>
        <translation>Ahora no</translation>
    </message>
    <message>
        <source>Choose Services</source>
        <translation>Elegir servicios</translation>
    </message>
    <message>
        <source>Glinter lives in your tray, on the top bar or panel of your desktop, and keeps an eye on the services you depend on.</source>
        <translation>Glinter vive en la bandeja del sistema, en la barra superior o el panel de tu escritorio, y vigila los servicios de los que dependes.</translation>
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
        <translation>Ajustes</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Salir</translation>
    </message>
    <message>
        <source>Choose Services in Settings…</source>
        <translation>Elegir servicios en Ajustes…</translation>
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
        <translation>Añadido como página de Statuspage.io</translation>
    </message>
    <message>
        <source>Instatus</source>
        <translation>Instatus</translation>
    </message>
    <message>
        <source>Added as an Instatus page</source>
        <translation>Añadido como página de Instatus</translation>
    </message>
    <message>
        <source>Website / Server</source>
        <translation>Sitio web / servidor</translation>
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
        <translation>Añadido como página de Status.io</translation>
    </message>
    <message>
        <source>Better Stack</source>
        <translation>Better Stack</translation>
    </message>
    <message>
        <source>Added as a Better Stack page</source>
        <translation>Añadido como página de Better Stack</translation>
    </message>
    <message>
        <source>Cachet</source>
        <translation>Cachet</translation>
    </message>
    <message>
        <source>Added as a Cachet page</source>
        <translation>Añadido como página de Cachet</translation>
    </message>
    <message>
        <source>Uptime Kuma</source>
        <translation>Uptime Kuma</translation>
    </message>
    <message>
        <source>Added as an Uptime Kuma page</source>
        <translation>Añadido como página de Uptime Kuma</translation>
    </message>
    <message>
        <source>Gatus</source>
        <translation>Gatus</translation>
    </message>
    <message>
        <source>Added as a Gatus dashboard</source>
        <translation>Añadido como panel de Gatus</translation>
    </message>
</context>
<context>
    <name>PublicFace</name>
    <message>
        <source>glinter --headless has no panel to show</source>
        <translation>glinter --headless no tiene ningún panel que mostrar</translation>
    </message>
    <message>
        <source>no service has the id &quot;%1&quot;</source>
        <translation>ningún servicio tiene el id «%1»</translation>
    </message>
</context>
<context>
    <name>QAbstractSocket</name>
    <message>
        <source>Network unreachable</source>
        <translation>Red inaccesible</translation>
    </message>
    <message>
        <source>Host unreachable</source>
        <translation>Host inaccesible</translation>
    </message>
    <message>
        <source>Proxy not found</source>
        <translation>No se encontró el proxy</translation>
    </message>
</context>
<context>
    <name>QHttp</name>
    <message>
        <source>Proxy connection refused</source>
        <translation>Conexión con el proxy rechazada</translation>
    </message>
</context>
<context>
    <name>QHttpSocketEngine</name>
    <message>
        <source>Proxy denied connection</source>
        <translation>El proxy denegó la conexión</translation>
    </message>
</context>
<context>
    <name>QSslSocket</name>
    <message>
        <source>Error during SSL handshake: %1</source>
        <translation>Error durante la negociación SSL: %1</translation>
    </message>
</context>
<context>
    <name>RefreshButton</name>
    <message>
        <source>Refresh now</source>
        <translation>Actualizar ahora</translation>
    </message>
    <message>
        <source>Refreshing</source>
        <translation>Actualizando</translation>
    </message>
</context>
<context>
    <name>RefreshScheduler</name>
    <message>
        <source>The check failed.</source>
        <translation>La comprobación falló.</translation>
    </message>
</context>
<context>
    <name>RemoveButton</name>
    <message>
        <source>Remove %1</source>
        <translation>Quitar %1</translation>
    </message>
</context>
<context>
    <name>Results</name>
    <message>
        <source>history.json could not be saved: %1</source>
        <translation>No se pudo guardar history.json: %1</translation>
    </message>
</context>
<context>
    <name>SearchField</name>
    <message>
        <source>Clear search</source>
        <translation>Borrar búsqueda</translation>
    </message>
</context>
<context>
    <name>Service</name>
    <message>
        <source>not an object</source>
        <translation>no es un objeto</translation>
    </message>
    <message>
        <source>missing &quot;%1&quot;</source>
        <translation>falta «%1»</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not text</source>
        <translation>«%1» no es texto</translation>
    </message>
    <message>
        <source>&quot;url&quot; is empty</source>
        <translation>«url» está vacío</translation>
    </message>
    <message>
        <source>&quot;url&quot; is not a valid address</source>
        <translation>«url» no es una dirección válida</translation>
    </message>
    <message>
        <source>&quot;url&quot; is not an http or https address</source>
        <translation>&quot;url&quot; no es una dirección http o https</translation>
    </message>
    <message>
        <source>&quot;provider&quot; is not text</source>
        <translation>&quot;provider&quot; no es texto</translation>
    </message>
    <message>
        <source>Unknown provider “%1” (needs a newer Glinter)</source>
        <translation>Proveedor desconocido «%1» (requiere un Glinter más reciente)</translation>
    </message>
</context>
<context>
    <name>ServiceCatalog</name>
    <message>
        <source>AI · Models &amp; APIs</source>
        <translation>IA · Modelos y API</translation>
    </message>
    <message>
        <source>AI · Voice, Image &amp; Video</source>
        <translation>IA · Voz, imagen y vídeo</translation>
    </message>
    <message>
        <source>AI · Dev &amp; Infra</source>
        <translation>IA · Desarrollo e infraestructura</translation>
    </message>
    <message>
        <source>Hosting &amp; PaaS</source>
        <translation>Hosting y PaaS</translation>
    </message>
    <message>
        <source>Cloud &amp; Infra</source>
        <translation>Nube e infraestructura</translation>
    </message>
    <message>
        <source>Developer Tools</source>
        <translation>Herramientas de desarrollo</translation>
    </message>
    <message>
        <source>Data &amp; Backend</source>
        <translation>Datos y backend</translation>
    </message>
    <message>
        <source>Identity &amp; Auth</source>
        <translation>Identidad y autenticación</translation>
    </message>
    <message>
        <source>Observability &amp; APM</source>
        <translation>Observabilidad y APM</translation>
    </message>
    <message>
        <source>Errors &amp; Crash Reporting</source>
        <translation>Errores y fallos</translation>
    </message>
    <message>
        <source>Incident &amp; On-Call</source>
        <translation>Incidentes y guardias</translation>
    </message>
    <message>
        <source>Payments &amp; Commerce</source>
        <translation>Pagos y comercio</translation>
    </message>
    <message>
        <source>Communication</source>
        <translation>Comunicación</translation>
    </message>
    <message>
        <source>Productivity</source>
        <translation>Productividad</translation>
    </message>
</context>
<context>
    <name>ServiceDetails</name>
    <message>
        <source>Tomorrow</source>
        <translation>Mañana</translation>
    </message>
    <message>
        <source>Today</source>
        <translation>Hoy</translation>
    </message>
    <message>
        <source>Incident</source>
        <translation>Incidente</translation>
    </message>
    <message>
        <source>Updated now</source>
        <translation>Actualizado ahora mismo</translation>
    </message>
    <message>
        <source>Updated %1</source>
        <translation>Actualizado %1</translation>
    </message>
    <message>
        <source>Opens the page of “%1”</source>
        <translation>Abre la página de «%1»</translation>
    </message>
    <message>
        <source>Details for %1</source>
        <translation>Detalles de %1</translation>
    </message>
    <message>
        <source>Investigating</source>
        <comment>an incident&apos;s stage</comment>
        <translation>Investigando</translation>
    </message>
    <message>
        <source>Identified</source>
        <comment>an incident&apos;s stage</comment>
        <translation>Identificado</translation>
    </message>
    <message>
        <source>Monitoring</source>
        <comment>an incident&apos;s stage</comment>
        <translation>En observación</translation>
    </message>
    <message>
        <source>Resolved</source>
        <comment>an incident&apos;s stage</comment>
        <translation>Resuelto</translation>
    </message>
    <message>
        <source>Postmortem</source>
        <comment>an incident&apos;s stage</comment>
        <translation>Análisis posterior</translation>
    </message>
    <message>
        <source>Scheduled</source>
        <comment>an incident&apos;s stage</comment>
        <translation>Programado</translation>
    </message>
    <message>
        <source>In progress</source>
        <comment>an incident&apos;s stage</comment>
        <translation>En curso</translation>
    </message>
    <message>
        <source>Verifying</source>
        <comment>an incident&apos;s stage</comment>
        <translation>Verificando</translation>
    </message>
    <message>
        <source>Completed</source>
        <comment>an incident&apos;s stage</comment>
        <translation>Completado</translation>
    </message>
    <message>
        <source>Started %1 (%2)</source>
        <translation>Comenzó %1 (%2)</translation>
    </message>
    <message>
        <source>In progress until %1</source>
        <translation>En curso hasta %1</translation>
    </message>
    <message>
        <source>In progress</source>
        <translation>En curso</translation>
    </message>
    <message>
        <source>Time not announced</source>
        <translation>Hora no anunciada</translation>
    </message>
    <message>
        <source>Tonight</source>
        <translation>Esta noche</translation>
    </message>
    <message>
        <source>%1 %2</source>
        <comment>a day&apos;s word, then the hours</comment>
        <translation>%1, %2</translation>
    </message>
    <message>
        <source>No history yet</source>
        <translation>Aún no hay historial</translation>
    </message>
    <message>
        <source>%1 % operational over %2</source>
        <translation>%1 % operativo durante %2</translation>
    </message>
    <message>
        <source>Maintenance</source>
        <translation>Mantenimiento</translation>
    </message>
</context>
<context>
    <name>ServiceList</name>
    <message>
        <source>%1 was not saved: a copy of it could not be kept in %2 (%3).</source>
        <translation>No se guardó %1: no se pudo conservar una copia en %2 (%3).</translation>
    </message>
    <message>
        <source>%1 was not usable (%2) and has been replaced by the monitored list; the file as it was is in %3.</source>
        <translation>%1 no se podía usar (%2) y se ha sustituido por la lista supervisada; el archivo original está en %3.</translation>
    </message>
    <message>
        <source>%1: %2. These records were dropped from the file; the file as it was is in %3.</source>
        <translation>%1: %2. Estos registros se quitaron del archivo; el archivo original está en %3.</translation>
    </message>
    <message>
        <source>%1 could not be saved: %2.</source>
        <translation>No se pudo guardar %1: %2.</translation>
    </message>
    <message>
        <source>The default services are monitored.</source>
        <translation>Se supervisan los servicios predeterminados.</translation>
    </message>
    <message>
        <source>The monitored list is kept.</source>
        <translation>Se mantiene la lista supervisada.</translation>
    </message>
    <message>
        <source>%1 cannot be read: %2. %3</source>
        <translation>No se puede leer %1: %2. %3</translation>
    </message>
    <message>
        <source>%1 is not usable: %2. %3</source>
        <translation>%1 no se puede usar: %2. %3</translation>
    </message>
    <message>
        <source>%1: %2. These records are not monitored.</source>
        <translation>%1: %2. Estos registros no se supervisan.</translation>
    </message>
</context>
<context>
    <name>ServiceRow</name>
    <message>
        <source>Opens the status page</source>
        <translation>Abre la página de estado</translation>
    </message>
</context>
<context>
    <name>ServiceStore</name>
    <message>
        <source>line %1, column %2</source>
        <translation>línea %1, columna %2</translation>
    </message>
    <message>
        <source>the file is not a JSON array</source>
        <translation>el archivo no es un array JSON</translation>
    </message>
    <message>
        <source>Record %1: %2</source>
        <translation>Registro %1: %2</translation>
    </message>
    <message>
        <source>Record %1 (&quot;%2&quot;): same provider and address as record %3 (&quot;%4&quot;)</source>
        <translation>Registro %1 («%2»): mismo proveedor y dirección que el registro %3 («%4»)</translation>
    </message>
    <message>
        <source>no record can be used (%1)</source>
        <translation>no se puede usar ningún registro (%1)</translation>
    </message>
    <message numerus="yes">
        <source>; and %n more</source>
        <translation>
            <numerusform>; y %n más</numerusform>
            <numerusform>; y %n más</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ServicesTab</name>
    <message>
        <source>Search services</source>
        <translation>Buscar servicios</translation>
    </message>
    <message>
        <source>Choose the services you want to monitor.</source>
        <translation>Elige los servicios que quieres supervisar.</translation>
    </message>
    <message>
        <source>Monitored (drag to reorder)</source>
        <translation>Supervisados (arrastra para reordenar)</translation>
    </message>
    <message>
        <source>Custom</source>
        <translation>Personalizados</translation>
    </message>
    <message>
        <source>No results for “%1”</source>
        <translation>No hay resultados para «%1»</translation>
    </message>
    <message>
        <source>Check the spelling or try a new search.</source>
        <translation>Revisa la ortografía o prueba otra búsqueda.</translation>
    </message>
</context>
<context>
    <name>SettingsWindow</name>
    <message>
        <source>Glinter Settings</source>
        <translation>Ajustes de Glinter</translation>
    </message>
    <message>
        <source>Services</source>
        <translation>Servicios</translation>
    </message>
    <message>
        <source>General</source>
        <translation>General</translation>
    </message>
</context>
<context>
    <name>StatusIOProvider</name>
    <message>
        <source>The data couldn&apos;t be read: &quot;%1.status_code&quot; is not an integer.</source>
        <translation>No se pudieron leer los datos: «%1.status_code» no es un entero.</translation>
    </message>
    <message>
        <source>Unexpected format</source>
        <translation>Formato inesperado</translation>
    </message>
    <message>
        <source>Couldn&apos;t find a Status.io page id</source>
        <translation>No se encontró el id de página de Status.io</translation>
    </message>
</context>
<context>
    <name>StatuspageProvider</name>
    <message>
        <source>Invalid URL</source>
        <translation>URL no válida</translation>
    </message>
</context>
<context>
    <name>TrayController</name>
    <message>
        <source>Open Glinter</source>
        <translation>Abrir Glinter</translation>
    </message>
    <message>
        <source>Refresh Now</source>
        <translation>Actualizar ahora</translation>
    </message>
    <message>
        <source>Settings…</source>
        <translation>Ajustes…</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Salir</translation>
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
            <numerusform>%n más…</numerusform>
            <numerusform>%n más…</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>All %n services operational</source>
        <translation>
            <numerusform>%n servicio operativo</numerusform>
            <numerusform>Los %n servicios están operativos</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>UptimeKumaProvider</name>
    <message>
        <source>Not an Uptime Kuma page address (…/status/&lt;page&gt;)</source>
        <translation>No es la dirección de una página de Uptime Kuma (…/status/&lt;page&gt;)</translation>
    </message>
    <message>
        <source>The data couldn&apos;t be read: a monitor has no id.</source>
        <translation>No se pudieron leer los datos: un monitor no tiene id.</translation>
    </message>
    <message>
        <source>The page lists no monitors.</source>
        <translation>La página no incluye ningún monitor.</translation>
    </message>
    <message>
        <source>No monitor on the page has reported yet.</source>
        <translation>Ningún monitor de la página ha informado todavía.</translation>
    </message>
</context>
<context>
    <name>WatchFormats</name>
    <message>
        <source>Checking…</source>
        <translation>Comprobando…</translation>
    </message>
</context>
<context>
    <name>WebsiteProvider</name>
    <message>
        <source>Online</source>
        <translation>En línea</translation>
    </message>
    <message>
        <source>Restricted</source>
        <translation>Acceso restringido</translation>
    </message>
    <message>
        <source>Rate limited</source>
        <translation>Demasiadas solicitudes</translation>
    </message>
    <message>
        <source>Client error</source>
        <translation>Error del cliente</translation>
    </message>
    <message>
        <source>Server error</source>
        <translation>Error del servidor</translation>
    </message>
    <message>
        <source>Unexpected</source>
        <translation>Inesperado</translation>
    </message>
    <message>
        <source>Timed out</source>
        <translation>Tiempo agotado</translation>
    </message>
    <message>
        <source>Host not found</source>
        <translation>Host no encontrado</translation>
    </message>
    <message>
        <source>Connection refused</source>
        <translation>Conexión rechazada</translation>
    </message>
    <message>
        <source>No internet</source>
        <translation>Sin internet</translation>
    </message>
    <message>
        <source>Connection lost</source>
        <translation>Conexión perdida</translation>
    </message>
    <message>
        <source>TLS error</source>
        <translation>Error de TLS</translation>
    </message>
    <message>
        <source>Offline</source>
        <translation>Fuera de línea</translation>
    </message>
</context>
<context>
    <name>WeekStrip</name>
    <message>
        <source>States over the last 7 days</source>
        <translation>Estados de los últimos 7 días</translation>
    </message>
</context>
<context>
    <name>XAIProvider</name>
    <message>
        <source>Active incident</source>
        <translation>Incidente activo</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Watches the status pages of the services you depend on.</source>
        <translation>Vigila las páginas de estado de los servicios de los que dependes.</translation>
    </message>
    <message>
        <source>Check every service once, print the states and exit.</source>
        <translation>Comprobar cada servicio una vez, mostrar los estados y salir.</translation>
    </message>
    <message>
        <source>With --check: print one JSON array.</source>
        <translation>Con --check: mostrar un único array JSON.</translation>
    </message>
    <message>
        <source>With --check: read the services from &lt;file&gt;.</source>
        <translation>Con --check: leer los servicios de &lt;file&gt;.</translation>
    </message>
    <message>
        <source>Run the monitor without any window or tray, printing each change.</source>
        <translation>Supervisar sin ventanas ni bandeja del sistema, mostrando cada cambio.</translation>
    </message>
    <message>
        <source>With --headless: serve Prometheus metrics at http://&lt;address:port&gt;/metrics.</source>
        <translation>Con --headless: servir métricas de Prometheus en http://&lt;address:port&gt;/metrics.</translation>
    </message>
    <message>
        <source>Print a line for a status bar now and on each change, until killed.</source>
        <translation>Mostrar una línea para una barra de estado ahora y en cada cambio, hasta que se detenga.</translation>
    </message>
    <message>
        <source>With --watch: waybar (the default), i3blocks, polybar or json.</source>
        <translation>Con --watch: waybar (predeterminado), i3blocks, polybar o json.</translation>
    </message>
    <message>
        <source>Displays help on commandline options.</source>
        <translation>Muestra la ayuda sobre las opciones de la línea de órdenes.</translation>
    </message>
</context>
</TS>
