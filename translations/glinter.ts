<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1">
<context>
    <name>AWSProvider</name>
    <message>
        <source>Decode error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The data couldn&apos;t be read: the document is not an array.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>AWSRegionPicker</name>
    <message>
        <source>Monitor all</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>AWS Regions</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>AWSRegions</name>
    <message>
        <source>Americas</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Europe</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Asia Pacific</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Middle East &amp; Africa</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>AgentImportRow</name>
    <message>
        <source>Edit services.json</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add from a Codebase</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Paste the prompt into Claude Code, Cursor, or any coding agent opened in a project — it finds the services the code depends on, plus your own production URLs, and adds them here. The config is plain JSON; edits apply instantly.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copied</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy AI Prompt</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>AppleProvider</name>
    <message>
        <source>The data couldn&apos;t be read: the document is not an object.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unexpected format</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>AtomicFile</name>
    <message>
        <source>larger than %1 MiB</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>not a regular file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cannot create the folder %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>short write</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>BetterStackProvider</name>
    <message>
        <source>Unexpected format</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The page lists no monitors.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Invalid URL</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CachetProvider</name>
    <message>
        <source>Unexpected format</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The page lists no components.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>None of the page&apos;s components has a known status.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Invalid URL</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The list does not end within %1 pages.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CatalogRow</name>
    <message>
        <source>Monitor %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CategoryHeader</name>
    <message>
        <source>Deselect all</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select all</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Deselect all in %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select all in %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CheckCommand</name>
    <message>
        <source>cannot read %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is not usable: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>; nothing was checked</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: %2; not checked</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 lists no services; nothing was checked</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CheckRow</name>
    <message>
        <source>Selected</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not selected</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1, %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ComponentPicker</name>
    <message>
        <source>Search components</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Monitor all</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 Components</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Loading</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Deselect all</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select all</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Deselect all in %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select all in %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This page has no components to choose from.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ComponentSelection</name>
    <message>
        <source>Selected components not found</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%n of %1 selected components not found</source>
        <translation type="unfinished">
            <numerusform></numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ComponentsButton</name>
    <message>
        <source>Watch specific components</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose components</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose components for %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>Watching %n component(s)</source>
        <translation type="unfinished">
            <numerusform></numerusform>
        </translation>
    </message>
</context>
<context>
    <name>CustomAddForm</name>
    <message>
        <source>Add a Custom Service</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Address</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Detect automatically</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Feed format</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>https://example.com or your server URL</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Status page URL</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Checking…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pings any site or server over HTTP — reports online/offline with latency.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Paste a public status page; Glinter reads its live feed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Invalid URL</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 or %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1, %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Couldn&apos;t read a %1 feed there (%2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Only http:// and https:// addresses can be watched</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DesktopApp</name>
    <message>
        <source>process %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>process unknown</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>glinter --headless is already running (%1) and only one Glinter may watch the services; stop it to start the desktop application, or follow it with glinter --watch</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DetailsButton</name>
    <message>
        <source>Shows incidents, maintenance and the past week</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DetailsWindow</name>
    <message>
        <source>Incidents</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Maintenance</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Last 7 days</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FeedFetch</name>
    <message>
        <source>Decode error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unexpected format</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FeedScan</name>
    <message numerus="yes">
        <source>(+%n more)</source>
        <translation type="unfinished">
            <numerusform></numerusform>
        </translation>
    </message>
</context>
<context>
    <name>GCPProvider</name>
    <message>
        <source>The data couldn&apos;t be read: the document is not an array.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>GatusProvider</name>
    <message>
        <source>The data couldn&apos;t be read: the document is not an array.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The page lists no endpoints.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No endpoint on the page has been checked yet.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Invalid URL</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>GeneralTab</name>
    <message>
        <source>Any issue</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Major outages</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Critical only</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All regions</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Get a notification when a monitored service starts having issues or recovers.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Refresh every</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Launch at login</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Notify when a service goes down</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Notify me about</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Alerts webhook</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>https://hooks.slack.com/services/… or any endpoint</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Webhook URL</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>POST a JSON alert (with Slack `text` and Discord `content` fields) to this URL on the same up/down transitions. Works even if notifications are off; respects per-service mute and the severity threshold.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>AWS Regions</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Only count AWS incidents in the selected regions. Global services (Route 53, IAM, CloudFront…) always count. Leave all unchecked to monitor every region.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sending…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Send test</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delivered</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Failed — check the URL</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%n selected</source>
        <translation type="unfinished">
            <numerusform></numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n minute(s)</source>
        <translation type="unfinished">
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>Clear webhook URL</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Headless</name>
    <message>
        <source>watching %1 (%2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>metrics at http://%1/metrics</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is fine again</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 muted until %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>stopping (signal %1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%n service(s)</source>
        <translation type="unfinished">
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>list: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>; added %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>; removed %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>process %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>process unknown</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Glinter is already running (%1) and only one may watch the services; glinter --watch and glinter --check run beside it</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>HttpSession</name>
    <message>
        <source>Unsupported URL</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The response is too large.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Malformed response</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The request timed out.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>IncidentView</name>
    <message>
        <source>Open incident</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Indicator</name>
    <message>
        <source>All Systems Operational</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Degraded Performance</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Partial Outage</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Major Outage</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unreachable</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>InstatusProvider</name>
    <message>
        <source>Invalid URL</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>JsonDecoder</name>
    <message>
        <source>The data couldn&apos;t be read: &quot;%1&quot; is not %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The data couldn&apos;t be read: %1 at offset %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The data couldn&apos;t be read: &quot;%1&quot; is not an object.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a string</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a boolean</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a number</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>an array</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>an object</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The data couldn&apos;t be read: &quot;%1&quot; is missing.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The data couldn&apos;t be read: the document is not an object.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not a status feed: the address answered with a web page</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ListedServiceRow</name>
    <message>
        <source>Drag, or press Alt+Up or Alt+Down, to reorder</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MenuContent</name>
    <message>
        <source>No connection</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All Systems Operational</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Some Systems Degraded</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Partial Service Outage</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Major Service Outage</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Status Unavailable</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Checking…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Updated %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All systems operational</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Glinter — %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Under Maintenance</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Updated now</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No services are watched.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MuteButton</name>
    <message>
        <source>Notifications muted</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mute notifications</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Muted until %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unmute notifications for %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mute notifications for %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Notifications</name>
    <message>
        <source>Open Status Page</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mute for 1 Hour</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Notifier</name>
    <message>
        <source>%1 recovered</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>OnboardingWindow</name>
    <message>
        <source>Welcome to Glinter</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Healthy — everything is operational.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Degraded — minor issues or maintenance.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Outage — a service is down.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unreachable — Glinter can’t reach the feed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open Settings to choose which services to watch.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not Now</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose Services</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Glinter lives in your tray, on the top bar or panel of your desktop, and keeps an eye on the services you depend on.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PanelWindow</name>
    <message>
        <source>Glinter</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose Services in Settings…</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Providers</name>
    <message>
        <source>Statuspage.io</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Added as a Statuspage.io page</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Instatus</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Added as an Instatus page</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Website / Server</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>AWS Health</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Apple System Status</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Google Cloud Status</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Azure Status</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>xAI Status</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Status.io</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Added as a Status.io page</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Better Stack</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Added as a Better Stack page</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cachet</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Added as a Cachet page</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Uptime Kuma</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Added as an Uptime Kuma page</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Gatus</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Added as a Gatus dashboard</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PublicFace</name>
    <message>
        <source>glinter --headless has no panel to show</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no service has the id &quot;%1&quot;</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>QAbstractSocket</name>
    <message>
        <source>Network unreachable</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Host unreachable</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Proxy not found</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>QHttp</name>
    <message>
        <source>Proxy connection refused</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>QHttpSocketEngine</name>
    <message>
        <source>Proxy denied connection</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>QSslSocket</name>
    <message>
        <source>Error during SSL handshake: %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>RefreshButton</name>
    <message>
        <source>Refresh now</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Refreshing</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>RefreshScheduler</name>
    <message>
        <source>The check failed.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>RemoveButton</name>
    <message>
        <source>Remove %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Results</name>
    <message>
        <source>history.json could not be saved: %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SearchField</name>
    <message>
        <source>Clear search</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Service</name>
    <message>
        <source>not an object</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>missing &quot;%1&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not text</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;url&quot; is empty</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;url&quot; is not a valid address</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;url&quot; is not an http or https address</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;provider&quot; is not text</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unknown provider “%1” (needs a newer Glinter)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ServiceCatalog</name>
    <message>
        <source>AI · Models &amp; APIs</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>AI · Voice, Image &amp; Video</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>AI · Dev &amp; Infra</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hosting &amp; PaaS</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cloud &amp; Infra</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Developer Tools</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Data &amp; Backend</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Identity &amp; Auth</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Observability &amp; APM</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Errors &amp; Crash Reporting</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Incident &amp; On-Call</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Payments &amp; Commerce</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Communication</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Productivity</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ServiceDetails</name>
    <message>
        <source>Tomorrow</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Today</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Incident</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Updated %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Opens the page of “%1”</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Details for %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Started %1 (%2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>In progress until %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>In progress</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Time not announced</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tonight</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 %2</source>
        <comment>a day&apos;s word, then the hours</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No history yet</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 % operational over %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Maintenance</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Updated now</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Investigating</source>
        <comment>an incident&apos;s stage</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Identified</source>
        <comment>an incident&apos;s stage</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Monitoring</source>
        <comment>an incident&apos;s stage</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Resolved</source>
        <comment>an incident&apos;s stage</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Postmortem</source>
        <comment>an incident&apos;s stage</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Scheduled</source>
        <comment>an incident&apos;s stage</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>In progress</source>
        <comment>an incident&apos;s stage</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Verifying</source>
        <comment>an incident&apos;s stage</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Completed</source>
        <comment>an incident&apos;s stage</comment>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ServiceList</name>
    <message>
        <source>%1 was not saved: a copy of it could not be kept in %2 (%3).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 was not usable (%2) and has been replaced by the monitored list; the file as it was is in %3.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: %2. These records were dropped from the file; the file as it was is in %3.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 could not be saved: %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The default services are monitored.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The monitored list is kept.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 cannot be read: %2. %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is not usable: %2. %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: %2. These records are not monitored.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ServiceRow</name>
    <message>
        <source>Opens the status page</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ServiceStore</name>
    <message>
        <source>line %1, column %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the file is not a JSON array</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Record %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Record %1 (&quot;%2&quot;): same provider and address as record %3 (&quot;%4&quot;)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no record can be used (%1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>; and %n more</source>
        <translation type="unfinished">
            <numerusform></numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ServicesTab</name>
    <message>
        <source>Search services</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose the services you want to monitor.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Monitored (drag to reorder)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Custom</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No results for “%1”</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Check the spelling or try a new search.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SettingsWindow</name>
    <message>
        <source>Glinter Settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Services</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>General</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>StatusIOProvider</name>
    <message>
        <source>The data couldn&apos;t be read: &quot;%1.status_code&quot; is not an integer.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Couldn&apos;t find a Status.io page id</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unexpected format</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>StatuspageProvider</name>
    <message>
        <source>Invalid URL</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TrayController</name>
    <message>
        <source>Open Glinter</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Refresh Now</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Settings…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Glinter</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TrayMenu</name>
    <message>
        <source>%1 — %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%n more…</source>
        <translation type="unfinished">
            <numerusform></numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>All %n services operational</source>
        <translation type="unfinished">
            <numerusform></numerusform>
        </translation>
    </message>
</context>
<context>
    <name>UptimeKumaProvider</name>
    <message>
        <source>The data couldn&apos;t be read: a monitor has no id.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The page lists no monitors.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No monitor on the page has reported yet.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not an Uptime Kuma page address (…/status/&lt;page&gt;)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>WatchFormats</name>
    <message>
        <source>Checking…</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>WebsiteProvider</name>
    <message>
        <source>Online</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Restricted</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rate limited</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Client error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Server error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unexpected</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Timed out</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Host not found</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Connection refused</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No internet</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Connection lost</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>TLS error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Offline</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>WeekStrip</name>
    <message>
        <source>States over the last 7 days</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>XAIProvider</name>
    <message>
        <source>Active incident</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Watches the status pages of the services you depend on.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Check every service once, print the states and exit.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>With --check: print one JSON array.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>With --check: read the services from &lt;file&gt;.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Run the monitor without any window or tray, printing each change.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>With --headless: serve Prometheus metrics at http://&lt;address:port&gt;/metrics.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print a line for a status bar now and on each change, until killed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>With --watch: waybar (the default), i3blocks, polybar or json.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Displays help on commandline options.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
