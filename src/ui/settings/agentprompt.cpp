#include "ui/settings/agentprompt.h"

#include "catalog/servicecatalog.h"
#include "core/providerkind.h"

#include <QStringList>

namespace {

QString introduction()
{
    return QStringLiteral(
        "Find the external services this codebase depends on — and the URLs it deploys to production — and add "
        "them to Glinter, a system-tray status monitor. Glinter's config is a plain JSON file it reloads live on "
        "every save:\n"
        "\n"
        "    ");
}

QString steps()
{
    return QStringLiteral(
        "\n"
        "\n"
        "## Step 1 — find what this project depends on AND what it deploys\n"
        "\n"
        "Look through dependency manifests (package.json, requirements.txt, pyproject.toml, go.mod, Cargo.toml, "
        "Gemfile, Package.swift, composer.json…), SDK imports in source, environment variables (.env.example, config "
        "files), infrastructure and deploy config (terraform, docker-compose, wrangler.toml, vercel.json, "
        "netlify.toml, fly.toml…), and CI workflows. Collect two lists:\n"
        "\n"
        "1. Third-party hosted services the project depends on to run or ship: clouds, hosting, databases, AI APIs, "
        "payments, email/SMS, auth, monitoring, package registries, CI. Ignore plain code libraries that aren't a "
        "hosted service.\n"
        "2. The project's OWN deployed surfaces: the production site, deployed API base URLs, self-hosted services. "
        "Look at custom domains and routes in vercel.json / netlify.toml / fly.toml / wrangler.toml, CNAME files, "
        "k8s ingress, terraform, the package.json homepage field, README links, CORS allowlists, and env vars like "
        "API_URL / NEXT_PUBLIC_*. Prefer the bare production origin over deep paths; skip localhost, "
        "preview/per-branch URLs, and anything that needs auth to return a response.\n"
        "\n"
        "## Step 2 — map each entry to something Glinter can monitor\n"
        "\n"
        "For third-party services, match against Glinter's known catalog first (Name | status page URL | "
        "provider):\n"
        "\n");
}

QString closing()
{
    return QStringLiteral(
        "\n"
        "\n"
        "For a third-party service not in this table, find its public status page and verify its format yourself "
        "(e.g. with curl):\n"
        "\n"
        "- If https://<status-host>/api/v2/status.json returns JSON with a `status.indicator` field, the provider "
        "is `statuspage`.\n"
        "- Else, if https://<status-host>/summary.json returns JSON with a `page` field, the provider is "
        "`instatus`.\n"
        "- Else, as a last resort, monitor the service's main URL with provider `website` (a plain up/down + "
        "latency ping).\n"
        "\n"
        "Skip anything whose status page you can't verify — never guess a URL.\n"
        "\n"
        "The project's own deployed surfaces have no status page: add each directly with provider `website`, named "
        "after the project (for example \"Acme (production)\" for the main domain and \"Acme API\" for the API). "
        "Verify that each URL responds over HTTPS before adding it.\n"
        "\n"
        "## Step 3 — merge into the config file\n"
        "\n"
        "The file is a JSON array of entries with the keys `name`, `url` and `provider`, for example "
        "{\"name\": \"GitHub\", \"url\": \"https://www.githubstatus.com\", \"provider\": \"statuspage\"}. Valid "
        "providers: statuspage, instatus, website, aws, apple, gcp, azure, xai, statusio.\n"
        "\n"
        "Rules:\n"
        "- Keep every existing entry unchanged, including its `id` field.\n"
        "- Append new entries WITHOUT an `id`; Glinter assigns one on reload.\n"
        "- Skip a service whose URL host is already present in the file.\n"
        "- If the file is missing, create it with the new entries only.\n"
        "\n"
        "Glinter picks the change up immediately — no restart needed. When you're done, list what you added and "
        "what you found but skipped (and why).\n");
}

} // namespace

QString AgentPrompt::catalogTable()
{
    QStringList lines;
    const QList<CatalogEntry> &entries = ServiceCatalog::all();
    lines.reserve(entries.size());
    for (const CatalogEntry &entry : entries)
        lines.append(entry.name + u" | " + entry.url.toString(QUrl::FullyEncoded) + u" | " + rawValue(entry.provider));
    return lines.join(u'\n');
}

QString AgentPrompt::text(const QString &filePath)
{
    return introduction() + filePath + steps() + catalogTable() + closing();
}
