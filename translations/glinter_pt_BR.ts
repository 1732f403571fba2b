<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pt_BR">
<context>
    <name>AWSProvider</name>
    <message>
        <source>Decode error</source>
        <translation>Erro de decodificação</translation>
    </message>
    <message>
        <source>The data couldn&apos;t be read: the document is not an array.</source>
        <translation>Não foi possível ler os dados: o documento não é um array.</translation>
    </message>
</context>
<context>
    <name>AWSRegionPicker</name>
    <message>
        <source>Monitor all</source>
        <translation>Monitorar todas</translation>
    </message>
    <message>
        <source>AWS Regions</source>
        <translation>Regiões da AWS</translation>
    </message>
</context>
<context>
    <name>AWSRegions</name>
    <message>
        <source>Americas</source>
        <translation>Américas</translation>
    </message>
    <message>
        <source>Europe</source>
        <translation>Europa</translation>
    </message>
    <message>
        <source>Asia Pacific</source>
        <translation>Ásia-Pacífico</translation>
    </message>
    <message>
        <source>Middle East &amp; Africa</source>
        <translation>Oriente Médio e África</translation>
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
        <translation>Adicionar a partir do código</translation>
    </message>
    <message>
        <source>Paste the prompt into Claude Code, Cursor, or any coding agent opened in a project — it finds the services the code depends on, plus your own production URLs, and adds them here. The config is plain JSON; edits apply instantly.</source>
        <translation>Cole o prompt no Claude Code, no Cursor ou em qualquer agente de programação aberto em um projeto — ele encontra os serviços dos quais o código depende, além das suas próprias URLs de produção, e os adiciona aqui. A configuração é JSON simples; as alterações valem na hora.</translation>
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
        <translation>Não foi possível ler os dados: o documento não é um objeto.</translation>
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
        <translation>maior que %1 MiB</translation>
    </message>
    <message>
        <source>not a regular file</source>
        <translation>não é um arquivo comum</translation>
    </message>
    <message>
        <source>cannot create the folder %1</source>
        <translation>não é possível criar a pasta %1</translation>
    </message>
    <message>
        <source>short write</source>
        <translation>gravação incompleta</translation>
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
        <translation>A página não lista nenhum monitor.</translation>
    </message>
    <message>
        <source>Invalid URL</source>
        <translation>URL inválida</translation>
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
        <translation>URL inválida</translation>
    </message>
    <message>
        <source>The page lists no components.</source>
        <translation>A página não lista nenhum componente.</translation>
    </message>
    <message>
        <source>None of the page&apos;s components has a known status.</source>
        <translation>Nenhum componente da página tem status conhecido.</translation>
    </message>
    <message>
        <source>The list does not end within %1 pages.</source>
        <translation>A lista não termina em %1 páginas.</translation>
    </message>
</context>
<context>
    <name>CatalogRow</name>
    <message>
        <source>Monitor %1</source>
        <translation>Monitorar %1</translation>
    </message>
</context>
<context>
    <name>CategoryHeader</name>
    <message>
        <source>Deselect all</source>
        <translation>Desmarcar tudo</translation>
    </message>
    <message>
        <source>Select all</source>
        <translation>Selecionar tudo</translation>
    </message>
    <message>
        <source>Deselect all in %1</source>
        <translation>Desmarcar tudo em %1</translation>
    </message>
    <message>
        <source>Select all in %1</source>
        <translation>Selecionar tudo em %1</translation>
    </message>
</context>
<context>
    <name>CheckCommand</name>
    <message>
        <source>cannot read %1: %2</source>
        <translation>não é possível ler %1: %2</translation>
    </message>
    <message>
        <source>%1 is not usable: %2</source>
        <translation>%1 não pode ser usado: %2</translation>
    </message>
    <message>
        <source>; nothing was checked</source>
        <translation>; nada foi verificado</translation>
    </message>
    <message>
        <source>%1: %2; not checked</source>
        <translation>%1: %2; não verificado</translation>
    </message>
    <message>
        <source>%1 lists no services; nothing was checked</source>
        <translation>%1 não lista nenhum serviço; nada foi verificado</translation>
    </message>
</context>
<context>
    <name>CheckRow</name>
    <message>
        <source>Selected</source>
        <translation>Selecionado</translation>
    </message>
    <message>
        <source>Not selected</source>
        <translation>Não selecionado</translation>
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
        <translation>Esta página não tem componentes para escolher.</translation>
    </message>
    <message>
        <source>Search components</source>
        <translation>Buscar componentes</translation>
    </message>
    <message>
        <source>Monitor all</source>
        <translation>Monitorar todos</translation>
    </message>
    <message>
        <source>%1 Components</source>
        <translation>Componentes de %1</translation>
    </message>
    <message>
        <source>Loading</source>
        <translation>Carregando</translation>
    </message>
    <message>
        <source>Deselect all</source>
        <translation>Desmarcar tudo</translation>
    </message>
    <message>
        <source>Select all</source>
        <translation>Selecionar tudo</translation>
    </message>
    <message>
        <source>Deselect all in %1</source>
        <translation>Desmarcar tudo em %1</translation>
    </message>
    <message>
        <source>Select all in %1</source>
        <translation>Selecionar tudo em %1</translation>
    </message>
</context>
<context>
    <name>ComponentSelection</name>
    <message>
        <source>Selected components not found</source>
        <translation>Componentes selecionados não encontrados</translation>
    </message>
    <message numerus="yes">
        <source>%n of %1 selected components not found</source>
        <translation>
            <numerusform>%n dos %1 componentes selecionados não foi encontrado</numerusform>
            <numerusform>%n dos %1 componentes selecionados não foram encontrados</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ComponentsButton</name>
    <message>
        <source>Watch specific components</source>
        <translation>Monitorar componentes específicos</translation>
    </message>
    <message numerus="yes">
        <source>Watching %n component(s)</source>
        <translation>
            <numerusform>Monitorando %n componente</numerusform>
            <numerusform>Monitorando %n componentes</numerusform>
        </translation>
    </message>
    <message>
        <source>Choose components</source>
        <translation>Escolher componentes</translation>
    </message>
    <message>
        <source>Choose components for %1</source>
        <translation>Escolher componentes de %1</translation>
    </message>
</context>
<context>
    <name>CustomAddForm</name>
    <message>
        <source>Add a Custom Service</source>
        <translation>Adicionar um serviço personalizado</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Nome</translation>
    </message>
    <message>
        <source>Address</source>
        <translation>Endereço</translation>
    </message>
    <message>
        <source>Detect automatically</source>
        <translation>Detectar automaticamente</translation>
    </message>
    <message>
        <source>Feed format</source>
        <translation>Formato do feed</translation>
    </message>
    <message>
        <source>https://example.com or your server URL</source>
        <translation>https://example.com ou a URL do seu servidor</translation>
    </message>
    <message>
        <source>Status page URL</source>
        <translation>URL da página de status</translation>
    </message>
    <message>
        <source>Checking…</source>
        <translation>Verificando…</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Adicionar</translation>
    </message>
    <message>
        <source>Pings any site or server over HTTP — reports online/offline with latency.</source>
        <translation>Consulta qualquer site ou servidor via HTTP — informa se está on-line ou off-line, com a latência.</translation>
    </message>
    <message>
        <source>Paste a public status page; Glinter reads its live feed.</source>
        <translation>Cole uma página de status pública; o Glinter lê o feed dela em tempo real.</translation>
    </message>
    <message>
        <source>Invalid URL</source>
        <translation>URL inválida</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
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
        <translation>Não foi possível ler um feed %1 nesse endereço (%2)</translation>
    </message>
    <message>
        <source>Only http:// and https:// addresses can be watched</source>
        <translation>Só é possível monitorar endereços http:// e https://</translation>
    </message>
</context>
<context>
    <name>DesktopApp</name>
    <message>
        <source>process %1</source>
        <translation>processo %1</translation>
    </message>
    <message>
        <source>process unknown</source>
        <translation>processo desconhecido</translation>
    </message>
    <message>
        <source>glinter --headless is already running (%1) and only one Glinter may watch the services; stop it to start the desktop application, or follow it with glinter --watch</source>
        <translation>glinter --headless já está em execução (%1) e só um Glinter pode monitorar os serviços; encerre-o para iniciar o aplicativo de desktop ou acompanhe-o com glinter --watch</translation>
    </message>
</context>
<context>
    <name>DetailsButton</name>
    <message>
        <source>Shows incidents, maintenance and the past week</source>
        <translation>Mostra incidentes, manutenções e a última semana</translation>
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
        <translation>Manutenção</translation>
    </message>
    <message>
        <source>Last 7 days</source>
        <translation>Últimos 7 dias</translation>
    </message>
</context>
<context>
    <name>FeedFetch</name>
    <message>
        <source>Decode error</source>
        <translation>Erro de decodificação</translation>
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
            <numerusform>(+%n outro)</numerusform>
            <numerusform>(+%n outros)</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>GCPProvider</name>
    <message>
        <source>The data couldn&apos;t be read: the document is not an array.</source>
        <translation>Não foi possível ler os dados: o documento não é um array.</translation>
    </message>
</context>
<context>
    <name>GatusProvider</name>
    <message>
        <source>The data couldn&apos;t be read: the document is not an array.</source>
        <translation>Não foi possível ler os dados: o documento não é um array.</translation>
    </message>
    <message>
        <source>The page lists no endpoints.</source>
        <translation>A página não lista nenhum endpoint.</translation>
    </message>
    <message>
        <source>No endpoint on the page has been checked yet.</source>
        <translation>Nenhum endpoint da página foi verificado ainda.</translation>
    </message>
    <message>
        <source>Invalid URL</source>
        <translation>URL inválida</translation>
    </message>
</context>
<context>
    <name>GeneralTab</name>
    <message>
        <source>Any issue</source>
        <translation>Qualquer problema</translation>
    </message>
    <message>
        <source>Major outages</source>
        <translation>Interrupções graves</translation>
    </message>
    <message>
        <source>Critical only</source>
        <translation>Somente críticas</translation>
    </message>
    <message>
        <source>All regions</source>
        <translation>Todas as regiões</translation>
    </message>
    <message numerus="yes">
        <source>%n selected</source>
        <translation>
            <numerusform>%n selecionada</numerusform>
            <numerusform>%n selecionadas</numerusform>
        </translation>
    </message>
    <message>
        <source>Get a notification when a monitored service starts having issues or recovers.</source>
        <translation>Receba uma notificação quando um serviço monitorado começar a ter problemas ou se recuperar.</translation>
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
        <translation>Atualizar a cada</translation>
    </message>
    <message>
        <source>Launch at login</source>
        <translation>Abrir ao fazer login</translation>
    </message>
    <message>
        <source>Notify when a service goes down</source>
        <translation>Notificar quando um serviço cair</translation>
    </message>
    <message>
        <source>Notify me about</source>
        <translation>Notificar sobre</translation>
    </message>
    <message>
        <source>Alerts webhook</source>
        <translation>Webhook de alertas</translation>
    </message>
    <message>
        <source>https://hooks.slack.com/services/… or any endpoint</source>
        <translation>https://hooks.slack.com/services/… ou qualquer endpoint</translation>
    </message>
    <message>
        <source>Webhook URL</source>
        <translation>URL do webhook</translation>
    </message>
    <message>
        <source>POST a JSON alert (with Slack `text` and Discord `content` fields) to this URL on the same up/down transitions. Works even if notifications are off; respects per-service mute and the severity threshold.</source>
        <translation>Envia (POST) um alerta JSON (com os campos `text` do Slack e `content` do Discord) para esta URL nas mesmas quedas e recuperações. Funciona mesmo com as notificações desativadas; respeita o silenciamento de cada serviço e o limite de gravidade.</translation>
    </message>
    <message>
        <source>AWS Regions</source>
        <translation>Regiões da AWS</translation>
    </message>
    <message>
        <source>Only count AWS incidents in the selected regions. Global services (Route 53, IAM, CloudFront…) always count. Leave all unchecked to monitor every region.</source>
        <translation>Conta apenas os incidentes da AWS nas regiões selecionadas. Serviços globais (Route 53, IAM, CloudFront…) sempre contam. Deixe tudo desmarcado para monitorar todas as regiões.</translation>
    </message>
    <message>
        <source>Sending…</source>
        <translation>Enviando…</translation>
    </message>
    <message>
        <source>Send test</source>
        <translation>Enviar teste</translation>
    </message>
    <message>
        <source>Delivered</source>
        <translation>Entregue</translation>
    </message>
    <message>
        <source>Failed — check the URL</source>
        <translation>Falhou — verifique a URL</translation>
    </message>
    <message>
        <source>Clear webhook URL</source>
        <translation>Limpar URL do webhook</translation>
    </message>
</context>
<context>
    <name>Headless</name>
    <message numerus="yes">
        <source>%n service(s)</source>
        <translation>
            <numerusform>%n serviço</numerusform>
            <numerusform>%n serviços</numerusform>
        </translation>
    </message>
    <message>
        <source>list: %1</source>
        <translation>lista: %1</translation>
    </message>
    <message>
        <source>; added %1</source>
        <translation>; adicionados: %1</translation>
    </message>
    <message>
        <source>; removed %1</source>
        <translation>; removidos: %1</translation>
    </message>
    <message>
        <source>watching %1 (%2)</source>
        <translation>monitorando %1 (%2)</translation>
    </message>
    <message>
        <source>metrics at http://%1/metrics</source>
        <translation>métricas em http://%1/metrics</translation>
    </message>
    <message>
        <source>%1 is fine again</source>
        <translation>%1 voltou a ficar correto</translation>
    </message>
    <message>
        <source>%1 muted until %2</source>
        <translation>%1 silenciado até %2</translation>
    </message>
    <message>
        <source>stopping (signal %1)</source>
        <translation>encerrando (sinal %1)</translation>
    </message>
    <message>
        <source>process %1</source>
        <translation>processo %1</translation>
    </message>
    <message>
        <source>process unknown</source>
        <translation>processo desconhecido</translation>
    </message>
    <message>
        <source>Glinter is already running (%1) and only one may watch the services; glinter --watch and glinter --check run beside it</source>
        <translation>O Glinter já está em execução (%1) e só um pode monitorar os serviços; glinter --watch e glinter --check funcionam ao lado dele</translation>
    </message>
</context>
<context>
    <name>HttpSession</name>
    <message>
        <source>Unsupported URL</source>
        <translation>URL não suportada</translation>
    </message>
    <message>
        <source>The response is too large.</source>
        <translation>A resposta é grande demais.</translation>
    </message>
    <message>
        <source>Malformed response</source>
        <translation>Resposta malformada</translation>
    </message>
    <message>
        <source>The request timed out.</source>
        <translation>A solicitação expirou.</translation>
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
        <translation>Todos os sistemas operacionais</translation>
    </message>
    <message>
        <source>Degraded Performance</source>
        <translation>Desempenho degradado</translation>
    </message>
    <message>
        <source>Partial Outage</source>
        <translation>Interrupção parcial</translation>
    </message>
    <message>
        <source>Major Outage</source>
        <translation>Interrupção grave</translation>
    </message>
    <message>
        <source>Unreachable</source>
        <translation>Inacessível</translation>
    </message>
</context>
<context>
    <name>InstatusProvider</name>
    <message>
        <source>Invalid URL</source>
        <translation>URL inválida</translation>
    </message>
</context>
<context>
    <name>JsonDecoder</name>
    <message>
        <source>The data couldn&apos;t be read: &quot;%1&quot; is not %2.</source>
        <translation>Não foi possível ler os dados: “%1” não é %2.</translation>
    </message>
    <message>
        <source>The data couldn&apos;t be read: the document is not an object.</source>
        <translation>Não foi possível ler os dados: o documento não é um objeto.</translation>
    </message>
    <message>
        <source>The data couldn&apos;t be read: %1 at offset %2.</source>
        <translation>Não foi possível ler os dados: %1 na posição %2.</translation>
    </message>
    <message>
        <source>The data couldn&apos;t be read: &quot;%1&quot; is not an object.</source>
        <translation>Não foi possível ler os dados: “%1” não é um objeto.</translation>
    </message>
    <message>
        <source>a string</source>
        <translation>uma string</translation>
    </message>
    <message>
        <source>a boolean</source>
        <translation>um booleano</translation>
    </message>
    <message>
        <source>a number</source>
        <translation>um número</translation>
    </message>
    <message>
        <source>an array</source>
        <translation>um array</translation>
    </message>
    <message>
        <source>an object</source>
        <translation>um objeto</translation>
    </message>
    <message>
        <source>The data couldn&apos;t be read: &quot;%1&quot; is missing.</source>
        <translation>Não foi possível ler os dados: “%1” está ausente.</translation>
    </message>
    <message>
        <source>Not a status feed: the address answered with a web page</source>
        <translation>Não é um feed de status: o endereço respondeu com uma página web</translation>
    </message>
</context>
<context>
    <name>ListedServiceRow</name>
    <message>
        <source>Drag, or press Alt+Up or Alt+Down, to reorder</source>
        <translation>Arraste, ou pressione Alt+Seta para cima ou Alt+Seta para baixo, para reordenar</translation>
    </message>
</context>
<context>
    <name>MenuContent</name>
    <message>
        <source>No connection</source>
        <translation>Sem conexão</translation>
    </message>
    <message>
        <source>All Systems Operational</source>
        <translation>Todos os sistemas operacionais</translation>
    </message>
    <message>
        <source>Some Systems Degraded</source>
        <translation>Alguns sistemas degradados</translation>
    </message>
    <message>
        <source>Partial Service Outage</source>
        <translation>Interrupção parcial do serviço</translation>
    </message>
    <message>
        <source>Major Service Outage</source>
        <translation>Interrupção grave do serviço</translation>
    </message>
    <message>
        <source>Status Unavailable</source>
        <translation>Status indisponível</translation>
    </message>
    <message>
        <source>Checking…</source>
        <translation>Verificando…</translation>
    </message>
    <message>
        <source>Updated now</source>
        <translation>Atualizado agora mesmo</translation>
    </message>
    <message>
        <source>Updated %1</source>
        <translation>Atualizado %1</translation>
    </message>
    <message>
        <source>All systems operational</source>
        <translation>Todos os sistemas operacionais</translation>
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
        <translation>Em manutenção</translation>
    </message>
    <message>
        <source>No services are watched.</source>
        <translation>Nenhum serviço está sendo monitorado.</translation>
    </message>
</context>
<context>
    <name>MuteButton</name>
    <message>
        <source>Notifications muted</source>
        <translation>Notificações silenciadas</translation>
    </message>
    <message>
        <source>Mute notifications</source>
        <translation>Silenciar notificações</translation>
    </message>
    <message>
        <source>Muted until %1</source>
        <translation>Silenciado até %1</translation>
    </message>
    <message>
        <source>Unmute notifications for %1</source>
        <translation>Reativar notificações de %1</translation>
    </message>
    <message>
        <source>Mute notifications for %1</source>
        <translation>Silenciar notificações de %1</translation>
    </message>
</context>
<context>
    <name>Notifications</name>
    <message>
        <source>Open Status Page</source>
        <translation>Abrir página de status</translation>
    </message>
    <message>
        <source>Mute for 1 Hour</source>
        <translation>Silenciar por 1 hora</translation>
    </message>
</context>
<context>
    <name>Notifier</name>
    <message>
        <source>%1 recovered</source>
        <translation>%1 se recuperou</translation>
    </message>
</context>
<context>
    <name>OnboardingWindow</name>
    <message>
        <source>Welcome to Glinter</source>
        <translation>Boas-vindas ao Glinter</translation>
    </message>
    <message>
        <source>Healthy — everything is operational.</source>
        <translation>Saudável — tudo está operacional.</translation>
    </message>
    <message>
        <source>Degraded — minor issues or maintenance.</source>
        <translation>Degradado — problemas menores ou manutenção.</translation>
    </message>
    <message>
        <source>Outage — a service is down.</source>
        <translation>Interrupção — um serviço está fora do ar.</translation>
    </message>
    <message>
        <source>Unreachable — Glinter can’t reach the feed.</source>
        <translation>Inacessível — o Glinter não consegue acessar o feed.</translation>
    </message>
    <message>
        <source>Open Settings to choose which services to watch.</source>
        <translation>Abra as configurações para escolher quais serviços monitorar.</translation>
    </message>
    <message>
        <source>Not Now</source>
        <translation>Agora não</translation>
    </message>
    <message>
        <source>Choose Services</source>
        <translation>Escolher serviços</translation>
    </message>
    <message>
        <source>Glinter lives in your tray, on the top bar or panel of your desktop, and keeps an eye on the services you depend on.</source>
        <translation>O Glinter fica na bandeja do sistema, na barra superior ou no painel da sua área de trabalho, e fica de olho nos serviços dos quais você depende.</translation>
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
        <translation>Configurações</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Sair</translation>
    </message>
    <message>
        <source>Choose Services in Settings…</source>
        <translation>Escolher serviços nas Configurações…</translation>
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
        <translation>Adicionado como página do Statuspage.io</translation>
    </message>
    <message>
        <source>Instatus</source>
        <translation>Instatus</translation>
    </message>
    <message>
        <source>Added as an Instatus page</source>
        <translation>Adicionado como página do Instatus</translation>
    </message>
    <message>
        <source>Website / Server</source>
        <translation>Site / servidor</translation>
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
        <translation>Adicionado como página do Status.io</translation>
    </message>
    <message>
        <source>Better Stack</source>
        <translation>Better Stack</translation>
    </message>
    <message>
        <source>Added as a Better Stack page</source>
        <translation>Adicionado como página do Better Stack</translation>
    </message>
    <message>
        <source>Cachet</source>
        <translation>Cachet</translation>
    </message>
    <message>
        <source>Added as a Cachet page</source>
        <translation>Adicionado como página do Cachet</translation>
    </message>
    <message>
        <source>Uptime Kuma</source>
        <translation>Uptime Kuma</translation>
    </message>
    <message>
        <source>Added as an Uptime Kuma page</source>
        <translation>Adicionado como página do Uptime Kuma</translation>
    </message>
    <message>
        <source>Gatus</source>
        <translation>Gatus</translation>
    </message>
    <message>
        <source>Added as a Gatus dashboard</source>
        <translation>Adicionado como painel do Gatus</translation>
    </message>
</context>
<context>
    <name>PublicFace</name>
    <message>
        <source>glinter --headless has no panel to show</source>
        <translation>glinter --headless não tem painel para mostrar</translation>
    </message>
    <message>
        <source>no service has the id &quot;%1&quot;</source>
        <translation>nenhum serviço tem o id “%1”</translation>
    </message>
</context>
<context>
    <name>QAbstractSocket</name>
    <message>
        <source>Network unreachable</source>
        <translation>Rede inacessível</translation>
    </message>
    <message>
        <source>Host unreachable</source>
        <translation>Host inacessível</translation>
    </message>
    <message>
        <source>Proxy not found</source>
        <translation>Proxy não encontrado</translation>
    </message>
</context>
<context>
    <name>QHttp</name>
    <message>
        <source>Proxy connection refused</source>
        <translation>Conexão com o proxy recusada</translation>
    </message>
</context>
<context>
    <name>QHttpSocketEngine</name>
    <message>
        <source>Proxy denied connection</source>
        <translation>O proxy recusou a conexão</translation>
    </message>
</context>
<context>
    <name>QSslSocket</name>
    <message>
        <source>Error during SSL handshake: %1</source>
        <translation>Erro na negociação SSL: %1</translation>
    </message>
</context>
<context>
    <name>RefreshButton</name>
    <message>
        <source>Refresh now</source>
        <translation>Atualizar agora</translation>
    </message>
    <message>
        <source>Refreshing</source>
        <translation>Atualizando</translation>
    </message>
</context>
<context>
    <name>RefreshScheduler</name>
    <message>
        <source>The check failed.</source>
        <translation>A verificação falhou.</translation>
    </message>
</context>
<context>
    <name>RemoveButton</name>
    <message>
        <source>Remove %1</source>
        <translation>Remover %1</translation>
    </message>
</context>
<context>
    <name>Results</name>
    <message>
        <source>history.json could not be saved: %1</source>
        <translation>Não foi possível salvar history.json: %1</translation>
    </message>
</context>
<context>
    <name>SearchField</name>
    <message>
        <source>Clear search</source>
        <translation>Limpar busca</translation>
    </message>
</context>
<context>
    <name>Service</name>
    <message>
        <source>not an object</source>
        <translation>não é um objeto</translation>
    </message>
    <message>
        <source>missing &quot;%1&quot;</source>
        <translation>“%1” ausente</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not text</source>
        <translation>“%1” não é texto</translation>
    </message>
    <message>
        <source>&quot;url&quot; is empty</source>
        <translation>“url” está vazio</translation>
    </message>
    <message>
        <source>&quot;url&quot; is not a valid address</source>
        <translation>“url” não é um endereço válido</translation>
    </message>
    <message>
        <source>&quot;url&quot; is not an http or https address</source>
        <translation>&quot;url&quot; não é um endereço http ou https</translation>
    </message>
    <message>
        <source>&quot;provider&quot; is not text</source>
        <translation>&quot;provider&quot; não é texto</translation>
    </message>
    <message>
        <source>Unknown provider “%1” (needs a newer Glinter)</source>
        <translation>Provedor desconhecido “%1” (requer um Glinter mais recente)</translation>
    </message>
</context>
<context>
    <name>ServiceCatalog</name>
    <message>
        <source>AI · Models &amp; APIs</source>
        <translation>IA · Modelos e APIs</translation>
    </message>
    <message>
        <source>AI · Voice, Image &amp; Video</source>
        <translation>IA · Voz, imagem e vídeo</translation>
    </message>
    <message>
        <source>AI · Dev &amp; Infra</source>
        <translation>IA · Desenvolvimento e infraestrutura</translation>
    </message>
    <message>
        <source>Hosting &amp; PaaS</source>
        <translation>Hospedagem e PaaS</translation>
    </message>
    <message>
        <source>Cloud &amp; Infra</source>
        <translation>Nuvem e infraestrutura</translation>
    </message>
    <message>
        <source>Developer Tools</source>
        <translation>Ferramentas de desenvolvimento</translation>
    </message>
    <message>
        <source>Data &amp; Backend</source>
        <translation>Dados e backend</translation>
    </message>
    <message>
        <source>Identity &amp; Auth</source>
        <translation>Identidade e autenticação</translation>
    </message>
    <message>
        <source>Observability &amp; APM</source>
        <translation>Observabilidade e APM</translation>
    </message>
    <message>
        <source>Errors &amp; Crash Reporting</source>
        <translation>Erros e falhas</translation>
    </message>
    <message>
        <source>Incident &amp; On-Call</source>
        <translation>Incidentes e plantão</translation>
    </message>
    <message>
        <source>Payments &amp; Commerce</source>
        <translation>Pagamentos e comércio</translation>
    </message>
    <message>
        <source>Communication</source>
        <translation>Comunicação</translation>
    </message>
    <message>
        <source>Productivity</source>
        <translation>Produtividade</translation>
    </message>
</context>
<context>
    <name>ServiceDetails</name>
    <message>
        <source>Tomorrow</source>
        <translation>Amanhã</translation>
    </message>
    <message>
        <source>Today</source>
        <translation>Hoje</translation>
    </message>
    <message>
        <source>Incident</source>
        <translation>Incidente</translation>
    </message>
    <message>
        <source>Updated now</source>
        <translation>Atualizado agora mesmo</translation>
    </message>
    <message>
        <source>Updated %1</source>
        <translation>Atualizado %1</translation>
    </message>
    <message>
        <source>Opens the page of “%1”</source>
        <translation>Abre a página de “%1”</translation>
    </message>
    <message>
        <source>Details for %1</source>
        <translation>Detalhes de %1</translation>
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
        <translation>Monitorando</translation>
    </message>
    <message>
        <source>Resolved</source>
        <comment>an incident&apos;s stage</comment>
        <translation>Resolvido</translation>
    </message>
    <message>
        <source>Postmortem</source>
        <comment>an incident&apos;s stage</comment>
        <translation>Post-mortem</translation>
    </message>
    <message>
        <source>Scheduled</source>
        <comment>an incident&apos;s stage</comment>
        <translation>Agendado</translation>
    </message>
    <message>
        <source>In progress</source>
        <comment>an incident&apos;s stage</comment>
        <translation>Em andamento</translation>
    </message>
    <message>
        <source>Verifying</source>
        <comment>an incident&apos;s stage</comment>
        <translation>Verificando</translation>
    </message>
    <message>
        <source>Completed</source>
        <comment>an incident&apos;s stage</comment>
        <translation>Concluído</translation>
    </message>
    <message>
        <source>Started %1 (%2)</source>
        <translation>Começou %1 (%2)</translation>
    </message>
    <message>
        <source>In progress until %1</source>
        <translation>Em andamento até %1</translation>
    </message>
    <message>
        <source>In progress</source>
        <translation>Em andamento</translation>
    </message>
    <message>
        <source>Time not announced</source>
        <translation>Horário não anunciado</translation>
    </message>
    <message>
        <source>Tonight</source>
        <translation>Hoje à noite</translation>
    </message>
    <message>
        <source>%1 %2</source>
        <comment>a day&apos;s word, then the hours</comment>
        <translation>%1, %2</translation>
    </message>
    <message>
        <source>No history yet</source>
        <translation>Ainda sem histórico</translation>
    </message>
    <message>
        <source>%1 % operational over %2</source>
        <translation>%1 % operacional em %2</translation>
    </message>
    <message>
        <source>Maintenance</source>
        <translation>Manutenção</translation>
    </message>
</context>
<context>
    <name>ServiceList</name>
    <message>
        <source>%1 was not saved: a copy of it could not be kept in %2 (%3).</source>
        <translation>%1 não foi salvo: não foi possível manter uma cópia em %2 (%3).</translation>
    </message>
    <message>
        <source>%1 was not usable (%2) and has been replaced by the monitored list; the file as it was is in %3.</source>
        <translation>%1 não podia ser usado (%2) e foi substituído pela lista monitorada; o arquivo original está em %3.</translation>
    </message>
    <message>
        <source>%1: %2. These records were dropped from the file; the file as it was is in %3.</source>
        <translation>%1: %2. Esses registros foram removidos do arquivo; o arquivo original está em %3.</translation>
    </message>
    <message>
        <source>%1 could not be saved: %2.</source>
        <translation>Não foi possível salvar %1: %2.</translation>
    </message>
    <message>
        <source>The default services are monitored.</source>
        <translation>Os serviços padrão estão sendo monitorados.</translation>
    </message>
    <message>
        <source>The monitored list is kept.</source>
        <translation>A lista monitorada foi mantida.</translation>
    </message>
    <message>
        <source>%1 cannot be read: %2. %3</source>
        <translation>Não é possível ler %1: %2. %3</translation>
    </message>
    <message>
        <source>%1 is not usable: %2. %3</source>
        <translation>%1 não pode ser usado: %2. %3</translation>
    </message>
    <message>
        <source>%1: %2. These records are not monitored.</source>
        <translation>%1: %2. Esses registros não são monitorados.</translation>
    </message>
</context>
<context>
    <name>ServiceRow</name>
    <message>
        <source>Opens the status page</source>
        <translation>Abre a página de status</translation>
    </message>
</context>
<context>
    <name>ServiceStore</name>
    <message>
        <source>line %1, column %2</source>
        <translation>linha %1, coluna %2</translation>
    </message>
    <message>
        <source>the file is not a JSON array</source>
        <translation>o arquivo não é um array JSON</translation>
    </message>
    <message>
        <source>Record %1: %2</source>
        <translation>Registro %1: %2</translation>
    </message>
    <message>
        <source>Record %1 (&quot;%2&quot;): same provider and address as record %3 (&quot;%4&quot;)</source>
        <translation>Registro %1 (“%2”): mesmo provedor e endereço do registro %3 (“%4”)</translation>
    </message>
    <message>
        <source>no record can be used (%1)</source>
        <translation>nenhum registro pode ser usado (%1)</translation>
    </message>
    <message numerus="yes">
        <source>; and %n more</source>
        <translation>
            <numerusform>; e mais %n</numerusform>
            <numerusform>; e mais %n</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ServicesTab</name>
    <message>
        <source>Search services</source>
        <translation>Buscar serviços</translation>
    </message>
    <message>
        <source>Choose the services you want to monitor.</source>
        <translation>Escolha os serviços que você quer monitorar.</translation>
    </message>
    <message>
        <source>Monitored (drag to reorder)</source>
        <translation>Monitorados (arraste para reordenar)</translation>
    </message>
    <message>
        <source>Custom</source>
        <translation>Personalizados</translation>
    </message>
    <message>
        <source>No results for “%1”</source>
        <translation>Nenhum resultado para “%1”</translation>
    </message>
    <message>
        <source>Check the spelling or try a new search.</source>
        <translation>Verifique a ortografia ou tente outra busca.</translation>
    </message>
</context>
<context>
    <name>SettingsWindow</name>
    <message>
        <source>Glinter Settings</source>
        <translation>Configurações do Glinter</translation>
    </message>
    <message>
        <source>Services</source>
        <translation>Serviços</translation>
    </message>
    <message>
        <source>General</source>
        <translation>Geral</translation>
    </message>
</context>
<context>
    <name>StatusIOProvider</name>
    <message>
        <source>The data couldn&apos;t be read: &quot;%1.status_code&quot; is not an integer.</source>
        <translation>Não foi possível ler os dados: “%1.status_code” não é um inteiro.</translation>
    </message>
    <message>
        <source>Unexpected format</source>
        <translation>Formato inesperado</translation>
    </message>
    <message>
        <source>Couldn&apos;t find a Status.io page id</source>
        <translation>Não foi possível encontrar o id da página do Status.io</translation>
    </message>
</context>
<context>
    <name>StatuspageProvider</name>
    <message>
        <source>Invalid URL</source>
        <translation>URL inválida</translation>
    </message>
</context>
<context>
    <name>TrayController</name>
    <message>
        <source>Open Glinter</source>
        <translation>Abrir o Glinter</translation>
    </message>
    <message>
        <source>Refresh Now</source>
        <translation>Atualizar agora</translation>
    </message>
    <message>
        <source>Settings…</source>
        <translation>Configurações…</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Sair</translation>
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
            <numerusform>Mais %n…</numerusform>
            <numerusform>Mais %n…</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>All %n services operational</source>
        <translation>
            <numerusform>%n serviço operacional</numerusform>
            <numerusform>Todos os %n serviços operacionais</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>UptimeKumaProvider</name>
    <message>
        <source>Not an Uptime Kuma page address (…/status/&lt;page&gt;)</source>
        <translation>Não é um endereço de página do Uptime Kuma (…/status/&lt;page&gt;)</translation>
    </message>
    <message>
        <source>The data couldn&apos;t be read: a monitor has no id.</source>
        <translation>Não foi possível ler os dados: um monitor não tem id.</translation>
    </message>
    <message>
        <source>The page lists no monitors.</source>
        <translation>A página não lista nenhum monitor.</translation>
    </message>
    <message>
        <source>No monitor on the page has reported yet.</source>
        <translation>Nenhum monitor da página enviou dados ainda.</translation>
    </message>
</context>
<context>
    <name>WatchFormats</name>
    <message>
        <source>Checking…</source>
        <translation>Verificando…</translation>
    </message>
</context>
<context>
    <name>WebsiteProvider</name>
    <message>
        <source>Online</source>
        <translation>On-line</translation>
    </message>
    <message>
        <source>Restricted</source>
        <translation>Acesso restrito</translation>
    </message>
    <message>
        <source>Rate limited</source>
        <translation>Limite de requisições</translation>
    </message>
    <message>
        <source>Client error</source>
        <translation>Erro do cliente</translation>
    </message>
    <message>
        <source>Server error</source>
        <translation>Erro do servidor</translation>
    </message>
    <message>
        <source>Unexpected</source>
        <translation>Inesperado</translation>
    </message>
    <message>
        <source>Timed out</source>
        <translation>Tempo esgotado</translation>
    </message>
    <message>
        <source>Host not found</source>
        <translation>Host não encontrado</translation>
    </message>
    <message>
        <source>Connection refused</source>
        <translation>Conexão recusada</translation>
    </message>
    <message>
        <source>No internet</source>
        <translation>Sem internet</translation>
    </message>
    <message>
        <source>Connection lost</source>
        <translation>Conexão perdida</translation>
    </message>
    <message>
        <source>TLS error</source>
        <translation>Erro de TLS</translation>
    </message>
    <message>
        <source>Offline</source>
        <translation>Off-line</translation>
    </message>
</context>
<context>
    <name>WeekStrip</name>
    <message>
        <source>States over the last 7 days</source>
        <translation>Estados nos últimos 7 dias</translation>
    </message>
</context>
<context>
    <name>XAIProvider</name>
    <message>
        <source>Active incident</source>
        <translation>Incidente ativo</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Watches the status pages of the services you depend on.</source>
        <translation>Monitora as páginas de status dos serviços de que você depende.</translation>
    </message>
    <message>
        <source>Check every service once, print the states and exit.</source>
        <translation>Verificar cada serviço uma vez, mostrar os estados e sair.</translation>
    </message>
    <message>
        <source>With --check: print one JSON array.</source>
        <translation>Com --check: mostrar um único array JSON.</translation>
    </message>
    <message>
        <source>With --check: read the services from &lt;file&gt;.</source>
        <translation>Com --check: ler os serviços de &lt;file&gt;.</translation>
    </message>
    <message>
        <source>Run the monitor without any window or tray, printing each change.</source>
        <translation>Monitorar sem janela nem bandeja, mostrando cada mudança.</translation>
    </message>
    <message>
        <source>With --headless: serve Prometheus metrics at http://&lt;address:port&gt;/metrics.</source>
        <translation>Com --headless: servir métricas do Prometheus em http://&lt;address:port&gt;/metrics.</translation>
    </message>
    <message>
        <source>Print a line for a status bar now and on each change, until killed.</source>
        <translation>Mostrar uma linha para uma barra de status agora e a cada mudança, até ser encerrado.</translation>
    </message>
    <message>
        <source>With --watch: waybar (the default), i3blocks, polybar or json.</source>
        <translation>Com --watch: waybar (padrão), i3blocks, polybar ou json.</translation>
    </message>
    <message>
        <source>Displays help on commandline options.</source>
        <translation>Mostra a ajuda sobre as opções de linha de comando.</translation>
    </message>
</context>
</TS>
